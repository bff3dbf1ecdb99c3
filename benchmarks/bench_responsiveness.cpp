// How well the launcher stays responsive while captured commands run: the
// executor that turns the event loop against the blocking one (the caller
// sleeping in poll(), ShellProcess::setTurnsEventLoop(false)), in one run.
//   (a) the longest stand-still of the event loop during "Fetch --all" of a
//       git panel whose main remote, a local bare repository, has an
//       upload-pack that sleeps 5 s;
//   (b) the same during "Refresh list" on a clone of real size;
//   (c) the same during the start-up of 26 workspaces of real size;
//   (d) one captured `true` and one "Refresh list", new against old;
//   (e) the time from the person's Cancel, while "Fetch --all" runs, to the
//       command's process group gone (no live process left in it).
// The stand-still is the largest gap between two ticks of a 5 ms timer. The
// clones are those of bench_workspaces; modal boxes are answered and the Bug
// Splat window closed from a timer, and both reported.
//
//   bench_responsiveness [rounds]     (default 3)
//   BENCH_WORKSPACES_DIR=<dir>        keeps the generated clones in <dir>

#include "benchmeasures.h"
#include "boxanswerer.h"
#include "deployment.h"
#include "launcherstart.h"
#include "processgroup.h"
#include "realsizeworkspaces.h"
#include "stallprobe.h"
#include "timedapplication.h"
#include "exec/commanddescription.h"
#include "exec/commandlog.h"
#include "exec/operationgate.h"
#include "exec/shellprocess.h"
#include "exec/termexecutor.h"
#include "git/gitwidget.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <thread>

#include <unistd.h>

namespace {
using namespace BenchMeasures;
using namespace ProcessGroup;
using namespace RealSizeWorkspaces;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the event loop for `ms`.
void turn(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// How often the GUI thread went to sleep so far.
long voluntarySwitches()
{
    QFile status("/proc/thread-self/status");
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                return line.mid(24).trimmed().toLong();
    return 0;
}

const char* modeName(bool turns) { return turns ? "new" : "old"; }

// One figure for the parent: "<figure> <mode> <value> [what]".
void report(const char* figure, bool turns, double value, const QString& what = QString())
{
    std::printf("%s %s %.3f %s\n", figure, modeName(turns), value, qPrintable(QString(what).replace('\n', ' ')));
    std::fflush(stdout);
}

void reportBoxes(const char* figure, bool turns, BoxAnswerer& answerer)
{
    for (const QString& box : answerer.seen)
        report("box", turns, 0, QString(figure) + ": " + box);
    answerer.seen.clear();
}

TimedApplication* launcherApplication(int& argc, char** argv)
{
    auto* app = new TimedApplication(argc, argv);
    // Nobody listens there: the CI requests fail at once.
    Deployment::setCiHost("127.0.0.1:9");
    LauncherStart::writeSettings(QDir::homePath() + "/.config/KydVeltLauncher/config");
    return app;
}

bool waitClonesRead(ServerWidget* tab)
{
    QElapsedTimer clock;
    clock.start();
    while (!tab->areClonesRead() && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return tab->areClonesRead();
}

// (c): the start-up of the workspaces of HOME, up to the first tab read and
// one second more.
int startUpChild(int argc, char** argv, bool turns)
{
    std::unique_ptr<TimedApplication> app(launcherApplication(argc, argv));
    ShellProcess::setTurnsEventLoop(turns);
    StallProbe probe;
    BoxAnswerer* answerer = nullptr;
    const Clock::time_point start = Clock::now();
    probe.start();
    MainWindow* window = LauncherStart::buildMainWindow([&] {
        probe.watchCommands();
        probe.setActivity("building the main window");
        answerer = new BoxAnswerer();
    });
    probe.setActivity("main window built");
    window->showMaximized();
    auto* firstTab = qobject_cast<ServerWidget*>(window->findChild<QTabWidget*>("tabWidget")->widget(0));
    while (!(window->windowHandle() && window->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!waitClonesRead(firstTab))
        return 1;
    const double startUp = msSince(start);
    turn(1000);
    probe.stop();
    report("startup", turns, startUp);
    report("stall-startup", turns, probe.longest, probe.where);
    reportBoxes("start-up", turns, *answerer);
    delete window;
    return 0;
}

// (a), (b), (d) and (e) in one launcher whose first workspace links a clone
// of the pool and whose second one fetches from the sleeping remote.
int panelChild(int argc, char** argv, int rounds)
{
    std::unique_ptr<TimedApplication> app(launcherApplication(argc, argv));
    StallProbe probe;
    MainWindow* window = LauncherStart::buildMainWindow([&] { probe.watchCommands(); });
    BoxAnswerer answerer;
    window->showMaximized();
    auto* tabs = window->findChild<QTabWidget*>("tabWidget");
    auto* refreshTab = qobject_cast<ServerWidget*>(tabs->widget(0));
    auto* fetchTab = qobject_cast<ServerWidget*>(tabs->widget(1));
    if (!waitClonesRead(refreshTab))
        return 1;
    tabs->setCurrentIndex(1);
    if (!waitClonesRead(fetchTab))
        return 1;
    tabs->setCurrentIndex(0);
    turn(1500);
    GitWidget* refreshPanel = refreshTab->communityGit;
    GitWidget* fetchPanel = fetchTab->communityGit;
    TermExecutor* executor = TermExecutor::getSingleton();
    reportBoxes("start", true, answerer);

    // (d) one captured `true`, the two ways interleaved so drift hits both.
    std::vector<double> perCommand[2], onCpu[2], waiting[2], asleep[2];
    app->spent.clear();
    for (int i = 0; i < 340; ++i)
        for (const bool turns : {true, false}) {
            ShellProcess::setTurnsEventLoop(turns);
            app->timing = turns && i >= 40;
            const ThreadTimes before = ThreadTimes::now();
            const long sleptBefore = voluntarySwitches();
            const Clock::time_point start = Clock::now();
            executor->exec(QStringLiteral("true"), false);
            const double took = msSince(start);
            const ThreadTimes after = ThreadTimes::now();
            if (i >= 40) {
                perCommand[turns].push_back(took * 1000);
                onCpu[turns].push_back((after.onCpu - before.onCpu) * 1000);
                waiting[turns].push_back((after.waitingForCore - before.waitingForCore) * 1000);
                asleep[turns].push_back(voluntarySwitches() - sleptBefore);
            }
            app->timing = false;
        }
    for (const bool turns : {true, false}) {
        report("true", turns, median(perCommand[turns]));
        report("true-oncpu", turns, median(onCpu[turns]));
        report("true-waiting", turns, median(waiting[turns]));
        report("true-sleeps", turns, median(asleep[turns]));
    }
    for (const auto& [kind, ms] : app->spent)
        report(qPrintable("true-events-" + QString(kind).replace(' ', '_')), true, ms * 1000 / 300);
    // (d) "Refresh list", interleaved the same way, up to the event loop
    // idle again: the blocking executor paints once the operation has ended.
    std::vector<double> refreshes[2];
    for (int i = 0; i < 5 * rounds; ++i)
        for (const bool turns : {true, false}) {
            ShellProcess::setTurnsEventLoop(turns);
            turn(100);
            app->spent.clear();
            const Clock::time_point start = Clock::now();
            app->timing = true;
            refreshPanel->on_bRefreshList_clicked();
            const double operation = msSince(start);
            QCoreApplication::processEvents();
            app->timing = false;
            refreshes[turns].push_back(msSince(start));
            report("refresh-operation", turns, operation);
            for (const auto& [kind, ms] : app->spent)
                report(qPrintable("refresh-events-" + QString(kind).replace(' ', '_')), turns, ms);
        }
    for (const bool turns : {true, false})
        for (const double ms : refreshes[turns])
            report("refresh", turns, ms);
    // Its command lines through the executor alone, taken from the trace.
    CommandLog::shared().openTrace(CommandLog::tracePath());
    ConfigLoader::getSingleton()->trace = true;
    refreshPanel->on_bRefreshList_clicked();
    ConfigLoader::getSingleton()->trace = false;
    CommandLog::shared().closeTrace();
    QFile traceFile(CommandLog::tracePath());
    traceFile.open(QIODevice::ReadOnly);
    const QStringList lines = QString::fromUtf8(traceFile.readAll()).split('\n', Qt::SkipEmptyParts);
    std::vector<std::vector<double>> perLine[2];
    for (auto& times : perLine)
        times.resize(lines.size());
    // Under one operation, as in the panel; the GUI thread's sleeps counted.
    double sleeps[2] = {0, 0};
    {
        const OperationGate::Hold hold(QStringLiteral("Refresh list"));
        for (int i = 0; i < 5 * rounds; ++i)
            for (const bool turns : {true, false}) {
                ShellProcess::setTurnsEventLoop(turns);
                const long sleptBefore = voluntarySwitches();
                for (int line = 0; line < lines.size(); ++line) {
                    const Clock::time_point start = Clock::now();
                    executor->exec(lines[line], false);
                    perLine[turns][line].push_back(msSince(start));
                }
                sleeps[turns] += voluntarySwitches() - sleptBefore;
            }
    }
    for (const bool turns : {true, false})
        report("refresh-sleeps", turns, sleeps[turns] / (5.0 * rounds * lines.size()));
    for (const bool turns : {true, false}) {
        double total = 0;
        for (int line = 0; line < lines.size(); ++line) {
            total += median(perLine[turns][line]);
            report("refresh-line", turns, median(perLine[turns][line]),
                   CommandDescription(lines[line]).shortName + " " + lines[line].section("&&", -1).trimmed().left(60));
        }
        report("refresh-lines", turns, total, QString::number(lines.size()));
    }
    reportBoxes("refresh", true, answerer);

    // (b) and (a): the longest stand-still.
    for (int round = 0; round < rounds; ++round)
        for (const bool turns : {true, false}) {
            ShellProcess::setTurnsEventLoop(turns);
            tabs->setCurrentIndex(0);
            probe.setActivity("idle");
            probe.start();
            turn(50);
            refreshPanel->on_bRefreshList_clicked();
            turn(50);
            probe.stop();
            report("stall-refresh", turns, probe.longest, probe.where);
            reportBoxes("Refresh list", turns, answerer);

            tabs->setCurrentIndex(1);
            probe.setActivity("idle");
            probe.start();
            turn(50);
            const Clock::time_point start = Clock::now();
            fetchPanel->on_bFetchAll_clicked();
            const double fetch = msSince(start);
            turn(50);
            probe.stop();
            report("fetch", turns, fetch);
            report("stall-fetch", turns, probe.longest, probe.where);
            report("splats", turns, answerer.splats);
            answerer.splats = 0;
            reportBoxes("Fetch --all", turns, answerer);
        }

    // (e) Cancel one second into a fetch. The blocking executor cannot see
    // the click before the command ends: the group ends by itself.
    auto* fetchList = fetchPanel->findChild<QListWidget*>("listWidget");
    tabs->setCurrentIndex(1);
    for (int round = 0; round < rounds; ++round)
        for (const bool turns : {true, false}) {
            ShellProcess::setTurnsEventLoop(turns);
            const int branchesBefore = fetchList->count();
            std::atomic<double> gone{-2};
            std::atomic<int> members{0};
            double clickSeen = -1;
            std::thread watcher;
            const auto watch = [&](pid_t group, Clock::time_point click) {
                members = group > 0 ? liveMembers(group) : 0;
                watcher = std::thread([&gone, group, click] { gone = group > 0 ? waitGone(group, click) : -2; });
            };
            QTimer click;
            click.setSingleShot(true);
            const Clock::time_point start = Clock::now();
            if (turns) {
                QObject::connect(&click, &QTimer::timeout, [&] {
                    clickSeen = msSince(start);
                    const pid_t shell = runningShell("git fetch --all");
                    watch(shell > 0 ? ::getpgid(shell) : -1, Clock::now());
                    OperationGate::shared().requestCancel();
                });
            } else {
                QObject::connect(&click, &QTimer::timeout, [&] { clickSeen = msSince(start); });
                // From another thread: the blocked one cannot look.
                watcher = std::thread([&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
                    pid_t shell = -1;
                    for (int i = 0; i < 100 && shell < 0; ++i, ::usleep(5000))
                        shell = runningShell("git fetch --all");
                    const pid_t group = shell > 0 ? ::getpgid(shell) : -1;
                    const Clock::time_point click = Clock::now();
                    members = group > 0 ? liveMembers(group) : 0;
                    gone = group > 0 ? waitGone(group, click) : -2;
                });
            }
            click.start(1000);
            fetchPanel->on_bFetchAll_clicked();
            const double operation = msSince(start);
            turn(100);
            if (watcher.joinable())
                watcher.join();
            report("cancel", turns, gone, QString("%1 processes in the group").arg(members.load()));
            report("cancel-click-seen", turns, clickSeen);
            report("cancel-operation", turns, operation);
            report("cancel-branches", turns, fetchList->count(), QString("before: %1").arg(branchesBefore));
            reportBoxes("cancelled Fetch --all", turns, answerer);
            if (fetchList->count() != branchesBefore) {
                ShellProcess::setTurnsEventLoop(true);
                fetchPanel->on_bRefreshList_clicked();
            }
        }
    delete window;
    return 0;
}

// A workspace whose community clone fetches from two local bare remotes with
// the same branches it already has, so a fetch brings nothing: the main
// one's upload-pack sleeps 5 s first. Their paths name the code host and the
// organisations, so the launcher recognises them as the two upstreams.
void buildFetchWorkspace(const QString& root, const QString& workspace, const QString& remotes)
{
    QDir().mkpath(workspace);
    for (const QString& repo : {"velt", "enterprise"})
        run(root, "cp", {"-al", root + "/template/" + repo, workspace + "/" + repo});
    writeFile(workspace + "/VLconfig", QByteArray(sampleConfig).replace("port:::8069", "port:::8070"));
    const QString clone = workspace + "/velt";
    for (const auto& [remote, organisation] : {std::pair{"velt", "velt"}, std::pair{"dev", "velt-dev"}}) {
        const QString bare = remotes + "/" + Deployment::codeHostName() + "/" + organisation + "/velt.git";
        QDir().mkpath(bare);
        run(bare, "git", {"init", "-q", "--bare"});
        writeFile(bare + "/objects/info/alternates", (root + "/template/velt/.git/objects\n").toUtf8());
        QProcess refs;
        refs.setWorkingDirectory(clone);
        refs.start("git", {"for-each-ref", "--format=create %(refname) %(objectname)", QString("refs/remotes/%1/").arg(remote)});
        refs.waitForFinished(-1);
        const QByteArray updates =
            refs.readAllStandardOutput().replace("refs/remotes/" + QByteArray(remote) + "/", "refs/heads/");
        run(bare, "git", {"update-ref", "--stdin"}, updates);
        run(clone, "git", {"remote", "set-url", remote, bare});
    }
    run(clone, "git", {"config", "remote.velt.uploadpack", "sleep 5; git-upload-pack"});
}

// Figures the children printed: figure -> mode -> values, and the notes of
// the largest values.
struct Figures {
    std::map<QString, std::map<QString, std::vector<double>>> values;
    std::map<QString, std::map<QString, std::pair<double, QString>>> largest;
    QStringList boxes;
    std::map<QString, QStringList> notes;

    void read(const QByteArray& output)
    {
        for (const QByteArray& line : output.split('\n')) {
            const QStringList fields = QString::fromUtf8(line).split(' ');
            if (fields.size() < 3)
                continue;
            const double value = fields[2].toDouble();
            const QString note = fields.mid(3).join(' ').trimmed();
            if (fields[0] == "box") {
                boxes << fields[1] + ", " + note;
                continue;
            }
            values[fields[0]][fields[1]].push_back(value);
            if (fields[1] == "new")
                notes[fields[0]] << note;
            auto& top = largest[fields[0]][fields[1]];
            if (values[fields[0]][fields[1]].size() == 1 || value > top.first)
                top = {value, note};
        }
    }

    // The figures named `prefix`<kind>: new and old medians.
    void printEvents(const QString& prefix, const char* title)
    {
        std::printf("%s", title);
        for (const auto& [figure, modes] : values)
            if (figure.startsWith(prefix))
                std::printf(" %s new %.2f old %.2f;", qPrintable(figure.mid(prefix.size()).replace('_', ' ')),
                            med(figure, "new"), med(figure, "old"));
        std::printf("\n");
    }

    double med(const QString& figure, const QString& mode) { return median(values[figure][mode]); }
    double most(const QString& figure, const QString& mode) { return largest[figure][mode].first; }
    QString note(const QString& figure, const QString& mode) { return largest[figure][mode].second; }
};

bool runChild(const QString& home, const QStringList& arguments, Figures& figures)
{
    QProcess process;
    process.setProcessEnvironment(environmentFor(home));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), arguments);
    if (!process.waitForFinished(900000) || process.exitCode() != 0) {
        std::fprintf(stderr, "the measurement %s did not finish\n", qPrintable(arguments.join(' ')));
        return false;
    }
    figures.read(process.readAllStandardOutput());
    return true;
}

const char* verdict(bool met) { return met ? "met" : "NOT met"; }

void printStall(Figures& f, const char* title, const QString& figure, double target)
{
    const double now = f.most(figure, "new"), before = f.most(figure, "old");
    std::printf("%s: longest stand-still, worst of %zu: new %.1f ms, old %.1f ms (new/old %.3f)", title,
                f.values[figure]["new"].size(), now, before, now / before);
    if (target > 0)
        std::printf("; target <= %.0f ms: %s", target, verdict(now <= target));
    std::printf("\n    median new %.1f ms, old %.1f ms\n    new worst %s\n    old worst %s\n", f.med(figure, "new"),
                f.med(figure, "old"), qPrintable(f.note(figure, "new")), qPrintable(f.note(figure, "old")));
}

void printReport(Figures& f, int rounds)
{
    std::printf("rounds: %d; the stand-still is the largest gap between ticks of a 5 ms timer\n", rounds);
    printStall(f, "(a) \"Fetch --all\", remote sleeping 5 s", "stall-fetch", 100);
    std::printf("    the fetch took new %.0f ms, old %.0f ms (medians); Bug Splat windows: new %.0f, old %.0f\n",
                f.med("fetch", "new"), f.med("fetch", "old"), f.most("splats", "new"), f.most("splats", "old"));
    printStall(f, "(b) \"Refresh list\", real-size clone", "stall-refresh", 100);
    printStall(f, "(c) start-up of 26 workspaces", "stall-startup", 0);
    std::printf("    start-up to the first tab read: new %.0f ms, old %.0f ms (medians)\n", f.med("startup", "new"),
                f.med("startup", "old"));
    const double trueNew = f.med("true", "new"), trueOld = f.med("true", "old");
    std::printf("(d) one captured `true`, median of 300: new %.0f us, old %.0f us, new/old %.3f; target <= 1.1: %s\n",
                trueNew, trueOld, trueNew / trueOld, verdict(trueNew / trueOld <= 1.1));
    std::printf("    the GUI thread per command (medians): on a core new %.0f us, old %.0f us; waiting for a core "
                "new %.0f us, old %.0f us; asleep new %.0f times, old %.0f\n",
                f.med("true-oncpu", "new"), f.med("true-oncpu", "old"), f.med("true-waiting", "new"),
                f.med("true-waiting", "old"), f.med("true-sleeps", "new"), f.med("true-sleeps", "old"));
    f.printEvents("true-events-", "    events handled meanwhile, per command (us):");
    const double refreshNew = f.med("refresh", "new"), refreshOld = f.med("refresh", "old");
    std::printf("    \"Refresh list\" up to the loop idle, median of %d: new %.1f ms, old %.1f ms, new/old %.3f; "
                "target <= 1.1: %s\n",
                5 * rounds, refreshNew, refreshOld, refreshNew / refreshOld, verdict(refreshNew / refreshOld <= 1.1));
    std::printf("    the operation alone, up to its return: new %.1f ms, old %.1f ms\n",
                f.med("refresh-operation", "new"), f.med("refresh-operation", "old"));
    f.printEvents("refresh-events-", "    events handled, medians (ms):");
    std::printf("    its %s command lines through the executor alone: new %.1f ms, old %.1f ms; the GUI thread "
                "slept %.1f times a line (new), %.1f (old)\n",
                qPrintable(f.note("refresh-lines", "new")), f.med("refresh-lines", "new"),
                f.med("refresh-lines", "old"), f.med("refresh-sleeps", "new"), f.med("refresh-sleeps", "old"));
    for (size_t line = 0; line < f.values["refresh-line"]["new"].size(); ++line)
        std::printf("      new %6.2f ms, old %6.2f ms: %s\n", f.values["refresh-line"]["new"][line],
                    f.values["refresh-line"]["old"][line], qPrintable(f.notes["refresh-line"][line]));
    const double cancelNew = f.med("cancel", "new");
    std::printf("(e) Cancel to the process group gone, new: median %.1f ms, worst %.1f ms (%s); target <= 200 ms: %s\n",
                cancelNew, f.most("cancel", "new"), qPrintable(f.note("cancel", "new")),
                verdict(cancelNew >= 0 && f.most("cancel", "new") <= 200));
    std::printf("    the operation returned %.0f ms after it started; the panel kept %.0f branches (%s)\n",
                f.med("cancel-operation", "new"), f.med("cancel-branches", "new"),
                qPrintable(f.note("cancel-branches", "new")));
    std::printf("    old: the click is seen %.0f ms after the start, once the command has ended; the group\n"
                "    ends by itself %.0f ms after the click\n",
                f.med("cancel-click-seen", "old"), f.med("cancel", "old"));
    std::printf("boxes answered:\n");
    QStringList distinct = f.boxes;
    distinct.removeDuplicates();
    for (const QString& box : distinct)
        std::printf("    %d x %s\n", int(f.boxes.count(box)), qPrintable(box));
}
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--startup")
        return startUpChild(argc, argv, QByteArray(argv[2]) == "new");
    if (argc == 3 && QByteArray(argv[1]) == "--panels")
        return panelChild(argc, argv, QByteArray(argv[2]).toInt());

    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("BENCH_WORKSPACES_DIR");
    const QString root = kept.isEmpty() ? temporary.path() : kept;
    if (!QFileInfo::exists(root + "/pool/server_z"))
        buildPool(root);
    // Homes of this run's own, in a temporary folder.
    QTemporaryDir homes;
    const QString startUpHome = homes.path() + "/home26";
    makeHome(startUpHome, root, 26);
    const QString panelHome = homes.path() + "/panels";
    makeHome(panelHome, root, 1);
    buildFetchWorkspace(root, panelHome + "/Documents/velt-servers/server_b", homes.path() + "/remotes");

    Figures figures;
    std::fprintf(stderr, "panels...\n");
    if (!runChild(panelHome, {"--panels", QString::number(rounds)}, figures))
        return 1;
    for (int round = 0; round < rounds; ++round)
        for (const char* mode : {"new", "old"}) {
            std::fprintf(stderr, "start-up %d %s...\n", round, mode);
            if (!runChild(startUpHome, {"--startup", mode}, figures))
                return 1;
        }
    printReport(figures, rounds);
    return 0;
}
