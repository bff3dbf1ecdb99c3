#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// The trace log and the git log of the run modes. One process-wide object
// that depends on nothing else, so the executor and the terminals can both
// write to it without calling each other: a terminal built while the executor
// is still being set up cannot re-enter the executor through its logging.
// A log that is not open swallows what is written to it.
class CommandLog
{
public:
    static CommandLog& shared();

    static QString tracePath();   // ~/Desktop/KydVeltLauncher_logs.txt
    static QString gitLogPath();  // ~/Desktop/KydVeltLauncher_git_logs.txt

    // Create or truncate the file; false (log stays closed) when it cannot be opened.
    bool openTrace(const QString& path);
    bool openGitLog(const QString& path);
    void closeTrace();
    void closeGitLog();
    bool traceOpen() const { return traceFile.isOpen(); }
    bool gitLogOpen() const { return gitLogFile.isOpen(); }

    // One line: the text with one trailing newline removed, then a newline.
    void trace(const QString& text);
    // One record: command, "STDOUT: " and its lines, "STDERR: " and its
    // lines, then a separator line of 65 "X".
    void gitRecord(const QString& command, const QStringList& out, const QStringList& err);

    CommandLog(const CommandLog&) = delete;
    CommandLog& operator=(const CommandLog&) = delete;

private:
    CommandLog() = default;
    static bool openTruncated(QFile& file, const QString& path);

    QFile traceFile;
    QFile gitLogFile;
};
