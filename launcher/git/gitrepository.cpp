#include "gitrepository.h"

#include "clonelocation.h"
#include "exec/shellquote.h"
#include "remoterecognition.h"
#include "settings/configloader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("GitRepository", text);
}
}

GitRepository::~GitRepository()
{
    deleteBranches();
}

const QStringList& GitRepository::knownVersionNames()
{
    static const QStringList names = {
        "master", "saas-11.2", "saas-11.1", "11.0", "saas-18", "saas-17", "saas-16",
        "saas-15", "saas-14", "saas-13", "10.0", "saas-12", "saas-11", "saas-10",
        "saas-9", "saas-8", "saas-7", "9.0", "saas-6", "8.0"};
    return names;
}

void GitRepository::deleteBranches()
{
    qDeleteAll(branches);
    branches.clear();
    qDeleteAll(versionBranches);
    versionBranches.clear();
    activeBranch = nullptr;
}

void GitRepository::initRepository(char letter, QString repo)
{
    latestVersion = 11;
    versionNames << knownVersionNames();

    // A missing clone folder would make every `cd <clone>; git ...` run in
    // the launcher's working folder and describe some other repository.
    if (!CloneLocation::isWorkTree(letter, repo)) {
        deleteBranches();
        return;
    }

    const QStringList branchLines = CloneLocation::run(letter, repo, "git branch");
    deleteBranches();
    detachedAt.clear();
    bool detached = false;
    for (const QString& line : branchLines) {
        if (line.isEmpty())
            continue;
        const QString name = line.mid(2);
        // A HEAD on no branch is no branch to list or to act on; a rebase in
        // progress keeps its own row.
        if (GitBranch::namesNoBranch(name) && !GitBranch::namesRebase(name)) {
            detached = detached || line.startsWith('*');
            continue;
        }
        GitBranch* branch = addToBranches(name);
        if (line.startsWith('*'))
            activeBranch = branch;
    }
    if (detached)
        detachedAt = CloneLocation::run(letter, repo, "git rev-parse --short HEAD").value(0);
    // Histories are read when their branch is first shown (GitWidget).

    readRemotes(letter, repo);
    // In sandbox mode git prints nothing and nothing could be added: asking
    // about every clone's remotes at each start would only be noise.
    const bool sandbox = ConfigLoader::getSingleton()->sandbox;
    if (mainRemoteName.isEmpty() && !sandbox)
        offerMissingRemote(letter, repo, false);
    if (devRemoteName.isEmpty() && !sandbox)
        offerMissingRemote(letter, repo, true);

    mainRemoteBranches = readRemoteBranches(letter, repo, mainRemoteName);
    devRemoteBranches = readRemoteBranches(letter, repo, devRemoteName);

    localBranchNames.clear();
    for (const QString& line : CloneLocation::run(letter, repo, "git branch\n"))
        if (!GitBranch::namesNoBranch(line.mid(2)))
            localBranchNames << line.mid(2);
}

void GitRepository::readRemotes(char letter, const QString& repo)
{
    static const QRegularExpression blanks(QStringLiteral("[\\s]+"));
    for (const QString& line : CloneLocation::run(letter, repo, "git remote -v\n")) {
        const QStringList parts = line.split(blanks, Qt::SkipEmptyParts);
        if (parts.size() < 2)
            continue;
        switch (RemoteRecognition::classify(parts[1], repo)) {
        case RemoteRecognition::Upstream::Development:
            devRemoteName = parts[0];
            break;
        case RemoteRecognition::Upstream::Main:
            mainRemoteName = parts[0];
            break;
        case RemoteRecognition::Upstream::None:
            break;
        }
    }
}

void GitRepository::offerMissingRemote(char letter, const QString& repo, bool development)
{
    const QString where = QString(QChar(letter));
    const QString title = development ? tr("No velt-dev upstream") : tr("No origin upstream");
    const QString text = (development
        ? tr("There is no upstream to velt-dev encoded on the server %1 - %2. Do you want to create one?")
        : tr("There is no upstream to velt encoded on the server %1 - %2. Do you want to create one?"))
        .arg(where, repo);
    if (QMessageBox::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;

    const QString organisation = development ? QStringLiteral("velt-dev") : QStringLiteral("velt");
    bool accepted = false;
    const QString url = QInputDialog::getText(
        nullptr, development ? tr("velt-dev URL") : tr("origin URL"),
        development ? tr("Enter the URL of the Velt-dev Repository:") : tr("Enter the URL of the Velt Repository:"),
        QLineEdit::Normal, RemoteRecognition::proposedUrl(organisation, repo), &accepted);
    if (!accepted || url.isEmpty())
        return;
    // The URL is typed by the user: quoted so that it reaches git as one word.
    CloneLocation::run(letter, repo, "git remote add " + organisation + " " + shellQuote(url));
    if (development)
        devRemoteName = organisation;
    else
        mainRemoteName = organisation;
}

QStringList GitRepository::readRemoteBranches(char letter, const QString& repo, const QString& remote)
{
    QStringList names;
    if (remote.isEmpty())
        return names;
    const QString prefix = "remotes/" + remote + "/";
    // grep answers 1 when it finds nothing: a remote not fetched yet.
    const CommandResult listed = CloneLocation::runJudged(
        letter, repo, "git branch -a | grep remotes/" + shellQuote(remote) + "/*\n", 1);
    if (listed.cancelled || listed.exitStatus < 0 || listed.exitStatus > 1)
        return names;
    for (const QString& line : listed.output) {
        // grep's pattern also matches other remotes whose name starts with
        // this one ("velt" and "velt-dev"): only this remote's lines count.
        if (line.mid(2, prefix.size()) != prefix)
            continue;
        const QString name = line.mid(prefix.size() + 2);
        if (!name.contains(QLatin1String("HEAD")))
            names << name;
    }
    return names;
}

GitBranch* GitRepository::addToBranches(QString name)
{
    auto* branch = new GitBranch;
    branch->name = name;
    branch->isVersion = versionNames.contains(name, Qt::CaseSensitive);
    if (branch->isVersion)
        versionBranches.append(branch);
    else
        branches.append(branch);
    return branch;
}

void GitRepository::initBranch(char letter, QString repo, QString name)
{
    if (!localBranchNames.contains(name, Qt::CaseSensitive))
        localBranchNames.append(name);
    GitBranch* branch = addToBranches(name);
    branch->loadCommits(letter, repo, GitBranch::pageSize);
    activeBranch = branch;
}

void GitRepository::refreshActiveBranch(QString name)
{
    for (GitBranch* branch : allBranches())
        if (branch->name == name) {
            activeBranch = branch;
            detachedAt.clear();
        }
    unstagedFiles.clear();
    untrackedFiles.clear();
}

void GitRepository::removeBranch(QString name)
{
    auto forget = [&](QList<GitBranch*>& list) {
        for (int i = list.size() - 1; i >= 0; --i)
            if (list[i]->name == name) {
                GitBranch* branch = list.takeAt(i);
                if (branch == activeBranch)
                    activeBranch = nullptr;
                delete branch;
            }
    };
    forget(branches);
    forget(versionBranches);
}

void GitRepository::cleanRepo()
{
    deleteBranches();
    detachedAt.clear();
    versionNames.clear();
    checkoutPoints.clear();
    unstagedFiles.clear();
    untrackedFiles.clear();
    localBranchNames.clear();
    mainRemoteBranches.clear();
    devRemoteBranches.clear();
}

void GitRepository::refreshUnstagedFiles(char letter, QString repo)
{
    unstagedFiles.clear();
    untrackedFiles.clear();
    if (!CloneLocation::isWorkTree(letter, repo))
        return;
    for (const QString& line : CloneLocation::run(letter, repo, "git diff --name-only\n"))
        if (!line.isEmpty())
            unstagedFiles << line;
    for (const QString& line : CloneLocation::run(
             letter, repo, "git ls-files --other --directory --no-empty-directory --exclude-standard\n"))
        if (!line.isEmpty())
            untrackedFiles << line;
}

void GitRepository::loadCheckoutPoints(QStringList lines)
{
    checkoutPoints.clear();
    for (const QString& line : lines) {
        const QStringList first = line.split(QStringLiteral("=-=>"));
        const QStringList second = first.value(0).split(QStringLiteral("<->"));
        GitCheckoutPoint point;
        point.target = first.value(1);
        point.left = second.value(0);
        point.right = second.value(1);
        checkoutPoints.append(point);
    }
}

QStringList GitRepository::getCheckoutPoints()
{
    QStringList lines;
    for (const GitCheckoutPoint& point : checkoutPoints)
        lines << point.left + "<->" + point.right + "=-=>" + point.target;
    return lines;
}
