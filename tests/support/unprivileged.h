#pragma once

#include <QString>

#include <sys/types.h>

// While alive, the process acts as an ordinary user, so file permissions
// apply to it as they do to the launcher's users (root would bypass them).
// Only the effective ids change: the destructor takes root back. Without root
// to begin with, nothing changes and permissions already apply.
class Unprivileged
{
public:
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    // False when the switch was needed but failed.
    bool ok() const { return switched || !wasRoot; }
    static constexpr uid_t nobody = 65534;

    // An ordinary account with a name, for a program a test runs as someone
    // else (the superuser's test runs it with setpriv or runuser): "postgres"
    // when there is one, else the system account "kvltest", created once.
    // Empty, with `error` set, when there is none and none can be made.
    static QString account(QString* error);

private:
    bool wasRoot = false;
    bool switched = false;
};
