// Start-up of the launcher on 1 and on 5 server workspaces (each with its
// VLconfig), measured until the main window is shown, without the fixed
// splash pause; the launcher's resident memory once the tabs are up, and
// again once every tab has been visited (all terminals running a shell).
// Each measurement runs in a fresh process with a home of its own.
//
//   bench_tabs [runs]          (default 5 runs per workspace count)
//   bench_tabs --child <tabs>  (one measurement; used by the above)

#include "exec/myqtermwidget.h"
#include "exec/termexecutor.h"
#include "server/autocompletionlist.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "shell/mainwindow.h"
#include "tools/environnement.h"
#include "benchmeasures.h"
#include "launcherstart.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
using namespace BenchMeasures;

const char* const sampleConfig =
    "### CONFIG FILE ###\n<--- DB <---\ndb_main\ndb_test\n---> DB --->\n"
    "python2:::0\nshell:::0\nenterprise:::1\ndemo_data:::0\ninstall:::sale,crm\nupgrade:::\ndb:::db_test\n"
    "port:::8069\nlog:::info\nlog-handler:::velt.http:DEBUG\nWorkers:::2\nCustomParams:::--dev-extra\n"
    "<--- GitCheckoutPoints <---\n---> GitCheckoutPoints --->\n";

int child(int argc, char* argv[], int tabs)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("SHELL", "/bin/bash");
    QDir root(home.path());
    root.mkpath("Desktop");
    QFile bashrc(home.path() + "/.bashrc");
    if (bashrc.open(QIODevice::WriteOnly))
        bashrc.write("PS1='$ '\n");
    // Stand-ins for the database listing and the server's version script,
    // which would otherwise stop the start on a warning box.
    root.mkpath("bin");
    QFile psql(home.path() + "/bin/psql");
    if (psql.open(QIODevice::WriteOnly))
        psql.write("#!/bin/sh\nprintf 'db_main|dev|UTF8|C|C|\\n'\n");
    psql.close();
    psql.setPermissions(psql.permissions() | QFileDevice::ExeOwner);
    qputenv("PATH", home.path().toLocal8Bit() + "/bin:" + qgetenv("PATH"));
    for (int i = 0; i < tabs; ++i) {
        const QString workspace = QString("Documents/velt-servers/server_%1").arg(QChar('a' + i));
        root.mkpath(workspace + "/velt");
        root.mkpath(workspace + "/enterprise");
        QFile config(home.path() + "/" + workspace + "/VLconfig");
        if (config.open(QIODevice::WriteOnly))
            config.write(sampleConfig);
        QFile script(home.path() + "/" + workspace + "/velt/velt-bin");
        if (script.open(QIODevice::WriteOnly))
            script.write("#!/bin/sh\necho 'Velt Server 11.0'\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }

    QApplication app(argc, argv);
    LauncherStart::writeSettings(home.path() + "/.config/KydVeltLauncher/config");

    // The start-up work, up to the shown main window.
    QElapsedTimer clock;
    clock.start();
    MainWindow* window = LauncherStart::buildMainWindow();
    const qint64 constructed = clock.elapsed();
    window->showMaximized();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    const qint64 shown = clock.elapsed();

    settle(2000);
    const long residentAtStart = residentKilobytes();
    // Every tab visited once, so every tab's terminals run their shells.
    if (auto* tabWidget = window->findChild<QTabWidget*>("tabWidget")) {
        for (int i = 0; i < tabs; ++i) {
            tabWidget->setCurrentIndex(i);
            settle(300);
        }
    }
    settle(1000);
    const long residentAllVisited = residentKilobytes();

    // What one more (hidden) tab costs, and three terminals with their shells.
    clock.restart();
    auto* extra = new ServerWidget('z', nullptr);
    const qint64 oneTab = clock.elapsed();
    clock.restart();
    std::vector<MyQTermWidget*> terminals;
    for (int i = 0; i < 3; ++i) {
        terminals.push_back(new MyQTermWidget(0, nullptr));
        terminals.back()->startShellProgram();
    }
    const qint64 threeTerminals = clock.elapsed();
    for (MyQTermWidget* terminal : terminals)
        delete terminal;
    delete extra;

    std::printf("%d %lld %lld %ld %ld %lld %lld\n", tabs, static_cast<long long>(shown),
                static_cast<long long>(constructed), residentAtStart, residentAllVisited,
                static_cast<long long>(oneTab), static_cast<long long>(threeTerminals));
    std::fflush(stdout);
    delete window;
    return 0;
}

}

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QByteArray(argv[2]).toInt());

    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    QCoreApplication app(argc, argv);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains("QT_QPA_PLATFORM"))
        environment.insert("QT_QPA_PLATFORM", "offscreen");

    std::printf("tabs  start-up ms  of which construction ms  resident MB  resident MB, all tabs visited"
                "  hidden tab ms  3 started terminals ms   (medians)\n");
    for (int tabs : {1, 5}) {
        std::vector<double> shown, constructed, resident, residentVisited, oneTab, terminals;
        for (int run = 0; run < runs; ++run) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(QCoreApplication::applicationFilePath(), {"--child", QString::number(tabs)});
            if (!process.waitForFinished(120000)) {
                std::fprintf(stderr, "a measurement did not finish\n");
                return 1;
            }
            const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split('\n').last().split(' ');
            if (fields.size() != 7) {
                std::fprintf(stderr, "unexpected measurement output\n");
                return 1;
            }
            shown.push_back(fields[1].toDouble());
            constructed.push_back(fields[2].toDouble());
            resident.push_back(fields[3].toDouble() / 1024.0);
            residentVisited.push_back(fields[4].toDouble() / 1024.0);
            oneTab.push_back(fields[5].toDouble());
            terminals.push_back(fields[6].toDouble());
        }
        std::printf("%4d  %11.0f  %24.0f  %11.1f  %29.1f  %13.0f  %21.0f\n", tabs, median(shown), median(constructed),
                    median(resident), median(residentVisited), median(oneTab), median(terminals));
    }
    return 0;
}
