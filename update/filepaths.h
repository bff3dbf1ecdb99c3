#pragma once

#include <QString>
#include <QUrl>

// One queued download.
struct FilePaths {
    QUrl url;
    QString target;
    // Expected lower-case SHA-256 of the content; empty when none is known.
    QString sha256;
    // The most the content may hold.
    qint64 maxBytes = 0;
};
