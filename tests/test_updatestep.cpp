#include "deployment.h"
#include "httptestserver.h"
#include "modalanswer.h"
#include "modalscript.h"
#include "outputcapture.h"
#include "settings/configloader.h"
#include "settings/introwindow.h"
#include "shell/startup.h"
#include "shell/updatestep.h"
#include "shell/upgraderlaunch.h"
#include "signingkey.h"
#include "testhome.h"

#include "cooperativewait.h"
#include "testfiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

// The launcher's update step at start-up, against a real update server on
// the loopback: only a manifest signed by the update key is kept and offered,
// the new upgrader is fetched into the user's cache, the installed upgrader
// is started through gksudo while a window with Cancel waits for it, and the
// manifest is refreshed for the next start otherwise.
namespace {
void write(const QString& path, const QByteArray& content, bool executable = false)
{
    QVERIFY(TestFiles::write(path, content, executable));
}

QByteArray sha256(const QByteArray& content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
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

// The texts the waiting window showed, each once, in order; with `cancelAt`,
// Cancel is pressed as soon as a text containing it shows.
class WaitWindowWatch : public QObject
{
public:
    explicit WaitWindowWatch(const QString& cancelWhen = QString()) : cancelAt(cancelWhen)
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* text = window->findChild<QLabel*>("lblWaiting");
                if (!text || !window->isVisible())
                    continue;
                if (texts.isEmpty() || texts.last() != text->text())
                    texts << text->text();
                if (!cancelAt.isEmpty() && text->text().contains(cancelAt))
                    window->findChild<QPushButton*>("bCancel")->click();
            }
        });
        timer.start(10);
    }
    QStringList texts;

private:
    QString cancelAt;
    QTimer timer;
};
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
    void unsignedOrUnfitManifestIsNeverOfferedOrKept_data();
    void unsignedOrUnfitManifestIsNeverOfferedOrKept();
    void acceptedFetchesTheNewUpgraderAndRunsTheInstalledOne_data();
    void acceptedFetchesTheNewUpgraderAndRunsTheInstalledOne();
    void updateThatCannotBeDoneIsReportedAndStartupGoesOn_data();
    void updateThatCannotBeDoneIsReportedAndStartupGoesOn();
    void waitsCanBeCancelledAndHaveATimeLimit_data();
    void waitsCanBeCancelledAndHaveATimeLimit();
    void sandboxFetchesAndStartsNothing();
    void packageOrKeylessBuildOffersAndFetchesNothing_data();
    void packageOrKeylessBuildOffersAndFetchesNothing();

private:
    QString install() const { return Deployment::installDir(); }
    QString cache() const { return UpdateStep::cacheDir(); }
    QString record() const { return home.path() + "/upgrader-arguments"; }
    // The update server's copy of the manifest, under `folder` of its root.
    void publishManifest(const QString& folder, const QByteArray& content, const SigningKey& signer);
    // The manifest an earlier start kept in the cache, signed by the update key.
    void writeLocalManifest(bool betaOnly = false);
    // Waits until the cached manifest is the server's copy.
    bool refreshed();
    // The server's signed manifest, also under `folder`.
    void mirrorManifest(const QString& folder);

    TestHome& home;
    SigningKey key;
    SigningKey otherKey;
    QTemporaryDir serverRoot;
    QTemporaryDir bin;
    QTemporaryDir elsewhere;
    std::unique_ptr<HttpTestServer> server;
    int requestsBefore = 0;
    // The requests the server received since this case began.
    QStringList newRequests() { return server->requests().mid(requestsBefore); }
    QString previousDir;
    QByteArray newUpgrader;
    QByteArray installedUpgrader;
};

void TestUpdateStep::initTestCase()
{
    QVERIFY2(key.isReady(), qPrintable(key.errorText()));
    QVERIFY2(otherKey.isReady(), qPrintable(otherKey.errorText()));
    QVERIFY(serverRoot.isValid());
    newUpgrader = "#!/bin/sh\necho 'the new upgrader must not run' > '" + record().toUtf8() + "'\n";
    // The installed upgrader records how it was started, and where.
    installedUpgrader = "#!/bin/sh\n{ echo \"$@\"; pwd; } > '" + record().toUtf8() + "'\nsleep 0.3\n";
    write(serverRoot.path() + "/0.9.12/KydVeltUpgrader", newUpgrader);
    write(serverRoot.path() + "/0.9.11/KydVeltUpgrader", "an older upgrader");
    write(serverRoot.path() + "/tampered/0.9.12/KydVeltUpgrader", "not what the manifest names");
    publishManifest("", "# the server's copy\n0.9.13|Later\n---END FILES---\n---END DESCRIPTION---\n", key);
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
    QDir(cache()).removeRecursively();
    QVERIFY(QDir().mkpath(install()));
    // Started from a terminal elsewhere, where another KydVeltUpgrader lies:
    // the install directory's own must run all the same.
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    write(elsewhere.path() + "/KydVeltUpgrader", "#!/bin/sh\necho decoy > '" + record().toUtf8() + "'\n", true);
    Deployment::setUpdateBaseUrl(server->baseUrl());
    Deployment::setUpdatePublicKey(key.publicKey());
    write(install() + "/KydVeltUpgrader", installedUpgrader, true);
    QFile::remove(record());
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->acceptBeta = false;
    config->sandbox = false;
    requestsBefore = server->requests().size();
}

void TestUpdateStep::cleanup()
{
    QDir::setCurrent(previousDir);
    Deployment::setUpdatePublicKey(QString());
}

void TestUpdateStep::publishManifest(const QString& folder, const QByteArray& content, const SigningKey& signer)
{
    const QString path = serverRoot.path() + "/" + folder + (folder.isEmpty() ? "" : "/") + "manifest_UBUNTU_16_04_x64";
    write(path, content);
    QVERIFY(signer.sign(path));
}

void TestUpdateStep::writeLocalManifest(bool betaOnly)
{
    const QByteArray upgrader = "/opt/kydveltlauncher/KydVeltUpgrader";
    write(cache() + "/manifest",
          QByteArray(betaOnly ? "---BETA---\n" : "")
              + "0.9.12|Second fixes\n"
                "KydVeltUpgrader|" + sha256(newUpgrader) + "|" + upgrader + "\n"
                "velt.png|" + sha256("an image") + "|" + (install() + "/velt.png").toUtf8() + "\n"
                "---END FILES---\nFaster start\n---END DESCRIPTION---\n"
                "0.9.11|First fixes\n"
                "KydVeltUpgrader|" + sha256("an older upgrader") + "|" + upgrader + "\n"
                "---END FILES---\n---END DESCRIPTION---\n\n");
    QVERIFY(key.sign(cache() + "/manifest"));
}

bool TestUpdateStep::refreshed()
{
    const QByteArray expected = TestFiles::content(serverRoot.path() + "/manifest_UBUNTU_16_04_x64");
    return cooperativeWait(10000, [&] { return TestFiles::content(cache() + "/manifest") == expected; })
        && TestFiles::content(cache() + "/manifest.minisig")
        == TestFiles::content(serverRoot.path() + "/manifest_UBUNTU_16_04_x64.minisig");
}

void TestUpdateStep::mirrorManifest(const QString& folder)
{
    for (const QString name : {"manifest_UBUNTU_16_04_x64", "manifest_UBUNTU_16_04_x64.minisig"})
        write(serverRoot.path() + "/" + folder + "/" + name, TestFiles::content(serverRoot.path() + "/" + name));
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
    QCOMPARE(newRequests(), QStringList({"GET /manifest_UBUNTU_16_04_x64", "GET /manifest_UBUNTU_16_04_x64.minisig"}));
    // The cache is the user's alone.
    QCOMPARE(QFileInfo(cache()).permissions() & 0x0077, QFileDevice::Permissions());
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
    QVERIFY(!QFileInfo::exists(cache() + "/KydVeltUpgrader"));
    QCOMPARE(newRequests(), QStringList({"GET /manifest_UBUNTU_16_04_x64", "GET /manifest_UBUNTU_16_04_x64.minisig"}));
    QVERIFY(!QFile::exists(record()));
}

void TestUpdateStep::unsignedOrUnfitManifestIsNeverOfferedOrKept_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reported");
    QTest::newRow("kept one changed since") << "cached changed" << "the signature does not match the manifest";
    QTest::newRow("kept one signed by another key") << "cached other key" << "signed by another key";
    QTest::newRow("kept one with a line without its hash") << "cached no hash" << "carries no SHA-256";
    QTest::newRow("kept one writing outside the install") << "cached outside" << "lies outside the install directory";
    QTest::newRow("served one whose signature does not match") << "served changed" << "does not match the manifest";
    QTest::newRow("served one signed by another key") << "served other key" << "signed by another key";
    QTest::newRow("served one without its signature") << "served unsigned" << "could not be fetched";
    QTest::newRow("served one that never ends") << "served endless" << "larger than the limit of 1048576 bytes";
}

void TestUpdateStep::unsignedOrUnfitManifestIsNeverOfferedOrKept()
{
    QFETCH(QString, fault);
    QFETCH(QString, reported);
    const QByteArray newer = "0.9.12|Second fixes\nKydVeltUpgrader|" + sha256(newUpgrader)
        + "|/opt/kydveltlauncher/KydVeltUpgrader\n---END FILES---\n---END DESCRIPTION---\n";
    if (fault.startsWith("cached")) {
        QByteArray content = newer;
        if (fault == "cached no hash")
            content += "0.9.11|First\nvelt.png|/opt/kydveltlauncher/velt.png\n---END FILES---\n---END DESCRIPTION---\n";
        if (fault == "cached outside")
            content += "0.9.11|First\nsudo|" + sha256("x") + "|/etc/sudoers.d/kvl\n---END FILES---\n---END DESCRIPTION---\n";
        write(cache() + "/manifest", content);
        QVERIFY((fault == "cached other key" ? otherKey : key).sign(cache() + "/manifest"));
        if (fault == "cached changed")
            write(cache() + "/manifest", QByteArray(content).replace("Second", "Third"));
    } else {
        // A server that offers a newer version, badly.
        const QString folder = fault.section(' ', 1);
        publishManifest(folder, newer, fault == "served other key" ? otherKey : key);
        const QString path = serverRoot.path() + "/" + folder + "/manifest_UBUNTU_16_04_x64";
        if (fault == "served changed")
            write(path, QByteArray(newer).replace("Second", "Third"));
        if (fault == "served unsigned")
            QVERIFY(QFile::remove(path + ".minisig"));
        Deployment::setUpdateBaseUrl(server->baseUrl() + (fault == "served endless" ? "endless/" : folder + "/"));
    }
    const QByteArray before = TestFiles::content(cache() + "/manifest");

    ModalScript noBoxExpected;
    OutputCapture errors(2);
    const UpdateStep::Outcome outcome = UpdateStep::run(nullptr);
    // The refresh has ended once it has reported.
    QVERIFY(cooperativeWait(20000, [&] {
        return !QFileInfo::exists(cache() + "/manifest.new") && !QFileInfo::exists(cache() + "/manifest.minisig.new")
            && newRequests().size() >= 2;
    }));
    cooperativeWait(200);
    const QByteArray said = errors.take();
    QCOMPARE(outcome, UpdateStep::Outcome::Continue);
    QCOMPARE(noBoxExpected.seen, QStringList());
    QCOMPARE(noBoxExpected.unexpected, QStringList());
    QVERIFY2(said.contains("The update manifest ") && said.contains(reported.toUtf8()), said.constData());
    if (fault.startsWith("served")) {
        // Nothing of it was kept.
        QCOMPARE(TestFiles::content(cache() + "/manifest"), before);
        QVERIFY(!QFileInfo::exists(cache() + "/manifest.minisig"));
    }
    QVERIFY(!QFile::exists(record()));
}

void TestUpdateStep::acceptedFetchesTheNewUpgraderAndRunsTheInstalledOne_data()
{
    QTest::addColumn<bool>("throughStartup");
    QTest::addColumn<bool>("acceptBeta");
    QTest::addColumn<QByteArray>("arguments");
    QTest::newRow("update step, beta accepted") << false << true << QByteArray("0.9.10 1");
    QTest::newRow("whole start-up, release only") << true << false << QByteArray("0.9.10 0");
}

void TestUpdateStep::acceptedFetchesTheNewUpgraderAndRunsTheInstalledOne()
{
    QFETCH(bool, throughStartup);
    QFETCH(bool, acceptBeta);
    QFETCH(QByteArray, arguments);
    ConfigLoader::getSingleton()->acceptBeta = acceptBeta;
    writeLocalManifest();
    Question question;
    WaitWindowWatch window;
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
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->metaObject()->className()));
    } else {
        IntroWindow intro;
        intro.show();
        answerQuestion(&question, &intro, QMessageBox::Yes);
        QCOMPARE(UpdateStep::run(&intro), UpdateStep::Outcome::UpgraderStarted);
        QVERIFY(question.asked);
        QVERIFY(!question.introVisible);
        QVERIFY(!intro.isVisible());
    }

    // The newest version's upgrader came into the cache, checked, and only
    // that; the installed upgrader ran from the install directory with the
    // launcher's version, beta flag and cache, and the launcher waited for it
    // with a window saying so.
    QCOMPARE(TestFiles::content(cache() + "/KydVeltUpgrader"), newUpgrader);
    QCOMPARE(TestFiles::content(install() + "/KydVeltUpgrader"), installedUpgrader);
    QCOMPARE(TestFiles::content(record()),
             arguments + " " + cache().toUtf8() + "\n" + QDir(install()).canonicalPath().toUtf8() + "\n");
    QCOMPARE(newRequests(), QStringList({"GET /0.9.12/KydVeltUpgrader"}));
    QCOMPARE(window.texts.size(), 2);
    QVERIFY2(window.texts[0].startsWith("Fetching the new upgrader") && window.texts[1].startsWith("Waiting for the upgrader"),
             qPrintable(window.texts.join('|')));
    QVERIFY(!QFile::exists(install() + "/velt.png"));
}

void TestUpdateStep::updateThatCannotBeDoneIsReportedAndStartupGoesOn_data()
{
    QTest::addColumn<QString>("gksudo");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    const QString passOn = "#!/bin/sh\nexec \"$@\"\n";
    QTest::newRow("no gksudo") << QString() << "" << "gksudo was not found";
    QTest::newRow("no upgrader installed") << passOn << "no upgrader" << "/KydVeltUpgrader is missing or not executable";
    QTest::newRow("new upgrader missing on the server") << passOn << "404" << "The new upgrader could not be fetched";
    QTest::newRow("new upgrader tampered on the server") << passOn << "tampered" << "checksum mismatch";
    QTest::newRow("password refused")
        << "#!/bin/sh\necho 'Error executing command as another user: Not authorized' >&2\nexit 127\n" << ""
        << "gksudo ended with status 127).\n\nError executing command as another user: Not authorized";
    QTest::newRow("upgrader failed")
        << "#!/bin/sh\necho 'Update failed: checksum mismatch; nothing was changed' >&2\nexit 1\n" << ""
        << "gksudo ended with status 1).\n\nUpdate failed: checksum mismatch; nothing was changed";
}

void TestUpdateStep::updateThatCannotBeDoneIsReportedAndStartupGoesOn()
{
    QFETCH(QString, gksudo);
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    QTemporaryDir otherBin;
    QVERIFY(otherBin.isValid());
    if (!gksudo.isEmpty())
        write(otherBin.path() + "/gksudo", gksudo.toUtf8(), true);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", otherBin.path().toUtf8() + ":/usr/bin:/bin");
    if (fault == "no upgrader")
        QVERIFY(QFile::remove(install() + "/KydVeltUpgrader"));
    writeLocalManifest();
    // The manifest is refreshed from the usual place, the files from elsewhere.
    const QByteArray manifestFromServer = TestFiles::content(serverRoot.path() + "/manifest_UBUNTU_16_04_x64");
    if (fault == "404" || fault == "tampered") {
        mirrorManifest(fault);
        Deployment::setUpdateBaseUrl(server->baseUrl() + fault + "/");
    }
    ModalScript script({"Yes", "OK"});
    const UpdateStep::Outcome outcome = UpdateStep::run(nullptr);
    qputenv("PATH", path);
    QCOMPARE(outcome, UpdateStep::Outcome::Continue);
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(script.seen.size(), 4);
    QCOMPARE(script.seen[2], QString("Update not started"));
    QVERIFY2(script.seen[3].contains(reason) && script.seen[3].endsWith("The launcher goes on with the current version."),
             qPrintable(script.seen[3]));
    QVERIFY(!QFile::exists(record()));
    // Start-up goes on as after No, the manifest refresh included.
    QVERIFY(cooperativeWait(10000, [&] { return TestFiles::content(cache() + "/manifest") == manifestFromServer; }));
    Deployment::setUpdateBaseUrl(server->baseUrl());
}

void TestUpdateStep::waitsCanBeCancelledAndHaveATimeLimit_data()
{
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("reason");
    QTest::newRow("cancelled while the new upgrader arrives") << "Fetching" << "The update was cancelled.";
    QTest::newRow("cancelled while the upgrader runs") << "Waiting"
                                                       << "The update was cancelled while the launcher waited";
    QTest::newRow("time limit while the upgrader runs") << "" << "The upgrader did not end in time";
}

void TestUpdateStep::waitsCanBeCancelledAndHaveATimeLimit()
{
    QFETCH(QString, stop);
    QFETCH(QString, reason);
    // A gksudo that waits as an unanswered password prompt would, and tells
    // when it has been ended.
    QTemporaryDir otherBin;
    const QString pidFile = otherBin.filePath("pid");
    write(otherBin.path() + "/gksudo", "#!/bin/sh\necho $$ > '" + pidFile.toUtf8() + "'\nexec sleep 30\n", true);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", otherBin.path().toUtf8() + ":/usr/bin:/bin");
    writeLocalManifest();
    if (stop == "Fetching") {
        // A new upgrader that takes seconds to come.
        mirrorManifest("large");
        write(serverRoot.path() + "/large/0.9.12/KydVeltUpgrader", QByteArray(400 * 1024, 'u'));
        Deployment::setUpdateBaseUrl(server->baseUrl() + "slow/large/");
    }
    QElapsedTimer clock;
    clock.start();
    QString shown;
    if (stop.isEmpty()) {
        // The update step allows hours; the limit itself is the launch's.
        const UpgraderLaunch::Outcome outcome = UpgraderLaunch::run(false, cache(), 700);
        QCOMPARE(outcome.result, UpgraderLaunch::Result::TimedOut);
        shown = UpgraderLaunch::failureText(outcome);
    } else {
        WaitWindowWatch window(stop);
        ModalScript script({"Yes", "OK"});
        QCOMPARE(UpdateStep::run(nullptr), UpdateStep::Outcome::Continue);
        QCOMPARE(script.unexpected, QStringList());
        shown = script.seen.value(3);
        QCOMPARE(script.seen.value(2), QString("Update not started"));
        QVERIFY(refreshed());
    }
    qputenv("PATH", path);
    Deployment::setUpdateBaseUrl(server->baseUrl());
    QVERIFY2(shown.contains(reason), qPrintable(shown));
    QVERIFY2(clock.elapsed() < 15000, "the wait went on after Cancel or its limit");
    // gksudo, when it was started, was ended with the wait.
    if (QFileInfo::exists(pidFile)) {
        const pid_t gksudo = TestFiles::content(pidFile).trimmed().toInt();
        QVERIFY(cooperativeWait(5000, [&] { return ::kill(gksudo, 0) != 0; }));
    } else {
        QCOMPARE(stop, QString("Fetching"));
    }
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
    // Given the time a download or a started upgrader takes, nothing came.
    cooperativeWait(1500);
    QVERIFY(!QFileInfo::exists(cache() + "/KydVeltUpgrader"));
    QVERIFY(!QFile::exists(record()));
    QCOMPARE(newRequests(), QStringList());
}

void TestUpdateStep::packageOrKeylessBuildOffersAndFetchesNothing_data()
{
    QTest::addColumn<bool>("packaged");
    QTest::newRow("package build") << true;
    QTest::newRow("build without an update key") << false;
}

void TestUpdateStep::packageOrKeylessBuildOffersAndFetchesNothing()
{
    QFETCH(bool, packaged);
    writeLocalManifest();
    if (packaged)
        Deployment::setPackaged(true);
    else
        Deployment::setUpdatePublicKey(QString());
    const QByteArray before = TestFiles::content(cache() + "/manifest");
    ModalScript noBoxExpected;
    const UpdateStep::Outcome outcome = UpdateStep::run(nullptr);
    const QString aboutNote = UpdateStep::aboutNote();
    Deployment::setPackaged(false);
    QCOMPARE(outcome, UpdateStep::Outcome::Continue);
    cooperativeWait(1500);
    QCOMPARE(noBoxExpected.unexpected, QStringList());
    QCOMPARE(newRequests(), QStringList());
    QCOMPARE(TestFiles::content(cache() + "/manifest"), before);
    // The About box says why.
    QVERIFY(aboutNote.contains(packaged ? "package manager" : "no update key"));
}

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    TestUpdateStep test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_updatestep.moc"
