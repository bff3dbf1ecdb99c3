#pragma once

#include "manifestrecords.h"

#include <QList>
#include <QStringList>

class QApplication;

class DownloadForm;
class DownloadManager;
class InstallTransaction;
class UpdatePlan;

// The upgrader's whole run once its arguments are known: reads the manifest
// the launcher fetched into its user's cache and takes it only when its
// signature verifies, refuses politely when not the superuser, and otherwise
// fetches and checks every file of every newer version before putting them
// all into the install directory in one step.
class Upgrader
{
public:
    // What the launcher passes: its version ("0.9.10"), the beta flag and the
    // folder where it keeps the manifest and the new upgrader.
    struct Arguments {
        bool accepted = false;
        int major = 0;
        int minor = 0;
        int patch = 0;
        bool acceptBeta = false;
        QString cacheDir;
    };

    // `arguments` are the words after the program name. Accepted only with at
    // least two words, the first holding a "."; of its pieces the first is the
    // major, the second the minor and the last the patch number. The third,
    // when given, is the launcher's cache folder.
    static Arguments parseArguments(const QStringList& arguments);

    // The most a file of an update may hold.
    static constexpr qint64 fileSizeLimit = qint64(512) * 1024 * 1024;

    // Printed on standard error when someone else than the launcher starts it.
    static const char* refusalText();

    // "0.9.12 - Title"
    static QString versionText(const Version& version);
    // The lines of the window's text area, newest version first.
    static QStringList formLines(const QList<Version>& versions);
    // The text of the box shown to someone who is not the superuser.
    static QString unableToUpdateText(const QList<Version>& versions);

    // Everything after the argument check; returns the exit status: 0 when
    // the update was installed or there was nothing to do, 1 when anything
    // failed (and then nothing changed in the install directory).
    static int run(QApplication& app, const Arguments& arguments);

    // The program from its command line on: the argument check, the
    // application object and run(). Its texts stay in English.
    static int runProgram(int argc, char* argv[]);

private:
    // Fetches and checks every file of `plan` into the staging folder and
    // queues its move; returns why it failed, empty when all is staged.
    static QString stage(const UpdatePlan& plan, const QString& cacheDir, InstallTransaction& install,
                         DownloadForm& form, DownloadManager& manager);
};
