#pragma once

#include "testhome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class MyQTermWidget;
class ServerWidget;

// The processes a server test starts and ends. A server process is one whose
// command line carries "xmlrpc-port <port>", the port as a whole word.
QList<int> processesOn(const QString& port);
int processesOnPort(int port);
// A port of the test's own: free for listening and carried by no process's
// command line, so nothing the test kills by port is anybody else's.
int privatePort();
// Ends what runs in the foreground of a terminal of the test's own.
void endForeground(MyQTermWidget* terminal);
// The test home's bash set-up, with the prompt `prompt`.
QByteArray bashrc(const QByteArray& prompt);

// Workspaces a and b in a test home, with the stand-in server script as their
// start script, run from a real terminal. Every call the stand-ins see goes
// into ~/calls.txt: the server's start and stop, a dropdb of the test's own,
// the Python environment's activation (which takes the next typed line if it
// came too early, and never ends while ~/hang exists).
class ServerRunFixture
{
public:
    static const int deadline = 20000;

    // Once, before the first test; then `resetBetweenTests` before each.
    void prepareWorkspaces();
    void resetBetweenTests();

    QString workspace(char letter = 'a') const;
    QStringList calls() const;
    void writeExecutable(const QString& relativePath, const QByteArray& content);
    void writeConfig(const QByteArray& body, char letter = 'a');
    // The settings of a tab with one database and a port of the test's own.
    QByteArray privateConfig(int port, const QByteArray& more = QByteArray());
    // A tab whose terminal has finished its own set-up lines; null when it did not in time.
    std::unique_ptr<ServerWidget> openTab(char letter = 'a');
    bool stopServer(ServerWidget& tab);

    TestHome home;
};
