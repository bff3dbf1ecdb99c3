#include "httptestserver.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

HttpTestServer::HttpTestServer(const QString& documentRoot, int timeoutMs)
{
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start("python3", {KVL_HTTP_TEST_SERVER, documentRoot, "0"});
    if (!process.waitForStarted(timeoutMs)) {
        error = "cannot start python3: " + process.errorString();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (serverPort == 0 && clock.elapsed() < timeoutMs) {
        if (process.state() != QProcess::Running) {
            error = "the server ended: " + QString::fromLocal8Bit(process.readAllStandardError());
            return;
        }
        readOutput(50);
    }
    if (serverPort == 0) {
        error = "the server did not tell its port in time";
        return;
    }
    // The port is printed once the socket listens; a connection proves it.
    QTcpSocket probe;
    probe.connectToHost("127.0.0.1", quint16(serverPort));
    int left = int(qMax<qint64>(1000, timeoutMs - clock.elapsed()));
    if (!probe.waitForConnected(left)) {
        error = "the server does not answer: " + probe.errorString();
        return;
    }
    probe.disconnectFromHost();
    ready = true;
}

HttpTestServer::~HttpTestServer()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.closeWriteChannel();
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

QString HttpTestServer::baseUrl() const
{
    return QString("http://127.0.0.1:%1/").arg(serverPort);
}

QUrl HttpTestServer::url(const QString& path) const
{
    return QUrl(baseUrl() + path);
}

QStringList HttpTestServer::requests()
{
    readOutput(20);
    return received;
}

void HttpTestServer::readOutput(int waitMs)
{
    process.waitForReadyRead(waitMs);
    output += process.readAllStandardOutput();
    int end;
    while ((end = output.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(output.left(end));
        output.remove(0, end + 1);
        if (line.startsWith("PORT "))
            serverPort = line.mid(5).toInt();
        else if (line.startsWith("REQUEST "))
            received << line.mid(8);
    }
}

int HttpTestServer::unusedPort()
{
    QTcpServer listener;
    listener.listen(QHostAddress::LocalHost, 0);
    const int port = listener.serverPort();
    listener.close();
    return port;
}
