#pragma once

#include <QString>
#include <QStringList>

// What the first-start installer types, and the small decisions it takes,
// kept apart from the window so they can be checked without a terminal.
// Every command ends in "\n".
namespace InstallSteps {

// The 40 commands that prepare the machine: system packages, the launcher's
// folders, the PostgreSQL role, one Python environment per server version
// and Python, their requirements (from `installDir`), node's less.
QStringList baseCommands(const QString& installDir);

// Whether to offer creating workspace a: true when server_a is missing under
// `home`, or when all 26 workspaces exist (the letters are looked at in
// order up to the first missing one).
bool offerWorkspace(const QString& home);

// Cloning both repositories into server_a, with the development remote of
// the community clone.
QStringList cloneCommands(const QString& codeHostBase);
// The development remote of the enterprise clone, once that clone exists.
QStringList enterpriseRemoteCommands(const QString& codeHostBase);
// Copying local checkouts into server_a; an empty source is not copied.
QStringList copyCommands(const QString& veltDirectory, const QString& enterpriseDirectory);

// Whether a terminal's last output line is a shell prompt: once the
// terminal's control sequences are left out, it ends in "$ ".
bool isPromptLine(const QString& line);

// True when directory + "/" + name exists and is a regular file.
bool findFile(const QString& directory, const QString& name);
// A community checkout holds COPYRIGHT, LICENSE and setup.cfg; an enterprise
// checkout COPYRIGHT and LICENSE.
bool isVeltCheckout(const QString& directory);
bool isEnterpriseCheckout(const QString& directory);
}
