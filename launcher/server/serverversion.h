#pragma once

#include <QString>
#include <QStringList>

// The checked-out server's version and the Python environment that runs it.
namespace ServerVersion {

// "cd ~/Documents/velt-servers/server_<letter>; <script> --version\n"
QString versionCommand(char letter, const QString& script);

// The label text from the script's output: the first line without
// "Velt Server ", followed by ":". Empty when there is no line.
QString labelText(const QStringList& output);

// Asks velt/velt-bin, then velt/velt.py, for the version. When neither
// answers, warns that the master environment will be used and returns "Error:".
QString read(char letter);

// True for the master environment: the branch names master and the version
// is the next one (latestVersion + 1) or a saas release of the latest.
bool isMaster(const QString& branch, const QString& version, int latestVersion);

struct Environment {
    QString command;          // "source ~/Documents/velt-servers/environnements/...activate\n"
    bool switchToPython2 = false; // Python 3 was wanted but this version has none
};

// The activation line for the version shown in the label (with its ":").
Environment chooseEnvironment(const QString& branch, const QString& version, int latestVersion,
                              bool python2Checked);

// The "Python 3 unavailable" warning shown before switching to Python 2.
void warnPython3Unavailable();

}
