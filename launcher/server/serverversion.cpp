#include "serverversion.h"

#include "exec/termexecutor.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace ServerVersion {

QString versionCommand(char letter, const QString& script)
{
    return "cd ~/Documents/velt-servers/server_" + QString(QChar(letter)) + "; " + script + " --version\n";
}

QString labelText(const QStringList& output)
{
    if (output.isEmpty())
        return QString();
    QString version = output.first();
    version.remove(QStringLiteral("Velt Server "), Qt::CaseSensitive);
    return version + ":";
}

QString read(char letter)
{
    TermExecutor* executor = TermExecutor::getSingleton();
    QStringList output = executor->exec(versionCommand(letter, "velt/velt-bin"), false);
    if (output.isEmpty())
        output = executor->exec(versionCommand(letter, "velt/velt.py"), false);
    if (!output.isEmpty())
        return labelText(output);
    // The server tab's texts, in its context (written out for lupdate).
    QMessageBox::warning(nullptr, QCoreApplication::translate("ServerWidget", "No version found"),
                         QCoreApplication::translate(
                             "ServerWidget",
                             "No version found for the server %1. The launcher will use the master environment...")
                             .arg(QChar(letter)),
                         QMessageBox::Ok);
    return QStringLiteral("Error:");
}

bool isMaster(const QString& branch, const QString& version, int latestVersion)
{
    if (!branch.contains(QLatin1String("master")))
        return false;
    return version.contains(QString::number(latestVersion + 1))
           || (version.contains(QString::number(latestVersion) + ".") && version.contains(QLatin1String("saas")));
}

Environment chooseEnvironment(const QString& branch, const QString& version, int latestVersion, bool python2Checked)
{
    QString command = QStringLiteral("source ~/Documents/velt-servers/environnements/");
    bool python3Available = true;
    if (isMaster(branch, version, latestVersion)) {
        command += "vMaster/";
    } else if (version.contains(QLatin1String("9."))) {
        command += "v9/";
        python3Available = false;
    } else if (version.contains(QLatin1String("10."))) {
        command += "v10/";
        python3Available = false;
    } else if (version.contains(QLatin1String("11."))) {
        command += "v11/";
    } else {
        command += "vMaster/";
    }

    Environment environment;
    if (!python2Checked && python3Available) {
        environment.command = command + "python3/bin/activate\n";
    } else {
        environment.command = command + "python2/bin/activate\n";
        environment.switchToPython2 = !python2Checked;
    }
    return environment;
}

void warnPython3Unavailable()
{
    QMessageBox::warning(nullptr, QCoreApplication::translate("ServerWidget", "Python 3 unavailable"),
                         QCoreApplication::translate(
                             "ServerWidget",
                             "Python 3 is not available on this version of Velt. Switching to Python 2..."),
                         QMessageBox::Ok);
}

}
