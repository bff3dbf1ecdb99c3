#pragma once

#include <QCoreApplication>
#include <QString>

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
        Ran,          // the upgrader ran (gksudo ended with status 0, or is still busy at the deadline)
        NoGksudo,     // no gksudo on the PATH
        NoUpgrader,   // the install directory holds no runnable upgrader
        NotStarted,   // /bin/sh could not be started
        Failed        // gksudo ended with another status: refused, dismissed, or the upgrader failed
    };
    struct Outcome {
        Result result = Result::Ran;
        int status = 0;     // gksudo's exit status for Failed
        QString errors;     // gksudo's error output, for the user
    };

    // "cd '<install dir>' && exec gksudo '<install dir>/KydVeltUpgrader' 0.9.10 1":
    // by its absolute path, from the install directory, whatever the
    // launcher's own working directory.
    static QString command(const QString& installDir, bool acceptBeta);

    // Checks that gksudo and the upgrader are there, starts the command and
    // waits for gksudo's end, at most `deadlineMs`, keeping the events flowing.
    static Outcome run(bool acceptBeta, int deadlineMs);

    // What the box tells when the upgrader did not run; empty for Ran.
    static QString failureText(const Outcome& outcome);
};
