#pragma once

#include <QByteArray>
#include <QString>

// Reading a file that someone else may control (the superuser reads what the
// launcher fetched into its user's cache): never through a symbolic link,
// only a regular file, and never more than a limit.
namespace SecureFile {

struct Content {
    bool missing = false; // nothing at the path
    QString error;        // empty when `bytes` holds the whole file
    QByteArray bytes;
    bool ok() const { return error.isEmpty(); }
};

// Reads `path` whole, refusing a symbolic link as its last component,
// anything but a regular file, and a file longer than `maxBytes`.
Content read(const QString& path, qint64 maxBytes);
}
