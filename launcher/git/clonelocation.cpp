#include "clonelocation.h"

#include "exec/termexecutor.h"
#include "settings/configloader.h"
#include "settings/homedirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace CloneLocation {

QString cdCommand(char letter, const QString& repo)
{
    return "cd ~/Documents/velt-servers/server_" + QString(QChar(letter)) + "/" + repo;
}

QString commandPrefix(char letter, const QString& repo)
{
    return cdCommand(letter, repo) + " && ";
}

QString directory(char letter, const QString& repo)
{
    return homeDirectory() + "/Documents/velt-servers/server_" + QString(QChar(letter)) + "/" + repo;
}

bool isWorkTree(char letter, const QString& repo)
{
    const QString path = directory(letter, repo);
    if (!QFileInfo(path).isDir())
        return false;
    // In sandbox mode nothing runs, so the folder is all there is to check.
    if (ConfigLoader::getSingleton()->sandbox)
        return true;
    // Git looks for ".git" in the folder itself first: a repository there (or
    // a "gitdir:" file pointing to one) makes the folder the top of its work
    // tree. A folder merely inside some other repository has none, and git
    // would describe that other repository. Checked on disk: the check comes
    // before every operation and every reading, and a git process costs more
    // than the reading itself.
    const QFileInfo dotGit(path + "/.git");
    if (dotGit.isDir())
        return QFileInfo(path + "/.git/HEAD").isFile();
    if (!dotGit.isFile())
        return false;
    QFile link(dotGit.filePath());
    return link.open(QIODevice::ReadOnly) && link.read(8) == "gitdir: ";
}

CommandResult runJudged(char letter, const QString& repo, const QString& gitPart, int lastDoneStatus)
{
    TermExecutor* executor = TermExecutor::getSingleton();
    const QString command = commandPrefix(letter, repo) + gitPart;
    const CommandResult result = executor->run(command);
    const bool done = result.exitStatus >= 0 && result.exitStatus <= lastDoneStatus;
    if (!done && !result.cancelled)
        executor->showSplat(command, result.output, result.errors, QStringLiteral("cd ~/Documents"));
    return result;
}

QStringList run(char letter, const QString& repo, const QString& gitPart)
{
    const CommandResult result = runJudged(letter, repo, gitPart);
    return result.succeeded() ? result.output : QStringList();
}

}
