// The git operations without the panel, on real clones: empty values,
// results judged by git's exit status and the state of the repository, never
// by its words; sequences that stop at the first failing or cancelled step;
// names that could be paths; lines that never leave the clone.

#include "gitfixture.h"
#include "splatwatcher.h"
#include "testhome.h"
#include "tracelog.h"

#include "exec/operationgate.h"
#include "git/gitbranch.h"
#include "git/gitoperations.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
QString head(const QString& clone)
{
    return GitFixture::git(clone, {"symbolic-ref", "-q", "HEAD"}).trimmed();
}

QString commitOf(const QString& clone, const QString& ref)
{
    return GitFixture::git(clone, {"rev-parse", ref}).trimmed();
}
}

class TestGitOperations : public QObject
{
    Q_OBJECT
    TestHome home;
    GitFixture fixture;
    TraceLog trace;

    // master, a version branch "11.0" one commit ahead with upstream.txt,
    // and "feature" one commit ahead of master with feature.txt.
    QString makeClone(char letter)
    {
        const QString clone = fixture.clone(letter, "velt");
        GitFixture::git(clone, {"checkout", "-q", "-b", "11.0"});
        GitFixture::commitFile(clone, "upstream.txt", "upstream\n", "Upstream work");
        GitFixture::git(clone, {"checkout", "-q", "-b", "feature", "master"});
        GitFixture::commitFile(clone, "feature.txt", "feature\n", "Feature work");
        GitFixture::git(clone, {"checkout", "-q", "master"});
        return clone;
    }

private slots:
    void initTestCase()
    {
        TraceLog::enable();
        // A line that left the clone would land here, not in a real repository.
        QVERIFY(QDir::setCurrent(home.path()));
    }

    void emptyValuesAreRefusedBeforeGit()
    {
        const QString clone = makeClone('a');
        const GitOperations git('a', "velt");
        SplatWatcher splat;
        trace.mark();
        // The selector's fields left empty: a local name, or a remote and "/".
        for (const QString& onto : {QString(), QString("dev/"), QString("/feature")}) {
            const GitOperations::Outcome outcome = git.rebase(onto, "feature");
            QVERIFY(!outcome.ran && !outcome.succeeded);
        }
        QVERIFY(!git.fetchAndRebase("feature", "master", QString()).ran);
        QVERIFY(!git.createBranch("new", "dev/").ran);
        QVERIFY(!git.cherryPick(" ").ran);
        QVERIFY(!git.clean({}).ran);
        QVERIFY(trace.matching("git rebase").isEmpty() && trace.matching("git pull").isEmpty());
        QVERIFY(trace.matching("checkout -b").isEmpty() && trace.matching("cherry-pick").isEmpty());
        QCOMPARE(head(clone), QString("refs/heads/master"));
        QCOMPARE(splat.shown, 0);
    }

    void rebaseIsJudgedByTheRepository()
    {
        const QString clone = makeClone('b');
        const GitOperations git('b', "velt");
        SplatWatcher splat;
        GitFixture::commitFile(clone, "master.txt", "master\n", "Master moves on");
        QVERIFY(git.rebase("master", "feature"));
        QCOMPARE(commitOf(clone, "feature~1"), commitOf(clone, "master"));

        // An untracked file where a commit being applied puts one: git stops
        // half-way, HEAD detached and the rebase in progress.
        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::commitFile(clone, "later.txt", "later\n", "Later on master");
        GitFixture::writeFile(clone + "/feature.txt", "untracked\n");
        const GitOperations::Outcome stopped = git.rebase("master", "feature");
        QVERIFY(stopped.ran);
        QVERIFY(!stopped.succeeded);
        QVERIFY(git.rebaseInProgress());
        QCOMPARE(splat.shown, 1);
        QFile::remove(clone + "/feature.txt");
        GitFixture::git(clone, {"rebase", "--abort"});
        GitFixture::git(clone, {"checkout", "-q", "master"});

        // Onto something git cannot resolve: refused by git, HEAD where it was.
        QVERIFY(!git.rebase("no-such-branch", "feature"));
        QVERIFY(!git.rebaseInProgress());
        QCOMPARE(head(clone), QString("refs/heads/master"));
    }

    void checkoutIsJudgedByTheSymbolicRef()
    {
        const QString clone = makeClone('c');
        const GitOperations git('c', "velt");
        // A tag named like the branch: git then shortens HEAD to "heads/11.0".
        GitFixture::git(clone, {"tag", "11.0", "master"});
        GitFixture::git(clone, {"tag", "fix", "master"});
        QVERIFY(git.checkout("11.0"));
        QCOMPARE(head(clone), QString("refs/heads/11.0"));
        QVERIFY(git.headIs("11.0"));
        QVERIFY(git.createBranch("fix", "master"));
        QCOMPARE(head(clone), QString("refs/heads/fix"));

        // What git refuses is a failure: an untracked file where 11.0 has one.
        SplatWatcher splat;
        GitFixture::writeFile(clone + "/upstream.txt", "in the way\n");
        QVERIFY(!git.checkout("11.0"));
        QCOMPARE(head(clone), QString("refs/heads/fix"));
        QCOMPARE(splat.shown, 1);
    }

    void sequencesStopAtTheFirstFailingStep()
    {
        const QString clone = makeClone('d');
        GitFixture::git(clone, {"push", "-q", "-u", "velt", "11.0"});
        const GitOperations git('d', "velt");
        SplatWatcher splat;
        // Local work to put aside, and an untracked file where 11.0 has one.
        GitFixture::writeFile(clone + "/README", "local work\n");
        GitFixture::writeFile(clone + "/upstream.txt", "in the way\n");
        const QString masterBefore = commitOf(clone, "master");
        trace.mark();
        const GitOperations::Outcome outcome = git.pull("11.0", "master");
        QVERIFY(outcome.ran);
        QVERIFY(!outcome.succeeded);
        QCOMPARE(outcome.failedStep, QString("git checkout 11.0 --"));
        QVERIFY(outcome.stashKept);
        // Nothing after the failed step: no pull into the branch checked out.
        QVERIFY(trace.matching("git pull").isEmpty());
        QCOMPARE(head(clone), QString("refs/heads/master"));
        QCOMPARE(commitOf(clone, "master"), masterBefore);
        QCOMPARE(splat.shown, 1);
        GitFixture::git(clone, {"stash", "pop", "-q"});

        // A pull that cannot reach its remote fails at its own step, and
        // comes no further.
        QFile::remove(clone + "/upstream.txt");
        const QString upstream = GitFixture::git(clone, {"remote", "get-url", "velt"}).trimmed();
        GitFixture::git(clone, {"remote", "set-url", "velt", fixture.root() + "/nowhere"});
        const GitOperations::Outcome unreachable = git.pull("11.0", "master");
        QCOMPARE(unreachable.failedStep, QString("git pull"));
        QCOMPARE(head(clone), QString("refs/heads/11.0"));
        QVERIFY(unreachable.stashKept);
        QCOMPARE(splat.shown, 2);

        // Cancelled while git waits for its remote: no window, nothing after
        // it, the clone as git left it.
        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::git(clone, {"stash", "pop", "-q"});
        GitFixture::git(clone, {"remote", "set-url", "velt", upstream});
        GitFixture::git(clone, {"config", "remote.velt.uploadpack", "sleep 30; git upload-pack"});
        {
            const OperationGate::Hold hold("Pull");
            QTimer::singleShot(500, [] { OperationGate::shared().requestCancel(); });
            trace.mark();
            const GitOperations::Outcome cancelled = git.pull("11.0", "master");
            QVERIFY(cancelled.ran && !cancelled.succeeded && cancelled.cancelled);
            QCOMPARE(cancelled.failedStep, QString("git pull"));
            QVERIFY(cancelled.stashKept);
            QVERIFY(trace.matching("git checkout master").isEmpty());
        }
        QCOMPARE(head(clone), QString("refs/heads/11.0"));
        QCOMPARE(splat.shown, 2);
    }

    void wordsOnOutputNeverDecide()
    {
        const QString clone = makeClone('f');
        const QString dev = fixture.upstream("velt-dev", "velt");
        GitFixture::git(clone, {"push", "-q", "-f", "-u", "velt", "11.0"});
        GitFixture::git(clone, {"push", "-q", "-u", "dev", "feature:fix-fatal-conflict"});
        GitFixture::git(clone, {"branch", "-q", "--track", "fix-fatal-conflict", "dev/fix-fatal-conflict"});
        // Someone else pushes a change to tools/errors.py, new commits and a
        // new branch whose names hold the words.
        const QString other = fixture.root() + "/other-f";
        GitFixture::git(fixture.root(), {"clone", "-q", "-o", "velt", fixture.upstream("velt", "velt"), "other-f"});
        GitFixture::git(other, {"checkout", "-q", "11.0"});
        GitFixture::commitFile(other, "tools/errors.py", "fatal = 'conflict'\n", "Fix error, fatal and CONFLICT handling");
        GitFixture::git(other, {"push", "-q", "velt", "11.0"});
        GitFixture::git(other, {"push", "-q", dev, "velt/master:refs/heads/error-fatal-conflict"});
        GitFixture::git(other, {"fetch", "-q", dev, "fix-fatal-conflict"});
        GitFixture::git(other, {"checkout", "-q", "-b", "side", "FETCH_HEAD"});
        GitFixture::commitFile(other, "fatal-conflict.txt", "error\n", "Error, fatal, conflict");
        GitFixture::git(other, {"push", "-q", dev, "side:fix-fatal-conflict"});
        // Local work to stash, on a commit whose subject holds "error".
        GitFixture::commitFile(clone, "dialog.txt", "dialog\n", "Show the error dialog");
        GitFixture::writeFile(clone + "/README", "local work\n");
        const GitOperations git('f', "velt");
        SplatWatcher splat;

        QVERIFY(git.fetchAll());
        QVERIFY(!GitFixture::git(clone, {"rev-parse", "-q", "--verify", "dev/error-fatal-conflict"}).isEmpty());
        QVERIFY(git.pull("11.0", "master"));
        QCOMPARE(GitFixture::git(clone, {"log", "-1", "--format=%s", "11.0"}).trimmed(),
                 QString("Fix error, fatal and CONFLICT handling"));
        QVERIFY(git.fetchAndRebase("fix-fatal-conflict", "master", "dev"));
        QCOMPARE(commitOf(clone, "fix-fatal-conflict"), commitOf(clone, "dev/fix-fatal-conflict"));
        QCOMPARE(head(clone), QString("refs/heads/master"));
        QCOMPARE(GitFixture::git(clone, {"diff", "--name-only"}).trimmed(), QString("README"));
        QVERIFY(git.createBranch("11.0-fix-error-dialog", "master"));
        QVERIFY(git.cherryPick(commitOf(clone, "11.0")));
        QVERIFY(QFile::exists(clone + "/tools/errors.py"));
        QCOMPARE(splat.shown, 0);

        // Refused by git without any of the words: failures all the same.
        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::git(clone, {"branch", "-q", "--track", "follows-main", "velt/master"});
        const GitOperations::Outcome noBranchNamed = git.fetchAndRebase("follows-main", "master", "dev");
        QVERIFY(noBranchNamed.ran && !noBranchNamed.succeeded);
        QCOMPARE(noBranchNamed.failedStep, QString("git pull --rebase dev"));
        QCOMPARE(head(clone), QString("refs/heads/follows-main"));
        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::git(clone, {"stash", "pop", "-q"});
        GitFixture::git(clone, {"branch", "-q", "no-upstream", "master"});
        const GitOperations::Outcome noUpstream = git.pull("no-upstream", "master");
        QVERIFY(!noUpstream.succeeded);
        QCOMPARE(noUpstream.failedStep, QString("git pull"));
        QCOMPARE(splat.shown, 2);
    }

    void namesThatCouldBePathsMeanBranches()
    {
        const QString clone = makeClone('g');
        GitFixture::commitFile(clone, "tools/run.py", "run\n", "Tools");
        GitFixture::commitFile(clone, "docs/guide.txt", "guide\n", "Docs");
        GitFixture::git(clone, {"branch", "tools", "master"});
        GitFixture::git(clone, {"branch", "docs", "master"});
        SplatWatcher splat;
        GitBranch tools;
        tools.name = "tools";
        tools.loadCommits('g', "velt", 20);
        QCOMPARE(tools.commits.size(), 3);
        QVERIFY(tools.commits.first()->message.contains("Docs"));

        // A list entry whose branch went meanwhile: refused, the edits in the
        // folder of that name kept.
        GitFixture::git(clone, {"branch", "-q", "-D", "docs"});
        GitFixture::writeFile(clone + "/docs/guide.txt", "my edits\n");
        QVERIFY(!GitOperations('g', "velt").checkout("docs"));
        QFile guide(clone + "/docs/guide.txt");
        QVERIFY(guide.open(QIODevice::ReadOnly));
        QCOMPARE(guide.readAll(), QByteArray("my edits\n"));
        QCOMPARE(head(clone), QString("refs/heads/master"));
        QCOMPARE(splat.shown, 1);
    }

    void linesNeverLeaveTheClone()
    {
        const QString clone = makeClone('e');
        const GitOperations git('e', "velt");
        QCOMPARE(git.prefix(), QString("cd ~/Documents/velt-servers/server_e/velt && "));
        QVERIFY(QDir().rename(clone, clone + "-gone"));
        SplatWatcher splat;
        trace.mark();
        const GitOperations::Outcome outcome = git.checkout("feature");
        QVERIFY(!outcome.ran && !outcome.cloneFound);
        QVERIFY(!git.pull("11.0", "master").cloneFound);
        QVERIFY(git.cleanCandidates().isEmpty());
        QVERIFY(!git.clean({"README"}).ran);
        git.stash();
        for (const QString& line : trace.since())
            QVERIFY2(!line.contains("git checkout") && !line.contains("git clean") && !line.contains("git stash"),
                     qPrintable(line));
        QCOMPARE(splat.shown, 0);
    }
};

QTEST_MAIN(TestGitOperations)
#include "test_gitoperations.moc"
