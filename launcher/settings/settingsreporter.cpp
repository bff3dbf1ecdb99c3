#include "settingsreporter.h"

#include "configloader.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("SettingsReporter", text);
}

// A load that already warned about the file: its refused saves are no news.
bool loadWarned(const ConfigLoader& config)
{
    return config.loadResult == ConfigLoader::LoadResult::Unreadable
        || config.loadResult == ConfigLoader::LoadResult::NotRegularFile;
}
}

QString SettingsReporter::loadWarningText(const ConfigLoader& config)
{
    return tr("The settings file %1 cannot be read: %2.\n\nThe launcher goes on with the default settings "
              "and will not save over that file until it is restarted.")
        .arg(config.path, config.loadError);
}

QString SettingsReporter::saveWarningText(const ConfigLoader& config)
{
    return tr("The settings could not be saved to %1: %2.\n\nYour changes are kept until the launcher is "
              "closed. Later failures are only reported on the standard error output.")
        .arg(config.path, config.saveError);
}

bool SettingsReporter::reportLoad(const ConfigLoader& config, QWidget* hidden)
{
    if (!loadWarned(config))
        return false;
    const bool wasVisible = hidden && hidden->isVisible();
    if (wasVisible)
        hidden->hide();
    QMessageBox::warning(nullptr, tr("Settings file unreadable"), loadWarningText(config));
    if (wasVisible)
        hidden->show();
    return true;
}

void SettingsReporter::reportSaveFailure(const ConfigLoader& config)
{
    std::fprintf(stderr, "Could not save the settings to %s: %s\n", qUtf8Printable(config.path),
                 qUtf8Printable(config.saveError));
    if (config.failedSaves == 1 && !loadWarned(config))
        QMessageBox::warning(nullptr, tr("Settings not saved"), saveWarningText(config));
}

void SettingsReporter::watchSaves(ConfigLoader& config)
{
    config.onSaveFailed = &SettingsReporter::reportSaveFailure;
}
