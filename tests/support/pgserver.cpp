#include "pgserver.h"

#include "unprivileged.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <string>

namespace {
// The stop command line prepared in advance, so a signal handler can run it
// with only fork, execv and waitpid.
struct EmergencyStop {
    std::vector<std::string> words;
    std::vector<char*> argv;
    bool armed = false;
};

EmergencyStop& emergencyStop()
{
    static EmergencyStop stop;
    return stop;
}

void stopOnSignal(int signalNumber)
{
    EmergencyStop& stop = emergencyStop();
    if (stop.armed) {
        stop.armed = false;
        const pid_t child = fork();
        if (child == 0) {
            execv(stop.argv[0], stop.argv.data());
            _exit(127);
        }
        if (child > 0)
            waitpid(child, nullptr, 0);
    }
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void armEmergencyStop(const QStringList& command)
{
    EmergencyStop& stop = emergencyStop();
    stop.words.clear();
    for (const QString& word : command)
        stop.words.push_back(word.toStdString());
    stop.argv.clear();
    for (std::string& word : stop.words)
        stop.argv.push_back(word.data());
    stop.argv.push_back(nullptr);
    stop.armed = true;
    for (int signalNumber : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGTERM, SIGINT})
        signal(signalNumber, stopOnSignal);
}
}

PgServer::PgServer() = default;

PgServer::~PgServer()
{
    stop();
}

bool PgServer::chooseAccount(QString* error)
{
    if (geteuid() != 0) {
        const passwd* entry = getpwuid(geteuid());
        account = entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
        return !account.isEmpty();
    }
    // PostgreSQL refuses root: an ordinary account runs it.
    account = Unprivileged::account(error);
    if (account.isEmpty()) {
        *error = "cannot create an unprivileged account for PostgreSQL";
        return false;
    }
    return true;
}

bool PgServer::runAsAccount(const QString& program, const QStringList& arguments, QString* log) const
{
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (geteuid() == 0)
        process.start("/usr/sbin/runuser", QStringList({"-u", account, "--", program}) + arguments);
    else
        process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    if (log)
        *log = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString PgServer::binDir()
{
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    int newest = -1;
    for (const QString& name : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const int version = name.toInt(&number);
        if (number && version > newest && QFileInfo(versions.filePath(name + "/bin/initdb")).isExecutable())
            newest = version;
    }
    return versions.filePath((newest < 0 ? QStringLiteral("<version>") : QString::number(newest)) + "/bin");
}

bool PgServer::start(QString* error)
{
    if (!dir.isValid()) {
        *error = "no temporary folder";
        return false;
    }
    if (!QFileInfo(binDir() + "/initdb").isExecutable()) {
        *error = "PostgreSQL programs missing in " + binDir();
        return false;
    }
    if (!chooseAccount(error))
        return false;
    QDir(dir.path()).mkpath("socket");
    if (geteuid() == 0) {
        const passwd* entry = getpwnam(account.toLocal8Bit().constData());
        if (!entry || chown(dir.path().toLocal8Bit().constData(), entry->pw_uid, entry->pw_gid) != 0
            || chown(socketDir().toLocal8Bit().constData(), entry->pw_uid, entry->pw_gid) != 0) {
            *error = "cannot give the temporary folder to " + account;
            return false;
        }
    }

    QString log;
    if (!runAsAccount(binDir() + "/initdb", {"-D", dataDir(), "--auth=trust", "--locale=C", "--encoding=UTF8",
                                             "--no-sync"}, &log)) {
        *error = "initdb failed: " + log;
        return false;
    }

    // The socket folder is private, so any port number is free there; no TCP.
    serverPort = 20000 + int(getpid() % 20000);
    const QString options = QString("-k %1 -p %2 -c listen_addresses=").arg(socketDir()).arg(serverPort);
    const QStringList stopCommand = QStringList({binDir() + "/pg_ctl", "-D", dataDir(), "-m", "immediate", "-w", "stop"});
    if (geteuid() == 0)
        armEmergencyStop(QStringList({"/usr/sbin/runuser", "-u", account, "--"}) + stopCommand);
    else
        armEmergencyStop(stopCommand);
    if (!runAsAccount(binDir() + "/pg_ctl", {"-D", dataDir(), "-o", options, "-l", dir.path() + "/server.log",
                                             "-w", "-t", "60", "start"}, &log)) {
        *error = "pg_ctl start failed: " + log;
        return false;
    }
    running = true;
    qputenv("PGHOST", socketDir().toLocal8Bit());
    qputenv("PGPORT", QByteArray::number(serverPort));
    qputenv("PGUSER", account.toLocal8Bit());
    return true;
}

void PgServer::stop()
{
    if (!running)
        return;
    runAsAccount(binDir() + "/pg_ctl", {"-D", dataDir(), "-m", "immediate", "-w", "stop"}, nullptr);
    running = false;
    emergencyStop().armed = false;
}

bool PgServer::sql(const QString& statement, QString* error) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start("psql", {"-X", "-v", "ON_ERROR_STOP=1", "-d", "postgres", "-c", statement});
    const bool finished = process.waitForFinished(60000);
    if (error)
        *error = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
