#include "updatestep.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "downloadmanager.h"
#include "exec/termexecutor.h"
#include "launcherversion.h"
#include "manifest.h"
#include "settings/configloader.h"
#include "shell/upgraderlaunch.h"

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

void reportNotStarted(const UpgraderLaunch::Outcome& outcome)
{
    QMessageBox::warning(nullptr, QCoreApplication::translate("UpdateStep", "Update not started"),
                         UpgraderLaunch::failureText(outcome) + "\n\n"
                             + QCoreApplication::translate("UpdateStep", "The launcher goes on with the current version."),
                         QMessageBox::Ok);
}
}

Outcome run(QWidget* introWindow)
{
    // A package install belongs to the package manager, which brings its updates.
    if (Deployment::packaged())
        return Outcome::Continue;
    const ConfigLoader* config = ConfigLoader::getSingleton();
    const QList<Version> versions = checkVersion();
    if (!versions.isEmpty()) {
        if (introWindow)
            introWindow->close();
        const QMessageBox::StandardButton answer = QMessageBox::question(
            nullptr, QCoreApplication::translate("UpdateStep", "update"),
            QCoreApplication::translate("UpdateStep", "An update is available. Do you want to download it?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
        if (answer == QMessageBox::Yes) {
            // Sandbox mode fetches and starts nothing; the trace shows what would run.
            if (config->sandbox) {
                if (config->trace)
                    TermExecutor::getSingleton()->saveCommandTrace(
                        UpgraderLaunch::command(Deployment::installDir(), config->acceptBeta));
                return Outcome::UpgraderStarted;
            }
            fetchNewUpgrader(versions);
            const UpgraderLaunch::Outcome launch = UpgraderLaunch::run(config->acceptBeta, upgraderDeadlineMs);
            if (launch.result == UpgraderLaunch::Result::Ran)
                return Outcome::UpgraderStarted;
            reportNotStarted(launch);
        } else {
            if (introWindow)
                introWindow->show();
            cooperativeWait(1000);
        }
    }
    if (!config->sandbox)
        queueManifestRefresh();
    return Outcome::Continue;
}
}
