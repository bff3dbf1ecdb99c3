// The repository model read from real clones: branch classification, the
// active branch, remotes in both URL forms, remote branch lists, file
// status, checkout points and the questions about missing remotes.

#include "gitfixture.h"
#include "modalscript.h"
#include "splatwatcher.h"
#include "testhome.h"
#include "tracelog.h"

#include "git/gitstructures.h"
#include "git/remoterecognition.h"
#include "settings/configloader.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestGitRepository : public QObject
{
    Q_OBJECT
    TestHome home;
    GitFixture fixture;
    TraceLog trace;

    QStringList names(const QList<GitBranch*>& list)
    {
        QStringList result;
        for (GitBranch* branch : list)
            result << branch->name;
        return result;
    }

private slots:
    void initTestCase()
    {
        TraceLog::enable();
        // Workspace a: master checked out, feature and look-alike branches.
        const QString clone = fixture.clone('a', "velt");
        GitFixture::git(clone, {"checkout", "-q", "-b", "12.0-fix"});
        for (int i = 0; i < 25; ++i)
            GitFixture::commitFile(clone, "fix.txt", QString::number(i), "Fix step " + QString::number(i));
        for (const char* name : {"master2", "saas-11.3", "11.0", "saas-11.2"})
            GitFixture::git(clone, {"branch", name, "master"});
        GitFixture::git(clone, {"checkout", "-q", "master"});
    }

    void classifiesVersionAndFeatureBranches()
    {
        ModalScript modals;
        trace.mark();
        GitRepository repository;
        repository.initRepository('a', "velt");

        QCOMPARE(names(repository.branches), QStringList({"12.0-fix", "master2", "saas-11.3"}));
        QCOMPARE(names(repository.versionBranches), QStringList({"11.0", "master", "saas-11.2"}));
        for (GitBranch* branch : repository.versionBranches) {
            QVERIFY(branch->isVersion);
            QVERIFY(branch->commits.isEmpty());
        }
        for (GitBranch* branch : repository.branches)
            QVERIFY(!branch->isVersion);
        QVERIFY(repository.activeBranch);
        QCOMPARE(repository.activeBranch->name, QString("master"));
        QCOMPARE(repository.activeBranch, repository.versionBranches[1]);

        // Histories wait until their branch is shown; then one page, newest first.
        GitBranch* fix = repository.branches[0];
        QVERIFY(fix->commits.isEmpty() && fix->historyPending());
        QVERIFY(!repository.activeBranch->historyPending());
        QCOMPARE(repository.latestVersion, 11);
        QCOMPARE(repository.versionNames.size(), 20);
        QCOMPARE(repository.localBranchNames,
                 QStringList({"11.0", "12.0-fix", "master", "master2", "saas-11.2", "saas-11.3"}));

        const QString prefix = "cd ~/Documents/velt-servers/server_a/velt && ";
        QVERIFY(trace.matching("git log").isEmpty());
        fix->loadCommits('a', "velt", GitBranch::pageSize);
        QCOMPARE(fix->commits.size(), 20);
        QCOMPARE(fix->commits.first()->message.trimmed(), QString("Fix step 24"));
        QCOMPARE(fix->commits.first()->branch, fix);
        QVERIFY(!fix->historyPending());
        QCOMPARE(trace.matching("git log"), QStringList({prefix + "git log -20 12.0-fix --"}));
        QVERIFY(trace.since().contains(prefix + "git branch"));
        QVERIFY(trace.since().contains(prefix + "git remote -v"));
        QVERIFY(modals.seen.isEmpty());

        // A second init without cleaning doubles the names but classifies alike.
        repository.initRepository('a', "velt");
        QCOMPARE(repository.versionNames.size(), 40);
        QCOMPARE(names(repository.versionBranches), QStringList({"11.0", "master", "saas-11.2"}));
        QCOMPARE(names(repository.branches).size(), 3);

        repository.cleanRepo();
        QVERIFY(repository.branches.isEmpty() && repository.versionBranches.isEmpty());
        QVERIFY(!repository.activeBranch);
        QVERIFY(repository.versionNames.isEmpty() && repository.localBranchNames.isEmpty());
        QVERIFY(repository.mainRemoteBranches.isEmpty() && repository.devRemoteBranches.isEmpty());
        QCOMPARE(repository.mainRemoteName, QString("velt"));
        QCOMPARE(repository.devRemoteName, QString("dev"));
    }

    void branchRecordsAndActiveBranch()
    {
        GitRepository repository;
        repository.versionNames = GitRepository::knownVersionNames();
        GitBranch* feature = repository.addToBranches("Master");
        GitBranch* version = repository.addToBranches("saas-7");
        QVERIFY(!feature->isVersion); // case-sensitive
        QVERIFY(version->isVersion);
        repository.unstagedFiles << "a";
        repository.untrackedFiles << "b";
        repository.refreshActiveBranch("saas-7");
        QCOMPARE(repository.activeBranch, version);
        QVERIFY(repository.unstagedFiles.isEmpty() && repository.untrackedFiles.isEmpty());
        repository.refreshActiveBranch("unknown");
        QCOMPARE(repository.activeBranch, version);
        repository.removeBranch("Master");
        QCOMPARE(names(repository.branches), QStringList());
        QCOMPARE(names(repository.versionBranches), QStringList({"saas-7"}));
    }

    void remoteUrlForms()
    {
        using RemoteRecognition::Upstream;
        using RemoteRecognition::classify;
        QCOMPARE(classify("git@github.com:velt/velt.git", "velt"), Upstream::Main);
        QCOMPARE(classify("https://github.com/velt/velt.git", "velt"), Upstream::Main);
        QCOMPARE(classify("git@github.com:velt-dev/velt.git", "velt"), Upstream::Development);
        QCOMPARE(classify("https://github.com/velt-dev/velt", "velt"), Upstream::Development);
        QCOMPARE(classify("/srv/mirror/github.com/velt-dev/enterprise", "enterprise"), Upstream::Development);
        QCOMPARE(classify("git@github.com:velt/enterprise.git", "velt"), Upstream::None);
        QCOMPARE(classify("https://gitlab.com/velt/velt.git", "velt"), Upstream::None);
        QCOMPARE(RemoteRecognition::proposedUrl("velt-dev", "enterprise"),
                 QString("https://github.com:velt-dev/enterprise.git"));
    }

    void remotesRecognisedInBothForms()
    {
        // SSH form for the main remote, HTTPS form for the development one:
        // the URLs are set by hand, nothing is fetched from them.
        const QString clone = fixture.clone('b', "velt");
        GitFixture::git(clone, {"remote", "rename", "velt", "upstream"});
        GitFixture::git(clone, {"remote", "set-url", "upstream", "git@github.com:velt/velt.git"});
        GitFixture::git(clone, {"remote", "set-url", "dev", "https://github.com/velt-dev/velt"});
        ModalScript modals;
        GitRepository repository;
        repository.initRepository('b', "velt");
        QCOMPARE(repository.mainRemoteName, QString("upstream"));
        QCOMPARE(repository.devRemoteName, QString("dev"));
        QVERIFY(modals.seen.isEmpty());
        QVERIFY(modals.unexpected.isEmpty());
    }

    void remoteBranchListsSkipHeadAndOtherRemotes()
    {
        // Remotes named "velt" and "velt-dev": grep's pattern for the first
        // also matches the second's lines, which must not leak in.
        const QString clone = fixture.clone('c', "enterprise");
        GitFixture::git(clone, {"remote", "rename", "dev", "velt-dev"});
        GitFixture::git(clone, {"push", "-q", "velt", "master:11.0", "master:10.0"});
        GitFixture::git(clone, {"push", "-q", "velt-dev", "master:12.0-fix"});
        GitFixture::git(clone, {"fetch", "-q", "--all"});
        GitFixture::git(clone, {"remote", "set-head", "velt", "master"});

        ModalScript modals;
        GitRepository repository;
        repository.initRepository('c', "enterprise");
        QCOMPARE(repository.mainRemoteName, QString("velt"));
        QCOMPARE(repository.devRemoteName, QString("velt-dev"));
        QCOMPARE(repository.mainRemoteBranches, QStringList({"10.0", "11.0", "master"}));
        QCOMPARE(repository.devRemoteBranches, QStringList({"12.0-fix", "master"}));
        QCOMPARE(repository.branchList.mainRemoteBranches, repository.mainRemoteBranches);
    }

    void unstagedAndUntrackedFiles()
    {
        const QString clone = QDir::homePath() + "/Documents/velt-servers/server_a/velt";
        GitFixture::writeFile(clone + "/README", "changed\n");
        GitFixture::writeFile(clone + "/new.txt", "new\n");
        GitFixture::writeFile(clone + "/newdir/inner.txt", "inner\n");
        QDir().mkpath(clone + "/emptydir");
        GitRepository repository;
        repository.refreshUnstagedFiles('a', "velt");
        QCOMPARE(repository.unstagedFiles, QStringList({"README"}));
        QCOMPARE(repository.untrackedFiles, QStringList({"new.txt", "newdir/"}));
        GitFixture::git(clone, {"checkout", "-q", "README"});
        QFile::remove(clone + "/new.txt");
        QDir(clone + "/newdir").removeRecursively();
        repository.refreshUnstagedFiles('a', "velt");
        QVERIFY(repository.unstagedFiles.isEmpty());
        QVERIFY(repository.untrackedFiles.isEmpty());
    }

    void checkoutPointsRoundTrip()
    {
        GitRepository repository;
        const QStringList lines = {"a<->b=-=>c", "feature/x<->11.0=-=>saas-11.2", "<->=-=>"};
        repository.loadCheckoutPoints(lines);
        QCOMPARE(repository.checkoutPoints.size(), 3);
        QCOMPARE(repository.checkoutPoints[0].left, QString("a"));
        QCOMPARE(repository.checkoutPoints[0].right, QString("b"));
        QCOMPARE(repository.checkoutPoints[0].target, QString("c"));
        QCOMPARE(repository.getCheckoutPoints(), lines);
        // A line without separators loads as a left part alone, without crashing.
        repository.loadCheckoutPoints({"broken"});
        QCOMPARE(repository.getCheckoutPoints(), QStringList({"broken<->=-=>"}));
        repository.loadCheckoutPoints({});
        QVERIFY(repository.getCheckoutPoints().isEmpty());
    }

    void missingRemotesAreOffered()
    {
        const QString clone = fixture.clone('d', "velt");
        GitFixture::git(clone, {"remote", "remove", "dev"});
        // The URL holds shell characters: it must reach git as one word.
        const QString devUrl = fixture.upstream("velt-dev", "velt") + ";touch pwned";
        ModalScript modals({"Yes", "text=" + devUrl});
        GitRepository repository;
        repository.initRepository('d', "velt");
        QVERIFY2(modals.finished(), qPrintable(modals.seen.join(" | ")));
        QVERIFY(modals.unexpected.isEmpty());
        QCOMPARE(modals.seen.value(0), QString("No velt-dev upstream"));
        QCOMPARE(modals.seen.value(1),
                 QString("There is no upstream to velt-dev encoded on the server d - velt. Do you want to create one?"));
        QCOMPARE(modals.seen.value(2), QString("velt-dev URL"));
        QCOMPARE(modals.seen.value(3), QString("Enter the URL of the Velt-dev Repository:"));
        QCOMPARE(modals.seen.value(4), QString("https://github.com:velt-dev/velt.git"));
        QCOMPARE(repository.devRemoteName, QString("velt-dev"));
        QCOMPARE(GitFixture::git(clone, {"remote", "get-url", "velt-dev"}).trimmed(), devUrl);
        QVERIFY(!QFile::exists(clone + "/pwned"));
        QVERIFY(!QFile::exists(QDir::currentPath() + "/pwned"));

        // No, then a cancelled input: nothing is added.
        const QString second = fixture.clone('e', "velt");
        GitFixture::git(second, {"remote", "remove", "dev"});
        GitFixture::git(second, {"remote", "remove", "velt"});
        ModalScript refusals({"No", "Yes", "reject"});
        GitRepository other;
        other.initRepository('e', "velt");
        QVERIFY2(refusals.finished(), qPrintable(refusals.seen.join(" | ") + " ## " + refusals.unexpected.join(" | ")));
        QCOMPARE(refusals.seen.value(0), QString("No origin upstream"));
        QCOMPARE(refusals.seen.value(2), QString("No velt-dev upstream"));
        QVERIFY(other.mainRemoteName.isEmpty());
        QVERIFY(other.devRemoteName.isEmpty());
        QVERIFY(other.mainRemoteBranches.isEmpty());
        QCOMPARE(GitFixture::git(second, {"remote"}).trimmed(), QString());
    }

    void rebaseInProgressBranch()
    {
        const QString clone = fixture.clone('f', "velt");
        GitFixture::git(clone, {"checkout", "-q", "-b", "x"});
        GitFixture::commitFile(clone, "README", "from x\n", "x side");
        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::commitFile(clone, "README", "from master\n", "master side");
        QVERIFY(GitFixture::gitStatus(clone, {"rebase", "master", "x"}) != 0);

        SplatWatcher splat;
        ModalScript modals;
        trace.mark();
        GitRepository repository;
        repository.initRepository('f', "velt");
        QVERIFY(repository.activeBranch);
        QVERIFY(repository.activeBranch->name.startsWith("(no branch, rebasing x)"));
        QVERIFY(repository.activeBranch->commits.isEmpty());
        QVERIFY(trace.matching("git log").filter("rebasing").isEmpty());
        GitFixture::git(clone, {"rebase", "--abort"});
    }

    void missingAndEmptyClones()
    {
        ModalScript modals;
        trace.mark();
        GitRepository missing;
        missing.initRepository('z', "velt");
        missing.refreshUnstagedFiles('z', "velt");
        QVERIFY(!missing.activeBranch);
        QVERIFY(missing.branches.isEmpty());
        QVERIFY(trace.matching("git").isEmpty()); // nothing ran in some other folder
        QVERIFY(modals.seen.isEmpty() && modals.unexpected.isEmpty());

        const QString empty = QDir::homePath() + "/Documents/velt-servers/server_y/velt";
        QDir().mkpath(empty);
        GitFixture::git(empty, {"init", "-q"});
        ModalScript answers({"No", "No"});
        GitRepository repository;
        repository.initRepository('y', "velt");
        QVERIFY(!repository.activeBranch);
        QVERIFY(repository.branches.isEmpty() && repository.versionBranches.isEmpty());
        QVERIFY2(answers.finished(), qPrintable(answers.seen.join(" | ") + " ## " + answers.unexpected.join(" | ")));

        // Sandbox mode: nothing runs, so nothing is asked either.
        ConfigLoader::getSingleton()->sandbox = true;
        ModalScript silent;
        GitRepository sandboxed;
        sandboxed.initRepository('y', "velt");
        ConfigLoader::getSingleton()->sandbox = false;
        QVERIFY(silent.seen.isEmpty() && silent.unexpected.isEmpty());
        QVERIFY(!sandboxed.activeBranch);
    }
};

QTEST_MAIN(TestGitRepository)
#include "test_gitrepository.moc"
