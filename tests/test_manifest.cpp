#include "deployment.h"
#include "manifest.h"
#include "testhome.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One line per version ("b" before a beta one), then one per file line
// ("F source>destination", "#sha256" when known) and description line ("D ").
QString summary(const QList<Version>& versions)
{
    QStringList lines;
    for (const Version& version : versions) {
        lines << QString(version.beta ? "b" : "") + version.number() + "|" + version.title;
        for (const FileUpdate& file : version.files)
            lines << "F " + file.source + ">" + file.destination + (file.sha256.isEmpty() ? "" : "#" + file.sha256);
        for (const QString& line : version.description)
            lines << "D " + line;
    }
    return lines.join('\n');
}

const QByteArray example = "---RELEASE---\n"
                           "0.9.12|Second fixes\n"
                           "KydVeltUpgrader|/opt/kydveltlauncher/KydVeltUpgrader\n"
                           "---END FILES---\n"
                           "Faster start\n"
                           "---END DESCRIPTION---\n"
                           "---BREAK UPDATE---\n"
                           "0.9.11|First fixes\n"
                           "KydVeltLauncher|/opt/kydveltlauncher/KydVeltLauncher\n"
                           "---END FILES---\n"
                           "Fewer crashes\n"
                           "---END DESCRIPTION---\n"
                           "\n";

// A block with one file and one description line.
QByteArray block(const QByteArray& versionLine)
{
    return versionLine + "\nf|/d\n---END FILES---\ntext\n---END DESCRIPTION---\n";
}

const QString sha = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

} // namespace

class TestManifest : public QObject
{
    Q_OBJECT

    TestHome home;
    QTemporaryDir dir;

    QList<Version> readText(const QByteArray& content, const QString& running, bool acceptBeta)
    {
        const QString path = dir.filePath("manifest_under_test");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            qFatal("cannot write the manifest under test");
        file.close();
        const QStringList numbers = running.split('.');
        return Manifest::read(path, numbers[0].toInt(), numbers[1].toInt(), numbers[2].toInt(), acceptBeta);
    }

private slots:
    void readsVersionsNewerThanTheRunningOne_data()
    {
        QTest::addColumn<QByteArray>("manifest");
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("acceptBeta");
        QTest::addColumn<QString>("expected");

        // The example manifest at several running versions.
        QTest::newRow("example, older program stops at the break")
            << example << "0.9.10" << false
            << "0.9.12|Second fixes\nF KydVeltUpgrader>/opt/kydveltlauncher/KydVeltUpgrader\nD Faster start";
        QTest::newRow("example, one behind") << example << "0.9.11" << false
                                             << "0.9.12|Second fixes\nF KydVeltUpgrader>/opt/kydveltlauncher/KydVeltUpgrader\nD Faster start";
        QTest::newRow("example, up to date") << example << "0.9.12" << false << "";
        QTest::newRow("without break both are read")
            << QByteArray(example).replace("---BREAK UPDATE---\n", "") << "0.9.10" << false
            << "0.9.12|Second fixes\nF KydVeltUpgrader>/opt/kydveltlauncher/KydVeltUpgrader\nD Faster start\n"
               "0.9.11|First fixes\nF KydVeltLauncher>/opt/kydveltlauncher/KydVeltLauncher\nD Fewer crashes";

        // Newer-than comparison, field by field.
        const QByteArray four = block("1.0.0|major") + block("0.10.0|minor") + block("0.9.11|patch") + block("0.9.10|same");
        QTest::newRow("equal is not newer, patch minor major are")
            << four << "0.9.10" << false
            << "1.0.0|major\nF f>/d\nD text\n0.10.0|minor\nF f>/d\nD text\n0.9.11|patch\nF f>/d\nD text";
        QTest::newRow("a bigger minor does not beat a bigger major") << four << "1.0.0" << false << "";
        QTest::newRow("a bigger patch does not beat a bigger minor")
            << four << "0.10.0" << false << "1.0.0|major\nF f>/d\nD text";

        // Channels.
        const QByteArray channels = "---BETA---\n" + block("0.9.13|beta one") + "---RELEASE---\n" + block("0.9.12|release one");
        QTest::newRow("beta versions dropped when not accepted") << channels << "0.9.10" << false
                                                                 << "0.9.12|release one\nF f>/d\nD text";
        QTest::newRow("beta versions kept when accepted")
            << channels << "0.9.10" << true << "b0.9.13|beta one\nF f>/d\nD text\n0.9.12|release one\nF f>/d\nD text";
        QTest::newRow("only beta versions, not accepted") << "---BETA---\n" + block("0.9.13|b") << "0.9.10" << false << "";
        QTest::newRow("channel markers inside a block are text")
            << QByteArray("0.9.11|t\n---BETA---|/x\n---END FILES---\n---BREAK UPDATE---\n---END DESCRIPTION---\n") + block("0.9.12|u")
            << "0.9.10" << false << "0.9.11|t\nF ---BETA--->/x\nD ---BREAK UPDATE---\n0.9.12|u\nF f>/d\nD text";

        // Breaks.
        QTest::newRow("break before any newer version is ignored")
            << block("0.9.9|old") + "---BREAK UPDATE---\n" + block("0.9.11|new") << "0.9.10" << false
            << "0.9.11|new\nF f>/d\nD text";
        QTest::newRow("break after a newer version ends the reading")
            << block("0.9.12|new") + "---BREAK UPDATE--- anything\n" + block("0.9.11|newer than running") << "0.9.10"
            << false << "0.9.12|new\nF f>/d\nD text";
        QTest::newRow("a dropped beta version does not make a break count")
            << "---BETA---\n" + block("0.9.12|b") + "---BREAK UPDATE---\n---RELEASE---\n" + block("0.9.11|r") << "0.9.10"
            << false << "0.9.11|r\nF f>/d\nD text";

        // Comments.
        QTest::newRow("comment lines and commented markers outside blocks")
            << "# 0.9.20|commented out\n   # indented note\n#---BREAK UPDATE---\n" + block("0.9.12|kept") + "#---BETA---\n"
                   + block("0.9.11|still release")
            << "0.9.10" << false << "0.9.12|kept\nF f>/d\nD text\n0.9.11|still release\nF f>/d\nD text";
        QTest::newRow("trailing comment keeps the title before it, spaces included")
            << block("0.9.12|Second fixes  # see the tracker") << "0.9.10" << false
            << "0.9.12|Second fixes  \nF f>/d\nD text";
        QTest::newRow("hash signs inside a block are kept")
            << QByteArray("0.9.12|t\nsrc#1|/opt/a#b\n---END FILES---\n# not a comment\n---END DESCRIPTION---\n\n")
            << "0.9.10" << false << "0.9.12|t\nF src#1>/opt/a#b\nD # not a comment";
        QTest::newRow("title ends at a second bar") << block("0.9.12|title|ignored") << "0.9.10" << false
                                                    << "0.9.12|title\nF f>/d\nD text";

        // File lines.
        QTest::newRow("file lines with one, two and three fields")
            << QByteArray("0.9.12|t\nalone\nsrc|/dst\nsrc|middle|/dst3\n---END FILES---\n---END DESCRIPTION---\n\n")
            << "0.9.10" << false << "0.9.12|t\nF alone>alone\nF src>/dst\nF src>/dst3";
        QTest::newRow("checksum field recognised only as 64 hex digits")
            << ("0.9.12|t\na|" + sha.toUpper().toLatin1() + "|/a\nb|" + sha.left(63).toLatin1() + "|/b\nc|"
                + sha.left(63).toLatin1() + "g|/c\nd|x|" + sha.toLatin1() + "|/d\n---END FILES---\n---END DESCRIPTION---\n\n")
            << "0.9.10" << false << "0.9.12|t\nF a>/a#" + sha + "\nF b>/b\nF c>/c\nF d>/d";

        // End of file.
        QTest::newRow("missing end markers: the block ends with the file and is kept")
            << QByteArray("0.9.12|t\nf|/d\n---END FILES---\nfirst\nsecond\nlast") << "0.9.10" << false
            << "0.9.12|t\nF f>/d\nD first\nD second";
        QTest::newRow("the last line is never a file line") << QByteArray("0.9.12|t\nf|/d\ng|/e\n") << "0.9.10" << false
                                                            << "0.9.12|t\nF f>/d";
        QTest::newRow("the last line is never a description line, newline or not")
            << QByteArray("0.9.12|t\n---END FILES---\nkept\nlost") << "0.9.10" << false << "0.9.12|t\nD kept";
        QTest::newRow("version on the last line") << QByteArray("0.9.12|t") << "0.9.10" << false << "0.9.12|t";

        // Malformed version lines.
        QTest::newRow("bad version lines skipped, the next block read correctly")
            << block("0.9.13 no bar") + block("0.9|two numbers") + block("0.9.12|good") << "0.9.10" << false
            << "0.9.12|good\nF f>/d\nD text";
        QTest::newRow("a piece that is not a number reads as 0") << block("1.x.2|t") << "0.9.10" << false
                                                                  << "1.0.2|t\nF f>/d\nD text";
        QTest::newRow("empty file") << QByteArray() << "0.9.10" << false << "";
    }
    void readsVersionsNewerThanTheRunningOne()
    {
        QFETCH(QByteArray, manifest);
        QFETCH(QString, running);
        QFETCH(bool, acceptBeta);
        QFETCH(QString, expected);
        QCOMPARE(summary(readText(manifest, running, acceptBeta)), expected);
    }

    void readsBytesAsLatin1UpToANulAndCrLfAsLf()
    {
        const QByteArray lf = "---RELEASE---\n0.9.12|Caf\xe9 fixes\nsrc|/opt/\xe9t\xe9\n---END FILES---\n"
                              "d\xe9j\xe0 vu\n---END DESCRIPTION---\n---BREAK UPDATE---\n" + block("0.9.11|older");
        const QString expected = QString::fromUtf8("0.9.12|Café fixes\nF src>/opt/été\nD déjà vu");
        QCOMPARE(summary(readText(lf, "0.9.10", false)), expected);
        QByteArray crlf = lf;
        crlf.replace("\n", "\r\n");
        QCOMPARE(summary(readText(crlf, "0.9.10", false)), expected);

        // The NUL ends the text of its line only; the next line reads normally.
        QByteArray withNul = "0.9.12|before@after|x\nsrc|/dst@junk\n---END FILES---\n---END DESCRIPTION---\n\n";
        withNul.replace('@', '\0');
        QCOMPARE(summary(readText(withNul, "0.9.10", false)), QString("0.9.12|before\nF src>/dst"));
    }

    void missingFileGivesNothing()
    {
        QVERIFY(Manifest::read(dir.filePath("none"), 0, 0, 0, true).isEmpty());
        QVERIFY(!exist_file(dir.filePath("none")));
        QVERIFY(exist_file(dir.path()));
    }

    void locationsFollowTheDeployment()
    {
        Deployment::setInstallDir(dir.path());
        Deployment::setUpdateBaseUrl("http://127.0.0.1:8123/updates/");
        Version version;
        version.major = 0;
        version.minor = 10;
        version.patch = 3;
        FileUpdate file;
        file.source = "bin/KydVeltLauncher";
        QCOMPARE(Manifest::manifestUrl().toString(), QString("http://127.0.0.1:8123/updates/manifest_UBUNTU_16_04_x64"));
        QCOMPARE(Manifest::fileUrl(version, file).toString(),
                 QString("http://127.0.0.1:8123/updates/0.10.3/bin/KydVeltLauncher"));
        QCOMPARE(Manifest::signatureUrl().toString(),
                 QString("http://127.0.0.1:8123/updates/manifest_UBUNTU_16_04_x64.minisig"));
        QCOMPARE(Manifest::upgraderPath(), dir.path() + "/KydVeltUpgrader");
    }
};

QTEST_GUILESS_MAIN(TestManifest)
#include "test_manifest.moc"
