#include "upgradersequence.h"

#include "cooperativewait.h"
#include "downloadform.h"
#include "downloadmanager.h"
#include "manifest.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include <algorithm>
#include <iostream>
#include <unistd.h>

namespace {
// The whole downloads of one version may take long on a slow line; the wait
// only keeps the window alive meanwhile, so its bound is generous.
constexpr int versionDeadlineMs = 60 * 60 * 1000;
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

int Upgrader::run(QApplication& app, const Arguments& arguments)
{
    QList<Version> versions = checkVersion(arguments.major, arguments.minor, arguments.patch,
                                           arguments.acceptBeta ? 1 : 0);
    if (versions.isEmpty())
        return 0;

    if (geteuid() != 0) {
        QMessageBox::information(nullptr, QStringLiteral("Unable to update"), unableToUpdateText(versions), QMessageBox::Ok);
        cooperativeWait(1000);
        return 0;
    }

    DownloadForm form;
    auto* manager = new DownloadManager(DownloadManager::Side::Upgrader, &app);
    for (const QString& line : formLines(versions))
        form.addLine(line);

    // Oldest first, so that a file several versions list ends up as the newest has it.
    std::reverse(versions.begin(), versions.end());
    form.show();
    manager->setProgressBar(form.getProgressBar());
    manager->speedLabel = form.getLabelSpeed();

    for (const Version& version : versions) {
        form.setCurrentVersion(versionText(version));
        for (const FileUpdate& file : version.files)
            manager->append(Manifest::fileUrl(version, file), file.destination, file.sha256);
        cooperativeWait(versionDeadlineMs, [manager] { return manager->idle; });
    }
    form.finish();
    // Closed by the window's own frame while the files were being replaced:
    // nothing is left to wait for, and the event loop would never end.
    if (!form.isVisible())
        return 0;
    return app.exec();
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
