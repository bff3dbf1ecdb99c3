#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "testfiles.h"
#include <QtTest>

#include <unistd.h>

// The gksudo replacement shipped for systems without one: the command must
// run in the caller's directory with its arguments exactly as given, however
// the superuser rights are obtained.
namespace {
// Prints where it runs, the display it sees and each argument in brackets.
const QStringList probe{"/bin/sh", "-c",
                        "pwd; echo \"display=$DISPLAY\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done",
                        "probe", "two words", "it's", "\"quoted\"", "$HOME", ""};
const QString expectedArguments = "[two words]\n[it's]\n[\"quoted\"]\n[$HOME]\n[]\n";

void writeScript(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                | QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadGroup
                                | QFileDevice::ExeGroup));
}
}

class TestGksudo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void asSuperuserRunsDirectlyInPlace();
    void ordinaryUserGoesThroughTheElevatingTool_data();
    void ordinaryUserGoesThroughTheElevatingTool();
    void passwordThatCannotBeAskedIsExplained();
    void noCommandIsAUsageError();

private:
    // Runs gksudo with `arguments` from the work directory; as an ordinary
    // user when `unprivileged` (the test itself may be the superuser).
    // With `detached`, gksudo's caller ends at once, as a shell running it in
    // the background does; its status is then unknown (-1).
    QString run(const QStringList& arguments, const QString& path, bool unprivileged, int* status,
                QString* errors = nullptr, bool detached = false, const QString& askpass = QString());

    QTemporaryDir root;
    QString workDir;
};

void TestGksudo::initTestCase()
{
    QVERIFY(root.isValid());
    // An ordinary user must reach the stand-ins and the work directory.
    QVERIFY(QFile::setPermissions(root.path(), QFile(root.path()).permissions() | QFileDevice::ReadOther
                                                   | QFileDevice::ExeOther));
    workDir = root.path() + "/work dir with 'quote'";
    QVERIFY(QDir().mkpath(workDir));
    QVERIFY(QDir().mkpath(root.path() + "/bin"));
    QVERIFY(QDir().mkpath(root.path() + "/sudo-only"));
    QVERIFY(QDir().mkpath(root.path() + "/asker"));
    // pkexec refuses, like the real one, when its parent has gone (checked
    // once the password prompt would be answered); it starts elsewhere and
    // clears the environment.
    writeScript(root.path() + "/bin/pkexec",
                "#!/bin/sh\nparent=$PPID\nsleep 0.3\n"
                "if [ \"$parent\" -le 1 ] || [ \"$(awk '{ print $4 }' /proc/$$/stat)\" != \"$parent\" ]; then\n"
                "  echo 'Refusing to render service to dead parents.' >&2\n  exit 127\nfi\n"
                "echo \"pkexec $1\" >&2\ncd / && exec /usr/bin/env -i PATH=/usr/bin:/bin \"$@\"\n");
    // sudo keeps the directory; only -A, "--" and env precede the command.
    writeScript(root.path() + "/sudo-only/sudo",
                "#!/bin/sh\necho \"sudo $1 $2 askpass=$SUDO_ASKPASS\" >&2\n[ \"$1\" = -A ] && shift\n"
                "[ \"$1\" = -- ] && shift\nexec \"$@\"\n");
    writeScript(root.path() + "/asker/ssh-askpass", "#!/bin/sh\necho secret\n");
    for (const char* tool : {"id", "env", "awk", "sleep"})
        QVERIFY(QFile::link(QStandardPaths::findExecutable(tool, {"/usr/bin", "/bin"}),
                            root.path() + "/sudo-only/" + tool));
}

QString TestGksudo::run(const QStringList& arguments, const QString& path, bool unprivileged, int* status,
                        QString* errors, bool detached, const QString& askpass)
{
    QProcess process;
    QProcessEnvironment environment;
    environment.insert("PATH", path);
    environment.insert("DISPLAY", ":77");
    environment.insert("HOME", root.path());
    if (!askpass.isEmpty())
        environment.insert("SUDO_ASKPASS", askpass);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workDir);
    QStringList command{KVL_GKSUDO_SCRIPT};
    command << arguments;
    if (unprivileged && geteuid() == 0)
        command = QStringList{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"} + command;
    const QString out = root.path() + "/detached.out", err = root.path() + "/detached.err";
    if (detached) {
        QFile::remove(out);
        QFile::remove(err);
        command = QStringList{"/bin/sh", "-c", "\"$@\" >'" + out + "' 2>'" + err + "' &", "sh"} + command;
    }
    process.start(command.takeFirst(), command);
    if (!process.waitForFinished(20000))
        process.kill();
    *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (!detached) {
        if (errors)
            *errors = QString::fromUtf8(process.readAllStandardError());
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    // Done once the probe printed its last argument, or pkexec refused.
    *status = -1;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && !TestFiles::content(out).endsWith("[]\n")
           && !TestFiles::content(err).contains("Refusing"))
        QThread::msleep(50);
    if (errors)
        *errors = QString::fromUtf8(TestFiles::content(err));
    return QString::fromUtf8(TestFiles::content(out));
}

void TestGksudo::asSuperuserRunsDirectlyInPlace()
{
    if (geteuid() != 0)
        QSKIP("needs to run as the superuser");
    int status = -1;
    // The stand-in sudo would say it was used: the superuser needs none.
    QString errors;
    const QString output = run(probe, root.path() + "/sudo-only", false, &status, &errors);
    QCOMPARE(errors, QString());
    QCOMPARE(status, 0);
    QCOMPARE(output, workDir + "\ndisplay=:77\n" + expectedArguments);

    // The command's own status comes back.
    QCOMPARE((run({"/bin/sh", "-c", "exit 5"}, "/usr/bin:/bin", false, &status), status), 5);
}

void TestGksudo::ordinaryUserGoesThroughTheElevatingTool_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("askpass");
    QTest::addColumn<bool>("detached");
    QTest::addColumn<QString>("tool");
    const QString pkexec = root.path() + "/bin:/usr/bin:/bin";
    const QString sudoOnly = root.path() + "/sudo-only";
    QTest::newRow("pkexec, from a caller that ends at once") << pkexec << QString() << true << "pkexec env\n";
    QTest::newRow("sudo asks through SUDO_ASKPASS")
        << sudoOnly << "/opt/asker" << false << "sudo -A -- askpass=/opt/asker\n";
    QTest::newRow("sudo asks through an installed password asker")
        << sudoOnly + ":" + root.path() + "/asker" << QString() << false
        << "sudo -A -- askpass=" + root.path() + "/asker/ssh-askpass\n";
}

void TestGksudo::ordinaryUserGoesThroughTheElevatingTool()
{
    QFETCH(QString, path);
    QFETCH(QString, askpass);
    QFETCH(bool, detached);
    QFETCH(QString, tool);
    int status = -1;
    QString errors;
    const QString output = run(probe, path, true, &status, &errors, detached, askpass);
    QVERIFY2(detached || status == 0, qPrintable(errors));
    QCOMPARE(errors, tool);
    QCOMPARE(output, workDir + "\ndisplay=:77\n" + expectedArguments);
}

void TestGksudo::passwordThatCannotBeAskedIsExplained()
{
    // No pkexec, no asker, no terminal: sudo could only wait for ever.
    int status = -1;
    QString errors;
    QVERIFY(run(probe, root.path() + "/sudo-only", true, &status, &errors).isEmpty());
    QCOMPARE(status, 1);
    QVERIFY2(errors.startsWith("gksudo: cannot ask for the superuser's password") && !errors.contains("sudo -"),
             qPrintable(errors));
}

void TestGksudo::noCommandIsAUsageError()
{
    int status = -1;
    QString errors;
    QVERIFY(run({}, "/usr/bin:/bin", false, &status, &errors).isEmpty());
    QCOMPARE(status, 2);
    QVERIFY(errors.startsWith("usage: gksudo"));
}

QTEST_GUILESS_MAIN(TestGksudo)
#include "test_gksudo.moc"
