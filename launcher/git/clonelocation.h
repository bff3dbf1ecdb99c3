#pragma once

#include "exec/termexecutor.h"

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

// Runs commandPrefix + gitPart captured and judges it by its exit status,
// never by its words: a command that failed opens the Bug Splat window with
// its output ("cd ~/Documents" typed into the window's terminal); a cancelled
// one opens nothing. Exit statuses from 0 to `lastDoneStatus` count as done
// (grep answers 1 when it finds nothing).
CommandResult runJudged(char letter, const QString& repo, const QString& gitPart, int lastDoneStatus = 0);
// The output lines of runJudged; none when the command failed or was cancelled.
QStringList run(char letter, const QString& repo, const QString& gitPart);

}
