#pragma once

#include "branchlist.h"
#include "gitbranch.h"
#include "gitcheckoutpoint.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the launcher knows of one clone: its local branches (version branches
// apart), the checked-out one, the branch names of both upstream remotes,
// the modified and untracked files and the checkout points of the workspace.
// Everything is read from git; the only write is adding a missing remote.
class GitRepository
{
public:
    GitRepository() = default;
    GitRepository(const GitRepository&) = delete;
    GitRepository& operator=(const GitRepository&) = delete;
    ~GitRepository();

    void initRepository(char letter, QString repo);
    void refreshUnstagedFiles(char letter, QString repo);
    GitBranch* addToBranches(QString name);
    void initBranch(char letter, QString repo, QString name);
    void refreshActiveBranch(QString name);
    void removeBranch(QString name);
    void cleanRepo();
    void loadCheckoutPoints(QStringList lines);
    QStringList getCheckoutPoints();

    // Every branch record, feature branches first, then version branches.
    QList<GitBranch*> allBranches() const { return branches + versionBranches; }

    static const QStringList& knownVersionNames();

    QList<GitBranch*> branches;
    QList<GitBranch*> versionBranches;
    GitBranch* activeBranch = nullptr;
    // The short hash of HEAD when it is on no branch (detached), else empty;
    // `activeBranch` is then null.
    QString detachedAt;
    QStringList versionNames;
    QList<GitCheckoutPoint> checkoutPoints;
    QStringList unstagedFiles;
    QStringList untrackedFiles;
    BranchList branchList;
    QStringList& localBranchNames = branchList.localBranchNames;
    QStringList& mainRemoteBranches = branchList.mainRemoteBranches;
    QStringList& devRemoteBranches = branchList.devRemoteBranches;
    int latestVersion = 11;
    QString mainRemoteName;
    QString devRemoteName;

private:
    void deleteBranches();
    void readRemotes(char letter, const QString& repo);
    void offerMissingRemote(char letter, const QString& repo, bool development);
    QStringList readRemoteBranches(char letter, const QString& repo, const QString& remote);
};
