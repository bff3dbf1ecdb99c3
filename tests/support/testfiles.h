#pragma once

#include <QByteArray>
#include <QString>

// Files the tests make and look at.
namespace TestFiles {
// The content of `path`, or "<missing>" when it cannot be read.
QByteArray content(const QString& path);
// Writes `content` to `path`, making its folders; false (with a warning in the
// test log) when that fails.
bool write(const QString& path, const QByteArray& content, bool executable = false);
}
