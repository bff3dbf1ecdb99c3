#include "deployment.h"
#include "httptestserver.h"
#include "modalanswer.h"
#include "modalscript.h"
#include "settings/configloader.h"
#include "settings/introwindow.h"
#include "shell/startup.h"
#include "shell/updatestep.h"
#include "testhome.h"

#include "cooperativewait.h"
#include "testfiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// The launcher's update step at start-up, against a real update server on
// the loopback: the question, the new upgrader fetched and started through
// gksudo, and the manifest refreshed for the next start otherwise.
namespace {
void write(const QString& path, const QByteArray& content, bool executable = false)
{
    QVERIFY(TestFiles::write(path, content, executable));
}

// The question as the user saw it, and whether the intro window hid meanwhile.
struct Question {
    bool asked = false;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    bool introVisible = true;
};

void answerQuestion(Question* question, QWidget* intro, QMessageBox::StandardButton button)
{
    ModalAnswer::whenModal([=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        question->asked = true;
        question->title = box->windowTitle();
        question->text = box->text();
        question->buttons = box->standardButtons();
        question->introVisible = intro && intro->isVisible();
        box->button(button)->click();
    });
}
}

class TestUpdateStep : public QObject
{
    Q_OBJECT
public:
    explicit TestUpdateStep(TestHome& home) : home(home) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noManifestAsksNothingAndFetchesOne();
    void betaVersionsAreOfferedOnlyWhenAccepted_data();
    void betaVersionsAreOfferedOnlyWhenAccepted();
    void declinedShowsIntroAgainAndRefreshesManifest();
    void acceptedStartsTheNewUpgrader_data();
    void acceptedStartsTheNewUpgrader();
    void upgraderThatCannotRunIsReportedAndStartupGoesOn_data();
    void upgraderThatCannotRunIsReportedAndStartupGoesOn();
    void sandboxFetchesAndStartsNothing();
    void packageInstallOffersAndFetchesNothing();

private:
    QString install() const { return Deployment::installDir(); }
    QString record() const { return home.path() + "/upgrader-arguments"; }
    void writeLocalManifest(bool betaOnly = false);
    // Waits until the local manifest is the server's copy.
    bool refreshed();

    TestHome& home;
    QTemporaryDir serverRoot;
    QTemporaryDir bin;
    QTemporaryDir elsewhere;
    std::unique_ptr<HttpTestServer> server;
    int requestsBefore = 0;
    // The requests the server received since this case began.
    QStringList newRequests() { return server->requests().mid(requestsBefore); }
    QString previousDir;
    QByteArray newUpgrader;
    QByteArray staleUpgrader;
};

void TestUpdateStep::initTestCase()
{
    QVERIFY(serverRoot.isValid());
    // The new upgrader records how it was started, and where.
    newUpgrader = "#!/bin/sh\n{ echo \"$@\"; pwd; } > '" + record().toUtf8() + "'\n";
    staleUpgrader = "#!/bin/sh\necho stale > '" + record().toUtf8() + "'\n";
    write(serverRoot.path() + "/0.9.12/KydVeltUpgrader", newUpgrader);
    write(serverRoot.path() + "/0.9.11/KydVeltUpgrader", "#!/bin/sh\necho older > '" + record().toUtf8() + "'\n");
    write(serverRoot.path() + "/0.9.12/velt.png", "an image only the upgrader replaces");
    write(serverRoot.path() + "/manifest_UBUNTU_16_04_x64", "# the server's copy\n0.9.13|Later\n");
    server = std::make_unique<HttpTestServer>(serverRoot.path());
    QVERIFY2(server->isReady(), qPrintable(server->errorText()));

    // gksudo is found on the path. The superuser runs the shipped script,
    // which then runs the command directly; anyone else gets a stand-in
    // that only passes the command on, since no password can be typed here.
    QVERIFY(bin.isValid());
    if (geteuid() == 0)
        QVERIFY(QFile::link(KVL_GKSUDO_SCRIPT, bin.path() + "/gksudo"));
    else
        write(bin.path() + "/gksudo", "#!/bin/sh\nexec \"$@\"\n", true);
    qputenv("PATH", bin.path().toUtf8() + ":" + qgetenv("PATH"));
    previousDir = QDir::currentPath();
}

void TestUpdateStep::init()
{
    QDir(install()).removeRecursively();
    QVERIFY(QDir().mkpath(install()));
    // Started from a terminal elsewhere, where another KydVeltUpgrader lies:
    // the install directory's own must run all the same.
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    write(elsewhere.path() + "/KydVeltUpgrader", "#!/bin/sh\necho decoy > '" + record().toUtf8() + "'\n", true);
    write(elsewhere.path() + "/manifest", "0.9.99|Not this one\n---END FILES---\n---END DESCRIPTION---\n\n");
    Deployment::setUpdateBaseUrl(server->baseUrl());
    write(install() + "/KydVeltUpgrader", staleUpgrader, true);
    QFile::remove(record());
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->acceptBeta = false;
    config->sandbox = false;
    requestsBefore = server->requests().size();
}

void TestUpdateStep::cleanup()
{
    QDir::setCurrent(previousDir);
}

void TestUpdateStep::writeLocalManifest(bool betaOnly)
{
    const QByteArray upgrader = (install() + "/KydVeltUpgrader").toUtf8();
    write(install() + "/manifest",
          QByteArray(betaOnly ? "---BETA---\n" : "")
              + "0.9.12|Second fixes\n"
                "KydVeltUpgrader|" + upgrader + "\n"
                "velt.png|" + (install() + "/velt.png").toUtf8() + "\n"
                "---END FILES---\nFaster start\n---END DESCRIPTION---\n"
                "0.9.11|First fixes\n"
                "KydVeltUpgrader|" + upgrader + "\n"
                "---END FILES---\n---END DESCRIPTION---\n\n");
}

bool TestUpdateStep::refreshed()
{
    const QByteArray expected = TestFiles::content(serverRoot.path() + "/manifest_UBUNTU_16_04_x64");
    return cooperativeWait(10000, [&] { return TestFiles::content(install() + "/manifest") == expected; });
}

void TestUpdateStep::noManifestAsksNothingAndFetchesOne()
{
    IntroWindow intro;
    intro.show();
    ModalScript noBoxExpected;
    QCOMPARE(UpdateStep::run(&intro), UpdateStep::Outcome::Continue);
    QVERIFY(intro.isVisible());
    QVERIFY(refreshed());
    QCOMPARE(noBoxExpected.unexpected, QStringList());
    QCOMPARE(newRequests(), QStringList({"GET /manifest_UBUNTU_16_04_x64"}));
}

void TestUpdateStep::betaVersionsAreOfferedOnlyWhenAccepted_data()
{
    QTest::addColumn<bool>("acceptBeta");
    QTest::newRow("refused") << false;
    QTest::newRow("accepted") << true;
}

void TestUpdateStep::betaVersionsAreOfferedOnlyWhenAccepted()
{
    QFETCH(bool, acceptBeta);
    ConfigLoader::getSingleton()->acceptBeta = acceptBeta;
    writeLocalManifest(true);
    ModalScript script(acceptBeta ? QStringList{"No"} : QStringList());
    QCOMPARE(UpdateStep::run(nullptr), UpdateStep::Outcome::Continue);
    QVERIFY(refreshed());
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(script.seen.isEmpty(), !acceptBeta);
}

void TestUpdateStep::declinedShowsIntroAgainAndRefreshesManifest()
{
    writeLocalManifest();
    IntroWindow intro;
    intro.show();
    Question question;
    answerQuestion(&question, &intro, QMessageBox::No);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(UpdateStep::run(&intro), UpdateStep::Outcome::Continue);

    QVERIFY(question.asked);
    QCOMPARE(question.title, QString("update"));
    QCOMPARE(question.text, QString("An update is available. Do you want to download it?"));
    QCOMPARE(question.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
    QVERIFY(!question.introVisible);
    // Shown again for the pause before start-up goes on.
    QVERIFY(intro.isVisible());
    QVERIFY(clock.elapsed() >= 1000);

    QVERIFY(refreshed());
    QCOMPARE(TestFiles::content(install() + "/KydVeltUpgrader"), staleUpgrader);
    QCOMPARE(newRequests(), QStringList({"GET /manifest_UBUNTU_16_04_x64"}));
    QVERIFY(!QFile::exists(record()));
}

void TestUpdateStep::acceptedStartsTheNewUpgrader_data()
{
    QTest::addColumn<bool>("throughStartup");
    QTest::addColumn<bool>("acceptBeta");
    QTest::addColumn<QByteArray>("arguments");
    QTest::addColumn<bool>("upgraderInstalled");
    QTest::newRow("update step, beta accepted") << false << true << QByteArray("0.9.10 1") << true;
    QTest::newRow("whole start-up, release only") << true << false << QByteArray("0.9.10 0") << true;
    QTest::newRow("no upgrader installed yet") << false << false << QByteArray("0.9.10 0") << false;
}

void TestUpdateStep::acceptedStartsTheNewUpgrader()
{
    QFETCH(bool, throughStartup);
    QFETCH(bool, acceptBeta);
    QFETCH(QByteArray, arguments);
    QFETCH(bool, upgraderInstalled);
    if (!upgraderInstalled)
        QVERIFY(QFile::remove(install() + "/KydVeltUpgrader"));
    ConfigLoader::getSingleton()->acceptBeta = acceptBeta;
    writeLocalManifest();
    Question question;
    if (throughStartup) {
        // The start-up's own language file, so that no other box comes first.
        const QString qm = QStringLiteral(KVL_TRANSLATIONS_DIR) + "/Translation_QEN_en.qm";
        QVERIFY(QDir().mkpath(install() + "/languages"));
        QVERIFY(QFile::copy(qm, Deployment::translationPath("en")));
        ModalScript script({"Yes"});
        QCOMPARE(Startup::run(*qApp), 0);
        QCOMPARE(script.seen.mid(0, 2), QStringList({"update", "An update is available. Do you want to download it?"}));
        QCOMPARE(script.unexpected, QStringList());
        // Neither the main window nor the installer came up.
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->metaObject()->className()));
    } else {
        IntroWindow intro;
        intro.show();
        answerQuestion(&question, &intro, QMessageBox::Yes);
        QCOMPARE(UpdateStep::run(&intro), UpdateStep::Outcome::UpgraderStarted);
        QVERIFY(question.asked);
        QVERIFY(!question.introVisible);
        QVERIFY(!intro.isVisible());
    }

    // The newest version's upgrader replaced the old one, and ran from the
    // install directory with the launcher's version and beta flag.
    QCOMPARE(TestFiles::content(install() + "/KydVeltUpgrader"), newUpgrader);
    // Even fetched where none was, it is runnable.
    QVERIFY(QFileInfo(install() + "/KydVeltUpgrader").isExecutable());
    // The launcher waited for it.
    QCOMPARE(TestFiles::content(record()), arguments + "\n" + QDir(install()).canonicalPath().toUtf8() + "\n");
    // Only the upgrader was fetched, oldest version first; no refresh is queued.
    QCOMPARE(newRequests(), QStringList({"GET /0.9.11/KydVeltUpgrader", "GET /0.9.12/KydVeltUpgrader"}));
    QVERIFY(!QFile::exists(install() + "/velt.png"));
}

void TestUpdateStep::upgraderThatCannotRunIsReportedAndStartupGoesOn_data()
{
    QTest::addColumn<QString>("gksudo");
    QTest::addColumn<bool>("upgraderOnServer");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no gksudo") << QString() << true << "gksudo was not found";
    QTest::newRow("no upgrader anywhere") << "#!/bin/sh\nexec \"$@\"\n" << false
                                          << "/KydVeltUpgrader is missing or not executable";
    QTest::newRow("password refused")
        << "#!/bin/sh\necho 'Error executing command as another user: Not authorized' >&2\nexit 127\n" << true
        << "gksudo ended with status 127).\n\nError executing command as another user: Not authorized";
}

void TestUpdateStep::upgraderThatCannotRunIsReportedAndStartupGoesOn()
{
    QFETCH(QString, gksudo);
    QFETCH(bool, upgraderOnServer);
    QFETCH(QString, reason);
    QTemporaryDir otherBin;
    QVERIFY(otherBin.isValid());
    if (!gksudo.isEmpty())
        write(otherBin.path() + "/gksudo", gksudo.toUtf8(), true);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", otherBin.path().toUtf8() + ":/usr/bin:/bin");
    if (!upgraderOnServer) {
        QVERIFY(QFile::remove(install() + "/KydVeltUpgrader"));
        Deployment::setUpdateBaseUrl(server->baseUrl() + "status/404/");
    }
    writeLocalManifest();
    ModalScript script({"Yes", "OK"});
    const UpdateStep::Outcome outcome = UpdateStep::run(nullptr);
    qputenv("PATH", path);
    Deployment::setUpdateBaseUrl(server->baseUrl());
    QCOMPARE(outcome, UpdateStep::Outcome::Continue);
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(script.seen.size(), 4);
    QCOMPARE(script.seen[2], QString("Update not started"));
    QVERIFY2(script.seen[3].contains(reason) && script.seen[3].endsWith("The launcher goes on with the current version."),
             qPrintable(script.seen[3]));
    QVERIFY(!QFile::exists(record()));
    // Start-up goes on as after No, the manifest refresh included.
    if (upgraderOnServer)
        QVERIFY(refreshed());
}

void TestUpdateStep::sandboxFetchesAndStartsNothing()
{
    ConfigLoader::getSingleton()->sandbox = true;
    writeLocalManifest();
    Question question;
    answerQuestion(&question, nullptr, QMessageBox::Yes);
    QCOMPARE(UpdateStep::run(nullptr), UpdateStep::Outcome::UpgraderStarted);
    ConfigLoader::getSingleton()->sandbox = false;
    QVERIFY(question.asked);
    QCOMPARE(TestFiles::content(install() + "/KydVeltUpgrader"), staleUpgrader);
    // Given the time a download or a started upgrader takes, nothing came.
    cooperativeWait(1500);
    QVERIFY(!QFile::exists(record()));
    QCOMPARE(newRequests(), QStringList());
}

void TestUpdateStep::packageInstallOffersAndFetchesNothing()
{
    Deployment::setPackaged(true);
    writeLocalManifest();
    const QByteArray before = TestFiles::content(install() + "/manifest");
    ModalScript noBoxExpected;
    const UpdateStep::Outcome outcome = UpdateStep::run(nullptr);
    Deployment::setPackaged(false);
    QCOMPARE(outcome, UpdateStep::Outcome::Continue);
    cooperativeWait(1500);
    QCOMPARE(noBoxExpected.unexpected, QStringList());
    QCOMPARE(newRequests(), QStringList());
    QCOMPARE(TestFiles::content(install() + "/manifest"), before);
}

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    TestUpdateStep test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_updatestep.moc"
