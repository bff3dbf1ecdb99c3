#pragma once

#include <QByteArray>
#include <QString>

// Whether the shell of a terminal has the terminal to itself (it is at its
// prompt, or running one of its own builtins), has handed it to a command it
// started, or has ended. Read from /proc, so it holds whatever the prompt
// looks like.
namespace TerminalShell {

enum class State { Foreground, Busy, Ended };

struct StatFields {
    // -1 when the line does not parse.
    int processGroup = -1;
    // The terminal's foreground process group.
    int terminalGroup = -1;
    char state = 0;
};

// The fields of a /proc/<pid>/stat line that say who has the terminal.
StatFields parseStat(const QByteArray& line);

State stateOf(long long shellPid);

// A line of terminal output as it reads on screen: without its control
// sequences (colours, bracketed paste on and off, titles) and carriage returns.
QString visibleText(const QString& line);

}
