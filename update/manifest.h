#pragma once

#include "manifestrecords.h"

#include <QList>
#include <QString>
#include <QUrl>

// Reading the update manifest: the versions newer than a running one, in file
// order (newest first), beta ones only when accepted.
namespace Manifest {

// Platform tag appended to the manifest's name on the update server.
constexpr const char* platformTag = "UBUNTU_16_04_x64";

// The versions of the manifest at `path` newer than major.minor.patch; an
// empty list when the file is missing or unreadable.
QList<Version> read(const QString& path, int major, int minor, int patch, bool acceptBeta);

// Update server base URL + "manifest_" + platform tag.
QUrl manifestUrl();
// Update server base URL + the version's number + "/" + the file's source.
QUrl fileUrl(const Version& version, const FileUpdate& file);

// Deployment::installDir() + "/manifest": the launcher's local copy.
QString localManifestPath();
// Deployment::installDir() + "/KydVeltUpgrader".
QString upgraderPath();
}

// The upgrader's entry point: reads the install directory's manifest, the
// launcher's local copy, wherever the upgrader was started from; beta
// versions are kept when `beta` is not 0.
QList<Version> checkVersion(int major, int minor, int patch, int beta);

// True when the status of `path` can be read (stat succeeds).
bool exist_file(const QString& path);
