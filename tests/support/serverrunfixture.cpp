#include "serverrunfixture.h"

#include "exec/myqtermwidget.h"
#include "exec/terminalshell.h"
#include "server/runcontrol.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include <csignal>

QList<int> processesOn(const QString& port)
{
    QProcess ps;
    ps.start("ps", {"-eww", "-o", "pid=,args="});
    ps.waitForFinished(10000);
    const QRegularExpression portWord("xmlrpc-port " + port + "( |$)");
    QList<int> pids;
    for (const QString& line : QString::fromUtf8(ps.readAllStandardOutput()).split('\n'))
        if (line.contains(portWord) && !line.contains("ps -eww"))
            pids << line.trimmed().section(' ', 0, 0).toInt();
    return pids;
}

int processesOnPort(int port)
{
    return processesOn(QString::number(port)).size();
}

int privatePort()
{
    for (;;) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return 0;
        const int port = probe.serverPort();
        if (processesOnPort(port) == 0 && processesOn(QString::number(port) + "0").isEmpty())
            return port;
    }
}

void endForeground(MyQTermWidget* terminal)
{
    QFile stat(QString("/proc/%1/stat").arg(terminal->getShellPID()));
    if (!stat.open(QIODevice::ReadOnly))
        return;
    const TerminalShell::StatFields fields = TerminalShell::parseStat(stat.readAll());
    if (fields.terminalGroup > 0 && fields.terminalGroup != fields.processGroup)
        ::kill(-fields.terminalGroup, SIGTERM);
}

QByteArray bashrc(const QByteArray& prompt)
{
    // A dropdb of the test's own comes first on the PATH.
    return "PS1='" + prompt + "'\nexport PATH=\"$HOME/bin:$PATH\"\n";
}

void ServerRunFixture::prepareWorkspaces()
{
    home.writeFile(".bashrc", bashrc("$ "));
    writeExecutable("bin/dropdb", "#!/bin/sh\necho \"dropdb $# args: $*\" >> \"$HOME/calls.txt\"\n");
    for (char letter : {'a', 'b'}) {
        QVERIFY(QDir().mkpath(workspace(letter) + "/velt"));
        QFile::copy(KVL_STANDIN_SERVER, workspace(letter) + "/velt/velt-bin");
        QVERIFY(QFile::setPermissions(workspace(letter) + "/velt/velt-bin",
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    // A ps that also writes a warning on its error output, for the
    // automatic port's probe when a test puts it on the PATH.
    writeExecutable("noisy/ps", "#!/bin/sh\necho 'ps: a warning' >&2\nexec /bin/ps \"$@\"\n");
    for (const char* python : {"python2", "python3"})
        home.writeFile(QString("Documents/velt-servers/environnements/vMaster/%1/bin/activate").arg(python),
                       QByteArray("export VIRTUAL_ENV=vMaster-") + python + "\n"
                       "if [ -e \"$HOME/hang\" ]; then sleep 60; fi\n"
                       "if read -t 1 early; then echo \"typed too early: $early\" >> \"$HOME/calls.txt\"; fi\n"
                       "echo activated >> \"$HOME/calls.txt\"\n");
}

void ServerRunFixture::resetBetweenTests()
{
    for (const char* file : {"calls.txt", "hang", ".veltrc"})
        QFile::remove(home.path() + "/" + file);
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->auto_port = false;
    config->remove_installs = false;
    config->secBeforeShutDown = 2;
    writeConfig("<--- DB <---\ndb_server_a\n---> DB --->\n");
}

QString ServerRunFixture::workspace(char letter) const
{
    return home.path() + "/Documents/velt-servers/server_" + QChar(letter);
}

QStringList ServerRunFixture::calls() const
{
    QStringList lines = QString::fromUtf8(home.readFile("calls.txt")).split('\n');
    lines.removeAll(QString());
    return lines;
}

void ServerRunFixture::writeExecutable(const QString& relativePath, const QByteArray& content)
{
    home.writeFile(relativePath, content);
    QFile::setPermissions(home.path() + "/" + relativePath,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void ServerRunFixture::writeConfig(const QByteArray& body, char letter)
{
    home.writeFile(QString("Documents/velt-servers/server_%1/VLconfig").arg(letter), "### CONFIG FILE ###\n" + body);
}

QByteArray ServerRunFixture::privateConfig(int port, const QByteArray& more)
{
    return "<--- DB <---\ndb_server_a\n---> DB --->\nport:::" + QByteArray::number(port) + "\n" + more;
}

std::unique_ptr<ServerWidget> ServerRunFixture::openTab(char letter)
{
    auto tab = std::make_unique<ServerWidget>(letter, nullptr);
    tab->startTerminals();
    if (!QTest::qWaitFor([&] { return tab->run->lastLine.contains("$"); }, deadline))
        return nullptr;
    QTest::qWait(1000);
    return tab;
}

bool ServerRunFixture::stopServer(ServerWidget& tab)
{
    if (tab.isServerRunning())
        tab.findChild<QPushButton*>("bStop")->click();
    return QTest::qWaitFor([&] { return !tab.isServerRunning(); }, deadline);
}
