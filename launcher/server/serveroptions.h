#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// The option panel of a server tab as plain values, keyed by the object name
// of the widget that holds them, so the command line can be built (and
// tested) without a window.
struct ServerOptions
{
    // The community clone's checked-out branch; empty when there is none.
    QString activeBranch;
    // Text of line edits and current text of combo boxes.
    QHash<QString, QString> texts;
    // Object names of the checked boxes.
    QSet<QString> checked;

    QString text(const QString& objectName) const { return texts.value(objectName); }
    bool isChecked(const QString& objectName) const { return checked.contains(objectName); }
};

// The server command line that Start types, in the workspace directory.
// Every value is quoted for the shell (a plain one reads as it is); the
// custom parameters are command-line text and go in as they are.
QString buildServerCommand(const ServerOptions& options);

// The start script for a community branch: older versions only have velt.py.
QString serverScriptFor(const QString& activeBranch);
