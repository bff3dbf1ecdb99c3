#include "upgraderlaunch.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "exec/shellquote.h"
#include "exec/termexecutor.h"
#include "launcherversion.h"
#include "manifest.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
// The last lines of what gksudo printed, enough to tell why it failed.
QString tail(const QByteArray& errors)
{
    QStringList lines = QString::fromLocal8Bit(errors).trimmed().split('\n');
    return lines.mid(qMax(0, lines.size() - 5)).join('\n');
}
}

QString UpgraderLaunch::command(const QString& installDir, bool acceptBeta, const QString& cacheDir)
{
    return "cd " + shellQuote(installDir) + " && exec gksudo " + shellQuote(installDir + "/KydVeltUpgrader") + " "
        + LauncherVersion::number() + " " + (acceptBeta ? "1" : "0") + " " + shellQuote(cacheDir);
}

UpgraderLaunch::Outcome UpgraderLaunch::run(bool acceptBeta, const QString& cacheDir, int deadlineMs,
                                            const std::function<bool()>& cancelled)
{
    Outcome outcome;
    if (QStandardPaths::findExecutable("gksudo").isEmpty()) {
        outcome.result = Result::NoGksudo;
        return outcome;
    }
    const QFileInfo upgrader(Manifest::upgraderPath());
    if (!upgrader.isFile() || !upgrader.isExecutable()) {
        outcome.result = Result::NoUpgrader;
        return outcome;
    }

    const QString line = command(Deployment::installDir(), acceptBeta, cacheDir);
    TermExecutor::getSingleton()->saveCommandTrace(line);
    // The error output goes to a file, not a pipe: the upgrader may write to
    // it after the launcher has ended, which must not kill it.
    QTemporaryFile errors;
    if (!errors.open()) {
        outcome.result = Result::NotStarted;
        return outcome;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, errors.handle(), STDERR_FILENO);
    const QByteArray utf8 = line.toUtf8();
    char shell[] = "/bin/sh", dashC[] = "-c";
    char* argv[] = {shell, dashC, const_cast<char*>(utf8.constData()), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, shell, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        outcome.result = Result::NotStarted;
        return outcome;
    }

    int status = 0;
    bool stopped = false;
    const bool ended = cooperativeWait(deadlineMs, [&] {
        stopped = cancelled && cancelled();
        return stopped || waitpid(pid, &status, WNOHANG) == pid;
    });
    if (!ended || stopped) {
        // gksudo is the user's: ending it withdraws a pending password
        // request (the elevating tool refuses to act once its parent has
        // gone); an upgrader already running as root holds its last step
        // against stop signals.
        kill(pid, SIGTERM);
        cooperativeWait(2000, [&] { return waitpid(pid, &status, WNOHANG) == pid; });
        outcome.result = stopped ? Result::Cancelled : Result::TimedOut;
        return outcome;
    }
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (outcome.status != 0) {
        outcome.result = Result::Failed;
        errors.seek(0);
        outcome.errors = tail(errors.readAll());
    }
    return outcome;
}

QString UpgraderLaunch::failureText(const Outcome& outcome)
{
    switch (outcome.result) {
    case Result::Ran:
        return QString();
    case Result::NoGksudo:
        return tr("The upgrader cannot be started: gksudo was not found. Install the launcher again, or put "
                  "gksudo on the PATH.");
    case Result::NoUpgrader:
        return tr("The upgrader cannot be started: %1 is missing or not executable.").arg(Manifest::upgraderPath());
    case Result::NotStarted:
        return tr("The upgrader cannot be started: the shell could not be run.");
    case Result::TimedOut:
        return tr("The upgrader did not end in time: the launcher stopped waiting for it and counts the update "
                  "as failed. Start the launcher again once the upgrader's window is closed.");
    case Result::Cancelled:
        return tr("The update was cancelled while the launcher waited for the upgrader.");
    case Result::Failed:
        break;
    }
    QString text = tr("The upgrader did not run with superuser rights: the password was refused, the request "
                      "dismissed, or the upgrader failed (gksudo ended with status %1).")
                       .arg(outcome.status);
    if (!outcome.errors.isEmpty())
        text += "\n\n" + outcome.errors;
    return text;
}
