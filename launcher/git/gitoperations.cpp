#include "gitoperations.h"

#include "clonelocation.h"
#include "exec/shellquote.h"
#include "exec/termexecutor.h"
#include "settings/configloader.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

#include <sys/stat.h>

namespace {
// A selector answer that names a branch: not empty, and not a remote name
// with nothing after its "/" (nor a "/" with no remote name before it).
bool namesBranch(const QString& answer)
{
    return !answer.isEmpty() && !answer.startsWith('/') && !answer.endsWith('/');
}

GitOperations::Outcome refused()
{
    return GitOperations::Outcome();
}

// Whether something is at `path`, a symbolic link itself included (never its
// target).
bool somethingAt(QByteArray path)
{
    while (path.endsWith('/'))
        path.chop(1);
    struct stat status;
    return ::lstat(path.constData(), &status) == 0;
}
}

GitOperations::GitOperations(char letter, const QString& repo)
    : letter(letter)
    , repo(repo)
{
}

QString GitOperations::prefix() const
{
    return CloneLocation::commandPrefix(letter, repo);
}

QString GitOperations::cdLine() const
{
    return CloneLocation::cdCommand(letter, repo);
}

bool GitOperations::cloneExists() const
{
    return CloneLocation::isWorkTree(letter, repo);
}

GitOperations::Outcome GitOperations::runStep(const QString& gitPart, const std::function<bool()>& leftAsMeant) const
{
    Outcome outcome;
    outcome.failedStep = gitPart.trimmed();
    // A wait before this step (a question, the failure window, stopping the
    // server) may have outlived the folder.
    if (!cloneExists()) {
        outcome.cloneFound = false;
        return outcome;
    }
    outcome.ran = true;
    TermExecutor* executor = TermExecutor::getSingleton();
    const QString command = prefix() + gitPart;
    const CommandResult result = executor->run(command);
    outcome.output = result.output;
    outcome.errors = result.errors;
    outcome.cancelled = result.cancelled;
    if (result.cancelled)
        return outcome;
    // In sandbox mode nothing ran: the step counts as done, with no state to
    // look at.
    const bool sandbox = ConfigLoader::getSingleton()->sandbox;
    outcome.succeeded = result.succeeded() && (sandbox || !leftAsMeant || leftAsMeant());
    if (!outcome.succeeded)
        executor->showSplat(command, result.output, result.errors, cdLine());
    return outcome;
}

QString GitOperations::answer(const QString& gitPart) const
{
    const CommandResult result = TermExecutor::getSingleton()->run(prefix() + gitPart);
    return result.succeeded() ? result.output.value(0) : QString();
}

bool GitOperations::gitFileExists(const QString& name) const
{
    return QFileInfo::exists(CloneLocation::directory(letter, repo) + "/.git/" + name);
}

bool GitOperations::headIs(const QString& branch) const
{
    // `rev-parse --abbrev-ref HEAD` says "heads/11.0" when a tag is named
    // like the branch; the symbolic ref is always the full name.
    return answer("git symbolic-ref -q HEAD") == "refs/heads/" + branch;
}

bool GitOperations::branchExists(const QString& name) const
{
    return !answer("git rev-parse --verify -q " + shellQuote("refs/heads/" + name)).isEmpty();
}

bool GitOperations::rebaseInProgress() const
{
    return gitFileExists("rebase-merge") || gitFileExists("rebase-apply");
}

bool GitOperations::hasTrackedChanges() const
{
    return !answer("git status --porcelain --untracked-files=no").isEmpty();
}

QString GitOperations::headCommit() const
{
    return answer("git rev-parse -q --verify HEAD");
}

bool GitOperations::headHasOwnCommits() const
{
    return !answer("git rev-list -n 1 HEAD --not --branches --tags --remotes").isEmpty();
}

GitOperations::Outcome GitOperations::diff() const
{
    return runStep("git diff\n");
}

GitOperations::Outcome GitOperations::stash() const
{
    return runStep("git stash", [this] { return !hasTrackedChanges(); });
}

GitOperations::Outcome GitOperations::stashPop() const
{
    return runStep("git stash pop");
}

GitOperations::Outcome GitOperations::checkout(const QString& name) const
{
    if (name.isEmpty())
        return refused();
    // "--": a name that is also a path still means the branch, and a branch
    // that is gone is refused instead of restoring the files of that path.
    return runStep("git checkout " + shellQuote(name) + " --", [&] { return headIs(name); });
}

GitOperations::Outcome GitOperations::rebase(const QString& onto, const QString& branch) const
{
    if (!namesBranch(onto) || branch.isEmpty())
        return refused();
    // A rebase that stops (a conflict, an untracked file in the way) leaves
    // HEAD detached and the rebase in progress.
    return runStep("git rebase " + shellQuote(onto) + " " + shellQuote(branch),
                   [&] { return !rebaseInProgress() && headIs(branch); });
}

GitOperations::Outcome GitOperations::createBranch(const QString& name, const QString& start) const
{
    if (name.isEmpty() || !namesBranch(start) || branchExists(name))
        return refused();
    return runStep("git checkout -b " + shellQuote(name) + " " + shellQuote(start) + " --",
                   [&] { return headIs(name); });
}

GitOperations::Outcome GitOperations::updateOtherBranch(const QString& branch, const QString& active,
                                                        const QString& update) const
{
    if (branch.isEmpty() || active.isEmpty())
        return refused();
    if (!cloneExists()) {
        Outcome gone;
        gone.cloneFound = false;
        return gone;
    }
    bool stashed = false;
    Outcome outcome;
    auto ended = [&] {
        outcome.stashKept = stashed;
        return outcome;
    };
    if (hasTrackedChanges()) {
        outcome = stash();
        if (!outcome)
            return ended();
        stashed = true;
    }
    outcome = checkout(branch);
    if (!outcome)
        return ended();
    outcome = runStep(update, [&] {
        return headIs(branch) && !rebaseInProgress() && !gitFileExists("MERGE_HEAD");
    });
    if (!outcome)
        return ended();
    outcome = checkout(active);
    if (!outcome || !stashed)
        return ended();
    // A pop that conflicts keeps its entry.
    outcome = stashPop();
    stashed = !outcome;
    return ended();
}

GitOperations::Outcome GitOperations::pull(const QString& branch, const QString& active) const
{
    return updateOtherBranch(branch, active, "git pull");
}

GitOperations::Outcome GitOperations::fetchAndRebase(const QString& branch, const QString& active,
                                                     const QString& devRemote) const
{
    // Without a remote, `git pull --rebase` would pull the branch's own upstream.
    if (devRemote.isEmpty())
        return refused();
    return updateOtherBranch(branch, active, "git pull --rebase " + shellQuote(devRemote));
}

GitOperations::Outcome GitOperations::cherryPick(const QString& hash) const
{
    if (hash.trimmed().isEmpty())
        return refused();
    const QString before = headCommit();
    return runStep("git cherry-pick " + shellQuote(hash) + "\n",
                   [&] { return !gitFileExists("CHERRY_PICK_HEAD") && headCommit() != before; });
}

GitOperations::Outcome GitOperations::fetchAll() const
{
    // git exits with failure when some remote could not be fetched.
    return runStep("git fetch --all\n");
}

bool GitOperations::hasUpstream(const QString& name) const
{
    const QString gitPart = "git rev-parse --abbrev-ref " + shellQuote(name) + "@{upstream}\n";
    return TermExecutor::getSingleton()->run(prefix() + gitPart).succeeded();
}

GitOperations::Outcome GitOperations::deleteBranch(const QString& name) const
{
    if (name.isEmpty())
        return refused();
    return runStep("git branch -D " + shellQuote(name), [&] { return !branchExists(name); });
}

QList<QByteArray> GitOperations::cleanCandidates() const
{
    QList<QByteArray> paths;
    QTemporaryFile list;
    if (!cloneExists() || !list.open())
        return paths;
    // NUL-separated, through a file: every name comes back as git wrote it,
    // quotes, backslashes, line breaks and bytes that are no UTF-8 included.
    // Without exclusions, the others are the untracked and the ignored files.
    if (!runStep("git ls-files -z --others --directory > " + shellQuote(list.fileName())))
        return paths;
    const QByteArray top = QFile::encodeName(CloneLocation::directory(letter, repo)) + '/';
    for (const QByteArray& path : list.readAll().split('\0')) {
        if (path.isEmpty())
            continue;
        // A repository of its own inside the clone: git clean leaves it alone.
        if (path.endsWith('/') && somethingAt(top + path + ".git"))
            continue;
        paths << path;
    }
    return paths;
}

GitOperations::Outcome GitOperations::clean(const QList<QByteArray>& paths) const
{
    QTemporaryFile list;
    if (paths.isEmpty() || !list.open())
        return refused();
    for (const QByteArray& path : paths)
        list.write(path + '\0');
    list.flush();
    const QByteArray top = QFile::encodeName(CloneLocation::directory(letter, repo)) + '/';
    // The paths reach git through xargs, NUL-separated: no limit on their
    // number or length, no quoting. Literal pathspecs: a file named "*.txt"
    // stands for itself only.
    return runStep("xargs -0 git --literal-pathspecs clean -qdfx -- < " + shellQuote(list.fileName()), [&] {
        for (const QByteArray& path : paths)
            if (somethingAt(top + path))
                return false;
        return true;
    });
}

void GitOperations::openInBrowser(const QString& url)
{
    const ConfigLoader* config = ConfigLoader::getSingleton();
    if (config->trace)
        TermExecutor::getSingleton()->saveCommandTrace("xdg-open " + shellQuote(url));
    if (config->sandbox)
        return;
    // Detached, its output going nowhere: an opener that runs the browser
    // in the foreground must not hold the launcher until the browser ends.
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({url});
    opener.setStandardInputFile(QProcess::nullDevice());
    opener.setStandardOutputFile(QProcess::nullDevice());
    opener.setStandardErrorFile(QProcess::nullDevice());
    opener.startDetached();
}
