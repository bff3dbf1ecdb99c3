// The git panel's operations: each entry point holds the operation gate,
// asks what it must, runs the steps of GitOperations and shows the result.
#include "gitwidget.h"
#include "ui_gitwidget.h"

#include "exec/operationgate.h"
#include "gitoperations.h"
#include "gitprompts.h"
#include "server/serverwidget.h"

#include <QListWidget>
#include <QPointer>

namespace {
const QString cancelled = QStringLiteral("Cancelled");
}

// ---------------------------------------------------------------- operations
//
// Each entry point holds the operation gate. After every wait (stopping the
// server, a question, the branch selector, the failure window inside a git
// step) the panel and its clone are looked at again before going on.

void GitWidget::checkout()
{
    const OperationGate::Hold hold(tr("Checkout"));
    const QString name = selectedItemName();
    if (!hold || name.isEmpty() || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    const GitOperations git(letter, repoName);
    if (!stopServer())
        return;
    const bool changed = !git.diff().isEmpty();
    if (!resumable(self))
        return;
    bool stashed = false;
    if (changed) {
        const GitPrompts::StashChoice choice = GitPrompts::askStashBeforeCheckout(this);
        if (!resumable(self) || choice == GitPrompts::StashChoice::Cancel)
            return;
        if (choice == GitPrompts::StashChoice::Stash) {
            git.stash();
            stashed = true;
            if (!resumable(self))
                return;
        }
    }
    const GitOperations::Outcome outcome = git.checkout(name);
    if (!self || reportUnrun(outcome))
        return;
    if (!outcome) {
        // Still on the branch the changes came from: they go back where they were.
        if (stashed)
            git.stashPop();
        if (self)
            GitPrompts::checkoutFailed(this, name, outcome);
    } else if (stashed && GitPrompts::askPopAfterCheckout(this) && resumable(self)) {
        git.stashPop();
    }
    if (!resumable(self))
        return;
    if (outcome)
        repository.refreshActiveBranch(name);
    updateTabTitle(true);
    repository.refreshUnstagedFiles(letter, repoName);
    markList();
    rebuildBranch();
    recheckVersion();
}

void GitWidget::rebase()
{
    const OperationGate::Hold hold(tr("Rebase"));
    const QString name = selectedItemName();
    if (!hold || name.isEmpty() || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    const GitOperations git(letter, repoName);
    if (!stopServer())
        return;
    const QString onto = askBranchSelector();
    if (!resumable(self) || onto == cancelled)
        return;
    const GitOperations::Outcome outcome = git.rebase(onto, name);
    if (!self)
        return;
    if (!outcome.ran && outcome.cloneFound)
        GitPrompts::noRebaseTarget(this, onto);
    if (reportUnrun(outcome))
        return;
    GitPrompts::rebaseDone(this, name, onto, outcome, git.rebaseInProgress());
    if (!resumable(self))
        return;
    if (outcome) {
        repository.refreshActiveBranch(name);
        if (GitBranch* branch = repository.activeBranch)
            branch->loadCommits(letter, repoName, qMax(branch->commits.size(), GitBranch::pageSize));
        if (!self)
            return;
        repository.refreshUnstagedFiles(letter, repoName);
        markList();
        rebuildBranch();
    } else {
        // What the clone is in now: a rebase in progress, or the old branch.
        reloadRepository();
    }
    if (!self)
        return;
    updateTabTitle(true);
    recheckVersion();
}

void GitWidget::on_bNewBranch_clicked()
{
    const OperationGate::Hold hold(tr("New Branch"));
    if (!hold || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    const GitOperations git(letter, repoName);
    const QString start = askBranchSelector();
    if (!resumable(self) || start == cancelled)
        return;
    const QString name = GitPrompts::askNewBranchName(this, start);
    if (!resumable(self) || name.isEmpty())
        return;
    // Its own name would be listed a second time; another one's is refused by git.
    if (git.branchExists(name))
        return GitPrompts::branchExists(this, name);
    const GitOperations::Outcome outcome = git.createBranch(name, start);
    if (!self)
        return;
    if (!outcome.ran && outcome.cloneFound)
        GitPrompts::noStartPoint(this, start);
    if (reportUnrun(outcome) || !outcome)
        return;
    ui->listWidget->addItem("  " + name);
    repository.initBranch(letter, repoName, name);
    if (!self)
        return;
    repository.refreshActiveBranch(name);
    updateTabTitle(false);
    repository.refreshUnstagedFiles(letter, repoName);
    markList();
    selectBranchRow(name);
}

void GitWidget::pull()
{
    const OperationGate::Hold hold(tr("Pull"));
    if (hold)
        updateSelectedBranch(false);
}

void GitWidget::fetch_and_rebase()
{
    const OperationGate::Hold hold(tr("Fetch and rebase"));
    if (hold)
        updateSelectedBranch(true);
}

void GitWidget::updateSelectedBranch(bool rebasing)
{
    GitBranch* branch = getCurrentBranch();
    if (!branch || !repository.activeBranch || !cloneIsUsable())
        return;
    if (rebasing && repository.devRemoteName.isEmpty())
        return GitPrompts::noDevelopmentRemote(this);
    const QString name = branch->name;
    const QString active = repository.activeBranch->name;
    const QPointer<GitWidget> self(this);
    const GitOperations git(letter, repoName);
    const GitOperations::Outcome outcome = rebasing ? git.fetchAndRebase(name, active, repository.devRemoteName)
                                                    : git.pull(name, active);
    if (!self || reportUnrun(outcome))
        return;
    GitPrompts::updateDone(this, rebasing, outcome);
    // A step that failed half-way may have left another branch checked out.
    if (!outcome && resumable(self)) {
        reloadRepository();
        if (self)
            updateTabTitle(true);
    }
}

void GitWidget::cherry_pick(QString hash)
{
    const OperationGate::Hold hold(tr("Cherry-pick"));
    if (hold)
        cherryPickCommit(hash);
}

void GitWidget::cherry_pick()
{
    const OperationGate::Hold hold(tr("Cherry-pick"));
    if (!hold)
        return;
    const QPointer<GitWidget> self(this);
    bool accepted = false;
    const QString hash = GitPrompts::askCommitHash(this, &accepted);
    if (self && accepted)
        cherryPickCommit(hash);
}

void GitWidget::cherryPickCommit(const QString& hash)
{
    if (!cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    const GitOperations::Outcome outcome = GitOperations(letter, repoName).cherryPick(hash);
    if (!self || (!outcome.cloneFound && reportUnrun(outcome)))
        return;
    GitPrompts::cherryPickDone(this, outcome);
    if (!outcome.ran || !resumable(self))
        return;
    // The pick lands on the checked-out branch; the one on screen may be another.
    if (GitBranch* active = repository.activeBranch)
        active->loadCommits(letter, repoName, qMax(active->commits.size(), GitBranch::pageSize));
    if (!self)
        return;
    if (GitBranch* branch = getCurrentBranch())
        if (branch != repository.activeBranch)
            branch->loadCommits(letter, repoName, branch->commits.size());
    if (!self)
        return;
    repository.refreshUnstagedFiles(letter, repoName);
    rebuildBranch();
}

void GitWidget::stash()
{
    const OperationGate::Hold hold(tr("Stash"));
    if (!hold || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    GitOperations(letter, repoName).stash();
    if (self)
        reloadBranchView();
}

void GitWidget::stashPop()
{
    const OperationGate::Hold hold(tr("Stash pop"));
    if (!hold || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    GitOperations(letter, repoName).stashPop();
    if (self)
        reloadBranchView();
}

void GitWidget::clean()
{
    const OperationGate::Hold hold(tr("Clean"));
    if (!hold || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    const GitOperations git(letter, repoName);
    const QStringList doomed = git.cleanCandidates();
    if (doomed.isEmpty())
        return GitPrompts::nothingToClean(this);
    const bool confirmed = GitPrompts::askClean(this, doomed);
    if (!resumable(self) || !confirmed || !stopServer())
        return;
    // Only what the person was shown goes, whatever appeared while the server stopped.
    const GitOperations::Outcome outcome = git.clean(doomed);
    if (!self || reportUnrun(outcome))
        return;
    GitPrompts::cleanDone(this, outcome);
    if (!resumable(self))
        return;
    // The file list on screen would otherwise name files that are gone.
    repository.refreshUnstagedFiles(letter, repoName);
    rebuildBranch();
}

void GitWidget::deleteBranch()
{
    const OperationGate::Hold hold(tr("Delete"));
    GitBranch* branch = getCurrentBranch();
    if (!hold || !branch)
        return;
    if (branch == repository.activeBranch)
        return GitPrompts::cannotDeleteActive(this);
    if (!cloneIsUsable())
        return;
    const QString name = branch->name;
    const QPointer<GitWidget> self(this);
    const GitOperations git(letter, repoName);
    if (!git.hasUpstream(name)) {
        const bool confirmed = GitPrompts::askDeleteWithoutUpstream(this);
        if (!resumable(self) || !confirmed)
            return;
    }
    const GitOperations::Outcome outcome = git.deleteBranch(name);
    if (!self || reportUnrun(outcome) || !outcome)
        return;
    for (GitBranch* record : repository.allBranches())
        if (record->name == name)
            watchedBranches.removeAll(record);
    repository.removeBranch(name);
    for (int i = ui->listWidget->count() - 1; i >= 0; --i)
        if (ui->listWidget->item(i)->text() == "  " + name)
            delete ui->listWidget->takeItem(i);
    rebuildBranch();
}

void GitWidget::reloadRepository()
{
    // The branch records are about to go: nothing may point at them, even
    // while a question box of the reload runs the event loop.
    watchedBranches.clear();
    // The checkout points belong to the workspace settings, not to git: a
    // reload must not drop them before the next save.
    const QList<GitCheckoutPoint> points = repository.checkoutPoints;
    {
        const QSignalBlocker blocker(ui->listWidget);
        ui->listWidget->clear();
    }
    const QPointer<GitWidget> self(this);
    repository.cleanRepo();
    repository.initRepository(letter, repoName);
    if (!self)
        return;
    repository.checkoutPoints = points;
    {
        const QSignalBlocker blocker(ui->listWidget);
        fillList();
    }
    repository.refreshUnstagedFiles(letter, repoName);
    if (!self)
        return;
    rebuildBranch();
    askAllVettor();
}

void GitWidget::on_bFetchAll_clicked()
{
    const OperationGate::Hold hold(tr("Fetch --all"));
    if (!hold || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    const GitOperations::Outcome outcome = GitOperations(letter, repoName).fetchAll();
    if (!self || reportUnrun(outcome))
        return;
    GitPrompts::fetchAllDone(this, outcome);
    if (resumable(self))
        reloadRepository();
}

void GitWidget::on_bRefreshList_clicked()
{
    const OperationGate::Hold hold(tr("Refresh list"));
    if (hold)
        reloadRepository();
}
