#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The git operations of the panel on one clone: their command lines, the
// order of their steps and the judging of their results. A step is judged by
// git's exit status and, where it matters, by the state it leaves in the
// clone (where HEAD is, a rebase or merge in progress, the branch that
// exists, the files on disk), never by the words git prints. A step that
// failed opens the Bug Splat window with git's output; a step the person
// cancelled does not, and nothing after it runs. Every step first checks
// that the clone is still there, so a folder removed meanwhile runs nothing.
//
// Holds nothing but the clone's name: the panel makes one on its stack for
// each operation, and it stays valid when the panel goes while a step waits.
class GitOperations
{
public:
    struct Outcome {
        bool succeeded = false;
        // False when the operation was refused before anything ran.
        bool ran = false;
        // False when the clone folder was gone at some step.
        bool cloneFound = true;
        // The person cancelled the step: neither success nor failure, and
        // the clone is as git left it.
        bool cancelled = false;
        // The git part of the step that failed or was cancelled
        // ("git checkout 11.0 --").
        QString failedStep;
        // Output and error lines of the last step run.
        QStringList output;
        QStringList errors;
        // A stash made by the sequence that it did not pop back.
        bool stashKept = false;
        explicit operator bool() const { return succeeded; }
    };

    GitOperations(char letter, const QString& repo);

    // "cd ~/Documents/velt-servers/server_<letter>/<repo> && "
    QString prefix() const;
    // "cd ~/Documents/velt-servers/server_<letter>/<repo>", typed into the
    // failure window's terminal.
    QString cdLine() const;
    bool cloneExists() const;

    // What the clone is in.
    bool headIs(const QString& branch) const;
    bool branchExists(const QString& name) const;
    bool rebaseInProgress() const;
    bool hasTrackedChanges() const;
    // The commit HEAD names ("" when none).
    QString headCommit() const;
    // HEAD holds commits that no branch, tag or remote branch holds: once
    // HEAD leaves them, only the reflog finds them.
    bool headHasOwnCommits() const;

    // `git diff`; its output is in the outcome.
    Outcome diff() const;
    // Done when no tracked change is left behind.
    Outcome stash() const;
    Outcome stashPop() const;

    Outcome checkout(const QString& name) const;
    // Refused when `onto` names no branch (empty, or a remote with nothing
    // after its "/").
    Outcome rebase(const QString& onto, const QString& branch) const;
    // Refused when a branch of that name exists already.
    Outcome createBranch(const QString& name, const QString& start) const;
    // `branch` updated while `active` stays the checked-out one: [git stash],
    // git checkout <branch>, the update, git checkout <active>, [git stash
    // pop]. The stash steps run only when tracked files are changed (an empty
    // stash would make the pop apply some older one). The first step that
    // fails or is cancelled ends the sequence.
    Outcome pull(const QString& branch, const QString& active) const;
    // Refused without a development remote.
    Outcome fetchAndRebase(const QString& branch, const QString& active, const QString& devRemote) const;
    Outcome cherryPick(const QString& hash) const;
    Outcome fetchAll() const;
    // False when git finds no upstream for the branch.
    bool hasUpstream(const QString& name) const;
    Outcome deleteBranch(const QString& name) const;

    // What `git clean -qdfx` deletes, ignored files included, as git names
    // them: paths relative to the clone, byte for byte, folders ending in "/".
    QList<QByteArray> cleanCandidates() const;
    // Deletes these paths (as cleanCandidates gave them) and nothing else,
    // even if more has appeared since they were listed, however many they are.
    Outcome clean(const QList<QByteArray>& paths) const;

    // Opens the page in the desktop's browser without waiting for it; the
    // command is traced, and nothing runs in sandbox mode.
    static void openInBrowser(const QString& url);

private:
    // Runs one step; it succeeded when git exits with 0 and `leftAsMeant`
    // (when given) finds the clone in the state the step is for.
    Outcome runStep(const QString& gitPart, const std::function<bool()>& leftAsMeant = nullptr) const;
    // A question about the clone's state: its first output line when git
    // answered with success, "" otherwise. Opens no window.
    QString answer(const QString& gitPart) const;
    bool gitFileExists(const QString& name) const;
    Outcome updateOtherBranch(const QString& branch, const QString& active, const QString& update) const;

    char letter;
    QString repo;
};
