#include "cooperativewait.h"
#include "deployment.h"
#include "downloadform.h"
#include "httptestserver.h"
#include "modalanswer.h"
#include "signingkey.h"
#include "testfiles.h"
#include "testhome.h"
#include "unprivileged.h"
#include "upgradersequence.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <unistd.h>

// The upgrader: the arguments only the launcher gives, the refusal when not
// the superuser, the replacement of the files of every newer version from a
// manifest signed by the update key, all of them or none.
namespace {
void write(const QString& path, const QByteArray& content)
{
    QVERIFY(TestFiles::write(path, content));
}

// Lets an ordinary user read `path` (made by the superuser, private).
void openToEveryone(const QString& path)
{
    QVERIFY(QFile::setPermissions(path, QFile(path).permissions() | QFileDevice::ReadOther | QFileDevice::ExeOther
                                            | QFileDevice::ReadGroup | QFileDevice::ExeGroup));
}

// A file large enough to take a few slow chunks, so the window is seen
// while it downloads.
QByteArray bulky(const QByteArray& text)
{
    return text + "\n" + QByteArray(48 * 1024, '.');
}

QString sha256(const QByteArray& content)
{
    return QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
}

// What the user saw of the update window while it worked.
struct WindowSamples {
    QStringList labels;          // "Downloading: ..." texts, each once, in order
    bool okEnabledEarly = true;  // Ok's state when the window was first seen
    bool seen = false;
    QStringList lines;           // the text area once Ok became usable
    int progress = -1;
    QString speed;
};
}

class TestUpgrader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusesToRunWithoutItsArguments_data();
    void refusesToRunWithoutItsArguments();
    void parsesTheLaunchersArguments_data();
    void parsesTheLaunchersArguments();

    void ordinaryUserIsToldAndNothingChanges_data();
    void ordinaryUserIsToldAndNothingChanges();
    void superuserReplacesFilesOldestVersionFirst();
    void windowClosedEarlyStillFinishesTheFilesAndEnds();
    void versionWithOnlyItsOwnBinaryTakesItFromTheCache();
    void nothingNewerEndsSilently();
    void fixedTextsStayEnglishOnFrenchSystems();

    void anythingUncheckedFailsTheWholeUpdate_data();
    void anythingUncheckedFailsTheWholeUpdate();
    void linksAndOpenFoldersAreNeverWrittenThrough_data();
    void linksAndOpenFoldersAreNeverWrittenThrough();
    void interruptedUpdateLeavesTheOldInstallOrIsFinishedNextTime_data();
    void interruptedUpdateLeavesTheOldInstallOrIsFinishedNextTime();

private:
    QString destination(const QString& name) const { return work->path() + "/installed/" + name; }
    QString cache() const { return cacheDir->path(); }
    // Writes the manifest into the launcher's cache, signed by the update key.
    void writeManifest(const QByteArray& content);
    // "<source>|<SHA-256 of what the server holds for it>|<destination>"
    QByteArray line(const QString& version, const QString& source, const QString& destination) const;
    // Starts the upgrader program as the launcher does, answering its window.
    std::unique_ptr<QProcess> startUpgrader(const QStringList& testOptions = QStringList(),
                                            const QString& betaFlag = "0");
    // Waits for it; its exit status, or -1 when a signal ended it.
    int finish(QProcess& upgrader);

    SigningKey key;
    SigningKey otherKey;
    QTemporaryDir serverRoot;
    QTemporaryDir elsewhere;
    std::unique_ptr<HttpTestServer> server;
    int requestsBefore = 0;
    // The requests the server received since this case began.
    QStringList newRequests() { return server->requests().mid(requestsBefore); }
    std::unique_ptr<QTemporaryDir> work;
    std::unique_ptr<QTemporaryDir> cacheDir;
    QString previousDir;
    QString upgraderOutput; // standard output and error
    QString upgraderStandardOutput;
};

void TestUpgrader::initTestCase()
{
    QVERIFY2(key.isReady(), qPrintable(key.errorText()));
    QVERIFY2(otherKey.isReady(), qPrintable(otherKey.errorText()));
    QVERIFY(serverRoot.isValid());
    write(serverRoot.path() + "/0.9.11/shared.txt", bulky("from 0.9.11"));
    write(serverRoot.path() + "/0.9.11/only-old.txt", "only in 0.9.11");
    write(serverRoot.path() + "/0.9.12/shared.txt", bulky("from 0.9.12"));
    write(serverRoot.path() + "/0.9.12/KydVeltUpgrader", "a newer upgrader");
    write(serverRoot.path() + "/0.9.12/KydVeltLauncher", "a newer launcher");
    server = std::make_unique<HttpTestServer>(serverRoot.path());
    QVERIFY2(server->isReady(), qPrintable(server->errorText()));
    previousDir = QDir::currentPath();
    openToEveryone(elsewhere.path());
    // A manifest where the upgrader happens to be started is never read.
    write(elsewhere.path() + "/manifest", "0.9.99|Not this one\nshared.txt|" + elsewhere.path().toUtf8()
                                              + "/shared.txt\n---END FILES---\n---END DESCRIPTION---\n\n");
    openToEveryone(elsewhere.path() + "/manifest");
}

void TestUpgrader::init()
{
    work = std::make_unique<QTemporaryDir>();
    cacheDir = std::make_unique<QTemporaryDir>();
    QVERIFY(work->isValid() && cacheDir->isValid());
    openToEveryone(work->path());
    openToEveryone(cache());
    Deployment::setInstallDir(work->path());
    Deployment::setUpdateBaseUrl(server->baseUrl() + "slow/");
    Deployment::setUpdatePublicKey(key.publicKey());
    // The launcher fetched the newest upgrader into its cache.
    write(cache() + "/KydVeltUpgrader", "a newer upgrader");
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    requestsBefore = server->requests().size();
}

void TestUpgrader::cleanup()
{
    QDir::setCurrent(previousDir);
    work.reset();
    cacheDir.reset();
}

void TestUpgrader::writeManifest(const QByteArray& content)
{
    write(cache() + "/manifest", content);
    QVERIFY(key.sign(cache() + "/manifest"));
    openToEveryone(cache() + "/manifest");
    openToEveryone(cache() + "/manifest.minisig");
}

QByteArray TestUpgrader::line(const QString& version, const QString& source, const QString& destination) const
{
    return source.toUtf8() + "|" + sha256(TestFiles::content(serverRoot.path() + "/" + version + "/" + source)).toLatin1()
        + "|" + destination.toUtf8() + "\n";
}

std::unique_ptr<QProcess> TestUpgrader::startUpgrader(const QStringList& testOptions, const QString& betaFlag)
{
    auto upgrader = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    upgrader->setProcessEnvironment(environment);
    upgrader->setWorkingDirectory(elsewhere.path());
    upgrader->start(KVL_UPGRADER_UNDER_TEST, QStringList{"--base-url", Deployment::updateBaseUrl(), "--install-dir",
                                                         work->path(), "--public-key", key.publicKey(),
                                                         "--answer-boxes"}
                                                 + testOptions + QStringList{"0.9.10", betaFlag, cache()});
    return upgrader;
}

int TestUpgrader::finish(QProcess& upgrader)
{
    if (!upgrader.waitForFinished(60000))
        upgrader.kill();
    upgrader.waitForFinished(5000);
    upgraderStandardOutput = QString::fromUtf8(upgrader.readAllStandardOutput());
    upgraderOutput = upgraderStandardOutput + QString::fromUtf8(upgrader.readAllStandardError());
    return upgrader.exitStatus() == QProcess::NormalExit ? upgrader.exitCode() : -1;
}

void TestUpgrader::refusesToRunWithoutItsArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("version only") << QStringList{"0.9.10"};
    QTest::newRow("version without dot") << QStringList{"0910", "1"};
}

void TestUpgrader::refusesToRunWithoutItsArguments()
{
    QFETCH(QStringList, arguments);
    // A manifest with a newer version is there: the refusal comes before it is read.
    writeManifest("0.9.11|First fixes\n---END FILES---\n---END DESCRIPTION---\n\n");
    QProcess upgrader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    upgrader.setProcessEnvironment(environment);
    upgrader.setWorkingDirectory(elsewhere.path());
    upgrader.start(KVL_UPGRADER_PATH, arguments);
    QVERIFY(upgrader.waitForFinished(10000));
    QCOMPARE(upgrader.exitCode(), 255);
    QCOMPARE(upgrader.readAllStandardError(),
             QByteArray("don't launch upgrader yourself, please, it can be only launched by the launcher itself"));
    QVERIFY(upgrader.readAllStandardOutput().isEmpty());
}

void TestUpgrader::parsesTheLaunchersArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("patch");
    QTest::addColumn<bool>("beta");

    QTest::newRow("as the launcher passes it") << QStringList{"0.9.10", "0"} << true << 0 << 9 << 10 << false;
    QTest::newRow("two pieces: the last is also the patch") << QStringList{"1.2", "1"} << true << 1 << 2 << 2 << true;
    QTest::newRow("four pieces: the last is the patch") << QStringList{"1.2.3.4", "1"} << true << 1 << 2 << 4 << true;
    QTest::newRow("words read as 0") << QStringList{"x.9.y", "1"} << true << 0 << 9 << 0 << true;
    QTest::newRow("beta flag 2") << QStringList{"0.9.10", "2"} << true << 0 << 9 << 10 << false;
    QTest::newRow("beta flag a word") << QStringList{"0.9.10", "yes"} << true << 0 << 9 << 10 << false;
    QTest::newRow("beta flag 01 is the number 1") << QStringList{"0.9.10", "01"} << true << 0 << 9 << 10 << true;
    QTest::newRow("the third word is the cache folder") << QStringList{"0.9.10", "1", "/c"} << true << 0 << 9 << 10 << true;
    QTest::newRow("one word") << QStringList{"0.9.10"} << false << 0 << 0 << 0 << false;
    QTest::newRow("no dot") << QStringList{"0910", "1"} << false << 0 << 0 << 0 << false;
}

void TestUpgrader::parsesTheLaunchersArguments()
{
    QFETCH(QStringList, arguments);
    const Upgrader::Arguments parsed = Upgrader::parseArguments(arguments);
    QTEST(parsed.accepted, "accepted");
    if (!parsed.accepted)
        return;
    QTEST(parsed.major, "major");
    QTEST(parsed.minor, "minor");
    QTEST(parsed.patch, "patch");
    QTEST(parsed.acceptBeta, "beta");
    QCOMPARE(parsed.cacheDir, arguments.value(2));
}

void TestUpgrader::ordinaryUserIsToldAndNothingChanges_data()
{
    QTest::addColumn<QString>("betaFlag");
    QTest::addColumn<QString>("listed");
    QTest::newRow("beta accepted: newest first, marked")
        << "1" << "[BETA] 0.9.12 - Second fixes\n0.9.11 - First fixes\n";
    QTest::newRow("beta refused") << "0" << "0.9.11 - First fixes\n";
}

void TestUpgrader::ordinaryUserIsToldAndNothingChanges()
{
    QFETCH(QString, betaFlag);
    QFETCH(QString, listed);
    writeManifest("---BETA---\n"
                  "0.9.12|Second fixes\n" + line("0.9.12", "shared.txt", destination("shared.txt"))
                  + "---END FILES---\n---END DESCRIPTION---\n"
                    "---RELEASE---\n"
                    "0.9.11|First fixes\n" + line("0.9.11", "shared.txt", destination("shared.txt"))
                  + "---END FILES---\n---END DESCRIPTION---\n"
                    "0.9.10|The running one\n---END FILES---\n---END DESCRIPTION---\n\n");

    QStringList seen;
    QMessageBox::StandardButtons buttons;
    QElapsedTimer sinceAnswer;
    ModalAnswer::whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        seen << box->windowTitle() << box->text();
        buttons = box->standardButtons();
        sinceAnswer.start();
        box->button(QMessageBox::Ok)->click();
    });

    // Should a window come up instead, its event loop must not run for ever.
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, [] {
        QApplication::closeAllWindows();
        QApplication::exit(-1);
    });
    deadline.start(20000);
    int status = -1;
    {
        Unprivileged ordinaryUser;
        QVERIFY(ordinaryUser.ok());
        QVERIFY(geteuid() != 0);
        status = Upgrader::run(*qApp, Upgrader::parseArguments({"0.9.10", betaFlag, cache()}));
    }
    QCOMPARE(status, 0);
    QCOMPARE(seen, QStringList({"Unable to update",
                                "Sorry, but you need to launch the program with sudo to update it. Available versions: \n\n"
                                    + listed + "\nThe program will now be launched with previous version..."}));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(sinceAnswer.elapsed() >= 1000);
    QVERIFY(!QFile::exists(destination("shared.txt")));
    QCOMPARE(newRequests(), QStringList());
}

void TestUpgrader::superuserReplacesFilesOldestVersionFirst()
{
    if (geteuid() != 0)
        QSKIP("replacing the installed files needs the superuser");
    const QString upgraderPath = work->path() + "/KydVeltUpgrader";
    write(upgraderPath, "the running upgrader");
    // Destinations under the install directory the update server names are
    // read relative to this one.
    writeManifest("# versions newest first\n"
                  "0.9.12|Second fixes\n" + line("0.9.12", "shared.txt", destination("shared.txt"))
                  + line("0.9.12", "KydVeltUpgrader", "/opt/kydveltlauncher/KydVeltUpgrader")
                  + "---END FILES---\nFaster start\nFewer crashes\n---END DESCRIPTION---\n"
                    "---BETA---\n"
                    "0.9.11|First fixes\n" + line("0.9.11", "shared.txt", destination("shared.txt"))
                  + line("0.9.11", "only-old.txt", "/opt/kydveltlauncher/installed/sub/only-old.txt")
                  + "---END FILES---\nFirst description\n---END DESCRIPTION---\n\n");

    WindowSamples samples;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<DownloadForm*>(window);
            if (!form || !form->isVisible())
                continue;
            auto* ok = form->findChild<QPushButton*>("bOk");
            if (!samples.seen) {
                samples.seen = true;
                samples.okEnabledEarly = ok->isEnabled();
            }
            const QString label = form->findChild<QLabel*>("lblDownload")->text();
            if (samples.labels.isEmpty() || samples.labels.last() != label)
                samples.labels << label;
            if (ok->isEnabled()) {
                samples.lines = form->findChild<QTextEdit*>("textEdit")->toPlainText().split('\n');
                samples.progress = form->getProgressBar()->value();
                samples.speed = form->getLabelSpeed()->text();
                ok->click();
            }
        }
    });
    watch.start(10);
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, [] { QApplication::exit(-1); });
    deadline.start(60000);

    const int status = Upgrader::run(*qApp, Upgrader::parseArguments({"0.9.10", "1", cache()}));
    watch.stop();
    deadline.stop();
    QCOMPARE(status, 0);

    // Newest first, the beta one marked, a space before the others.
    const QString rule(44, '-');
    QCOMPARE(samples.lines, QStringList({" 0.9.12 - Second fixes", " ", "Faster start", "Fewer crashes", " ", rule, " ",
                                         "[BETA] 0.9.11 - First fixes", " ", "First description", " ", rule, " "}));
    QVERIFY(samples.seen);
    QVERIFY2(!samples.okEnabledEarly, "Ok was usable while files were being replaced");
    QCOMPARE(samples.labels.mid(0, 2), QStringList({"Downloading: 0.9.11 - First fixes",
                                                    "Downloading: 0.9.12 - Second fixes"}));
    QCOMPARE(samples.progress, 100);
    QVERIFY2(samples.speed.contains(QRegularExpression("^[0-9.e+]+ (bytes/sec|kB/s|MB/s)$")), qPrintable(samples.speed));

    // A file both versions list comes from the newer one, fetched once; the
    // new upgrader comes from the launcher's cache, never from the network.
    QCOMPARE(TestFiles::content(destination("shared.txt")), bulky("from 0.9.12"));
    QCOMPARE(TestFiles::content(destination("sub/only-old.txt")), QByteArray("only in 0.9.11"));
    QCOMPARE(TestFiles::content(upgraderPath), QByteArray("a newer upgrader"));
    QCOMPARE(newRequests(), QStringList({"GET /slow/0.9.11/only-old.txt", "GET /slow/0.9.12/shared.txt"}));
    QVERIFY(!QFileInfo::exists(work->path() + "/.update-staging"));
}

void TestUpgrader::windowClosedEarlyStillFinishesTheFilesAndEnds()
{
    if (geteuid() != 0)
        QSKIP("replacing the installed files needs the superuser");
    writeManifest("0.9.12|Second fixes\n" + line("0.9.12", "shared.txt", destination("shared.txt"))
                  + "---END FILES---\n---END DESCRIPTION---\n"
                    "0.9.11|First fixes\n" + line("0.9.11", "only-old.txt", destination("only-old.txt"))
                  + "---END FILES---\n---END DESCRIPTION---\n\n");
    // Closed through the window's frame while the first file still arrives.
    bool closedWhileBusy = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<DownloadForm*>(window) && window->isVisible()) {
                closedWhileBusy = !window->findChild<QPushButton*>("bOk")->isEnabled();
                window->close();
                watch.stop();
            }
    });
    watch.start(10);
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, [] { QApplication::exit(-1); });
    deadline.start(30000);

    const int status = Upgrader::run(*qApp, Upgrader::parseArguments({"0.9.10", "0", cache()}));
    deadline.stop();
    QVERIFY(closedWhileBusy);
    QCOMPARE(status, 0);
    QCOMPARE(TestFiles::content(destination("shared.txt")), bulky("from 0.9.12"));
    QCOMPARE(TestFiles::content(destination("only-old.txt")), QByteArray("only in 0.9.11"));
}

void TestUpgrader::versionWithOnlyItsOwnBinaryTakesItFromTheCache()
{
    const QString upgraderPath = work->path() + "/KydVeltUpgrader";
    write(upgraderPath, "the running upgrader");
    writeManifest("0.9.12|Second fixes\n" + line("0.9.12", "KydVeltUpgrader", upgraderPath)
                  + "---END FILES---\nNew upgrader\n---END DESCRIPTION---\n\n");
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProcess> upgrader = startUpgrader();
    QCOMPARE(finish(*upgrader), 0);
    if (geteuid() == 0) {
        QVERIFY2(upgraderOutput.contains("FORM LINES:\n 0.9.12 - Second fixes\n \nNew upgrader\n \n" + QString(44, '-')
                                         + "\n \nFORM END\nFORM LABEL: Downloading: 0.9.12 - Second fixes\n"),
                 qPrintable(upgraderOutput));
        QVERIFY2(clock.elapsed() < 10000, "waited for a download that was never queued");
        QCOMPARE(TestFiles::content(upgraderPath), QByteArray("a newer upgrader"));
    } else {
        QVERIFY2(upgraderOutput.contains("BOX TITLE: Unable to update\n"), qPrintable(upgraderOutput));
        QCOMPARE(TestFiles::content(upgraderPath), QByteArray("the running upgrader"));
    }
    QCOMPARE(newRequests(), QStringList());
}

void TestUpgrader::nothingNewerEndsSilently()
{
    // The same version, and no manifest at all: no window, status 0.
    for (const QByteArray& manifest : {QByteArray("0.9.10|The running one\n---END FILES---\n---END DESCRIPTION---\n\n"),
                                       QByteArray()}) {
        QFile::remove(cache() + "/manifest");
        if (!manifest.isEmpty())
            writeManifest(manifest);
        std::unique_ptr<QProcess> upgrader = startUpgrader({}, "1");
        QCOMPARE(finish(*upgrader), 0);
        QCOMPARE(upgraderStandardOutput, QString());
    }
}

void TestUpgrader::fixedTextsStayEnglishOnFrenchSystems()
{
    // The French translation is installed beside the programs.
    QVERIFY(QDir().mkpath(work->path() + "/languages"));
    QVERIFY(QFile::copy(QStringLiteral(KVL_TRANSLATIONS_DIR) + "/Translation_QEN_fr.qm", Deployment::translationPath("fr")));
    openToEveryone(work->path() + "/languages");
    openToEveryone(Deployment::translationPath("fr"));
    writeManifest("0.9.12|Second fixes\n" + line("0.9.12", "shared.txt", destination("shared.txt"))
                  + "---END FILES---\n---END DESCRIPTION---\n\n");
    // As the superuser the update window, as anyone else the box.
    for (const bool superuser : {true, false}) {
        if (superuser && geteuid() != 0)
            continue;
        QProcess upgrader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            environment.insert(name, "fr_FR.UTF-8");
        upgrader.setProcessEnvironment(environment);
        upgrader.setWorkingDirectory(elsewhere.path());
        QStringList command{KVL_UPGRADER_UNDER_TEST, "--base-url", server->baseUrl(), "--install-dir", work->path(),
                            "--public-key", key.publicKey(), "--answer-boxes", "0.9.10", "0", cache()};
        if (!superuser && geteuid() == 0)
            command = QStringList{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"} + command;
        upgrader.start(command.takeFirst(), command);
        QVERIFY(upgrader.waitForFinished(30000));
        QCOMPARE(upgrader.exitCode(), 0);
        const QString output = QString::fromUtf8(upgrader.readAllStandardOutput());
        if (superuser) {
            QVERIFY2(output.contains("FORM LABEL: Downloading: 0.9.12 - Second fixes\n"), qPrintable(output));
            QVERIFY2(output.contains(QRegularExpression("FORM SPEED: [0-9.e+]+ (bytes/sec|kB/s|MB/s)\n")),
                     qPrintable(output));
        } else {
            QVERIFY2(output.contains("BOX TITLE: Unable to update\nBOX TEXT: Sorry, but you need to launch the program "
                                     "with sudo to update it."),
                     qPrintable(output));
        }
    }
}

void TestUpgrader::anythingUncheckedFailsTheWholeUpdate_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("manifest changed after signing") << "changed" << "the signature does not match the manifest";
    QTest::newRow("manifest signed by another key") << "other key" << "signed by another key";
    QTest::newRow("file line without its hash") << "no hash" << "the file line carries no SHA-256";
    QTest::newRow("destination outside the install directory") << "outside" << "lies outside the install directory";
    QTest::newRow("download not matching its hash") << "mismatch" << "checksum mismatch";
    QTest::newRow("a later file missing on the server") << "missing" << "Not Found";
    QTest::newRow("tampered upgrader in the cache") << "tampered" << "does not match the manifest's SHA-256";
}

void TestUpgrader::anythingUncheckedFailsTheWholeUpdate()
{
    if (geteuid() != 0)
        QSKIP("replacing the installed files needs the superuser");
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    write(destination("shared.txt"), "as installed");
    write(work->path() + "/KydVeltLauncher", "the old launcher");
    const QString victim = elsewhere.path() + "/victim.txt";
    QFile::remove(victim);
    QByteArray newest = line("0.9.12", "KydVeltLauncher", work->path() + "/KydVeltLauncher")
        + line("0.9.12", "KydVeltUpgrader", work->path() + "/KydVeltUpgrader");
    if (fault == "no hash")
        newest += "shared.txt|" + destination("shared.txt").toUtf8() + "\n";
    else if (fault == "outside")
        newest += line("0.9.12", "shared.txt", victim);
    else if (fault == "mismatch")
        newest += "shared.txt|" + sha256("something else").toLatin1() + "|" + destination("shared.txt").toUtf8() + "\n";
    else if (fault == "missing")
        newest += "gone.txt|" + sha256("").toLatin1() + "|" + destination("gone.txt").toUtf8() + "\n";
    else
        newest += line("0.9.12", "shared.txt", destination("shared.txt"));
    const QByteArray manifest = "0.9.12|Second fixes\n" + newest + "---END FILES---\n---END DESCRIPTION---\n"
        "0.9.11|First fixes\n" + line("0.9.11", "only-old.txt", destination("sub/only-old.txt"))
        + "---END FILES---\n---END DESCRIPTION---\n\n";
    writeManifest(manifest);
    if (fault == "changed")
        write(cache() + "/manifest", QByteArray(manifest).replace("Second fixes", "Second fixed"));
    if (fault == "other key")
        QVERIFY(otherKey.sign(cache() + "/manifest"));
    if (fault == "tampered")
        write(cache() + "/KydVeltUpgrader", "a tampered upgrader");

    std::unique_ptr<QProcess> upgrader = startUpgrader();
    QCOMPARE(finish(*upgrader), 1);
    QVERIFY2(upgraderOutput.contains("Update failed: ") && upgraderOutput.contains(reason), qPrintable(upgraderOutput));
    // Nothing of any version came into place.
    QCOMPARE(TestFiles::content(destination("shared.txt")), QByteArray("as installed"));
    QCOMPARE(TestFiles::content(work->path() + "/KydVeltLauncher"), QByteArray("the old launcher"));
    QVERIFY(!QFileInfo::exists(destination("sub")));
    QVERIFY(!QFileInfo::exists(work->path() + "/KydVeltUpgrader"));
    QVERIFY(!QFileInfo::exists(work->path() + "/.update-staging"));
    QVERIFY(!QFileInfo::exists(victim));
}

void TestUpgrader::linksAndOpenFoldersAreNeverWrittenThrough_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("manifest in the cache is a link") << "cache manifest" << "manifest is a symbolic link";
    QTest::newRow("new upgrader in the cache is a link") << "cache upgrader" << "KydVeltUpgrader is a symbolic link";
    QTest::newRow("installed file is a link") << "file" << "shared.txt is a symbolic link or not a regular file";
    QTest::newRow("installed folder is a link") << "folder" << "installed/ is a symbolic link or not a folder";
    QTest::newRow("install directory others can write to")
        << "open" << "belongs to another account or others can write to it";
    QTest::newRow("install directory named through a link") << "linked install" << "is a symbolic link or not a folder";
}

void TestUpgrader::linksAndOpenFoldersAreNeverWrittenThrough()
{
    if (geteuid() != 0)
        QSKIP("the superuser's own checks");
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    QTemporaryDir outside;
    const QString victim = outside.filePath("victim.txt");
    write(victim, "not the installer's");
    write(work->path() + "/KydVeltLauncher", "the old launcher");
    writeManifest("0.9.12|Second fixes\n" + line("0.9.12", "shared.txt", destination("shared.txt"))
                  + line("0.9.12", "KydVeltUpgrader", work->path() + "/KydVeltUpgrader")
                  + line("0.9.12", "KydVeltLauncher", work->path() + "/KydVeltLauncher")
                  + "---END FILES---\n---END DESCRIPTION---\n\n");
    const QString manifest = cache() + "/manifest";
    QString installDir = work->path();
    if (fault == "cache manifest") {
        // Even a link to the very same signed manifest is refused.
        QVERIFY(QFile::rename(manifest, outside.filePath("manifest")));
        QVERIFY(QFile::link(outside.filePath("manifest"), manifest));
    } else if (fault == "cache upgrader") {
        QVERIFY(QFile::rename(cache() + "/KydVeltUpgrader", outside.filePath("KydVeltUpgrader")));
        QVERIFY(QFile::link(outside.filePath("KydVeltUpgrader"), cache() + "/KydVeltUpgrader"));
    } else if (fault == "file") {
        QVERIFY(QDir().mkpath(destination("")));
        QVERIFY(QFile::link(victim, destination("shared.txt")));
    } else if (fault == "folder") {
        QVERIFY(QFile::link(outside.path(), work->path() + "/installed"));
    } else if (fault == "open") {
        QVERIFY(QFile::setPermissions(work->path(), QFileDevice::Permissions(0x7777)));
    } else if (fault == "linked install") {
        installDir = outside.filePath("install");
        QVERIFY(QFile::link(work->path(), installDir));
    }
    std::unique_ptr<QProcess> upgrader =
        startUpgrader(fault == "linked install" ? QStringList{"--install-dir", installDir} : QStringList());
    QCOMPARE(finish(*upgrader), 1);
    QVERIFY2(upgraderOutput.contains("Update failed: ") && upgraderOutput.contains(reason), qPrintable(upgraderOutput));
    QCOMPARE(TestFiles::content(victim), QByteArray("not the installer's"));
    QVERIFY(!QFileInfo::exists(outside.filePath("shared.txt")));
    QCOMPARE(TestFiles::content(work->path() + "/KydVeltLauncher"), QByteArray("the old launcher"));
    if (fault == "file")
        QVERIFY(QFileInfo(destination("shared.txt")).isSymLink());
}

void TestUpgrader::interruptedUpdateLeavesTheOldInstallOrIsFinishedNextTime_data()
{
    QTest::addColumn<bool>("whilePlacing");
    QTest::newRow("stopped while fetching (Ctrl+C)") << false;
    QTest::newRow("stopped while putting the files in place (killed)") << true;
}

void TestUpgrader::interruptedUpdateLeavesTheOldInstallOrIsFinishedNextTime()
{
    if (geteuid() != 0)
        QSKIP("replacing the installed files needs the superuser");
    QFETCH(bool, whilePlacing);
    write(destination("shared.txt"), "as installed");
    write(work->path() + "/KydVeltLauncher", "the old launcher");
    writeManifest("0.9.12|Second fixes\n" + line("0.9.12", "shared.txt", destination("shared.txt"))
                  + line("0.9.12", "KydVeltLauncher", work->path() + "/KydVeltLauncher")
                  + "---END FILES---\n---END DESCRIPTION---\n"
                    "0.9.11|First fixes\n" + line("0.9.11", "only-old.txt", destination("sub/only-old.txt"))
                  + "---END FILES---\n---END DESCRIPTION---\n\n");

    std::unique_ptr<QProcess> upgrader = startUpgrader(whilePlacing ? QStringList{"--stop-after-moves", "1"}
                                                                    : QStringList());
    if (!whilePlacing) {
        // The newer version's file is on its way: the older one is fetched.
        QVERIFY(cooperativeWait(20000, [&] { return newRequests().contains("GET /slow/0.9.12/shared.txt"); }));
        QVERIFY(::kill(pid_t(upgrader->processId()), SIGINT) == 0);
    }
    QCOMPARE(finish(*upgrader), -1);
    if (whilePlacing) {
        // Stopped after its first move: the journal tells the rest.
        QCOMPARE(TestFiles::content(destination("sub/only-old.txt")), QByteArray("only in 0.9.11"));
        QVERIFY(QFileInfo::exists(work->path() + "/.update-staging/journal"));
    } else {
        QVERIFY(!QFileInfo::exists(destination("sub")));
    }
    QCOMPARE(TestFiles::content(destination("shared.txt")), QByteArray("as installed"));
    QCOMPARE(TestFiles::content(work->path() + "/KydVeltLauncher"), QByteArray("the old launcher"));

    // The next start finishes the step, or does the whole update again.
    upgrader = startUpgrader();
    QCOMPARE(finish(*upgrader), 0);
    QCOMPARE(upgraderOutput.contains("The interrupted update was finished.\n"), whilePlacing);
    QCOMPARE(TestFiles::content(destination("sub/only-old.txt")), QByteArray("only in 0.9.11"));
    QCOMPARE(TestFiles::content(destination("shared.txt")), bulky("from 0.9.12"));
    QCOMPARE(TestFiles::content(work->path() + "/KydVeltLauncher"), QByteArray("a newer launcher"));
    QVERIFY(!QFileInfo::exists(work->path() + "/.update-staging"));
}

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    TestUpgrader test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_upgrader.moc"
