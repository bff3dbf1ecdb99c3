#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

// The launcher's global settings: one object per process, kept in the plain
// text file ~/.config/KydVeltLauncher/config. Users read and write the fields
// directly and call save() after changing a saved one.
class ConfigLoader
{
public:
    static ConfigLoader* getSingleton();

    ConfigLoader();

    enum class LoadResult {
        Read,           // the file was read into the fields
        Missing,        // no file yet: the fields keep their values
        NotRegularFile, // a pipe, folder or device stands there: read as missing
        Unreadable,     // the file exists but could not be read (see loadError)
    };

    // Reads the settings file, never blocking. Anything but a read or a missing
    // file leaves the fields as they are and protects whatever stands at the
    // path from every later save of this object.
    LoadResult load();
    // Rewrites the whole file atomically; returns false when it could not be
    // written (or was protected by load()), with the reason in saveError. The
    // fields stay as they are either way.
    bool save();

    LoadResult loadResult = LoadResult::Missing;
    // Why the last load() or save() failed, for the user; empty after success.
    QString loadError;
    QString saveError;
    // Set by load() when the file at the path must not be written over.
    bool saveBlocked = false;
    // Failed saves since this object was created.
    int failedSaves = 0;
    // Told about every failed save, after saveError and failedSaves are set.
    std::function<void(const ConfigLoader&)> onSaveFailed;

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

private:
    bool writeFile();
    QString decodeLine(const QByteArray& bytes);

    // Lines read that were not plain UTF-8, by the text they were read as.
    QHash<QString, QByteArray> undecodedLines;
};
