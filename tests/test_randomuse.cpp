// A person using the whole window at random for a bounded time: clicks on any
// visible button, tab switches, requests to close tabs, answers to every box
// and window (also while an earlier action still waits), while git now and
// then writes a warning on its error output or takes a second to answer, and
// the person cancels what runs. Run under the sanitized build,
// this finds objects used after a wait that outlived them. The seed is
// printed; KVL_RANDOM_SEED=<seed> repeats a run, KVL_RANDOM_SECONDS sets its
// length.
#include "deployment.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"
#include "gitfixture.h"
#include "server/autocompletionlist.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "shell/mainwindow.h"
#include "shell/resourcemonitor.h"
#include "testfiles.h"
#include "testhome.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <unistd.h>

namespace {

void onAlarm(int)
{
    const char message[] = "test_randomuse: the run did not end within its deadline\n";
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(3);
}

template <typename T>
T* pick(QRandomGenerator& random, const QList<T*>& items)
{
    return items.isEmpty() ? nullptr : items.at(int(random.bounded(items.size())));
}

bool isShown(QWidget* widget)
{
    return widget && widget->isVisible() && widget->isEnabled();
}

}

class TestRandomUse : public QObject
{
    Q_OBJECT

    TestHome home;
    GitFixture fixture;
    QRandomGenerator random;
    QPointer<MainWindow> window;
    int actions = 0;
    int answers = 0;
    const bool verbose = qEnvironmentVariableIsSet("KVL_RANDOM_VERBOSE");

    QString bin() const { return home.path() + "/bin"; }

    void makeWorkspace(char letter, int port)
    {
        for (const char* repo : {"velt", "enterprise"}) {
            const QString clone = fixture.clone(letter, repo);
            GitFixture::git(clone, {"checkout", "-q", "-b", "feature-" + QString(QChar(letter))});
            GitFixture::commitFile(clone, "feature.txt", "work\n", "Feature work");
            GitFixture::git(clone, {"checkout", "-q", "master"});
        }
        const QString server = home.path() + "/Documents/velt-servers/server_" + letter;
        QFile::copy(KVL_STANDIN_SERVER, server + "/velt/velt-bin");
        QFile::setPermissions(server + "/velt/velt-bin", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        home.writeFile(QString("Documents/velt-servers/server_%1/VLconfig").arg(letter),
                       "### CONFIG FILE ###\n<--- DB <---\ndb_server_" + QByteArray(1, letter)
                           + "\n---> DB --->\nport:::" + QByteArray::number(port) + "\n");
    }

    // A window waiting for the person that does not block the main one: the
    // Bug Splat window, a branch selector, a terminal window.
    QWidget* waitingWindow() const
    {
        QWidget* splat = TermExecutor::getSingleton()->splatWindow;
        if (splat->isVisible())
            return splat;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = top->windowType();
            if (top != window && top->isVisible() && (type == Qt::Window || type == Qt::Dialog))
                return top;
        }
        return nullptr;
    }

    void answer(QWidget* modal)
    {
        ++answers;
        if (verbose)
            qInfo("answer %s \"%s\"", modal->metaObject()->className(), qPrintable(modal->windowTitle()));
        if (modal == TermExecutor::getSingleton()->splatWindow) {
            if (verbose)
                qInfo("  after %s", qPrintable(TermExecutor::getSingleton()->commandLabel->text().left(150)));
            modal->hide();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            // A workspace is deleted only while something else waits, the
            // case that matters, so the run keeps tabs to work in.
            if (box->windowTitle() == QLatin1String("Remove server")) {
                box->button(waitingWindow() ? QMessageBox::Yes : QMessageBox::No)->click();
                return;
            }
            if (QAbstractButton* button = pick(random, box->buttons()))
                button->click();
            else
                box->close();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(random.bounded(2) ? "db_" + QString::number(random.bounded(3)) : QString());
            random.bounded(2) ? input->accept() : input->reject();
        } else if (qobject_cast<QFileDialog*>(modal)) {
            static_cast<QDialog*>(modal)->reject();
        } else {
            QList<QAbstractButton*> buttons;
            for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
                if (isShown(button))
                    buttons << button;
            if (QAbstractButton* button = random.bounded(4) ? pick(random, buttons) : nullptr)
                button->click();
            else
                modal->close();
        }
    }

    void act()
    {
        if (!window)
            return;
        ++actions;
        // Git complains now and then.
        if (random.bounded(2) == 0)
            TestFiles::write(home.path() + "/git-warns", "1");
        else
            QFile::remove(home.path() + "/git-warns");
        // And is slow now and then, so requests land while it runs.
        if (random.bounded(4) == 0)
            TestFiles::write(home.path() + "/git-slow", "1");
        else
            QFile::remove(home.path() + "/git-slow");
        // A modal box takes every click of the person.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(modal);
            return;
        }
        auto* cancel = window->findChild<QPushButton*>("bCancelOperation");
        if (isShown(cancel) && random.bounded(3) == 0) {
            if (verbose)
                qInfo("cancel %s", qPrintable(OperationGate::shared().inProgress()));
            cancel->click();
            return;
        }
        QWidget* waiting = waitingWindow();
        if (waiting && random.bounded(3) == 0) {
            answer(waiting);
            return;
        }
        // Meanwhile the person goes on in the main window; while something
        // waits, closing its tab is what is tried most.
        auto* outer = window->findChild<QTabWidget*>("tabWidget");
        // With fewer than two workspaces left, "New server" makes another.
        if (outer && !waiting && outer->count() < 4 && random.bounded(2)) {
            outer->setCurrentIndex(outer->count() - 2);
            return;
        }
        const int choice = int(random.bounded(100));
        const int closing = waiting ? 35 : 8;
        if (choice < closing && outer) {
            // The last two tabs are the fixed ones.
            const int index = int(random.bounded(qMax(1, outer->count() - 2)));
            if (verbose)
                qInfo("close tab %d", index);
            emit outer->tabCloseRequested(index);
        } else if (choice < closing + 10 && outer) {
            outer->setCurrentIndex(int(random.bounded(outer->count())));
        } else if (choice < closing + 27) {
            QList<QTabWidget*> inner;
            for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
                if (tabs != outer && tabs->isVisible())
                    inner << tabs;
            QTabWidget* tabs = pick(random, inner);
            // Half the time to the git panels, where most operations are.
            const bool toGit = random.bounded(2);
            for (int i = 0; tabs && i < tabs->count(); ++i)
                if (toGit && tabs->tabText(i).contains("Git", Qt::CaseInsensitive)) {
                    tabs->setCurrentIndex(i);
                    return;
                }
            if (tabs)
                tabs->setCurrentIndex(int(random.bounded(tabs->count())));
        } else {
            // Named push buttons (the operations) come first; check boxes,
            // section toggles and the like now and then.
            QList<QAbstractButton*> operations;
            QList<QAbstractButton*> others;
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
                if (isShown(button) && button->window() == window)
                    (qobject_cast<QPushButton*>(button) && !button->objectName().isEmpty() ? operations : others)
                        << button;
            if (QAbstractButton* button = pick(random, random.bounded(4) ? operations : others)) {
                if (verbose)
                    qInfo("click %s \"%s\"", qPrintable(button->objectName()), qPrintable(button->text()));
                button->click();
            }
        }
    }

private slots:
    void initTestCase()
    {
        signal(SIGALRM, onAlarm);
        AC_list::init();
        // Stand-ins for everything that would reach outside the test.
        TestFiles::write(bin() + "/git",
                         "#!/bin/sh\n"
                         "[ -f \"$HOME/git-warns\" ] && echo 'warning: refname is ambiguous.' >&2\n"
                         "[ -f \"$HOME/git-slow\" ] && sleep 1\n"
                         "exec /usr/bin/git \"$@\"\n",
                         true);
        for (const char* tool : {"dropdb", "psql", "xdg-open", "pkexec", "sudo"})
            TestFiles::write(bin() + "/" + tool,
                             "#!/bin/sh\necho \"" + QByteArray(tool) + " $*\" >> \"$HOME/outside.txt\"\n", true);
        qputenv("PATH", bin().toLocal8Bit() + ":" + qgetenv("PATH"));
        home.writeFile(".bashrc", "PS1='$ '\nexport PATH=\"$HOME/bin:$PATH\"\n");

        const int port = 40000 + int(getpid() % 500) * 40;
        ResourceMonitor::setFirstServerPort(port);
        for (const char* organisation : {"velt", "velt-dev"})
            for (const char* repo : {"velt", "enterprise"})
                fixture.upstream(organisation, repo);
        Deployment::setCodeHostBase("file://" + fixture.root() + "/" + Deployment::codeHostName());
        Deployment::setCiHost("127.0.0.1:9");
        makeWorkspace('a', port);
        makeWorkspace('b', port + 4);
        ConfigLoader* config = ConfigLoader::getSingleton();
        config->secBeforeShutDown = 1;
        config->showServerStatus = 2;
        config->installer_status = true;
        TermExecutor::getSingleton();
    }

    void randomUseLeavesAWorkingWindow()
    {
        const quint32 seed = qEnvironmentVariableIsSet("KVL_RANDOM_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("KVL_RANDOM_SEED"))
                                 : QRandomGenerator::global()->generate();
        const int seconds = qEnvironmentVariableIsSet("KVL_RANDOM_SECONDS")
                                ? qEnvironmentVariableIntValue("KVL_RANDOM_SECONDS")
                                : 25;
        qInfo("random use: seed %u, %d s (KVL_RANDOM_SEED=%u repeats it)", seed, seconds, seed);
        random.seed(seed);
        alarm(unsigned(seconds) + 150);

        window = new MainWindow;
        window->show();
        // Each action is posted, so it runs from whichever loop turns next,
        // nested waits included, and the ticking timer is never blocked.
        QTimer person;
        connect(&person, &QTimer::timeout, this, [this, &person] {
            person.setInterval(int(random.bounded(40, 160)));
            QTimer::singleShot(0, this, &TestRandomUse::act);
        });
        person.start(100);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < seconds * 1000)
            QTest::qWait(100);
        person.stop();

        // The person now only answers, until every wait is over.
        QTimer answering;
        connect(&answering, &QTimer::timeout, this, [this] {
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
            TermExecutor::getSingleton()->splatWindow->hide();
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top != window && top->isVisible())
                    top->close();
        });
        answering.start(50);
        QVERIFY(QTest::qWaitFor([] { return !OperationGate::shared().busy(); }, 60000));
        QFile::remove(home.path() + "/git-slow");
        QTest::qWait(500);
        answering.stop();
        qInfo("random use: %d actions, %d answers", actions, answers);
        QVERIFY(actions > seconds); // the person did act

        // Every tab left still stands for a workspace folder, and the window
        // still works.
        QVERIFY(window);
        auto* outer = window->findChild<QTabWidget*>("tabWidget");
        QVERIFY(outer);
        for (int i = 0; i < outer->count(); ++i)
            if (auto* server = qobject_cast<ServerWidget*>(outer->widget(i)))
                QVERIFY(QFileInfo(home.path() + "/Documents/velt-servers/server_" + server->letter).isDir());
        window->updateConso();
        QFile::remove(home.path() + "/git-warns");
        QFile::remove(home.path() + "/git-slow");
        QTimer refuse;
        connect(&refuse, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    box->close();
        });
        refuse.start(50);
        QVERIFY(window->close());
        delete window;
    }
};

int main(int argc, char** argv)
{
    TestHome::acknowledgeVersionWarnings = true;
    QApplication app(argc, argv);
    TestRandomUse test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_randomuse.moc"
