// The git panel around its waits: one operation at a time while the branch
// selector is modal, a real server tab whose server is stopped before
// checkout, rebase and clean and whose version is read again when a pull
// stops on another branch, a clone or a tab that goes while the server
// stops, and a browser opener that is not waited for.

#include "gitfixture.h"
#include "modalscript.h"
#include "serverrunfixture.h"
#include "splatwatcher.h"
#include "testhome.h"
#include "tracelog.h"

#include "exec/myqtermwidget.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"
#include "git/branchselector.h"
#include "git/gitwidget.h"
#include "server/autocompletionlist.h"
#include "server/runcontrol.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {
const int deadline = 20000;

// Counts the times a window is blocked by a modal one.
class BlockedCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked)
            ++count;
        return false;
    }
};

void select(GitWidget& panel, const QString& name)
{
    auto* list = panel.findChild<QListWidget*>("listWidget");
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().mid(2) == name)
            list->setCurrentRow(i);
}

QString head(const QString& clone)
{
    return GitFixture::git(clone, {"symbolic-ref", "-q", "HEAD"}).trimmed();
}

}

class TestGitWidgetWaits : public QObject
{
    Q_OBJECT
    TestHome home;
    GitFixture fixture;
    TraceLog trace;

    // master with a server start script that answers --version, a feature
    // branch one commit ahead.
    QString makeClone(char letter)
    {
        const QString clone = fixture.clone(letter, "velt");
        QFile::copy(KVL_STANDIN_SERVER, clone + "/velt-bin");
        GitFixture::git(clone, {"add", "velt-bin"});
        GitFixture::git(clone, {"commit", "-q", "-m", "Start script"});
        GitFixture::git(clone, {"checkout", "-q", "-b", "feature"});
        GitFixture::commitFile(clone, "feature.txt", "feature\n", "Feature work");
        GitFixture::git(clone, {"checkout", "-q", "master"});
        return clone;
    }

    QStringList cloneCommands()
    {
        QStringList commands;
        for (const QString& line : trace.since())
            if (line.startsWith("cd ~/Documents/velt-servers/"))
                commands << line;
        return commands;
    }

    int serverStops() const
    {
        return QString::fromUtf8(home.readFile("calls.txt")).count("server stopped");
    }

    // A tab whose terminals are up, with the stand-in server running in it.
    std::unique_ptr<ServerWidget> openTab(char letter)
    {
        auto tab = std::make_unique<ServerWidget>(letter, nullptr);
        // As when the tab is first shown.
        tab->startTerminals();
        tab->readClones();
        if (!QTest::qWaitFor([&] { return tab->run->lastLine.contains("$"); }, deadline))
            return nullptr;
        return tab;
    }

    bool startServer(ServerWidget& tab, const QString& arguments = QString())
    {
        const int started = QString::fromUtf8(home.readFile("calls.txt")).count("server pwd=");
        tab.serverTerminal->sendText(QString("sh ") + KVL_STANDIN_SERVER + arguments + "\n");
        return QTest::qWaitFor([&] {
            return QString::fromUtf8(home.readFile("calls.txt")).count("server pwd=") > started;
        }, deadline);
    }

private slots:
    void initTestCase()
    {
        TraceLog::enable();
        AC_list::init();
        // A line that left its clone would run here, in no repository.
        QVERIFY(QDir().mkpath(home.path() + "/elsewhere"));
        QVERIFY(QDir::setCurrent(home.path() + "/elsewhere"));
        TermExecutor::getSingleton();
    }

    void serverStopsBeforeCheckoutRebaseAndClean()
    {
        const QString clone = makeClone('s');
        SplatWatcher splat;
        ModalScript modals;
        std::unique_ptr<ServerWidget> tab = openTab('s');
        QVERIFY(tab);
        GitWidget& panel = *tab->communityGit;

        QVERIFY(startServer(*tab));
        select(panel, "feature");
        panel.checkout();
        QCOMPARE(serverStops(), 1);
        QCOMPARE(head(clone), QString("refs/heads/feature"));

        GitFixture::git(clone, {"checkout", "-q", "master"});
        GitFixture::commitFile(clone, "master.txt", "master\n", "Master moves on");
        GitFixture::git(clone, {"checkout", "-q", "feature"});
        QVERIFY(startServer(*tab));
        modals.add("selector:local=master");
        modals.add("OK");
        panel.rebase();
        QCOMPARE(serverStops(), 2);
        QCOMPARE(modals.seen.value(2), QString("Rebase executed"));

        GitFixture::writeFile(clone + "/junk.txt", "junk\n");
        QVERIFY(startServer(*tab));
        modals.add("Yes");
        panel.clean();
        QCOMPARE(serverStops(), 3);
        QVERIFY(!QFile::exists(clone + "/junk.txt"));
        QVERIFY2(modals.unexpected.isEmpty(), qPrintable(modals.unexpected.join('|')));
        QCOMPARE(splat.shown, 0);
    }

    void versionReadAgainWhenAPullStopsElsewhere()
    {
        const QString clone = makeClone('v');
        // A version branch with a start script of its own version, following
        // no upstream: its pull is refused without any telling word.
        GitFixture::git(clone, {"checkout", "-q", "-b", "11.0", "master"});
        GitFixture::writeFile(clone + "/velt-bin", "#!/bin/sh\necho 'Velt Server 11.0'\n");
        GitFixture::git(clone, {"commit", "-q", "-a", "-m", "Version 11.0"});
        GitFixture::git(clone, {"checkout", "-q", "master"});
        SplatWatcher splat;
        ModalScript modals;
        std::unique_ptr<ServerWidget> tab = openTab('v');
        QVERIFY(tab);
        auto* version = tab->findChild<QLabel*>("lblVersion");
        QCOMPARE(version->text(), QString("12.0:"));
        select(*tab->communityGit, "11.0");
        modals.add("OK");
        tab->communityGit->pull();
        QVERIFY(modals.finished());
        QCOMPARE(modals.seen.value(0), QString("Pull failed"));
        QVERIFY2(modals.seen.value(1).contains("\"git pull\""), qPrintable(modals.seen.value(1)));
        QCOMPARE(head(clone), QString("refs/heads/11.0"));
        QCOMPARE(version->text(), QString("11.0:"));
        QCOMPARE(tab->communityGit->tabTitle(), QString("Community (11.0)"));
        QCOMPARE(splat.shown, 1);
    }

    // A server that ignores Ctrl+C: checkout and clean give up on it, say
    // so, and leave the clone as it was.
    void serverThatDoesNotStopStopsTheOperation()
    {
        const QString clone = makeClone('d');
        SplatWatcher splat;
        ModalScript modals;
        std::unique_ptr<ServerWidget> tab = openTab('d');
        QVERIFY(tab);
        GitWidget& panel = *tab->communityGit;
        ConfigLoader::getSingleton()->secBeforeShutDown = 1;
        QVERIFY(startServer(*tab, " --ignore-interrupt"));
        const int stops = serverStops();
        GitFixture::writeFile(clone + "/junk.txt", "junk\n");
        trace.mark();

        select(panel, "feature");
        modals.add("OK");
        panel.checkout();
        modals.add("Yes"); // delete junk.txt
        modals.add("OK");
        panel.clean();

        QCOMPARE(modals.seen.value(0), QString("Server not stopped"));
        QVERIFY2(modals.seen.value(1).contains("\"Checkout\""), qPrintable(modals.seen.value(1)));
        QCOMPARE(modals.seen.value(4), QString("Server not stopped"));
        QVERIFY2(modals.seen.value(5).contains("\"Clean\""), qPrintable(modals.seen.value(5)));
        QCOMPARE(head(clone), QString("refs/heads/master"));
        QVERIFY(QFile::exists(clone + "/junk.txt"));
        QVERIFY(trace.matching("git checkout").isEmpty() && trace.matching("clean -qdfx").isEmpty());
        QCOMPARE(serverStops(), stops);
        QVERIFY2(modals.unexpected.isEmpty(), qPrintable(modals.unexpected.join('|')));
        QCOMPARE(splat.shown, 0);
        endForeground(tab->serverTerminal);
        QVERIFY(QTest::qWaitFor([&] { return serverStops() == stops + 1; }, deadline));
    }

    void whatGoesDuringTheStopStopsTheOperation()
    {
        const QString clone = makeClone('t');
        SplatWatcher splat;
        ModalScript modals;
        std::unique_ptr<ServerWidget> tab = openTab('t');
        QVERIFY(tab);
        GitWidget& panel = *tab->communityGit;
        GitFixture::writeFile(clone + "/README", "local work\n");
        GitFixture::writeFile(clone + "/junk.txt", "junk\n");

        // The clone folder goes while the server stops: nothing more runs.
        select(panel, "feature");
        modals.add("OK"); // "Clone not found"
        trace.mark();
        QTimer::singleShot(0, [&] { QDir().rename(clone, clone + "-away"); });
        panel.checkout();
        QCOMPARE(modals.seen.value(0), QString("Clone not found"));
        QVERIFY2(cloneCommands().isEmpty(), qPrintable(cloneCommands().join('|')));
        QVERIFY(QDir().rename(clone + "-away", clone));

        modals.add("Yes"); // delete junk.txt
        modals.add("OK");  // "Clone not found"
        trace.mark();
        // Once the question is answered, the next wait is the server's stop.
        QTimer afterQuestion;
        connect(&afterQuestion, &QTimer::timeout, [&] {
            if (modals.seen.size() >= 4 && !QApplication::activeModalWidget()) {
                afterQuestion.stop();
                QDir().rename(clone, clone + "-away");
            }
        });
        afterQuestion.start(5);
        panel.clean();
        QCOMPARE(modals.seen.value(4), QString("Clone not found"));
        QVERIFY(trace.matching("clean -qdfx").isEmpty());
        QVERIFY(QDir().rename(clone + "-away", clone));
        QVERIFY(QFile::exists(clone + "/junk.txt"));

        // The tab goes while its server stops, and the panel with it.
        QPointer<GitWidget> gone(&panel);
        trace.mark();
        QTimer::singleShot(0, [&] { tab.reset(); });
        gone->rebase();
        QVERIFY(!gone);
        QVERIFY(trace.matching("git rebase").isEmpty());
        QVERIFY(!OperationGate::shared().busy());
        QCOMPARE(head(clone), QString("refs/heads/master"));
        QVERIFY(QFile::exists(clone + "/junk.txt"));
        QVERIFY(QDir(home.path() + "/elsewhere").isEmpty());
        QVERIFY2(modals.unexpected.isEmpty(), qPrintable(modals.unexpected.join('|')));
        QCOMPARE(splat.shown, 0);
    }

    void oneOperationAtATimeUnderAModalSelector()
    {
        makeClone('n');
        SplatWatcher splat;
        QWidget window;
        auto* panel = new GitWidget('n', "velt", nullptr, &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        select(*panel, "feature");
        BlockedCounter blocked;
        window.installEventFilter(&blocked);
        QObject context;
        QStringList refusals;
        connect(&OperationGate::shared(), &OperationGate::refused, &context,
                [&refusals](const QString& message) { refusals << message; });
        QStringList ranMeanwhile;
        auto answerSelector = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (qobject_cast<BranchSelector*>(top) && top->isVisible())
                    top->findChild<QPushButton*>("pushButton_3")->click();
        };
        QTimer::singleShot(300, &context, [&] {
            trace.mark();
            panel->checkout();
            panel->on_bFetchAll_clicked();
            panel->refresh();
            ranMeanwhile = cloneCommands();
            answerSelector();
        });
        QTimer::singleShot(10000, &context, answerSelector);
        panel->rebase();
        // The selector blocked the panel's window, and the gate every other operation.
        QVERIFY(blocked.count > 0);
        QCOMPARE(refusals.size(), 3);
        QVERIFY2(refusals.first().contains("Rebase"), qPrintable(refusals.first()));
        QVERIFY(ranMeanwhile.isEmpty());
        QVERIFY(!OperationGate::shared().busy());

        // The person's Cancel of the operation answers the selector as its
        // Cancel button does.
        trace.mark();
        QTimer::singleShot(300, &context, [] { OperationGate::shared().requestCancel(); });
        QTimer::singleShot(10000, &context, answerSelector);
        QElapsedTimer clock;
        clock.start();
        panel->rebase();
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(trace.matching("git rebase").isEmpty());
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<BranchSelector*>(top) && top->isVisible()));
        QCOMPARE(splat.shown, 0);
    }

    void browserOpensWithoutWaiting()
    {
        makeClone('o');
        // An opener that keeps its output open as a browser in the foreground would.
        home.writeFile("bin/xdg-open", "#!/bin/sh\necho \"$$ $*\" >> \"$HOME/opened.txt\"\nexec sleep 20\n");
        QFile::setPermissions(home.path() + "/bin/xdg-open",
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", (home.path() + "/bin:").toUtf8() + path);
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('o', "velt", nullptr, nullptr);
        select(panel, "feature");
        trace.mark();
        QElapsedTimer clock;
        clock.start();
        panel.viewBranchOnGH();
        panel.viewCommitOnGH("abc123");
        panel.viewBranchOnVettor();
        const qint64 took = clock.elapsed();
        qputenv("PATH", path);
        QStringList opened;
        const bool allStarted = QTest::qWaitFor([&] {
            opened = QString::fromUtf8(home.readFile("opened.txt")).split('\n', Qt::SkipEmptyParts);
            return opened.size() == 3;
        }, 10000);
        QStringList urls;
        for (const QString& line : opened) {
            ::kill(line.section(' ', 0, 0).toInt(), SIGTERM);
            urls << line.section(' ', 1);
        }
        QVERIFY(allStarted);
        QVERIFY2(took < 5000, qPrintable(QString::number(took)));
        urls.sort();
        QCOMPARE(urls, QStringList({"http://vettor.kydvelt.example/vettor/repo/git-github-com-velt-dev-velt-2?search=feature",
                                    "https://github.com/velt-dev/velt/commit/abc123",
                                    "https://github.com/velt-dev/velt/commits/feature"}));
        QCOMPARE(trace.matching("xdg-open").size(), 3);
        QCOMPARE(splat.shown, 0);
    }
};

QTEST_MAIN(TestGitWidgetWaits)
#include "test_gitwidget_waits.moc"
