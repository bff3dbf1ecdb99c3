#pragma once

#include <QByteArray>
#include <QString>

// The update manifest as the launcher keeps it in a folder of its user's:
// "manifest" beside its detached signature "manifest.minisig". Both programs
// take a manifest only once its signature verifies against the update key.
namespace SignedManifest {

constexpr qint64 sizeLimit = 1024 * 1024;
constexpr qint64 signatureSizeLimit = 4096;

QString manifestPath(const QString& folder);
QString signaturePath(const QString& folder);

struct Loaded {
    bool missing = false; // no manifest at all: nothing to say
    QString error;        // why it was refused; empty when `content` is good
    QByteArray content;
    bool ok() const { return !missing && error.isEmpty(); }
};

// Reads the pair without following links and checks the signature against
// Deployment::updatePublicKey().
Loaded load(const QString& manifest, const QString& signature);
inline Loaded loadFrom(const QString& folder)
{
    return load(manifestPath(folder), signaturePath(folder));
}
}
