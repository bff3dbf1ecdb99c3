#include "downloadmanager.h"

#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QTimer>

#include <climits>
#include <cstdio>

namespace {

constexpr qint64 readBufferSize = 8 * 1024 * 1024;

} // namespace

DownloadManager::DownloadManager(QObject* parent) : QObject(parent)
{
    // Never from HTTPS down to plain HTTP.
    network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    stallTimer.setSingleShot(true);
    connect(&stallTimer, &QTimer::timeout, this, &DownloadManager::downloadStalled);
}

void DownloadManager::append(const QUrl& url, const QString& target, const QString& sha256, qint64 maxBytes)
{
    idle = false;
    if (queue.isEmpty())
        QTimer::singleShot(0, this, &DownloadManager::startNextDownload);
    queue.append({url, target, sha256.toLower(), maxBytes});
    ++queued;
}

QString DownloadManager::saveFileName(const QUrl& url)
{
    const QString name = QFileInfo(url.path()).fileName();
    return name.isEmpty() ? QStringLiteral("download") : name;
}

QString DownloadManager::speedText(double bytesPerSecond)
{
    // Fixed units, the same in every language.
    double speed = bytesPerSecond;
    QString unit;
    if (speed < 1024) {
        unit = QStringLiteral("bytes/sec");
    } else if (speed < 1024 * 1024) {
        speed /= 1024;
        unit = QStringLiteral("kB/s");
    } else {
        speed /= 1024 * 1024;
        unit = QStringLiteral("MB/s");
    }
    return QString::number(speed, 'g', 6) + " " + unit;
}

void DownloadManager::setProgressBar(QProgressBar* bar)
{
    progressBar = bar;
}

void DownloadManager::startNextDownload()
{
    // One download at a time: a start scheduled while one still runs is taken
    // up when that one finishes.
    if (reply)
        return;
    for (;;) {
        if (queue.isEmpty()) {
            std::printf("%d/%d files downloaded successfully\n", succeeded, queued);
            std::fflush(stdout);
            idle = true;
            emit finished();
            return;
        }
        current = queue.takeFirst();
        // The content goes to a temporary file beside the target, which
        // replaces the target (keeping its permissions) only once complete.
        outputFile = new QSaveFile(current.target, this);
        if (outputFile->open(QIODevice::WriteOnly))
            break;
        std::fprintf(stderr, "Problem opening save file '%s' for download '%s': %s\n",
                     saveFileName(current.url).toLocal8Bit().constData(), current.url.toEncoded().constData(),
                     outputFile->errorString().toLocal8Bit().constData());
        failed << current.url.toString() + ": " + outputFile->errorString();
        delete outputFile;
        outputFile = nullptr;
    }

    hash.reset();
    writeFailed = false;
    received = 0;
    abortReason.clear();
    reply = network.get(QNetworkRequest(current.url));
    // The network thread stops reading when this much waits unwritten, so
    // memory does not grow with the file when the disk is slower.
    reply->setReadBufferSize(readBufferSize);
    connect(reply, &QNetworkReply::downloadProgress, this, &DownloadManager::downloadProgress);
    connect(reply, &QNetworkReply::finished, this, &DownloadManager::downloadFinished);
    connect(reply, &QNetworkReply::readyRead, this, &DownloadManager::downloadReadyRead);
    qDebug() << "Downloading...\n" << current.url.toEncoded().constData() << "... \n";
    startTime.start();
    stallTimer.start(stallLimitMs);
}

void DownloadManager::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (reply && !abortReason.isEmpty())
        return;
    if (progressBar) {
        // The bar counts in ints: very large files are shown in kilobytes.
        const int shift = bytesTotal > INT_MAX ? 10 : 0;
        progressBar->setRange(0, int(bytesTotal >> shift));
        progressBar->setValue(int(bytesReceived >> shift));
        progressBar->repaint();
    }
    // Progress can come within the first millisecond.
    const qint64 elapsed = qMax<qint64>(1, startTime.elapsed());
    const double speed = double(bytesReceived) * 1000.0 / double(elapsed);
    if (speedLabel)
        speedLabel->setText(speedText(speed));
}

void DownloadManager::downloadReadyRead()
{
    if (!reply || !outputFile || !abortReason.isEmpty())
        return;
    stallTimer.start(stallLimitMs);
    // Written as it comes, through one small buffer, so memory does not grow
    // with the file.
    char chunk[64 * 1024];
    qint64 count;
    while ((count = reply->read(chunk, sizeof chunk)) > 0) {
        received += count;
        if (received > current.maxBytes) {
            abortReason = QString("larger than the limit of %1 bytes").arg(current.maxBytes);
            // Aborting finishes the reply at once: nothing of this call may run after it.
            reply->abort();
            return;
        }
        if (!current.sha256.isEmpty())
            hash.addData(chunk, int(count));
        if (outputFile->write(chunk, count) != count)
            writeFailed = true;
    }
}

void DownloadManager::downloadStalled()
{
    if (!reply)
        return;
    abortReason = QString("nothing received for %1 s").arg(stallLimitMs / 1000.0);
    reply->abort();
}

QString DownloadManager::failureOfCurrent()
{
    if (!abortReason.isEmpty())
        return abortReason;
    if (reply->error() != QNetworkReply::NoError)
        return reply->errorString();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return QString("HTTP status %1").arg(status.toInt());
    // After a redirect Qt may still give the length the redirect announced
    // (its empty body's); the body is then judged by Qt's own errors and,
    // for what is installed, by its hash.
    const bool redirected = reply->url() != current.url;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (!redirected && length.isValid() && length.toLongLong() != outputFile->pos())
        return QString("incomplete content: %1 of %2 bytes").arg(outputFile->pos()).arg(length.toLongLong());
    if (writeFailed)
        return "writing failed: " + outputFile->errorString();
    if (!current.sha256.isEmpty()) {
        const QString actual = QString::fromLatin1(hash.result().toHex());
        if (actual != current.sha256) {
            std::fprintf(stderr, "Checksum mismatch for '%s': expected %s, got %s\n",
                         current.target.toLocal8Bit().constData(), current.sha256.toLatin1().constData(),
                         actual.toLatin1().constData());
            return "checksum mismatch";
        }
    }
    return QString();
}

void DownloadManager::downloadFinished()
{
    stallTimer.stop();
    if (progressBar) {
        progressBar->setRange(0, 100);
        progressBar->setValue(100);
        progressBar->repaint();
    }
    downloadReadyRead(); // whatever came with the end of the reply

    QString failure = failureOfCurrent();
    if (failure.isEmpty() && !outputFile->commit())
        failure = "replacing the file failed: " + outputFile->errorString();
    if (failure.isEmpty()) {
        qDebug() << "Succeeded.\n";
        ++succeeded;
    } else {
        // The target keeps its previous content; the temporary file goes.
        outputFile->cancelWriting();
        qDebug() << "Failed: " << failure.toLocal8Bit().constData() << "\n";
        failed << current.url.toString() + ": " + failure;
    }
    delete outputFile;
    outputFile = nullptr;
    reply->deleteLater();
    reply = nullptr;
    startNextDownload();
}
