#pragma once

#include <QProcess>
#include <QString>

// A process that looks like a running server to the launcher: its command
// line reads "velt-bin --xmlrpc-port <port> 300" (it is a "sleep 300"). Tests
// using it must hold the CTest resource lock "xmlrpc_ports", since the
// monitor looks at every such process on the machine. Killed when destroyed.
class StandInServer
{
public:
    // `portText` goes into the command line as it is; `extraWork` is shell
    // code run before the sleep (for example a short busy loop).
    explicit StandInServer(const QString& portText, const QString& extraWork = QString());
    ~StandInServer();

    // Whether the process runs under its server command line.
    bool isReady() const { return ready; }
    int pid() const;
    bool isAlive() const;
    // Waits up to `ms` for the process to end.
    bool waitForEnd(int ms);

private:
    QProcess process;
    bool ready = false;
};
