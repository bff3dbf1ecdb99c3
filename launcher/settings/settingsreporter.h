#pragma once

#include <QString>

class ConfigLoader;
class QWidget;

// Tells the user about settings-file trouble: one warning when the file
// cannot be used at start-up, one for the first failed save of a session
// (later failures only go to standard error). The settings class itself only
// records what went wrong, so it stays usable without a window.
class SettingsReporter
{
public:
    // Shows the warning `config`'s last load calls for, hiding `hidden`
    // (the splash window, if any) meanwhile. Returns whether one was shown.
    static bool reportLoad(const ConfigLoader& config, QWidget* hidden = nullptr);
    // Reports every later failed save of `config`.
    static void watchSaves(ConfigLoader& config);
    // Reports one failed save, as watchSaves() does.
    static void reportSaveFailure(const ConfigLoader& config);

    // The texts of the two warnings.
    static QString loadWarningText(const ConfigLoader& config);
    static QString saveWarningText(const ConfigLoader& config);
};
