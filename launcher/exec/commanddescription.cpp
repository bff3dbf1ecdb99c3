#include "commanddescription.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

CommandDescription::CommandDescription(const QString& command)
{
    static const QRegularExpression cdPrefix(
        QStringLiteral("^\\s*cd\\s+~/Documents/velt-servers/server_([a-z])(?:/([A-Za-z0-9_.-]+))?/?\\s*(?:&&|;)"));
    QString rest = command;
    const QRegularExpressionMatch match = cdPrefix.match(command);
    if (match.hasMatch()) {
        letter = match.captured(1).at(0);
        clone = match.captured(2);
        rest = command.mid(match.capturedEnd());
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = rest.split(blanks, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    shortName = words.first().section('/', -1);
    if (shortName != QLatin1String("git"))
        return;
    // The subcommand is the first word that is not an option of git itself;
    // "-C <dir>" and "-c <name=value>" take the next word.
    for (int i = 1; i < words.size(); ++i) {
        const QString& word = words.at(i);
        if (word == QLatin1String("-C") || word == QLatin1String("-c")) {
            ++i;
            continue;
        }
        if (word.startsWith('-'))
            continue;
        shortName += ' ' + word;
        break;
    }
}

QString CommandDescription::text() const
{
    if (letter.isNull())
        return shortName;
    if (clone.isEmpty())
        return QCoreApplication::translate("CommandDescription", "%1 (server %2)").arg(shortName, letter);
    return QCoreApplication::translate("CommandDescription", "%1 (server %2, %3)").arg(shortName, letter, clone);
}
