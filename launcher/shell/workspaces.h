#pragma once

#include <QString>

// Server workspaces: the directories ~/Documents/velt-servers/server_<letter>,
// 'a' to 'z', one tab each. The pure rules live here so they can be checked
// without a window.
namespace Workspaces {

// "<home>/Documents/velt-servers", the folder holding every workspace.
QString folder(const QString& home);
// Creates that folder and its parents; false when it cannot be made.
bool makeFolder(const QString& home);
// "<home>/Documents/velt-servers/server_<letter>"
QString path(const QString& home, char letter);
// True when that path exists and is a directory (a plain file does not count).
bool exists(const QString& home, char letter);
// True when anything at all stands at that path: a directory, a plain file,
// even a dangling symbolic link. Such a letter is never handed out again.
bool occupied(const QString& home, char letter);
// True only for a real directory at `path` (not a file, not a link): the
// only thing closing a tab may remove.
bool isRemovableDirectory(const QString& path);
// The first letter from 'a' to 'z' that is neither occupied on disk nor in
// `openLetters` (the letters of the tabs already open), or 0 when none is left.
char firstFreeLetter(const QString& home, const QString& openLetters = QString());

// "server b"
QString tabTitle(char letter);
// The tab title in the user's language, for messages: "serveur b" in French.
QString translatedTitle(char letter);
// The letter of a tab title "server <letter>", or 0 for any other title.
char letterOfTitle(const QString& title);
// The tab title with every space replaced by "_": "server b" -> "server_b".
QString directoryName(const QString& title);
// True only for "server_" followed by one lower-case letter: the only names
// a tab may ever remove from the workspace folder.
bool isWorkspaceDirectoryName(const QString& name);

// Repository URLs under the code host's HTTPS base.
QString communityUrl(const QString& codeHostBase);
QString enterpriseUrl(const QString& codeHostBase);
QString communityDevUrl(const QString& codeHostBase);
QString enterpriseDevUrl(const QString& codeHostBase);

// Text typed into the terminal window to copy workspace a into `letter`.
QString copyCommand(char letter);
// Text typed into the terminal window to clone both repositories into `letter`.
QString cloneCommand(char letter, const QString& codeHostBase);
// Captured command adding the development remote to the enterprise clone.
QString enterpriseRemoteCommand(char letter, const QString& codeHostBase);
// Captured command removing a workspace directory; empty unless `directory`
// is a workspace directory name.
QString removeCommand(const QString& directory);
}
