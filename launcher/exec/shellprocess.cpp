#include "shellprocess.h"

#include <pstreams/pstream.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

extern char** environ;

namespace {
bool turnsEventLoop = true;

// Starts the shell with the given SIGPIPE disposition, which it and its
// children inherit; the launcher's own disposition is restored afterwards.
void openWithSigpipe(redi::pstreambuf& buffer, const std::string& command, void (*disposition)(int))
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

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// One running shell: its pid, the read ends of its two pipes and, where the
// kernel offers it, a descriptor that becomes readable when the shell ends.
struct Child {
    pid_t pid = -1;
    int fds[2] = {-1, -1};
    int exitFd = -1;
    bool reaped = false;
    int status = 0;

    ~Child()
    {
        closeFd(fds[0]);
        closeFd(fds[1]);
        closeFd(exitFd);
    }

    bool readingDone() const { return fds[0] < 0 && fds[1] < 0; }

    bool reap(bool block)
    {
        while (!reaped) {
            const pid_t got = ::waitpid(pid, &status, block ? 0 : WNOHANG);
            if (got == pid)
                reaped = true;
            else if (got == 0 || errno != EINTR)
                break;
        }
        return reaped;
    }

    int exitStatus() const
    {
        if (WIFEXITED(status))
            return WEXITSTATUS(status);
        if (WIFSIGNALED(status))
            return 128 + WTERMSIG(status);
        return -1;
    }

    // SIGTERM first, so git removes its lock files; whatever is left of the
    // group a moment later is killed.
    void endGroup()
    {
        ::kill(-pid, SIGTERM);
        ::kill(-pid, SIGCONT);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 100) {
            reap(false);
            if (reaped && ::kill(-pid, 0) != 0)
                return;
            ::usleep(2000);
        }
        ::kill(-pid, SIGKILL);
        reap(true);
    }
};

bool spawnShell(const std::string& command, Child& child)
{
    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0)
        return false;
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    // Default SIGPIPE, so that "producer | head" ends quietly instead of
    // writing "Broken pipe" errors that would look like a failure.
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    // A session of its own: one group to end on Cancel, and no terminal for
    // a credential prompt to stop on.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* const argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(command.c_str()),
                          nullptr};
    // posix_spawn allocates nothing between fork and exec.
    const int failure = ::posix_spawn(&child.pid, "/bin/sh", &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (failure != 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        return false;
    }
    child.fds[0] = outPipe[0];
    child.fds[1] = errPipe[0];
    for (const int fd : child.fds)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    child.exitFd = static_cast<int>(::syscall(SYS_pidfd_open, child.pid, 0));
    return true;
}

// Reads what is there; false at end of file. Bounded, so a command that
// writes without pause cannot keep the event loop from turning.
bool drain(int fd, QByteArray& sink)
{
    char chunk[65536];
    for (int round = 0; round < 16; ++round) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            sink.append(chunk, static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && errno == EAGAIN;
    }
    return true;
}

// Reads in poll() until both pipes are at their end, or `withinMs` has passed
// (never when negative); false when cancelled or poll() failed.
bool readPolling(Child& child, ShellProcess::Result& result, const std::function<bool()>& cancelRequested,
                 int withinMs)
{
    QByteArray* sinks[2] = {&result.out, &result.err};
    QElapsedTimer clock;
    clock.start();
    while (!child.readingDone()) {
        if (cancelRequested && cancelRequested()) {
            result.cancelled = true;
            return false;
        }
        int timeout = cancelRequested ? 20 : -1;
        if (withinMs >= 0) {
            const int left = withinMs - int(clock.elapsed());
            if (left <= 0)
                return true;
            timeout = timeout < 0 ? left : std::min(timeout, left);
        }
        pollfd fds[2] = {{child.fds[0], POLLIN, 0}, {child.fds[1], POLLIN, 0}};
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR)
            return false;
        for (int i = 0; i < 2; ++i)
            if (child.fds[i] >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) && !drain(child.fds[i], *sinks[i]))
                closeFd(child.fds[i]);
    }
    return true;
}

void waitPolling(Child& child, ShellProcess::Result& result, const std::function<bool()>& cancelRequested)
{
    readPolling(child, result, cancelRequested, -1);
}

void waitTurningEvents(Child& child, ShellProcess::Result& result, const std::function<bool()>& cancelRequested)
{
    // Most commands end within a few milliseconds: waiting for those in
    // poll() costs less than setting the event loop up to turn meanwhile.
    if (!readPolling(child, result, cancelRequested, ShellProcess::quickWaitMs))
        return;
    if (child.readingDone()) {
        if (child.exitFd >= 0) {
            pollfd exited = {child.exitFd, POLLIN, 0};
            ::poll(&exited, 1, ShellProcess::quickWaitMs);
        }
        if (child.reap(false))
            return;
    }

    // The handlers below run inside processEvents(); an event loop object
    // would not do, since once the application is quitting exec() returns
    // at once without handling anything.
    QObject context;
    bool done = false;
    bool inputHeldBack = true;
    const auto finish = [&] { done = true; };
    const auto finishIfEnded = [&] {
        if (child.readingDone() && child.reap(false))
            finish();
    };

    QByteArray* sinks[2] = {&result.out, &result.err};
    std::unique_ptr<QSocketNotifier> notifiers[2];
    for (int i = 0; i < 2; ++i) {
        if (child.fds[i] < 0)
            continue;
        notifiers[i] = std::make_unique<QSocketNotifier>(child.fds[i], QSocketNotifier::Read);
        QSocketNotifier* notifier = notifiers[i].get();
        QObject::connect(notifier, &QSocketNotifier::activated, &context, [&, i, notifier] {
            if (child.fds[i] < 0 || drain(child.fds[i], *sinks[i]))
                return;
            notifier->setEnabled(false);
            closeFd(child.fds[i]);
            finishIfEnded();
        });
    }
    std::unique_ptr<QSocketNotifier> exitNotifier;
    if (child.exitFd >= 0) {
        exitNotifier = std::make_unique<QSocketNotifier>(child.exitFd, QSocketNotifier::Read);
        QObject::connect(exitNotifier.get(), &QSocketNotifier::activated, &context, [&] {
            exitNotifier->setEnabled(false);
            finishIfEnded();
        });
    }
    // Looks for Cancel, and for the shell's end where no exit descriptor tells.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &context, [&] {
        if (cancelRequested && cancelRequested()) {
            result.cancelled = true;
            finish();
            return;
        }
        finishIfEnded();
    });
    tick.start(child.exitFd >= 0 ? 20 : 5);
    QTimer release;
    release.setSingleShot(true);
    QObject::connect(&release, &QTimer::timeout, &context, [&] { inputHeldBack = false; });
    release.start(ShellProcess::inputHeldBackMs);

    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents
                                        | (inputHeldBack ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents));
    for (auto& notifier : notifiers)
        if (notifier)
            notifier->setEnabled(false);
    if (exitNotifier)
        exitNotifier->setEnabled(false);
}
}

ShellProcess::Result ShellProcess::run(const std::string& command, const std::function<bool()>& cancelRequested)
{
    Result result;
    Child child;
    if (!spawnShell(command, child))
        return result;
    result.started = true;

    QCoreApplication* application = QCoreApplication::instance();
    if (turnsEventLoop && application && QThread::currentThread() == application->thread())
        waitTurningEvents(child, result, cancelRequested);
    else
        waitPolling(child, result, cancelRequested);

    if (result.cancelled)
        child.endGroup();
    else
        child.reap(true);
    result.exitStatus = child.reaped ? child.exitStatus() : -1;
    return result;
}

void ShellProcess::setTurnsEventLoop(bool turns)
{
    turnsEventLoop = turns;
}

bool ShellProcess::start(const std::string& command)
{
    redi::pstreambuf buffer;
    // The job outlives the pipes, which are closed unread: it must survive
    // writing to them.
    openWithSigpipe(buffer, command, SIG_IGN);
    const bool started = buffer.is_open();
    buffer.close(); // waits for the shell, which returns once the job is in the background
    return started;
}
