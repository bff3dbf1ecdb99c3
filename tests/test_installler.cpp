// The first-start installer in a real terminal. Stand-in sudo, apt-get, apt,
// pip, pip3, virtualenv, npm and ln scripts come first on PATH and only record
// their arguments (and any line typed while they run, which would mean the
// installer did not wait for the prompt). Workspace a is cloned from local
// upstream repositories or copied from local checkouts.

#include "testhome.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "settings/configloader.h"
#include "testfiles.h"
#include "tools/installler.h"
#include "exec/shellquote.h"
#include "tools/installsteps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
const QStringList standIns = {"sudo", "apt-get", "apt", "pip", "pip3", "virtualenv", "npm", "ln"};

// One modal window the installer showed, and how the test answered it.
struct SeenModal {
    QString kind; // "box" or "files"
    QString title;
    QString text;
    QString directory;
};
using Answer = std::function<void(QWidget*)>;

// Answers the installer's modal windows in order, one answer each, and
// records them. A window beyond the script is closed and recorded.
class ModalScript
{
public:
    explicit ModalScript(QList<Answer> answers) : answers(std::move(answers))
    {
        timer.setInterval(30);
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start();
    }
    QList<SeenModal> seen;
    bool exhausted() const { return answers.isEmpty(); }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        SeenModal record;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            record = {"box", box->windowTitle(), box->text(), QString()};
        else if (auto* files = qobject_cast<QFileDialog*>(modal))
            record = {"files", files->windowTitle(), QString(), files->directory().absolutePath()};
        seen << record;
        if (answers.isEmpty())
            modal->close();
        else
            answers.takeFirst()(modal);
    }
    QList<Answer> answers;
    QTimer timer;
};

Answer clickButton(const QString& text)
{
    return [text](QWidget* modal) {
        for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
            if (button->text().remove('&') == text) {
                button->click();
                return;
            }
        modal->close();
    };
}

Answer chooseDirectory(const QString& path)
{
    return [path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->setDirectory(path);
        static_cast<QDialog*>(dialog)->accept(); // public in QDialog, overridden
    };
}

Answer cancelDialog()
{
    return [](QWidget* modal) { modal->close(); };
}

void writeFile(const QString& path, const QByteArray& content)
{
    QVERIFY(TestFiles::write(path, content));
}

QString run(const QString& program, const QStringList& arguments, const QString& directory = QString())
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// A repository with one commit holding `marker`.
void makeRepository(const QString& path, const QString& marker)
{
    QDir().mkpath(path);
    run("git", {"init", "-q", "-b", "main"}, path);
    writeFile(path + "/" + marker, "x\n");
    run("git", {"add", "."}, path);
    run("git", {"-c", "user.name=Test", "-c", "user.email=test@example.com", "commit", "-q", "-m", "first"}, path);
}
}

class InstalllerTest : public QObject
{
    Q_OBJECT
public:
    explicit InstalllerTest(const TestHome& home) : home(home) {}

private:
    const TestHome& home;
    ConfigLoader* config = ConfigLoader::getSingleton();
    QTemporaryDir scratch;
    QString logPath;

    QString workspace() const { return home.path() + "/Documents/velt-servers/server_a"; }

    QStringList recorded() const
    {
        QFile log(logPath);
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    void reset()
    {
        QFile::remove(logPath);
        QDir(workspace()).removeRecursively();
        config->installer_status = false;
        config->sandbox = false;
        QFile::remove(config->path);
    }

    // Runs one installer to its end with `answers` and returns what it showed.
    QList<SeenModal> runInstaller(const QList<Answer>& answers, const QStringList* shortSequence = nullptr)
    {
        ModalScript script(answers);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { qFatal("the installer did not finish in time"); });
        watchdog.start(180000);
        {
            Installler installer;
            if (shortSequence)
                installer.commands = *shortSequence;
            installer.show();
            // onLoad runs from the event loop, inside this wait, to its end.
            cooperativeWait(170000, [&installer] { return !installer.isVisible(); });
        }
        return script.seen;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(scratch.isValid());
        const QString bin = scratch.path() + "/bin";
        QVERIFY(QDir().mkpath(bin));
        logPath = scratch.path() + "/standins.log";
        for (const QString& name : standIns) {
            const QString script = bin + "/" + name;
            writeFile(script, "#!/bin/bash\n"
                              "printf '%s\\n' \"" + name.toUtf8() + " $*\" >> '" + logPath.toUtf8() + "'\n"
                              "if read -r -t 0.2 extra; then\n"
                              "  printf 'typed ahead: %s\\n' \"$extra\" >> '" + logPath.toUtf8() + "'\n"
                              "fi\n");
            QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        qputenv("PATH", bin.toLocal8Bit() + ":" + qgetenv("PATH"));
        QCOMPARE(run("/bin/sh", {"-c", "command -v sudo"}), bin + "/sudo");
        Deployment::setCodeHostBase("file://" + scratch.path() + "/host");
    }

    void commandSequence()
    {
        const QStringList commands = InstallSteps::baseCommands("/opt/kydveltlauncher");
        QCOMPARE(commands.size(), 40);
        for (const QString& command : commands)
            QVERIFY(command.endsWith("\n") && command.count('\n') == 1);
        QCOMPARE(commands[0], QString("sudo apt-get install git\n"));
        QCOMPARE(commands[4].left(47), QString("sudo apt install -y libldap2-dev libxml2-dev li"));
        QVERIFY(commands[4].endsWith(" libyaml-dev fontconfig npm\n"));
        QCOMPARE(commands[9], QString("sudo su - postgres -c \"createuser -s $USER\"\n"));
        QCOMPARE(commands[11], QString("virtualenv --python=/usr/bin/python2.7 ~/Documents/velt-servers/environnements/v9/python2\n"));
        QCOMPARE(commands[14], QString("virtualenv --python=/usr/bin/python3.5 ~/Documents/velt-servers/environnements/v11/python3\n"));
        QCOMPARE(commands[16], QString("virtualenv --python=/usr/bin/python3.5 ~/Documents/velt-servers/environnements/vMaster/python3\n"));
        QCOMPARE(commands[17], QString("pip install -r /opt/kydveltlauncher/reqVMaster.txt\n"));
        QCOMPARE(commands[18], QString("pip3 install -r /opt/kydveltlauncher/reqVMaster.txt\n"));
        QCOMPARE(commands.mid(19, 3), QStringList({"source ~/Documents/velt-servers/environnements/v9/python2/bin/activate\n",
                                                   "pip install -r /opt/kydveltlauncher/reqV9.txt\n",
                                                   "pip install pudb ipdb\n"}));
        QCOMPARE(commands.mid(28, 3), QStringList({"source ~/Documents/velt-servers/environnements/v11/python3/bin/activate\n",
                                                   "pip install -r /opt/kydveltlauncher/reqV11.txt\n",
                                                   "pip install pudb ipdb\n"}));
        QCOMPARE(commands.mid(37), QStringList({"deactivate\n", "sudo ln -s /usr/bin/nodejs /usr/bin/node\n",
                                                "sudo npm install -g less\n"}));
        // Another install folder is quoted when it needs it.
        QCOMPARE(InstallSteps::baseCommands("/opt/my launcher")[17],
                 QString("pip install -r '/opt/my launcher/reqVMaster.txt'\n"));
    }

    void smallDecisions()
    {
        QCOMPARE(shellQuote("/home/dev/src/velt-15.0_b@x+y=z:1,2%"), QString("/home/dev/src/velt-15.0_b@x+y=z:1,2%"));
        QCOMPARE(shellQuote("/home/dev/My work"), QString("'/home/dev/My work'"));
        QCOMPARE(shellQuote("/tmp/it's; rm -rf ~"), QString("'/tmp/it'\\''s; rm -rf ~'"));
        QCOMPARE(shellQuote(""), QString("''"));

        QCOMPARE(InstallSteps::copyCommands("/src/velt", ""),
                 QStringList({"mkdir -p ~/Documents/velt-servers/server_a/velt\n",
                              "mkdir -p ~/Documents/velt-servers/server_a/enterprise\n",
                              "rsync --info=progress2 -rt /src/velt/ ~/Documents/velt-servers/server_a/velt/\n"}));
        QCOMPARE(InstallSteps::copyCommands("", "/src/My ent").last(),
                 QString("rsync --info=progress2 -rt '/src/My ent'/ ~/Documents/velt-servers/server_a/enterprise/\n"));
        QCOMPARE(InstallSteps::cloneCommands("https://github.com"),
                 QStringList({"mkdir -p ~/Documents/velt-servers/server_a\n", "cd ~/Documents/velt-servers/server_a\n",
                              "git clone https://github.com/velt/velt\n", "git clone https://github.com/velt/enterprise\n",
                              "cd velt\n", "git remote add dev https://github.com/velt-dev/velt\n", "cd ..\n"}));

        // Prompt: the last line ends in "$ " once control sequences are left out.
        QVERIFY(InstallSteps::isPromptLine("$ "));
        QVERIFY(InstallSteps::isPromptLine("\x1b[?2004hdev@box:~/src$ "));
        QVERIFY(InstallSteps::isPromptLine("\x1b]0;title\x07\x1b[01;32mdev@box\x1b[00m:~$ "));
        QVERIFY(!InstallSteps::isPromptLine(""));
        QVERIFY(!InstallSteps::isPromptLine("sudo su - postgres -c \"createuser -s $"));
        QVERIFY(!InstallSteps::isPromptLine("echo $USER"));
        QVERIFY(!InstallSteps::isPromptLine("[sudo] password for dev: "));

        // The offer: server_a missing, or all 26 present.
        const QString fake = scratch.path() + "/fakehome";
        QVERIFY(InstallSteps::offerWorkspace(fake));
        QDir().mkpath(fake + "/Documents/velt-servers/server_a");
        QVERIFY(!InstallSteps::offerWorkspace(fake));
        writeFile(fake + "/Documents/velt-servers/server_b", "a file, not a workspace");
        QVERIFY(!InstallSteps::offerWorkspace(fake));
        QFile::remove(fake + "/Documents/velt-servers/server_b");
        for (char letter = 'b'; letter <= 'z'; ++letter)
            QDir().mkpath(fake + "/Documents/velt-servers/server_" + letter);
        QVERIFY(InstallSteps::offerWorkspace(fake));

        // Checkout markers.
        const QString checkout = scratch.path() + "/markers";
        writeFile(checkout + "/COPYRIGHT", "");
        writeFile(checkout + "/LICENSE", "");
        QVERIFY(InstallSteps::isEnterpriseCheckout(checkout));
        QVERIFY(!InstallSteps::isVeltCheckout(checkout));
        QDir().mkpath(checkout + "/setup.cfg"); // a folder does not count
        QVERIFY(!Installler::findFile(checkout, "setup.cfg"));
        QVERIFY(Installler::findFile(checkout, "LICENSE"));
    }

    void receivedTextKeepsTheLastLine()
    {
        config->sandbox = true; // nothing typed: the terminal stays quiet
        Installler installer;
        installer.commands.clear();
        installer.receiveText("sudo apt-get install git\r\nReading package lists...\r\n$ ");
        QCOMPARE(installer.lastLine, QString("$ "));
        QCOMPARE(installer.pending, QString("$ "));
        installer.receiveText("done\r\n");
        QCOMPARE(installer.pending, QString());
        QVERIFY(!InstallSteps::isPromptLine(installer.pending));
        // A prompt in two chunks is one line.
        installer.receiveText("\x1b[?2004h");
        installer.receiveText("$ ");
        QVERIFY(InstallSteps::isPromptLine(installer.pending));
        QCOMPARE(installer.windowTitle(), QString("Form"));
        QVERIFY(installer.terminal);
        config->sandbox = false;
    }

    void fullSequenceWithoutWorkspaceOffer()
    {
        reset();
        QDir().mkpath(workspace()); // server_a exists, server_b does not
        const QList<SeenModal> seen = runInstaller({clickButton("OK")});

        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QString("install finished"));
        QCOMPARE(seen[0].text, QString("The installation process is terminated. You can now restart the application..."));

        // Every stand-in command, in order, none typed while another ran.
        QStringList expected;
        for (QString command : InstallSteps::baseCommands(Deployment::installDir())) {
            command.chop(1);
            if (standIns.contains(command.section(' ', 0, 0)))
                expected << command.replace("\"createuser -s $USER\"", "createuser -s " + qEnvironmentVariable("USER"))
                                .replace(" ~/", " " + home.path() + "/"); // as the shell expands them
        }
        QCOMPARE(expected.size(), 29);
        QCOMPARE(recorded(), expected);
        // The commands that are not stand-ins ran for real.
        for (const char* folder : {".config/KydVeltConfig", ".config/KydVeltLauncher", "Documents/velt-servers"})
            QVERIFY2(QFileInfo(home.path() + "/" + folder).isDir(), folder);

        QVERIFY(config->installer_status);
        QVERIFY(home.readFile(".config/KydVeltLauncher/config").contains("\ninstaller_status:1\n"));
    }

    void offerDeclined()
    {
        reset();
        const QStringList shortSequence = {"sudo apt-get install git\n"};
        const QList<SeenModal> seen = runInstaller({clickButton("No"), clickButton("OK")}, &shortSequence);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].title, QString("Server configuration"));
        QCOMPARE(seen[0].text, QString("The launcher come without any Velt instance. Would you like to create one?"));
        QCOMPARE(seen[1].title, QString("install finished"));
        QCOMPARE(recorded(), QStringList({"sudo apt-get install git"}));
        QVERIFY(!QFileInfo::exists(workspace()));
        QVERIFY(config->installer_status);
    }

    void cloneFromUpstream()
    {
        reset();
        // A prompt that does not end in "$" ends each wait as well.
        home.writeFile(".bashrc", "PS1='% '\n");
        const QString host = scratch.path() + "/host";
        makeRepository(host + "/velt/velt", "velt-marker");
        makeRepository(host + "/velt/enterprise", "enterprise-marker");
        const QStringList shortSequence = {"sudo apt-get install git\n"};
        const QList<SeenModal> seen = runInstaller(
            {clickButton("Yes"), clickButton("Clone repository"), clickButton("OK")}, &shortSequence);
        home.writeFile(".bashrc", "PS1='$ '\n");

        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen[1].text, QString("Do you want to copy a local server or clone a server from github?"));
        QCOMPARE(recorded(), QStringList({"sudo apt-get install git"})); // nothing typed ahead
        QVERIFY(QFileInfo(workspace() + "/velt/velt-marker").isFile());
        QVERIFY(QFileInfo(workspace() + "/enterprise/enterprise-marker").isFile());
        QCOMPARE(run("git", {"remote", "get-url", "dev"}, workspace() + "/velt"),
                 "file://" + host + "/velt-dev/velt");
        QCOMPARE(run("git", {"remote", "get-url", "dev"}, workspace() + "/enterprise"),
                 "file://" + host + "/velt-dev/enterprise");
        QVERIFY(config->installer_status);
        QDir(host).removeRecursively();
    }

    void cloneWithEnterpriseRefused()
    {
        reset();
        const QString host = scratch.path() + "/host";
        makeRepository(host + "/velt/velt", "velt-marker");
        const QStringList shortSequence = {"sudo apt-get install git\n"};
        runInstaller({clickButton("Yes"), clickButton("Clone repository"), clickButton("OK")}, &shortSequence);

        QVERIFY(QFileInfo(workspace() + "/velt/velt-marker").isFile());
        QVERIFY(!QFileInfo::exists(workspace() + "/enterprise"));
        QCOMPARE(run("git", {"remote"}, workspace() + "/velt"), QString("dev\norigin"));
        QVERIFY(config->installer_status);
        QDir(host).removeRecursively();
    }

    void copyLocalCheckouts()
    {
        reset();
        // Folders with a blank in their name, as users often have.
        const QString sources = scratch.path() + "/My work";
        const QString notACheckout = sources + "/random";
        const QString velt = sources + "/velt src";
        const QString enterprise = sources + "/ent";
        QDir().mkpath(notACheckout);
        for (const char* marker : {"COPYRIGHT", "LICENSE", "setup.cfg"})
            writeFile(velt + "/" + marker, "velt\n");
        writeFile(velt + "/addons/base/__init__.py", "# base\n");
        for (const char* marker : {"COPYRIGHT", "LICENSE"})
            writeFile(enterprise + "/" + marker, "ent\n");
        writeFile(enterprise + "/web_studio/__init__.py", "# studio\n");

        const QStringList shortSequence = {"sudo apt-get install git\n"};
        const QList<SeenModal> seen = runInstaller(
            {clickButton("Yes"), clickButton("Copy local server"),
             chooseDirectory(notACheckout), // no markers: asked again
             chooseDirectory(velt), chooseDirectory(enterprise), clickButton("OK")},
            &shortSequence);

        QCOMPARE(seen.size(), 6);
        QCOMPARE(seen[2].kind, QString("files"));
        QCOMPARE(seen[2].title, QString("Select Velt directory"));
        QCOMPARE(seen[2].directory, home.path());
        QCOMPARE(seen[3].title, QString("Select Velt directory"));
        QCOMPARE(seen[4].title, QString("Select Enterprise directory"));
        QCOMPARE(seen[4].directory, velt); // opens at the chosen Velt folder
        QVERIFY(QFileInfo(workspace() + "/velt/addons/base/__init__.py").isFile());
        QVERIFY(QFileInfo(workspace() + "/velt/setup.cfg").isFile());
        QVERIFY(QFileInfo(workspace() + "/enterprise/web_studio/__init__.py").isFile());
        QVERIFY(config->installer_status);
    }

    void copyOnlyEnterprise()
    {
        reset();
        const QString enterprise = scratch.path() + "/My work/ent";
        const QStringList shortSequence = {"sudo apt-get install git\n"};
        const QList<SeenModal> seen = runInstaller(
            {clickButton("Yes"), clickButton("Copy local server"), cancelDialog(), chooseDirectory(enterprise),
             clickButton("OK")},
            &shortSequence);
        QCOMPARE(seen.size(), 5);
        QCOMPARE(seen[3].title, QString("Select Enterprise directory"));
        QCOMPARE(seen[3].directory, home.path());
        // Both folders made, only the enterprise tree copied.
        QVERIFY(QFileInfo(workspace() + "/velt").isDir());
        QVERIFY(QDir(workspace() + "/velt").isEmpty());
        QVERIFY(QFileInfo(workspace() + "/enterprise/web_studio/__init__.py").isFile());
    }

    void closedWindowOrFullWorkspacesEndWithoutHarm()
    {
        // Closed while a command runs: the sequence stops there, says so before
        // the application ends, and the installer comes back at the next start.
        reset();
        const QStringList waiting = {"sleep 30\n", "sudo apt-get install git\n"};
        QElapsedTimer clock;
        clock.start();
        QList<SeenModal> seen;
        {
            ModalScript script({clickButton("OK")});
            Installler installer;
            installer.commands = waiting;
            installer.show();
            QTimer::singleShot(1500, &installer, &QWidget::close);
            // As at a first start: the application ends with its last window.
            QTimer::singleShot(30000, qApp, &QCoreApplication::quit);
            QApplication::exec();
            QVERIFY(!installer.isVisible());
            seen = script.seen;
        }
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QString("install not finished"));
        QVERIFY(recorded().isEmpty()); // nothing after the interrupted command
        QVERIFY(!config->installer_status);
        QVERIFY(!QFileInfo::exists(config->path) || !home.readFile(".config/KydVeltLauncher/config").contains("installer_status:1"));

        // Every workspace exists: no copy over server_a is offered.
        reset();
        const QString folder = home.path() + "/Documents/velt-servers/server_";
        for (char letter = 'a'; letter <= 'z'; ++letter)
            QVERIFY(QDir().mkpath(folder + letter));
        writeFile(workspace() + "/velt/kept", "mine\n");
        QStringList offered;
        const QStringList shortSequence = {"sudo apt-get install git\n"};
        const QList<SeenModal> full = runInstaller(
            {clickButton("Yes"),
             [&offered](QWidget* modal) {
                 for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
                     offered << button->text().remove('&');
                 clickButton("Dismiss")(modal);
             },
             clickButton("OK")},
            &shortSequence);
        QCOMPARE(full.size(), 3);
        QVERIFY2(!offered.contains("Copy local server") && offered.contains("Dismiss"), qPrintable(offered.join(",")));
        QCOMPARE(TestFiles::content(workspace() + "/velt/kept"), QByteArray("mine\n"));
        for (char letter = 'b'; letter <= 'z'; ++letter)
            QDir(folder + letter).removeRecursively();
    }

    void sandboxDoesNotWaitForPrompts()
    {
        reset();
        QDir().mkpath(workspace());
        config->sandbox = true;
        QElapsedTimer clock;
        clock.start();
        const QList<SeenModal> seen = runInstaller({clickButton("OK")});
        QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QString("install finished"));
        QVERIFY(recorded().isEmpty()); // nothing typed, nothing ran
        QVERIFY(config->installer_status);
        QVERIFY(home.readFile(".config/KydVeltLauncher/config").contains("\ninstaller_status:1\n"));
        config->sandbox = false;
    }
};

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    InstalllerTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_installler.moc"
