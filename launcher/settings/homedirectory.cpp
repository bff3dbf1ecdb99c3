#include "homedirectory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

QString homeDirectory()
{
    if (const char* home = std::getenv("HOME"))
        return QString::fromLocal8Bit(home);
    if (const passwd* entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_dir);
    return QString();
}
