#pragma once

#include "manifestrecords.h"

#include <QList>
#include <QString>

class QWidget;

// The launcher's update step at start-up: offers the newer versions of the
// signed manifest kept in the user's cache and, when one is accepted,
// fetches the new upgrader there and runs the installed upgrader, which
// checks everything again as the superuser; otherwise fetches a fresh
// manifest for the next start.
namespace UpdateStep {
enum class Outcome { Continue, UpgraderStarted };

// Where the launcher keeps what it fetches for updates:
// ~/.cache/KydVeltLauncher.
QString cacheDir();

// The versions of the cached manifest newer than this launcher, beta ones
// when the settings accept them; nothing when the manifest's signature does
// not verify or a newer version is not fit to install (said on standard
// error).
QList<Version> checkVersion();

// How long the new upgrader may take to arrive.
constexpr int downloadDeadlineMs = 10 * 60 * 1000;

// How long the upgrader (its password prompt, then its window) may run
// before the launcher stops waiting and counts the update as failed.
constexpr int upgraderDeadlineMs = 2 * 60 * 60 * 1000;

// Why this launcher offers no update, for the About box; empty when it does.
QString aboutNote();

// `introWindow` is closed while the question shows and, when the upgrader
// ran, left closed for the caller to delete. When the update could not be
// done, a box says why and start-up goes on. A package install, or a build
// without an update key, offers and fetches nothing.
Outcome run(QWidget* introWindow);
}
