// Running a server from its tab, in a real terminal with the stand-in server
// script as the workspace's start script: Start, Stop, Restart, Drop, the
// automatic port, the refusals and warnings, and waits that end cleanly.
#include "exec/myqtermwidget.h"
#include "exec/termexecutor.h"
#include "modalanswer.h"
#include "server/autocompletionlist.h"
#include "server/runcontrol.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "testhome.h"
#include "ui_serverwidget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

const int deadline = 20000;

// A wait that never ends would block the test for good: the alarm turns it
// into a failure with a message.
void onAlarm(int)
{
    const char message[] = "test_serverwidget_run: a test did not finish within its deadline\n";
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(3);
}

// How many processes on the machine carry "xmlrpc-port <port>" in their command line.
int processesOnPort(int port)
{
    QProcess ps;
    ps.start("ps", {"-efww"});
    ps.waitForFinished(10000);
    const QByteArray needle = "xmlrpc-port " + QByteArray::number(port);
    int count = 0;
    for (const QByteArray& line : ps.readAllStandardOutput().split('\n'))
        count += line.contains(needle) && !line.contains("ps -efww");
    return count;
}

}

class TestServerWidgetRun : public QObject
{
    Q_OBJECT

    TestHome home;

    QString workspace() const { return home.path() + "/Documents/velt-servers/server_a"; }
    QStringList calls() const
    {
        QStringList lines = QString::fromUtf8(home.readFile("calls.txt")).split('\n');
        lines.removeAll(QString());
        return lines;
    }
    void writeExecutable(const QString& relativePath, const QByteArray& content)
    {
        home.writeFile(relativePath, content);
        QFile::setPermissions(home.path() + "/" + relativePath,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    void writeConfig(const QByteArray& body)
    {
        home.writeFile("Documents/velt-servers/server_a/VLconfig", "### CONFIG FILE ###\n" + body);
    }

    // A tab whose terminal has finished its own set-up lines.
    std::unique_ptr<ServerWidget> openTab()
    {
        auto tab = std::make_unique<ServerWidget>('a', nullptr);
        tab->startTerminals();
        if (!QTest::qWaitFor([&] { return tab->run->lastLine.contains("$"); }, deadline))
            return nullptr;
        QTest::qWait(1000);
        return tab;
    }

    bool stopServer(ServerWidget& tab)
    {
        if (tab.isServerRunning())
            tab.ui->bStop->click();
        return QTest::qWaitFor([&] { return !tab.isServerRunning(); }, deadline);
    }

private slots:
    void initTestCase()
    {
        signal(SIGALRM, onAlarm);
        alarm(280);
        AC_list::init();
        // A dropdb of our own on the PATH records what it was given.
        home.writeFile(".bashrc", "PS1='$ '\nexport PATH=\"$HOME/bin:$PATH\"\n");
        writeExecutable("bin/dropdb", "#!/bin/sh\necho \"dropdb $# args: $*\" >> \"$HOME/calls.txt\"\n");
        QVERIFY(QDir().mkpath(workspace() + "/velt"));
        QFile::copy(KVL_STANDIN_SERVER, workspace() + "/velt/velt-bin");
        QVERIFY(QFile::setPermissions(workspace() + "/velt/velt-bin",
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        // The activation takes the next typed line if it came too early.
        for (const char* python : {"python2", "python3"})
            home.writeFile(QString("Documents/velt-servers/environnements/vMaster/%1/bin/activate").arg(python),
                           QByteArray("export VIRTUAL_ENV=vMaster-") + python + "\n"
                           "if read -t 1 early; then echo \"typed too early: $early\" >> \"$HOME/calls.txt\"; fi\n"
                           "echo activated >> \"$HOME/calls.txt\"\n");
        TermExecutor::getSingleton();
    }

    void init()
    {
        QFile::remove(home.path() + "/calls.txt");
        QFile::remove(home.path() + "/.veltrc");
        ConfigLoader* config = ConfigLoader::getSingleton();
        config->auto_port = false;
        config->remove_installs = false;
        config->secBeforeShutDown = 2;
        writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\n");
    }

    void startThenStop()
    {
        writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\nWorkers:::1\ninstall:::sale\n");
        ConfigLoader::getSingleton()->remove_installs = true;
        auto tab = openTab();
        QVERIFY(tab);
        QCOMPARE(tab->ui->ttPort->text(), QString());
        tab->ui->bStart->click();
        QCOMPARE(tab->ui->ttPort->text(), QString("8069"));
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        QVERIFY(!tab->ui->bStart->isEnabled());
        QVERIFY(tab->ui->bStop->isEnabled() && tab->ui->bRestart->isEnabled());

        // cd, then the environment, then the command line, each after the prompt.
        QCOMPARE(calls(), QStringList({"activated",
                                      "server pwd=" + workspace() + " venv=vMaster-python3 args=--xmlrpc-port 8069 "
                                      "--addons-path=velt/addons -d db_server_a --db-filter=db_server_a -i sale "
                                      "--without-demo all --log-handler=velt.http.rpc.request:DEBUG --workers=1"}));
        // The modules were installed once: the next start does not install them again.
        QCOMPARE(tab->ui->ttInstall->text(), QString());
        QVERIFY(!tab->command.contains(" -i "));
        QVERIFY(QTest::qWaitFor([] { return processesOnPort(8069) == 2; }, deadline)); // server and worker

        tab->ui->bStop->click();
        QVERIFY(QTest::qWaitFor([&] { return !tab->isServerRunning(); }, deadline));
        QVERIFY(tab->ui->bStart->isEnabled());
        QVERIFY(!tab->ui->bStop->isEnabled() && !tab->ui->bRestart->isEnabled());
        QVERIFY(calls().contains("server stopped"));
        // The worker ignored Ctrl+C; the kill line took it.
        QVERIFY(QTest::qWaitFor([] { return processesOnPort(8069) == 0; }, deadline));
    }

    void restartRunsTheServerAgain()
    {
        writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\nport:::8069\n");
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
        QVERIFY(lines.at(4).contains("--xmlrpc-port 8069 "));
        QVERIFY(stopServer(*tab));
    }

    void dropStopsTheServerFirst()
    {
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

        ConfigLoader::getSingleton()->auto_port = true;
        writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\nport:::8069\n");
        auto tab = openTab();
        QVERIFY(tab);
        QVERIFY(tab->ui->ttPort->isReadOnly());
        tab->ui->bStart->click();
        QCOMPARE(tab->ui->ttPort->text(), QString("8077"));
        QVERIFY(tab->command.contains(" --xmlrpc-port 8077 "));
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        QCOMPARE(processesOnPort(8077), 1);
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
        QVERIFY(calls().last().contains(" venv=vMaster-python2 args=shell --xmlrpc-port 8069 "));
        QVERIFY(stopServer(*tab));
    }

    void closingTheTabEndsWaits()
    {
        ServerWidget* tab = openTab().release();
        QVERIFY(tab);
        QPointer<ServerWidget> watched(tab);
        QTimer::singleShot(800, [tab] { delete tab; });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!tab->sendOrderedText({"sleep 30\n", "echo never\n"}, false));
        QVERIFY(watched.isNull());
        QVERIFY(clock.elapsed() < 10000);
    }

    void ctrlCComesBackWhenIgnored()
    {
        // A program that ignores the first Ctrl+C gets another one.
        ConfigLoader::getSingleton()->secBeforeShutDown = 1;
        auto tab = openTab();
        QVERIFY(tab);
        tab->serverTerminal->sendText("sh -c 'trap \"trap - INT; echo once\" INT; while :; do sleep 0.1; done'\n");
        QTest::qWait(1000);
        QElapsedTimer clock;
        clock.start();
        tab->sendCtrlC();
        QVERIFY(clock.elapsed() >= 1000); // the first Ctrl+C was not enough
        QVERIFY(clock.elapsed() < 10000);
        QVERIFY(tab->run->watchLine.contains("$"));
    }
    void sandboxTypesNothingAndDoesNotWait()
    {
        auto tab = openTab();
        QVERIFY(tab);
        ConfigLoader::getSingleton()->sandbox = true;
        QElapsedTimer clock;
        clock.start();
        const bool typed = tab->sendOrderedText({"echo a >> ~/calls.txt\n", "echo b >> ~/calls.txt\n"}, false);
        ConfigLoader::getSingleton()->sandbox = false;
        QVERIFY(typed);
        QVERIFY(clock.elapsed() < 5000);
        QTest::qWait(1000);
        QVERIFY(calls().isEmpty());
    }

    void hiddenTabStartsItsShellsWhenShown()
    {
        ServerWidget tab('a', nullptr);
        QTest::qWait(500);
        for (MyQTermWidget* terminal : {tab.serverTerminal, tab.communityTerminal, tab.enterpriseTerminal})
            QCOMPARE(terminal->getShellPID(), 0);
        // What is typed meanwhile runs once the shell is there, in the workspace.
        tab.serverTerminal->sendText("pwd >> ~/calls.txt\n");
        tab.show();
        for (MyQTermWidget* terminal : {tab.serverTerminal, tab.communityTerminal, tab.enterpriseTerminal})
            QVERIFY(terminal->getShellPID() > 0);
        QVERIFY(QTest::qWaitFor([&] { return calls() == QStringList{workspace()}; }, deadline));
        tab.hide();
    }

    // Last: it runs the application's event loop the way the launcher does,
    // and closes its last window while a wait for the prompt runs.
    void closingTheLauncherEndsWaits()
    {
        auto tab = openTab();
        QVERIFY(tab);
        tab->show();
        bool completed = true;
        qint64 elapsed = -1;
        QTimer::singleShot(0, tab.get(), [&] {
            QElapsedTimer clock;
            clock.start();
            completed = tab->sendOrderedText({"sleep 30\n", "echo never >> ~/calls.txt\n"}, false);
            elapsed = clock.elapsed();
            QCoreApplication::quit();
        });
        QTimer::singleShot(800, tab.get(), [&] { tab->close(); });
        QApplication::exec();
        QVERIFY(!completed);
        QVERIFY(elapsed >= 0 && elapsed < 10000);
        QTest::qWait(500);
        QVERIFY(!calls().contains("never"));
    }
};

QTEST_MAIN(TestServerWidgetRun)
#include "test_serverwidget_run.moc"
