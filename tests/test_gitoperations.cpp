// The git operations without the panel, on real clones: empty values,
// results judged by the state of the repository, sequences that stop at the
// first failing step, and lines that never leave the clone.

#include "gitfixture.h"
#include "splatwatcher.h"
#include "testhome.h"
#include "tracelog.h"

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
        QVERIFY(!git.clean(QStringList()).ran);
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
        // half-way with HEAD detached, and none of its words reads as failure.
        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::commitFile(clone, "later.txt", "later\n", "Later on master");
        GitFixture::writeFile(clone + "/feature.txt", "untracked\n");
        const GitOperations::Outcome stopped = git.rebase("master", "feature");
        QVERIFY(stopped.ran);
        QVERIFY(!stopped.succeeded);
        QVERIFY(git.rebaseInProgress());
        QCOMPARE(splat.shown, 0);
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
        GitFixture::writeFile(clone + "/upstream.txt", "in the way\n");
        QVERIFY(!git.checkout("11.0"));
        QCOMPARE(head(clone), QString("refs/heads/fix"));
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
        QCOMPARE(outcome.failedStep, QString("git checkout 11.0"));
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
        GitFixture::git(clone, {"remote", "set-url", "velt", fixture.root() + "/nowhere"});
        const GitOperations::Outcome unreachable = git.pull("11.0", "master");
        QCOMPARE(unreachable.failedStep, QString("git pull"));
        QCOMPARE(head(clone), QString("refs/heads/11.0"));
        QVERIFY(unreachable.stashKept);
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
