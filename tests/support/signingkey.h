#pragma once

#include <QString>
#include <QTemporaryDir>

// A key pair made for one test by the minisign tool, without a password, and
// signatures made with it by the same tool, as whoever publishes makes them.
class SigningKey
{
public:
    SigningKey();

    // Whether the pair was made; `errorText()` tells why not.
    bool isReady() const { return ready; }
    QString errorText() const { return error; }

    // The public key's base64 line, as the build is given it.
    QString publicKey() const { return publicLine; }
    QString secretKeyPath() const { return dir.filePath("update.key"); }

    // Signs `path` into `signature` (default `path` + ".minisig"); over the
    // file's BLAKE2b-512 hash, as the tool does by default, or over the file
    // itself when `legacy`. False (with a warning) when the tool failed.
    bool sign(const QString& path, const QString& signature = QString(), bool legacy = false) const;

private:
    QTemporaryDir dir;
    QString publicLine;
    bool ready = false;
    QString error;
};
