#pragma once

#include <QStringList>

// True when some line holds some needle: how captured output is judged.
bool anyLineContains(const QStringList& lines, const QStringList& needles);
