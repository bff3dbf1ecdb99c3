#pragma once

#include <QString>
#include <QStringList>

class QApplication;
class QWidget;

// The launcher's start-up sequence, between the process start and the event
// loop, and the small decisions it makes.
namespace Startup {

struct RunModes {
    bool trace = false;
    bool sandbox = false;
    bool gitLog = false;
};

// Reads the run modes from the arguments after the program name; each
// argument is compared whole and case-sensitively, unknown ones are ignored.
RunModes parseRunModes(const QStringList& arguments);

// The first-launch question, ending with the detected options.
QString welcomeText(const RunModes& modes);

// True when the settings file is missing or the installer has not completed.
bool isFirstLaunch(const QString& settingsPath, bool installerStatus);

// Loads and installs the application translator for `languageCode`; when the
// file is missing, warns (hiding `introWindow` meanwhile, if any) and the
// source texts stay. Returns whether the file existed.
bool installTranslation(const QString& languageCode, QWidget* introWindow);

// Qt's own translation file for `languageCode` in Qt's translations folder.
QString qtTranslationPath(const QString& languageCode);
// Installs Qt's own translation for `languageCode` in place of the previous
// one; returns false (leaving Qt's texts in English) when there is none.
bool installQtTranslation(const QString& languageCode);

// Keeps the interface alive for `ms` milliseconds.
void splashPause(int ms = 1000);

// The whole sequence; returns the process exit status.
int run(QApplication& app);
}
