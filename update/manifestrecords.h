#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One file line of the update manifest: where the file lies on the update
// server (relative to its version's folder) and where it goes on this machine.
struct FileUpdate {
    QString source;
    QString destination;
    // Lower-case SHA-256 of the file's content when the line carries one as its
    // middle field ("source|<64 hex digits>|destination"); empty otherwise.
    QString sha256;
};

// One version block of the update manifest.
struct Version {
    int major = 0;
    int minor = 0;
    int patch = 0;
    QString title;
    QList<FileUpdate> files;
    QStringList description;
    bool beta = false;

    // "major.minor.patch", decimal, no leading zeros.
    QString number() const;
};
