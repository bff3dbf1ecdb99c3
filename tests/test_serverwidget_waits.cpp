// The server tab around its waits, in a real terminal with the stand-in
// server script as the workspace's start script: one operation at a time,
// waits for the prompt that end (whatever the prompt, a line that never
// brings it back, a shell that has ended, the person's Cancel, the tab or the
// launcher going), and Ctrl+C that gives up on a program that ignores it.
#include "exec/myqtermwidget.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"
#include "modalanswer.h"
#include "server/autocompletionlist.h"
#include "server/runcontrol.h"
#include "server/serverwidget.h"
#include "serverrunfixture.h"
#include "settings/configloader.h"
#include "shell/mainwidget.h"
#include "ui_serverwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <functional>
#include <limits>
#include <memory>
#include <unistd.h>

namespace {
// A wait that never ends would block the test for good: the alarm turns it
// into a failure with a message.
void onAlarm(int)
{
    const char message[] = "test_serverwidget_waits: a test did not finish within its deadline\n";
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(3);
}

// Runs `operation`; a wait in it that does not end is ended by the tab going
// after the deadline, and the result is false.
bool endsInTime(const QPointer<ServerWidget>& tab, const std::function<void()>& operation)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&tab] { delete tab.data(); });
    watchdog.start(ServerRunFixture::deadline);
    operation();
    return !tab.isNull();
}
}

class TestServerWidgetWaits : public QObject, public ServerRunFixture
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

QTEST_MAIN(TestServerWidgetWaits)
#include "test_serverwidget_waits.moc"
