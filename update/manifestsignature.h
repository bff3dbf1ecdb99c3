#pragma once

#include <QByteArray>
#include <QString>

// Detached signatures in the format of the minisign tool, so that whoever
// publishes an update signs the manifest with that tool: Ed25519 over the
// content ("Ed") or over its BLAKE2b-512 hash ("ED"), made by the key whose
// id the signature names, with the trusted comment signed as well.
namespace ManifestSignature {

// Empty when `signatureFile` is a valid signature of `content` by
// `publicKey` (the base64 line of a minisign public key file); otherwise
// why it is not, in a few words.
QString check(const QByteArray& content, const QByteArray& signatureFile, const QString& publicKey);
}
