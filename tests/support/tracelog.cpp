#include "tracelog.h"

#include "settings/configloader.h"

#include <QDir>
#include <QFile>

namespace {
QString logPath()
{
    return QDir::homePath() + "/Desktop/KydVeltLauncher_logs.txt";
}
}

void TraceLog::enable()
{
    ConfigLoader::getSingleton()->trace = true;
}

void TraceLog::mark()
{
    offset = QFile(logPath()).size();
}

QStringList TraceLog::since() const
{
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    file.seek(offset);
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList TraceLog::matching(const QString& needle) const
{
    return since().filter(needle);
}
