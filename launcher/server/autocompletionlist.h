#pragma once

#include <QStringList>

// Module names offered by the install and upgrade fields' completers.
class AC_list
{
public:
    static QStringList modules;
    // Fills `modules`; called once at start-up, before any tab exists.
    static void init();
};
