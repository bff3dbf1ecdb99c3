#pragma once

#include "filepaths.h"

#include <QElapsedTimer>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSaveFile>
#include <QCryptographicHash>

class QLabel;
class QNetworkReply;
class QProgressBar;

// Fetches a queue of files over HTTP one at a time, each to its destination,
// with progress, speed and a final count. A destination is replaced only once
// its download has fully succeeded: the content goes to a temporary file
// beside it that is renamed over it at the end.
class DownloadManager : public QObject
{
    Q_OBJECT
public:
    // Which program owns the manager decides which destinations it accepts.
    enum class Side {
        Launcher, // only the upgrader binary and the manifest; makes parent folders
        Upgrader  // everything but its own binary
    };

    DownloadManager(Side side, QObject* parent);

    // Queues one download when the side accepts `target`.
    void append(const QUrl& url, const QString& target, const QString& sha256 = QString());
    // The last component of the URL's path, or "download" when it is empty.
    static QString saveFileName(const QUrl& url);
    // "512 bytes/sec", "1.5 kB/s", "2 MB/s".
    static QString speedText(double bytesPerSecond);

    void setProgressBar(QProgressBar* bar);

    int succeededCount() const { return succeeded; }
    int queuedCount() const { return queued; }

    // Not owned; the speed is shown there when set.
    QLabel* speedLabel = nullptr;
    // False from the first accepted append until the queue runs empty.
    bool idle = true;

signals:
    void finished();

private slots:
    void startNextDownload();
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void downloadFinished();
    void downloadReadyRead();

private:
    bool accepts(const QString& target) const;
    // Why the finished download must not replace its target; empty when it
    // may (2xx status, no network error, whole body, every write done,
    // matching checksum).
    QString failureOfCurrent();

    Side side;
    QNetworkAccessManager network;
    QList<FilePaths> queue;
    FilePaths current;
    QNetworkReply* reply = nullptr;
    QSaveFile* outputFile = nullptr;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    bool writeFailed = false;
    QElapsedTimer startTime;
    QProgressBar* progressBar = nullptr;
    int succeeded = 0;
    int queued = 0;
};
