#include "cooperativewait.h"
#include "deployment.h"
#include "downloadmanager.h"
#include "httptestserver.h"
#include "outputcapture.h"
#include "testfiles.h"
#include "testhome.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include <memory>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    if (!TestFiles::write(path, content))
        qFatal("cannot write %s", qPrintable(path));
}

QStringList summaryLines(const QByteArray& output)
{
    QStringList lines;
    for (const QByteArray& line : output.split('\n'))
        if (line.contains("files downloaded successfully"))
            lines << QString::fromLatin1(line);
    return lines;
}

QString sha256Of(const QByteArray& content)
{
    return QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
}

} // namespace

class TestDownloadManager : public QObject
{
    Q_OBJECT

    TestHome home;
    QTemporaryDir root; // what the server serves
    std::unique_ptr<HttpTestServer> server;

    // Serves `content` at `path`; returns its URL.
    QUrl serve(const QString& path, const QByteArray& content)
    {
        writeFile(root.filePath(path), content);
        return server->url(path);
    }

    // Appends every (URL, target) pair, then waits until the manager is idle.
    static bool runBatch(DownloadManager& manager, const QList<QPair<QUrl, QString>>& batch)
    {
        for (const auto& item : batch)
            manager.append(item.first, item.second);
        return cooperativeWait(30000, [&] { return manager.idle; });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        server = std::make_unique<HttpTestServer>(root.path());
        QVERIFY2(server->isReady(), qPrintable(server->errorText()));
    }

    void fetchesAQueueOneFileAtATimeAndCountsAcrossBatches()
    {
        QTemporaryDir target;
        DownloadManager manager(nullptr);
        QList<QPair<QUrl, QString>> first, second;
        for (int i = 0; i < 5; ++i) {
            const QByteArray content = QByteArray("file ") + QByteArray::number(i) + QByteArray(i * 1000, 'x');
            const QUrl url = serve(QString("queue/f%1").arg(i), content);
            (i < 3 ? first : second) << qMakePair(url, target.filePath(QString("f%1").arg(i)));
        }
        OutputCapture out(1);
        QVERIFY(runBatch(manager, first));
        QVERIFY(runBatch(manager, second));
        const QStringList summaries = summaryLines(out.take());
        QCOMPARE(summaries, QStringList({"3/3 files downloaded successfully", "5/5 files downloaded successfully"}));
        QCOMPARE(manager.succeededCount(), 5);
        QCOMPARE(manager.queuedCount(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(TestFiles::content(target.filePath(QString("f%1").arg(i))),
                     QByteArray("file ") + QByteArray::number(i) + QByteArray(i * 1000, 'x'));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
    }

    void appendDuringTheLastDownloadWaitsForIt()
    {
        // The second file is queued while the first is still arriving: it
        // must not start a second download over the first one's file.
        QTemporaryDir target;
        const QByteArray slowContent(64 * 1024, 's');
        serve("late/slow", slowContent);
        const QUrl fast = serve("late/fast", "fast content");
        DownloadManager manager(nullptr);
        OutputCapture out(1);
        manager.append(server->url("slow/late/slow?chunk=8192&delay=30"), target.filePath("slow"));
        QVERIFY(cooperativeWait(10000, [&] { return server->requests().contains("GET /slow/late/slow?chunk=8192&delay=30"); }));
        manager.append(fast, target.filePath("fast"));
        QVERIFY(cooperativeWait(30000, [&] { return manager.idle; }));
        QCOMPARE(summaryLines(out.take()), QStringList{"2/2 files downloaded successfully"});
        QCOMPARE(TestFiles::content(target.filePath("slow")), slowContent);
        QCOMPARE(TestFiles::content(target.filePath("fast")), QByteArray("fast content"));
    }

    void failedDownloadLeavesTheOldFileAlone_data()
    {
        QTest::addColumn<QString>("path"); // on the test server; empty: refused connection
        QTest::addColumn<bool>("wrongChecksum");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QString>("reason");
        const qint64 plenty = DownloadManager::defaultSizeLimit;
        QTest::newRow("not found") << "nowhere/file" << false << plenty << "";
        QTest::newRow("server error") << "status/500" << false << plenty << "";
        QTest::newRow("redirect without a target") << "status/302" << false << plenty << "";
        QTest::newRow("connection refused") << "" << false << plenty << "";
        QTest::newRow("body cut short") << "truncate/failing/content" << false << plenty << "";
        QTest::newRow("checksum mismatch") << "failing/content" << true << plenty << "checksum mismatch";
        QTest::newRow("larger than its limit") << "failing/content" << false << qint64(19999)
                                               << "larger than the limit of 19999 bytes";
        QTest::newRow("endless body") << "endless/content" << false << qint64(1024 * 1024)
                                      << "larger than the limit of 1048576 bytes";
        QTest::newRow("stalled") << "slow/failing/content?chunk=1000&delay=5000" << false << plenty
                                 << "nothing received for 0.4 s";
    }
    void failedDownloadLeavesTheOldFileAlone()
    {
        QFETCH(QString, path);
        QFETCH(bool, wrongChecksum);
        QFETCH(qint64, maxBytes);
        QFETCH(QString, reason);
        const QByteArray newContent(20000, 'n');
        serve("failing/content", newContent);
        const QUrl url = path.isEmpty() ? QUrl(QString("http://127.0.0.1:%1/file").arg(HttpTestServer::unusedPort()))
                                        : server->url(path);
        QTemporaryDir target;
        const QString destination = target.filePath("installed");
        writeFile(destination, "old content");

        DownloadManager manager(nullptr);
        manager.setStallLimit(400);
        OutputCapture out(1);
        OutputCapture err(2);
        manager.append(url, destination, wrongChecksum ? sha256Of("something else") : QString(), maxBytes);
        QVERIFY(cooperativeWait(30000, [&] { return manager.idle; }));
        QCOMPARE(manager.failures().size(), 1);
        QVERIFY2(manager.failures().first().startsWith(url.toString() + ": " + reason),
                 qPrintable(manager.failures().first()));
        const QByteArray errors = err.take();
        QCOMPARE(summaryLines(out.take()), QStringList{"0/1 files downloaded successfully"});
        QCOMPARE(manager.succeededCount(), 0);
        QCOMPARE(TestFiles::content(destination), QByteArray("old content"));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"installed"});
        if (wrongChecksum)
            QVERIFY2(errors.contains(QString("Checksum mismatch for '%1': expected %2, got %3\n")
                                         .arg(destination, sha256Of("something else"), sha256Of(newContent))
                                         .toLocal8Bit()),
                     errors.constData());
    }

    void checksumMatchReplacesTheFile()
    {
        const QByteArray content("checked content, upper-case sum given");
        const QUrl url = serve("checked", content);
        QTemporaryDir target;
        DownloadManager manager(nullptr);
        manager.append(url, target.filePath("checked"), sha256Of(content).toUpper());
        QVERIFY(cooperativeWait(30000, [&] { return manager.idle; }));
        QCOMPARE(manager.succeededCount(), 1);
        QCOMPARE(TestFiles::content(target.filePath("checked")), content);
    }

    void unwritableDestinationIsSkipped_data()
    {
        QTest::addColumn<QString>("urlPath");
        QTest::addColumn<QString>("destination"); // relative to a fresh folder
        QTest::addColumn<QString>("shownName");
        QTest::newRow("missing folder") << "skipped/file.bin" << "missing/folder/file.bin" << "file.bin";
        QTest::newRow("destination is a folder, URL ends in /") << "skipped/" << "folder" << "download";
    }
    void unwritableDestinationIsSkipped()
    {
        QFETCH(QString, urlPath);
        QFETCH(QString, destination);
        QFETCH(QString, shownName);
        QTemporaryDir target;
        QVERIFY(QDir(target.path()).mkdir("folder"));
        const QUrl good = serve("skipped/good", "good");
        DownloadManager manager(nullptr);
        OutputCapture out(1);
        OutputCapture err(2);
        QVERIFY(runBatch(manager, {{server->url(urlPath), target.filePath(destination)}, {good, target.filePath("good")}}));
        const QByteArray errors = err.take();
        QCOMPARE(summaryLines(out.take()), QStringList{"1/2 files downloaded successfully"});
        const QByteArray expected = QString("Problem opening save file '%1' for download '%2': ")
                                        .arg(shownName, server->url(urlPath).toEncoded())
                                        .toLocal8Bit();
        QVERIFY2(errors.startsWith(expected), errors.constData());
        QCOMPARE(TestFiles::content(target.filePath("good")), QByteArray("good"));
        QVERIFY(!QFileInfo::exists(target.filePath("missing")));
        QVERIFY(!server->requests().contains("GET /" + urlPath));
    }

    void followsRedirectsAndKeepsPermissions()
    {
        const QUrl direct = serve("moved/tool", "#!/bin/sh\necho new\n");
        Q_UNUSED(direct);
        QTemporaryDir target;
        const QString destination = target.filePath("tool");
        writeFile(destination, "#!/bin/sh\necho old\n");
        const QFile::Permissions executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(destination, executable));
        DownloadManager manager(nullptr);
        QVERIFY(runBatch(manager, {{server->url("redirect/moved/tool"), destination}}));
        QCOMPARE(manager.succeededCount(), 1);
        QCOMPARE(TestFiles::content(destination), QByteArray("#!/bin/sh\necho new\n"));
        QCOMPARE(QFile::permissions(destination) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), executable);
    }

    void speedText_data()
    {
        QTest::addColumn<double>("bytesPerSecond");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0 bytes/sec";
        QTest::newRow("just below a kilobyte") << 1023.0 << "1023 bytes/sec";
        QTest::newRow("one kilobyte") << 1024.0 << "1 kB/s";
        QTest::newRow("one and a half kilobytes") << 1536.0 << "1.5 kB/s";
        QTest::newRow("just below a megabyte") << 1048575.0 << "1024 kB/s";
        QTest::newRow("one megabyte") << 1048576.0 << "1 MB/s";
        QTest::newRow("six significant digits") << 1234567890.0 << "1177.38 MB/s";
    }
    void speedText()
    {
        QFETCH(double, bytesPerSecond);
        QFETCH(QString, text);
        QCOMPARE(DownloadManager::speedText(bytesPerSecond), text);
    }

    void progressBarAndSpeedLabelFollowTheDownload()
    {
        const QByteArray content(96 * 1024, 'p');
        serve("progress/file", content);
        QTemporaryDir target;
        QProgressBar bar;
        QLabel speed("speed");
        DownloadManager manager(nullptr);
        manager.setProgressBar(&bar);
        manager.speedLabel = &speed;
        QList<int> values;
        QStringList speeds;
        connect(&bar, &QProgressBar::valueChanged, [&](int value) { values << value; });
        manager.append(server->url("slow/progress/file?chunk=16384&delay=40"), target.filePath("file"));
        QVERIFY(cooperativeWait(30000, [&] {
            if (bar.maximum() == content.size() && !speeds.contains(speed.text()))
                speeds << speed.text();
            return manager.idle;
        }));
        QCOMPARE(TestFiles::content(target.filePath("file")), content);
        // Intermediate values were shown against the full size, then 100 of 100.
        QVERIFY2(std::any_of(values.begin(), values.end(), [&](int v) { return v > 0 && v < content.size(); }),
                 qPrintable(QString("values seen: %1").arg(values.size())));
        QCOMPARE(bar.maximum(), 100);
        QCOMPARE(bar.value(), 100);
        const QRegularExpression speedPattern("^[0-9.]+(e[+-][0-9]+)? (bytes/sec|kB/s|MB/s)$");
        QVERIFY(!speeds.isEmpty());
        for (const QString& text : speeds)
            QVERIFY2(speedPattern.match(text).hasMatch(), qPrintable(text));
        QVERIFY(speedPattern.match(speed.text()).hasMatch());
    }

    void saveFileNameIsTheLastPathComponent()
    {
        QCOMPARE(DownloadManager::saveFileName(QUrl("http://h:1/0.9.12/bin/KydVeltLauncher")), QString("KydVeltLauncher"));
        QCOMPARE(DownloadManager::saveFileName(QUrl("http://h:1/0.9.12/")), QString("download"));
        QCOMPARE(DownloadManager::saveFileName(QUrl("http://h:1")), QString("download"));
    }
};

QTEST_MAIN(TestDownloadManager)
#include "test_downloadmanager.moc"
