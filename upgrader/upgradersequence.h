#pragma once

#include "manifestrecords.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

class QApplication;

// The upgrader's whole run once its arguments are known: reads the manifest
// in the working directory, refuses politely when not the superuser, and
// otherwise replaces the files of every newer version, oldest first.
class Upgrader
{
    Q_DECLARE_TR_FUNCTIONS(Upgrader)

public:
    // What the launcher passes: its version ("0.9.10") and the beta flag.
    struct Arguments {
        bool accepted = false;
        int major = 0;
        int minor = 0;
        int patch = 0;
        bool acceptBeta = false;
    };

    // `arguments` are the words after the program name. Accepted only with at
    // least two words, the first holding a "."; of its pieces the first is the
    // major, the second the minor and the last the patch number.
    static Arguments parseArguments(const QStringList& arguments);

    // Printed on standard error when someone else than the launcher starts it.
    static const char* refusalText();

    // "0.9.12 - Title"
    static QString versionText(const Version& version);
    // The lines of the window's text area, newest version first.
    static QStringList formLines(const QList<Version>& versions);
    // The text of the box shown to someone who is not the superuser.
    static QString unableToUpdateText(const QList<Version>& versions);

    // Installs the French translation when the system's language is French
    // and the file is there; the launcher cannot pass its own language.
    static void installSystemTranslation();
    // The same for the locale named `localeName` ("fr_FR"); any earlier
    // translation is removed first. Returns whether one was installed.
    static bool installTranslation(const QString& localeName);

    // Everything after the argument check; returns the exit status.
    static int run(QApplication& app, const Arguments& arguments);

    // The program from its command line on: the argument check, the
    // application object, the translation and run().
    static int runProgram(int argc, char* argv[]);
};
