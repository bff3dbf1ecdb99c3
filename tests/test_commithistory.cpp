// Commit history: the git log command, parsing of real and odd output, the
// paging depth of "Refresh" and "Load more...", and commit card titles.

#include "gitfixture.h"
#include "modalscript.h"
#include "splatwatcher.h"
#include "testhome.h"
#include "tracelog.h"

#include "git/committitle.h"
#include "git/gitstructures.h"
#include "git/gitwidget.h"
#include "git/spoiler.h"

#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLineEdit>
#include <QTextEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QtTest>

class TestCommitHistory : public QObject
{
    Q_OBJECT
    TestHome home;
    GitFixture fixture;
    TraceLog trace;
    QString clone;

    static QWidget* view(GitWidget& panel)
    {
        return panel.findChild<QScrollArea*>("scrollCommits")->widget();
    }

    // The cards in the order of the view.
    static QList<Spoiler*> cards(GitWidget& panel)
    {
        QList<Spoiler*> result;
        auto* grid = static_cast<QGridLayout*>(view(panel)->layout());
        for (int row = 0; row < grid->rowCount(); ++row)
            if (QLayoutItem* item = grid->itemAtPosition(row, 0))
                if (auto* card = qobject_cast<Spoiler*>(item->widget()))
                    result << card;
        return result;
    }

    static void select12(GitWidget& panel)
    {
        QListWidget* list = panel.findChild<QListWidget*>("listWidget");
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().mid(2) == "12.0-fix")
                list->setCurrentRow(i);
    }

private slots:
    void initTestCase()
    {
        TraceLog::enable();
        clone = fixture.clone('b', "enterprise");
        GitFixture::git(clone, {"checkout", "-q", "-b", "12.0-fix"});
        for (int i = 0; i < 45; ++i)
            GitFixture::commitFile(clone, "f.txt", QString::number(i), "Step " + QString::number(i));
        GitFixture::git(clone, {"checkout", "-q", "-b", "side", "HEAD~3"});
        GitFixture::commitFile(clone, "side.txt", "side\n", "Side work\n\nAuthor: not a header\nDate:   neither");
        GitFixture::git(clone, {"checkout", "-q", "12.0-fix"});
        GitFixture::git(clone, {"merge", "-q", "--no-ff", "-m", "Merge side into 12.0-fix", "side"});
    }

    void logCommandReadsAsAlways()
    {
        QCOMPARE(GitBranch::logCommand('B', "enterprise", "12.0-fix", 20),
                 QString("cd ~/Documents/velt-servers/server_B/enterprise && git log -20 12.0-fix --"));
        QCOMPARE(GitBranch::logCommand('b', "velt", "x$(touch${IFS}pwned)", 40),
                 QString("cd ~/Documents/velt-servers/server_b/velt && git log -40 'x$(touch${IFS}pwned)' --"));
    }

    void parsesMergeCommitsAndBodies()
    {
        SplatWatcher splat;
        trace.mark();
        GitBranch branch;
        branch.name = "12.0-fix";
        branch.loadCommits('b', "enterprise", 20);
        QCOMPARE(trace.matching("git log"),
                 QStringList({"cd ~/Documents/velt-servers/server_b/enterprise && git log -20 12.0-fix --"}));
        QCOMPARE(branch.commits.size(), 20);

        GitCommit* merge = branch.commits[0];
        QCOMPARE(merge->hash, GitFixture::git(clone, {"rev-parse", "HEAD"}).trimmed());
        QCOMPARE(merge->author, QString("Test Author <author@example.org>"));
        QVERIFY(!merge->date.isEmpty());
        QCOMPARE(merge->merge.split(' ').size(), 2);
        // git's blank separator before the next commit ends the message.
        QCOMPARE(merge->message, QString("\n    Merge side into 12.0-fix\n\n"));
        QCOMPARE(merge->branch, &branch);

        // Header-looking lines of a body stay in the message.
        GitCommit* side = nullptr;
        for (GitCommit* commit : branch.commits)
            if (commit->message.contains("Side work"))
                side = commit;
        QVERIFY(side);
        QVERIFY(side->merge.isEmpty());
        QCOMPARE(side->message,
                 QString("\n    Side work\n    \n    Author: not a header\n    Date:   neither\n\n"));
        QCOMPARE(side->author, QString("Test Author <author@example.org>"));

        branch.loadCommits('b', "enterprise", 5);
        QCOMPARE(branch.commits.size(), 5);
        QCOMPARE(splat.shown, 0);
    }

    void parsesOddOutput()
    {
        GitBranch branch;
        const QStringList lines = {"warning before any commit", "commit abc", "Author: A", "Author: B",
                                   "Merge: 1 2", "Date:   today", "", "    body", "commit def",
                                   "Date:   Date:   twice", "commit"};
        const QList<GitCommit*> commits = GitBranch::parseLog(lines, &branch);
        QCOMPARE(commits.size(), 2); // "commit" alone is no header
        QCOMPARE(commits[0]->hash, QString("abc"));
        QCOMPARE(commits[0]->author, QString("A"));
        QCOMPARE(commits[0]->merge, QString("1 2"));
        QCOMPARE(commits[0]->date, QString("today"));
        QCOMPARE(commits[0]->message, QString("Author: B\n\n    body\n"));
        QCOMPARE(commits[1]->hash, QString("def"));
        QCOMPARE(commits[1]->date, QString("Date:   twice"));
        QCOMPARE(commits[1]->message, QString("commit\n"));
        QVERIFY(GitBranch::parseLog({}, &branch).isEmpty());
        qDeleteAll(commits);

        // A branch in a rebase is not logged.
        GitBranch rebasing;
        rebasing.name = "(no branch, rebasing x)";
        trace.mark();
        rebasing.loadCommits('b', "enterprise", 20);
        QVERIFY(rebasing.commits.isEmpty());
        QVERIFY(trace.since().isEmpty());
    }

    void cardTitles()
    {
        const QFont font;
        const QFontMetrics metrics(font);
        const int blank = metrics.horizontalAdvance(' ');
        const QString name = "Jane Doe ";
        const int pad = (200 - metrics.horizontalAdvance(name)) / blank;
        QCOMPARE(commitCardTitle("Jane Doe <jane@example.org>", "\n    Fix the thing\n    more\n", metrics),
                 name + QString(pad, ' ') + "    Fix the thing");
        // Author without e-mail part: used whole.
        const int padWhole = (200 - metrics.horizontalAdvance("Robot")) / blank;
        QCOMPARE(commitCardTitle("Robot", "\nx\n", metrics), "Robot" + QString(padWhole, ' ') + "x");
        // Only blank lines in the first 150 characters: the padded name alone.
        const QString blankLines = QString("    \n").repeated(40) + "late text\n";
        QCOMPARE(commitCardTitle("Jane Doe <j@x>", blankLines, metrics), name + QString(pad, ' '));
        // A name wider than 200 pixels gets no blanks.
        const QString longName = QString("W").repeated(200);
        QCOMPARE(commitCardTitle(longName, "m", metrics), longName + "m");
    }

    void pagingDepthAndCards()
    {
        SplatWatcher splat;
        ModalScript modals;
        GitFixture::git(clone, {"branch", "11.0", "12.0-fix"});
        GitWidget panel('b', "enterprise", nullptr, nullptr);
        QListWidget* list = panel.findChild<QListWidget*>("listWidget");

        // No row selected: the active branch with its first page.
        QCOMPARE(panel.getCurrentBranch()->name, QString("12.0-fix"));
        QCOMPARE(cards(panel).size(), 20);
        QVERIFY(cards(panel).first()->button()->text().endsWith("    Merge side into 12.0-fix"));

        trace.mark();
        panel.loadMore();
        QCOMPARE(trace.matching("git log"),
                 QStringList({"cd ~/Documents/velt-servers/server_b/enterprise && git log -40 12.0-fix --"}));
        QCOMPARE(cards(panel).size(), 40);
        trace.mark();
        panel.refresh();
        QCOMPARE(trace.matching("git log"),
                 QStringList({"cd ~/Documents/velt-servers/server_b/enterprise && git log -40 12.0-fix --"}));
        trace.mark();
        panel.loadMore();
        QCOMPARE(trace.matching("git log").value(0).section(" && ", 1), QString("git log -60 12.0-fix --"));
        QCOMPARE(cards(panel).size(), 48); // all the branch holds: seed, 45 steps, side, merge

        // A version branch shows no cards until "Load more..." is pressed.
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == "  11.0")
                list->setCurrentRow(i);
        QCOMPARE(panel.getCurrentBranch()->name, QString("11.0"));
        QCOMPARE(cards(panel).size(), 0);
        trace.mark();
        panel.findChild<QScrollArea*>("scrollCommits")->widget()->findChild<QPushButton*>("bLoadMore")->click();
        QCOMPARE(trace.matching("git log").value(0).section(" && ", 1), QString("git log -20 11.0 --"));
        QCOMPARE(cards(panel).size(), 20);
        QCOMPARE(splat.shown, 0);
    }

    void cardContentAndLoadMoreKeepsCards()
    {
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('b', "enterprise", nullptr, nullptr);
        select12(panel);
        Spoiler* first = cards(panel).first();
        QVERIFY(!first->hasContent()); // built on first opening
        first->button()->click();
        QVERIFY(first->hasContent());
        QStringList fields;
        for (QLineEdit* field : first->findChildren<QLineEdit*>())
            fields << field->text();
        const QString hash = GitFixture::git(clone, {"rev-parse", "12.0-fix"}).trimmed();
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[0], QString("Test Author <author@example.org>"));
        QVERIFY(!fields[1].isEmpty());        // date
        QCOMPARE(fields[2].split(' ').size(), 2); // the merge's parents
        QCOMPARE(fields[3], hash);
        auto* message = first->findChild<QTextEdit*>();
        QCOMPARE(message->toPlainText(), QString("\n    Merge side into 12.0-fix\n\n"));
        QVERIFY(message->isReadOnly());
        QCOMPARE(message->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(first->findChild<QPushButton*>("bViewCommit"));
        QVERIFY(first->findChild<QPushButton*>("bCherryCommit"));

        // "Load more..." adds the next page below the cards already shown,
        // which keep their state.
        panel.loadMore();
        QCOMPARE(cards(panel).size(), 40);
        QVERIFY(cards(panel).contains(first));
        QVERIFY(first->button()->isChecked());
        QPushButton* more = view(panel)->findChild<QPushButton*>("bLoadMore");
        auto* grid = static_cast<QGridLayout*>(view(panel)->layout());
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(more->parentWidget()), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, grid->rowCount() - 1);
        // History rewritten underneath: the view is drawn again from scratch.
        GitFixture::git(clone, {"commit", "-q", "--allow-empty", "-m", "Newer"});
        panel.loadMore();
        QCOMPARE(cards(panel).size(), 49);
        QVERIFY(cards(panel).first()->button()->text().endsWith("    Newer"));
        QVERIFY(!cards(panel).contains(first));
        GitFixture::git(clone, {"reset", "-q", "--hard", "HEAD~1"});
        QCOMPARE(splat.shown, 0);
    }

    void spoilerOpensAndCloses()
    {
        Spoiler spoiler("Title", 150, nullptr);
        auto* layout = new QVBoxLayout;
        auto* content = new QPushButton("inside");
        content->setMinimumHeight(120);
        layout->addWidget(content);
        spoiler.setContentLayout(*layout);
        spoiler.show();
        QCOMPARE(spoiler.content()->maximumHeight(), 0);
        QCOMPARE(spoiler.button()->arrowType(), Qt::RightArrow);
        spoiler.button()->click();
        QCOMPARE(spoiler.button()->arrowType(), Qt::DownArrow);
        QCOMPARE(spoiler.animation()->duration(), 150);
        QTRY_COMPARE_WITH_TIMEOUT(spoiler.animation()->state(), QAbstractAnimation::Stopped, 2000);
        QVERIFY(spoiler.content()->maximumHeight() >= 120);
        spoiler.button()->click();
        QCOMPARE(spoiler.button()->arrowType(), Qt::RightArrow);
        QTRY_COMPARE_WITH_TIMEOUT(spoiler.content()->maximumHeight(), 0, 2000);
    }

    void cardBuiltOnFirstOpeningShowsAllItsContent()
    {
        // A card's fields are made while the card is already on screen: the
        // opened card must make room for them, not for an empty layout.
        Spoiler spoiler("Title", 50, nullptr);
        spoiler.setContentFactory([&spoiler] {
            auto* layout = new QVBoxLayout;
            auto* content = new QPushButton("inside", &spoiler);
            content->setMinimumHeight(120);
            layout->addWidget(content);
            return layout;
        });
        spoiler.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spoiler));
        spoiler.button()->click();
        QTRY_COMPARE_WITH_TIMEOUT(spoiler.animation()->state(), QAbstractAnimation::Stopped, 2000);
        QVERIFY(spoiler.content()->maximumHeight() >= 120);
        QVERIFY(spoiler.findChild<QPushButton*>()->isVisible());
    }
};

QTEST_MAIN(TestCommitHistory)
#include "test_commithistory.moc"
