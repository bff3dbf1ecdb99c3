// Running a server from its tab, in a real terminal with the stand-in server
// script as the workspace's start script: Start, Stop, Restart, Drop, the
// automatic port, the refusals and warnings, the port Stop kills by.
#include "exec/myqtermwidget.h"
#include "exec/termexecutor.h"
#include "modalanswer.h"
#include "server/autocompletionlist.h"
#include "server/runcontrol.h"
#include "server/serverwidget.h"
#include "serverrunfixture.h"
#include "settings/configloader.h"
#include "shell/mainwidget.h"
#include "shell/mainwindow.h"
#include "standinserver.h"
#include "ui_serverwidget.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {
// A wait that never ends would block the test for good: the alarm turns it
// into a failure with a message.
void onAlarm(int)
{
    const char message[] = "test_serverwidget_run: a test did not finish within its deadline\n";
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(3);
}
}

class TestServerWidgetRun : public QObject, public ServerRunFixture
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        signal(SIGALRM, onAlarm);
        alarm(280);
        AC_list::init();
        prepareWorkspaces();
        TermExecutor::getSingleton();
    }

    void init() { resetBetweenTests(); }

    void startThenStop()
    {
        const int port = privatePort();
        const QString portText = QString::number(port);
        writeConfig(privateConfig(port, "Workers:::1\ninstall:::sale\n"));
        ConfigLoader::getSingleton()->remove_installs = true;
        auto tab = openTab();
        QVERIFY(tab);
        tab->ui->bStart->click();
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        QVERIFY(!tab->ui->bStart->isEnabled());
        QVERIFY(tab->ui->bStop->isEnabled() && tab->ui->bRestart->isEnabled());

        // cd, then the environment, then the command line, each after the prompt.
        QCOMPARE(calls(), QStringList({"activated",
                                      "server pwd=" + workspace() + " venv=vMaster-python3 args=--xmlrpc-port " + portText + " "
                                      "--addons-path=velt/addons -d db_server_a --db-filter=db_server_a -i sale "
                                      "--without-demo all --log-handler=velt.http.rpc.request:DEBUG --workers=1"}));
        // The modules were installed once: the next start does not install them again.
        QCOMPARE(tab->ui->ttInstall->text(), QString());
        QVERIFY(!tab->command.contains(" -i "));
        QVERIFY(QTest::qWaitFor([&] { return processesOnPort(port) == 2; }, deadline)); // server and worker

        tab->ui->bStop->click();
        QVERIFY(QTest::qWaitFor([&] { return !tab->isServerRunning(); }, deadline));
        QVERIFY(tab->ui->bStart->isEnabled());
        QVERIFY(!tab->ui->bStop->isEnabled() && !tab->ui->bRestart->isEnabled());
        QVERIFY(calls().contains("server stopped"));
        // The worker ignored Ctrl+C; the kill line took it.
        QVERIFY(QTest::qWaitFor([&] { return processesOnPort(port) == 0; }, deadline));
    }

    void restartRunsTheServerAgain()
    {
        const int port = privatePort();
        writeConfig(privateConfig(port));
        auto tab = openTab();
        QVERIFY(tab);
        tab->ui->bStart->click();
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        tab->ui->ttCustomParams->setText("--second");
        tab->ui->bRestart->click();
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning() && calls().size() == 5; }, deadline));
        const QStringList lines = calls();
        QCOMPARE(lines.at(2), QString("server stopped"));
        QCOMPARE(lines.at(3), QString("activated"));
        QVERIFY(lines.at(4).endsWith("--log-handler=velt.http.rpc.request:DEBUG --second"));
        QVERIFY(lines.at(4).contains(QString("--xmlrpc-port %1 ").arg(port)));
        QVERIFY(stopServer(*tab));
    }

    void dropStopsTheServerFirst()
    {
        writeConfig(privateConfig(privatePort()));
        auto tab = openTab();
        QVERIFY(tab);
        tab->ui->bStart->click();
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        tab->ui->bClear->click();
        QVERIFY(QTest::qWaitFor([&] { return calls().size() == 4; }, deadline));
        QCOMPARE(calls().mid(2), QStringList({"server stopped", "dropdb 2 args: db_server_a --if-exists"}));
        QVERIFY(!tab->isServerRunning());

        // A name from elsewhere reaches dropdb as one word and never runs as a command.
        tab->ui->cbDB->addItem("x y;touch pwned");
        tab->ui->cbDB->setCurrentIndex(1);
        QElapsedTimer clock;
        clock.start();
        tab->ui->bClear->click();
        QVERIFY(clock.elapsed() < 10000); // nothing to interrupt: the prompt comes back at once
        QVERIFY(QTest::qWaitFor([&] { return calls().size() == 5; }, deadline));
        QCOMPARE(calls().last(), QString("dropdb 2 args: x y;touch pwned --if-exists"));
        QVERIFY(!QFile::exists(workspace() + "/pwned"));
    }

    void automaticPortSkipsBusyPorts()
    {
        std::vector<std::unique_ptr<QProcess>> holders;
        for (const char* port : {"8069", "8073"}) {
            holders.push_back(std::make_unique<QProcess>());
            holders.back()->start("/bin/sh", {"-c", "sleep 60; :", "holder", "--xmlrpc-port", port});
            QVERIFY(holders.back()->waitForStarted());
        }
        QVERIFY(QTest::qWaitFor([] { return processesOnPort(8069) == 1 && processesOnPort(8073) == 1; }, deadline));

        // The candidates are fixed; other processes of the machine may hold
        // some of them too, so the port expected is the first nobody holds.
        int expected = 0;
        for (int candidate : {8077, 8081, 8085, 8089, 8093, 8097, 8101})
            if (processesOnPort(candidate) == 0) {
                expected = candidate;
                break;
            }
        if (!expected)
            QSKIP("every automatic port is taken on this machine");

        ConfigLoader::getSingleton()->auto_port = true;
        writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\nport:::8069\n");
        auto tab = openTab();
        QVERIFY(tab);
        QVERIFY(tab->ui->ttPort->isReadOnly());
        tab->ui->bStart->click();
        QCOMPARE(tab->ui->ttPort->text(), QString::number(expected));
        QVERIFY(tab->command.contains(QString(" --xmlrpc-port %1 ").arg(expected)));
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        QCOMPARE(processesOnPort(expected), 1);
        QVERIFY(stopServer(*tab));

        for (auto& holder : holders) {
            holder->kill();
            holder->waitForFinished();
        }
    }

    void noDatabaseNoStart()
    {
        writeConfig("<--- DB <---\n---> DB --->\n");
        auto tab = openTab();
        QVERIFY(tab);
        tab->ui->pushButton_12->click();
        QCOMPARE(tab->ui->cbDB->count(), 0);
        QStringList seen;
        ModalAnswer::clickButton("OK", &seen, 60000);
        tab->ui->bStart->click();
        QCOMPARE(seen, QStringList({"Error", "Please provide minimum one DB to launch the server!"}));
        QTest::qWait(2000);
        QVERIFY(calls().isEmpty());
        QCOMPARE(tab->ui->ttPort->text(), QString());
    }

    void savedShellConfigurationWarns()
    {
        home.writeFile(".veltrc", "[options]\n");
        writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\nshell:::1\npython2:::1\n");
        auto tab = openTab();
        QVERIFY(tab);
        QStringList seen;
        ModalAnswer::clickButton("OK", &seen, 60000);
        tab->ui->bStart->click();
        QCOMPARE(seen, QStringList({"Configuration save detected",
                                    "Be careful, you have saved a configuration in ~/.veltrc. This can break the "
                                    "velt shell."}));
        // The server starts all the same, in shell mode, in the Python 2 environment.
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        // An empty port field takes the default port.
        QCOMPARE(tab->ui->ttPort->text(), QString("8069"));
        QVERIFY(calls().last().contains(" venv=vMaster-python2 args=shell --xmlrpc-port 8069 "));
        // Stop would kill by a port that other servers of the machine may use.
        QVERIFY(tab->sendCtrlC());
    }

    // Stop kills what is left on the port its server was started on, as a
    // whole word: not the port typed into the field since, not a longer port
    // that begins with it.
    void stopKillsOnlyItsOwnServer()
    {
        const int ownPort = privatePort();
        int otherPort = privatePort();
        while (otherPort == ownPort)
            otherPort = privatePort();
        StandInServer longerPort(QString::number(ownPort) + "0");
        QVERIFY(longerPort.isReady());
        writeConfig(privateConfig(ownPort, "Workers:::1\n"), 'a');
        writeConfig(privateConfig(otherPort), 'b');
        auto a = openTab('a');
        auto b = openTab('b');
        QVERIFY(a && b);
        a->ui->bStart->click();
        b->ui->bStart->click();
        QVERIFY(QTest::qWaitFor([&] { return a->isServerRunning() && b->isServerRunning(); }, deadline));
        QVERIFY(QTest::qWaitFor([&] { return processesOnPort(ownPort) == 2; }, deadline)); // server and worker

        a->ui->ttPort->setText(QString::number(otherPort));
        a->ui->bStop->click();
        // The worker ignores Ctrl+C: only the kill by port ends it.
        QVERIFY(QTest::qWaitFor([&] { return processesOnPort(ownPort) == 0; }, deadline));
        QTest::qWait(1000);
        QCOMPARE(processesOnPort(otherPort), 1);
        QVERIFY(b->isServerRunning());
        QVERIFY(longerPort.isAlive());
        QVERIFY(stopServer(*b));
    }

    // A database name from elsewhere reaches the server as one argument and
    // never runs as a command.
    void hostileDatabaseNamesStayNames()
    {
        const int port = privatePort();
        for (const QString name : {"x;touch pwned", "x$(touch${IFS}p)"}) {
            QFile::remove(home.path() + "/calls.txt");
            writeConfig(("<--- DB <---\n" + name + "\n---> DB --->\nport:::" + QString::number(port) + "\n").toUtf8());
            auto tab = openTab();
            QVERIFY(tab);
            tab->ui->bStart->click();
            QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
            QVERIFY2(calls().last().contains(" -d " + name + " --db-filter=" + name + " "), qPrintable(calls().last()));
            QVERIFY(stopServer(*tab));
        }
        QVERIFY(!QFile::exists(workspace() + "/pwned"));
        QVERIFY(!QFile::exists(workspace() + "/p"));
    }

    void hiddenTabStartsItsShellsWhenShown()
    {
        ServerWidget tab('a', nullptr);
        QTest::qWait(500);
        QVERIFY(!tab.serverTerminal && !tab.communityTerminal && !tab.enterpriseTerminal && !tab.run);
        tab.show();
        for (MyQTermWidget* terminal : {tab.serverTerminal, tab.communityTerminal, tab.enterpriseTerminal})
            QVERIFY(terminal && terminal->getShellPID() > 0);
        // The server terminal is in the workspace.
        tab.serverTerminal->sendText("pwd >> ~/calls.txt\n");
        QVERIFY(QTest::qWaitFor([&] { return calls() == QStringList{workspace()}; }, deadline));
        tab.hide();
    }

    // The port a tab started its server on is forgotten when that server
    // ends by itself: once another tab runs a server on the same port, the
    // status bar does not mark the first tab running, nor does its Stop kill
    // the other tab's server.
    void startedPortForgottenWhenTheServerEnds()
    {
        const int port = privatePort();
        writeConfig(privateConfig(port), 'a');
        writeConfig(privateConfig(port), 'b'); // a copied workspace
        ConfigLoader* config = ConfigLoader::getSingleton();
        const int shownStatus = config->showServerStatus;
        config->showServerStatus = 1; // the current tab's server
        MainWindow window;
        QTabWidget* tabs = window.tabs->findChild<QTabWidget*>("tabWidget", Qt::FindDirectChildrenOnly);
        auto* a = qobject_cast<ServerWidget*>(tabs->widget(0));
        auto* b = qobject_cast<ServerWidget*>(tabs->widget(1));
        QVERIFY(a && b);
        for (ServerWidget* tab : {a, b}) {
            tab->startTerminals();
            QVERIFY(QTest::qWaitFor([&] { return tab->run->lastLine.contains("$"); }, deadline));
        }
        QTest::qWait(1000);

        a->ui->bStart->click();
        QVERIFY(QTest::qWaitFor([&] { return a->isServerRunning() && processesOnPort(port) == 1; }, deadline));
        for (int pid : processesOn(QString::number(port)))
            ::kill(pid, SIGTERM);
        QVERIFY(QTest::qWaitFor([&] { return !a->isServerRunning() && processesOnPort(port) == 0; }, deadline));
        QVERIFY(QTest::qWaitFor([&] { return a->run->startedPort().isEmpty(); }, deadline));

        b->ui->bStart->click();
        QVERIFY(QTest::qWaitFor([&] { return b->isServerRunning() && processesOnPort(port) == 1; }, deadline));
        tabs->setCurrentIndex(0);
        window.updateConso();
        QVERIFY(!a->isServerRunning());
        tabs->setCurrentIndex(1);
        window.updateConso();
        QVERIFY(b->isServerRunning());
        QVERIFY(!a->isServerRunning());

        QVERIFY(QMetaObject::invokeMethod(a, "on_bStop_clicked"));
        QTest::qWait(1000);
        QCOMPARE(processesOnPort(port), 1);
        QVERIFY(b->isServerRunning());
        b->ui->bStop->click();
        QVERIFY(QTest::qWaitFor([&] { return processesOnPort(port) == 0; }, deadline));
        config->showServerStatus = shownStatus;
    }

};

QTEST_MAIN(TestServerWidgetRun)
#include "test_serverwidget_run.moc"
