// The server version read from stand-in start scripts, and the Python
// environment chosen for it.

#include "modalscript.h"
#include "testhome.h"

#include "server/serverversion.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
const QString envs = "source ~/Documents/velt-servers/environnements/";
}

class TestServerVersion : public QObject
{
    Q_OBJECT
    TestHome home;

    void writeScript(char letter, const QString& name, const QString& body)
    {
        const QString relative = "Documents/velt-servers/server_" + QString(QChar(letter)) + "/velt/" + name;
        home.writeFile(relative, ("#!/bin/sh\n" + body + "\n").toUtf8());
        QFile::setPermissions(home.path() + "/" + relative,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

private slots:
    void initTestCase()
    {
        // This test looks at the "No version found" box itself.
        TestHome::acknowledgeVersionWarnings = false;
    }

    void versionFromTheStartScripts()
    {
        QCOMPARE(ServerVersion::versionCommand('c', "velt/velt-bin"),
                 QString("cd ~/Documents/velt-servers/server_c; velt/velt-bin --version\n"));

        ModalScript modals;
        writeScript('a', "velt-bin", "echo 'Velt Server 11.0'\necho 'second line'");
        writeScript('a', "velt.py", "echo 'Velt Server 10.0'");
        QCOMPARE(ServerVersion::read('a'), QString("11.0:"));

        // Older checkouts have only velt.py; a failing velt-bin falls back too,
        // and its error output opens no splat window (output is not checked).
        writeScript('b', "velt.py", "echo 'Velt Server saas~11.3'");
        QCOMPARE(ServerVersion::read('b'), QString("saas~11.3:"));
        writeScript('c', "velt-bin", "echo 'Traceback: no module' >&2\nexit 1");
        writeScript('c', "velt.py", "echo 'Velt Server 9.0 (Velt Server 9.0)'");
        QCOMPARE(ServerVersion::read('c'), QString("9.0 (9.0):"));
        QVERIFY(modals.seen.isEmpty());

        QCOMPARE(ServerVersion::labelText({"Velt Server 12.0alpha1", "x"}), QString("12.0alpha1:"));
        QCOMPARE(ServerVersion::labelText({"velt server 8.0"}), QString("velt server 8.0:"));
        QVERIFY(ServerVersion::labelText({}).isEmpty());
    }

    void noVersionWarnsAndSaysError()
    {
        ModalScript modals({"OK"});
        QCOMPARE(ServerVersion::read('z'), QString("Error:"));
        QVERIFY(modals.finished());
        QCOMPARE(modals.seen, QStringList({"No version found",
                                           "No version found for the server z. The launcher will use the master environment..."}));
    }

    void environmentTable()
    {
        using ServerVersion::chooseEnvironment;
        struct Case {
            QString branch, version;
            bool python2;
            QString expected;
            bool switches;
        };
        const QList<Case> cases = {
            {"master", "12.0:", false, "vMaster/python3", false},
            {"master", "saas~11.3:", false, "vMaster/python3", false},
            {"my-master-fix", "Velt 12:", false, "vMaster/python3", false},
            {"master", "11.0:", false, "v11/python3", false},          // no saas, no 12
            {"feature", "saas~11.3:", false, "v11/python3", false},    // not master: plain 11.
            {"feature", "11.0:", true, "v11/python2", false},
            {"feature", "10.0:", false, "v10/python2", true},
            {"feature", "10.0:", true, "v10/python2", false},
            {"feature", "9.0:", false, "v9/python2", true},
            {"feature", "9.0 10.0:", false, "v9/python2", true},       // table order
            {"", "Error:", false, "vMaster/python3", false},
            {"", "Error:", true, "vMaster/python2", false},
            {"feature", "12.0:", false, "vMaster/python3", false},     // otherwise row
            {"Master", "12.0:", true, "vMaster/python2", false},
        };
        for (const Case& c : cases) {
            const ServerVersion::Environment env = chooseEnvironment(c.branch, c.version, 11, c.python2);
            QCOMPARE(env.command, envs + c.expected + "/bin/activate\n");
            QCOMPARE(env.switchToPython2, c.switches);
        }
        // The master test follows the latest version number.
        QCOMPARE(chooseEnvironment("master", "13.0:", 12, false).command, envs + "vMaster/python3/bin/activate\n");
        QVERIFY(!ServerVersion::isMaster("master", "12.0:", 12));
        QVERIFY(ServerVersion::isMaster("master", "saas~12.1:", 12));
    }

    void python3FallbackWarnsOnce()
    {
        // What Start does: warn and tick "python 2" when asked to switch; the
        // second Start is already on Python 2 and says nothing.
        ModalScript modals({"OK"});
        bool python2 = false;
        for (int start = 0; start < 2; ++start) {
            const ServerVersion::Environment env = ServerVersion::chooseEnvironment("feature", "9.0:", 11, python2);
            if (env.switchToPython2) {
                ServerVersion::warnPython3Unavailable();
                python2 = true;
            }
            QCOMPARE(env.command, envs + "v9/python2/bin/activate\n");
        }
        QVERIFY(modals.finished());
        QVERIFY(modals.unexpected.isEmpty());
        QCOMPARE(modals.seen, QStringList({"Python 3 unavailable",
                                           "Python 3 is not available on this version of Velt. Switching to Python 2..."}));
    }
};

QTEST_MAIN(TestServerVersion)
#include "test_serverversion.moc"
