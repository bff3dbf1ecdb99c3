#pragma once

#include <QObject>
#include <QPointer>

// The server port chosen when Options › Configuration asks for automatic ports.
namespace AutomaticPort {

// The first candidate port that no process carries, the last one when all
// are taken. Each probe is a captured command, which may wait on the Bug
// Splat window: 0 when `owner` went away meanwhile.
int choose(const QPointer<QObject>& owner);

}
