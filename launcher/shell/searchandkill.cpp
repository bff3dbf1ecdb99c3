#include "searchandkill.h"

#include "exec/termexecutor.h"
#include "shell/resourcemonitor.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMessageBox>

void searchAndKill(QMainWindow* window, int port)
{
    TermExecutor* executor = TermExecutor::getSingleton();
    const QStringList found = executor->exec(ResourceMonitor::lookupCommand(QString::number(port)), true,
                                             QStringList(), false, QStringList(), QStringLiteral("cd ~/Documents"));
    if (found.isEmpty())
        return;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        window, QCoreApplication::translate("MainWindow", "Close Velt Launcher"),
        QCoreApplication::translate("MainWindow", "Do you want to close the server on the port ")
            + QString::number(port) + " ?\n",
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        executor->exec(ResourceMonitor::killCommand(port), true, QStringList(), false, QStringList(),
                       QStringLiteral("cd ~/Documents"));
}
