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

const int masterCommits = 5000;
const int directories = 60;
const int filesPerDirectory = 50;
const QStringList olderVersions = {"11.0", "10.0", "9.0"};

const char* const sampleConfig =
    "### CONFIG FILE ###\n<--- DB <---\ndb_main\ndb_test\n---> DB --->\n"
    "python2:::0\nshell:::0\nenterprise:::1\ndemo_data:::0\ninstall:::sale,crm\nupgrade:::\ndb:::db_test\n"
    "port:::8069\nlog:::info\nWorkers:::2\n"
    "<--- GitCheckoutPoints <---\n---> GitCheckoutPoints --->\n";

bool run(const QString& dir, const QString& program, const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(program, args);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    if (process.exitCode() != 0)
        std::fprintf(stderr, "%s %s: %s\n", qPrintable(program), qPrintable(args.join(' ')),
                     process.readAllStandardError().constData());
    return process.exitCode() == 0;
}

// A fast-import stream of one clone's history.
class HistoryWriter
{
public:
    // Returns the new commit's mark.
    int commit(const QString& branch, int parent, const QByteArray& changes)
    {
        ++mark;
        const QByteArray message = QString("[FIX] module_%1: change %2\n\nWhy change %2 was needed, in a few words.\n")
                                       .arg(mark % directories, 2, 10, QChar('0'))
                                       .arg(mark)
                                       .toUtf8();
        const QByteArray who = QString("Developer %1 <dev%1@example.org> ").arg(mark % 20).toUtf8()
                               + QByteArray::number(time++) + " +0100\n";
        stream += "commit refs/heads/" + branch.toUtf8() + "\nmark :" + QByteArray::number(mark) + "\n";
        stream += "author " + who + "committer " + who;
        stream += "data " + QByteArray::number(message.size()) + "\n" + message;
        if (parent)
            stream += "from :" + QByteArray::number(parent) + "\n";
        stream += changes + "\n";
        return mark;
    }

    // One file changed, in a different module each time.
    int change(const QString& branch, int parent)
    {
        const int file = (mark * 7919) % (directories * filesPerDirectory);
        return commit(branch, parent, fileLine(file, "changed by commit " + QByteArray::number(mark + 1)));
    }

    void ref(const QString& name, int at)
    {
        stream += "reset " + name.toUtf8() + "\nfrom :" + QByteArray::number(at) + "\n\n";
    }

    static QByteArray fileLine(int file, const QByteArray& content)
    {
        const QByteArray body = "# module file " + QByteArray::number(file) + "\n" + content + "\n";
        return "M 100644 inline " + filePath(file) + "\ndata " + QByteArray::number(body.size()) + "\n" + body;
    }

    static QByteArray filePath(int file)
    {
        return QString("addons/module_%1/file_%2.py")
            .arg(file / filesPerDirectory, 2, 10, QChar('0'))
            .arg(file % filesPerDirectory, 2, 10, QChar('0'))
            .toUtf8();
    }

    QByteArray stream;

private:
    int mark = 0;
    qint64 time = 1600000000;
};

QByteArray historyStream(bool withServerScript)
{
    HistoryWriter history;
    QByteArray tree;
    for (int file = 0; file < directories * filesPerDirectory; ++file)
        tree += HistoryWriter::fileLine(file, "initial content");
    if (withServerScript) {
        // Stands in for the server's start script: a start of the system's
        // Python, as the real one.
        const QByteArray script = "#!/usr/bin/python3\nimport sys\nif '--version' in sys.argv:\n"
                                  "    print('Velt Server 11.0')\n";
        tree += "M 100755 inline velt-bin\ndata " + QByteArray::number(script.size()) + "\n" + script;
    }
    std::vector<int> master{history.commit("master", 0, tree)};
    while (int(master.size()) < masterCommits)
        master.push_back(history.change("master", master.back()));
    for (int tag = 1; tag <= 100; ++tag)
        history.ref(QString("refs/tags/v0.%1").arg(tag), master[tag * 49]);

    // Version branches from older points of master, 30 commits each.
    std::map<QString, std::vector<int>> versions{{"master", master}};
    for (int v = 0; v < olderVersions.size(); ++v) {
        std::vector<int> chain{master[4000 - 1500 * v]};
        for (int c = 0; c < 30; ++c)
            chain.push_back(history.change(olderVersions[v], chain.back()));
        versions[olderVersions[v]] = chain;
    }
    const QStringList versionNames = QStringList{"master"} + olderVersions;

    // Feature branches from different points of the version branches.
    QStringList features;
    std::vector<int> featureTips;
    for (int f = 0; f < 41; ++f) {
        const QString base = versionNames[f % versionNames.size()];
        const std::vector<int>& chain = versions[base];
        const int back = (f * 37) % int(chain.size());
        const QString name = QString("%1-fix-topic-%2").arg(base).arg(f);
        int tip = chain[chain.size() - 1 - back];
        for (int c = 0; c < 3 + (f * 13) % 40; ++c)
            tip = history.change(name, tip);
        features << name;
        featureTips.push_back(tip);
    }
    for (const QString& name : versionNames)
        history.ref("refs/remotes/velt/" + name, versions[name].back());
    for (int f = 0; f < features.size(); ++f)
        history.ref("refs/remotes/dev/" + features[f], featureTips[f]);
    // Branches of colleagues, on the development remote only.
    for (int f = 0; f < 60; ++f)
        history.ref(QString("refs/remotes/dev/%1-colleague-%2").arg(versionNames[f % 4]).arg(f),
                    featureTips[f % featureTips.size()]);
    return history.stream;
}

void buildTemplate(const QString& dir, const QString& repo)
{
    QDir().mkpath(dir);
    run(dir, "git", {"init", "-q"});
    run(dir, "git", {"fast-import", "--quiet"}, historyStream(repo == "velt"));
    run(dir, "git", {"remote", "add", "velt", "https://github.com/velt/" + repo + ".git"});
    run(dir, "git", {"remote", "add", "dev", "https://github.com/velt-dev/" + repo + ".git"});
    run(dir, "git", {"repack", "-adq"});
    run(dir, "git", {"checkout", "-q", "-f", "11.0-fix-topic-1"});
    QFile changed(dir + "/" + HistoryWriter::filePath(17));
    changed.open(QIODevice::Append);
    changed.write("a local change\n");
    QFile untracked(dir + "/notes.txt");
    untracked.open(QIODevice::WriteOnly);
    untracked.write("untracked\n");
}

void writeFile(const QString& path, const QByteArray& content, bool executable = false)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// Clones made once, into a pool of 26 workspaces (hard links: the copies
// share their files with the template, each gets its own index and refs as
// git rewrites them); each home links the workspaces it has.
void buildHomes(const QString& root)
{
    std::fprintf(stderr, "building the clones...\n");
    for (const QString& repo : {"velt", "enterprise"})
        buildTemplate(root + "/template/" + repo, repo);
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const QString workspace = root + "/pool/server_" + QChar(letter);
        QDir().mkpath(workspace);
        for (const QString& repo : {"velt", "enterprise"})
            run(root, "cp", {"-al", root + "/template/" + repo, workspace + "/" + repo});
        writeFile(workspace + "/VLconfig", sampleConfig);
    }
    for (int tabs : {1, 10, 26}) {
        const QString home = root + "/home" + QString::number(tabs);
        QDir(home).mkpath("Desktop");
        QDir(home).mkpath("bin");
        QDir(home).mkpath("Documents/velt-servers");
        writeFile(home + "/.bashrc", "PS1='$ '\n");
        writeFile(home + "/bin/psql", "#!/bin/sh\nprintf 'db_main|dev|UTF8|C|C|\\ndb_test|dev|UTF8|C|C|\\n'\n", true);
        for (int i = 0; i < tabs; ++i)
            QFile::link(root + "/pool/server_" + QChar('a' + i),
                        home + "/Documents/velt-servers/server_" + QChar('a' + i));
    }
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
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("HOME", home);
            environment.insert("SHELL", "/bin/bash");
            environment.insert("PATH", home + "/bin:" + environment.value("PATH"));
            QProcess process;
            process.setProcessEnvironment(environment);
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
