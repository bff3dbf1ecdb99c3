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
    // An empty value is still one argument: dropped, it would shift the
    // others (a rebase onto nothing rebases onto the next word).
    if (value.isEmpty())
        return QStringLiteral("''");
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
