#include "signedmanifest.h"

#include "deployment.h"
#include "manifestsignature.h"
#include "securefile.h"

QString SignedManifest::manifestPath(const QString& folder)
{
    return folder + "/manifest";
}

QString SignedManifest::signaturePath(const QString& folder)
{
    return folder + "/manifest.minisig";
}

SignedManifest::Loaded SignedManifest::load(const QString& manifest, const QString& signature)
{
    Loaded loaded;
    const SecureFile::Content text = SecureFile::read(manifest, sizeLimit);
    if (text.missing) {
        loaded.missing = true;
        return loaded;
    }
    if (!text.ok()) {
        loaded.error = text.error;
        return loaded;
    }
    const SecureFile::Content signatureFile = SecureFile::read(signature, signatureSizeLimit);
    if (!signatureFile.ok()) {
        loaded.error = signatureFile.missing ? "no signature beside the manifest" : signatureFile.error;
        return loaded;
    }
    if (Deployment::updatePublicKey().isEmpty()) {
        loaded.error = "this build has no update public key";
        return loaded;
    }
    loaded.error = ManifestSignature::check(text.bytes, signatureFile.bytes, Deployment::updatePublicKey());
    if (loaded.error.isEmpty())
        loaded.content = text.bytes;
    return loaded;
}
