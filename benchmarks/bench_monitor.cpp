// Costs of the status-bar refresh, paid every two seconds all day:
// (a) one refresh in the all-servers mode with two stand-in servers running,
//     against (b) the eight per-port ps command lines run directly by fork +
//     exec, and (b') the one listing the refresh runs, run the same way;
// (c) the launcher's CPU over a period, idle with 5 workspace tabs and the
//     all-servers mode, its own and with its children (the ps pipelines).
//
//   bench_monitor [runs] [idle seconds]      (defaults 40 and 60)

#include "settings/configloader.h"
#include "shell/mainwindow.h"
#include "shell/resourcemonitor.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

double cpuSeconds(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double microsecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// "/bin/sh -c command" by fork + exec, its output read to the end.
void runDirectly(const std::string& command)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeEnds[1], 1);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    char buffer[4096];
    while (::read(pipeEnds[0], buffer, sizeof buffer) > 0) {
    }
    ::close(pipeEnds[0]);
    int status;
    ::waitpid(pid, &status, 0);
}

std::unique_ptr<QProcess> standIn(int port)
{
    auto process = std::make_unique<QProcess>();
    process->start("/bin/bash", {"-c", QString("exec -a 'velt-bin --xmlrpc-port %1' sleep 600").arg(port)});
    process->waitForStarted(5000);
    return process;
}
}

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 40;
    const int idleSeconds = argc > 2 ? std::max(5, std::atoi(argv[2])) : 60;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QDir(home.path()).mkpath("Desktop");
    for (char letter = 'a'; letter <= 'e'; ++letter)
        QDir(home.path()).mkpath(QString("Documents/velt-servers/server_") + letter);
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->path = home.path() + "/.config/KydVeltLauncher/config";
    config->showServerStatus = 2;
    config->showLauncherStatus = 1;

    QApplication app(argc, argv);
    const auto first = standIn(8069);
    const auto second = standIn(8081);
    ::usleep(200000);

    MainWindow window;
    window.show();
    std::vector<std::string> commands;
    for (int port : ResourceMonitor::serverPorts())
        commands.push_back(ResourceMonitor::lookupCommand(QString::number(port)).toStdString());

    // (a) against (b), interleaved so drift hits both alike.
    window.refreshTimer->stop();
    for (int i = 0; i < 3; ++i) {
        window.updateConso();
        for (const std::string& command : commands)
            runDirectly(command);
    }
    const std::string listing = ResourceMonitor::listingCommand().toStdString();
    std::vector<double> refreshes, direct, directListing;
    for (int i = 0; i < runs; ++i) {
        Clock::time_point start = Clock::now();
        window.updateConso();
        refreshes.push_back(microsecondsSince(start));
        start = Clock::now();
        for (const std::string& command : commands)
            runDirectly(command);
        direct.push_back(microsecondsSince(start));
        start = Clock::now();
        runDirectly(listing);
        directListing.push_back(microsecondsSince(start));
    }
    std::printf("status bar: %s\n", qPrintable(window.statusBar()->currentMessage()));
    const double refreshMedian = median(refreshes);
    const double directMedian = median(direct);
    std::printf("(a) one all-servers refresh, median of %d: %.1f ms\n", runs, refreshMedian / 1000);
    std::printf("(b) the eight ps command lines by fork + exec: %.1f ms\n", directMedian / 1000);
    std::printf("ratio (a)/(b): %.2fx (target <= 1.3x)\n", refreshMedian / directMedian);
    std::printf("(b') the one listing the refresh runs, by fork + exec: %.1f ms; (a)/(b'): %.2fx\n",
                median(directListing) / 1000, refreshMedian / median(directListing));

    // (c) idle with the 2000 ms timer running.
    window.refreshTimer->start(2000);
    const double selfBefore = cpuSeconds(RUSAGE_SELF);
    const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
    const Clock::time_point start = Clock::now();
    QEventLoop idle;
    QTimer::singleShot(idleSeconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const double wall = microsecondsSince(start) / 1e6;
    const double self = cpuSeconds(RUSAGE_SELF) - selfBefore;
    const double children = cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
    std::printf("(c) idle %.0f s, 5 tabs, all-servers mode: launcher %.2f%% of one core, "
                "with its ps pipelines %.2f%% (target < 2%%)\n",
                wall, 100 * self / wall, 100 * (self + children) / wall);
    return 0;
}
