#include "settings/configloader.h"
#include "testhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// The settings file: its exact format, its reading, and saves that never
// leave a damaged file behind.
class TestConfigLoader : public QObject
{
    Q_OBJECT
    TestHome home;

    ConfigLoader loadFrom(const QByteArray& text)
    {
        home.writeFile(".config/KydVeltLauncher/config", text);
        ConfigLoader config;
        config.load();
        return config;
    }

private slots:
    void pathIsUnderHome()
    {
        QCOMPARE(ConfigLoader().path, home.path() + "/.config/KydVeltLauncher/config");
    }

    void startValuesWriteTheDocumentedFile()
    {
        ConfigLoader config;
        QVERIFY(config.save());
        const QByteArray expected =
            "XXX CONFIG FILE FOR KYD_VELT_LAUNCHER XXX\n"
            "version:0.9.10 Release candidate 2\n"
            "showLauncherStatus:0\n"
            "showServerStatus:0\n"
            "default_demo:0\n"
            "default_p2:0\n"
            "default_shell:0\n"
            "default_enterprise:0\n"
            "default_install:\n"
            "default_upgrades:\n"
            "auto_port:0\n"
            "remove_installs:0\n"
            "installer_status:0\n"
            "secBeforeShutDown:2\n"
            "acceptBeta:0\n"
            "language:en\n"
            "cursorType:0\n"
            "-> todo list ->\n"
            "<- todo list <-";
        QCOMPARE(home.readFile(".config/KydVeltLauncher/config"), expected);
    }

    void saveCreatesTheMissingFolder()
    {
        QDir(home.path() + "/.config").removeRecursively();
        ConfigLoader config;
        QVERIFY(config.save());
        QVERIFY(QFileInfo::exists(config.path));
    }

    void missingFileKeepsStartValues()
    {
        QFile::remove(home.path() + "/.config/KydVeltLauncher/config");
        ConfigLoader config;
        config.language = "fr";
        config.load();
        QCOMPARE(config.language, QString("fr"));
        QCOMPARE(config.secBeforeShutDown, 2);
    }

    void headerOnlyKeepsStartValues()
    {
        ConfigLoader config = loadFrom("XXX CONFIG FILE FOR KYD_VELT_LAUNCHER XXX\n");
        QCOMPARE(config.language, QString("en"));
        QCOMPARE(config.secBeforeShutDown, 2);
        QVERIFY(!config.installer_status);
        QVERIFY(config.todos.isEmpty());
    }

    void booleansAreTrueOnlyForOne_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("true") << QByteArray("true") << false;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("2") << QByteArray("2") << false;
        QTest::newRow("empty") << QByteArray("") << false;
    }
    void booleansAreTrueOnlyForOne()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, expected);
        ConfigLoader config = loadFrom("acceptBeta:" + value + "\ninstaller_status:" + value + "\n");
        QCOMPARE(config.acceptBeta, expected);
        QCOMPARE(config.installer_status, expected);
    }

    void keysMatchWholeAndCaseSensitively()
    {
        ConfigLoader config = loadFrom("Language:fr\nlanguages:de\nsecBeforeShutDownX:9\n secBeforeShutDown:8\n");
        QCOMPARE(config.language, QString("en"));
        QCOMPARE(config.secBeforeShutDown, 2);
    }

    void valuesStopAtTheSecondColon()
    {
        ConfigLoader config = loadFrom("default_install:base,web\ndefault_upgrades:a:b\n");
        QCOMPARE(config.default_install, QString("base,web"));
        QCOMPARE(config.default_upgrades, QString("a"));
    }

    void knownKeyWithoutColonReadsEmpty()
    {
        ConfigLoader config = loadFrom("default_install:base\ndefault_install\nsecBeforeShutDown\n");
        QCOMPARE(config.default_install, QString());
        QCOMPARE(config.secBeforeShutDown, 0);
    }

    void repeatedKeysLastWinsAndOrderIsFree()
    {
        ConfigLoader config = loadFrom("cursorType:2\nlanguage:fr\nshowServerStatus:1\nlanguage:en\n");
        QCOMPARE(config.language, QString("en"));
        QCOMPARE(config.cursorType, 2);
        QCOMPARE(config.showServerStatus, 1);
    }

    void integersThatAreNotNumbersReadZero()
    {
        ConfigLoader config = loadFrom("secBeforeShutDown:soon\nversion:0.9.10 Release candidate 2\n");
        QCOMPARE(config.secBeforeShutDown, 0);
        QCOMPARE(config.version, 0);
    }

    void todoBlock_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("todos");
        QTest::addColumn<QString>("language");
        QTest::newRow("closed, then more keys")
            << QByteArray("-> todo list ->\nbuy milkO\nfix: bugX\n<- todo list <-\nlanguage:fr\n")
            << QStringList{"buy milkO", "fix: bugX"} << "fr";
        QTest::newRow("without closing line")
            << QByteArray("-> todo list ->\noneO\nlanguage:fr\n")
            << QStringList{"oneO", "language:fr"} << "en";
        QTest::newRow("empty lines are notes")
            << QByteArray("-> todo list ->\n\nnoteO\n<- todo list <-")
            << QStringList{"", "noteO"} << "en";
        QTest::newRow("second block replaces the first")
            << QByteArray("-> todo list ->\naO\n<- todo list <-\n-> todo list ->\nbX\n<- todo list <-")
            << QStringList{"bX"} << "en";
    }
    void todoBlock()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, todos);
        QFETCH(QString, language);
        ConfigLoader config = loadFrom(text);
        QCOMPARE(config.todos, todos);
        QCOMPARE(config.language, language);
    }

    void roundTripKeepsEverySavedField()
    {
        ConfigLoader written;
        written.showLauncherStatus = 1;
        written.showServerStatus = 2;
        written.default_demo = true;
        written.default_p2 = true;
        written.default_shell = true;
        written.default_enterprise = true;
        written.default_install = "sale,stock";
        written.default_upgrades = "web";
        written.auto_port = true;
        written.remove_installs = true;
        written.installer_status = true;
        written.secBeforeShutDown = 7;
        written.acceptBeta = true;
        written.language = "fr";
        written.cursorType = 2;
        written.todos = QStringList{"first noteO", "second noteX", "été àccentuéO"};
        written.trace = written.sandbox = written.gitLog = true;
        QVERIFY(written.save());

        ConfigLoader read;
        read.load();
        QCOMPARE(read.serialize(), written.serialize());
        QCOMPARE(read.todos, written.todos);
        QVERIFY(!read.trace && !read.sandbox && !read.gitLog);
        QVERIFY(!home.readFile(".config/KydVeltLauncher/config").contains("trace"));
    }

    void noteEqualToTheClosingLineEndsTheBlock()
    {
        ConfigLoader written;
        written.todos = QStringList{"aO", "<- todo list <-", "bO"};
        QVERIFY(written.save());
        ConfigLoader read;
        read.load();
        QCOMPARE(read.todos, QStringList{"aO"});
    }

    void fullDiskLeavesTheOldFileIntact()
    {
        // A file-size limit makes every write past 4 kB fail, as a full disk
        // would: the save must fail and the previous settings stay complete.
        ConfigLoader config;
        config.language = "fr";
        QVERIFY(config.save());
        const QByteArray before = home.readFile(".config/KydVeltLauncher/config");

        config.language = "en";
        for (int i = 0; i < 1000; ++i) config.todos << QString(100, QChar(0x78)) + "O";
        signal(SIGXFSZ, SIG_IGN);
        rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = config.save();
        setrlimit(RLIMIT_FSIZE, &saved);

        QVERIFY(!written);
        QCOMPARE(home.readFile(".config/KydVeltLauncher/config"), before);
        ConfigLoader read;
        read.load();
        QCOMPARE(read.language, QString("fr"));
    }

    void saveGoesThroughANewFile()
    {
        // An atomic save replaces the file instead of truncating it in place:
        // a reader holding the old file keeps its complete contents.
        ConfigLoader config;
        config.language = "fr";
        QVERIFY(config.save());
        QFile old(config.path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        struct stat before;
        QCOMPARE(stat(QFile::encodeName(config.path).constData(), &before), 0);

        config.language = "en";
        for (int i = 0; i < 2000; ++i) config.todos << QString(200, QChar(0x78)) + "O";
        QVERIFY(config.save());
        struct stat after;
        QCOMPARE(stat(QFile::encodeName(config.path).constData(), &after), 0);
        QVERIFY(before.st_ino != after.st_ino);
        QVERIFY(old.readAll().contains("language:fr\n"));
    }

    void unwritableTargetKeepsOldFileAndReportsFailure()
    {
        // A directory standing where the temporary file would be renamed to
        // makes the save fail; the old settings must survive untouched.
        ConfigLoader config;
        config.language = "fr";
        QVERIFY(config.save());
        const QByteArray before = home.readFile(".config/KydVeltLauncher/config");

        ConfigLoader blocked;
        blocked.path = home.path() + "/.config/KydVeltLauncher/blocked";
        QVERIFY(QDir().mkpath(blocked.path + "/inside"));
        QVERIFY(!blocked.save());
        QCOMPARE(home.readFile(".config/KydVeltLauncher/config"), before);
    }
};

QTEST_GUILESS_MAIN(TestConfigLoader)
#include "test_configloader.moc"
