#pragma once

#include "gitcommit.h"

#include <QList>
#include <QString>
#include <QStringList>

// A local branch of a clone with the commits loaded for it so far, newest
// first. Owns its commits.
class GitBranch
{
public:
    static constexpr int pageSize = 20;

    GitBranch() = default;
    GitBranch(const GitBranch&) = delete;
    GitBranch& operator=(const GitBranch&) = delete;
    ~GitBranch();

    // Replaces `commits` with the newest `count` commits of the branch.
    void loadCommits(char letter, QString repo, int count);
    void clearCommits();
    // A branch shown while a rebase is in progress has no history of its own.
    bool isRebasing() const;
    // `git branch` describes a HEAD on no branch between parentheses, with
    // blanks no branch name can hold: "(HEAD detached at eeb319a)".
    static bool namesNoBranch(const QString& listed);
    static bool namesRebase(const QString& listed);
    // A feature branch whose first page of history was never read: it is
    // read when the branch is first shown in its panel. Version branches
    // show no history until asked for.
    bool historyPending() const { return !isVersion && !historyRead && !isRebasing(); }

    // The `git log` command that loadCommits runs.
    static QString logCommand(char letter, const QString& repo, const QString& branchName, int count);
    // Builds records from default-format `git log` output; lines before the
    // first "commit " line belong to no record and are dropped.
    static QList<GitCommit*> parseLog(const QStringList& lines, GitBranch* branch);

    bool isVersion = false;
    QString name;
    QList<GitCommit*> commits;

private:
    bool historyRead = false;
};
