#include "gitwidgetoperations.h"
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

GitWidgetOperations::GitWidgetOperations(GitWidget& panel)
    : panel(panel)
{
}

// ---------------------------------------------------------------- operations
//
// Each entry point holds the operation gate. After every wait (stopping the
// server, a question, the branch selector, the failure window inside a git
// step) the panel and its clone are looked at again before going on.

bool GitWidgetOperations::mayLeaveHead(const GitOperations& git)
{
    const QPointer<GitWidget> self(&panel);
    if (!git.headHasOwnCommits())
        return true;
    const bool leave = GitPrompts::askLeaveDetachedHead(&panel, git.headCommit());
    return GitWidget::resumable(self) && leave;
}

bool GitWidgetOperations::reportCancelled(const GitOperations::Outcome& outcome)
{
    if (!outcome.cancelled)
        return false;
    GitPrompts::stepNotDone(&panel, QString(), outcome);
    panel.rereadWhenFree();
    return true;
}

bool GitWidgetOperations::needsActiveBranch(const QString& operation)
{
    if (panel.repository.activeBranch)
        return false;
    GitPrompts::needsCurrentBranch(&panel, operation, panel.headDescription());
    return true;
}

void GitWidgetOperations::checkout()
{
    const OperationGate::Hold hold(tr("Checkout"));
    const QString name = panel.selectedItemName();
    if (!hold || name.isEmpty() || !panel.cloneIsUsable())
        return;
    const QPointer<GitWidget> self(&panel);
    const GitOperations git(panel.letter, panel.repoName);
    if (!panel.stopServer() || !mayLeaveHead(git))
        return;
    const GitOperations::Outcome diff = git.diff();
    if (!GitWidget::resumable(self) || panel.reportUnrun(diff) || reportCancelled(diff) || !diff)
        return;
    bool stashed = false;
    if (!diff.output.isEmpty()) {
        const GitPrompts::StashChoice choice = GitPrompts::askStashBeforeCheckout(&panel);
        if (!GitWidget::resumable(self) || choice == GitPrompts::StashChoice::Cancel)
            return;
        if (choice == GitPrompts::StashChoice::Stash) {
            const GitOperations::Outcome stash = git.stash();
            if (!GitWidget::resumable(self) || panel.reportUnrun(stash) || reportCancelled(stash))
                return;
            if (!stash)
                return GitPrompts::stepNotDone(&panel, tr("Checkout failed"), stash);
            stashed = true;
        }
    }
    GitOperations::Outcome outcome = git.checkout(name);
    if (!self || panel.reportUnrun(outcome))
        return;
    outcome.stashKept = stashed;
    if (reportCancelled(outcome))
        return;
    if (!outcome) {
        // Still on the branch the changes came from: they go back where they were.
        if (stashed) {
            GitOperations::Outcome back = git.stashPop();
            back.stashKept = true;
            if (!self || reportCancelled(back))
                return;
            outcome.stashKept = !back;
        }
        GitPrompts::checkoutFailed(&panel, name, outcome);
    } else if (stashed && GitPrompts::askPopAfterCheckout(&panel) && GitWidget::resumable(self)) {
        GitOperations::Outcome pop = git.stashPop();
        pop.stashKept = true;
        if (!self || reportCancelled(pop))
            return;
        if (!pop)
            GitPrompts::stepNotDone(&panel, tr("Stash"), pop);
    }
    if (!GitWidget::resumable(self))
        return;
    if (outcome)
        panel.repository.refreshActiveBranch(name);
    panel.updateTabTitle(true);
    panel.repository.refreshUnstagedFiles(panel.letter, panel.repoName);
    panel.markList();
    panel.rebuildBranch();
    panel.recheckVersion();
}

void GitWidgetOperations::rebase()
{
    const OperationGate::Hold hold(tr("Rebase"));
    const QString name = panel.selectedItemName();
    if (!hold || name.isEmpty() || !panel.cloneIsUsable())
        return;
    const QPointer<GitWidget> self(&panel);
    const GitOperations git(panel.letter, panel.repoName);
    if (!panel.stopServer() || !mayLeaveHead(git))
        return;
    const QString onto = panel.askBranchSelector();
    if (!GitWidget::resumable(self) || onto == cancelled)
        return;
    const GitOperations::Outcome outcome = git.rebase(onto, name);
    if (!self)
        return;
    if (!outcome.ran && outcome.cloneFound)
        GitPrompts::noRebaseTarget(&panel, onto);
    if (panel.reportUnrun(outcome) || reportCancelled(outcome))
        return;
    GitPrompts::rebaseDone(&panel, name, onto, outcome, git.rebaseInProgress());
    if (!GitWidget::resumable(self))
        return;
    if (outcome) {
        panel.repository.refreshActiveBranch(name);
        if (GitBranch* branch = panel.repository.activeBranch)
            branch->loadCommits(panel.letter, panel.repoName, qMax(branch->commits.size(), GitBranch::pageSize));
        if (!self)
            return;
        panel.repository.refreshUnstagedFiles(panel.letter, panel.repoName);
        panel.markList();
        panel.rebuildBranch();
    } else {
        // What the clone is in now: a rebase in progress, or the old branch.
        reloadRepository();
    }
    if (!self)
        return;
    panel.updateTabTitle(true);
    panel.recheckVersion();
}

void GitWidgetOperations::newBranch()
{
    const OperationGate::Hold hold(tr("New Branch"));
    if (!hold || !panel.cloneIsUsable())
        return;
    const QPointer<GitWidget> self(&panel);
    const GitOperations git(panel.letter, panel.repoName);
    if (!mayLeaveHead(git))
        return;
    const QString start = panel.askBranchSelector();
    if (!GitWidget::resumable(self) || start == cancelled)
        return;
    const QString name = GitPrompts::askNewBranchName(&panel, start);
    if (!GitWidget::resumable(self) || name.isEmpty())
        return;
    // Its own name would be listed a second time; another one's is refused by git.
    if (git.branchExists(name))
        return GitPrompts::branchExists(&panel, name);
    const GitOperations::Outcome outcome = git.createBranch(name, start);
    if (!self)
        return;
    if (!outcome.ran && outcome.cloneFound)
        GitPrompts::noStartPoint(&panel, start);
    if (panel.reportUnrun(outcome) || reportCancelled(outcome) || !outcome)
        return;
    panel.ui->listWidget->addItem("  " + name);
    panel.repository.initBranch(panel.letter, panel.repoName, name);
    if (!self)
        return;
    panel.repository.refreshActiveBranch(name);
    panel.updateTabTitle(false);
    panel.repository.refreshUnstagedFiles(panel.letter, panel.repoName);
    panel.markList();
    panel.selectBranchRow(name);
}

void GitWidgetOperations::pull()
{
    const OperationGate::Hold hold(tr("Pull"));
    if (hold)
        updateSelectedBranch(false);
}

void GitWidgetOperations::fetchAndRebase()
{
    const OperationGate::Hold hold(tr("Fetch and rebase"));
    if (hold)
        updateSelectedBranch(true);
}

void GitWidgetOperations::updateSelectedBranch(bool rebasing)
{
    GitBranch* branch = panel.getCurrentBranch();
    if (!branch || !panel.cloneIsUsable() || needsActiveBranch(rebasing ? tr("Fetch and rebase") : tr("Pull")))
        return;
    if (rebasing && panel.repository.devRemoteName.isEmpty())
        return GitPrompts::noDevelopmentRemote(&panel);
    const QString name = branch->name;
    const QString active = panel.repository.activeBranch->name;
    const QPointer<GitWidget> self(&panel);
    const GitOperations git(panel.letter, panel.repoName);
    const QString headBefore = git.headCommit();
    const GitOperations::Outcome outcome = rebasing ? git.fetchAndRebase(name, active, panel.repository.devRemoteName)
                                                    : git.pull(name, active);
    if (!self || panel.reportUnrun(outcome) || reportCancelled(outcome))
        return;
    GitPrompts::updateDone(&panel, rebasing, outcome);
    if (!GitWidget::resumable(self))
        return;
    // A step that failed half-way may have left another branch checked out.
    if (!outcome) {
        reloadRepository();
        if (!self)
            return;
        panel.updateTabTitle(true);
    }
    // The server runs what is checked out: a pull of the checked-out branch,
    // or a sequence that stopped elsewhere, changed it.
    if (outcome.stashKept || git.headCommit() != headBefore)
        panel.recheckVersion();
}

void GitWidgetOperations::cherryPick(const QString& hash)
{
    const OperationGate::Hold hold(tr("Cherry-pick"));
    if (hold)
        cherryPickCommit(hash);
}

void GitWidgetOperations::cherryPick()
{
    const OperationGate::Hold hold(tr("Cherry-pick"));
    if (!hold)
        return;
    const QPointer<GitWidget> self(&panel);
    bool accepted = false;
    const QString hash = GitPrompts::askCommitHash(&panel, &accepted);
    if (self && accepted)
        cherryPickCommit(hash);
}

void GitWidgetOperations::cherryPickCommit(const QString& hash)
{
    if (!panel.cloneIsUsable() || needsActiveBranch(tr("Cherry-pick")))
        return;
    const QPointer<GitWidget> self(&panel);
    const GitOperations::Outcome outcome = GitOperations(panel.letter, panel.repoName).cherryPick(hash);
    if (!self || (!outcome.cloneFound && panel.reportUnrun(outcome)) || reportCancelled(outcome))
        return;
    GitPrompts::cherryPickDone(&panel, outcome);
    if (!outcome.ran || !GitWidget::resumable(self))
        return;
    // The pick lands on the checked-out branch; the one on screen may be another.
    if (GitBranch* active = panel.repository.activeBranch)
        active->loadCommits(panel.letter, panel.repoName, qMax(active->commits.size(), GitBranch::pageSize));
    if (!self)
        return;
    if (GitBranch* branch = panel.getCurrentBranch())
        if (branch != panel.repository.activeBranch && !branch->historyPending())
            branch->loadCommits(panel.letter, panel.repoName, branch->commits.size());
    if (!self)
        return;
    panel.repository.refreshUnstagedFiles(panel.letter, panel.repoName);
    panel.rebuildBranch();
}

void GitWidgetOperations::stash()
{
    runThenReload(tr("Stash"), &GitOperations::stash);
}

void GitWidgetOperations::stashPop()
{
    runThenReload(tr("Stash pop"), &GitOperations::stashPop);
}

void GitWidgetOperations::runThenReload(const QString& name, GitOperations::Outcome (GitOperations::*step)() const)
{
    const OperationGate::Hold hold(name);
    if (!hold || !panel.cloneIsUsable())
        return;
    const QPointer<GitWidget> self(&panel);
    const GitOperations::Outcome outcome = (GitOperations(panel.letter, panel.repoName).*step)();
    if (self && !reportCancelled(outcome))
        panel.reloadBranchView();
}

void GitWidgetOperations::clean()
{
    const OperationGate::Hold hold(tr("Clean"));
    if (!hold || !panel.cloneIsUsable())
        return;
    const QPointer<GitWidget> self(&panel);
    const GitOperations git(panel.letter, panel.repoName);
    const QList<QByteArray> doomed = git.cleanCandidates();
    if (!GitWidget::resumable(self))
        return;
    if (doomed.isEmpty())
        return GitPrompts::nothingToClean(&panel);
    QStringList names;
    for (const QByteArray& path : doomed)
        names << QString::fromUtf8(path);
    const bool confirmed = GitPrompts::askClean(&panel, names);
    if (!GitWidget::resumable(self) || !confirmed || !panel.stopServer())
        return;
    // Only what the person was shown goes, whatever appeared while the server stopped.
    const GitOperations::Outcome outcome = git.clean(doomed);
    if (!self || panel.reportUnrun(outcome) || reportCancelled(outcome))
        return;
    GitPrompts::cleanDone(&panel, outcome);
    if (!GitWidget::resumable(self))
        return;
    // The file list on screen would otherwise name files that are gone.
    panel.repository.refreshUnstagedFiles(panel.letter, panel.repoName);
    panel.rebuildBranch();
}

void GitWidgetOperations::deleteBranch()
{
    const OperationGate::Hold hold(tr("Delete"));
    GitBranch* branch = panel.getCurrentBranch();
    if (!hold || !branch)
        return;
    if (branch == panel.repository.activeBranch)
        return GitPrompts::cannotDeleteActive(&panel);
    if (!panel.cloneIsUsable())
        return;
    const QString name = branch->name;
    const QPointer<GitWidget> self(&panel);
    const GitOperations git(panel.letter, panel.repoName);
    if (!git.hasUpstream(name)) {
        const bool confirmed = GitPrompts::askDeleteWithoutUpstream(&panel);
        if (!GitWidget::resumable(self) || !confirmed)
            return;
    }
    const GitOperations::Outcome outcome = git.deleteBranch(name);
    if (!self || panel.reportUnrun(outcome) || reportCancelled(outcome) || !outcome)
        return;
    for (GitBranch* record : panel.repository.allBranches())
        if (record->name == name)
            panel.watchedBranches.removeAll(record);
    panel.repository.removeBranch(name);
    for (int i = panel.ui->listWidget->count() - 1; i >= 0; --i)
        if (panel.ui->listWidget->item(i)->text() == "  " + name)
            delete panel.ui->listWidget->takeItem(i);
    panel.rebuildBranch();
}

void GitWidgetOperations::reloadRepository()
{
    // The branch records are about to go: nothing may point at them, even
    // while a question box of the reload runs the event loop.
    panel.watchedBranches.clear();
    // The checkout points belong to the workspace settings, not to git: a
    // reload must not drop them before the next save.
    const QList<GitCheckoutPoint> points = panel.repository.checkoutPoints;
    {
        const QSignalBlocker blocker(panel.ui->listWidget);
        panel.ui->listWidget->clear();
    }
    const QPointer<GitWidget> self(&panel);
    panel.repository.cleanRepo();
    panel.repository.initRepository(panel.letter, panel.repoName);
    if (!self)
        return;
    panel.repository.checkoutPoints = points;
    {
        const QSignalBlocker blocker(panel.ui->listWidget);
        panel.fillList();
    }
    panel.repository.refreshUnstagedFiles(panel.letter, panel.repoName);
    if (!self)
        return;
    panel.rebuildBranch();
    panel.askAllVettor();
}

void GitWidgetOperations::fetchAll()
{
    const OperationGate::Hold hold(tr("Fetch --all"));
    if (!hold || !panel.cloneIsUsable())
        return;
    const QPointer<GitWidget> self(&panel);
    const GitOperations::Outcome outcome = GitOperations(panel.letter, panel.repoName).fetchAll();
    if (!self || panel.reportUnrun(outcome) || reportCancelled(outcome))
        return;
    GitPrompts::fetchAllDone(&panel, outcome);
    if (GitWidget::resumable(self))
        reloadRepository();
}

void GitWidgetOperations::refreshList()
{
    const OperationGate::Hold hold(tr("Refresh list"));
    if (hold)
        reloadRepository();
}
