#include "installler.h"
#include "ui_installler.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "exec/myqtermwidget.h"
#include "exec/terminalshell.h"
#include "settings/configloader.h"
#include "settings/homedirectory.h"
#include "tools/installsteps.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

Installler::Installler(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Installler)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(":/resources/sepiaB.png"));

    terminal = new MyQTermWidget(0, this);
    auto* layout = new QVBoxLayout(ui->frame);
    layout->addWidget(terminal);
    terminal->startShellProgram();
    terminal->setFlowControlEnabled(true);
    if (terminal->layout())
        terminal->layout()->setContentsMargins(0, 0, 0, 0);
    terminal->sendText("cd ~/\n");
    terminal->clear();
    connect(terminal, &QTermWidget::receivedData, this, &Installler::receiveText);
    sinceOutput.start();

    commands = InstallSteps::baseCommands(Deployment::installDir());
    // Once the window shows and the event loop runs.
    QTimer::singleShot(0, this, &Installler::onLoad);
}

Installler::~Installler()
{
    delete ui;
}

void Installler::receiveText(const QString& text)
{
    // Output without a line break continues the current line, so a prompt
    // split over two chunks (or preceded by a control sequence) is still seen.
    const QStringList parts = text.split(QRegularExpression("\r\n"), Qt::KeepEmptyParts);
    lastLine = parts.size() > 1 ? parts.last() : lastLine + parts.last();
    pending = parts.size() > 1 ? parts.last() : pending + parts.last();
    if (parts.size() > 1)
        lineEnded = true;
    sinceOutput.restart();
}

bool Installler::atPrompt(const QString& line, int quietMs) const
{
    if (InstallSteps::isPromptLine(line))
        return true;
    // A prompt of another form: the shell has the terminal to itself again
    // and has printed an unfinished line, then nothing for a moment.
    return !TerminalShell::visibleText(line).isEmpty() && sinceOutput.elapsed() >= quietMs
        && TerminalShell::stateOf(terminal->getShellPID()) == TerminalShell::State::Foreground;
}

void Installler::delay(int ms)
{
    cooperativeWait(ms);
}

bool Installler::findFile(const QString& directory, const QString& name)
{
    return InstallSteps::findFile(directory, name);
}

void Installler::waitForIdlePrompt()
{
    if (ConfigLoader::getSingleton()->sandbox)
        return; // nothing was typed, no prompt will follow
    cooperativeWait(INT_MAX, [this] {
        return abandoned || (atPrompt(lastLine, 500) && sinceOutput.elapsed() >= 500);
    });
}

bool Installler::sendOrderedCommands(const QStringList& list, bool noWaitAfterLast)
{
    for (int i = 0; i < list.size(); ++i) {
        if (abandoned)
            return false;
        // Cleared before typing, so only a prompt printed after this command
        // ends the wait, never one left from before.
        pending.clear();
        lineEnded = false;
        terminal->sendText(list[i]);
        const bool typed = !ConfigLoader::getSingleton()->sandbox;
        const bool last = i == list.size() - 1;
        // A prompt of another form than "$" counts once the command's line has
        // ended: until then the shell has the terminal to itself as it reads it.
        if (typed && !(last && noWaitAfterLast))
            cooperativeWait(INT_MAX, [this] {
                return abandoned || InstallSteps::isPromptLine(pending) || (lineEnded && atPrompt(pending, 300));
            });
        pending.clear();
    }
    return !abandoned;
}

void Installler::onLoad()
{
    running = true;
    waitForIdlePrompt();
    sendOrderedCommands(commands, false);
    commands.clear();

    if (!abandoned && InstallSteps::offerWorkspace(homeDirectory()))
        offerWorkspace();

    sendOrderedCommands(commands, false);
    commands.clear();
    running = false;
    if (abandoned) {
        reportAbandoned();
        close();
        return;
    }
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->installer_status = true;
    config->save();
    QMessageBox::information(this, tr("install finished"),
                             tr("The installation process is terminated. You can now restart the application..."),
                             QMessageBox::Ok);
    close();
}

void Installler::closeEvent(QCloseEvent* event)
{
    if (running) {
        // Only hidden until the sequence has stopped and said so: closed, the
        // last window would end the application before its box could show.
        abandoned = true;
        event->ignore();
        hide();
        return;
    }
    QWidget::closeEvent(event);
}

void Installler::reportAbandoned()
{
    // installer_status stays unset: the installer comes back at the next start.
    QMessageBox::warning(nullptr, tr("install not finished"),
                         tr("The installation was stopped before its end. It will start again at the next start "
                            "of the application."),
                         QMessageBox::Ok);
}

void Installler::offerWorkspace()
{
    const QMessageBox::StandardButton wanted = QMessageBox::question(
        this, tr("Server configuration"),
        tr("The launcher come without any Velt instance. Would you like to create one?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (wanted != QMessageBox::Yes || abandoned)
        return;

    QMessageBox choice;
    choice.setText(tr("Do you want to copy a local server or clone a server from github?"));
    // The copy goes into server_a: never over a workspace that is there.
    QPushButton* copy = nullptr;
    if (!QFileInfo::exists(homeDirectory() + "/Documents/velt-servers/server_a"))
        copy = choice.addButton(tr("Copy local server"), QMessageBox::YesRole);
    QPushButton* clone = choice.addButton(tr("Clone repository"), QMessageBox::AcceptRole);
    choice.addButton(tr("Dismiss"), QMessageBox::NoRole);
    choice.exec();

    if (choice.clickedButton() == clone) {
        const QString base = Deployment::codeHostBase();
        sendOrderedCommands(InstallSteps::cloneCommands(base), false);
        commands.clear();
        // The enterprise repository is private: its clone may have been refused.
        if (QFileInfo(homeDirectory() + "/Documents/velt-servers/server_a/enterprise").isDir())
            commands << InstallSteps::enterpriseRemoteCommands(base);
    } else if (copy && choice.clickedButton() == copy) {
        const QString velt = chooseCheckout(tr("Select Velt directory"), homeDirectory(),
                                            InstallSteps::isVeltCheckout);
        const QString enterprise = chooseCheckout(tr("Select Enterprise directory"),
                                                  velt.isEmpty() ? homeDirectory() : velt,
                                                  InstallSteps::isEnterpriseCheckout);
        commands << InstallSteps::copyCommands(velt, enterprise);
    }
}

QString Installler::chooseCheckout(const QString& title, const QString& startDirectory,
                                   bool (*accepts)(const QString&))
{
    QString chosen;
    for (;;) {
        QFileDialog dialog(this, title, startDirectory);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted)
            return chosen; // a previous choice is kept even if it failed the test
        const QString selected = dialog.selectedFiles().value(0);
        if (selected.isEmpty())
            continue;
        chosen = selected;
        if (accepts(chosen))
            return chosen;
    }
}
