#pragma once

#include <QString>

// Makes a value from outside (branch name, hash, remote name, URL) safe to
// put into a shell command line. A value made only of letters, digits and
// ._-/@+=:,% is returned unchanged, byte for byte, so everyday command lines
// read as they always did; anything else is put between single quotes, with
// embedded single quotes written as '\''. An empty value gives '', so it
// stays an argument. This is the launcher's one quoting rule.
QString shellQuote(const QString& value);
