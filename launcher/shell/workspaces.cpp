#include "workspaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Workspaces {

namespace {
// Clears the terminal and its scroll-back, then moves into the workspace folder.
const char* const terminalPrologue = "clear && echo -en \"\\e[3J\";cd ~/Documents/velt-servers; mkdir -p server_";
const char* const terminalEpilogue = "echo \"You can close this window now\";\n";
}

QString folder(const QString& home)
{
    return home + "/Documents/velt-servers";
}

bool makeFolder(const QString& home)
{
    return QDir().mkpath(folder(home));
}

QString path(const QString& home, char letter)
{
    return QString::asprintf("%s/Documents/velt-servers/server_%c", home.toLocal8Bit().constData(), letter);
}

bool exists(const QString& home, char letter)
{
    return QFileInfo(path(home, letter)).isDir();
}

bool occupied(const QString& home, char letter)
{
    const QFileInfo info(path(home, letter));
    return info.exists() || info.isSymLink();
}

bool isRemovableDirectory(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

char firstFreeLetter(const QString& home, const QString& openLetters)
{
    for (char letter = 'a'; letter <= 'z'; ++letter)
        if (!occupied(home, letter) && !openLetters.contains(QLatin1Char(letter)))
            return letter;
    return 0;
}

QString tabTitle(char letter)
{
    return QString::asprintf("server %c", letter);
}

QString translatedTitle(char letter)
{
    return QCoreApplication::translate("mainWidget", "server %1").arg(QChar::fromLatin1(letter));
}

char letterOfTitle(const QString& title)
{
    static const QRegularExpression pattern(QStringLiteral("^server ([a-z])$"));
    const QRegularExpressionMatch match = pattern.match(title);
    return match.hasMatch() ? match.captured(1).at(0).toLatin1() : 0;
}

QString directoryName(const QString& title)
{
    QString name = title;
    return name.replace(' ', '_');
}

bool isWorkspaceDirectoryName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^server_[a-z]$"));
    return pattern.match(name).hasMatch();
}

QString communityUrl(const QString& codeHostBase)
{
    return codeHostBase + "/velt/velt";
}

QString enterpriseUrl(const QString& codeHostBase)
{
    return codeHostBase + "/velt/enterprise";
}

QString communityDevUrl(const QString& codeHostBase)
{
    return codeHostBase + "/velt-dev/velt";
}

QString enterpriseDevUrl(const QString& codeHostBase)
{
    return codeHostBase + "/velt-dev/enterprise";
}

QString copyCommand(char letter)
{
    const QString l(QChar::fromLatin1(letter));
    return terminalPrologue + l + "; rsync --info=progress2 -rt server_a/ server_" + l + "/; " + terminalEpilogue;
}

QString cloneCommand(char letter, const QString& codeHostBase)
{
    const QString l(QChar::fromLatin1(letter));
    return terminalPrologue + l + "; cd server_" + l
        + ";git clone " + communityUrl(codeHostBase)
        + ";git clone " + enterpriseUrl(codeHostBase)
        + ";cd velt"
        + ";git remote add dev " + communityDevUrl(codeHostBase)
        + "; cd ../; " + terminalEpilogue;
}

QString enterpriseRemoteCommand(char letter, const QString& codeHostBase)
{
    return "cd ~/Documents/velt-servers/server_" + QString(QChar::fromLatin1(letter))
        + "/enterprise; git remote add dev " + enterpriseDevUrl(codeHostBase) + ";";
}

QString removeCommand(const QString& directory)
{
    if (!isWorkspaceDirectoryName(directory))
        return QString();
    // "&&": should the folder be missing, nothing is removed anywhere else.
    return "cd ~/Documents/velt-servers && rm -rf " + directory;
}
}
