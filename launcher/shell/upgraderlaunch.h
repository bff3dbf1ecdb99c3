#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

// Starts the upgrader with superuser rights through gksudo and judges how
// that went. gksudo stays until the upgrader has ended and returns its status,
// or the elevating tool's when the password is refused or the request
// dismissed, so the launcher waits for it: only then is it known whether the
// update ran.
class UpgraderLaunch
{
    Q_DECLARE_TR_FUNCTIONS(UpgraderLaunch)

public:
    enum class Result {
        Ran,          // the upgrader ran and ended with status 0
        NoGksudo,     // no gksudo on the PATH
        NoUpgrader,   // the install directory holds no runnable upgrader
        NotStarted,   // /bin/sh could not be started
        Failed,       // gksudo ended with another status: refused, dismissed, or the upgrader failed
        TimedOut,     // still busy at the deadline
        Cancelled     // the user stopped waiting
    };
    struct Outcome {
        Result result = Result::Ran;
        int status = 0;     // gksudo's exit status for Failed
        QString errors;     // gksudo's error output, for the user
    };

    // "cd '<install dir>' && exec gksudo '<install dir>/KydVeltUpgrader' 0.9.10 1 '<cache>'":
    // the installed upgrader by its absolute path, from the install
    // directory, whatever the launcher's own working directory; it takes the
    // manifest and the new upgrader from the launcher's cache folder.
    static QString command(const QString& installDir, bool acceptBeta, const QString& cacheDir);

    // Checks that gksudo and the upgrader are there, starts the command and
    // waits for gksudo's end, keeping the events flowing. At `deadlineMs`, or
    // as soon as `cancelled` holds, gksudo is ended and the wait fails.
    static Outcome run(bool acceptBeta, const QString& cacheDir, int deadlineMs,
                       const std::function<bool()>& cancelled = nullptr);

    // What the box tells when the upgrader did not run; empty for Ran.
    static QString failureText(const Outcome& outcome);
};
