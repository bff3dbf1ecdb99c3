// What a user with many workspaces waits for at start: 3 workspaces x 2
// clones, each with 30 local branches (10 version branches, 20 feature
// branches of 50 commits with merges among them).
//
//   (a) the launcher building the repository models and git panels of all
//       six clones, against
//   (b) the same git command lines, taken from the trace log, run one after
//       another by one shell script;
//   (h) those commands through the executor alone, so that (a) - (h) is the
//       launcher's own work;
//   (c) ten "Load more..." presses on a feature branch (200 more commit
//       cards), against
//   (d) the ten git log commands alone.
//
//   bench_git [rounds]     (default 3; each round a fresh process; medians)

#include "deployment.h"
#include "exec/termexecutor.h"
#include "git/gitwidget.h"
#include "settings/configloader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
const QStringList versionNames = {"master", "saas-11.2", "saas-11.1", "11.0", "saas-18",
                                  "saas-17", "10.0", "saas-12", "9.0", "8.0"};

bool git(const QString& dir, const QStringList& args, const QByteArray& input = QByteArray())
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start("git", args);
    if (!input.isEmpty()) {
        process.write(input);
        process.closeWriteChannel();
    }
    process.waitForFinished(600000);
    if (process.exitCode() != 0)
        std::fprintf(stderr, "git %s: %s\n", qPrintable(args.join(' ')), process.readAllStandardError().constData());
    return process.exitCode() == 0;
}

// A fast-import stream: master with 10 commits, the version branches on it,
// 20 feature branches of 50 commits; from the second one on, commit 25 of
// each merges commit 30 of the previous feature branch (itself past
// its own merge, so histories deepen along the chain).
QByteArray historyStream()
{
    QByteArray stream;
    int mark = 0;
    qint64 time = 1700000000;
    auto commit = [&](const QString& ref, const QString& message, int from, int merge) {
        ++mark;
        const QByteArray msg = message.toUtf8() + "\n";
        const QByteArray content = message.toUtf8() + "\n";
        stream += "commit " + ref.toUtf8() + "\nmark :" + QByteArray::number(mark) + "\n";
        stream += "author Bench Author <bench@example.org> " + QByteArray::number(time) + " +0000\n";
        stream += "committer Bench Author <bench@example.org> " + QByteArray::number(time) + " +0000\n";
        ++time;
        stream += "data " + QByteArray::number(msg.size()) + "\n" + msg;
        if (from)
            stream += "from :" + QByteArray::number(from) + "\n";
        if (merge)
            stream += "merge :" + QByteArray::number(merge) + "\n";
        stream += "M 100644 inline " + ref.section('/', -1).toUtf8() + ".txt\ndata "
                  + QByteArray::number(content.size()) + "\n" + content + "\n";
        return mark;
    };
    int previous = 0;
    for (int i = 0; i < 10; ++i)
        previous = commit("refs/heads/master", "Master commit " + QString::number(i), previous, 0);
    const int masterTip = previous;
    for (const QString& name : versionNames.mid(1))
        stream += "reset refs/heads/" + name.toUtf8() + "\nfrom :" + QByteArray::number(masterTip) + "\n\n";
    int previousFeatureMark30 = 0;
    for (int f = 0; f < 20; ++f) {
        const QString ref = "refs/heads/feature-" + QString::number(f);
        int parent = masterTip;
        int mark30 = 0;
        for (int c = 0; c < 50; ++c) {
            const int merge = (c == 25 && previousFeatureMark30) ? previousFeatureMark30 : 0;
            parent = commit(ref, QString("Feature %1 step %2\n\nBody of the change %1.%2").arg(f).arg(c),
                            parent, merge);
            if (c == 30)
                mark30 = parent;
        }
        previousFeatureMark30 = mark30;
    }
    return stream;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QStringList traceSince(qint64 offset)
{
    QFile file(QDir::homePath() + "/Desktop/KydVeltLauncher_logs.txt");
    file.open(QIODevice::ReadOnly);
    file.seek(offset);
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    return lines;
}

qint64 traceSize()
{
    return QFile(QDir::homePath() + "/Desktop/KydVeltLauncher_logs.txt").size();
}

double runScript(const QStringList& commands)
{
    const QString path = QDir::homePath() + "/replay.sh";
    QFile script(path);
    script.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const QString& command : commands)
        script.write(("( " + command + " ) >/dev/null 2>&1\n").toUtf8());
    script.close();
    QElapsedTimer clock;
    clock.start();
    QProcess shell;
    shell.setWorkingDirectory(QDir::homePath());
    shell.start("/bin/sh", {path});
    shell.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e6;
}
}

namespace {
void buildClones(const QString& home)
{
    std::fprintf(stderr, "building the clones...\n");
    const QString root = home + "/upstreams";
    const QString templ = home + "/template";
    QDir().mkpath(templ);
    git(templ, {"init", "-q"});
    git(templ, {"fast-import", "--quiet"}, historyStream());
    git(templ, {"checkout", "-q", "-f", "master"});
    for (const QString& repo : {"velt", "enterprise"})
        for (const QString& organisation : {"velt", "velt-dev"}) {
            const QString bare = root + "/github.com/" + organisation + "/" + repo;
            QDir().mkpath(bare);
            git(bare, {"init", "-q", "--bare"});
            git(templ, {"push", "-q", bare, "--all"});
        }
    for (const char letter : {'a', 'b', 'c'})
        for (const QString& repo : {"velt", "enterprise"}) {
            const QString workspace = home + "/Documents/velt-servers/server_" + QString(QChar(letter));
            QDir().mkpath(workspace);
            git(workspace, {"clone", "-q", "-o", "velt", root + "/github.com/velt/" + repo, repo});
            const QString clone = workspace + "/" + repo;
            git(clone, {"remote", "add", "dev", root + "/github.com/velt-dev/" + repo});
            git(clone, {"fetch", "-q", "dev"});
            for (int f = 0; f < 20; ++f)
                git(clone, {"branch", "-q", "feature-" + QString::number(f), "velt/feature-" + QString::number(f)});
            for (const QString& name : versionNames.mid(1))
                git(clone, {"branch", "-q", name, "velt/" + name});
            QFile modified(clone + "/master.txt");
            modified.open(QIODevice::Append);
            modified.write("local change\n");
        }
}

// One round in this (fresh) process; prints "a b c d e f commands cards".
int measure()
{
    ConfigLoader::getSingleton()->path = QDir::homePath() + "/.config/KydVeltLauncher/config";
    ConfigLoader::getSingleton()->trace = true;
    // Nobody listens there: CI requests fail at once and change nothing.
    Deployment::setCiHost("127.0.0.1:9");
    TermExecutor::getSingleton();

    const qint64 start = traceSize();
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<QWidget>();
    std::vector<GitWidget*> built;
    for (const char letter : {'a', 'b', 'c'})
        for (const QString& repo : {"velt", "enterprise"})
            built.push_back(new GitWidget(letter, repo, nullptr, window.get()));
    QCoreApplication::processEvents();
    const double a = clock.nsecsElapsed() / 1e6;
    const QStringList commands = traceSince(start);
    const double b = runScript(commands);
    // The same commands through the executor alone, without the models and panels.
    clock.restart();
    for (const QString& command : commands)
        TermExecutor::getSingleton()->exec(command, true);
    const double h = clock.nsecsElapsed() / 1e6;

    // Ten pages on the feature branch with the deepest history.
    GitWidget* panel = built.front();
    QListWidget* list = panel->findChild<QListWidget*>("listWidget");
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().mid(2) == "feature-19")
            list->setCurrentRow(i);
    const int before = panel->getCurrentBranch()->commits.size();
    const qint64 pageStart = traceSize();
    clock.restart();
    for (int page = 0; page < 10; ++page)
        panel->loadMore();
    QCoreApplication::processEvents();
    const double c = clock.nsecsElapsed() / 1e6;
    const int cards = panel->getCurrentBranch()->commits.size() - before;
    const double d = runScript(traceSince(pageStart).filter("git log"));
    // The same ten git logs through the executor, without any drawing.
    GitBranch* branch = panel->getCurrentBranch();
    clock.restart();
    for (int page = 0; page < 10; ++page)
        branch->loadCommits('a', "velt", before + 20 * (page + 1));
    const double e = clock.nsecsElapsed() / 1e6;
    // The cards alone: the whole view of 220 commits drawn from scratch.
    clock.restart();
    panel->rebuildBranch();
    QCoreApplication::processEvents();
    const double f = clock.nsecsElapsed() / 1e6;
    std::printf("%f %f %f %f %f %f %f %d %d\n", a, b, c, d, e, f, h, int(commands.size()), cards);
    return 0;
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && QByteArray(argv[1]) == "--measure") {
        QApplication app(argc, argv);
        return measure();
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("SHELL", "/bin/bash");
    QDir(home.path()).mkpath("Desktop");
    QFile bashrc(home.path() + "/.bashrc");
    bashrc.open(QIODevice::WriteOnly);
    bashrc.write("PS1='$ '\n");
    bashrc.close();
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    buildClones(home.path());

    // Every round is a fresh launcher process, as at a real start.
    std::vector<double> columns[7];
    int commands = 0, cards = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--measure"});
        child.waitForFinished(-1);
        const QStringList figures = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(' ');
        if (figures.size() != 9) {
            std::fprintf(stderr, "round %d failed\n", round);
            return 1;
        }
        for (int i = 0; i < 7; ++i)
            columns[i].push_back(figures[i].toDouble());
        commands = figures[7].toInt();
        cards = figures[8].toInt();
        std::fprintf(stderr, "round %d: a %.0f b %.0f c %.0f d %.0f e %.0f f %.0f h %.0f\n", round, columns[0].back(),
                     columns[1].back(), columns[2].back(), columns[3].back(), columns[4].back(), columns[5].back(),
                     columns[6].back());
    }
    const double a = median(columns[0]), b = median(columns[1]), c = median(columns[2]);
    const double d = median(columns[3]), e = median(columns[4]), f = median(columns[5]);
    const double h = median(columns[6]);
    std::printf("clones: 6, local branches each: 30, commands at start: %d, rounds: %d (medians)\n", commands, rounds);
    std::printf("(a) launcher builds models and panels: %8.1f ms\n", a);
    std::printf("(b) same commands by one shell script: %8.1f ms\n", b);
    std::printf("    ratio a/b: %.2f (target <= 1.25)\n", a / b);
    std::printf("(h) the same commands through the executor alone: %8.1f ms\n", h);
    std::printf("    launcher's own work, (a) - (h): %.1f ms\n", a - h);
    std::printf("(c) 10 x Load more (%d cards added):   %8.1f ms\n", cards, c);
    std::printf("(d) the 10 git log commands alone:     %8.1f ms\n", d);
    std::printf("(e) the 10 git logs through the executor: %5.1f ms\n", e);
    std::printf("    cards and drawing, (c) - (e): %.1f ms (target: less than (d))\n", c - e);
    std::printf("(f) the view of 220 cards drawn from scratch: %.1f ms\n", f);
    return 0;
}
