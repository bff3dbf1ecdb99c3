#pragma once

#include <QString>
#include <QStringList>

// Where the clones of a workspace live and how the launcher talks to them.
namespace CloneLocation {

// "cd ~/Documents/velt-servers/server_<letter>/<repo>"
QString cdCommand(char letter, const QString& repo);
// cdCommand + " && " — the start of every command that runs inside a clone:
// when the folder is gone the git part does not run at all, instead of
// running in the launcher's own working folder.
QString commandPrefix(char letter, const QString& repo);

// The clone folder as an absolute path under the home directory.
QString directory(char letter, const QString& repo);

// True when the clone folder exists and is the top of a git work tree.
bool isWorkTree(char letter, const QString& repo);

// Runs commandPrefix + gitPart captured, judging the output (any error text opens the
// splat window and yields no lines).
QStringList run(char letter, const QString& repo, const QString& gitPart);

}
