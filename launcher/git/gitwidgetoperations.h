#pragma once

#include <QCoreApplication>
#include <QString>

class GitOperations;
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

private:
    void updateSelectedBranch(bool rebasing);
    void cherryPickCommit(const QString& hash);
    void reloadRepository();
    // One step that needs no question, then the branch view drawn again.
    void runThenReload(const QString& name, void (GitOperations::*step)() const);

    GitWidget& panel;
};
