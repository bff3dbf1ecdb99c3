#pragma once

#include <QString>

class GitBranch;

// One commit as `git log` prints it in its default format.
class GitCommit
{
public:
    QString author;
    QString message;
    QString hash;
    QString date;
    QString merge;
    GitBranch* branch = nullptr; // the branch whose history loaded it; not owned
};
