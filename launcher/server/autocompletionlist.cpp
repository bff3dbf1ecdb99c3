#include "autocompletionlist.h"

QStringList AC_list::modules;

void AC_list::init()
{
    // The built-in module list arrives with module-name completion.
    modules.clear();
}
