// What an update waits for: the download manager fetching, from an HTTP
// server on 127.0.0.1,
//   (a) one 200 MB file, against curl fetching the same file;
//   (b) 200 files of 10 kB one after another, against 200 curl processes one
//       after another, and against one curl process given all 200 URLs
//       (which keeps its connection open);
// and the process's resident memory before and after (a), which must not
// grow with the size of the file. The manager is timed twice: waited for by
// its own event loop, and by the hand-turned wait the programs use.
//
//   bench_download [rounds]     (default 3; best of the rounds)

#include "cooperativewait.h"
#include "deployment.h"
#include "downloadmanager.h"
#include "httptestserver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qint64 largeSize = 200LL * 1024 * 1024;
constexpr qint64 mediumSize = 20LL * 1024 * 1024; // for the memory comparison
constexpr int smallCount = 200;
constexpr int smallSize = 10 * 1024;

// "VmRSS" or "VmHWM" of this process, in kB.
long statusKb(const char* field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').first().toLong();
    return -1;
}

bool writeRandomFile(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    while (size > 0) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
        const qint64 chunk = qMin<qint64>(size, block.size());
        if (file.write(block.constData(), chunk) != chunk)
            return false;
        size -= chunk;
    }
    return true;
}

enum class Wait { EventLoop, Cooperative };

// Milliseconds the manager takes for the batch; -1 when a file failed.
qint64 timeManager(const QList<QPair<QUrl, QString>>& batch, Wait wait)
{
    DownloadManager manager(nullptr);
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QObject::connect(&manager, &DownloadManager::finished, &loop, &QEventLoop::quit);
    for (const auto& item : batch)
        manager.append(item.first, item.second);
    if (wait == Wait::EventLoop)
        loop.exec();
    else
        cooperativeWait(600000, [&] { return manager.idle; });
    const qint64 elapsed = clock.elapsed();
    return manager.succeededCount() == batch.size() ? elapsed : -1;
}

qint64 timeCurl(const QStringList& arguments)
{
    QElapsedTimer clock;
    clock.start();
    QProcess curl;
    curl.start("curl", QStringList{"-s", "-f"} + arguments);
    if (!curl.waitForFinished(600000) || curl.exitCode() != 0)
        return -1;
    return clock.elapsed();
}

double mbPerSecond(qint64 bytes, qint64 ms)
{
    return ms > 0 ? double(bytes) / 1048576.0 / (double(ms) / 1000.0) : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 3;

    QTemporaryDir root, out;
    Deployment::setInstallDir(out.path() + "/install"); // nothing here is the upgrader
    if (!writeRandomFile(root.filePath("large.bin"), largeSize)) {
        std::fprintf(stderr, "cannot write the large file\n");
        return 1;
    }
    writeRandomFile(root.filePath("medium.bin"), mediumSize);
    QDir(root.path()).mkdir("small");
    for (int i = 0; i < smallCount; ++i)
        writeRandomFile(root.filePath(QString("small/%1.bin").arg(i)), smallSize);
    HttpTestServer server(root.path());
    if (!server.isReady()) {
        std::fprintf(stderr, "server: %s\n", qPrintable(server.errorText()));
        return 1;
    }
    const QUrl largeUrl = server.url("large.bin");
    const QString largeTarget = out.filePath("large.bin");
    QList<QPair<QUrl, QString>> smallBatch;
    QStringList curlManyArguments;
    for (int i = 0; i < smallCount; ++i) {
        const QString name = QString("small/%1.bin").arg(i);
        smallBatch << qMakePair(server.url(name), out.filePath(QString("s%1.bin").arg(i)));
        curlManyArguments << server.url(name).toString() << "-o" << out.filePath(QString("c%1.bin").arg(i));
    }

    // Memory around a 20 MB and then the first 200 MB download: the same
    // figures after both mean memory does not follow the file's size.
    const long rssBefore = statusKb("VmRSS:");
    const long hwmBefore = statusKb("VmHWM:");
    timeManager({{server.url("medium.bin"), out.filePath("medium.bin")}}, Wait::EventLoop);
    const long rssMedium = statusKb("VmRSS:");
    const long hwmMedium = statusKb("VmHWM:");
    qint64 largeLoop = timeManager({{largeUrl, largeTarget}}, Wait::EventLoop);
    const long rssAfter = statusKb("VmRSS:");
    const long hwmAfter = statusKb("VmHWM:");
    if (QFileInfo(largeTarget).size() != largeSize) {
        std::fprintf(stderr, "the large file did not arrive whole\n");
        return 1;
    }

    qint64 largeCoop = -1, largeCurl = -1, smallLoop = -1, smallCoop = -1, smallCurlEach = -1, smallCurlMany = -1;
    auto best = [](qint64& current, qint64 value) {
        if (value >= 0 && (current < 0 || value < current))
            current = value;
    };
    for (int round = 0; round < rounds; ++round) {
        if (round > 0)
            best(largeLoop, timeManager({{largeUrl, largeTarget}}, Wait::EventLoop));
        best(largeCoop, timeManager({{largeUrl, largeTarget}}, Wait::Cooperative));
        best(largeCurl, timeCurl({largeUrl.toString(), "-o", out.filePath("curl-large.bin")}));
        best(smallLoop, timeManager(smallBatch, Wait::EventLoop));
        best(smallCoop, timeManager(smallBatch, Wait::Cooperative));
        QElapsedTimer clock;
        clock.start();
        bool allFine = true;
        for (int i = 0; i < smallCount && allFine; ++i)
            allFine = timeCurl({smallBatch[i].first.toString(), "-o", out.filePath(QString("e%1.bin").arg(i))}) >= 0;
        best(smallCurlEach, allFine ? clock.elapsed() : -1);
        best(smallCurlMany, timeCurl(curlManyArguments));
    }

    std::printf("download benchmark, best of %d rounds, server on 127.0.0.1\n", rounds);
    std::printf("(a) one file of %lld MB\n", largeSize / 1048576);
    std::printf("    manager, own event loop   %6lld ms  %7.1f MB/s\n", largeLoop, mbPerSecond(largeSize, largeLoop));
    std::printf("    manager, hand-turned wait %6lld ms  %7.1f MB/s\n", largeCoop, mbPerSecond(largeSize, largeCoop));
    std::printf("    curl                      %6lld ms  %7.1f MB/s\n", largeCurl, mbPerSecond(largeSize, largeCurl));
    std::printf("    throughput ratio manager/curl: %.2f (event loop), %.2f (hand-turned wait)\n",
                double(largeCurl) / double(largeLoop), double(largeCurl) / double(largeCoop));
    std::printf("    resident memory (peak) before: %ld kB (%ld kB); after 20 MB: %ld kB (%ld kB); "
                "after 200 MB: %ld kB (%ld kB)\n",
                rssBefore, hwmBefore, rssMedium, hwmMedium, rssAfter, hwmAfter);
    std::printf("(b) %d files of %d kB\n", smallCount, smallSize / 1024);
    std::printf("    manager, own event loop   %6lld ms\n", smallLoop);
    std::printf("    manager, hand-turned wait %6lld ms\n", smallCoop);
    std::printf("    curl, one process a file  %6lld ms\n", smallCurlEach);
    std::printf("    curl, one process for all %6lld ms\n", smallCurlMany);
    std::printf("    time ratio manager/curl: %.2f (one process a file), %.2f (one for all); "
                "hand-turned wait: %.2f, %.2f\n",
                double(smallLoop) / double(smallCurlEach), double(smallLoop) / double(smallCurlMany),
                double(smallCoop) / double(smallCurlEach), double(smallCoop) / double(smallCurlMany));
    return 0;
}
