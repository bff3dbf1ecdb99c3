#include "servercommands.h"

#include "exec/shellquote.h"

namespace ServerCommands {

QString workspaceCdLine(const QString& home, char letter)
{
    return "cd " + shellQuote(home + "/Documents/velt-servers/server_" + QChar(letter)) + "\n";
}

QString dropDatabaseLine(const QString& database)
{
    return "dropdb " + shellQuote(database) + " --if-exists\n";
}

QString killLeftoversLine(const QString& port)
{
    // The bracket keeps grep from matching its own command line.
    return "ps -aux | grep " + shellQuote("[x]mlrpc-port " + port)
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
