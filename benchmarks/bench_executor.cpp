// Costs of a captured command: the launcher's own CPU time while a silent
// command runs, and the time one exec("true") takes next to starting
// "/bin/sh -c true" directly.
//
//   bench_executor [runs]      (default 200 runs per kind)

#include "exec/termexecutor.h"
#include "settings/configloader.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
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

char shellName[] = "sh";
char dashC[] = "-c";
char trueCommand[] = "true";

double spawnShellDirectly()
{
    char* argv[] = {shellName, dashC, trueCommand, nullptr};
    const Clock::time_point start = Clock::now();
    pid_t pid;
    if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status;
    ::waitpid(pid, &status, 0);
    return microsecondsSince(start);
}

double forkShellDirectly()
{
    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl("/bin/sh", "sh", "-c", "true", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status;
    ::waitpid(pid, &status, 0);
    return microsecondsSince(start);
}
}

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QDir(home.path()).mkpath("Desktop");
    ConfigLoader::getSingleton()->path = home.path() + "/.config/KydVeltLauncher/config";

    QApplication app(argc, argv);
    TermExecutor* executor = TermExecutor::getSingleton();

    // (a) CPU used by the launcher while a captured command sleeps.
    const Clock::time_point wallStart = Clock::now();
    const double cpuBefore = cpuSeconds();
    executor->exec(QStringLiteral("sleep 2"));
    const double cpuUsed = cpuSeconds() - cpuBefore;
    std::printf("captured 'sleep 2': %.2f s wall, %.4f s launcher CPU (target < 0.05 s)\n",
                microsecondsSince(wallStart) / 1e6, cpuUsed);

    // (b) Per-command cost, the kinds interleaved so drift hits all alike.
    for (int i = 0; i < 20; ++i) {
        executor->exec(QStringLiteral("true"));
        spawnShellDirectly();
        forkShellDirectly();
    }
    std::vector<double> viaExecutor, viaSpawn, viaFork;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        executor->exec(QStringLiteral("true"));
        viaExecutor.push_back(microsecondsSince(start));
        viaSpawn.push_back(spawnShellDirectly());
        viaFork.push_back(forkShellDirectly());
    }
    const double executorMedian = median(viaExecutor);
    const double spawnMedian = median(viaSpawn);
    const double forkMedian = median(viaFork);
    std::printf("exec(\"true\"), median of %d: %.0f us\n", runs, executorMedian);
    std::printf("/bin/sh -c true by posix_spawn + waitpid: %.0f us\n", spawnMedian);
    std::printf("/bin/sh -c true by fork + exec + waitpid: %.0f us\n", forkMedian);
    std::printf("ratio against posix_spawn: %.2fx (target <= 1.3x)\n", executorMedian / spawnMedian);
    std::printf("ratio against fork: %.2fx\n", executorMedian / forkMedian);
    return 0;
}
