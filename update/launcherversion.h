#pragma once

#include <QString>

// The launcher's own version, shown in the About box, written into the
// settings file and compared with the update manifest.
namespace LauncherVersion {
constexpr int major = 0;
constexpr int minor = 9;
constexpr int patch = 10;

// "0.9.10"
inline QString number()
{
    return QString::number(major) + "." + QString::number(minor) + "." + QString::number(patch);
}

// "0.9.10 Release candidate 2"
inline QString text()
{
    return number() + " Release candidate 2";
}
}
