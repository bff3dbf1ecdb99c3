#include "updatestep.h"

#include "cooperativewait.h"
#include "downloadmanager.h"
#include "exec/termexecutor.h"
#include "launcherversion.h"
#include "manifest.h"
#include "settings/configloader.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#include <algorithm>

namespace UpdateStep {

QList<Version> checkVersion()
{
    return Manifest::read(Manifest::localManifestPath(), LauncherVersion::major, LauncherVersion::minor,
                          LauncherVersion::patch, ConfigLoader::getSingleton()->acceptBeta);
}

QString upgraderCommand(bool acceptBeta)
{
    return "gksudo ./KydVeltUpgrader " + LauncherVersion::number() + " " + (acceptBeta ? "1" : "0") + " &";
}

namespace {
// The launcher's manager keeps only the upgrader and the manifest among the
// files, so this brings the new upgrader into place before it runs.
void fetchNewUpgrader(QList<Version> versions)
{
    auto* manager = new DownloadManager(DownloadManager::Side::Launcher, qApp);
    std::reverse(versions.begin(), versions.end());
    for (const Version& version : versions)
        for (const FileUpdate& file : version.files)
            manager->append(Manifest::fileUrl(version, file), file.destination, file.sha256);
    cooperativeWait(downloadDeadlineMs, [manager] { return manager->idle; });
    // A replaced upgrader keeps its permissions, but one fetched where none
    // was is a plain file: it must run all the same.
    const QString upgrader = Manifest::upgraderPath();
    if (QFileInfo::exists(upgrader))
        QFile::setPermissions(upgrader, QFile::permissions(upgrader) | QFile::ExeOwner | QFile::ExeGroup
                                            | QFile::ExeOther);
}

// Read by the next start; the download goes on while the launcher runs.
void queueManifestRefresh()
{
    auto* manager = new DownloadManager(DownloadManager::Side::Launcher, qApp);
    manager->append(Manifest::manifestUrl(), Manifest::localManifestPath());
}
}

Outcome run(QWidget* introWindow)
{
    const QList<Version> versions = checkVersion();
    if (!versions.isEmpty()) {
        if (introWindow)
            introWindow->close();
        const QMessageBox::StandardButton answer = QMessageBox::question(
            nullptr, QCoreApplication::translate("UpdateStep", "update"),
            QCoreApplication::translate("UpdateStep", "An update is available. Do you want to download it?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
        if (answer == QMessageBox::Yes) {
            fetchNewUpgrader(versions);
            // Runs in the background from the install directory, which is the
            // launcher's working directory; the call returns at once.
            TermExecutor::getSingleton()->exec(upgraderCommand(ConfigLoader::getSingleton()->acceptBeta), false,
                                               QStringList(), false, QStringList(),
                                               QStringLiteral("cd ~/Documents"));
            return Outcome::UpgraderStarted;
        }
        if (introWindow)
            introWindow->show();
        cooperativeWait(1000);
    }
    queueManifestRefresh();
    return Outcome::Continue;
}
}
