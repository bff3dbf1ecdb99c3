// What the user is told about the settings file: one warning when it cannot
// be used at start-up, one for the first failed save, later failures only on
// the standard error output.

#include "modalanswer.h"
#include "testhome.h"
#include "unprivileged.h"

#include "settings/configloader.h"
#include "settings/settingsreporter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QtTest>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Collects what the process writes to its standard error while alive.
class StderrCapture
{
public:
    StderrCapture()
    {
        file.open();
        fflush(stderr);
        saved = dup(2);
        dup2(file.handle(), 2);
    }
    ~StderrCapture() { restore(); }
    QByteArray text()
    {
        restore();
        file.seek(0);
        return file.readAll();
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        fflush(stderr);
        dup2(saved, 2);
        close(saved);
        saved = -1;
    }
    QTemporaryFile file;
    int saved = -1;
};

}

class SettingsReporterTest : public QObject
{
    Q_OBJECT
public:
    explicit SettingsReporterTest(const TestHome& home) : home(home) {}

private:
    const TestHome& home;

    QString settingsPath() const { return home.path() + "/.config/KydVeltLauncher/config"; }

    // Records the title and text of every box shown within `ms`, answering each.
    static void recordBoxes(QStringList* seen, int ms)
    {
        for (int i = 0; i < 3; ++i)
            ModalAnswer::clickButton("", seen, ms);
    }

private slots:
    void init()
    {
        QFile::remove(settingsPath());
        QDir().mkpath(home.path() + "/.config/KydVeltLauncher");
        ::chmod(QFile::encodeName(home.path()).constData(), 0755);
    }

    void goodOrMissingFileNeedsNoWarning()
    {
        ConfigLoader missing;
        missing.load();
        QVERIFY(!SettingsReporter::reportLoad(missing));
        QVERIFY(missing.save());
        ConfigLoader read;
        QCOMPARE(int(read.load()), int(ConfigLoader::LoadResult::Read));
        QVERIFY(!SettingsReporter::reportLoad(read));
    }

    void unreadableFileWarnsOnceWithPathAndReason()
    {
        home.writeFile(".config/KydVeltLauncher/config", "language:fr\n");
        QCOMPARE(::chmod(QFile::encodeName(settingsPath()).constData(), 0200), 0);
        ConfigLoader config;
        {
            Unprivileged user;
            QVERIFY(user.ok());
            config.load();
        }
        QStringList seen;
        ModalAnswer::clickButton("", &seen, 3000);
        QVERIFY(SettingsReporter::reportLoad(config));
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0), QString("Settings file unreadable"));
        QVERIFY2(seen.at(1).contains(settingsPath()), qPrintable(seen.at(1)));
        QVERIFY2(seen.at(1).contains(QString::fromLocal8Bit(strerror(EACCES))), qPrintable(seen.at(1)));

        // Its refused saves add no second box: the user already knows.
        SettingsReporter::watchSaves(config);
        QStringList later;
        recordBoxes(&later, 600);
        StderrCapture err;
        QVERIFY(!config.save());
        QTest::qWait(800);
        QVERIFY2(later.isEmpty(), qPrintable(later.join(" | ")));
        QVERIFY(err.text().contains(QFile::encodeName(settingsPath())));
        ::chmod(QFile::encodeName(settingsPath()).constData(), 0600);
        QCOMPARE(home.readFile(".config/KydVeltLauncher/config"), QByteArray("language:fr\n"));
    }

    void firstFailedSaveWarnsLaterOnesGoToStandardError()
    {
        ConfigLoader config;
        QVERIFY(config.save());
        config.load();
        SettingsReporter::watchSaves(config);
        config.todos << "kept in memoryO";

        QStringList seen;
        recordBoxes(&seen, 2000);
        StderrCapture err;
        {
            // The settings folder belongs to root: an ordinary user cannot save there.
            Unprivileged user;
            QVERIFY(user.ok());
            QVERIFY(!config.save());
            QVERIFY(!config.save());
            QVERIFY(!config.save());
        }
        QTest::qWait(2500);
        const QByteArray printed = err.text();

        QCOMPARE(seen.size(), 2); // one box: its title and its text
        QCOMPARE(seen.at(0), QString("Settings not saved"));
        QVERIFY2(seen.at(1).contains(settingsPath()), qPrintable(seen.at(1)));
        QVERIFY2(seen.at(1).contains(config.saveError), qPrintable(seen.at(1)));
        QVERIFY(!config.saveError.isEmpty());
        QCOMPARE(printed.count("Could not save the settings to " + QFile::encodeName(settingsPath())), 3);
        QCOMPARE(config.todos, QStringList({"kept in memoryO"}));
    }
};

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    SettingsReporterTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_settingsreporter.moc"
