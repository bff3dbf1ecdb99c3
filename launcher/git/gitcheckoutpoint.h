#pragma once

#include <QString>

// A checkout point kept in the workspace settings file as
// left + "<->" + right + "=-=>" + target.
struct GitCheckoutPoint
{
    QString target;
    QString left;
    QString right;
};
