#pragma once

#include "manifestrecords.h"

#include <QList>
#include <QString>
#include <QUrl>

// What installing the newer versions of a signed manifest means, file by
// file. Every file line must carry its SHA-256 and name a destination inside
// the install directory; one that does not makes the whole update refused.
// A file several versions list comes from the newest of them.
class UpdatePlan
{
public:
    struct File {
        QString relativePath; // inside the install directory
        QUrl url;
        QString sha256;
        int version = 0; // index in `oldestFirst`
    };

    // `newestFirst`: the versions as the manifest lists them.
    explicit UpdatePlan(const QList<Version>& newestFirst);

    // Why the update is refused; empty when it may go on.
    QString error() const { return refusal; }

    QList<Version> oldestFirst;
    // Oldest version first, in file order within a version.
    QList<File> files;

    // The upgrader's own file, or null when no version replaces it.
    const File* upgrader() const;
    // Its index in `files`, or -1.
    int upgraderIndex() const;

    // Relative path of the upgrader and of the launcher in the install directory.
    static constexpr const char* upgraderName = "KydVeltUpgrader";
    static constexpr const char* launcherName = "KydVeltLauncher";

private:
    QString refusal;
};
