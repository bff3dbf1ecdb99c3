#include "mainwidget.h"
#include "ui_mainwidget.h"

#include "deployment.h"
#include "exec/myqtermwidget.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"
#include "server/serverwidget.h"
#include "settings/homedirectory.h"
#include "shell/mainwindow.h"
#include "shell/workspaces.h"
#include "tools/todowidget.h"

#include <QDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>

mainWidget::mainWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::mainWidget)
{
    building = true;
    ui->setupUi(this);
    initWidget();
    lastIndex = 0;
    building = false;
    on_tabWidget_currentChanged(0);
}

mainWidget::~mainWidget()
{
    qDeleteAll(terminalWindows);
    delete ui;
}

ServerWidget* mainWidget::createTab(char letter, bool shownAtOnce)
{
    return new ServerWidget(letter, ui->tabWidget,
                            shownAtOnce ? ServerWidget::FormTiming::Now : ServerWidget::FormTiming::WhenShown);
}

void mainWidget::initWidget()
{
    const QString home = homeDirectory();
    for (char letter = 'a'; letter <= 'z'; ++letter)
        if (Workspaces::exists(home, letter))
            ui->tabWidget->addTab(createTab(letter, ui->tabWidget->count() == 0), Workspaces::tabTitle(letter));

    newServerIndex = ui->tabWidget->addTab(new QWidget(), tr("New server"));
    hideCloseButton(newServerIndex);
    todoIndex = ui->tabWidget->addTab(new TODOWidget(ui->tabWidget), tr("Todo list"));
    hideCloseButton(todoIndex);
}

void mainWidget::hideCloseButton(int index)
{
    if (QWidget* button = ui->tabWidget->tabBar()->tabButton(index, QTabBar::RightSide))
        button->resize(0, 0);
}

void mainWidget::refreshStatus()
{
    if (auto* window = qobject_cast<MainWindow*>(parentWidget()))
        window->updateConso();
}

void mainWidget::on_tabWidget_currentChanged(int index)
{
    if (building || shifting)
        return;
    if (index != newServerIndex) {
        refreshStatus();
        lastIndex = ui->tabWidget->currentIndex();
        return;
    }

    // "New server" is a trigger, not a page: go back first.
    ui->tabWidget->setCurrentIndex(lastIndex == newServerIndex ? newServerIndex + 1 : lastIndex);
    const OperationGate::Hold hold(tr("New server"));
    if (!hold)
        return;

    const char letter = Workspaces::firstFreeLetter(homeDirectory(), openLetters());
    if (!letter) {
        QMessageBox::information(nullptr, tr("New server"),
                                 tr("All 26 server workspaces are in use. Remove one before creating another."));
        lastIndex = ui->tabWidget->currentIndex();
        return;
    }

    QMessageBox question;
    question.setText(tr("Do you want to copy the server A or clone a server from github?"));
    QPushButton* copy = nullptr;
    if (letter != 'a')
        copy = question.addButton(tr("Copy server A"), QMessageBox::YesRole);
    QPushButton* clone = question.addButton(tr("Clone repository"), QMessageBox::AcceptRole);
    question.addButton(tr("Dismiss"), QMessageBox::NoRole);
    question.exec();

    const bool copying = copy && question.clickedButton() == copy;
    const bool cloning = question.clickedButton() == clone;
    // The typed line starts with a "cd" into the workspace folder: should it
    // be missing, the copy or clone would land in the launcher's own folder.
    if ((copying || cloning) && !Workspaces::makeFolder(homeDirectory())) {
        QMessageBox::warning(nullptr, tr("New server"),
                             tr("The workspace folder %1 cannot be created.").arg(Workspaces::folder(homeDirectory())));
        lastIndex = ui->tabWidget->currentIndex();
        return;
    }

    if (copying) {
        runInTerminalWindow(Workspaces::copyCommand(letter), 200);
        addServerTab(letter);
    } else if (cloning) {
        const QString base = Deployment::codeHostBase();
        runInTerminalWindow(Workspaces::cloneCommand(letter, base), 300);
        if (QFileInfo(Workspaces::path(homeDirectory(), letter) + "/enterprise").isDir())
            TermExecutor::getSingleton()->exec(Workspaces::enterpriseRemoteCommand(letter, base), true,
                                               QStringList(), false, QStringList(), "cd ~/Documents");
        addServerTab(letter);
    }
    lastIndex = ui->tabWidget->currentIndex();
}

QString mainWidget::openLetters() const
{
    QString letters;
    for (int i = 0; i < newServerIndex; ++i)
        if (const auto* page = qobject_cast<const ServerWidget*>(ui->tabWidget->widget(i)))
            letters += QLatin1Char(page->letter);
    return letters;
}

void mainWidget::runInTerminalWindow(const QString& text, int minimumHeight)
{
    // Kept after it closes, the shell may still be finishing its work; it
    // goes with this widget.
    auto* dialog = new QDialog();
    terminalWindows.append(dialog);
    auto* layout = new QGridLayout(dialog);
    auto* terminal = new MyQTermWidget(0, dialog);
    terminal->setMinimumSize(800, minimumHeight);
    layout->addWidget(terminal);
    terminal->startShellProgram();
    terminal->sendText(text);
    dialog->exec();
}

void mainWidget::addServerTab(char letter)
{
    const int position = newServerIndex;
    // The indices move first, so the insertion is never seen as a click on
    // "New server".
    ++newServerIndex;
    ++todoIndex;
    ui->tabWidget->insertTab(position, createTab(letter), Workspaces::tabTitle(letter));
    ui->tabWidget->setCurrentIndex(position);
}

void mainWidget::on_tabWidget_tabCloseRequested(int index)
{
    if (index < 0 || index >= newServerIndex)
        return; // the fixed tabs cannot be closed
    // Refused while an operation waits: it may still hold this page.
    const OperationGate::Hold hold(tr("Remove server"));
    if (!hold)
        return;
    const QString title = ui->tabWidget->tabText(index);
    const char titleLetter = Workspaces::letterOfTitle(title);
    const QString shownTitle = titleLetter ? Workspaces::translatedTitle(titleLetter) : title;
    // No is the default: Enter alone must never delete a workspace.
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("Remove server"),
        tr("Are you sure to delete the ") + shownTitle + tr("? The delete will be permanent!"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    const QString directory = Workspaces::directoryName(title);
    const QString command = Workspaces::removeCommand(directory);
    if (command.isEmpty())
        return; // not a workspace folder name: nothing is deleted
    // Checked at the last moment: only a directory is ever removed, never a
    // file of the user's that took the workspace's name.
    const QString target = Workspaces::folder(homeDirectory()) + "/" + directory;
    if (Workspaces::isRemovableDirectory(target)) {
        TermExecutor::getSingleton()->exec(command, true, QStringList(), false, QStringList(), "cd ~/Documents");
    } else if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) {
        QMessageBox::warning(this, tr("Remove server"),
                             tr("%1 is not a folder: it was left in place.").arg(target));
    }

    // Handling of index changes waits until the tabs are in their final place,
    // so the shifting indices are never taken for a click on "New server".
    shifting = true;
    QWidget* page = ui->tabWidget->widget(index);
    ui->tabWidget->removeTab(index);
    page->deleteLater();
    --newServerIndex;
    --todoIndex;
    if (index == newServerIndex) // it was the last server tab
        ui->tabWidget->setCurrentIndex(index == 0 ? todoIndex : index - 1);
    shifting = false;

    refreshStatus();
    lastIndex = ui->tabWidget->currentIndex();
}
