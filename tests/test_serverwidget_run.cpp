// Running a server from its tab, in a real terminal with the stand-in server
// script as the workspace's start script: Start, Stop, Restart, Drop, the
// automatic port, the refusals and warnings, and waits that end cleanly.
#include "exec/myqtermwidget.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"
#include "exec/terminalshell.h"
#include "modalanswer.h"
#include "server/autocompletionlist.h"
#include "server/runcontrol.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "shell/mainwidget.h"
#include "shell/mainwindow.h"
#include "standinserver.h"
#include "testhome.h"
#include "ui_serverwidget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QtTest>

#include <csignal>
#include <functional>
#include <limits>
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

// The processes on the machine whose command line carries "xmlrpc-port
// <port>", the port as a whole word.
QList<int> processesOn(const QString& port)
{
    QProcess ps;
    ps.start("ps", {"-eww", "-o", "pid=,args="});
    ps.waitForFinished(10000);
    const QRegularExpression portWord("xmlrpc-port " + port + "( |$)");
    QList<int> pids;
    for (const QString& line : QString::fromUtf8(ps.readAllStandardOutput()).split('\n'))
        if (line.contains(portWord) && !line.contains("ps -eww"))
            pids << line.trimmed().section(' ', 0, 0).toInt();
    return pids;
}

int processesOnPort(int port)
{
    return processesOn(QString::number(port)).size();
}

// The test's own bash set-up, with the prompt `prompt`.
QByteArray bashrc(const QByteArray& prompt)
{
    return "PS1='" + prompt + "'\nexport PATH=\"$HOME/bin:$PATH\"\n";
}

// Ends what runs in the foreground of a terminal of the test's own.
void endForeground(MyQTermWidget* terminal)
{
    QFile stat(QString("/proc/%1/stat").arg(terminal->getShellPID()));
    if (!stat.open(QIODevice::ReadOnly))
        return;
    const TerminalShell::StatFields fields = TerminalShell::parseStat(stat.readAll());
    if (fields.terminalGroup > 0 && fields.terminalGroup != fields.processGroup)
        ::kill(-fields.terminalGroup, SIGTERM);
}

// Runs `operation`; a wait in it that does not end is ended by the tab going
// after the deadline, and the result is false.
bool endsInTime(const QPointer<ServerWidget>& tab, const std::function<void()>& operation)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&tab] { delete tab.data(); });
    watchdog.start(deadline);
    operation();
    return !tab.isNull();
}

// A port of the test's own: free for listening and carried by no process's
// command line, so nothing the test kills by port is anybody else's.
int privatePort()
{
    for (;;) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return 0;
        const int port = probe.serverPort();
        if (processesOnPort(port) == 0 && processesOn(QString::number(port) + "0").isEmpty())
            return port;
    }
}

}

class TestServerWidgetRun : public QObject
{
    Q_OBJECT

    TestHome home;

    QString workspace(char letter = 'a') const
    {
        return home.path() + "/Documents/velt-servers/server_" + QChar(letter);
    }
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
    void writeConfig(const QByteArray& body, char letter = 'a')
    {
        home.writeFile(QString("Documents/velt-servers/server_%1/VLconfig").arg(letter),
                       "### CONFIG FILE ###\n" + body);
    }
    // The settings of a tab with one database and a port of the test's own.
    QByteArray privateConfig(int port, const QByteArray& more = QByteArray())
    {
        return "<--- DB <---\ndb_server_a\n---> DB --->\nport:::" + QByteArray::number(port) + "\n" + more;
    }

    // A tab whose terminal has finished its own set-up lines.
    std::unique_ptr<ServerWidget> openTab(char letter = 'a')
    {
        auto tab = std::make_unique<ServerWidget>(letter, nullptr);
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
        home.writeFile(".bashrc", bashrc("$ "));
        writeExecutable("bin/dropdb", "#!/bin/sh\necho \"dropdb $# args: $*\" >> \"$HOME/calls.txt\"\n");
        for (char letter : {'a', 'b'}) {
            QVERIFY(QDir().mkpath(workspace(letter) + "/velt"));
            QFile::copy(KVL_STANDIN_SERVER, workspace(letter) + "/velt/velt-bin");
            QVERIFY(QFile::setPermissions(workspace(letter) + "/velt/velt-bin",
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        // A ps that also writes a warning on its error output, for the
        // automatic port's probe when a test puts it on the PATH.
        writeExecutable("noisy/ps", "#!/bin/sh\necho 'ps: a warning' >&2\nexec /bin/ps \"$@\"\n");
        // The activation takes the next typed line if it came too early, and
        // never ends while ~/hang exists.
        for (const char* python : {"python2", "python3"})
            home.writeFile(QString("Documents/velt-servers/environnements/vMaster/%1/bin/activate").arg(python),
                           QByteArray("export VIRTUAL_ENV=vMaster-") + python + "\n"
                           "if [ -e \"$HOME/hang\" ]; then sleep 60; fi\n"
                           "if read -t 1 early; then echo \"typed too early: $early\" >> \"$HOME/calls.txt\"; fi\n"
                           "echo activated >> \"$HOME/calls.txt\"\n");
        TermExecutor::getSingleton();
    }

    void init()
    {
        QFile::remove(home.path() + "/calls.txt");
        QFile::remove(home.path() + "/hang");
        QFile::remove(home.path() + "/.veltrc");
        ConfigLoader* config = ConfigLoader::getSingleton();
        config->auto_port = false;
        config->remove_installs = false;
        config->secBeforeShutDown = 2;
        writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\n");
    }

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

    // A second Start while the first one waits is refused: one start, and
    // when the server then ends on its own nothing is typed again.
    void doubleStartStartsOnce()
    {
        const int port = privatePort();
        writeConfig(privateConfig(port));
        auto tab = openTab();
        QVERIFY(tab);
        QStringList refusals;
        const QMetaObject::Connection watch = connect(&OperationGate::shared(), &OperationGate::refused, this,
                                                      [&](const QString& message) { refusals << message; });
        // The activation takes a second: the second click comes during its wait.
        QTimer::singleShot(300, tab.get(), [&] { tab->ui->bStart->click(); });
        tab->ui->bStart->click();
        disconnect(watch);
        QCOMPARE(refusals.size(), 1);
        QVERIFY(refusals.first().contains("Start server"));
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));

        for (int pid : processesOn(QString::number(port)))
            ::kill(pid, SIGTERM);
        QVERIFY(QTest::qWaitFor([&] { return !tab->isServerRunning(); }, deadline));
        QTest::qWait(3000);
        QCOMPARE(calls().size(), 3);
        QCOMPARE(calls().first(), QString("activated"));
        QVERIFY(calls().at(1).startsWith("server pwd="));
        QCOMPARE(calls().last(), QString("server stopped"));
    }

    // While a tab's operation shows its Bug Splat window the tab cannot be
    // closed; if the tab goes some other way meanwhile, the operation ends
    // without touching it (the sanitized build watches).
    void tabClosedDuringItsSplat()
    {
        ConfigLoader::getSingleton()->auto_port = true;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", home.path().toUtf8() + "/noisy:" + path);
        mainWidget window(nullptr);
        auto* tabs = window.findChild<QTabWidget*>("tabWidget");
        QVERIFY(tabs);
        QPointer<ServerWidget> tab = qobject_cast<ServerWidget*>(tabs->widget(0));
        QVERIFY(tab);
        QStringList refusals;
        QStringList boxes;
        const QMetaObject::Connection watch = connect(&OperationGate::shared(), &OperationGate::refused, this,
                                                      [&](const QString& message) { refusals << message; });
        TermExecutor* executor = TermExecutor::getSingleton();
        bool stillThere = false;
        QTimer splat;
        connect(&splat, &QTimer::timeout, this, [&] {
            if (!executor->splatWindow->isVisible())
                return;
            splat.stop();
            ModalAnswer::clickButton("No", &boxes, 3000);
            emit tabs->tabCloseRequested(tabs->indexOf(tab));
            stillThere = tabs->indexOf(tab) == 0;
            delete tab.data();
            executor->splatWindow->hide();
        });
        splat.start(30);
        tab->ui->bStart->click();
        splat.stop();
        disconnect(watch);
        qputenv("PATH", path);

        QVERIFY(stillThere);
        QVERIFY(boxes.isEmpty()); // not even asked
        QCOMPARE(refusals.size(), 1);
        QVERIFY(refusals.first().contains("Remove server"));
        QVERIFY(tab.isNull());
        QVERIFY(!OperationGate::shared().busy());
        QTest::qWait(500);
        QVERIFY(calls().isEmpty());
    }

    // secBeforeShutDown as a hand-edited file may give it: none, negative,
    // huge. Stop still returns at once, and a program that ignores Ctrl+C is
    // given up on in the end instead of freezing the window.
    void shutDownPatienceOutOfRange()
    {
        writeConfig(privateConfig(privatePort()));
        auto tab = openTab();
        QVERIFY(tab);
        for (int seconds : {0, -1, std::numeric_limits<int>::max()}) {
            ConfigLoader::getSingleton()->secBeforeShutDown = seconds;
            tab->ui->bStart->click();
            QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
            QElapsedTimer clock;
            clock.start();
            tab->ui->bStop->click();
            QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(seconds)));
            QVERIFY(!tab->isServerRunning());
            QCOMPARE(calls().last(), QString("server stopped"));
            QTest::qWait(1000); // the kill line's own prompt
        }

        // On a bare terminal, without a tab: a program that ignores Ctrl+C
        // is given up on.
        MyQTermWidget terminal(0, nullptr);
        RunControl control(&terminal, nullptr);
        connect(&terminal, &QTermWidget::receivedData, &control, [&](const QString& text) { control.receive(text); });
        terminal.startShellProgram();
        QVERIFY(QTest::qWaitFor([&] { return control.lastLine.contains("$"); }, deadline));
        ConfigLoader::getSingleton()->secBeforeShutDown = -1;
        terminal.sendText("sh -c 'trap \"\" INT; sleep 18'\n");
        QTest::qWait(1000);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!control.interrupt());
        QVERIFY(clock.elapsed() >= 9000 && clock.elapsed() < 16000);
        QVERIFY(QTest::qWaitFor([&] { return control.watchLine.contains("$"); }, deadline));
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
        QVERIFY(!tab.serverTerminal && !tab.communityTerminal && !tab.enterpriseTerminal && !tab.run);
        tab.show();
        for (MyQTermWidget* terminal : {tab.serverTerminal, tab.communityTerminal, tab.enterpriseTerminal})
            QVERIFY(terminal && terminal->getShellPID() > 0);
        // The server terminal is in the workspace.
        tab.serverTerminal->sendText("pwd >> ~/calls.txt\n");
        QVERIFY(QTest::qWaitFor([&] { return calls() == QStringList{workspace()}; }, deadline));
        tab.hide();
    }

    // Every wait for the prompt ends: with a prompt that does not end in
    // "$", after a line that never brings it back (the bound), in a terminal
    // whose shell has ended (a new one is started), and on the person's
    // Cancel during a prompt wait and during the Ctrl+C loop.
    void promptWaitsEnd()
    {
        writeConfig(privateConfig(privatePort()));
        home.writeFile(".bashrc", bashrc("% "));
        QPointer<ServerWidget> tab = new ServerWidget('a', nullptr);
        tab->startTerminals();
        const bool prompted = QTest::qWaitFor([&] { return tab->run->lastLine.contains("% "); }, deadline);
        home.writeFile(".bashrc", bashrc("$ "));
        QVERIFY(prompted);
        QTest::qWait(1000);
        const auto start = [&] { tab->ui->bStart->click(); };
        const auto stop = [&] { tab->ui->bStop->click(); };
        const QString serverCall = "server pwd=" + workspace() + " venv=vMaster-python3 ";

        QVERIFY(endsInTime(tab, start));
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        QVERIFY(endsInTime(tab, stop));
        QVERIFY(!tab->isServerRunning());
        QCOMPARE(calls().size(), 3);
        QCOMPARE(calls().at(0), QString("activated")); // the server line came after its prompt
        QVERIFY(calls().at(1).startsWith(serverCall));
        QCOMPARE(calls().at(2), QString("server stopped"));

        QFile::remove(home.path() + "/calls.txt");
        tab->serverTerminal->sendText("exit\n");
        QVERIFY(QTest::qWaitFor([&] { return tab->serverTerminal->getShellPID() == 0; }, deadline));
        QVERIFY(endsInTime(tab, start));
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        QVERIFY(calls().value(1).startsWith(serverCall)); // in the workspace again
        QVERIFY(endsInTime(tab, stop));

        QFile::remove(home.path() + "/calls.txt");
        home.writeFile("hang", "");
        tab->run->promptBoundMs = 2000;
        QStringList seen;
        ModalAnswer::clickButton("OK", &seen, deadline);
        QVERIFY(endsInTime(tab, start));
        QCOMPARE(seen.value(0), QString("No prompt"));
        QVERIFY2(seen.value(1).contains("\"Start server\"") && seen.value(1).contains("python3/bin/activate"),
                 qPrintable(seen.value(1)));
        QVERIFY(calls().isEmpty()); // no server line
        QVERIFY(!OperationGate::shared().busy());
        tab->run->promptBoundMs = 30000;
        QVERIFY(endsInTime(tab, [&] { QVERIFY(tab->sendCtrlC()); }));

        seen.clear();
        ModalAnswer::clickButton("OK", &seen, 3000);
        QTimer::singleShot(1000, [] { OperationGate::shared().requestCancel(); });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(endsInTime(tab, start));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(endsInTime(tab, [&] { QVERIFY(tab->sendCtrlC()); }));
        QFile::remove(home.path() + "/hang");

        tab->serverTerminal->sendText("sh -c 'trap \"\" INT; sleep 60'\n");
        QTest::qWait(1000);
        tab->setServerRunning(true);
        QTimer::singleShot(1000, [] { OperationGate::shared().requestCancel(); });
        clock.restart();
        QVERIFY(endsInTime(tab, stop));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        endForeground(tab->serverTerminal);
        QTest::qWait(500);
        QVERIFY(seen.isEmpty()); // a cancelled operation says nothing
        QVERIFY(calls().isEmpty());
        delete tab.data();
    }

    // A server that ignores Ctrl+C: Stop, Restart and Drop give up on it,
    // say so, and leave Stop usable; nothing more is typed or killed.
    void serverThatDoesNotStopIsReported()
    {
        const int port = privatePort();
        writeConfig(privateConfig(port, "CustomParams:::--ignore-interrupt\n"));
        ConfigLoader::getSingleton()->secBeforeShutDown = 1;
        auto tab = openTab();
        QVERIFY(tab);
        tab->ui->bStart->click();
        QVERIFY(QTest::qWaitFor([&] { return tab->isServerRunning(); }, deadline));
        const QList<QPair<QPushButton*, QString>> buttons = {
            {tab->ui->bStop, "Stop server"}, {tab->ui->bRestart, "Restart server"}, {tab->ui->bClear, "Drop"}};
        for (const auto& button : buttons) {
            QStringList seen;
            ModalAnswer::clickButton("OK", &seen, deadline);
            button.first->click();
            QCOMPARE(seen.value(0), QString("Server not stopped"));
            QVERIFY2(seen.value(1).contains("\"" + button.second + "\""), qPrintable(seen.value(1)));
            QVERIFY(tab->ui->bStop->isEnabled());
            QCOMPARE(processesOnPort(port), 1);
        }
        QCOMPARE(calls().size(), 2); // activated, the server: no second start, no dropdb
        for (int pid : processesOn(QString::number(port)))
            ::kill(pid, SIGTERM);
        QVERIFY(QTest::qWaitFor([&] { return !tab->isServerRunning(); }, deadline));
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
