#pragma once

#include <QByteArray>
#include <string>

// Runs "/bin/sh -c command" with its standard output and error output on two
// pipes, and reads both to their end without spinning: the caller sleeps in
// poll() while the command is silent.
class ShellProcess
{
public:
    struct Result {
        bool started = false;
        QByteArray out;
        QByteArray err;
    };

    // Reads until both pipes reach end of file, in chunks of at most 1024 bytes.
    static Result run(const std::string& command);
    // Starts the command and returns as soon as the shell has: for commands
    // that put their work in the background.
    static bool start(const std::string& command);
};
