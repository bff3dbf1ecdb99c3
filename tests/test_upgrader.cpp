#include "deployment.h"
#include "downloadform.h"
#include "httptestserver.h"
#include "modalanswer.h"
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

#include <unistd.h>

// The upgrader: the arguments only the launcher gives, the refusal when not
// the superuser, and the replacement of the files of every newer version.
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
    void versionWithOnlyItsOwnBinaryCompletesAtOnce();
    void nothingNewerEndsSilently();
    void fixedTextsStayEnglishOnFrenchSystems();

private:
    QString destination(const QString& name) const { return work->path() + "/installed/" + name; }
    void writeManifest(const QByteArray& content);

    QTemporaryDir serverRoot;
    QTemporaryDir elsewhere;
    std::unique_ptr<HttpTestServer> server;
    int requestsBefore = 0;
    // The requests the server received since this case began.
    QStringList newRequests() { return server->requests().mid(requestsBefore); }
    std::unique_ptr<QTemporaryDir> work;
    QString previousDir;
};

void TestUpgrader::initTestCase()
{
    QVERIFY(serverRoot.isValid());
    write(serverRoot.path() + "/0.9.11/shared.txt", bulky("from 0.9.11"));
    write(serverRoot.path() + "/0.9.11/only-old.txt", "only in 0.9.11");
    write(serverRoot.path() + "/0.9.12/shared.txt", bulky("from 0.9.12"));
    write(serverRoot.path() + "/0.9.12/checked.txt", "tampered on the way");
    write(serverRoot.path() + "/0.9.12/KydVeltUpgrader", "a newer upgrader");
    server = std::make_unique<HttpTestServer>(serverRoot.path());
    QVERIFY2(server->isReady(), qPrintable(server->errorText()));
    previousDir = QDir::currentPath();
    openToEveryone(elsewhere.path());
    write(elsewhere.path() + "/manifest", "0.9.99|Not this one\nshared.txt|" + elsewhere.path().toUtf8()
                                              + "/shared.txt\n---END FILES---\n---END DESCRIPTION---\n\n");
    openToEveryone(elsewhere.path() + "/manifest");
}

void TestUpgrader::init()
{
    work = std::make_unique<QTemporaryDir>();
    QVERIFY(work->isValid());
    openToEveryone(work->path());
    Deployment::setInstallDir(work->path());
    Deployment::setUpdateBaseUrl(server->baseUrl() + "slow/");
    // The upgrader reads the install directory's manifest, never the one
    // where it happens to be started.
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    requestsBefore = server->requests().size();
}

void TestUpgrader::cleanup()
{
    QDir::setCurrent(previousDir);
    work.reset();
}

void TestUpgrader::writeManifest(const QByteArray& content)
{
    write(work->path() + "/manifest", content);
    openToEveryone(work->path() + "/manifest");
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
    QTest::newRow("more words are ignored") << QStringList{"0.9.10", "1", "x"} << true << 0 << 9 << 10 << true;
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
                  "0.9.12|Second fixes\n"
                  "shared.txt|" + destination("shared.txt").toUtf8() + "\n"
                  "---END FILES---\n---END DESCRIPTION---\n"
                  "---RELEASE---\n"
                  "0.9.11|First fixes\n"
                  "shared.txt|" + destination("shared.txt").toUtf8() + "\n"
                  "---END FILES---\n---END DESCRIPTION---\n"
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
        status = Upgrader::run(*qApp, Upgrader::parseArguments({"0.9.10", betaFlag}));
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
    const QByteArray upgraderPath = (work->path() + "/KydVeltUpgrader").toUtf8();
    write(upgraderPath, "the running upgrader");
    write(destination("checked.txt"), "as installed");
    writeManifest("# versions newest first\n"
                  "0.9.12|Second fixes\n"
                  "shared.txt|" + destination("shared.txt").toUtf8() + "\n"
                  "checked.txt|" + sha256("the genuine file").toUtf8() + "|" + destination("checked.txt").toUtf8() + "\n"
                  "KydVeltUpgrader|" + upgraderPath + "\n"
                  "---END FILES---\nFaster start\nFewer crashes\n---END DESCRIPTION---\n"
                  "---BETA---\n"
                  "0.9.11|First fixes\n"
                  "shared.txt|" + destination("shared.txt").toUtf8() + "\n"
                  "only-old.txt|" + destination("sub/only-old.txt").toUtf8() + "\n"
                  "---END FILES---\nFirst description\n---END DESCRIPTION---\n\n");
    QDir().mkpath(destination("sub"));

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

    const int status = Upgrader::run(*qApp, Upgrader::parseArguments({"0.9.10", "1"}));
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

    // The older version went first, so the newer content stays.
    QCOMPARE(TestFiles::content(destination("shared.txt")), bulky("from 0.9.12"));
    QCOMPARE(TestFiles::content(destination("sub/only-old.txt")), QByteArray("only in 0.9.11"));
    QCOMPARE(TestFiles::content(destination("checked.txt")), QByteArray("as installed"));
    QCOMPARE(TestFiles::content(upgraderPath), QByteArray("the running upgrader"));
    QVERIFY(!newRequests().contains("GET /slow/0.9.12/KydVeltUpgrader"));
}

void TestUpgrader::windowClosedEarlyStillFinishesTheFilesAndEnds()
{
    if (geteuid() != 0)
        QSKIP("replacing the installed files needs the superuser");
    writeManifest("0.9.12|Second fixes\nshared.txt|" + destination("shared.txt").toUtf8()
                  + "\n---END FILES---\n---END DESCRIPTION---\n"
                    "0.9.11|First fixes\nshared.txt|" + destination("shared.txt").toUtf8()
                  + "\n---END FILES---\n---END DESCRIPTION---\n\n");
    QVERIFY(QDir().mkpath(destination("")));
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

    const int status = Upgrader::run(*qApp, Upgrader::parseArguments({"0.9.10", "0"}));
    deadline.stop();
    QVERIFY(closedWhileBusy);
    QCOMPARE(status, 0);
    QCOMPARE(TestFiles::content(destination("shared.txt")), bulky("from 0.9.12"));
}

void TestUpgrader::versionWithOnlyItsOwnBinaryCompletesAtOnce()
{
    // The program itself, as the launcher starts it, with a stand-in user.
    const QByteArray upgraderPath = (work->path() + "/KydVeltUpgrader").toUtf8();
    write(upgraderPath, "the running upgrader");
    writeManifest("0.9.12|Second fixes\nKydVeltUpgrader|" + upgraderPath
                  + "\n---END FILES---\nNew upgrader\n---END DESCRIPTION---\n\n");
    QProcess upgrader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    upgrader.setProcessEnvironment(environment);
    upgrader.setWorkingDirectory(elsewhere.path());
    QElapsedTimer clock;
    clock.start();
    upgrader.start(KVL_UPGRADER_UNDER_TEST, {"--base-url", server->baseUrl(), "--install-dir", work->path(),
                                             "--answer-boxes", "0.9.10", "0"});
    QVERIFY(upgrader.waitForFinished(30000));
    QCOMPARE(upgrader.exitCode(), 0);
    const QString output = QString::fromUtf8(upgrader.readAllStandardOutput());
    if (geteuid() == 0) {
        QVERIFY2(output.contains("FORM LINES:\n 0.9.12 - Second fixes\n \nNew upgrader\n \n" + QString(44, '-')
                                 + "\n \nFORM END\nFORM LABEL: Downloading: 0.9.12 - Second fixes\n"),
                 qPrintable(output));
        QVERIFY2(clock.elapsed() < 10000, "waited for a download that was never queued");
    } else {
        QVERIFY2(output.contains("BOX TITLE: Unable to update\n"), qPrintable(output));
    }
    QCOMPARE(TestFiles::content(upgraderPath), QByteArray("the running upgrader"));
    QCOMPARE(newRequests(), QStringList());
}

void TestUpgrader::nothingNewerEndsSilently()
{
    // The same version, and no manifest at all: no window, status 0.
    for (const QByteArray& manifest : {QByteArray("0.9.10|The running one\n---END FILES---\n---END DESCRIPTION---\n\n"),
                                       QByteArray()}) {
        QFile::remove(work->path() + "/manifest");
        if (!manifest.isEmpty())
            writeManifest(manifest);
        QProcess upgrader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        upgrader.setProcessEnvironment(environment);
        upgrader.setWorkingDirectory(elsewhere.path());
        upgrader.start(KVL_UPGRADER_UNDER_TEST, {"--base-url", server->baseUrl(), "--install-dir", work->path(),
                                                 "--answer-boxes", "0.9.10", "1"});
        QVERIFY(upgrader.waitForFinished(30000));
        QCOMPARE(upgrader.exitCode(), 0);
        QCOMPARE(upgrader.readAllStandardOutput(), QByteArray());
    }
}

void TestUpgrader::fixedTextsStayEnglishOnFrenchSystems()
{
    // The French translation is installed beside the programs.
    QVERIFY(QDir().mkpath(work->path() + "/languages"));
    QVERIFY(QFile::copy(QStringLiteral(KVL_TRANSLATIONS_DIR) + "/Translation_QEN_fr.qm", Deployment::translationPath("fr")));
    openToEveryone(work->path() + "/languages");
    openToEveryone(Deployment::translationPath("fr"));
    QVERIFY(QDir().mkpath(destination("")));
    openToEveryone(destination(""));
    writeManifest("0.9.12|Second fixes\nshared.txt|" + destination("shared.txt").toUtf8()
                  + "\n---END FILES---\n---END DESCRIPTION---\n\n");
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
                            "--answer-boxes", "0.9.10", "0"};
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

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    TestUpgrader test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_upgrader.moc"
