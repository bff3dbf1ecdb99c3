#include "unprivileged.h"

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
