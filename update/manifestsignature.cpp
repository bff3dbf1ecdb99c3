#include "manifestsignature.h"

#include <QList>

#include <sodium.h>

#include <algorithm>

namespace {

constexpr int algorithmSize = 2;
constexpr int keyIdSize = 8;
constexpr int keySize = crypto_sign_PUBLICKEYBYTES;
constexpr int signatureSize = crypto_sign_BYTES;
constexpr int prehashSize = crypto_generichash_BYTES_MAX; // BLAKE2b-512
const QByteArray untrustedPrefix = "untrusted comment: ";
const QByteArray trustedPrefix = "trusted comment: ";

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Strict base64: any stray character makes the whole text invalid.
bool decode(const QByteArray& text, QByteArray* bytes)
{
    const QByteArray::FromBase64Result result =
        QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return false;
    *bytes = result.decoded;
    return true;
}

// As the tool shows it: the little-endian 64-bit number in hexadecimal.
QString keyIdText(const QByteArray& keyId)
{
    QByteArray reversed = keyId;
    std::reverse(reversed.begin(), reversed.end());
    return QString::fromLatin1(reversed.toHex().toUpper());
}

bool verify(const QByteArray& signature, const QByteArray& message, const QByteArray& key)
{
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.constData()),
                                       reinterpret_cast<const unsigned char*>(message.constData()),
                                       static_cast<unsigned long long>(message.size()),
                                       reinterpret_cast<const unsigned char*>(key.constData()))
        == 0;
}

} // namespace

QString ManifestSignature::check(const QByteArray& content, const QByteArray& signatureFile, const QString& publicKey)
{
    if (!sodiumReady())
        return QStringLiteral("the cryptography library could not start");

    QByteArray keyBytes;
    if (!decode(publicKey.toLatin1(), &keyBytes) || keyBytes.size() != algorithmSize + keyIdSize + keySize
        || !keyBytes.startsWith("Ed"))
        return QStringLiteral("the update public key is malformed");
    const QByteArray keyId = keyBytes.mid(algorithmSize, keyIdSize);
    const QByteArray key = keyBytes.mid(algorithmSize + keyIdSize);

    QList<QByteArray> lines = signatureFile.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.size() < 4 || !lines[0].startsWith(untrustedPrefix) || !lines[2].startsWith(trustedPrefix))
        return QStringLiteral("the signature file is malformed");

    QByteArray signatureBytes;
    if (!decode(lines[1], &signatureBytes) || signatureBytes.size() != algorithmSize + keyIdSize + signatureSize)
        return QStringLiteral("the signature file is malformed");
    const QByteArray algorithm = signatureBytes.left(algorithmSize);
    if (algorithm != "Ed" && algorithm != "ED")
        return QStringLiteral("the signature uses an unknown algorithm");
    const QByteArray signedBy = signatureBytes.mid(algorithmSize, keyIdSize);
    if (signedBy != keyId)
        return QStringLiteral("signed by another key (%1, expected %2)").arg(keyIdText(signedBy), keyIdText(keyId));
    const QByteArray signature = signatureBytes.mid(algorithmSize + keyIdSize);

    QByteArray message = content;
    if (algorithm == "ED") {
        message = QByteArray(prehashSize, '\0');
        crypto_generichash(reinterpret_cast<unsigned char*>(message.data()), prehashSize,
                           reinterpret_cast<const unsigned char*>(content.constData()),
                           static_cast<unsigned long long>(content.size()), nullptr, 0);
    }
    if (!verify(signature, message, key))
        return QStringLiteral("the signature does not match the manifest");

    // The trusted comment is bound to the signature by a second one over both.
    QByteArray globalSignature;
    if (!decode(lines[3], &globalSignature) || globalSignature.size() != signatureSize)
        return QStringLiteral("the signature file is malformed");
    if (!verify(globalSignature, signature + lines[2].mid(trustedPrefix.size()), key))
        return QStringLiteral("the trusted comment does not match its signature");
    return QString();
}
