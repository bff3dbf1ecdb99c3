#include "clonelocation.h"

#include "exec/shellquote.h"
#include "exec/termexecutor.h"
#include "settings/configloader.h"
#include "settings/homedirectory.h"

#include <QDir>
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
    // `git -C` never falls back to another folder; a folder that is merely
    // inside some other repository reports that repository's top instead.
    const QStringList top = TermExecutor::getSingleton()->exec(
        "git -C " + shellQuote(path) + " rev-parse --show-toplevel", false);
    return !top.isEmpty() && QFileInfo(top.first()).canonicalFilePath() == QFileInfo(path).canonicalFilePath();
}

QStringList run(char letter, const QString& repo, const QString& gitPart)
{
    return TermExecutor::getSingleton()->exec(commandPrefix(letter, repo) + gitPart, true,
                                              QStringList(), false, QStringList(),
                                              QStringLiteral("cd ~/Documents"));
}

}
