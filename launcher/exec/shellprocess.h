#pragma once

#include <QByteArray>

#include <functional>
#include <string>

// Runs "/bin/sh -c command" with its standard output and error output on two
// pipes and reads both to their end. The shell leads a session of its own,
// so that cancelling ends the whole process group (git's children included)
// and nothing it starts can read from the launcher's terminal.
//
// On the thread of a running application the event loop keeps turning while
// the command runs (painting, timers, network replies); the person's input is
// held back for the first moments, so a short command behaves as if nothing
// had turned meanwhile. Without an application the caller sleeps in poll().
class ShellProcess
{
public:
    struct Result {
        bool started = false;
        bool cancelled = false;
        // The shell's exit status; 128 + the signal's number when a signal
        // ended it; -1 when it did not start.
        int exitStatus = -1;
        QByteArray out;
        QByteArray err;
    };

    // Reads until both pipes reach end of file and the shell has ended.
    // `cancelRequested` is asked every few milliseconds: when it answers
    // true the process group is ended and the result is marked cancelled.
    static Result run(const std::string& command, const std::function<bool()>& cancelRequested = nullptr);
    // Starts the command and returns as soon as the shell has: for commands
    // that put their work in the background.
    static bool start(const std::string& command);

    // How long a command is waited for in poll() before the event loop turns.
    static constexpr int quickWaitMs = 5;
    // How long the person's input is held back at the start of a command.
    static constexpr int inputHeldBackMs = 250;

    // Off, the caller sleeps in poll() even on the application's thread, as
    // earlier versions did: for measuring one against the other.
    static void setTurnsEventLoop(bool turns);
};
