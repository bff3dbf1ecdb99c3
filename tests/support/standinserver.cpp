#include "standinserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

StandInServer::StandInServer(const QString& portText, const QString& extraWork)
{
    const QString name = "velt-bin --xmlrpc-port " + portText;
    QString script = "exec -a '" + name + "' sleep 300";
    if (!extraWork.isEmpty())
        script = extraWork + "; " + script;
    process.start("/bin/bash", {"-c", script});
    if (!process.waitForStarted(5000))
        return;
    // Ready once the shell has replaced itself with the renamed sleep.
    QElapsedTimer clock;
    clock.start();
    const QString cmdlinePath = QString("/proc/%1/cmdline").arg(process.processId());
    while (clock.elapsed() < 10000) {
        QFile cmdline(cmdlinePath);
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().startsWith(name.toLocal8Bit() + '\0')) {
            ready = true;
            return;
        }
        QThread::msleep(10);
    }
}

StandInServer::~StandInServer()
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

int StandInServer::pid() const
{
    return int(process.processId());
}

bool StandInServer::isAlive() const
{
    return process.state() == QProcess::Running;
}

bool StandInServer::waitForEnd(int ms)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(ms);
}
