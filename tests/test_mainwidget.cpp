// The workspace tabs: finding the workspaces on disk, creating one by copy or
// clone in a real terminal, and removing one with its directory.

#include "gitfixture.h"
#include "modalanswer.h"
#include "modalscript.h"
#include "splatwatcher.h"
#include "testhome.h"
#include "tracelog.h"

#include "deployment.h"
#include "exec/operationgate.h"
#include "git/gitwidget.h"
#include "git/spoiler.h"
#include "settings/configloader.h"
#include "server/serverwidget.h"
#include "shell/mainwidget.h"
#include "shell/workspaces.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

QTabWidget* tabsOf(const QWidget& w)
{
    return w.findChild<QTabWidget*>("tabWidget", Qt::FindDirectChildrenOnly);
}

QStringList tabTitles(const mainWidget& w)
{
    QStringList titles;
    for (int i = 0; i < tabsOf(w)->count(); ++i)
        titles << tabsOf(w)->tabText(i);
    return titles;
}

QString currentTitle(const mainWidget& w)
{
    return tabsOf(w)->tabText(tabsOf(w)->currentIndex());
}

// Records the next message box's button labels, then clicks `label`.
void answerRecordingButtons(const QString& label, QStringList* buttons)
{
    ModalAnswer::whenModal([=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        QAbstractButton* target = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            *buttons << button->text();
            if (button->text() == label)
                target = button;
        }
        if (target)
            target->click();
        else
            box->close();
    });
}

// Once the terminal window is up, waits until `done` holds (at most
// `deadlineMs`), then closes the window as the user would.
void closeTerminalWindowWhen(const std::function<bool()>& done, int deadlineMs, bool* finished)
{
    // A timer owned by the application, deleting itself when it is done, so
    // nothing is left behind whichever way the wait ends.
    auto* timer = new QTimer(qApp);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && !qobject_cast<QMessageBox*>(dialog)
            && (done() || clock.elapsed() > deadlineMs)) {
            timer->stop();
            timer->deleteLater();
            *finished = done();
            dialog->close();
            return;
        }
        if (clock.elapsed() >= deadlineMs + 5000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(50);
}

}

class MainWidgetTest : public QObject
{
    Q_OBJECT
public:
    explicit MainWidgetTest(const TestHome& home) : home(home) {}

private:
    const TestHome& home;

    QString root() const { return home.path() + "/Documents/velt-servers"; }

    // Leaves exactly the workspaces of `letters` on disk.
    void workspaces(const QString& letters)
    {
        QDir(root()).removeRecursively();
        QDir().mkpath(root());
        for (QChar letter : letters)
            QDir().mkpath(root() + "/server_" + letter);
    }

private slots:
    void initTestCase()
    {
        TraceLog::enable();
        // Nobody listens there: the CI requests fail at once.
        Deployment::setCiHost("127.0.0.1:9");
    }

    // Start-up reads only the tab it shows; a hidden tab reads its clones when
    // first shown, and a feature branch's history is read when first selected.
    void hiddenTabsReadTheirClonesWhenFirstShown()
    {
        workspaces("ab");
        GitFixture fixture;
        for (char letter : {'a', 'b'}) {
            const QString clone = fixture.clone(letter, "velt");
            GitFixture::git(clone, {"checkout", "-q", "-b", "feature"});
            GitFixture::commitFile(clone, "feature.txt", "work\n", "Feature work");
            GitFixture::git(clone, {"checkout", "-q", "master"});
            GitFixture::writeFile(clone + "/velt-bin", "#!/bin/sh\necho 'Velt Server 11.0'\n");
            QFile(clone + "/velt-bin").setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        // b's settings file holds a key the launcher does not know.
        home.writeFile("Documents/velt-servers/server_b/VLconfig", "port:::8377\nbogus:::1\n");
        SplatWatcher splat;
        TraceLog trace;
        trace.mark();
        const QString gitA = "cd ~/Documents/velt-servers/server_a/velt && git";
        const QString gitB = "cd ~/Documents/velt-servers/server_b/velt && git";

        mainWidget w(nullptr);
        auto* a = qobject_cast<ServerWidget*>(tabsOf(w)->widget(0));
        auto* b = qobject_cast<ServerWidget*>(tabsOf(w)->widget(1));
        QVERIFY(a && b);
        QVERIFY(trace.matching(" && git").isEmpty());
        w.show();
        QVERIFY(QTest::qWaitFor([&] { return a->areClonesRead(); }, 10000));
        QVERIFY(trace.since().contains(gitA + " branch"));
        QVERIFY(trace.matching(gitB).isEmpty());
        // Tab b answers from its settings file until its form is built.
        QVERIFY(!b->areClonesRead() && !b->hasForm() && !b->findChild<QLabel*>("lblVersion"));
        QCOMPARE(b->getPort(), 8377);
        b->setServerRunning(true);

        // Its box comes when it is first shown, while nothing else may run.
        ModalScript modals({"OK"});
        bool boxUnderGate = false, boxOutsideGate = false;
        // The mark is carried into the form when it is built; the terminal's
        // first prompt, which comes while the clones are read, may clear it later.
        int stopEnabledAtBuild = -1;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            if (stopEnabledAtBuild < 0 && b->hasForm())
                stopEnabledAtBuild = b->findChild<QPushButton*>("bStop")->isEnabled();
            if (QApplication::activeModalWidget())
                (OperationGate::shared().busy() ? boxUnderGate : boxOutsideGate) = true;
        });
        probe.start(1);
        // Opened while an operation is in progress, the page says which one
        // it waits for, and is built once it has ended.
        std::optional<OperationGate::Hold> other;
        other.emplace(QStringLiteral("Fetch --all"));
        tabsOf(w)->setCurrentIndex(1);
        QPointer<QLabel> note;
        QVERIFY(QTest::qWaitFor([&] {
            note = b->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
            return note && note->isVisible();
        }, 5000));
        QVERIFY2(note->text().contains("\"Fetch --all\""), qPrintable(note->text()));
        QVERIFY(!b->hasForm());
        other.reset();
        QVERIFY(QTest::qWaitFor([&] { return b->areClonesRead(); }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return note.isNull(); }, 5000));
        QVERIFY2(modals.finished() && modals.unexpected.isEmpty(), qPrintable(modals.seen.join('|')));
        QVERIFY(modals.seen.join('|').contains("unknown values") && modals.seen.join('|').contains("bogus"));
        QVERIFY(boxUnderGate && !boxOutsideGate);
        QCOMPARE(stopEnabledAtBuild, 1);
        QCOMPARE(b->getPort(), 8377);
        QVERIFY(trace.since().contains(gitB + " branch"));
        QCOMPARE(b->findChild<QLabel*>("lblVersion")->text(), QString("11.0:"));
        GitWidget& panel = *b->communityGit;
        auto* list = panel.findChild<QListWidget*>("listWidget");
        QCOMPARE(list->count(), 2);
        QVERIFY(trace.matching("git log").isEmpty()); // master is a version branch: no history asked

        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text() == "  feature")
                list->setCurrentRow(row);
        QCOMPARE(trace.matching("git log"), QStringList({gitB + " log -20 feature --"}));
        QVERIFY(panel.getCurrentBranch() && panel.getCurrentBranch()->commits.size() == 2);
        const QList<Spoiler*> cards = panel.findChild<QScrollArea*>("scrollCommits")->widget()->findChildren<Spoiler*>();
        QCOMPARE(cards.size(), 2);
        QVERIFY(std::any_of(cards.begin(), cards.end(),
                            [](Spoiler* card) { return card->button()->text().contains("Feature work"); }));
        QVERIFY2(!splat.shown, qPrintable(splat.command + ": " + splat.error));
    }

    void workspaceRules()
    {
        workspaces("abc");
        QCOMPARE(Workspaces::firstFreeLetter(home.path()), 'd');
        workspaces("abcdefghijklmnopqrstuvwxyz");
        QCOMPARE(Workspaces::firstFreeLetter(home.path()), char(0));

        QCOMPARE(Workspaces::directoryName(Workspaces::tabTitle('q')), QString("server_q"));
        QVERIFY(Workspaces::isWorkspaceDirectoryName("server_z"));
        for (const QString& bad : {"", "server_", "server_B", "server_bb", "server_b/..", "../server_b", "server_b "})
            QVERIFY2(Workspaces::removeCommand(bad).isEmpty(), qPrintable(bad));
        QCOMPARE(Workspaces::removeCommand("server_b"), QString("cd ~/Documents/velt-servers && rm -rf server_b"));

        QCOMPARE(Workspaces::copyCommand('d'),
                 QString("clear && echo -en \"\\e[3J\";cd ~/Documents/velt-servers; mkdir -p server_d; rsync "
                         "--info=progress2 -rt server_a/ server_d/; echo \"You can close this window now\";\n"));
    }

    void serverTabPort()
    {
        ServerWidget tab('e', nullptr);
        QCOMPARE(tab.letter, 'e');
        tab.findChild<QLineEdit*>("ttPort")->setText("8073");
        QCOMPARE(tab.getPort(), 8073);
        tab.findChild<QLineEdit*>("ttPort")->setText("abc");
        QCOMPARE(tab.getPort(), 0);
        tab.setServerRunning(true);
        QVERIFY(tab.isServerRunning());
        QCOMPARE(tabsOf(tab)->tabText(0), QString("Terminal"));
    }

    void noWorkspaceProposesLetterA()
    {
        workspaces("");
        QStringList buttons;
        answerRecordingButtons("Dismiss", &buttons);
        mainWidget w(nullptr); // "New server" is the first tab, so it asks at once
        QCOMPARE(tabTitles(w), QStringList({"New server", "Todo list"}));
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Clone repository", "Dismiss"}));
        QCOMPARE(currentTitle(w), QString("Todo list"));
        QVERIFY(!QFileInfo::exists(root() + "/server_a"));
    }

    void discoveryAndDismiss()
    {
        workspaces("ac");
        home.writeFile("Documents/velt-servers/server_b", "not a workspace");
        mainWidget w(nullptr);
        QCOMPARE(tabTitles(w), QStringList({"server a", "server c", "New server", "Todo list"}));
        QCOMPARE(w.newServerIndex, 2);
        QCOMPARE(w.todoIndex, 3);

        tabsOf(w)->setCurrentIndex(1);
        QStringList buttons;
        answerRecordingButtons("Dismiss", &buttons);
        tabsOf(w)->setCurrentIndex(w.newServerIndex);
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Clone repository", "Copy server A", "Dismiss"}));
        QCOMPARE(currentTitle(w), QString("server c"));
        QCOMPARE(tabTitles(w).size(), 4);
    }

    void copyServerA()
    {
        workspaces("ac");
        home.writeFile("Documents/velt-servers/server_a/velt/README", "community");
        mainWidget w(nullptr);

        QStringList buttons;
        bool copied = false;
        answerRecordingButtons("Copy server A", &buttons);
        const QString copy = root() + "/server_b/velt/README";
        closeTerminalWindowWhen([copy] { return QFileInfo::exists(copy); }, 30000, &copied);
        tabsOf(w)->setCurrentIndex(w.newServerIndex);

        QVERIFY(copied);
        QCOMPARE(home.readFile("Documents/velt-servers/server_b/velt/README"), QByteArray("community"));
        QCOMPARE(tabTitles(w), QStringList({"server a", "server c", "server b", "New server", "Todo list"}));
        QCOMPARE(currentTitle(w), QString("server b"));
        QCOMPARE(qobject_cast<ServerWidget*>(tabsOf(w)->currentWidget())->letter, 'b');
        QCOMPARE(w.newServerIndex, 3);
        QCOMPARE(w.todoIndex, 4);
    }

    void cloneRepositories()
    {
        // The code host is a folder of bare repositories here.
        // Named after the code host, so the clones' remotes are recognised.
        const QString host = home.path() + "/" + Deployment::codeHostName();
        for (const QString& repo : {"/velt/velt", "/velt/enterprise"})
            QCOMPARE(QProcess::execute("git", {"init", "-q", "--bare", host + repo}), 0);
        Deployment::setCodeHostBase(host);
        workspaces("a");
        mainWidget w(nullptr);

        QStringList buttons;
        bool cloned = false;
        answerRecordingButtons("Clone repository", &buttons);
        // The community clone's dev remote is the last thing the terminal adds.
        const QString config = root() + "/server_b/velt/.git/config";
        closeTerminalWindowWhen([config] {
            QFile file(config);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("[remote \"dev\"]");
        }, 30000, &cloned);
        tabsOf(w)->setCurrentIndex(w.newServerIndex);
        QVERIFY(cloned);

        auto remote = [&](const QString& clone, const QString& name) {
            QProcess git;
            git.start("git", {"-C", root() + "/server_b/" + clone, "remote", "get-url", name});
            git.waitForFinished(10000);
            return QString::fromUtf8(git.readAllStandardOutput()).trimmed();
        };
        QCOMPARE(remote("velt", "dev"), host + "/velt-dev/velt");
        QCOMPARE(remote("velt", "origin"), host + "/velt/velt");
        QCOMPARE(remote("enterprise", "dev"), host + "/velt-dev/enterprise");
        QCOMPARE(tabTitles(w), QStringList({"server a", "server b", "New server", "Todo list"}));
    }

    void allLettersInUseRefuses()
    {
        workspaces("abcdefghijklmnopqrstuvwxyz");
        mainWidget w(nullptr);
        QCOMPARE(w.newServerIndex, 26);
        QStringList seen;
        ModalAnswer::clickButton("", &seen);
        tabsOf(w)->setCurrentIndex(w.newServerIndex);
        QCOMPARE(seen.value(0), QString("New server"));
        QVERIFY(seen.value(1).contains("26"));
        QCOMPARE(tabsOf(w)->count(), 28);
        QCOMPARE(currentTitle(w), QString("server a"));
    }

    void closingTabs_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("closed");
        QTest::addColumn<QString>("selectedAfter");
        QTest::newRow("only tab") << "a" << 0 << 0 << "Todo list";
        QTest::newRow("last of several") << "abc" << 2 << 2 << "server b";
        QTest::newRow("middle") << "abc" << 1 << 1 << "server c";
        QTest::newRow("other tab while on the notes") << "ab" << 3 << 0 << "Todo list";
    }

    void closingTabs()
    {
        QFETCH(QString, present);
        QFETCH(int, current);
        QFETCH(int, closed);
        QFETCH(QString, selectedAfter);
        workspaces(present);
        mainWidget w(nullptr);
        tabsOf(w)->setCurrentIndex(current);
        const QString title = tabsOf(w)->tabText(closed);
        const QString dir = root() + "/" + Workspaces::directoryName(title);

        QStringList seen;
        ModalAnswer::clickButton("No", &seen);
        tabsOf(w)->tabCloseRequested(closed);
        QCOMPARE(seen, QStringList({"Remove server", "Are you sure to delete the " + title + "? The delete will be permanent!"}));
        QVERIFY(QFileInfo(dir).isDir());
        QCOMPARE(tabsOf(w)->count(), present.size() + 2);

        // Accepting: no other box may follow (the shifting notes tab is no "New server" click).
        QStringList unexpected;
        ModalAnswer::whenModal([&unexpected](QWidget* modal) {
            qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
            ModalAnswer::whenModal([&unexpected](QWidget* other) {
                unexpected << other->windowTitle();
                other->close();
            }, 500);
        });
        tabsOf(w)->tabCloseRequested(closed);
        QTest::qWait(700);
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(",")));
        QVERIFY(!QFileInfo::exists(dir));
        QCOMPARE(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), present.size() - 1);
        QVERIFY(!tabTitles(w).contains(title));
        QCOMPARE(currentTitle(w), selectedAfter);
        QCOMPARE(w.lastIndex, tabsOf(w)->currentIndex());
        QCOMPARE(tabsOf(w)->tabText(w.newServerIndex), QString("New server"));
        QCOMPARE(w.todoIndex, w.newServerIndex + 1);
    }

    void anythingAtTheWorkspacePathTakesItsLetter()
    {
        workspaces("a");
        home.writeFile("Documents/velt-servers/server_b", "my notes");
        QVERIFY(QFile::link(root() + "/gone", root() + "/server_c")); // dangling
        QCOMPARE(Workspaces::firstFreeLetter(home.path()), 'd');
        QCOMPARE(Workspaces::firstFreeLetter(home.path(), "ad"), 'e');
        QVERIFY(!Workspaces::exists(home.path(), 'b'));
        QVERIFY(Workspaces::occupied(home.path(), 'b'));

        // "Copy server A" goes to server_d; the user's file is left alone.
        home.writeFile("Documents/velt-servers/server_a/velt/README", "community");
        mainWidget w(nullptr);
        QStringList buttons;
        bool copied = false;
        answerRecordingButtons("Copy server A", &buttons);
        const QString copy = root() + "/server_d/velt/README";
        closeTerminalWindowWhen([copy] { return QFileInfo::exists(copy); }, 30000, &copied);
        tabsOf(w)->setCurrentIndex(w.newServerIndex);
        QVERIFY(copied);
        QCOMPARE(tabTitles(w), QStringList({"server a", "server d", "New server", "Todo list"}));
        QCOMPARE(home.readFile("Documents/velt-servers/server_b"), QByteArray("my notes"));
    }

    void openTabsTakeTheirLetterInSandboxMode()
    {
        // Nothing is typed in sandbox mode, so no folder appears: only the
        // open tab tells that its letter is in use.
        workspaces("a");
        ConfigLoader::getSingleton()->sandbox = true;
        mainWidget w(nullptr);
        for (int i = 0; i < 2; ++i) {
            QStringList buttons;
            bool closed = false;
            answerRecordingButtons("Copy server A", &buttons);
            closeTerminalWindowWhen([] { return true; }, 5000, &closed);
            tabsOf(w)->setCurrentIndex(w.newServerIndex);
            QVERIFY(closed);
        }
        ConfigLoader::getSingleton()->sandbox = false;
        QCOMPARE(tabTitles(w), QStringList({"server a", "server b", "server c", "New server", "Todo list"}));
        QVERIFY(!QFileInfo::exists(root() + "/server_b"));
    }

    void cloneCreatesTheMissingWorkspaceFolder()
    {
        // Neither ~/Documents nor the workspace folder exist; the terminal's
        // shell starts in another folder, where nothing may land.
        // Named after the code host, so the clones' remotes are recognised.
        const QString host = home.path() + "/" + Deployment::codeHostName();
        for (const QString& repo : {"/velt/velt", "/velt/enterprise"})
            QProcess::execute("git", {"init", "-q", "--bare", host + repo});
        Deployment::setCodeHostBase(host);
        QDir(home.path() + "/Documents").removeRecursively();
        const QString elsewhere = home.path() + "/elsewhere";
        QVERIFY(QDir().mkpath(elsewhere));
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere);

        QStringList buttons;
        bool cloned = false;
        answerRecordingButtons("Clone repository", &buttons);
        const QString config = root() + "/server_a/velt/.git/config";
        closeTerminalWindowWhen([config] {
            QFile file(config);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("[remote \"dev\"]");
        }, 30000, &cloned);
        mainWidget w(nullptr); // "New server" comes first: it asks at once
        QDir::setCurrent(before);

        QVERIFY(cloned);
        QVERIFY(QFileInfo(root() + "/server_a/enterprise/.git").isDir());
        QCOMPARE(QDir(elsewhere).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList());
        QCOMPARE(tabTitles(w), QStringList({"server a", "New server", "Todo list"}));
    }

    void unusableWorkspaceFolderRefusesBeforeTyping()
    {
        QDir(home.path() + "/Documents").removeRecursively();
        home.writeFile("Documents", "a file where the folder should be");
        QStringList buttons;
        QStringList seen;
        answerRecordingButtons("Clone repository", &buttons);
        // The refusal comes after the question; a terminal window would fail the test.
        QTimer::singleShot(300, [&seen] { ModalAnswer::clickButton("", &seen, 5000); });
        mainWidget w(nullptr);
        QCOMPARE(seen.value(0), QString("New server"));
        QVERIFY2(seen.value(1).contains(root()), qPrintable(seen.value(1)));
        QCOMPARE(tabTitles(w), QStringList({"New server", "Todo list"}));
        QFile::remove(home.path() + "/Documents");
        QVERIFY(QDir().mkpath(home.path() + "/Documents"));
    }

    void removalQuestionDefaultsToNoAndTranslatesTheTitle()
    {
        workspaces("ab");
        mainWidget w(nullptr);
        bool noIsDefault = false;
        ModalAnswer::whenModal([&noIsDefault](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            noIsDefault = box && box->defaultButton() == box->button(QMessageBox::No);
            // Enter answers with the default button.
            QTest::keyClick(modal, Qt::Key_Return);
        });
        tabsOf(w)->tabCloseRequested(1);
        QVERIFY(noIsDefault);
        QVERIFY(QFileInfo(root() + "/server_b").isDir());
        QCOMPARE(tabsOf(w)->count(), 4);

        QTranslator french;
        QVERIFY(french.load(QStringLiteral(KVL_TRANSLATIONS_DIR "/Translation_QEN_fr.qm")));
        QCoreApplication::installTranslator(&french);
        QStringList seen;
        ModalAnswer::clickButton("No", &seen);
        tabsOf(w)->tabCloseRequested(1);
        QCoreApplication::removeTranslator(&french);
        QCOMPARE(seen.value(1), QString::fromUtf8("Voulez-vous vraiment supprimer le serveur b ? La suppression sera définitive !"));
    }

    void closingRemovesOnlyADirectory()
    {
        // The workspace became a plain file after its tab was opened: the
        // real removal command must not run against it.
        workspaces("ab");
        mainWidget w(nullptr);
        QVERIFY(QDir(root() + "/server_b").removeRecursively());
        home.writeFile("Documents/velt-servers/server_b", "precious");
        QStringList seen;
        ModalAnswer::clickButton("Yes");
        QTimer::singleShot(300, [&seen] { ModalAnswer::clickButton("", &seen, 5000); });
        tabsOf(w)->tabCloseRequested(1);
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 2, 5000);
        QCOMPARE(seen.at(0), QString("Remove server"));
        QVERIFY(seen.at(1).contains("is not a folder"));
        QCOMPARE(home.readFile("Documents/velt-servers/server_b"), QByteArray("precious"));
        QCOMPARE(tabTitles(w), QStringList({"server a", "New server", "Todo list"}));

        // A link to a folder elsewhere is not removed through either.
        const QString outside = home.path() + "/outside";
        QVERIFY(QDir().mkpath(outside + "/data"));
        QVERIFY(QFile::link(outside, root() + "/server_c"));
        QVERIFY(!Workspaces::isRemovableDirectory(root() + "/server_c"));
        QVERIFY(Workspaces::isRemovableDirectory(root() + "/server_a"));
    }

    void closingRemovesOnlyWorkspaceDirectories()
    {
        workspaces("ab");
        mainWidget w(nullptr);
        tabsOf(w)->setTabText(0, "");
        tabsOf(w)->setTabText(1, "server b/..");
        for (int tab : {0, 1}) {
            ModalAnswer::clickButton("Yes");
            tabsOf(w)->tabCloseRequested(tab);
        }
        QVERIFY(QFileInfo(root() + "/server_a").isDir());
        QVERIFY(QFileInfo(root() + "/server_b").isDir());
        QCOMPARE(tabsOf(w)->count(), 4);
    }
};

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    MainWidgetTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_mainwidget.moc"
