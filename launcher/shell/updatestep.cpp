#include "updatestep.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "downloadmanager.h"
#include "exec/termexecutor.h"
#include "launcherversion.h"
#include "manifest.h"
#include "manifestrefresh.h"
#include "settings/configloader.h"
#include "settings/homedirectory.h"
#include "shell/updatestepwindow.h"
#include "shell/upgraderlaunch.h"
#include "signedmanifest.h"
#include "updateplan.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>

namespace UpdateStep {

QString cacheDir()
{
    return homeDirectory() + "/.cache/KydVeltLauncher";
}

QList<Version> checkVersion()
{
    const SignedManifest::Loaded manifest = SignedManifest::loadFrom(cacheDir());
    if (manifest.missing)
        return {};
    if (!manifest.ok()) {
        std::fprintf(stderr, "The update manifest was refused: %s\n", manifest.error.toLocal8Bit().constData());
        return {};
    }
    const QList<Version> versions = Manifest::parse(manifest.content, LauncherVersion::major, LauncherVersion::minor,
                                                    LauncherVersion::patch, ConfigLoader::getSingleton()->acceptBeta);
    const QString refusal = UpdatePlan(versions).error();
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "The update manifest was refused: %s\n", refusal.toLocal8Bit().constData());
        return {};
    }
    return versions;
}

QString aboutNote()
{
    // A package install never updates itself: the package manager owns its files.
    if (Deployment::packaged())
        return QCoreApplication::translate("MainWindow", "Updates come through the package manager.");
    if (Deployment::updatePublicKey().isEmpty())
        return QCoreApplication::translate("MainWindow",
                                           "This build has no update key: it offers no update. Install a newer "
                                           "release to update.");
    return QString();
}

namespace {
// The newest version's upgrader, checked against the manifest's SHA-256, into
// the cache folder where the upgrader takes it from; why not, empty when done.
QString fetchNewUpgrader(const QList<Version>& versions, const UpdateStepWindow& window)
{
    const UpdatePlan plan(versions);
    const UpdatePlan::File* upgrader = plan.upgrader();
    if (!upgrader)
        return QString();
    DownloadManager manager(nullptr);
    QDir().mkpath(cacheDir());
    manager.append(upgrader->url, cacheDir() + "/" + UpdatePlan::upgraderName, upgrader->sha256,
                   DownloadManager::defaultSizeLimit);
    const bool ended = cooperativeWait(downloadDeadlineMs, [&] { return manager.idle || window.cancelled(); });
    if (window.cancelled())
        return QCoreApplication::translate("UpdateStep", "The update was cancelled.");
    if (!ended)
        return QCoreApplication::translate("UpdateStep", "The new upgrader did not arrive in time.");
    if (!manager.failures().isEmpty())
        return QCoreApplication::translate("UpdateStep", "The new upgrader could not be fetched: %1")
            .arg(manager.failures().join("; "));
    return QString();
}

// Read by the next start; the download goes on while the launcher runs.
void queueManifestRefresh()
{
    auto* refresh = new ManifestRefresh(cacheDir(), qApp);
    refresh->start();
}

void reportNotDone(const QString& why)
{
    QMessageBox::warning(nullptr, QCoreApplication::translate("UpdateStep", "Update not started"),
                         why + "\n\n"
                             + QCoreApplication::translate("UpdateStep", "The launcher goes on with the current version."),
                         QMessageBox::Ok);
}

// Yes to the question: the new upgrader, then the upgrader itself, with a
// window that says what is awaited and offers Cancel. Whether it ran.
bool update(const QList<Version>& versions, const ConfigLoader& config)
{
    UpdateStepWindow window;
    window.showFetching();
    const QString notFetched = fetchNewUpgrader(versions, window);
    if (!notFetched.isEmpty()) {
        window.close();
        reportNotDone(notFetched);
        return false;
    }
    window.showWaitingForUpgrader();
    const UpgraderLaunch::Outcome launch =
        UpgraderLaunch::run(config.acceptBeta, cacheDir(), upgraderDeadlineMs, [&] { return window.cancelled(); });
    window.close();
    if (launch.result == UpgraderLaunch::Result::Ran)
        return true;
    reportNotDone(UpgraderLaunch::failureText(launch));
    return false;
}
}

Outcome run(QWidget* introWindow)
{
    // A package install belongs to the package manager, which brings its
    // updates; a build without a key could not tell a genuine manifest.
    if (!aboutNote().isEmpty())
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
                        UpgraderLaunch::command(Deployment::installDir(), config->acceptBeta, cacheDir()));
                return Outcome::UpgraderStarted;
            }
            if (update(versions, *config))
                return Outcome::UpgraderStarted;
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
