#include "outputlines.h"

bool anyLineContains(const QStringList& lines, const QStringList& needles)
{
    for (const QString& line : lines)
        for (const QString& needle : needles)
            if (line.contains(needle))
                return true;
    return false;
}
