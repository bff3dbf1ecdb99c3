#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

// A real HTTP server on 127.0.0.1 for one test, on a port the system picks,
// serving the files under a document root (tests/support/http-test-server.py).
// Besides plain files it answers 404 for anything missing, and on request
// redirects ("redirect/<path>" answers 302 to "<path>"), cuts a body short
// ("truncate/<path>" announces more bytes than it sends, then closes), sends
// slowly ("slow/<path>?chunk=N&delay=MS"), answers any status
// ("status/<code>") or sends a body that never ends ("endless/<anything>").
// Stopped when destroyed, and also when the test program dies, since the
// server ends when its standard input closes.
class HttpTestServer
{
public:
    // Starts the server and waits until it answers, at most `timeoutMs`.
    explicit HttpTestServer(const QString& documentRoot, int timeoutMs = 10000);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // Whether the server answers; `errorText()` tells why not.
    bool isReady() const { return ready; }
    QString errorText() const { return error; }

    int port() const { return serverPort; }
    // "http://127.0.0.1:<port>/"
    QString baseUrl() const;
    // baseUrl() + `path` (without a leading "/").
    QUrl url(const QString& path) const;

    // The requests received so far, as "<method> <path as sent>", for
    // example "GET /0.9.12/KydVeltUpgrader".
    QStringList requests();

    // A loopback port on which nothing listens (connections are refused).
    static int unusedPort();

private:
    void readOutput(int waitMs);

    QProcess process;
    QByteArray output;
    QStringList received;
    int serverPort = 0;
    bool ready = false;
    QString error;
};
