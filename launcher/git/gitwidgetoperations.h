#pragma once

#include "gitoperations.h"

#include <QCoreApplication>
#include <QString>

class GitWidget;

// The git panel's operations: each entry point holds the operation gate,
// asks what it must, runs the steps of GitOperations and shows the result.
// Owned by the panel, which forwards its slots here.
class GitWidgetOperations
{
    // The texts are the panel's: translations keep their context.
    Q_DECLARE_TR_FUNCTIONS(GitWidget)
public:
    explicit GitWidgetOperations(GitWidget& panel);

    void checkout();
    void rebase();
    void newBranch();
    void pull();
    void fetchAndRebase();
    void cherryPick(const QString& hash);
    // Asks for the hash first.
    void cherryPick();
    void stash();
    void stashPop();
    void clean();
    void deleteBranch();
    void fetchAll();
    void refreshList();

    // Reads the whole clone again: branches, remotes, files, CI status.
    void reloadRepository();

private:
    void updateSelectedBranch(bool rebasing);
    void cherryPickCommit(const QString& hash);
    // One step that needs no question, then the branch view drawn again.
    void runThenReload(const QString& name, GitOperations::Outcome (GitOperations::*step)() const);
    // Asks before HEAD leaves commits that no branch holds; true to go on.
    bool mayLeaveHead(const GitOperations& git);
    // True when the step was cancelled: said so, and the clone is read again
    // once the operation has ended.
    bool reportCancelled(const GitOperations::Outcome& outcome);
    // True, with the refusal shown, when the clone has no checked-out branch.
    bool needsActiveBranch(const QString& operation);

    GitWidget& panel;
};
