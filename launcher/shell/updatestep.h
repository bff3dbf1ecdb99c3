#pragma once

#include "manifestrecords.h"

#include <QList>
#include <QString>

class QWidget;

// The launcher's update step at start-up: offers newer versions from the
// local manifest and, when one is accepted, starts the upgrader; otherwise
// queues a fresh copy of the manifest for the next start.
namespace UpdateStep {
enum class Outcome { Continue, UpgraderStarted };

// The versions of the local manifest newer than this launcher, beta ones
// when the settings accept them.
QList<Version> checkVersion();

// "gksudo ./KydVeltUpgrader 0.9.10 1 &" (or "... 0 &" without beta versions).
QString upgraderCommand(bool acceptBeta);

// How long the new upgrader may take to arrive before it is started anyway.
constexpr int downloadDeadlineMs = 10 * 60 * 1000;

// `introWindow` is closed while the question shows and, when the upgrader
// starts, left closed for the caller to delete.
Outcome run(QWidget* introWindow);
}
