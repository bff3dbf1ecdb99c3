#pragma once

#include <QString>
#include <QStringList>

// Where the clones of a workspace live and how the launcher talks to them.
namespace CloneLocation {

// "cd ~/Documents/velt-servers/server_<letter>/<repo>; " — the start of every
// command that runs inside a clone.
QString commandPrefix(char letter, const QString& repo);

// The clone folder as an absolute path under the home directory.
QString directory(char letter, const QString& repo);

// True when the clone folder exists and is the top of a git work tree. A
// command beginning with `cd <clone>; ` would otherwise run its git part in
// the launcher's own working folder.
bool isWorkTree(char letter, const QString& repo);

// Runs prefix + gitPart captured, judging the output (any error text opens the
// splat window and yields no lines).
QStringList run(char letter, const QString& repo, const QString& gitPart);

}
