#pragma once

#include <QString>
#include <QStringList>

// The launcher's global settings: one object per process, kept in the plain
// text file ~/.config/KydVeltLauncher/config. Users read and write the fields
// directly and call save() after changing a saved one.
class ConfigLoader
{
public:
    static ConfigLoader* getSingleton();

    ConfigLoader();

    // Reads the settings file; a missing or unreadable file leaves the fields as they are.
    void load();
    // Rewrites the whole file atomically; returns false when it could not be written.
    bool save();

    // The file's text for the current fields, and its reading into the fields.
    QByteArray serialize() const;
    void parse(const QByteArray& text);

    QString path;
    int showLauncherStatus = 0;
    int showServerStatus = 0;
    QStringList todos;
    int version = 0;
    bool default_demo = false;
    bool default_p2 = false;
    bool default_shell = false;
    bool default_enterprise = false;
    QString default_install;
    QString default_upgrades;
    bool auto_port = false;
    bool remove_installs = false;
    bool installer_status = false;
    int secBeforeShutDown = 2;
    bool acceptBeta = false;
    // Run modes: set from the command line only, never saved.
    bool trace = false;
    bool sandbox = false;
    bool gitLog = false;
    QString language = QStringLiteral("en");
    int cursorType = 0;

    static const char* const header;
    static const char* const todoStart;
    static const char* const todoEnd;
};
