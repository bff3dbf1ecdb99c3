#include "upgradersequence.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "downloadform.h"
#include "downloadmanager.h"
#include "installtransaction.h"
#include "launcherversion.h"
#include "manifest.h"
#include "securefile.h"
#include "signedmanifest.h"
#include "updateplan.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QMessageBox>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {
// The downloads of one version may take long on a slow line; each download
// also fails on its own when it stalls or grows past its limit.
constexpr int versionDeadlineMs = 60 * 60 * 1000;

int failed(const QString& why)
{
    std::fprintf(stderr, "Update failed: %s\n", why.toLocal8Bit().constData());
    std::fflush(stderr);
    return 1;
}

bool isNewerThanThisProgram(const Version& version)
{
    if (version.major != LauncherVersion::major)
        return version.major > LauncherVersion::major;
    if (version.minor != LauncherVersion::minor)
        return version.minor > LauncherVersion::minor;
    return version.patch > LauncherVersion::patch;
}

bool isProgram(const QString& relativePath)
{
    return relativePath == UpdatePlan::launcherName || relativePath == UpdatePlan::upgraderName
        || relativePath == "gksudo";
}

// The new upgrader the launcher fetched, checked again here and copied into
// the staging folder; returns why not, empty when done.
QString stageCachedUpgrader(const UpdatePlan::File& file, const QString& cacheDir, const QString& staged)
{
    const QString cached = cacheDir + "/" + UpdatePlan::upgraderName;
    const SecureFile::Content content = SecureFile::read(cached, Upgrader::fileSizeLimit);
    if (!content.ok())
        return "the new upgrader: " + content.error;
    const QString sha256 = QString::fromLatin1(QCryptographicHash::hash(content.bytes, QCryptographicHash::Sha256).toHex());
    if (sha256 != file.sha256)
        return cached + " does not match the manifest's SHA-256";
    QSaveFile copy(staged);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(content.bytes) != content.bytes.size() || !copy.commit())
        return staged + ": " + copy.errorString();
    return QString();
}
}

Upgrader::Arguments Upgrader::parseArguments(const QStringList& arguments)
{
    Arguments parsed;
    if (arguments.size() < 2 || !arguments[0].contains('.'))
        return parsed;
    parsed.accepted = true;
    const QStringList pieces = arguments[0].split('.');
    // A piece that is not a number reads as 0.
    parsed.major = pieces.first().toInt();
    parsed.minor = pieces.value(1).toInt();
    parsed.patch = pieces.last().toInt();
    parsed.acceptBeta = arguments[1].toInt() == 1;
    parsed.cacheDir = arguments.value(2);
    return parsed;
}

const char* Upgrader::refusalText()
{
    return "don't launch upgrader yourself, please, it can be only launched by the launcher itself";
}

QString Upgrader::versionText(const Version& version)
{
    return version.number() + " - " + version.title;
}

QStringList Upgrader::formLines(const QList<Version>& versions)
{
    QStringList lines;
    for (const Version& version : versions) {
        lines << (version.beta ? "[BETA] " : " ") + versionText(version);
        lines << " ";
        lines << version.description;
        lines << " " << QString(44, '-') << " ";
    }
    return lines;
}

QString Upgrader::unableToUpdateText(const QList<Version>& versions)
{
    QString available;
    for (const Version& version : versions)
        available += (version.beta ? "[BETA] " : "") + versionText(version) + "\n";
    return "Sorry, but you need to launch the program with sudo to update it. Available versions: \n\n" + available
        + "\nThe program will now be launched with previous version...";
}

QString Upgrader::stage(const UpdatePlan& plan, const QString& cacheDir, InstallTransaction& install,
                       DownloadForm& form, DownloadManager& manager)
{
    QString error;
    if (!install.startStaging(&error))
        return error;
    for (int index = 0; index < plan.files.size(); ++index) {
        const QString& relative = plan.files[index].relativePath;
        // The launcher goes last, so that a launcher reporting the new
        // version means every other file is in place too.
        if (relative != UpdatePlan::launcherName)
            install.add(index, relative, isProgram(relative));
    }
    for (int index = 0; index < plan.files.size(); ++index)
        if (plan.files[index].relativePath == UpdatePlan::launcherName)
            install.add(index, UpdatePlan::launcherName, true);

    // The launcher has fetched the upgrader, which the running one cannot
    // download over itself; it comes from the launcher's cache.
    const int upgrader = plan.upgraderIndex();
    if (upgrader >= 0) {
        error = stageCachedUpgrader(plan.files[upgrader], cacheDir, install.stagedPath(upgrader));
        if (!error.isEmpty())
            return error;
    }
    for (int version = 0; version < plan.oldestFirst.size(); ++version) {
        form.setCurrentVersion(versionText(plan.oldestFirst[version]));
        for (int index = 0; index < plan.files.size(); ++index) {
            const UpdatePlan::File& file = plan.files[index];
            if (file.version == version && index != upgrader)
                manager.append(file.url, install.stagedPath(index), file.sha256, fileSizeLimit);
        }
        if (!cooperativeWait(versionDeadlineMs, [&manager] { return manager.idle; }))
            return "the downloads did not end in time";
        if (!manager.failures().isEmpty())
            return manager.failures().join("; ");
    }
    if (manager.succeededCount() != manager.queuedCount())
        return "not every file was fetched";
    return install.check(&error) ? QString() : error;
}

int Upgrader::run(QApplication& app, const Arguments& arguments)
{
    std::unique_ptr<InstallTransaction> install;
    if (geteuid() == 0) {
        QString error;
        install = InstallTransaction::open(Deployment::installDir(), &error);
        if (!install)
            return failed(error);
        // An earlier run stopped while it put the files in place: that step
        // is finished before anything else, and is this run's work when
        // files were still to be moved (the launcher that started this run
        // is then an older one).
        int moved = 0;
        if (install->hasJournal()) {
            if (!install->resume(&error, &moved))
                return failed(error);
            if (moved > 0) {
                std::printf("The interrupted update was finished.\n");
                return 0;
            }
        }
    }

    if (arguments.cacheDir.isEmpty())
        return 0;
    const SignedManifest::Loaded manifest = SignedManifest::loadFrom(arguments.cacheDir);
    if (manifest.missing)
        return 0;
    if (!manifest.ok())
        return failed("the update manifest was refused: " + manifest.error);
    QList<Version> versions = Manifest::parse(manifest.content, arguments.major, arguments.minor, arguments.patch,
                                              arguments.acceptBeta);
    // Never older than this program itself, whatever it was told.
    versions.erase(std::remove_if(versions.begin(), versions.end(), [](const Version& version) {
                       return !isNewerThanThisProgram(version);
                   }),
                   versions.end());
    if (versions.isEmpty())
        return 0;
    const UpdatePlan plan(versions);
    if (!plan.error().isEmpty())
        return failed(plan.error());

    if (!install) {
        QMessageBox::information(nullptr, QStringLiteral("Unable to update"), unableToUpdateText(versions), QMessageBox::Ok);
        cooperativeWait(1000);
        return 0;
    }

    DownloadForm form;
    DownloadManager manager(nullptr);
    for (const QString& line : formLines(versions))
        form.addLine(line);
    form.show();
    manager.setProgressBar(form.getProgressBar());
    manager.speedLabel = form.getLabelSpeed();

    QString error = stage(plan, arguments.cacheDir, *install, form, manager);
    if (!error.isEmpty()) {
        QString ignored;
        install->discard(&ignored);
        error += "; nothing was changed";
    } else if (!install->commit(&error)) {
        error = "while the files were put in place: " + error + "; the next update finishes it";
    }
    if (!error.isEmpty()) {
        failed(error);
        form.addLine("Update failed: " + error);
    }
    form.finish();
    // Closed by the window's own frame meanwhile: nothing is left to wait for.
    const int status = form.isVisible() ? app.exec() : 0;
    return error.isEmpty() ? status : 1;
}

int Upgrader::runProgram(int argc, char* argv[])
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    // Only the launcher starts the upgrader, with its version and the beta flag.
    const Arguments arguments = parseArguments(words);
    if (!arguments.accepted) {
        std::cerr << refusalText();
        return -1;
    }
    QApplication app(argc, argv);
    // No translator: the upgrader's texts are English whatever the system's
    // language, as the launcher cannot pass its own.
    return run(app, arguments);
}
