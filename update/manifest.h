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

// Where the update server's manifests name the install directory; their
// destinations are read relative to it, so an install elsewhere updates too.
constexpr const char* publishedInstallDir = "/opt/kydveltlauncher";

// The versions of the manifest at `path` newer than major.minor.patch; an
// empty list when the file is missing or unreadable.
QList<Version> read(const QString& path, int major, int minor, int patch, bool acceptBeta);
// The same from the manifest's content.
QList<Version> parse(const QByteArray& content, int major, int minor, int patch, bool acceptBeta);

// A file line's destination as a path inside the install directory
// ("languages/x.qm"), when it lies under publishedInstallDir or under this
// build's install directory; empty when it lies anywhere else or climbs out
// ("..").
QString installRelativePath(const QString& destination);

// Update server base URL + "manifest_" + platform tag.
QUrl manifestUrl();
// The manifest's detached signature: manifestUrl() + ".minisig".
QUrl signatureUrl();
// Update server base URL + the version's number + "/" + the file's source.
QUrl fileUrl(const Version& version, const FileUpdate& file);

// Deployment::installDir() + "/KydVeltUpgrader".
QString upgraderPath();
}

// True when the status of `path` can be read (stat succeeds).
bool exist_file(const QString& path);
