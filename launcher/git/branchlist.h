#pragma once

#include <QStringList>

// The branch names a clone knows: local ones, those of the main remote and
// those of the development remote, in this order.
struct BranchList
{
    QStringList localBranchNames;
    QStringList mainRemoteBranches;
    QStringList devRemoteBranches;
};
