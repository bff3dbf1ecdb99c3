#pragma once

#include <QString>

// What the status bar says of a running command: its short name ("git
// fetch", "psql") and, for a command that first changes into a clone, the
// workspace and the clone it runs in.
class CommandDescription
{
public:
    explicit CommandDescription(const QString& command);

    QString shortName;
    QChar letter; // null when the command names no workspace
    QString clone;

    // "git fetch (server a, velt)", or the short name alone.
    QString text() const;
};
