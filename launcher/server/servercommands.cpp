#include "servercommands.h"

#include <QRegularExpression>

namespace ServerCommands {

namespace {
QString quotedUnlessMatching(const QString& value, const QRegularExpression& plain)
{
    if (plain.match(value).hasMatch())
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return "'" + quoted + "'";
}
}

QString shellQuoted(const QString& value)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9._-]+$"));
    return quotedUnlessMatching(value, plain);
}

QString shellQuotedPath(const QString& path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9._/-]+$"));
    return quotedUnlessMatching(path, plain);
}

QString workspaceCdLine(const QString& home, char letter)
{
    return "cd " + shellQuotedPath(home + "/Documents/velt-servers/server_" + QChar(letter)) + "\n";
}

QString dropDatabaseLine(const QString& database)
{
    return "dropdb " + shellQuoted(database) + " --if-exists\n";
}

QString killLeftoversLine(const QString& port)
{
    // The bracket keeps grep from matching its own command line.
    return "ps -aux | grep " + shellQuoted("[x]mlrpc-port " + port)
        + " | grep -v grep | awk '{print $2}' | xargs -r kill\n";
}

QString portProbeCommand(int port)
{
    return "ps -efww | grep '[x]mlrpc-port " + QString::number(port) + "' | awk '{print $2}'";
}

QList<int> autoPortCandidates()
{
    QList<int> ports;
    for (int port = 8069;; port += 4) {
        ports << port;
        if (port > 8099)
            break;
    }
    return ports;
}

}
