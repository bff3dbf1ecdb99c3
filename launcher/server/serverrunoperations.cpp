#include "serverrunoperations.h"
#include "ui_serverwidget.h"

#include "exec/myqtermwidget.h"
#include "exec/operationgate.h"
#include "server/automaticport.h"
#include "server/runcontrol.h"
#include "server/servercommands.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

bool ServerRunOperations::chooseAutomaticPort(ServerWidget& tab)
{
    const QPointer<QObject> self(&tab);
    const int chosen = AutomaticPort::choose(self);
    if (!self)
        return false;
    tab.ui->ttPort->setText(QString::number(chosen));
    return true;
}

QStringList ServerRunOperations::serverLines(ServerWidget& tab)
{
    const QPointer<ServerWidget> self(&tab);
    tab.readClones();
    if (!self)
        return QStringList();
    tab.rebuildCommand();
    const QString activation = tab.getVirtualEnvCommand();
    if (!self)
        return QStringList();
    return {activation, tab.ui->ttCommand->text() + "\n"};
}

void ServerRunOperations::afterServerTyped(ServerWidget& tab)
{
    if (ConfigLoader::getSingleton()->remove_installs)
        tab.ui->ttInstall->clear();
}

ServerRunOperations::Message ServerRunOperations::whyStopped(const ServerWidget& tab, const QString& operation)
{
    const RunControl& run = *tab.run;
    switch (run.ending()) {
    case RunControl::Ending::NoPrompt:
        return {tr("No prompt"),
                tr("\"%1\" was stopped: no shell prompt came back within %2 seconds after the line\n%3\n"
                   "Look in the server terminal whether that line still runs or waits for an answer (a password, "
                   "a question), and whether the shell shows its prompt; then try again.")
                    .arg(operation)
                    .arg(run.promptBoundMs / 1000)
                    .arg(run.unansweredLine().trimmed())};
    case RunControl::Ending::NotStopped:
        return {tr("Server not stopped"),
                tr("\"%1\" was stopped: what runs in the server terminal did not stop on Ctrl+C within %2 seconds. "
                   "End it in the terminal (a debugger or a Python shell has its own command to quit), then try "
                   "again.")
                    .arg(operation)
                    .arg(RunControl::giveUpAfterMs(ConfigLoader::getSingleton()->secBeforeShutDown) / 1000)};
    case RunControl::Ending::ShellEnded:
        return {tr("Shell ended"),
                tr("\"%1\" was stopped: the shell of the server terminal ended. The next operation of this tab "
                   "starts a new one.")
                    .arg(operation)};
    case RunControl::Ending::Done:
    case RunControl::Ending::Cancelled:
    case RunControl::Ending::Abandoned:
        break;
    }
    return {};
}

void ServerRunOperations::report(ServerWidget& tab, const QString& operation)
{
    // Something still runs in the terminal: Stop stays there to try again.
    if (tab.run->ending() == RunControl::Ending::NotStopped)
        tab.setServerRunning(true);
    const Message message = whyStopped(tab, operation);
    if (!message.text.isEmpty())
        QMessageBox::warning(&tab, message.title, message.text, QMessageBox::Ok);
}

void ServerRunOperations::start(ServerWidget& tab)
{
    const OperationGate::Hold hold(tr("Start server"));
    if (!hold)
        return;
    const QPointer<ServerWidget> self(&tab);
    Ui::ServerWidget& ui = *tab.ui;
    if (ui.chbShell->isChecked() && QFileInfo::exists(tab.home + "/.veltrc")) {
        QMessageBox::information(&tab, tr("Configuration save detected"),
                                 tr("Be careful, you have saved a configuration in ~/.veltrc. This can break the "
                                    "velt shell."),
                                 QMessageBox::Ok);
        if (!self)
            return;
    }
    if (ui.cbDB->currentIndex() < 0) {
        QMessageBox::information(&tab, tr("Error"), tr("Please provide minimum one DB to launch the server!"),
                                 QMessageBox::Ok);
        return;
    }
    if (ConfigLoader::getSingleton()->auto_port) {
        if (!chooseAutomaticPort(tab))
            return;
    } else if (ui.ttPort->text().isEmpty()) {
        ui.ttPort->setText("8069");
    }
    tab.startTerminals();
    tab.serverTerminal->scrollToEnd();
    const QStringList lines = serverLines(tab);
    if (!self || lines.isEmpty())
        return;
    const QStringList all = QStringList{ServerCommands::workspaceCdLine(tab.home, tab.letter)} + lines;
    const bool typed = tab.run->start(all, ui.ttPort->text());
    if (self)
        typed ? afterServerTyped(tab) : report(tab, tr("Start server"));
}

void ServerRunOperations::stop(ServerWidget& tab)
{
    const OperationGate::Hold hold(tr("Stop server"));
    if (!hold)
        return;
    const QPointer<ServerWidget> self(&tab);
    tab.startTerminals();
    tab.serverTerminal->scrollToEnd();
    if (!tab.run->stop() && self)
        report(tab, tr("Stop server"));
}

void ServerRunOperations::restart(ServerWidget& tab)
{
    const OperationGate::Hold hold(tr("Restart server"));
    if (!hold)
        return;
    const QPointer<ServerWidget> self(&tab);
    tab.startTerminals();
    tab.serverTerminal->scrollToEnd();
    if (!tab.run->interrupt()) {
        if (self)
            report(tab, tr("Restart server"));
        return;
    }
    const QStringList lines = serverLines(tab);
    if (!self || lines.isEmpty())
        return;
    const bool typed = tab.run->start(lines, tab.ui->ttPort->text());
    if (self)
        typed ? afterServerTyped(tab) : report(tab, tr("Restart server"));
}

void ServerRunOperations::drop(ServerWidget& tab)
{
    const OperationGate::Hold hold(tr("Drop"));
    if (!hold)
        return;
    const QPointer<ServerWidget> self(&tab);
    tab.startTerminals();
    if (!tab.run->drop(tab.ui->cbDB->currentText()) && self)
        report(tab, tr("Drop"));
}
