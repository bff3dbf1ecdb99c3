#include "unprivileged.h"

#include <QProcess>

#include <pwd.h>
#include <unistd.h>

Unprivileged::Unprivileged()
{
    wasRoot = geteuid() == 0;
    if (!wasRoot)
        return;
    // The group first: once the user id is dropped, it could not be changed.
    if (setegid(nobody) != 0)
        return;
    if (seteuid(nobody) != 0) {
        setegid(0);
        return;
    }
    switched = true;
}

Unprivileged::~Unprivileged()
{
    if (!switched)
        return;
    if (seteuid(0) != 0 || setegid(0) != 0)
        _exit(3); // a test left without its privileges could not clean up
}

QString Unprivileged::account(QString* error)
{
    for (const char* name : {"postgres", "kvltest"})
        if (getpwnam(name))
            return QString::fromLatin1(name);
    if (QProcess::execute("useradd", {"--system", "--no-create-home", "--shell", "/usr/sbin/nologin", "kvltest"}) != 0
        || !getpwnam("kvltest")) {
        *error = "cannot create an unprivileged account";
        return QString();
    }
    return QStringLiteral("kvltest");
}
