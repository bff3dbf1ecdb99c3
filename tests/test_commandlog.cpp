#include "exec/commandlog.h"
#include "testhome.h"

#include <QtTest>

// The trace and git logs on their own: files made by the test in its home.
class CommandLogTest : public QObject
{
    Q_OBJECT
    TestHome home;
    CommandLog& log = CommandLog::shared();

private slots:
    void cleanup()
    {
        log.closeTrace();
        log.closeGitLog();
    }

    void closedLogsSwallowWhatIsWritten()
    {
        QVERIFY(!log.traceOpen());
        log.trace("nowhere");
        log.gitRecord("git status", {"out"}, {"err"});
        QVERIFY(!QFile::exists(home.path() + "/Desktop/KydVeltLauncher_logs.txt"));
        QVERIFY(!QFile::exists(home.path() + "/Desktop/KydVeltLauncher_git_logs.txt"));
    }

    void unopenablePathLeavesTheLogClosed()
    {
        QVERIFY(!log.openTrace(home.path() + "/no/such/folder/trace.txt"));
        QVERIFY(!log.traceOpen());
        QVERIFY(!log.openGitLog(home.path()));   // a directory
        QVERIFY(!log.gitLogOpen());
        log.trace("lost");                        // no crash, nothing written
    }

    void reopeningTruncatesAndWritesReachTheFileAtOnce()
    {
        const QString path = home.path() + "/trace.txt";
        home.writeFile("trace.txt", "from an earlier start\n");
        QVERIFY(log.openTrace(path));
        QCOMPARE(home.readFile("trace.txt"), QByteArray());
        log.trace(QString::fromUtf8("echo caf\u00e9\n"));
        log.trace("no newline");
        log.trace("two newlines\n\n");
        // Read while the log is still open: nothing waits in a buffer.
        QCOMPARE(home.readFile("trace.txt"), QByteArray("echo caf\xc3\xa9\nno newline\ntwo newlines\n\n"));
        QVERIFY(log.openTrace(path));
        log.trace("again");
        QCOMPARE(home.readFile("trace.txt"), QByteArray("again\n"));
    }

    void gitRecordLayout()
    {
        QVERIFY(log.openGitLog(home.path() + "/git.txt"));
        log.gitRecord("git branch\n", {"* main", ""}, {});
        log.gitRecord("git fetch", {}, {"fatal: no remote"});
        const QByteArray separator(65, 'X');
        QCOMPARE(home.readFile("git.txt"),
                 "git branch\n\nSTDOUT: \n* main\n\n\nSTDERR: \n\n" + separator + "\n"
                 "git fetch\n\nSTDOUT: \n\nSTDERR: \nfatal: no remote\n\n" + separator + "\n");
        // The two logs are independent.
        QVERIFY(!log.traceOpen());
    }
};

QTEST_GUILESS_MAIN(CommandLogTest)
#include "test_commandlog.moc"
