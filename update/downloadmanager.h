#pragma once

#include "filepaths.h"

#include <QElapsedTimer>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSaveFile>
#include <QCryptographicHash>
#include <QStringList>
#include <QTimer>

class QLabel;
class QNetworkReply;
class QProgressBar;

// Fetches a queue of files over HTTP one at a time, each to its destination,
// with progress, speed and a final count. A destination is replaced only once
// its download has fully succeeded: the content goes to a temporary file
// beside it that is renamed over it at the end. A download that grows past
// its size limit, or that receives nothing for the stall limit, fails.
class DownloadManager : public QObject
{
    Q_OBJECT
public:
    // The size limit of a download unless the caller gives one.
    static constexpr qint64 defaultSizeLimit = qint64(512) * 1024 * 1024;
    static constexpr int defaultStallLimitMs = 30000;

    explicit DownloadManager(QObject* parent);

    // Queues one download. The owner chooses `target`; a download that does
    // not match a non-empty `sha256` or exceeds `maxBytes` replaces nothing.
    void append(const QUrl& url, const QString& target, const QString& sha256 = QString(),
                qint64 maxBytes = defaultSizeLimit);
    // The last component of the URL's path, or "download" when it is empty.
    static QString saveFileName(const QUrl& url);
    // "512 bytes/sec", "1.5 kB/s", "2 MB/s".
    static QString speedText(double bytesPerSecond);

    void setProgressBar(QProgressBar* bar);
    // How long a download may receive nothing before it fails.
    void setStallLimit(int ms) { stallLimitMs = ms; }

    int succeededCount() const { return succeeded; }
    int queuedCount() const { return queued; }
    // "<url>: <why>" for each download that failed since construction.
    QStringList failures() const { return failed; }

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
    void downloadStalled();

private:
    // Why the finished download must not replace its target; empty when it
    // may (2xx status, no network error, whole body, every write done,
    // matching checksum).
    QString failureOfCurrent();

    QNetworkAccessManager network;
    QList<FilePaths> queue;
    FilePaths current;
    QNetworkReply* reply = nullptr;
    QSaveFile* outputFile = nullptr;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    bool writeFailed = false;
    qint64 received = 0;
    // Set when the manager itself cut the download short.
    QString abortReason;
    QTimer stallTimer;
    int stallLimitMs = defaultStallLimitMs;
    QStringList failed;
    QElapsedTimer startTime;
    QProgressBar* progressBar = nullptr;
    int succeeded = 0;
    int queued = 0;
};
