// The VLconfig file format: what the writer produces, what the reader makes
// of damaged or hand-edited files, and saves that never leave a broken file.
#include "server/vlconfig.h"
#include "testhome.h"

#include <QFile>
#include <QFileInfo>
#include <QDateTime>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

class TestVLConfig : public QObject
{
    Q_OBJECT

    TestHome home;

    static VLConfig::Content sample()
    {
        VLConfig::Content content;
        content.databases = QStringList{"db_one", "db_two"};
        for (const QString& key : VLConfig::keys())
            content.values.insert(key, "value of " + key);
        content.checkoutPoints = QStringList{"abc123", "def456"};
        return content;
    }

private slots:
    void layout()
    {
        VLConfig::Content content = sample();
        content.values["python2"] = "1";
        content.values["DBPassword"] = "s3cret pass";
        const QList<QByteArray> lines = VLConfig::serialize(content).split('\n');
        QCOMPARE(VLConfig::keys().size(), 66);
        QCOMPARE(lines.size(), 1 + 4 + 66 + 4 + 1); // the last "\n" leaves an empty tail
        QCOMPARE(lines.at(0), QByteArray("### CONFIG FILE ###"));
        QCOMPARE(lines.at(1), QByteArray("<--- DB <---"));
        QCOMPARE(lines.at(2), QByteArray("db_one"));
        QCOMPARE(lines.at(3), QByteArray("db_two"));
        QCOMPARE(lines.at(4), QByteArray("---> DB --->"));
        QCOMPARE(lines.at(5), QByteArray("python2:::1"));
        QCOMPARE(lines.at(26), QByteArray("DBPassword:::s3cret pass")); // in clear
        QCOMPARE(lines.at(70), QByteArray("CustomParams:::value of CustomParams"));
        QCOMPARE(lines.at(71), QByteArray("<--- GitCheckoutPoints <---"));
        QCOMPARE(lines.at(73), QByteArray("def456"));
        QCOMPARE(lines.at(74), QByteArray("---> GitCheckoutPoints --->"));
        QCOMPARE(lines.at(75), QByteArray());
        QVERIFY(!VLConfig::serialize(content).contains('\r'));
    }

    void roundTrip()
    {
        const VLConfig::Content content = sample();
        const QList<VLConfig::Entry> entries = VLConfig::parse(VLConfig::serialize(content));
        QCOMPARE(entries.size(), 1 + 66 + 1);
        QCOMPARE(entries.first().kind, VLConfig::Entry::Databases);
        QCOMPARE(entries.first().items, content.databases);
        for (int i = 0; i < 66; ++i) {
            const VLConfig::Entry& entry = entries.at(1 + i);
            QCOMPARE(entry.kind, VLConfig::Entry::Value);
            QCOMPARE(entry.key, VLConfig::keys().at(i));
            QCOMPARE(entry.value, content.values.value(entry.key));
        }
        QCOMPARE(entries.last().kind, VLConfig::Entry::CheckoutPoints);
        QCOMPARE(entries.last().items, content.checkoutPoints);
    }

    void valuesAreUtf8AndUnescaped()
    {
        VLConfig::Content content;
        content.databases = QStringList{"base_été"};
        content.values["CustomParams"] = "--x=\"a b\" \\n";
        const QList<VLConfig::Entry> entries = VLConfig::parse(VLConfig::serialize(content));
        QCOMPARE(entries.first().items, QStringList{"base_été"});
        QCOMPARE(entries.at(66).value, QString("--x=\"a b\" \\n"));
    }

    void damagedAndHandEditedFiles()
    {
        // Keys are case-sensitive; an empty line and a missing separator on an
        // unknown key are unknown records; "#" lines are skipped.
        const QList<VLConfig::Entry> entries = VLConfig::parse("# a comment\n"
                                                               "Python2:::1\n"
                                                               "\n"
                                                               "port\n"
                                                               "CustomParams:::a:::b\n"
                                                               "log-handler:::\n");
        QCOMPARE(entries.size(), 5);
        QCOMPARE(entries.at(0).kind, VLConfig::Entry::Unknown);
        QCOMPARE(entries.at(0).key, QString("Python2"));
        QCOMPARE(entries.at(1).kind, VLConfig::Entry::Unknown);
        QCOMPARE(entries.at(1).key, QString());
        // A known key without the separator reads as an empty value.
        QCOMPARE(entries.at(2).kind, VLConfig::Entry::Value);
        QCOMPARE(entries.at(2).key, QString("port"));
        QCOMPARE(entries.at(2).value, QString());
        // A value holding ":::" is cut at its first occurrence.
        QCOMPARE(entries.at(3).value, QString("a"));
        QCOMPARE(entries.at(4).key, QString("log-handler"));
        QCOMPARE(entries.at(4).value, QString());
    }

    void truncatedSectionsKeepWhatWasRead()
    {
        QList<VLConfig::Entry> entries = VLConfig::parse("<--- DB <---\ndb_a\ndb_b");
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().items, QStringList({"db_a", "db_b"}));

        entries = VLConfig::parse("port:::8069\n<--- GitCheckoutPoints <---\nabc\n");
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.last().kind, VLConfig::Entry::CheckoutPoints);
        QCOMPARE(entries.last().items, QStringList{"abc"});

        entries = VLConfig::parse("<--- DB <---\n---> DB --->\n");
        QCOMPARE(entries.size(), 1);
        QVERIFY(entries.first().items.isEmpty());
    }

    void writtenForTheOwnerOnly()
    {
        const QString path = home.path() + "/VLconfig";
        QVERIFY(VLConfig::write(path, sample()));
        struct stat info;
        QCOMPARE(stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0600u);

        // Saving what the file already holds leaves it untouched.
        const QDateTime past = QDateTime::currentDateTime().addDays(-1);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        QVERIFY(VLConfig::write(path, sample()));
        QCOMPARE(QFileInfo(path).lastModified().toSecsSinceEpoch(), past.toSecsSinceEpoch());

        // An older file readable by everyone becomes private at the next save.
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        QVERIFY(VLConfig::write(path, sample()));
        QCOMPARE(stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0600u);

        QList<VLConfig::Entry> entries;
        QVERIFY(VLConfig::read(path, entries));
        QCOMPARE(entries.size(), 68);
        QVERIFY(!VLConfig::read(home.path() + "/missing", entries));
    }

    void failedWriteLeavesTheOldFileWhole()
    {
        const QString path = home.path() + "/VLconfig-full";
        QVERIFY(VLConfig::write(path, sample()));
        const QByteArray before = home.readFile("VLconfig-full");

        // A file-size limit stands in for a full disk.
        VLConfig::Content big = sample();
        big.values["CustomParams"] = QString(20000, QChar('x'));
        signal(SIGXFSZ, SIG_IGN);
        rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 8192;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = VLConfig::write(path, big);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        QCOMPARE(home.readFile("VLconfig-full"), before);

        // No workspace directory: nothing is written, nothing is created.
        QVERIFY(!VLConfig::write(home.path() + "/no/such/dir/VLconfig", sample()));
        QVERIFY(!QFileInfo::exists(home.path() + "/no"));
    }
};

QTEST_GUILESS_MAIN(TestVLConfig)
#include "test_vlconfig.moc"
