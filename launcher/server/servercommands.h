#pragma once

#include <QList>
#include <QString>

// Shell lines that the server tab types into its terminal or runs captured.
namespace ServerCommands {

// Changes into the workspace of `letter` under `home`.
QString workspaceCdLine(const QString& home, char letter);
// Drops a database; its name may come from the PostgreSQL server.
QString dropDatabaseLine(const QString& database);
// Whether `text` is a port number written as digits only.
bool isPortNumber(const QString& text);
// Kills every process whose command line still carries "xmlrpc-port <port>",
// the port as a whole word; empty unless `port` is a number.
QString killLeftoversLine(const QString& port);
// Prints the process ids whose command line carries the port.
QString portProbeCommand(int port);
// Ports tried, in order, when the port is chosen automatically.
QList<int> autoPortCandidates();

}
