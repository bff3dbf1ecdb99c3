#include "gitoperations.h"

#include "clonelocation.h"
#include "exec/outputlines.h"
#include "exec/shellquote.h"
#include "exec/termexecutor.h"
#include "settings/configloader.h"

#include <QFileInfo>
#include <QProcess>

namespace {
const QStringList stepMarkers = {"error", "fatal"};
const QStringList updateMarkers = {"error", "CONFLICT", "fatal"};

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

GitOperations::Outcome GitOperations::runStep(const QString& gitPart, const QStringList& failMarkers,
                                              bool splatOnMarkers, bool ignoreStderr) const
{
    Outcome outcome;
    outcome.failedStep = gitPart;
    // A wait before this step (a question, the failure window, stopping the
    // server) may have outlived the folder.
    if (!cloneExists()) {
        outcome.cloneFound = false;
        return outcome;
    }
    outcome.ran = true;
    const QByteArray line = (prefix() + gitPart).toUtf8();
    outcome.output = TermExecutor::getSingleton()->exec(line.constData(), outcome.errors, splatOnMarkers, failMarkers,
                                                        ignoreStderr, QStringList(), cdLine());
    // The failure window, when it opened, kept the output lines to itself:
    // each caller also reads the state the step left.
    outcome.succeeded = !anyLineContains(outcome.output, failMarkers) && !anyLineContains(outcome.errors, failMarkers);
    return outcome;
}

QStringList GitOperations::query(const QString& gitPart) const
{
    return TermExecutor::getSingleton()->exec(prefix() + gitPart, false);
}

bool GitOperations::gitFileExists(const QString& name) const
{
    return QFileInfo::exists(CloneLocation::directory(letter, repo) + "/.git/" + name);
}

bool GitOperations::headIs(const QString& branch) const
{
    // `rev-parse --abbrev-ref HEAD` says "heads/11.0" when a tag is named
    // like the branch; the symbolic ref is always the full name.
    return query("git symbolic-ref -q HEAD").value(0) == "refs/heads/" + branch;
}

bool GitOperations::branchExists(const QString& name) const
{
    return !query("git rev-parse --verify -q " + shellQuote("refs/heads/" + name)).isEmpty();
}

bool GitOperations::rebaseInProgress() const
{
    return gitFileExists("rebase-merge") || gitFileExists("rebase-apply");
}

bool GitOperations::hasTrackedChanges() const
{
    return !query("git status --porcelain --untracked-files=no").isEmpty();
}

QString GitOperations::stashTop() const
{
    return query("git rev-parse -q --verify refs/stash").value(0);
}

QStringList GitOperations::diff() const
{
    if (!cloneExists())
        return QStringList();
    return TermExecutor::getSingleton()->exec(prefix() + "git diff\n", true);
}

void GitOperations::stash() const
{
    if (cloneExists())
        TermExecutor::getSingleton()->exec(prefix() + "git stash", true);
}

void GitOperations::stashPop() const
{
    if (cloneExists())
        TermExecutor::getSingleton()->exec(prefix() + "git stash pop", true);
}

GitOperations::Outcome GitOperations::checkout(const QString& name) const
{
    if (name.isEmpty())
        return refused();
    // git reports the switch on standard error: only HEAD tells.
    Outcome outcome = runStep("git checkout " + shellQuote(name), QStringList(), false);
    outcome.succeeded = outcome.ran && headIs(name);
    return outcome;
}

GitOperations::Outcome GitOperations::rebase(const QString& onto, const QString& branch) const
{
    if (!namesBranch(onto) || branch.isEmpty())
        return refused();
    Outcome outcome = runStep("git rebase " + shellQuote(onto) + " " + shellQuote(branch),
                              {"CONFLICT", "--abort", "cannot", "fatal"}, true);
    // A rebase that stops (a conflict, an untracked file in the way) leaves
    // HEAD detached and the rebase in progress, whatever git printed.
    outcome.succeeded = outcome.ran && outcome.succeeded && !rebaseInProgress() && headIs(branch);
    return outcome;
}

GitOperations::Outcome GitOperations::createBranch(const QString& name, const QString& start) const
{
    if (name.isEmpty() || !namesBranch(start) || branchExists(name))
        return refused();
    Outcome outcome = runStep("git checkout -b " + shellQuote(name) + " " + shellQuote(start), stepMarkers, true);
    outcome.succeeded = outcome.ran && outcome.succeeded && headIs(name);
    return outcome;
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
    const bool stashing = hasTrackedChanges();
    const QString stashBefore = stashTop();
    Outcome outcome;
    auto ended = [&] {
        outcome.stashKept = stashing && stashTop() != stashBefore;
        return outcome;
    };
    if (stashing) {
        outcome = runStep("git stash", stepMarkers, true);
        outcome.succeeded = outcome.ran && outcome.succeeded && stashTop() != stashBefore && !hasTrackedChanges();
        if (!outcome)
            return ended();
    }
    outcome = runStep("git checkout " + shellQuote(branch), stepMarkers, true);
    outcome.succeeded = outcome.ran && headIs(branch);
    if (!outcome)
        return ended();
    outcome = runStep(update, updateMarkers, true);
    outcome.succeeded = outcome.ran && outcome.succeeded && headIs(branch) && !rebaseInProgress()
                        && !gitFileExists("MERGE_HEAD");
    if (!outcome)
        return ended();
    outcome = runStep("git checkout " + shellQuote(active), stepMarkers, true);
    outcome.succeeded = outcome.ran && headIs(active);
    if (!outcome || !stashing)
        return ended();
    outcome = runStep("git stash pop", {"error", "CONFLICT"}, true);
    // A pop that conflicts keeps its entry: the top is not the old one again.
    outcome.succeeded = outcome.ran && outcome.succeeded && stashTop() == stashBefore;
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
    const QString before = query("git rev-parse -q --verify HEAD").value(0);
    Outcome outcome = runStep("git cherry-pick " + shellQuote(hash) + "\n", {"error", "CONFLICT"}, true, false);
    outcome.succeeded = outcome.ran && !gitFileExists("CHERRY_PICK_HEAD")
                        && query("git rev-parse -q --verify HEAD").value(0) != before;
    return outcome;
}

GitOperations::Outcome GitOperations::fetchAll() const
{
    // git writes its progress on standard error; a fetch leaves nothing to
    // look at, so its words decide.
    return runStep("git fetch --all\n", {"error", "fatal", "conflict"}, true);
}

bool GitOperations::hasUpstream(const QString& name) const
{
    QStringList errors;
    const QByteArray line = (prefix() + "git rev-parse --abbrev-ref " + shellQuote(name) + "@{upstream}\n").toUtf8();
    TermExecutor::getSingleton()->exec(line.constData(), errors, false);
    return !anyLineContains(errors, {"fatal: "});
}

GitOperations::Outcome GitOperations::deleteBranch(const QString& name) const
{
    if (name.isEmpty())
        return refused();
    Outcome outcome = runStep("git branch -D " + shellQuote(name), QStringList(), true, false);
    outcome.succeeded = outcome.ran && !branchExists(name);
    return outcome;
}

QStringList GitOperations::cleanCandidates() const
{
    const QString would = QStringLiteral("Would remove ");
    QStringList paths;
    if (!cloneExists())
        return paths;
    for (const QString& line : query("git -c core.quotePath=false clean -ndx"))
        if (line.startsWith(would))
            paths << line.mid(would.size());
    return paths;
}

GitOperations::Outcome GitOperations::clean(const QStringList& paths) const
{
    if (paths.isEmpty())
        return refused();
    QString quoted;
    for (const QString& path : paths)
        quoted += " " + shellQuote(path);
    // Literal pathspecs: a file named "*.txt" stands for itself only.
    Outcome outcome = runStep("git --literal-pathspecs clean -qdfx --" + quoted, QStringList(), true, false);
    const QString top = CloneLocation::directory(letter, repo) + "/";
    outcome.succeeded = outcome.ran;
    for (const QString& path : paths)
        if (QFileInfo::exists(top + path))
            outcome.succeeded = false;
    return outcome;
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
