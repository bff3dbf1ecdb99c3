#include "gitprompts.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>

// Texts of the git panel, in its translation context.

namespace GitPrompts {

namespace {
QString errorsOf(const GitOperations::Outcome& outcome)
{
    return outcome.errors.join("\n");
}

QString stashKeptNote()
{
    return QCoreApplication::translate("GitWidget", "The changes put aside by \"git stash\" are still in the stash.");
}
}

StashChoice askStashBeforeCheckout(QWidget* panel)
{
    const auto choice = QMessageBox::question(
        panel, QCoreApplication::translate("GitWidget", "Stash"), QCoreApplication::translate("GitWidget", "There is unstaged changes on your current branch. Do you want to stash them?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (choice == QMessageBox::Yes)
        return StashChoice::Stash;
    return choice == QMessageBox::No ? StashChoice::Keep : StashChoice::Cancel;
}

bool askPopAfterCheckout(QWidget* panel)
{
    if (QMessageBox::question(panel, QCoreApplication::translate("GitWidget", "Stash"), QCoreApplication::translate("GitWidget", "Checkout executed. Do you want to apply your stash now?"),
                              QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        return true;
    QMessageBox::information(panel, QCoreApplication::translate("GitWidget", "No stash pop"),
                             QCoreApplication::translate("GitWidget", "You choose to NOT pop your stash. This program won't care anymore of that stash. Don't forget to recover it manually!"));
    return false;
}

void checkoutFailed(QWidget* panel, const QString& branch, const GitOperations::Outcome& outcome)
{
    QString text = QCoreApplication::translate("GitWidget", "The branch %1 could not be checked out:\n%2").arg(branch, errorsOf(outcome));
    if (outcome.stashKept)
        text += "\n" + stashKeptNote();
    QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Checkout failed"), text);
}

bool askLeaveDetachedHead(QWidget* panel, const QString& commit)
{
    return QMessageBox::question(panel, QCoreApplication::translate("GitWidget", "Detached HEAD"),
                                 QCoreApplication::translate("GitWidget", "HEAD is detached at %1 and holds commits that no branch holds. Once HEAD leaves them, only the reflog finds them. Leave them anyway?").arg(commit),
                                 QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void needsCurrentBranch(QWidget* panel, const QString& operation, const QString& head)
{
    QMessageBox::warning(panel, operation,
                         QCoreApplication::translate("GitWidget", "%1 needs a checked-out branch, and the clone is on none (%2). Check out a branch first. Nothing was run.").arg(operation, head));
}

void stepNotDone(QWidget* panel, const QString& failedTitle, const GitOperations::Outcome& outcome)
{
    QString text = outcome.cancelled
        ? QCoreApplication::translate("GitWidget", "The step \"%1\" was cancelled; the steps after it were not run.").arg(outcome.failedStep)
        : QCoreApplication::translate("GitWidget", "The step \"%1\" failed; the steps after it were not run.").arg(outcome.failedStep);
    if (outcome.stashKept)
        text += "\n" + stashKeptNote();
    if (outcome.cancelled)
        QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Cancelled"), text);
    else
        QMessageBox::warning(panel, failedTitle, text + "\n" + errorsOf(outcome));
}

void noRebaseTarget(QWidget* panel, const QString& onto)
{
    QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Rebase"),
                         QCoreApplication::translate("GitWidget", "\"%1\" names no branch to rebase on. Nothing was run.").arg(onto));
}

void rebaseDone(QWidget* panel, const QString& branch, const QString& onto, const GitOperations::Outcome& outcome,
                bool stillInProgress)
{
    if (outcome)
        QMessageBox::information(panel, QCoreApplication::translate("GitWidget", "Rebase ") + branch + QCoreApplication::translate("GitWidget", " on ") + onto,
                                 QCoreApplication::translate("GitWidget", "Rebase executed"));
    else if (stillInProgress)
        QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Rebase failed"),
                             QCoreApplication::translate("GitWidget", "The rebase of %1 on %2 stopped before its end and is still in progress in the clone: finish it there, or run \"git rebase --abort\".\n%3")
                                 .arg(branch, onto, errorsOf(outcome)));
    else
        QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Rebase failed"),
                             QCoreApplication::translate("GitWidget", "The rebase of %1 on %2 failed.\n%3").arg(branch, onto, errorsOf(outcome)));
}

QString askNewBranchName(QWidget* panel, const QString& start)
{
    bool accepted = false;
    const QString name = QInputDialog::getText(panel, QCoreApplication::translate("GitWidget", "Branch Name"), QCoreApplication::translate("GitWidget", "Choose the name of your branch"),
                                               QLineEdit::Normal, start.split('/').last(), &accepted);
    return accepted ? name : QString();
}

void branchExists(QWidget* panel, const QString& name)
{
    QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Branch Name"),
                         QCoreApplication::translate("GitWidget", "A branch named %1 exists already. Nothing was run.").arg(name));
}

void noStartPoint(QWidget* panel, const QString& start)
{
    QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Branch Name"),
                         QCoreApplication::translate("GitWidget", "\"%1\" names no branch to start from. Nothing was run.").arg(start));
}

void noDevelopmentRemote(QWidget* panel)
{
    QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Fetch and rebase"),
                         QCoreApplication::translate("GitWidget", "This clone has no development remote to fetch from. Nothing was run."));
}

void updateDone(QWidget* panel, bool rebasing, const GitOperations::Outcome& outcome)
{
    if (outcome) {
        if (rebasing)
            QMessageBox::information(panel, "Fetch and rebase", "Fetch and rebase executed");
        else
            QMessageBox::information(panel, "Git pull", "Pull executed");
        return;
    }
    stepNotDone(panel, rebasing ? QCoreApplication::translate("GitWidget", "Fetch and rebase failed") : QCoreApplication::translate("GitWidget", "Pull failed"),
                outcome);
}

QString askCommitHash(QWidget* panel, bool* accepted)
{
    return QInputDialog::getText(panel, QCoreApplication::translate("GitWidget", "Commit hash"), QCoreApplication::translate("GitWidget", "Enter the hash of the commit to cherry-pick:"),
                                 QLineEdit::Normal, QString(), accepted);
}

void cherryPickDone(QWidget* panel, const GitOperations::Outcome& outcome)
{
    if (!outcome.ran)
        QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Commit hash"), QCoreApplication::translate("GitWidget", "No commit hash was given. Nothing was run."));
    else if (outcome)
        QMessageBox::information(panel, "Cherry pick", "Cherry pick executed");
}

void nothingToClean(QWidget* panel)
{
    QMessageBox::information(panel, QCoreApplication::translate("GitWidget", "Clean"), QCoreApplication::translate("GitWidget", "There is nothing to clean: no untracked or ignored file."));
}

bool askClean(QWidget* panel, const QStringList& paths)
{
    const int shown = 30;
    QString list = paths.mid(0, shown).join("\n");
    if (paths.size() > shown)
        list += "\n" + QCoreApplication::translate("GitWidget", "…and %1 more").arg(paths.size() - shown);
    const QString text =
        QCoreApplication::translate("GitWidget", "There is untracked files on your current directory. Are you SURE to want to launch a git clean -dfx as you will lose them?")
        + "\n\n"
        + QCoreApplication::translate("GitWidget", "These files and folders will be deleted, ignored ones included:\n%1\n\nNothing is deleted if you answer No.")
              .arg(list);
    return QMessageBox::question(panel, QCoreApplication::translate("GitWidget", "Untracked files"), text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void cleanDone(QWidget* panel, const GitOperations::Outcome& outcome)
{
    if (!outcome)
        QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Clean"),
                             QCoreApplication::translate("GitWidget", "Some of the files could not be deleted.\n%1").arg(errorsOf(outcome)));
}

void cannotDeleteActive(QWidget* panel)
{
    QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Change branch"),
                         QCoreApplication::translate("GitWidget", "You can't delete the branch you are currently on. Please change it before..."));
}

bool askDeleteWithoutUpstream(QWidget* panel)
{
    return QMessageBox::question(panel, QCoreApplication::translate("GitWidget", "No upstream"),
                                 QCoreApplication::translate("GitWidget", "There is no upstream configured on this branch. Are you sure to want to delete this branch wtihout having pushed it?"),
                                 QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void fetchAllDone(QWidget* panel, const GitOperations::Outcome& outcome)
{
    if (outcome)
        QMessageBox::information(panel, "Fetch --all", "Fetch --all executed.");
    else
        QMessageBox::warning(panel, QCoreApplication::translate("GitWidget", "Fetch --all failed"),
                             QCoreApplication::translate("GitWidget", "git fetch --all did not fetch every remote:\n%1").arg(errorsOf(outcome)));
}

}
