// Start-up and refresh with workspaces of real size. Each clone has over
// 5,000 commits, 45 local branches (4 version branches, 41 feature branches
// started from different points), 100 tags, both upstream remotes with their
// branches and about 3,000 files. Measured in fresh launcher processes:
//   (a) the start-up work up to the shown main window, without the splash
//       pause, for 1, 10 and 26 workspaces;
//   (b) the first showing of a hidden tab;
//   (c) "Refresh list" on one clone, against
//   (d) the same command lines run one after another by one shell script;
//   (e) one captured command through the executor against posix_spawn +
//       waitpid of /bin/sh -c true (and fork + exec + waitpid) from the same
//       process, once every tab was shown;
//   the resident memory after start and once every tab was shown.
//
//   bench_workspaces [rounds]       (default 5 rounds per workspace count)
//   bench_workspaces --child <tabs> (one measurement; HOME is set by the parent)
//   BENCH_WORKSPACES_DIR=<dir>      keeps the generated workspaces in <dir>

#include "deployment.h"
#include "benchmeasures.h"
#include "launcherstart.h"
#include "realsizeworkspaces.h"
#include "exec/commandlog.h"
#include "exec/termexecutor.h"
#include "git/gitwidget.h"
#include "server/autocompletionlist.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "shell/mainwindow.h"
#include "tools/environnement.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

extern char** environ;

namespace {
using namespace BenchMeasures;
using namespace RealSizeWorkspaces;

void buildHomes(const QString& root)
{
    buildPool(root);
    for (int tabs : {1, 10, 26})
        makeHome(root + "/home" + QString::number(tabs), root, tabs);
}

double milliseconds(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e6; }

double spawnShell(bool viaFork)
{
    QElapsedTimer clock;
    clock.start();
    char sh[] = "sh", dashC[] = "-c", truth[] = "true";
    char* argv[] = {sh, dashC, truth, nullptr};
    pid_t pid = -1;
    if (viaFork) {
        pid = ::fork();
        if (pid == 0) {
            ::execv("/bin/sh", argv);
            ::_exit(127);
        }
    } else if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) {
        return -1;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return clock.nsecsElapsed() / 1e3;
}

// The traced command lines run by one shell, one after another.
double runScript(const QStringList& commands)
{
    const QString path = QDir::homePath() + "/replay.sh";
    writeFile(path, "exec >/dev/null 2>&1\n" + commands.join('\n').toUtf8() + "\n");
    QElapsedTimer clock;
    clock.start();
    QProcess shell;
    shell.start("/bin/sh", {path});
    shell.waitForFinished(-1);
    return milliseconds(clock);
}

int child(int argc, char* argv[], int tabs)
{
    QApplication app(argc, argv);
    // Nobody listens there: the CI requests fail at once.
    Deployment::setCiHost("127.0.0.1:9");
    ConfigLoader* config = LauncherStart::writeSettings(QDir::homePath() + "/.config/KydVeltLauncher/config");

    // (a) the start-up work.
    QElapsedTimer clock;
    clock.start();
    MainWindow* window = LauncherStart::buildMainWindow();
    window->showMaximized();
    auto* tabWidget = window->findChild<QTabWidget*>("tabWidget");
    auto* firstTab = qobject_cast<ServerWidget*>(tabWidget->widget(0));
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) || !firstTab->areClonesRead())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    const double startUp = milliseconds(clock);
    if (tabs != 10) {
        std::printf("%d %.1f\n", tabs, startUp);
        return 0;
    }

    settle(1500);
    const double residentAtStart = residentKilobytes() / 1024.0;
    // (b) every hidden tab shown for the first time.
    std::vector<double> firstShows;
    for (int i = 1; i < tabs; ++i) {
        auto* tab = qobject_cast<ServerWidget*>(tabWidget->widget(i));
        clock.restart();
        tabWidget->setCurrentIndex(i);
        while (!tab->areClonesRead())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        firstShows.push_back(milliseconds(clock));
        settle(300);
    }
    settle(1000);
    const double residentAllShown = residentKilobytes() / 1024.0;

    // (c) "Refresh list" on the first tab's community clone: once traced, to
    // take its command lines, then timed; (d) those lines by one script.
    auto* server = qobject_cast<ServerWidget*>(tabWidget->widget(0));
    GitWidget* panel = server->communityGit;
    CommandLog::shared().openTrace(CommandLog::tracePath());
    config->trace = true;
    panel->on_bRefreshList_clicked();
    config->trace = false;
    CommandLog::shared().closeTrace();
    QFile traceFile(CommandLog::tracePath());
    traceFile.open(QIODevice::ReadOnly);
    const QStringList commands = QString::fromUtf8(traceFile.readAll()).split('\n', Qt::SkipEmptyParts);
    std::vector<double> refreshes, scripts;
    for (int i = 0; i < 7; ++i) {
        clock.restart();
        panel->on_bRefreshList_clicked();
        refreshes.push_back(milliseconds(clock));
        scripts.push_back(runScript(commands));
    }

    // (e) one command, at this size.
    std::vector<double> viaExecutor, viaSpawn, viaFork;
    for (int i = 0; i < 200; ++i) {
        clock.restart();
        TermExecutor::getSingleton()->exec(QStringLiteral("true"), false);
        viaExecutor.push_back(clock.nsecsElapsed() / 1e3);
        viaSpawn.push_back(spawnShell(false));
        viaFork.push_back(spawnShell(true));
    }
    std::printf("%d %.1f %.1f %.1f %.1f %.1f %.1f %.0f %.0f %.0f %d\n", tabs, startUp, residentAtStart,
                residentAllShown, median(firstShows), median(refreshes), median(scripts), median(viaExecutor),
                median(viaSpawn), median(viaFork), int(commands.size()));
    std::fflush(stdout);
    return 0;
}

}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QByteArray(argv[2]).toInt());

    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    QCoreApplication app(argc, argv);
    // BENCH_WORKSPACES_DIR keeps the generated workspaces there, for the next run.
    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("BENCH_WORKSPACES_DIR");
    const QDir root(kept.isEmpty() ? temporary.path() : kept);
    if (!QFileInfo::exists(root.path() + "/home26"))
        buildHomes(root.path());

    std::map<int, std::vector<std::vector<double>>> figures;
    for (int round = 0; round < rounds; ++round)
        for (int tabs : {1, 10, 26}) {
            const QString home = root.path() + "/home" + QString::number(tabs);
            QProcess process;
            process.setProcessEnvironment(environmentFor(home));
            process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process.start(QCoreApplication::applicationFilePath(), {"--child", QString::number(tabs)});
            if (!process.waitForFinished(600000)) {
                std::fprintf(stderr, "a measurement did not finish\n");
                return 1;
            }
            std::vector<double> values;
            for (const QByteArray& field : process.readAllStandardOutput().trimmed().split('\n').last().split(' '))
                values.push_back(field.toDouble());
            if (values.size() < 2) {
                std::fprintf(stderr, "unexpected measurement output\n");
                return 1;
            }
            std::fprintf(stderr, "round %d, %d workspaces: start-up %.0f ms\n", round, tabs, values[1]);
            figures[tabs].push_back(values);
        }

    auto column = [&](int tabs, size_t index) {
        std::vector<double> values;
        for (const std::vector<double>& row : figures[tabs])
            if (index < row.size())
                values.push_back(row[index]);
        return median(values);
    };
    const double one = column(1, 1), ten = column(10, 1), all = column(26, 1);
    std::printf("medians of %d rounds, each measurement in a fresh process\n", rounds);
    std::printf("(a) start-up work: 1 workspace %.0f ms, 10 workspaces %.0f ms, 26 workspaces %.0f ms\n", one, ten,
                all);
    std::printf("    26 against 1: %.2fx (target <= 1.5x); 10 workspaces: target <= 1000 ms\n", all / one);
    std::printf("(b) first showing of a hidden tab: %.0f ms (target <= 300 ms)\n", column(10, 4));
    std::printf("(c) \"Refresh list\" on one clone: %.1f ms (%.0f command lines)\n", column(10, 5), column(10, 10));
    std::printf("(d) the same lines by one shell script: %.1f ms; (c)/(d) %.2f (target <= 1.25)\n", column(10, 6),
                column(10, 5) / column(10, 6));
    std::printf("(e) one command: executor %.0f us, posix_spawn + waitpid %.0f us (%.2fx), fork + exec + waitpid %.0f us\n",
                column(10, 7), column(10, 8), column(10, 7) / column(10, 8), column(10, 9));
    std::printf("resident memory, 10 workspaces: %.1f MB after start, %.1f MB once every tab was shown (target < 200 MB)\n",
                column(10, 2), column(10, 3));
    return 0;
}
