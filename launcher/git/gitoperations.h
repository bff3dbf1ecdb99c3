#pragma once

#include <QString>
#include <QStringList>

// The git operations of the panel on one clone: their command lines, the
// order of their steps and the judging of their results. A result is judged
// by the state the step leaves in the clone (where HEAD is, a rebase or merge
// in progress, the branch or stash that exists) and by git's words only where
// git leaves no trace. Every step first checks that the clone is still there,
// so a folder removed meanwhile runs nothing.
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
        // The git part of the step that failed ("git checkout 11.0").
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

    QStringList diff() const;
    void stash() const;
    void stashPop() const;

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
    // fails ends the sequence.
    Outcome pull(const QString& branch, const QString& active) const;
    // Refused without a development remote.
    Outcome fetchAndRebase(const QString& branch, const QString& active, const QString& devRemote) const;
    Outcome cherryPick(const QString& hash) const;
    Outcome fetchAll() const;
    // False when git reports no upstream for the branch.
    bool hasUpstream(const QString& name) const;
    Outcome deleteBranch(const QString& name) const;

    // What `git clean -qdfx` would delete, ignored files included.
    QStringList cleanCandidates() const;
    // Deletes these paths (as cleanCandidates gave them) and nothing else,
    // even if more has appeared since they were listed.
    Outcome clean(const QStringList& paths) const;

    // Opens the page in the desktop's browser without waiting for it; the
    // command is traced, and nothing runs in sandbox mode.
    static void openInBrowser(const QString& url);

private:
    Outcome runStep(const QString& gitPart, const QStringList& failMarkers, bool splatOnMarkers,
                    bool ignoreStderr = true) const;
    QStringList query(const QString& gitPart) const;
    bool gitFileExists(const QString& name) const;
    QString stashTop() const;
    Outcome updateOtherBranch(const QString& branch, const QString& active, const QString& update) const;

    char letter;
    QString repo;
};
