#include "manifestrefresh.h"

#include "downloadmanager.h"
#include "manifest.h"
#include "signedmanifest.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {
// Names of the fresh copies until they are judged.
QString fresh(const QString& path)
{
    return path + ".new";
}
}

ManifestRefresh::ManifestRefresh(const QString& folder, QObject* parent)
    : QObject(parent), folder(folder), manager(new DownloadManager(this))
{
    connect(manager, &DownloadManager::finished, this, &ManifestRefresh::judge);
}

void ManifestRefresh::start()
{
    // Private to the user: nobody else need read what the launcher fetched.
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    manager->append(Manifest::manifestUrl(), fresh(SignedManifest::manifestPath(folder)), QString(),
                    SignedManifest::sizeLimit);
    manager->append(Manifest::signatureUrl(), fresh(SignedManifest::signaturePath(folder)), QString(),
                    SignedManifest::signatureSizeLimit);
}

void ManifestRefresh::judge()
{
    const QString manifest = SignedManifest::manifestPath(folder);
    const QString signature = SignedManifest::signaturePath(folder);
    const SignedManifest::Loaded loaded = SignedManifest::load(fresh(manifest), fresh(signature));
    bool kept = false;
    if (loaded.ok()) {
        // The signature first: a stop between the two renames leaves a pair
        // that does not verify, never an unchecked manifest taken as checked.
        kept = std::rename(QFile::encodeName(fresh(signature)).constData(), QFile::encodeName(signature).constData()) == 0
            && std::rename(QFile::encodeName(fresh(manifest)).constData(), QFile::encodeName(manifest).constData()) == 0;
    } else if (!manager->failures().isEmpty()) {
        std::fprintf(stderr, "The update manifest could not be fetched: %s\n",
                     manager->failures().join("; ").toLocal8Bit().constData());
    } else {
        std::fprintf(stderr, "The update manifest was refused: %s\n",
                     (loaded.missing ? QStringLiteral("nothing came") : loaded.error).toLocal8Bit().constData());
    }
    QFile::remove(fresh(manifest));
    QFile::remove(fresh(signature));
    emit done(kept);
}
