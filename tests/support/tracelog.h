#pragma once

#include <QStringList>

// The trace log, in which the executor writes every command it runs. Turn
// tracing on before the executor is first used.
class TraceLog
{
public:
    // Turns trace mode on; call before anything uses the executor.
    static void enable();
    // Remembers the current end of the log.
    void mark();
    // The commands logged since the last mark.
    QStringList since() const;
    // Those of them that contain `needle`.
    QStringList matching(const QString& needle) const;

private:
    qint64 offset = 0;
};
