#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private PostgreSQL server for one test program: its data and its
// socket live in a temporary folder, it listens on no TCP address, and it is
// run by an unprivileged account (PostgreSQL refuses root; as root the
// "postgres" account is used, or a system account is created). start() points
// PGHOST, PGPORT and PGUSER at it, so a plain "psql" reaches it. The server is
// stopped by stop(), by the destructor, and also when the test program dies
// of a signal, so no server outlives its test.
class PgServer
{
public:
    PgServer();
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Initialises the cluster and starts the server; false with `error` set
    // when something is missing or fails.
    bool start(QString* error);
    void stop();
    bool isRunning() const { return running; }

    // Runs one SQL statement through psql against the "postgres" database.
    bool sql(const QString& statement, QString* error = nullptr) const;

    QString socketDir() const { return dir.path() + "/socket"; }
    QString dataDir() const { return dir.path() + "/data"; }
    int port() const { return serverPort; }
    QString user() const { return account; }

    // The programs of the newest PostgreSQL installed (15 on Debian 12, 17 on
    // Debian 13); the folder of no version when none is.
    static QString binDir();

private:
    // Runs `program` with `arguments` as the server's account; output and
    // exit status go to `log`. Returns whether it exited with status 0.
    bool runAsAccount(const QString& program, const QStringList& arguments, QString* log) const;
    bool chooseAccount(QString* error);

    QTemporaryDir dir;
    QString account;
    int serverPort = 0;
    bool running = false;
};
