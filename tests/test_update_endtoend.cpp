#include "httptestserver.h"
#include "settings/configloader.h"
#include "signingkey.h"
#include "testfiles.h"
#include "testhome.h"
#include "unprivileged.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

// An update on an install made by scripts/run.sh, end to end: the install
// directory and its programs the superuser's, the launcher run by an ordinary
// account against an update server on the loopback, whose release was
// published and signed by scripts/publish-update.sh; the shipped gksudo; a
// pkexec that records its call, refuses like the real one when its parent
// has gone, and hands the command to this test, the superuser, which runs it
// as an authentication agent would let pkexec; and the installed upgrader
// running as root.
namespace {
void write(const QString& path, const QByteArray& content, bool executable = false)
{
    QVERIFY(TestFiles::write(path, content, executable));
}

// The command a request file holds: its words, each ended by a NUL.
QStringList words(const QByteArray& request)
{
    QStringList result;
    for (const QByteArray& word : request.split('\0'))
        result << QString::fromLocal8Bit(word);
    result.removeLast(); // after the last NUL
    return result;
}
}

class TestUpdateEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void acceptedUpdateIsFetchedAndInstalled();
    void refusedPasswordIsShownAndMainWindowComes();

private:
    QString install() const { return root->path() + "/install"; }
    QString spool() const { return root->path() + "/spool"; }
    QString record() const { return root->path() + "/upgrader-record"; }
    QString cache() const { return root->path() + "/home/.cache/KydVeltLauncher"; }
    // Gives `path` (and what lies in it) to the account, as run.sh does.
    void giveToAccount(const QString& path);
    // Runs the launcher as the account, answering its boxes with the first of
    // `answers` they offer (or their default button),
    // and meanwhile does the superuser's part of pkexec's requests. Returns
    // the launcher's standard output; its status goes to `status`.
    QString runLauncher(const QStringList& answers, int* status);

    QString account;
    uid_t uid = 0;
    gid_t gid = 0;
    SigningKey key;
    QTemporaryDir serverRoot;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<QTemporaryDir> root;
    QByteArray settings;
    QByteArray newManifest;
    QString upgraderOutput;
};

void TestUpdateEndToEnd::initTestCase()
{
    if (geteuid() != 0)
        QSKIP("the upgrader must run as the superuser while the launcher runs as an ordinary account");
    QString error;
    account = Unprivileged::account(&error);
    QVERIFY2(!account.isEmpty(), qPrintable(error));
    const passwd* entry = getpwnam(account.toLatin1().constData());
    QVERIFY(entry);
    uid = entry->pw_uid;
    gid = entry->pw_gid;

    // Settings of a launcher whose installer has run, so the main window comes.
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->installer_status = true;
    QVERIFY(config->save());
    settings = TestFiles::content(QDir::homePath() + "/.config/KydVeltLauncher/config");
    QVERIFY2(key.isReady(), qPrintable(key.errorText()));
    QVERIFY(serverRoot.isValid());
    server = std::make_unique<HttpTestServer>(serverRoot.path());
    QVERIFY2(server->isReady(), qPrintable(server->errorText()));
}

void TestUpdateEndToEnd::init()
{
    root = std::make_unique<QTemporaryDir>();
    QVERIFY(root->isValid());
    QVERIFY(QFile::setPermissions(root->path(), QFile(root->path()).permissions() | QFileDevice::ReadOther
                                                    | QFileDevice::ExeOther));
    const QByteArray installPath = install().toUtf8();

    // The server offers 0.9.12, published by the script: a new upgrader, a
    // new launcher and a new image in a folder the install does not have yet.
    write(serverRoot.path() + "/0.9.12/KydVeltUpgrader", "#!/bin/sh\necho 'the new upgrader'\n", true);
    write(serverRoot.path() + "/0.9.12/KydVeltLauncher", "the new launcher");
    write(serverRoot.path() + "/0.9.12/resources/velt.png", "the new image");
    write(root->path() + "/description", "Faster start\n");
    QFile::remove(serverRoot.path() + "/manifest_UBUNTU_16_04_x64");
    QProcess publish;
    publish.setProcessChannelMode(QProcess::MergedChannels);
    publish.start(KVL_PUBLISH_SCRIPT, {"-k", key.secretKeyPath(), "-t", "Second fixes", "-d",
                                       root->path() + "/description", serverRoot.path() + "/0.9.12"});
    QVERIFY(publish.waitForFinished(30000));
    QVERIFY2(publish.exitCode() == 0, publish.readAll().constData());
    newManifest = TestFiles::content(serverRoot.path() + "/manifest_UBUNTU_16_04_x64");
    QVERIFY2(newManifest.contains("KydVeltLauncher|") && newManifest.contains("|/opt/kydveltlauncher/resources/velt.png\n"),
             newManifest.constData());

    // The install as run.sh leaves it: the superuser's. Its upgrader is the
    // real one pointed at this server, key and install directory, which first
    // notes how it was started.
    write(install() + "/KydVeltUpgrader",
          "#!/bin/sh\n{ id -u; pwd; echo \"$@\"; } > '" + record().toUtf8() + "'\nexec '" KVL_UPGRADER_UNDER_TEST
          "' --base-url '" + server->baseUrl().toUtf8() + "' --install-dir '" + installPath + "' --public-key '"
              + key.publicKey().toUtf8() + "' --answer-boxes \"$@\"\n",
          true);
    write(install() + "/KydVeltLauncher", "the old launcher");
    QVERIFY(QDir().mkpath(install() + "/languages"));
    QVERIFY(QFile::copy(QStringLiteral(KVL_TRANSLATIONS_DIR) + "/Translation_QEN_en.qm",
                        install() + "/languages/Translation_QEN_en.qm"));
    QCOMPARE(QProcess::execute("chmod", {"-R", "go+rX,go-w", install()}), 0);
    write(root->path() + "/home/.config/KydVeltLauncher/config", settings);
    giveToAccount(root->path() + "/home");

    // gksudo is the shipped script; pkexec waits as long as a password prompt
    // would, refuses when its parent has gone, says "Not authorized" unless
    // the test lets the password through, and hands the command over.
    QVERIFY(QDir().mkpath(root->path() + "/bin"));
    QVERIFY(QFile::link(KVL_GKSUDO_SCRIPT, root->path() + "/bin/gksudo"));
    QVERIFY(QDir().mkpath(spool()));
    giveToAccount(spool());
    const QByteArray s = spool().toUtf8();
    write(root->path() + "/bin/pkexec",
          "#!/bin/sh\nparent=$PPID\nprintf '%s\\n' \"$*\" >> '" + s + "/calls'\nsleep 0.3\n"
          "if [ \"$parent\" -le 1 ] || [ \"$(awk '{ print $4 }' /proc/$$/stat)\" != \"$parent\" ]; then\n"
          "  echo 'Refusing to render service to dead parents.' >&2\n  exit 127\nfi\n"
          "if [ \"$(cat '" + s + "/password')\" != accepted ]; then\n"
          "  echo 'Error executing command as another user: Not authorized' >&2\n  exit 127\nfi\n"
          "printf '%s\\0' \"$@\" > '" + s + "/request.new' && mv '" + s + "/request.new' '" + s + "/request'\n"
          "for i in $(seq 600); do [ -f '" + s + "/status' ] && exit \"$(cat '" + s + "/status')\"; sleep 0.1; done\n"
          "exit 127\n",
          true);
    upgraderOutput.clear();
}

void TestUpdateEndToEnd::cleanup()
{
    root.reset();
}

void TestUpdateEndToEnd::giveToAccount(const QString& path)
{
    QCOMPARE(QProcess::execute("chown", {"-R", QString("%1:%2").arg(uid).arg(gid), path}), 0);
}

QString TestUpdateEndToEnd::runLauncher(const QStringList& answers, int* status)
{
    QProcess launcher;
    QProcessEnvironment environment;
    environment.insert("PATH", root->path() + "/bin:/usr/bin:/bin");
    environment.insert("HOME", root->path() + "/home");
    environment.insert("SHELL", "/bin/bash");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // A sanitized build's settings reach its programs.
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
        if (qEnvironmentVariableIsSet(name))
            environment.insert(name, qEnvironmentVariable(name));
    launcher.setProcessEnvironment(environment);
    // Started from a folder of its own, not the install directory.
    launcher.setWorkingDirectory(root->path() + "/home");
    QStringList arguments{QString("--reuid=%1").arg(uid), QString("--regid=%1").arg(gid), "--clear-groups", "--",
                          KVL_LAUNCHER_UNDER_TEST, "--base-url", server->baseUrl(), "--install-dir", install(),
                          "--public-key", key.publicKey()};
    for (const QString& answer : answers)
        arguments << "--answer" << answer;
    launcher.start("/usr/bin/setpriv", arguments);

    QElapsedTimer clock;
    clock.start();
    while (!launcher.waitForFinished(50) && clock.elapsed() < 60000) {
        if (!QFile::exists(spool() + "/request"))
            continue;
        // As pkexec does once authorised: the command as root, from "/", in a
        // cleared environment; with no display here, windows go offscreen.
        QStringList command = words(TestFiles::content(spool() + "/request"));
        QFile::remove(spool() + "/request");
        QProcess elevated;
        QProcessEnvironment clean;
        clean.insert("PATH", "/usr/bin:/bin");
        clean.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
            if (qEnvironmentVariableIsSet(name))
                clean.insert(name, qEnvironmentVariable(name));
        elevated.setProcessEnvironment(clean);
        elevated.setWorkingDirectory("/");
        elevated.setProcessChannelMode(QProcess::MergedChannels);
        elevated.start(command.takeFirst(), command);
        if (!elevated.waitForFinished(60000))
            elevated.kill();
        upgraderOutput += QString::fromUtf8(elevated.readAll());
        write(spool() + "/status", QByteArray::number(elevated.exitCode()));
    }
    if (launcher.state() != QProcess::NotRunning) {
        launcher.kill();
        launcher.waitForFinished(5000);
    }
    *status = launcher.exitStatus() == QProcess::NormalExit ? launcher.exitCode() : -1;
    return QString::fromUtf8(launcher.readAllStandardOutput()) + QString::fromUtf8(launcher.readAllStandardError());
}

void TestUpdateEndToEnd::acceptedUpdateIsFetchedAndInstalled()
{
    write(spool() + "/password", "accepted");
    int status = -1;

    // A first start offers nothing and fetches the signed manifest into the
    // account's cache; the install directory stays as it was.
    QString output = runLauncher({"Dismiss"}, &status);
    QVERIFY2(output.contains("MAIN WINDOW\n") && !output.contains("BOX TITLE: update"), qPrintable(output));
    QCOMPARE(TestFiles::content(cache() + "/manifest"), newManifest);
    QCOMPARE(QFileInfo(cache() + "/manifest").ownerId(), uid);
    QVERIFY(!QFileInfo::exists(install() + "/manifest"));

    // The next offers 0.9.12; Yes fetches the new upgrader into the cache and
    // runs the installed one as root, which checks everything again.
    output = runLauncher({"Yes", "Dismiss"}, &status);
    QVERIFY2(status == 0, qPrintable(output + upgraderOutput));
    QVERIFY2(output.contains("BOX TITLE: update\nBOX TEXT: An update is available. Do you want to download it?\n"),
             qPrintable(output));
    QVERIFY2(!output.contains("MAIN WINDOW") && !output.contains("Update not started"), qPrintable(output));
    QCOMPARE(TestFiles::content(spool() + "/calls"),
             "env /bin/sh -c cd \"$1\" && shift && exec \"$@\" gksudo " + install().toUtf8() + " "
                 + install().toUtf8() + "/KydVeltUpgrader 0.9.10 0 " + cache().toUtf8() + "\n");
    QCOMPARE(TestFiles::content(record()), "0\n" + install().toUtf8() + "\n0.9.10 0 " + cache().toUtf8() + "\n");
    QVERIFY2(upgraderOutput.contains("FORM LABEL: Downloading: 0.9.12 - Second fixes\n"), qPrintable(upgraderOutput));
    QCOMPARE(TestFiles::content(install() + "/KydVeltLauncher"), QByteArray("the new launcher"));
    QCOMPARE(TestFiles::content(install() + "/resources/velt.png"), QByteArray("the new image"));
    QCOMPARE(TestFiles::content(install() + "/KydVeltUpgrader"),
             TestFiles::content(serverRoot.path() + "/0.9.12/KydVeltUpgrader"));
    // Everything stays the superuser's.
    for (const QString& path : {install(), install() + "/KydVeltLauncher", install() + "/resources",
                                install() + "/resources/velt.png", install() + "/KydVeltUpgrader"})
        QVERIFY2(QFileInfo(path).ownerId() == 0, qPrintable(path));
    QVERIFY(QFileInfo(install() + "/KydVeltUpgrader").isExecutable());
}

void TestUpdateEndToEnd::refusedPasswordIsShownAndMainWindowComes()
{
    write(spool() + "/password", "refused");
    // The manifest an earlier start kept.
    write(cache() + "/manifest", newManifest);
    write(cache() + "/manifest.minisig", TestFiles::content(serverRoot.path() + "/manifest_UBUNTU_16_04_x64.minisig"));
    giveToAccount(root->path() + "/home");
    int status = -1;
    const QString output = runLauncher({"Yes", "Dismiss"}, &status);
    QVERIFY2(status == 0, qPrintable(output));
    QVERIFY2(output.contains("BOX TITLE: update\n"), qPrintable(output));
    QVERIFY2(output.contains("BOX TITLE: Update not started\nBOX TEXT: The upgrader did not run with superuser rights"),
             qPrintable(output));
    QVERIFY2(output.contains("(gksudo ended with status 127).\n\nError executing command as another user: Not authorized"),
             qPrintable(output));
    QVERIFY2(output.contains("MAIN WINDOW\n"), qPrintable(output));
    // pkexec was asked, nothing ran as root, and only the cache changed.
    QVERIFY(TestFiles::content(spool() + "/calls").startsWith("env "));
    QVERIFY(!QFile::exists(record()));
    QCOMPARE(upgraderOutput, QString());
    QCOMPARE(TestFiles::content(cache() + "/KydVeltUpgrader"), TestFiles::content(serverRoot.path() + "/0.9.12/KydVeltUpgrader"));
    QCOMPARE(TestFiles::content(install() + "/KydVeltLauncher"), QByteArray("the old launcher"));
    QVERIFY(!QFile::exists(install() + "/resources/velt.png"));
}

int main(int argc, char** argv)
{
    TestHome home;
    QCoreApplication app(argc, argv);
    TestUpdateEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_update_endtoend.moc"
