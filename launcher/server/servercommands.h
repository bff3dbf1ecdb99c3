#pragma once

#include <QList>
#include <QString>

// Shell lines that the server tab types into its terminal or runs captured.
namespace ServerCommands {

// Changes into the workspace of `letter` under `home`.
QString workspaceCdLine(const QString& home, char letter);
// Drops a database; its name may come from the PostgreSQL server.
QString dropDatabaseLine(const QString& database);
// Kills every process whose command line still carries the port.
QString killLeftoversLine(const QString& port);
// Prints the process ids whose command line carries the port.
QString portProbeCommand(int port);
// Ports tried, in order, when the port is chosen automatically.
QList<int> autoPortCandidates();

}
