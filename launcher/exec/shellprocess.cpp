#include "shellprocess.h"

#include <pstreams/pstream.h>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {
// Gives access to the two read pipes of a pstreams buffer, so both can be
// waited on at once.
class PipeBuffer : public redi::pstreambuf
{
public:
    int outFd() { return rpipe(rsrc_out); }
    int errFd() { return rpipe(rsrc_err); }
};

// Starts the shell with the given SIGPIPE disposition, which it and its
// children inherit; the launcher's own disposition is restored afterwards.
void openWithSigpipe(PipeBuffer& buffer, const std::string& command, void (*disposition)(int))
{
    struct sigaction wanted = {}, previous = {};
    wanted.sa_handler = disposition;
    sigemptyset(&wanted.sa_mask);
    ::sigaction(SIGPIPE, &wanted, &previous);
    // The command form execs /bin/sh straight after fork. The argument-vector
    // form allocates in the child first, which hangs it for good when another
    // thread held an allocator lock at the fork (the sanitizers' allocator
    // takes no care of fork).
    buffer.open(command, redi::pstreams::pstdout | redi::pstreams::pstderr);
    ::sigaction(SIGPIPE, &previous, nullptr);
}
}

ShellProcess::Result ShellProcess::run(const std::string& command)
{
    Result result;
    PipeBuffer buffer;
    // Default SIGPIPE, so that "producer | head" ends quietly instead of
    // writing "Broken pipe" errors that would look like a failure.
    openWithSigpipe(buffer, command, SIG_DFL);
    if (!buffer.is_open())
        return result;
    result.started = true;

    pollfd fds[2] = {{buffer.outFd(), POLLIN, 0}, {buffer.errFd(), POLLIN, 0}};
    QByteArray* sinks[2] = {&result.out, &result.err};
    char chunk[1024];
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = ::read(fds[i].fd, chunk, sizeof chunk);
            if (n > 0) {
                sinks[i]->append(chunk, static_cast<int>(n));
            } else if (n == 0 || errno != EINTR) {
                fds[i].fd = -1; // end of file: keep draining the other pipe
                --open;
            }
        }
    }
    buffer.close();
    return result;
}

bool ShellProcess::start(const std::string& command)
{
    PipeBuffer buffer;
    // The job outlives the pipes, which are closed unread: it must survive
    // writing to them.
    openWithSigpipe(buffer, command, SIG_IGN);
    const bool started = buffer.is_open();
    buffer.close(); // waits for the shell, which returns once the job is in the background
    return started;
}
