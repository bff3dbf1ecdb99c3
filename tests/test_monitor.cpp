// The main window's resource monitor with real stand-in server processes:
// the status-bar texts of the three modes, the tab marks and icons, and the
// offer to stop servers at close (searchAndKill).

#include "standinserver.h"
#include "testfiles.h"
#include "testhome.h"

#include "exec/termexecutor.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "shell/mainwidget.h"
#include "shell/mainwindow.h"
#include "shell/resourcemonitor.h"
#include "shell/searchandkill.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <unistd.h>

namespace {
QTabWidget* outerTabs(MainWindow& w)
{
    return w.tabs->findChild<QTabWidget*>("tabWidget", Qt::FindDirectChildrenOnly);
}

ServerWidget* serverTab(MainWindow& w, int index)
{
    return qobject_cast<ServerWidget*>(outerTabs(w)->widget(index));
}

QIcon runningIcon(ServerWidget* tab)
{
    return tab->findChild<QTabWidget*>("tabWidget")->tabIcon(0);
}

void setPort(ServerWidget* tab, const QString& text)
{
    tab->buildForm(); // as when the person opens the tab
    tab->findChild<QLineEdit*>("ttPort")->setText(text);
}

// Answers every message box that shows up while it lives by clicking
// `buttonText`, and records each box's text.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(const QString& buttonText)
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this, buttonText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            titles << box->windowTitle();
            texts << box->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text().remove('&') == buttonText) {
                    button->click();
                    return;
                }
            box->close();
        });
        timer.start();
    }
    QStringList titles;
    QStringList texts;

private:
    QTimer timer;
};

// A port of our own for the tests that do not need the watched ports.
int privatePort(int offset)
{
    return 30000 + int(getpid() % 10000) * 2 + offset;
}

// The eight watched ports of this run: first, first + 4, ... first + 28.
int watchedPort(int index)
{
    return 50000 + int(getpid() % 350) * 40 + 4 * index;
}
}

class MonitorTest : public QObject
{
    Q_OBJECT
private:
    ConfigLoader* config = ConfigLoader::getSingleton();

private slots:
    void initTestCase()
    {
        const QString home = qEnvironmentVariable("HOME");
        QDir().mkpath(home + "/Documents/velt-servers/server_a");
        QDir().mkpath(home + "/Documents/velt-servers/server_b");
        // Closing a window cleans up the watched ports: never a real server's.
        ResourceMonitor::setFirstServerPort(watchedPort(0));
    }

    void noServerInformation()
    {
        config->showServerStatus = 0;
        config->showLauncherStatus = 1;
        MainWindow w;
        ServerWidget* a = serverTab(w, 0);
        a->findChild<QTabWidget*>("tabWidget")->setTabIcon(0, w.greenIcon);
        w.updateConso();
        QVERIFY(runningIcon(a).isNull());
        QCOMPARE(w.statusBar()->currentMessage(), QString());
        QVERIFY2(QRegularExpression("^Launcher: VM used: [1-9]\\d* MB\\.       RAM used: [1-9]\\d* MB\\.     "
                                    "CPU used: -?\\d+%\\.$").match(w.launcherLabel->text()).hasMatch(),
                 qPrintable(w.launcherLabel->text()));

        // Launcher figures off: the label empties.
        config->showLauncherStatus = 0;
        w.updateConso();
        QCOMPARE(w.launcherLabel->text(), QString());
    }

    void currentServerRunningThenStopped()
    {
        config->showServerStatus = 1;
        config->showLauncherStatus = 0;
        const int port = privatePort(0);
        // Some CPU time first, so the first figure is not 0.
        auto server = std::make_unique<StandInServer>(QString::number(port),
                                                      "i=0; while ((i < 200000)); do ((i++)); done");
        QVERIFY(server->isReady());

        MainWindow w;
        ServerWidget* a = serverTab(w, 0);
        ServerWidget* b = serverTab(w, 1);
        setPort(a, QString::number(port));
        setPort(b, QString::number(port + 1));
        outerTabs(w)->setCurrentIndex(0);
        w.updateConso();

        const QString message = w.statusBar()->currentMessage();
        const QRegularExpressionMatch match = QRegularExpression(
            "^Server: VRam used: (\\d+) MB   Real RAM used: (\\d+)MB\\.     CPU used: ([^%]+)%\\.      PID: (\\d+)$")
            .match(message);
        QVERIFY2(match.hasMatch(), qPrintable(message));
        QCOMPARE(match.captured(4).toInt(), server->pid());
        QCOMPARE(w.serverPid, server->pid());
        QCOMPARE(runningIcon(a).cacheKey(), w.greenIcon.cacheKey());
        QVERIFY(a->isServerRunning());
        QVERIFY(!b->isServerRunning());
        QCOMPARE(w.launcherLabel->text(), QString());

        // The first figure covers the process's whole life (against a zeroed
        // sample); the next one, the idle two seconds since.
        const pstat first = w.currentSamples.value(port);
        QVERIFY(first.utime > 0);
        QCOMPARE(match.captured(3), QString::number(2.0 * first.utime / first.cpuTotal * 100));
        QCOMPARE(match.captured(1).toULong(), first.vsize / 1000000);
        QCOMPARE(w.previousSamples.value(port).utime, first.utime);
        w.updateConso();
        QVERIFY2(w.statusBar()->currentMessage().contains("MB.     CPU used: 0%.      PID: "),
                 qPrintable(w.statusBar()->currentMessage()));

        server.reset();
        w.updateConso();
        QCOMPARE(w.statusBar()->currentMessage(), QString("Server: Not Running"));
        QCOMPARE(w.serverPid, -1);
        QCOMPARE(runningIcon(a).cacheKey(), w.redIcon.cacheKey());
        QVERIFY(!a->isServerRunning());
    }

    void currentTabWithoutServer()
    {
        config->showServerStatus = 1;
        MainWindow w;
        // The "Todo list" page has no port field: nothing is found.
        outerTabs(w)->setCurrentIndex(w.tabs->todoIndex);
        w.updateConso();
        QCOMPARE(w.statusBar()->currentMessage(), QString("Server: Not Running"));
        QCOMPARE(w.serverPid, -1);

        // A hand-edited port never reaches the shell.
        outerTabs(w)->setCurrentIndex(0);
        const QString marker = QDir::temp().filePath(QString("kvl_monitor_%1").arg(getpid()));
        setPort(serverTab(w, 0), "1'; touch " + marker + "; echo '");
        w.updateConso();
        QCOMPARE(w.statusBar()->currentMessage(), QString("Server: Not Running"));
        QVERIFY(!QFile::exists(marker));
    }

    void allServers()
    {
        config->showServerStatus = 2;
        StandInServer first(QString::number(watchedPort(0)));
        StandInServer second(QString::number(watchedPort(2)));
        QVERIFY(first.isReady() && second.isReady());

        MainWindow w;
        ServerWidget* a = serverTab(w, 0);
        ServerWidget* b = serverTab(w, 1);
        setPort(a, QString::number(watchedPort(0)));
        setPort(b, QString::number(watchedPort(1)));
        a->findChild<QTabWidget*>("tabWidget")->setTabIcon(0, w.redIcon);
        outerTabs(w)->setCurrentIndex(0);
        w.updateConso();

        const QString message = w.statusBar()->currentMessage();
        const QString entry = "Server \\(port: %1\\):  RAM: \\d+MB\\.  CPU used: [^%]+%\\.  PID: %2  \\|\\|\\|  ";
        const QRegularExpressionMatch at8069 =
            QRegularExpression(entry.arg(watchedPort(0)).arg(first.pid())).match(message);
        const QRegularExpressionMatch at8077 =
            QRegularExpression(entry.arg(watchedPort(2)).arg(second.pid())).match(message);
        QVERIFY2(at8069.hasMatch() && at8077.hasMatch(), qPrintable(message));
        QVERIFY(at8069.capturedStart() < at8077.capturedStart());
        QVERIFY(message.startsWith(QString("Server (port: %1):  RAM: ").arg(watchedPort(0))));
        QVERIFY(message.endsWith("  |||  "));
        QVERIFY(runningIcon(a).isNull());
        QVERIFY(a->isServerRunning());
        QVERIFY(!b->isServerRunning());
    }

    void allServersNoneRunning()
    {
        config->showServerStatus = 2;
        MainWindow w;
        w.updateConso();
        QCOMPARE(w.statusBar()->currentMessage(), QString("No server running..."));
        QVERIFY(!serverTab(w, 0)->isServerRunning());
    }

    void serverGoneBeforeItsSampleIsNotRunning()
    {
        // A ps first on PATH lists a server whose process no longer exists,
        // as when it ends between the lookup and the sample.
        const int gone = 999999;
        QVERIFY(!QFileInfo::exists(QString("/proc/%1").arg(gone)));
        QTemporaryDir bin;
        const int port = privatePort(2);
        QFile fakePs(bin.path() + "/ps");
        QVERIFY(fakePs.open(QIODevice::WriteOnly));
        fakePs.write(QString("#!/bin/sh\n"
                             "case \"$*\" in\n"
                             "  *-o*) echo '%1 velt-bin --xmlrpc-port %3'; echo '%1 velt-bin --xmlrpc-port %2' ;;\n"
                             "  *) echo 'root %1 1 0 09:00 ? 00:00:00 velt-bin --xmlrpc-port %2 -d db' ;;\n"
                             "esac\n").arg(gone).arg(port).arg(watchedPort(0)).toUtf8());
        fakePs.close();
        QVERIFY(fakePs.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);

        MainWindow w;
        ServerWidget* a = serverTab(w, 0);
        setPort(a, QString::number(port));
        outerTabs(w)->setCurrentIndex(0);
        a->setServerRunning(true);
        config->showServerStatus = 1;
        int foundPort = 0;
        QCOMPARE(w.getCurrentPID(foundPort, -1), gone); // the lookup does see it
        QCOMPARE(foundPort, port);
        w.updateConso();
        QCOMPARE(w.statusBar()->currentMessage(), QString("Server: Not Running"));
        QCOMPARE(runningIcon(a).cacheKey(), w.redIcon.cacheKey());
        QVERIFY(!a->isServerRunning());

        config->showServerStatus = 2;
        w.updateConso();
        QCOMPARE(w.statusBar()->currentMessage(), QString("No server running..."));
        qputenv("PATH", path);
    }

    void tabClosedWhileTheRefreshShowsASplatIsRefused()
    {
        // A ps that complains makes the refresh's lookup open a Bug Splat
        // window; the person tries to close the tab the refresh is about.
        QTemporaryDir bin;
        QVERIFY(TestFiles::write(bin.path() + "/ps", "#!/bin/sh\necho 'ps: warning: something odd' >&2\n", true));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
        config->showServerStatus = 1;

        MainWindow w;
        outerTabs(w)->setCurrentIndex(0);
        TermExecutor* executor = TermExecutor::getSingleton();
        auto yes = std::make_unique<BoxAnswerer>("Yes");
        int splats = 0;
        QTimer person;
        QObject::connect(&person, &QTimer::timeout, [&] {
            if (!executor->splatWindow->isVisible())
                return;
            if (++splats == 1)
                emit outerTabs(w)->tabCloseRequested(0);
            else
                executor->splatWindow->hide();
        });
        person.start(30);
        w.updateConso();
        qputenv("PATH", path);

        QVERIFY(splats >= 2);
        QVERIFY(yes->texts.isEmpty()); // not even asked
        yes.reset();
        QVERIFY(serverTab(w, 0) && serverTab(w, 0)->letter == 'a');
        QVERIFY2(w.refusalLabel->text().contains("Remove server"), qPrintable(w.refusalLabel->text()));
        // Once the refresh is over, the tab can be closed again.
        BoxAnswerer no("No");
        emit outerTabs(w)->tabCloseRequested(0);
        QCOMPARE(no.texts.size(), 1);
    }

    void searchAndKillAsksThenKillsOnlyThatServer()
    {
        const int port = privatePort(1);
        StandInServer target(QString::number(port));
        StandInServer longerPort(QString::number(port) + "0");
        StandInServer otherPort(QString::number(port + 4));
        QVERIFY(target.isReady() && longerPort.isReady() && otherPort.isReady());
        MainWindow w;

        {
            BoxAnswerer no("No");
            searchAndKill(&w, port);
            QCOMPARE(no.titles, QStringList({"Close Velt Launcher"}));
            QCOMPARE(no.texts, QStringList({QString("Do you want to close the server on the port %1 ?\n").arg(port)}));
        }
        QTest::qWait(200);
        QVERIFY(target.isAlive());

        {
            BoxAnswerer yes("Yes");
            searchAndKill(&w, port);
            QCOMPARE(yes.texts.size(), 1);
        }
        QVERIFY(target.waitForEnd(5000));
        QVERIFY(longerPort.isAlive());
        QVERIFY(otherPort.isAlive());

        // Nothing on the port: no question at all.
        BoxAnswerer none("Yes");
        searchAndKill(&w, port);
        QVERIFY(none.texts.isEmpty());
    }

    void closingOffersToStopRunningServers()
    {
        config->showServerStatus = 0;
        StandInServer server(QString::number(watchedPort(1)));
        QVERIFY(server.isReady());
        {
            MainWindow w;
            w.show();
            BoxAnswerer no("No");
            QVERIFY(w.close());
            QVERIFY(!w.isVisible());
            QVERIFY(no.texts.contains(QString("Do you want to close the server on the port %1 ?\n").arg(watchedPort(1))));
            QVERIFY(!no.texts.contains(QString("Do you want to close the server on the port %1 ?\n").arg(watchedPort(0))));
        }
        QTest::qWait(200);
        QVERIFY(server.isAlive()); // declined: left running

        MainWindow w;
        w.show();
        BoxAnswerer yes("Yes");
        QVERIFY(w.close());
        QVERIFY(server.waitForEnd(5000));
    }
};

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    MonitorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_monitor.moc"
