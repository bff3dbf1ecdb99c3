#pragma once

#include "manifestrecords.h"

#include <QList>
#include <QString>

class QWidget;

// The launcher's update step at start-up: offers newer versions from the
// local manifest and, when one is accepted, fetches the new upgrader and runs
// it; otherwise queues a fresh copy of the manifest for the next start.
namespace UpdateStep {
enum class Outcome { Continue, UpgraderStarted };

// The versions of the local manifest newer than this launcher, beta ones
// when the settings accept them.
QList<Version> checkVersion();

// How long the new upgrader may take to arrive before it is started anyway.
constexpr int downloadDeadlineMs = 10 * 60 * 1000;

// How long the upgrader (its password prompt, then its window) may run before
// the launcher ends without waiting for its status.
constexpr int upgraderDeadlineMs = 12 * 60 * 60 * 1000;

// `introWindow` is closed while the question shows and, when the upgrader
// ran, left closed for the caller to delete. When the upgrader could not be
// started, a box says why and start-up goes on. A package install offers and
// fetches nothing.
Outcome run(QWidget* introWindow);
}
