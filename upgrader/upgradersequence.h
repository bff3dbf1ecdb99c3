#pragma once

#include "manifestrecords.h"

#include <QList>
#include <QStringList>

class QApplication;

// The upgrader's whole run once its arguments are known: reads the install
// directory's manifest, refuses politely when not the superuser, and
// otherwise replaces the files of every newer version, oldest first.
class Upgrader
{
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

    // Everything after the argument check; returns the exit status.
    static int run(QApplication& app, const Arguments& arguments);

    // The program from its command line on: the argument check, the
    // application object and run(). Its texts stay in English.
    static int runProgram(int argc, char* argv[]);
};
