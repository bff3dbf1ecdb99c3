#include "commandlog.h"

#include "settings/homedirectory.h"

namespace {
QByteArray withoutTrailingNewline(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    return bytes;
}
}

CommandLog& CommandLog::shared()
{
    static CommandLog log;
    return log;
}

QString CommandLog::tracePath()
{
    return homeDirectory() + "/Desktop/KydVeltLauncher_logs.txt";
}

QString CommandLog::gitLogPath()
{
    return homeDirectory() + "/Desktop/KydVeltLauncher_git_logs.txt";
}

bool CommandLog::openTruncated(QFile& file, const QString& path)
{
    file.close();
    file.setFileName(path);
    // Unbuffered: each line reaches the file at once, so a trace survives a crash.
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
}

bool CommandLog::openTrace(const QString& path)
{
    return openTruncated(traceFile, path);
}

bool CommandLog::openGitLog(const QString& path)
{
    return openTruncated(gitLogFile, path);
}

void CommandLog::closeTrace()
{
    traceFile.close();
}

void CommandLog::closeGitLog()
{
    gitLogFile.close();
}

void CommandLog::trace(const QString& text)
{
    if (!traceFile.isOpen())
        return;
    traceFile.write(withoutTrailingNewline(text) + '\n');
}

void CommandLog::gitRecord(const QString& command, const QStringList& out, const QStringList& err)
{
    if (!gitLogFile.isOpen())
        return;
    // Built whole and written at once, so the record is complete when flushed.
    QByteArray record = withoutTrailingNewline(command) + "\n\nSTDOUT: \n";
    for (const QString& line : out)
        record += line.toUtf8() + '\n';
    record += "\nSTDERR: \n";
    for (const QString& line : err)
        record += line.toUtf8() + '\n';
    record += '\n' + QByteArray(65, 'X') + '\n';
    gitLogFile.write(record);
}
