#include "servercommands.h"

#include "exec/shellquote.h"

namespace {
// Matches the port as a whole word, so 806 never finds the server on 8069;
// the bracket keeps grep from matching its own command line.
QString portPattern(const QString& digits)
{
    return "grep -E '[x]mlrpc-port " + digits + "( |$)'";
}
}

namespace ServerCommands {

QString workspaceCdLine(const QString& home, char letter)
{
    return "cd " + shellQuote(home + "/Documents/velt-servers/server_" + QChar(letter)) + "\n";
}

QString dropDatabaseLine(const QString& database)
{
    return "dropdb " + shellQuote(database) + " --if-exists\n";
}

bool isPortNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 5)
        return false;
    for (const QChar c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

QString killLeftoversLine(const QString& port)
{
    if (!isPortNumber(port))
        return QString();
    return "ps -efww | " + portPattern(port) + " | grep -v grep | awk '{print $2}' | xargs -r kill\n";
}

QString portProbeCommand(int port)
{
    return "ps -efww | " + portPattern(QString::number(port)) + " | awk '{print $2}'";
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
