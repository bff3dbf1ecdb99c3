#include "settings/configloader.h"
#include "testhome.h"
#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// The settings file: its exact format, its reading, and saves that never
// leave a damaged file behind.
class TestConfigLoader : public QObject
{
    Q_OBJECT
    TestHome home;

    QString settingsPath() const { return home.path() + "/.config/KydVeltLauncher/config"; }

    // Runs load() on another thread and gives it `deadlineMs` to return. A
    // reader stuck on a named pipe is then set free by opening the pipe's
    // writing end, so a failing test never hangs.
    ConfigLoader::LoadResult loadWithDeadline(ConfigLoader& config, int deadlineMs, bool* inTime)
    {
        std::atomic<bool> done{false};
        ConfigLoader::LoadResult result = ConfigLoader::LoadResult::Read;
        std::thread reader([&] {
            result = config.load();
            done = true;
        });
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < deadlineMs)
            QThread::msleep(10);
        *inTime = done;
        while (!done) {
            const int fd = ::open(QFile::encodeName(config.path).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            QThread::msleep(10);
        }
        reader.join();
        return result;
    }

    // A settings file written only by its owner and readable by nobody else;
    // the folders on the way stay open to everyone.
    void makeUnreadableSettings(const QByteArray& text)
    {
        home.writeFile(".config/KydVeltLauncher/config", text);
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                               | QFileDevice::ReadOther | QFileDevice::ExeOther);
        QVERIFY(::chmod(QFile::encodeName(settingsPath()).constData(), 0200) == 0);
    }

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

    void windowsLineEndingsAreDropped()
    {
        ConfigLoader config = loadFrom("XXX CONFIG FILE FOR KYD_VELT_LAUNCHER XXX\r\n"
                                       "language:fr\r\n"
                                       "default_install:sale,stock\r\r\n"
                                       "installer_status:1\r\n"
                                       "secBeforeShutDown:5\r\n"
                                       "-> todo list ->\r\n"
                                       "buy milkO\r\n"
                                       "callX\r\n"
                                       "<- todo list <-\r\n"
                                       "cursorType:2\r");
        QCOMPARE(config.language, QString("fr"));
        QCOMPARE(config.default_install, QString("sale,stock"));
        QVERIFY(config.installer_status);
        QCOMPARE(config.secBeforeShutDown, 5);
        QCOMPARE(config.cursorType, 2);
        QCOMPARE(config.todos, QStringList({"buy milkO", "callX"}));

        // Written back with plain newlines, and nothing lost on the way.
        QVERIFY(config.save());
        const QByteArray saved = home.readFile(".config/KydVeltLauncher/config");
        QVERIFY(!saved.contains('\r'));
        QVERIFY(saved.contains("\nlanguage:fr\n"));
        QVERIFY(saved.contains("\ndefault_install:sale,stock\n"));
        QVERIFY(saved.endsWith("-> todo list ->\nbuy milkO\ncallX\n<- todo list <-"));
    }

    void nulBytesAreDroppedAndReadingGoesOn()
    {
        static const char raw[] = "language:f\0r\n\0\ninstaller_status:1\n"
                                  "-> todo list ->\nnote\0 oneO\n<- todo list <-\n";
        ConfigLoader config = loadFrom(QByteArray(raw, sizeof raw - 1));
        QCOMPARE(config.language, QString("fr"));
        QVERIFY(config.installer_status);
        QCOMPARE(config.todos, QStringList({"note oneO"}));
    }

    void namedPipeReadsAsMissingAtOnceAndIsKept()
    {
        QFile::remove(settingsPath());
        QVERIFY(::mkfifo(QFile::encodeName(settingsPath()).constData(), 0600) == 0);
        ConfigLoader config;
        bool inTime = false;
        const ConfigLoader::LoadResult result = loadWithDeadline(config, 3000, &inTime);
        QVERIFY2(inTime, "reading a named pipe blocked");
        QCOMPARE(int(result), int(ConfigLoader::LoadResult::NotRegularFile));
        QCOMPARE(config.language, QString("en"));
        QVERIFY(!config.installer_status);
        QVERIFY(!config.loadError.isEmpty());

        QVERIFY(!config.save());
        QVERIFY(!config.saveError.isEmpty());
        QCOMPARE(config.failedSaves, 1);
        QVERIFY(QFileInfo(settingsPath()).exists() && !QFileInfo(settingsPath()).isFile());
        QFile::remove(settingsPath());
    }

    void folderAtThePathIsNeverReplaced()
    {
        QFile::remove(settingsPath());
        QVERIFY(QDir().mkpath(settingsPath()));
        home.writeFile(".config/KydVeltLauncher/config/keep", "mine");
        ConfigLoader config;
        QCOMPARE(int(config.load()), int(ConfigLoader::LoadResult::NotRegularFile));
        QVERIFY(!config.save());
        QCOMPARE(home.readFile(".config/KydVeltLauncher/config/keep"), QByteArray("mine"));

        // A folder that appears after a good load is not replaced either.
        ConfigLoader late;
        late.path = home.path() + "/.config/KydVeltLauncher/late";
        QCOMPARE(int(late.load()), int(ConfigLoader::LoadResult::Missing));
        QVERIFY(QDir().mkpath(late.path));
        QVERIFY(!late.save());
        QVERIFY(QFileInfo(late.path).isDir());
        QDir(settingsPath()).removeRecursively();
        QDir(late.path).removeRecursively();
    }

    void unreadableFileIsReportedAndNeverOverwritten()
    {
        const QByteArray original = "language:fr\ninstaller_status:1\n-> todo list ->\nmineO\n<- todo list <-";
        makeUnreadableSettings(original);
        ConfigLoader config;
        ConfigLoader::LoadResult result;
        {
            Unprivileged user;
            QVERIFY(user.ok());
            result = config.load();
        }
        QCOMPARE(int(result), int(ConfigLoader::LoadResult::Unreadable));
        QCOMPARE(config.loadError, QString::fromLocal8Bit(strerror(EACCES)));
        // The defaults stay in use...
        QCOMPARE(config.language, QString("en"));
        QVERIFY(!config.installer_status);
        QVERIFY(config.todos.isEmpty());

        // ...and are never written over the user's file, even with full rights.
        config.todos << "newO";
        QVERIFY(!config.save());
        QVERIFY(!config.saveError.isEmpty());
        QVERIFY(::chmod(QFile::encodeName(settingsPath()).constData(), 0600) == 0);
        QCOMPARE(home.readFile(".config/KydVeltLauncher/config"), original);
    }

    void failedSavesGiveTheReasonAndKeepTheValues()
    {
        ConfigLoader config;
        QVERIFY(config.save());
        QCOMPARE(int(config.load()), int(ConfigLoader::LoadResult::Read));
        int told = 0;
        config.onSaveFailed = [&told](const ConfigLoader& failed) {
            ++told;
            QCOMPARE(failed.failedSaves, told);
        };
        config.todos << "typed while the folder is closedO";
        bool first = true;
        bool second = true;
        {
            // An ordinary user cannot write into root's settings folder.
            Unprivileged user;
            QVERIFY(user.ok());
            first = config.save();
            second = config.save();
        }
        QVERIFY(!first);
        QVERIFY(!second);
        QCOMPARE(told, 2);
        QVERIFY2(config.saveError.contains(QString::fromLocal8Bit(strerror(EACCES)), Qt::CaseInsensitive),
                 qPrintable(config.saveError));
        QCOMPARE(config.todos, QStringList({"typed while the folder is closedO"}));

        // Once the folder can be written again, the next save goes through.
        QVERIFY(config.save());
        QVERIFY(config.saveError.isEmpty());
        QCOMPARE(told, 2);
        ConfigLoader read;
        read.load();
        QCOMPARE(read.todos, config.todos);
    }

    void lossyReadingsAreNeverWrittenBack()
    {
        // Bytes that are not UTF-8 go back to disk as they came.
        const QByteArray latin1 = "-> todo list ->\ncaf\xe9 au lait\xffO\nplainX\n<- todo list <-";
        ConfigLoader config = loadFrom("installer_status:1\nlanguage:fr\xe9\n" + latin1);
        QVERIFY(config.save());
        QByteArray saved = home.readFile(".config/KydVeltLauncher/config");
        QVERIFY2(saved.endsWith(latin1), saved.constData());
        QVERIFY(saved.contains("\nlanguage:fr\xe9\n"));
        // A changed note is the person's new text.
        config.todos[0] = QString::fromUtf8("caf\xc3\xa9O");
        QVERIFY(config.save());
        QVERIFY(home.readFile(".config/KydVeltLauncher/config").contains("\ncaf\xc3\xa9O\n"));

        // A file with carriage returns alone for line ends is read line by line.
        const ConfigLoader old = loadFrom("installer_status:1\rlanguage:fr\r-> todo list ->\rbuy milkO\r<- todo list <-");
        QVERIFY(old.installer_status);
        QCOMPARE(old.language, QString("fr"));
        QCOMPARE(old.todos, QStringList({"buy milkO"}));

        // Delays the preferences cannot set are brought into their range.
        QCOMPARE(loadFrom("secBeforeShutDown:-1\n").secBeforeShutDown, 0);
        QCOMPARE(loadFrom("secBeforeShutDown:2147483647\n").secBeforeShutDown, 99);
        QCOMPARE(loadFrom("secBeforeShutDown:7\n").secBeforeShutDown, 7);
    }

    void readOnlyFolderWithWritableFileIsWrittenInPlace()
    {
        ConfigLoader config;
        QVERIFY(config.save());
        // The ordinary user owns the file but not the folder it is in.
        QVERIFY(::chown(QFile::encodeName(settingsPath()).constData(), Unprivileged::nobody, Unprivileged::nobody) == 0
                || ::geteuid() != 0);
        QVERIFY(::chmod(QFile::encodeName(home.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(home.path() + "/.config").constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(home.path() + "/.config/KydVeltLauncher").constData(), 0555) == 0);
        config.todos << "kept although the folder is read-onlyO";
        bool saved = false;
        {
            Unprivileged user;
            QVERIFY(user.ok());
            saved = config.save();
        }
        QVERIFY(::chmod(QFile::encodeName(home.path() + "/.config/KydVeltLauncher").constData(), 0755) == 0);
        QVERIFY2(saved, qPrintable(config.saveError));
        ConfigLoader read;
        QCOMPARE(int(read.load()), int(ConfigLoader::LoadResult::Read));
        QCOMPARE(read.todos, config.todos);
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
