#pragma once

#include "exec/termexecutor.h"
#include "server/autocompletionlist.h"
#include "settings/configloader.h"
#include "shell/mainwindow.h"
#include "tools/environnement.h"

#include <QString>

#include <functional>

// The launcher's start-up as the benchmarks time it: what runs after the
// splash pause up to the main window, the update check left out (it needs the
// update server).
namespace LauncherStart {

// Settings that skip the first-start installer, saved at `path`.
inline ConfigLoader* writeSettings(const QString& path)
{
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->path = path;
    config->installer_status = true;
    config->save();
    return config;
}

// From reading the settings to the main window built, not yet shown.
// `executorMade` runs as soon as the command executor exists, for a
// benchmark that watches its commands.
inline MainWindow* buildMainWindow(const std::function<void()>& executorMade = nullptr)
{
    ConfigLoader::getSingleton()->load();
    TermExecutor::getSingleton();
    if (executorMade)
        executorMade();
    AC_list::init();
    Env::getSingleton();
    return new MainWindow();
}

}
