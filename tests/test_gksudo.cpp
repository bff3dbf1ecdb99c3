#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
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
    void noCommandIsAUsageError();

private:
    // Runs gksudo with `arguments` from the work directory; as an ordinary
    // user when `unprivileged` (the test itself may be the superuser).
    QString run(const QStringList& arguments, const QString& path, bool unprivileged, int* status,
                QString* errors = nullptr);

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
    // pkexec starts elsewhere and clears the environment, like the real one.
    writeScript(root.path() + "/bin/pkexec",
                "#!/bin/sh\necho \"pkexec $1\" >&2\ncd / && exec /usr/bin/env -i PATH=/usr/bin:/bin \"$@\"\n");
    // sudo keeps the directory; only "--" and env precede the command.
    writeScript(root.path() + "/sudo-only/sudo",
                "#!/bin/sh\necho \"sudo $1 $2\" >&2\n[ \"$1\" = -- ] && shift\nexec \"$@\"\n");
    for (const char* tool : {"id", "env"})
        QVERIFY(QFile::link(QStandardPaths::findExecutable(tool, {"/usr/bin", "/bin"}),
                            root.path() + "/sudo-only/" + tool));
}

QString TestGksudo::run(const QStringList& arguments, const QString& path, bool unprivileged, int* status,
                        QString* errors)
{
    QProcess process;
    QProcessEnvironment environment;
    environment.insert("PATH", path);
    environment.insert("DISPLAY", ":77");
    environment.insert("HOME", root.path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workDir);
    QStringList command{KVL_GKSUDO_SCRIPT};
    command << arguments;
    if (unprivileged && geteuid() == 0)
        command = QStringList{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"} + command;
    process.start(command.takeFirst(), command);
    if (!process.waitForFinished(20000))
        process.kill();
    *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
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
    QTest::addColumn<QString>("tool");
    QTest::newRow("pkexec") << "pkexec env";
    QTest::newRow("sudo when there is no pkexec") << "sudo -- env";
}

void TestGksudo::ordinaryUserGoesThroughTheElevatingTool()
{
    QFETCH(QString, tool);
    const QString path = tool.startsWith("pkexec") ? root.path() + "/bin:/usr/bin:/bin" : root.path() + "/sudo-only";
    int status = -1;
    QString errors;
    const QString output = run(probe, path, true, &status, &errors);
    QVERIFY2(status == 0, qPrintable(errors));
    QCOMPARE(errors, tool + "\n");
    QCOMPARE(output, workDir + "\ndisplay=:77\n" + expectedArguments);
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
