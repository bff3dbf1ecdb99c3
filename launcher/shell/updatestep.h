#pragma once

class QWidget;

// The launcher's update step at start-up: offers newer versions from the
// local manifest and, when one is accepted, starts the upgrader.
namespace UpdateStep {
enum class Outcome { Continue, UpgraderStarted };
Outcome run(QWidget* introWindow);
}
