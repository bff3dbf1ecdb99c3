#include "servercommands.h"

#include "exec/shellquote.h"
#include "shell/resourcemonitor.h"

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
    // Leading zeros would make another word than the started port's.
    if (text.isEmpty() || text.size() > 5 || (text.size() > 1 && text.at(0) == '0'))
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
    return ResourceMonitor::killCommand(port.toInt()) + "\n";
}

QString portProbeCommand(int port)
{
    return ResourceMonitor::lookupCommand(QString::number(port));
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
