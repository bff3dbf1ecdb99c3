#include "installsteps.h"

#include "exec/shellquote.h"
#include "exec/terminalshell.h"

#include <QDir>
#include <QFileInfo>

namespace InstallSteps {

namespace {
const char* const environments = "~/Documents/velt-servers/environnements/";

QString requirements(const QString& installDir, const QString& version)
{
    return shellQuote(installDir + "/req" + version + ".txt");
}
}

QStringList baseCommands(const QString& installDir)
{
    QStringList commands = {
        "sudo apt-get install git\n",
        "sudo apt-get install python python-pip python-all-dev python-dev python-setuptools python-tk\n",
        "sudo apt-get install python3 python3-pip python3-all-dev python3-dev python3-setuptools python3-tk\n",
        "sudo apt-get install postgresql postgresql-contrib\n",
        "sudo apt install -y libldap2-dev libxml2-dev libxslt1-dev libevent-dev libsasl2-dev libldap2-dev pkg-config "
        "libtiff5-dev libjpeg8-dev libjpeg-dev zlib1g-dev libfreetype6-dev liblcms2-dev liblcms2-utils libwebp-dev "
        "tcl8.6-dev tk8.6-dev libyaml-dev fontconfig npm\n",
        "mkdir -p ~/.config/KydVeltConfig\n",
        "mkdir -p ~/Documents\n",
        "mkdir -p ~/Documents/velt-servers\n",
        "mkdir -p ~/.config/KydVeltLauncher\n",
        "sudo su - postgres -c \"createuser -s $USER\"\n",
        "pip3 install virtualenv\n",
    };
    const QList<QPair<QString, QString>> created = {
        {"v9", "python2"}, {"v10", "python2"}, {"v11", "python2"},
        {"v11", "python3"}, {"vMaster", "python2"}, {"vMaster", "python3"},
    };
    for (const auto& environment : created) {
        const QString python = environment.second == "python2" ? "/usr/bin/python2.7" : "/usr/bin/python3.5";
        commands << "virtualenv --python=" + python + " " + environments + environment.first + "/"
                        + environment.second + "\n";
    }
    commands << "pip install -r " + requirements(installDir, "VMaster") + "\n"
             << "pip3 install -r " + requirements(installDir, "VMaster") + "\n";
    const QList<QPair<QString, QString>> filled = {
        {"v9", "V9"}, {"v10", "V10"}, {"v11", "V11"}, {"v11", "V11"}, {"vMaster", "VMaster"}, {"vMaster", "VMaster"},
    };
    for (int i = 0; i < created.size(); ++i) {
        commands << "source " + QString(environments) + created[i].first + "/" + created[i].second + "/bin/activate\n"
                 << "pip install -r " + requirements(installDir, filled[i].second) + "\n"
                 << "pip install pudb ipdb\n";
    }
    commands << "deactivate\n"
             << "sudo ln -s /usr/bin/nodejs /usr/bin/node\n"
             << "sudo npm install -g less\n";
    return commands;
}

bool offerWorkspace(const QString& home)
{
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (!QFileInfo(home + "/Documents/velt-servers/server_" + letter).isDir())
            return letter == 'a';
    }
    return true; // all 26 exist
}

QStringList cloneCommands(const QString& codeHostBase)
{
    return {
        "mkdir -p ~/Documents/velt-servers/server_a\n",
        "cd ~/Documents/velt-servers/server_a\n",
        "git clone " + codeHostBase + "/velt/velt\n",
        "git clone " + codeHostBase + "/velt/enterprise\n",
        "cd velt\n",
        "git remote add dev " + codeHostBase + "/velt-dev/velt\n",
        "cd ..\n",
    };
}

QStringList enterpriseRemoteCommands(const QString& codeHostBase)
{
    return {"cd enterprise\n", "git remote add dev " + codeHostBase + "/velt-dev/enterprise\n"};
}

QStringList copyCommands(const QString& veltDirectory, const QString& enterpriseDirectory)
{
    QStringList commands = {
        "mkdir -p ~/Documents/velt-servers/server_a/velt\n",
        "mkdir -p ~/Documents/velt-servers/server_a/enterprise\n",
    };
    if (!veltDirectory.isEmpty())
        commands << "rsync --info=progress2 -rt " + shellQuote(veltDirectory)
                        + "/ ~/Documents/velt-servers/server_a/velt/\n";
    if (!enterpriseDirectory.isEmpty())
        commands << "rsync --info=progress2 -rt " + shellQuote(enterpriseDirectory)
                        + "/ ~/Documents/velt-servers/server_a/enterprise/\n";
    return commands;
}

bool isPromptLine(const QString& line)
{
    return TerminalShell::visibleText(line).endsWith("$ ");
}

bool findFile(const QString& directory, const QString& name)
{
    return QFileInfo(directory + "/" + name).isFile();
}

bool isVeltCheckout(const QString& directory)
{
    return findFile(directory, "COPYRIGHT") && findFile(directory, "LICENSE") && findFile(directory, "setup.cfg");
}

bool isEnterpriseCheckout(const QString& directory)
{
    return findFile(directory, "COPYRIGHT") && findFile(directory, "LICENSE");
}
}
