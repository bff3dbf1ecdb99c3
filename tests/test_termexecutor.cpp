#include "exec/commandlog.h"
#include "exec/operationgate.h"
#include "exec/shellprocess.h"
#include "exec/termexecutor.h"
#include "settings/configloader.h"
#include "testhome.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <new>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
const char* const traceLogPath = "Desktop/KydVeltLauncher_logs.txt";
const char* const gitLogPath = "Desktop/KydVeltLauncher_git_logs.txt";
const QByteArray separator = QByteArray(65, 'X') + "\n";

// A captured command that never returns would block the event loop for good:
// the alarm turns such a hang into a failure with a message.
void onAlarm(int)
{
    const char message[] = "test_termexecutor: a test did not finish within its deadline\n";
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(3);
}

// Allocating between fork and exec can hang the child for good when another
// thread held an allocator lock at the fork. While the trap is armed, a
// forked child that allocates ends at once with status 97, before its exec:
// its command never runs.
std::atomic<bool> forkTrapArmed{false};
bool inTrappedChild = false;

void* allocate(std::size_t size)
{
    if (inTrappedChild)
        ::_exit(97);
    return std::malloc(size ? size : 1);
}

double processCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Watches the "Bug Splat" window: counts each time it is shown, copies what it
// displays, and hides it after a short while as a user closing it would.
class SplatCloser : public QObject
{
public:
    explicit SplatCloser(TermExecutor* executor)
        : executor(executor)
    {
        executor->splatWindow->installEventFilter(this);
        connect(&timer, &QTimer::timeout, this, [this] { tick(); });
        timer.start(10);
    }
    ~SplatCloser() override { executor->splatWindow->removeEventFilter(this); }

    int shown = 0;
    int closedByUs = 0;
    QString command, output, error;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            ++shown;
            visibleFor.start();
        }
        return false;
    }

private:
    void tick()
    {
        // Left open for 100 ms, so a caller that does not wait is caught returning early.
        if (!executor->splatWindow->isVisible() || visibleFor.elapsed() < 100)
            return;
        command = executor->commandLabel->text();
        output = executor->outputView->toPlainText();
        error = executor->errorView->toPlainText();
        ++closedByUs;
        executor->splatWindow->hide();
    }

    TermExecutor* executor;
    QTimer timer;
    QElapsedTimer visibleFor;
};

// Answers every message box that turns up with its OK button, recording each.
class BoxAnswerer : public QObject
{
public:
    BoxAnswerer()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            seen << box->windowTitle() + "|" + box->text() + "|" + QString::number(box->buttons().size());
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        });
        timer.start(10);
    }
    QStringList seen; // "title|text|button count" per box
    QTimer timer;
};
}

// The command executor run against a real /bin/sh: what it returns, what it
// logs, and when it stops to show the "Bug Splat" window.
class TestTermExecutor : public QObject
{
    Q_OBJECT
    TestHome home;
    TermExecutor* executor = nullptr;
    ConfigLoader* config = ConfigLoader::getSingleton();

    void setModes(bool trace, bool sandbox, bool gitLog)
    {
        config->trace = trace;
        config->sandbox = sandbox;
        config->gitLog = gitLog;
    }

    // Waits, with a deadline, for a file a background job is expected to create.
    bool waitForFile(const QString& path, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(path) && clock.elapsed() < timeoutMs)
            QTest::qWait(20);
        return QFile::exists(path);
    }

private slots:
    void initTestCase()
    {
        std::signal(SIGALRM, onAlarm);
        ::alarm(60);
        // Logs left from an earlier run must not survive the start.
        home.writeFile(traceLogPath, "stale trace\n");
        home.writeFile(gitLogPath, "stale git log\n");
        // The log files are opened when the executor is created, so the modes
        // are on before the first call; each test then picks the modes it needs.
        setModes(true, false, true);
        executor = TermExecutor::getSingleton();
        QVERIFY(CommandLog::shared().traceOpen());
        QVERIFY(CommandLog::shared().gitLogOpen());
        QCOMPARE(home.readFile(gitLogPath), QByteArray());
        // The splat window's terminal is built before the logs are opened, so
        // its set-up lines are not in the trace.
        QCOMPARE(home.readFile(traceLogPath), QByteArray());
        QCOMPARE(TermExecutor::getSingleton(), executor);
        QVERIFY(!executor->splatWindow->isVisible());
        QCOMPARE(executor->splatWindow->windowTitle(), QString("Bug Splat"));
        ::alarm(0);
    }

    void init()
    {
        setModes(false, false, false);
        ::alarm(60);
    }

    void cleanup()
    {
        // A failed case must not leave the shared window open or minimised.
        executor->splatWindow->setWindowState(Qt::WindowNoState);
        executor->splatWindow->hide();
        ::alarm(0);
        setModes(false, false, false);
    }

    void splitsOutputIntoLines_data()
    {
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two full lines") << "a\\nb\\n" << QStringList{"a", "b"};
        QTest::newRow("no final newline") << "a" << QStringList();
        QTest::newRow("nothing") << "" << QStringList();
        QTest::newRow("last line unterminated") << "a\\nb" << QStringList{"a"};
        QTest::newRow("empty lines kept") << "a\\n\\nb\\n" << QStringList{"a", "", "b"};
    }

    void splitsOutputIntoLines()
    {
        QFETCH(QString, printed);
        QFETCH(QStringList, lines);
        QStringList errors;
        QCOMPARE(executor->exec(QString("printf '%1'").arg(printed).toUtf8().constData(), errors), lines);
        QCOMPARE(errors, QStringList());
        // The error output is split by the same rules.
        QCOMPARE(executor->exec(QString("printf '%1' >&2").arg(printed).toUtf8().constData(), errors),
                 QStringList());
        QCOMPARE(errors, lines);
        QCOMPARE(executor->exec(QString("printf '%1'").arg(printed)), lines);
    }

    void keepsLargeInterleavedOutputsApart()
    {
        // About 1.2 MB on each pipe, written alternately line by line: a reader
        // that waited on one pipe while the other filled would never finish.
        // The accented letters also fall across read boundaries.
        const int count = 20000;
        const QString tail = QString::fromUtf8(" \u00e9\u00e0\u00fc 0123456789abcdefghijklmnopqrstuvwxyz0123456789");
        const QString cmd = QString("i=0; while [ $i -lt %1 ]; do echo \"out $i%2\"; echo \"err $i%2\" >&2; "
                                    "i=$((i+1)); done").arg(count).arg(tail);
        QStringList expectedOut, expectedErr;
        for (int i = 0; i < count; ++i) {
            expectedOut << QString("out %1%2").arg(i).arg(tail);
            expectedErr << QString("err %1%2").arg(i).arg(tail);
        }
        QStringList errors;
        const QStringList out = executor->exec(cmd.toUtf8().constData(), errors);
        QCOMPARE(out.size(), count);
        QCOMPARE(errors.size(), count);
        QVERIFY(out == expectedOut);
        QVERIFY(errors == expectedErr);
        QVERIFY(out.join("\n").toUtf8().size() > 1024 * 1024);
    }

    void pipelineCutShortEndsQuietly()
    {
        // The producer is stopped by SIGPIPE, as in a terminal, and writes no
        // error that a checked command would take for a failure.
        QStringList errors;
        QCOMPARE(executor->exec("yes | head -n 2", errors), (QStringList{"y", "y"}));
        QCOMPARE(errors, QStringList());
    }

    void childAllocatesNothingBeforeItsExec()
    {
        ::pthread_atfork(nullptr, nullptr, [] { inTrappedChild = forkTrapArmed; });
        const QString marker = home.path() + "/started";
        forkTrapArmed = true;
        const QStringList out = executor->exec(QString("echo ran"));
        const bool started = ShellProcess::start(QString("touch '%1' &").arg(marker).toStdString());
        forkTrapArmed = false;
        QCOMPARE(out, QStringList{"ran"});
        QVERIFY(started);
        QVERIFY(waitForFile(marker, 5000));
    }

    void readLoopSleepsWhileTheCommandIsSilent()
    {
        QElapsedTimer wall;
        wall.start();
        const double before = processCpuSeconds();
        QCOMPARE(executor->exec(QString("sleep 1; echo done")), QStringList{"done"});
        const double used = processCpuSeconds() - before;
        QVERIFY(wall.elapsed() >= 1000);
        QVERIFY2(used < 0.1, qPrintable(QString("%1 s of CPU while waiting 1 s").arg(used)));
    }

    void commandsReportTheirStatusKeepTheLoopTurningAndEndOnCancel()
    {
        QCOMPARE(executor->run("exit 3").exitStatus, 3);
        QCOMPARE(executor->run("kill -TERM $$").exitStatus, 143);
        const CommandResult done = executor->run("echo out; echo err >&2");
        QVERIFY(done.succeeded());
        QCOMPARE(done.output, QStringList{"out"});
        QCOMPARE(done.errors, QStringList{"err"});

        // Timers go on while a command runs.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);
        QCOMPARE(executor->exec(QString("sleep 0.5; echo done")), QStringList{"done"});
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        ticker.stop();

        // Cancel ends the whole group, a fetch's children included, and the
        // rest of the operation runs nothing.
        const QString remote = home.path() + "/remote.git", clone = home.path() + "/clone";
        QCOMPARE(executor->run(QString("git init -q --bare '%1' && git clone -q '%1' '%2' 2>/dev/null && "
                                       "git -C '%2' config remote.origin.uploadpack 'sleep 5; git-upload-pack'")
                                   .arg(remote, clone)).exitStatus, 0);
        OperationGate& gate = OperationGate::shared();
        const OperationGate::Hold hold("Fetch --all");
        QElapsedTimer clock;
        QTimer::singleShot(300, [&] { clock.start(); gate.requestCancel(); });
        const CommandResult fetch = executor->run(QString("cd '%1' && git fetch --all").arg(clone));
        QVERIFY(fetch.cancelled && !fetch.succeeded());
        QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(executor->run("pgrep -f 'sleep 5; git-upload-pack' || true").output, QStringList());
        clock.start();
        QVERIFY(executor->run("echo never").cancelled);
        QVERIFY(clock.elapsed() < 50);
    }

    void backgroundCommandReturnsAtOnce()
    {
        QElapsedTimer clock;
        clock.start();
        QStringList errors;
        const QStringList out = executor->exec("echo early; echo early >&2; sleep 5 &", errors);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString("took %1 ms").arg(clock.elapsed())));
        QCOMPARE(out, QStringList());
        QCOMPARE(errors, QStringList());
    }

    void backgroundJobOutlivesTheCallEvenWhenItPrints()
    {
        // The job writes after the call has returned; it must go on to the end.
        const QString marker = home.path() + "/background-done";
        const QString cmd = QString("(sleep 0.3; echo late; echo late >&2; touch \"%1\") &").arg(marker);
        QCOMPARE(executor->exec(cmd), QStringList());
        QVERIFY(waitForFile(marker, 5000));
    }

    void sandboxRunsNothingButTraceStillLogs()
    {
        setModes(true, true, true);
        const QByteArray traceBefore = home.readFile(traceLogPath);
        const QByteArray gitBefore = home.readFile(gitLogPath);
        const QString made = home.path() + "/sandbox-made";
        const QString madeInBackground = home.path() + "/sandbox-background";
        SplatCloser splat(executor);

        const QString foreground = QString("touch \"%1\"; echo hi; echo git").arg(made);
        QStringList errors{"kept"};
        QCOMPARE(executor->exec(foreground.toUtf8().constData(), errors), QStringList());
        QCOMPARE(errors, QStringList{"kept"});
        const QString background = QString("touch \"%1\" &").arg(madeInBackground);
        QCOMPARE(executor->exec(background), QStringList());
        QCOMPARE(executor->exec(QString("echo bad >&2"), true), QStringList());

        QTest::qWait(300);
        QVERIFY(!QFile::exists(made));
        QVERIFY(!QFile::exists(madeInBackground));
        QCOMPARE(splat.shown, 0);
        QCOMPARE(home.readFile(gitLogPath), gitBefore);
        QCOMPARE(home.readFile(traceLogPath),
                 traceBefore + foreground.toUtf8() + "\n" + background.toUtf8() + "\necho bad >&2\n");
    }

    void traceLogsOneLinePerCommand()
    {
        setModes(true, false, false);
        const QByteArray before = home.readFile(traceLogPath);
        QCOMPARE(executor->exec(QString("echo one")), QStringList{"one"});
        executor->exec(QString("echo two\n"));
        executor->exec(QString("echo three\n\n"));
        executor->saveCommandTrace("typed line\n");
        config->trace = false;
        executor->exec(QString("echo not traced"));
        QCOMPARE(home.readFile(traceLogPath),
                 before + "echo one\necho two\necho three\n\ntyped line\n");
    }

    void gitLogRecordsEveryCommandContainingGit()
    {
        setModes(false, false, true);
        QByteArray expected = home.readFile(gitLogPath);

        // "git" inside another word still counts.
        const QString cmd = QString("mkdir -p \"%1/digit\" && echo made; echo second; echo warn >&2")
                                .arg(home.path());
        QStringList errors;
        QCOMPARE(executor->exec(cmd.toUtf8().constData(), errors), (QStringList{"made", "second"}));
        QCOMPARE(errors, QStringList{"warn"});
        expected += cmd.toUtf8() + "\n\nSTDOUT: \nmade\nsecond\n\nSTDERR: \nwarn\n\n" + separator;
        QCOMPARE(home.readFile(gitLogPath), expected);

        executor->exec(QString("echo plain"));
        executor->exec(QString("echo Git")); // the match is case-sensitive
        QCOMPARE(home.readFile(gitLogPath), expected);

        executor->exec(QString("true # git\n"));
        expected += "true # git\n\nSTDOUT: \n\nSTDERR: \n\n" + separator;
        QCOMPARE(home.readFile(gitLogPath), expected);

        config->gitLog = false;
        executor->exec(QString("echo git"));
        QCOMPARE(home.readFile(gitLogPath), expected);
    }

    void pruneAdviceShownOncePerOutputLine()
    {
        const QByteArray advice = "warning: There are too many unreachable loose objects; "
                                  "run 'git prune' to remove them.\n";
        home.writeFile("gc-out.txt", advice + "Counting objects: 3\n" + advice);
        home.writeFile("gc-err.txt", advice);
        BoxAnswerer boxes;

        const QStringList out = executor->exec(QString("cat ~/gc-out.txt; cat ~/gc-err.txt >&2 # git gc"));
        QCOMPARE(out.size(), 3);
        const QString box = "prune|There are too many unreachable objects; run 'git prune' to remove them...|1";
        QCOMPARE(boxes.seen, (QStringList{box, box}));

        // Only commands that contain "git" are checked.
        QCOMPARE(executor->exec(QString("cat ~/gc-out.txt")).size(), 3);
        QCOMPARE(boxes.seen.size(), 2);
    }

    void judgesFailures_data()
    {
        QTest::addColumn<QString>("cmd");
        QTest::addColumn<QStringList>("failMarkers");
        QTest::addColumn<bool>("ignoreStderr");
        QTest::addColumn<QStringList>("acceptedErrors");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QStringList>("err");
        QTest::addColumn<bool>("fails");

        const QStringList none;
        const QStringList failed{"FAILED"};
        QTest::newRow("error output, nothing accepted")
            << "echo out; echo bad >&2" << none << false << none
            << QStringList{"out"} << QStringList{"bad"} << true;
        // Follows a failure with error output: the window must not show stale text.
        QTest::newRow("marker in output, no error output")
            << "echo one; echo FAILED here" << failed << false << none
            << QStringList{"one", "FAILED here"} << none << true;
        QTest::newRow("error output accepted")
            << "echo out; echo expected warning >&2" << none << false << QStringList{"expected"}
            << QStringList{"out"} << QStringList{"expected warning"} << false;
        QTest::newRow("accepted error output overrides a marker")
            << "echo FAILED; echo expected warning >&2" << failed << false << QStringList{"warn"}
            << QStringList{"FAILED"} << QStringList{"expected warning"} << false;
        QTest::newRow("error output ignored, marker in output")
            << "echo FAILED; echo noise >&2" << failed << true << none
            << QStringList{"FAILED"} << QStringList{"noise"} << true;
        QTest::newRow("error output ignored, marker in error output")
            << "echo fine; echo it FAILED >&2" << failed << true << none
            << QStringList{"fine"} << QStringList{"it FAILED"} << true;
        QTest::newRow("error output ignored, no marker")
            << "echo fine; echo noise >&2" << failed << true << none
            << QStringList{"fine"} << QStringList{"noise"} << false;
    }

    void judgesFailures()
    {
        QFETCH(QString, cmd);
        QFETCH(QStringList, failMarkers);
        QFETCH(bool, ignoreStderr);
        QFETCH(QStringList, acceptedErrors);
        QFETCH(QStringList, out);
        QFETCH(QStringList, err);
        QFETCH(bool, fails);

        SplatCloser splat(executor);
        QStringList errors;
        const QStringList result = executor->exec(cmd.toUtf8().constData(), errors, true, failMarkers,
                                                  ignoreStderr, acceptedErrors);
        QCOMPARE(errors, err);
        QVERIFY(!executor->splatWindow->isVisible());
        if (!fails) {
            QCOMPARE(splat.shown, 0);
            QCOMPARE(result, out);
            return;
        }
        QCOMPARE(result, QStringList());
        QCOMPARE(splat.shown, 1);
        QCOMPARE(splat.closedByUs, 1); // the call waited until the window was closed
        QCOMPARE(splat.command, "Command: " + cmd);
        QCOMPARE(splat.output, out.join("\n"));
        QCOMPARE(splat.error, err.join("\n"));
    }

    void noWindowWhenOutputIsNotChecked()
    {
        SplatCloser splat(executor);
        QStringList errors;
        QCOMPARE(executor->exec("echo FAILED; echo bad >&2", errors, false, {"FAILED"}),
                 QStringList{"FAILED"});
        QCOMPARE(errors, QStringList{"bad"});
        QCOMPARE(executor->exec(QString("echo bad >&2"), false, {"bad"}), QStringList());
        QTest::qWait(50);
        QCOMPARE(splat.shown, 0);
    }

    void minimisedSplatWindowKeepsTheCallWaiting()
    {
        // Minimising sends the window a Hide event, yet it is still open:
        // the call returns only once the user really closes it.
        bool returned = false;
        bool minimised = false;
        bool waitingWhileMinimised = false;
        QObject timersEndWithThisCase;
        QTimer::singleShot(100, &timersEndWithThisCase, [&] {
            executor->splatWindow->showMinimized();
            minimised = executor->splatWindow->isMinimized() && executor->splatWindow->isVisible();
            QTimer::singleShot(300, &timersEndWithThisCase, [&] {
                waitingWhileMinimised = !returned;
                executor->splatWindow->showNormal();
                QTimer::singleShot(100, &timersEndWithThisCase, [&] {
                    // Minimised again, then closed from there: that ends the wait.
                    executor->splatWindow->showMinimized();
                    executor->splatWindow->close();
                });
            });
        });
        QCOMPARE(executor->exec(QString("echo bad >&2"), true), QStringList());
        returned = true;
        QVERIFY(minimised);
        QVERIFY(waitingWhileMinimised);
        QVERIFY(!executor->splatWindow->isVisible());
    }

    void splatWindowTerminalGetsTheSplatCommand()
    {
        // Text typed into the window's terminal is traced like any typed line.
        setModes(true, false, false);
        const QByteArray before = home.readFile(traceLogPath);
        SplatCloser splat(executor);
        QCOMPARE(executor->exec(QString("echo bad >&2"), true, {}, false, {}, "cd /tmp"), QStringList());
        QCOMPARE(splat.closedByUs, 1);
        const QByteArray added = home.readFile(traceLogPath).mid(before.size());
        QVERIFY2(added.startsWith("echo bad >&2\ncd /tmp\n"), added.constData());
    }
};

void* operator new(std::size_t size)
{
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

QTEST_MAIN(TestTermExecutor)
#include "test_termexecutor.moc"
