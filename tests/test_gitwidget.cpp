// The git panel on real clones: list and branch view, checkout with and
// without stash, new branch, rebase (success and conflict), cherry-pick,
// pull and fetch-and-rebase against local upstreams, clean, delete, fetch
// all and refresh list, web links, a detached HEAD, hostile branch names and
// vanished clones.

#include "gitfixture.h"
#include "modalscript.h"
#include "splatwatcher.h"
#include "testhome.h"
#include "tracelog.h"

#include "git/gittab.h"
#include "git/gitwidget.h"
#include "git/spoiler.h"
#include "exec/outputlines.h"
#include "settings/configloader.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {
const QString hostile = "x$(touch${IFS}pwned)";

QListWidget* listOf(GitWidget& panel)
{
    return panel.findChild<QListWidget*>("listWidget");
}

QStringList items(GitWidget& panel)
{
    QStringList texts;
    for (int i = 0; i < listOf(panel)->count(); ++i)
        texts << listOf(panel)->item(i)->text();
    return texts;
}

void select(GitWidget& panel, const QString& name)
{
    QListWidget* list = listOf(panel);
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().mid(2) == name) {
            list->setCurrentRow(i);
            return;
        }
    QFAIL(qPrintable("no row " + name));
}

QWidget* view(GitWidget& panel)
{
    return panel.findChild<QScrollArea*>("scrollCommits")->widget();
}

QStringList headerButtons(GitWidget& panel)
{
    QStringList texts;
    if (auto* header = view(panel)->findChild<QGroupBox*>("branchHeader"))
        for (QPushButton* button : header->findChildren<QPushButton*>())
            texts << button->text();
    return texts;
}

QString head(const QString& clone)
{
    return GitFixture::git(clone, {"rev-parse", "--abbrev-ref", "HEAD"}).trimmed();
}

bool branchExists(const QString& clone, const QString& name)
{
    return GitFixture::gitStatus(clone, {"rev-parse", "--verify", "-q", "refs/heads/" + name}) == 0;
}
}

class TestGitWidget : public QObject
{
    Q_OBJECT
    TestHome home;
    GitFixture fixture;
    TraceLog trace;

    // A clone of workspace `letter` with master checked out, a feature branch
    // "feature" one commit ahead, and a version branch "11.0".
    QString makeClone(char letter)
    {
        const QString clone = fixture.clone(letter, "velt");
        GitFixture::git(clone, {"branch", "11.0", "master"});
        GitFixture::git(clone, {"checkout", "-q", "-b", "feature"});
        GitFixture::commitFile(clone, "feature.txt", "feature\n", "Feature work");
        GitFixture::git(clone, {"checkout", "-q", "master"});
        return clone;
    }

    // The git steps run in the clone since the mark, state queries left out.
    QStringList steps()
    {
        static const QStringList queries = {"symbolic-ref", "rev-parse", "rev-list", "status --porcelain"};
        QStringList commands;
        for (const QString& line : cloneCommands())
            if (!anyLineContains({line}, queries))
                commands << line;
        return commands;
    }

    // Commands of the clone run since the mark, the folder check left out.
    QStringList cloneCommands()
    {
        QStringList commands;
        for (const QString& line : trace.since())
            if (line.startsWith("cd ~/Documents/velt-servers/"))
                commands << line;
        return commands;
    }

private slots:
    void initTestCase()
    {
        TraceLog::enable();
    }

    void listViewAndTabTitles()
    {
        const QString clone = makeClone('a');
        GitFixture::writeFile(clone + "/README", "modified\n");
        GitFixture::writeFile(clone + "/untracked.txt", "new\n");
        SplatWatcher splat;
        ModalScript modals;
        GitWidget community('a', "velt", nullptr, nullptr);
        GitWidget enterprise('q', "enterprise", nullptr, nullptr); // no such clone
        QCOMPARE(items(community), QStringList({"  feature", "  11.0", "->master"}));
        QCOMPARE(community.cdPrefix, QString("cd ~/Documents/velt-servers/server_a/velt && "));

        // No row selected: the active branch, with the active branch's buttons.
        QCOMPARE(headerButtons(community),
                 QStringList({"Refresh", "View on Github", "Clean", "Cherry-pick", "Stash", "Stash pop"}));
        QCOMPARE(view(community)->findChild<QGroupBox*>("branchHeader")->title(), QString("Branch: master"));
        QStringList labels;
        for (QLabel* label : view(community)->findChild<QGroupBox*>("fileStatus")->findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(labels, QStringList({"UNSTAGED FILES:", "README", "\nUNTRACKED FILES:", "untracked.txt"}));

        select(community, "feature");
        QCOMPARE(headerButtons(community), QStringList({"Refresh", "View on Github", "Checkout"}));
        QCOMPARE(view(community)->findChildren<Spoiler*>().size(), 2);

        auto* tabs = new QTabWidget;
        addGitPanels(tabs, &community, &enterprise);
        QCOMPARE(tabs->tabText(0), QString("Community (master)"));
        QCOMPARE(tabs->tabText(1), QString("Enterprise (no branches found)"));
        QCOMPARE(community.tabWidget, tabs);
        QVERIFY(items(enterprise).isEmpty());
        QVERIFY(headerButtons(enterprise).isEmpty());
        QVERIFY(!enterprise.getCurrentBranch());
        // The panels live on the stack: taken back before the tab widget goes.
        community.setParent(nullptr);
        enterprise.setParent(nullptr);
        delete tabs;
        QCOMPARE(splat.shown, 0);
        QVERIFY(modals.unexpected.isEmpty());

        // Web pages of branches and commits, by kind of branch and repository.
        GitBranch* version = community.repository.versionBranches.first();
        GitBranch* feature = community.repository.branches.first();
        QCOMPARE(community.branchWebUrl(version), QString("https://github.com/velt/velt/commits/11.0"));
        QCOMPARE(community.branchWebUrl(feature), QString("https://github.com/velt-dev/velt/commits/feature"));
        QCOMPARE(community.commitWebUrl(feature, "abc"), QString("https://github.com/velt-dev/velt/commit/abc"));
        GitBranch enterpriseVersion;
        enterpriseVersion.name = "11.0";
        enterpriseVersion.isVersion = true;
        QCOMPARE(enterprise.branchWebUrl(&enterpriseVersion), QString("https://github.com/velt/enterprise/commits/11.0"));
        QCOMPARE(enterprise.commitWebUrl(&enterpriseVersion, "f00"), QString("https://github.com/velt/enterprise/commit/f00"));

        // The browser is not started in tests: the command is read from the trace.
        ConfigLoader::getSingleton()->sandbox = true;
        trace.mark();
        select(community, "11.0");
        community.viewBranchOnGH();
        community.viewCommitOnGH("abc123");
        community.viewBranchOnVettor();
        ConfigLoader::getSingleton()->sandbox = false;
        QCOMPARE(trace.matching("xdg-open"),
                 QStringList({"xdg-open https://github.com/velt/velt/commits/11.0",
                              "xdg-open https://github.com/velt/velt/commit/abc123",
                              "xdg-open 'http://vettor.kydvelt.example/vettor/repo/git-github-com-velt-velt-1?search=11.0'"}));
    }

    void contextMenuDependsOnTheBranch()
    {
        makeClone('m');
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('m', "velt", nullptr, nullptr);
        QStringList shown;
        // Reads the menu once it pops up, then closes it.
        auto readMenu = [&shown] {
            QTimer::singleShot(50, [&shown] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (QAction* action : menu->actions())
                        shown << action->text();
                    menu->close();
                }
            });
        };
        select(panel, "11.0");
        readMenu();
        panel.showContextMenu(QPoint(5, 5));
        QCOMPARE(shown, QStringList({"Checkout", "Rebase", "Pull", "View on Github", "View on Vettor", "Delete"}));
        shown.clear();
        select(panel, "feature");
        readMenu();
        panel.showContextMenu(QPoint(5, 5));
        QCOMPARE(shown, QStringList({"Checkout", "Rebase", "Fetch and rebase", "View on Github", "View on Vettor", "Delete"}));

        // A branch in the middle of a rebase: no menu, header buttons disabled.
        GitBranch* rebasing = panel.repository.addToBranches("(no branch, rebasing feature)");
        listOf(panel)->addItem("  " + rebasing->name);
        select(panel, rebasing->name);
        shown.clear();
        readMenu();
        panel.showContextMenu(QPoint(5, 5));
        QTest::qWait(100);
        QVERIFY(shown.isEmpty());
        QCOMPARE(headerButtons(panel).size(), 3);
        for (QPushButton* button : view(panel)->findChild<QGroupBox*>("branchHeader")->findChildren<QPushButton*>())
            QVERIFY(!button->isEnabled());
        QCOMPARE(splat.shown, 0);
    }

    void checkoutWithAndWithoutStash()
    {
        const QString clone = makeClone('b');
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('b', "velt", nullptr, nullptr);
        QTabWidget tabs;
        tabs.addTab(new QWidget, "other");
        tabs.addTab(&panel, panel.tabTitle());
        panel.tabWidget = &tabs;

        // Clean tree: no question, straight checkout.
        select(panel, "feature");
        trace.mark();
        panel.checkout();
        QCOMPARE(head(clone), QString("feature"));
        QVERIFY(cloneCommands().contains("cd ~/Documents/velt-servers/server_b/velt && git checkout feature --"));
        QCOMPARE(panel.repository.activeBranch->name, QString("feature"));
        QCOMPARE(items(panel), QStringList({"->feature", "  11.0", "  master"}));
        QCOMPARE(tabs.tabText(1), QString("Community (feature)")); // its own tab, not the current one
        QCOMPARE(tabs.tabText(0), QString("other"));
        QVERIFY(modals.seen.isEmpty());

        // Changes, answered Cancel: nothing after git diff.
        GitFixture::writeFile(clone + "/README", "work in progress\n");
        select(panel, "master");
        modals.add("Cancel");
        trace.mark();
        panel.checkout();
        QCOMPARE(steps(), QStringList({"cd ~/Documents/velt-servers/server_b/velt && git diff"}));
        QCOMPARE(head(clone), QString("feature"));
        QCOMPARE(modals.seen.value(1), QString("There is unstaged changes on your current branch. Do you want to stash them?"));

        // Stash, checkout, pop: the change follows to master.
        modals.seen.clear();
        modals.add("Yes");
        modals.add("Yes");
        panel.checkout();
        QVERIFY(modals.finished());
        QCOMPARE(modals.seen.value(3), QString("Checkout executed. Do you want to apply your stash now?"));
        QCOMPARE(head(clone), QString("master"));
        QCOMPARE(GitFixture::git(clone, {"diff", "--name-only"}).trimmed(), QString("README"));
        QCOMPARE(panel.repository.unstagedFiles, QStringList({"README"}));

        // Stash without pop: the stash stays, the tree is clean on feature.
        select(panel, "feature");
        modals.seen.clear();
        modals.add("Yes");
        modals.add("No");
        modals.add("OK");
        panel.checkout();
        QVERIFY(modals.finished());
        QCOMPARE(modals.seen.value(4), QString("No stash pop"));
        QCOMPARE(head(clone), QString("feature"));
        QCOMPARE(GitFixture::git(clone, {"stash", "list"}).count('\n'), 1);
        QVERIFY(GitFixture::git(clone, {"diff", "--name-only"}).trimmed().isEmpty());

        // A checkout git refuses leaves the model on the real branch.
        GitFixture::git(clone, {"stash", "pop", "-q"});
        GitFixture::git(clone, {"checkout", "-q", "README"});
        GitFixture::git(clone, {"branch", "-q", "-D", "11.0"});
        select(panel, "11.0");
        modals.seen.clear();
        modals.add("OK");
        panel.checkout();
        QCOMPARE(modals.seen.value(0), QString("Checkout failed"));
        QCOMPARE(panel.repository.activeBranch->name, QString("feature"));
        QCOMPARE(splat.shown, 1);
        tabs.removeTab(1);
        panel.setParent(nullptr);
    }

    void stashAndStashPopButtons()
    {
        const QString clone = makeClone('k');
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('k', "velt", nullptr, nullptr);
        GitFixture::writeFile(clone + "/README", "changed\n");
        panel.stash();
        QVERIFY(GitFixture::git(clone, {"diff", "--name-only"}).trimmed().isEmpty());
        QVERIFY(panel.repository.unstagedFiles.isEmpty());
        panel.stashPop();
        QCOMPARE(panel.repository.unstagedFiles, QStringList({"README"}));
        QCOMPARE(splat.shown, 0);
    }

    void newBranchFromRemoteStartPoint()
    {
        const QString clone = makeClone('c');
        GitFixture::git(clone, {"push", "-q", "dev", "feature:12.0-fix"});
        GitFixture::git(clone, {"fetch", "-q", "dev"});
        SplatWatcher splat;
        ModalScript modals({"selector:dev=12.0-fix", "text=12.0-fix"});
        GitWidget panel('c', "velt", nullptr, nullptr);
        QCOMPARE(panel.repository.devRemoteBranches, QStringList({"12.0-fix", "master"}));
        panel.on_bNewBranch_clicked();
        QVERIFY2(modals.finished(), qPrintable(modals.seen.join('|')));
        QCOMPARE(modals.seen.value(1), QString("Branch Name"));
        QCOMPARE(modals.seen.value(2), QString("Choose the name of your branch"));
        QCOMPARE(modals.seen.value(3), QString("12.0-fix")); // proposed from "dev/12.0-fix"
        QCOMPARE(head(clone), QString("12.0-fix"));
        QCOMPARE(GitFixture::git(clone, {"rev-parse", "--abbrev-ref", "12.0-fix@{upstream}"}).trimmed(),
                 QString("dev/12.0-fix"));
        QCOMPARE(items(panel), QStringList({"  feature", "  11.0", "  master", "->12.0-fix"}));
        QCOMPARE(listOf(panel)->currentItem()->text(), QString("->12.0-fix"));
        QCOMPARE(panel.repository.activeBranch->commits.size(), 2);
        QVERIFY(panel.repository.localBranchNames.contains("12.0-fix"));
        QCOMPARE(splat.shown, 0);

        // Cancelled selector, then the name of the checked-out branch: said
        // so, nothing run, not listed twice.
        modals.add("selector:cancel");
        panel.on_bNewBranch_clicked();
        modals.add("selector:local=master");
        modals.add("text=12.0-fix");
        modals.add("OK");
        trace.mark();
        panel.on_bNewBranch_clicked();
        QVERIFY(modals.finished());
        QCOMPARE(modals.seen.mid(modals.seen.size() - 2),
                 QStringList({"Branch Name", "A branch named 12.0-fix exists already. Nothing was run."}));
        QVERIFY(trace.matching("checkout -b").isEmpty());
        QCOMPARE(splat.shown, 0);
        QCOMPARE(head(clone), QString("12.0-fix"));
        QCOMPARE(items(panel), QStringList({"  feature", "  11.0", "  master", "->12.0-fix"}));
        // Closing the selector window counts as Cancel.
        modals.add("selector:close");
        trace.mark();
        panel.on_bNewBranch_clicked();
        QVERIFY(modals.finished());
        QVERIFY(trace.matching("checkout -b").isEmpty());
    }

    void rebaseSuccessAndConflict()
    {
        const QString clone = makeClone('d');
        GitFixture::commitFile(clone, "master.txt", "master moves\n", "Master moves on");
        SplatWatcher splat;
        ModalScript modals({"selector:local=master", "OK"});
        GitWidget panel('d', "velt", nullptr, nullptr);
        select(panel, "feature");
        trace.mark();
        panel.rebase();
        QVERIFY2(modals.finished(), qPrintable(modals.seen.join('|')));
        QVERIFY(trace.since().contains("cd ~/Documents/velt-servers/server_d/velt && git rebase master feature"));
        QCOMPARE(modals.seen.value(1), QString("Rebase feature on master"));
        QCOMPARE(modals.seen.value(2), QString("Rebase executed"));
        QCOMPARE(splat.shown, 0);
        QCOMPARE(head(clone), QString("feature"));
        QCOMPARE(GitFixture::git(clone, {"rev-parse", "feature~1"}), GitFixture::git(clone, {"rev-parse", "master"}));
        QCOMPARE(items(panel), QStringList({"->feature", "  11.0", "  master"}));

        // Both sides change the same line: a real conflict.
        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::commitFile(clone, "feature.txt", "master's version\n", "Conflicting change");
        GitFixture::git(clone, {"checkout", "-q", "feature"});
        modals.seen.clear();
        modals.add("selector:local=master");
        modals.add("OK");
        panel.rebase();
        QCOMPARE(modals.seen.value(1), QString("Rebase failed"));
        QVERIFY(modals.seen.value(2).contains("still in progress"));
        // The list shows what the clone is in: the rebase, not the branch.
        QVERIFY(panel.repository.activeBranch->isRebasing());
        QCOMPARE(splat.shown, 1);
        QVERIFY(splat.command.contains("git rebase master feature"));
        QVERIFY(splat.output.contains("CONFLICT") || splat.error.contains("CONFLICT"));
        QVERIFY(!modals.seen.contains("Rebase executed"));
        QVERIFY(modals.unexpected.isEmpty());
        GitFixture::git(clone, {"rebase", "--abort"});
    }

    void cherryPick()
    {
        const QString clone = makeClone('e');
        const QString hash = GitFixture::git(clone, {"rev-parse", "feature"}).trimmed();
        SplatWatcher splat;
        ModalScript modals({"text=" + hash, "OK"});
        GitWidget panel('e', "velt", nullptr, nullptr);
        QCOMPARE(panel.getCurrentBranch()->name, QString("master"));
        panel.cherry_pick();
        QVERIFY2(modals.finished(), qPrintable(modals.seen.join('|')));
        QCOMPARE(modals.seen.value(0), QString("Commit hash"));
        QCOMPARE(modals.seen.value(4), QString("Cherry pick executed"));
        QVERIFY(QFile::exists(clone + "/feature.txt"));
        QCOMPARE(GitFixture::git(clone, {"log", "-1", "--format=%s"}).trimmed(), QString("Feature work"));
        // The view shows the new commit at once.
        QVERIFY(view(panel)->findChildren<Spoiler*>().first()->button()->text().endsWith("Feature work"));
        QCOMPARE(splat.shown, 0);

        // A hash that is no commit: the splat window, no success box.
        panel.cherry_pick("0123456789abcdef");
        QCOMPARE(splat.shown, 1);
        QVERIFY(modals.unexpected.isEmpty());
    }

    void pullAndFetchAndRebase()
    {
        const QString clone = makeClone('f');
        // The version branch follows the main upstream, the feature branch the
        // development one; another developer pushes to both.
        GitFixture::git(clone, {"push", "-q", "-u", "velt", "11.0"});
        GitFixture::git(clone, {"push", "-q", "-u", "dev", "feature"});
        const QString other = fixture.root() + "/other";
        GitFixture::git(fixture.root(), {"clone", "-q", fixture.upstream("velt", "velt"), "other"});
        GitFixture::git(other, {"checkout", "-q", "11.0"});
        GitFixture::commitFile(other, "upstream.txt", "upstream\n", "Upstream fix");
        GitFixture::git(other, {"push", "-q", "origin", "11.0"});
        GitFixture::git(other, {"remote", "add", "dev", fixture.upstream("velt-dev", "velt")});
        GitFixture::git(other, {"fetch", "-q", "dev"});
        GitFixture::git(other, {"checkout", "-q", "-b", "devfeature", "dev/feature"});
        GitFixture::commitFile(other, "devside.txt", "dev\n", "Dev side");
        GitFixture::git(other, {"push", "-q", "dev", "devfeature:feature"});
        GitFixture::writeFile(clone + "/README", "local work\n");

        SplatWatcher splat;
        ModalScript modals({"OK", "OK"});
        GitWidget panel('f', "velt", nullptr, nullptr);
        select(panel, "11.0");
        trace.mark();
        panel.pull();
        const QString in = "cd ~/Documents/velt-servers/server_f/velt && ";
        QCOMPARE(steps(), QStringList({in + "git stash", in + "git checkout 11.0 --", in + "git pull",
                                       in + "git checkout master --", in + "git stash pop"}));
        select(panel, "feature");
        trace.mark();
        panel.fetch_and_rebase();
        QCOMPARE(steps(), QStringList({in + "git stash", in + "git checkout feature --", in + "git pull --rebase dev",
                                       in + "git checkout master --", in + "git stash pop"}));
        QVERIFY2(modals.finished(), qPrintable(modals.seen.join('|') + splat.error));
        QCOMPARE(modals.seen, QStringList({"Git pull", "Pull executed", "Fetch and rebase", "Fetch and rebase executed"}));
        QCOMPARE(GitFixture::git(clone, {"log", "-1", "--format=%s", "11.0"}).trimmed(), QString("Upstream fix"));
        QCOMPARE(GitFixture::git(clone, {"log", "-1", "--format=%s", "feature"}).trimmed(), QString("Dev side"));
        // Back on the branch it started from, local work restored.
        QCOMPARE(head(clone), QString("master"));
        QCOMPARE(GitFixture::git(clone, {"diff", "--name-only"}).trimmed(), QString("README"));
        QCOMPARE(splat.shown, 0);

        // With nothing to put aside, an older stash is left alone.
        GitFixture::git(clone, {"stash", "-q"});
        QVERIFY(GitFixture::git(clone, {"diff", "--name-only"}).trimmed().isEmpty());
        modals.add("OK");
        select(panel, "11.0");
        trace.mark();
        panel.pull();
        QVERIFY(modals.finished());
        QCOMPARE(steps(), QStringList({in + "git checkout 11.0 --", in + "git pull", in + "git checkout master --"}));
        QCOMPARE(GitFixture::git(clone, {"stash", "list"}).count('\n'), 1);
        QVERIFY(GitFixture::git(clone, {"diff", "--name-only"}).trimmed().isEmpty());
        QCOMPARE(head(clone), QString("master"));
    }

    void cleanDeletesExactlyWhatItListed()
    {
        const QString clone = makeClone('g');
        GitFixture::commitFile(clone, ".gitignore", "local.conf\n*.pyc\n", "Ignore the local configuration");
        GitFixture::writeFile(clone + "/junk/file.txt", "junk\n");
        GitFixture::writeFile(clone + "/local.conf", "mine\n");
        SplatWatcher splat;
        ModalScript modals({"No"});
        GitWidget panel('g', "velt", nullptr, nullptr);
        panel.clean();
        QVERIFY(modals.finished());
        QCOMPARE(modals.seen.value(0), QString("Untracked files"));
        // The ignored file is named too, since git clean -x deletes it.
        QVERIFY2(modals.seen.value(1).contains("\njunk/\nlocal.conf\n"), qPrintable(modals.seen.value(1)));
        QVERIFY(modals.seen.value(1).contains("Nothing is deleted if you answer No."));
        QVERIFY(QFile::exists(clone + "/junk/file.txt") && QFile::exists(clone + "/local.conf"));
        modals.add("Yes");
        panel.clean();
        QVERIFY(!QFile::exists(clone + "/junk") && !QFile::exists(clone + "/local.conf"));
        QVERIFY(QFile::exists(clone + "/README"));
        QVERIFY(!view(panel)->findChild<QGroupBox*>("fileStatus"));

        // Thousands of ignored files beside tracked ones, as a test run
        // leaves them; names with quotes, backslashes and a line break; a
        // link to a folder outside the clone, which goes while its folder
        // stays; a repository of its own, which git clean leaves alone.
        GitFixture::commitFile(clone, "addons/module.py", "code\n", "A module");
        for (int i = 0; i < 3000; ++i)
            GitFixture::writeFile(clone + "/addons/compiled_module_of_a_rather_long_name_" + QString::number(i) + ".pyc", "");
        const QStringList odd = {"q\"uote.txt", "back\\slash.txt", "it's.txt", "line\nbreak.txt", "-dash.txt"};
        for (const QString& name : odd)
            GitFixture::writeFile(clone + "/" + name, "odd\n");
        GitFixture::writeFile(QDir::homePath() + "/outside/keep.txt", "keep\n");
        QVERIFY(QFile::link(QDir::homePath() + "/outside", clone + "/outside-link"));
        QVERIFY(QDir().mkpath(clone + "/nested"));
        GitFixture::git(clone + "/nested", {"init", "-q"});
        modals.seen.clear();
        modals.add("Yes");
        panel.clean();
        QVERIFY(modals.finished());
        QVERIFY2(modals.seen.value(1).contains("…and 2976 more"), qPrintable(modals.seen.value(1).right(200)));
        QCOMPARE(modals.seen.size(), 2); // no "could not be deleted"
        QCOMPARE(QDir(clone + "/addons").entryList(QDir::Files), QStringList({"module.py"}));
        for (const QString& name : odd)
            QVERIFY2(!QFile::exists(clone + "/" + name), qPrintable(name));
        QVERIFY(!QFileInfo(clone + "/outside-link").isSymLink());
        QVERIFY(QFile::exists(QDir::homePath() + "/outside/keep.txt"));
        QVERIFY(QFileInfo(clone + "/nested/.git").isDir());
        QCOMPARE(splat.shown, 0);
    }

    void detachedHeadIsNoBranch()
    {
        const QString clone = makeClone('n');
        GitFixture::git(clone, {"checkout", "-q", "--detach", "master"});
        GitFixture::commitFile(clone, "own.txt", "own\n", "Work on no branch");
        const QString own = GitFixture::git(clone, {"rev-parse", "HEAD"}).trimmed();
        const QString shortOwn = GitFixture::git(clone, {"rev-parse", "--short", "HEAD"}).trimmed();
        SplatWatcher splat;
        ModalScript modals;
        trace.mark();
        GitWidget panel('n', "velt", nullptr, nullptr);
        QCOMPARE(items(panel), QStringList({"  feature", "  11.0", "  master"}));
        QCOMPARE(panel.repository.localBranchNames, QStringList({"11.0", "feature", "master"}));
        QCOMPARE(panel.tabTitle(), "Community (detached at " + shortOwn + ")");
        QVERIFY(trace.matching("detached").isEmpty());

        // Operations that need a current branch refuse, and say why.
        select(panel, "11.0");
        modals.add("OK");
        trace.mark();
        panel.pull();
        QCOMPARE(modals.seen.value(0), QString("Pull"));
        QVERIFY2(modals.seen.value(1).contains("detached at " + shortOwn), qPrintable(modals.seen.value(1)));
        QVERIFY(steps().isEmpty());

        // Leaving commits of its own asks first: No leaves HEAD where it is.
        select(panel, "feature");
        modals.add("No");
        panel.checkout();
        QCOMPARE(modals.seen.value(2), QString("Detached HEAD"));
        QVERIFY(modals.seen.value(3).contains(own));
        QCOMPARE(head(clone), QString("HEAD"));
        modals.add("Yes");
        panel.checkout();
        QVERIFY2(modals.finished(), qPrintable(modals.seen.join('|')));
        QCOMPARE(head(clone), QString("feature"));
        QCOMPARE(items(panel), QStringList({"->feature", "  11.0", "  master"}));
        QCOMPARE(panel.tabTitle(), QString("Community (feature)"));
        QVERIFY(modals.unexpected.isEmpty());
        QCOMPARE(splat.shown, 0);
    }

    void deleteBranches()
    {
        const QString clone = makeClone('h');
        GitFixture::git(clone, {"branch", "pushed", "master"});
        GitFixture::git(clone, {"push", "-q", "-u", "dev", "pushed"});
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('h', "velt", nullptr, nullptr);

        // The checked-out branch is refused.
        select(panel, "master");
        modals.add("OK");
        panel.deleteBranch();
        QCOMPARE(modals.seen.value(0), QString("Change branch"));
        QVERIFY(branchExists(clone, "master"));

        // No upstream: asks; No keeps it, Yes deletes it.
        select(panel, "feature");
        modals.add("No");
        panel.deleteBranch();
        QCOMPARE(modals.seen.value(2), QString("No upstream"));
        QVERIFY(branchExists(clone, "feature"));
        modals.add("Yes");
        panel.deleteBranch();
        QVERIFY(!branchExists(clone, "feature"));
        QVERIFY(!items(panel).contains("  feature"));

        // With an upstream: no question.
        select(panel, "pushed");
        modals.seen.clear();
        panel.deleteBranch();
        QVERIFY(modals.seen.isEmpty());
        QVERIFY(!branchExists(clone, "pushed"));
        QCOMPARE(items(panel), QStringList({"  11.0", "->master"}));
        QVERIFY(modals.unexpected.isEmpty());
        QCOMPARE(splat.shown, 0);
        panel.updateVettor(); // no record of a deleted branch is left watched
    }

    void fetchAllAndRefreshListRebuild()
    {
        const QString clone = makeClone('i');
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('i', "velt", nullptr, nullptr);
        panel.repository.loadCheckoutPoints({"a<->b=-=>c"});
        GitFixture::git(clone, {"branch", "added-outside", "master"});
        // Pushed by someone else: this clone learns of it only by fetching.
        GitFixture::git(clone, {"push", "-q", fixture.upstream("velt-dev", "velt"), "master:new-on-dev"});

        // One CI timer and one network manager, however often the list is read.
        panel.on_bRefreshList_clicked();
        panel.on_bRefreshList_clicked();
        panel.on_bRefreshList_clicked();
        const auto timers = panel.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(timers.size(), 1);
        QVERIFY(timers.first()->isActive());
        QVERIFY(timers.first()->interval() >= 60000 && timers.first()->interval() < 70000);
        QCOMPARE(panel.findChildren<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        QCOMPARE(items(panel), QStringList({"  added-outside", "  feature", "  11.0", "->master"}));
        // Checkout points belong to the workspace settings: kept for the next save.
        QCOMPARE(panel.repository.getCheckoutPoints(), QStringList({"a<->b=-=>c"}));
        QVERIFY(!panel.repository.devRemoteBranches.contains("new-on-dev"));

        modals.add("OK");
        panel.on_bFetchAll_clicked();
        QCOMPARE(modals.seen.value(1), QString("Fetch --all executed."));
        QVERIFY(panel.repository.devRemoteBranches.contains("new-on-dev"));
        QCOMPARE(items(panel).size(), 4);
        QCOMPARE(panel.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        QCOMPARE(panel.findChildren<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        QCOMPARE(panel.repository.versionNames.size(), 20);
        QCOMPARE(splat.shown, 0);

        // A remote that cannot be reached: reported, not "executed".
        GitFixture::git(clone, {"remote", "set-url", "dev", fixture.root() + "/nowhere"});
        modals.add("OK");
        panel.on_bFetchAll_clicked();
        QVERIFY(modals.finished());
        QCOMPARE(modals.seen.value(2), QString("Fetch --all failed"));
        QVERIFY(!modals.seen.mid(2).contains("Fetch --all executed."));
        QCOMPARE(splat.shown, 1);
    }

    void hostileBranchNameRunsNothingButGit()
    {
        const QString clone = makeClone('j');
        GitFixture::git(clone, {"branch", hostile, "master"});
        QVERIFY(branchExists(clone, hostile));
        GitFixture::git(clone, {"branch", "ok", "master"});
        SplatWatcher splat;
        ModalScript modals;
        trace.mark();
        GitWidget panel('j', "velt", nullptr, nullptr);
        QCOMPARE(panel.repository.branches.first()->name, QString("feature"));
        select(panel, hostile); // its history is read once it is shown
        QVERIFY(trace.since().contains("cd ~/Documents/velt-servers/server_j/velt && git log -20 'x$(touch${IFS}pwned)' --"));

        panel.checkout();
        QCOMPARE(head(clone), hostile);
        select(panel, "master");
        panel.checkout();

        modals.add("selector:local=master");
        modals.add("OK"); // "Rebase executed"
        select(panel, hostile);
        panel.rebase();
        QCOMPARE(head(clone), hostile);
        QVERIFY(trace.since().contains("cd ~/Documents/velt-servers/server_j/velt && git rebase master 'x$(touch${IFS}pwned)'"));

        select(panel, "master");
        panel.checkout();
        select(panel, hostile);
        modals.add("Yes"); // no upstream
        panel.deleteBranch();
        QVERIFY(!branchExists(clone, hostile));
        QVERIFY(trace.since().contains("cd ~/Documents/velt-servers/server_j/velt && git branch -D 'x$(touch${IFS}pwned)'"));

        for (const QString& place : {clone, QDir::currentPath(), QDir::homePath(),
                                     QDir::homePath() + "/Documents/velt-servers/server_j"})
            QVERIFY2(!QFile::exists(place + "/pwned"), qPrintable(place));
        QCOMPARE(splat.shown, 0);
        QVERIFY(modals.unexpected.isEmpty());
    }

    void vanishedCloneRunsNothing()
    {
        const QString clone = makeClone('l');
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('l', "velt", nullptr, nullptr);
        QVERIFY(QDir().rename(clone, clone + "-moved"));
        select(panel, "feature");
        trace.mark();
        for (int i = 0; i < 12; ++i)
            modals.add("OK");
        panel.checkout();
        panel.refresh();
        panel.loadMore();
        panel.stash();
        panel.stashPop();
        panel.clean();
        panel.deleteBranch();
        panel.cherry_pick("abc");
        panel.pull();
        panel.fetch_and_rebase();
        panel.on_bNewBranch_clicked();
        select(panel, "feature");
        panel.rebase();
        QCOMPARE(modals.seen.size(), 24);
        QCOMPARE(modals.seen.value(0), QString("Clone not found"));
        QVERIFY(modals.seen.value(1).contains(clone));
        QVERIFY(cloneCommands().isEmpty());
        QCOMPARE(splat.shown, 0);
        // A folder that is no work tree of its own is refused as well.
        QDir().mkpath(clone);
        modals.add("OK");
        panel.clean();
        QVERIFY(cloneCommands().isEmpty());
        QVERIFY(modals.finished());
    }
};

QTEST_MAIN(TestGitWidget)
#include "test_gitwidget.moc"
