#pragma once

#include <QFontMetrics>
#include <QString>

// The title line of a commit card: the author's name padded with blanks to
// about 200 pixels in `metrics`, then the first non-blank line among the
// first 150 characters of the message.
QString commitCardTitle(const QString& author, const QString& message, const QFontMetrics& metrics);
