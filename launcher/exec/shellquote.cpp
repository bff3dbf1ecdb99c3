#include "shellquote.h"

namespace {
bool isPlainCharacter(QChar c)
{
    const ushort u = c.unicode();
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
        return true;
    switch (u) {
    case '.': case '_': case '-': case '/': case '@': case '+': case '=': case ':': case ',': case '%':
        return true;
    default:
        return false;
    }
}
}

QString shellQuote(const QString& value)
{
    bool plain = true;
    for (QChar c : value)
        if (!isPlainCharacter(c)) {
            plain = false;
            break;
        }
    if (plain)
        return value;
    QString quoted = value;
    quoted.replace('\'', QLatin1String("'\\''"));
    return '\'' + quoted + '\'';
}
