#include "gitbranch.h"

#include "clonelocation.h"
#include "exec/shellquote.h"

GitBranch::~GitBranch()
{
    clearCommits();
}

void GitBranch::clearCommits()
{
    qDeleteAll(commits);
    commits.clear();
}

bool GitBranch::isRebasing() const
{
    return namesRebase(name);
}

bool GitBranch::namesNoBranch(const QString& listed)
{
    return listed.startsWith('(') && listed.contains(' ');
}

bool GitBranch::namesRebase(const QString& listed)
{
    return listed.contains(QLatin1String("no branch, rebasing"));
}

namespace {
// "--": a branch named like a top-level folder is still the branch.
QString logPart(const QString& branchName, int count)
{
    return "git log -" + QString::number(count) + " " + shellQuote(branchName) + " --";
}
}

QString GitBranch::logCommand(char letter, const QString& repo, const QString& branchName, int count)
{
    return CloneLocation::commandPrefix(letter, repo) + logPart(branchName, count);
}

void GitBranch::loadCommits(char letter, QString repo, int count)
{
    clearCommits();
    historyRead = true;
    if (isRebasing())
        return;
    const CommandResult result = CloneLocation::runJudged(letter, repo, logPart(name, count));
    commits = parseLog(result.succeeded() ? result.output : QStringList(), this);
}

QList<GitCommit*> GitBranch::parseLog(const QStringList& lines, GitBranch* branch)
{
    QList<GitCommit*> result;
    GitCommit* current = nullptr;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("commit "))) {
            if (current)
                result.append(current);
            current = new GitCommit;
            current->branch = branch;
            current->hash = line.mid(7);
        } else if (!current) {
            continue;
        } else if (line.startsWith(QLatin1String("Author: ")) && current->author.isEmpty()) {
            current->author = line.mid(8);
        } else if (line.startsWith(QLatin1String("Date:   ")) && current->date.isEmpty()) {
            current->date = line.mid(8);
        } else if (line.startsWith(QLatin1String("Merge: ")) && current->merge.isEmpty()) {
            current->merge = line.mid(7);
        } else {
            current->message += line + "\n";
        }
    }
    if (current)
        result.append(current);
    return result;
}
