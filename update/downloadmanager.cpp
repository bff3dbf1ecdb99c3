#include "downloadmanager.h"

#include "manifest.h"

#include <QDebug>
#include <QDir>
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

// Every folder above `target` ("a/b/c" is read as "/a/b/c"); failures are
// ignored, as a missing right on the install folder must not stop the update.
void makeParentFolders(const QString& target)
{
    QStringList pieces = target.split('/', Qt::SkipEmptyParts);
    if (pieces.size() < 2)
        return;
    pieces.removeLast();
    QDir().mkpath("/" + pieces.join('/') + "/");
}

} // namespace

DownloadManager::DownloadManager(Side side, QObject* parent) : QObject(parent), side(side)
{
    // Never from HTTPS down to plain HTTP.
    network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

bool DownloadManager::accepts(const QString& target) const
{
    if (side == Side::Launcher)
        return target == Manifest::upgraderPath() || target == Manifest::localManifestPath();
    // The upgrader cannot replace its own running binary; the launcher did.
    return target != Manifest::upgraderPath();
}

void DownloadManager::append(const QUrl& url, const QString& target, const QString& sha256)
{
    // The launcher prepares the folders of every file the upgrader will write.
    if (side == Side::Launcher)
        makeParentFolders(target);
    if (!accepts(target))
        return;
    idle = false;
    if (queue.isEmpty())
        QTimer::singleShot(0, this, &DownloadManager::startNextDownload);
    queue.append({url, target, sha256.toLower()});
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
        delete outputFile;
        outputFile = nullptr;
    }

    hash.reset();
    writeFailed = false;
    reply = network.get(QNetworkRequest(current.url));
    // The network thread stops reading when this much waits unwritten, so
    // memory does not grow with the file when the disk is slower.
    reply->setReadBufferSize(readBufferSize);
    connect(reply, &QNetworkReply::downloadProgress, this, &DownloadManager::downloadProgress);
    connect(reply, &QNetworkReply::finished, this, &DownloadManager::downloadFinished);
    connect(reply, &QNetworkReply::readyRead, this, &DownloadManager::downloadReadyRead);
    qDebug() << "Downloading...\n" << current.url.toEncoded().constData() << "... \n";
    startTime.start();
}

void DownloadManager::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
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
    if (!reply || !outputFile)
        return;
    // Written as it comes, through one small buffer, so memory does not grow
    // with the file.
    char chunk[64 * 1024];
    qint64 count;
    while ((count = reply->read(chunk, sizeof chunk)) > 0) {
        if (!current.sha256.isEmpty())
            hash.addData(chunk, int(count));
        if (outputFile->write(chunk, count) != count)
            writeFailed = true;
    }
}

QString DownloadManager::failureOfCurrent()
{
    if (reply->error() != QNetworkReply::NoError)
        return reply->errorString();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return QString("HTTP status %1").arg(status.toInt());
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != outputFile->pos())
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
    }
    delete outputFile;
    outputFile = nullptr;
    reply->deleteLater();
    reply = nullptr;
    startNextDownload();
}
