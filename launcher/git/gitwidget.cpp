#include "gitwidget.h"
#include "ui_gitwidget.h"

#include "branchselector.h"
#include "branchview.h"
#include "cistatus.h"
#include "clonelocation.h"
#include "deployment.h"
#include "exec/operationgate.h"
#include "gitoperations.h"
#include "gitprompts.h"
#include "server/serverwidget.h"

#include <QMenu>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace {
const QString cancelled = QStringLiteral("Cancelled");


// Takes every item out of a layout; widgets go later, nested layouts are
// emptied the same way.
void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget())
            widget->deleteLater();
        if (QLayout* child = item->layout())
            clearLayout(child);
        delete item;
    }
}
}

GitWidget::GitWidget(char letter, QString repoName, ServerWidget* server, QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::GitWidget)
    , letter(letter)
    , repoName(repoName)
    , cdPrefix(CloneLocation::commandPrefix(letter, repoName))
    , serverWidget(server)
{
    ui->setupUi(this);
    repository.initRepository(letter, repoName);
    fillList();

    commitFrame = new QFrame;
    new QGridLayout(commitFrame);
    delete ui->scrollCommits->takeWidget();
    ui->scrollCommits->setWidget(commitFrame);

    ui->listWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->listWidget, &QWidget::customContextMenuRequested, this, &GitWidget::showContextMenu);

    repository.refreshUnstagedFiles(letter, repoName);
    rebuildBranch();

    networkManager = new QNetworkAccessManager(this);
    askAllVettor();
    startVettorTimer();
}

GitWidget::~GitWidget()
{
    delete ui;
}

// ---------------------------------------------------------------- helpers

bool GitWidget::cloneIsUsable()
{
    if (CloneLocation::isWorkTree(letter, repoName))
        return true;
    QMessageBox::warning(this, tr("Clone not found"),
                         tr("The folder %1 is missing or is not a git work tree. Nothing was run.")
                             .arg(CloneLocation::directory(letter, repoName)));
    return false;
}

bool GitWidget::resumable(const QPointer<GitWidget>& panel)
{
    return panel && panel->cloneIsUsable();
}

bool GitWidget::stopServer()
{
    const QPointer<GitWidget> self(this);
    const QPointer<ServerWidget> server = serverWidget;
    if (server)
        server->sendCtrlC();
    // Stopping waits for the prompt: the tab may have gone meanwhile, and
    // with it this panel and the workspace folder.
    return resumable(self);
}

bool GitWidget::reportUnrun(const GitOperations::Outcome& outcome)
{
    if (outcome.ran)
        return false;
    if (!outcome.cloneFound)
        cloneIsUsable();
    return true;
}

void GitWidget::recheckVersion()
{
    ServerWidget* server = serverWidget;
    for (QWidget* ancestor = parentWidget(); !server && ancestor; ancestor = ancestor->parentWidget())
        server = qobject_cast<ServerWidget*>(ancestor);
    if (server)
        server->checkVersion();
}

QString GitWidget::selectedItemName() const
{
    const QListWidgetItem* item = ui->listWidget->currentItem();
    return item ? item->text().mid(2) : QString();
}

GitBranch* GitWidget::getCurrentBranch()
{
    const QListWidgetItem* item = ui->listWidget->currentItem();
    if (!item)
        return repository.activeBranch;
    const QString name = item->text().mid(2);
    GitBranch* found = nullptr;
    for (GitBranch* branch : repository.allBranches())
        if (branch->name == name)
            found = branch;
    return found ? found : repository.activeBranch;
}

QString GitWidget::tabTitle(bool translated) const
{
    const bool enterprise = repoName == QLatin1String("enterprise");
    const QString name = repository.activeBranch ? repository.activeBranch->name
                                                 : (translated ? tr("no branches found") : QStringLiteral("no branches found"));
    if (!translated)
        return (enterprise ? QStringLiteral("Enterprise (") : QStringLiteral("Community (")) + name + ")";
    return (enterprise ? tr("Enterprise (") : tr("Community (")) + name + tr(")");
}

void GitWidget::updateTabTitle(bool translated)
{
    if (!tabWidget)
        return;
    // This panel's own tab: the current tab may belong to the other clone.
    int index = tabWidget->indexOf(this);
    if (index < 0)
        index = tabWidget->currentIndex();
    tabWidget->setTabText(index, tabTitle(translated));
}

void GitWidget::fillList()
{
    ui->listWidget->clear();
    for (GitBranch* branch : repository.allBranches())
        ui->listWidget->addItem(branch->name);
    for (int i = 0; i < ui->listWidget->count(); ++i) {
        QListWidgetItem* item = ui->listWidget->item(i);
        const bool active = repository.activeBranch && item->text() == repository.activeBranch->name;
        item->setText((active ? "->" : "  ") + item->text());
    }
}

void GitWidget::markList()
{
    for (int i = 0; i < ui->listWidget->count(); ++i) {
        QListWidgetItem* item = ui->listWidget->item(i);
        const QString name = item->text().mid(2);
        const bool active = repository.activeBranch && name == repository.activeBranch->name;
        item->setText((active ? "->" : "  ") + name);
    }
}

void GitWidget::selectBranchRow(const QString& name)
{
    for (int i = 0; i < ui->listWidget->count(); ++i)
        if (ui->listWidget->item(i)->text().mid(2) == name) {
            ui->listWidget->setCurrentRow(i);
            return;
        }
}

QString GitWidget::askBranchSelector()
{
    auto* selector = new BranchSelector(repository.branchList, repository.mainRemoteName,
                                        repository.devRemoteName, window());
    QPointer<BranchSelector> guard(selector);
    const QString answer = selector->getBranchName();
    if (guard) {
        selector->close();
        delete selector;
    }
    return answer;
}

// ---------------------------------------------------------------- branch view

void GitWidget::rebuildBranch()
{
    if (QWidget* old = ui->scrollCommits->takeWidget()) {
        if (old->layout())
            clearLayout(old->layout());
        // A button of the old view may be the one whose click got us here.
        old->deleteLater();
    }
    auto* view = new BranchView;
    commitFrame = view;
    connect(view, &BranchView::refreshClicked, this, &GitWidget::refresh);
    connect(view, &BranchView::viewOnGithubClicked, this, &GitWidget::viewBranchOnGH);
    connect(view, &BranchView::cleanClicked, this, &GitWidget::clean);
    connect(view, &BranchView::cherryPickClicked, this, QOverload<>::of(&GitWidget::cherry_pick));
    connect(view, &BranchView::stashClicked, this, &GitWidget::stash);
    connect(view, &BranchView::stashPopClicked, this, &GitWidget::stashPop);
    connect(view, &BranchView::checkoutClicked, this, &GitWidget::checkout);
    connect(view, &BranchView::loadMoreClicked, this, &GitWidget::loadMore);
    connect(view, &BranchView::viewCommitClicked, this, &GitWidget::viewCommitOnGH);
    connect(view, &BranchView::cherryPickCommitClicked, this, QOverload<QString>::of(&GitWidget::cherry_pick));
    ui->scrollCommits->setWidget(view);
    ui->scrollCommits->setWidgetResizable(true);

    GitBranch* branch = getCurrentBranch();
    if (!branch) {
        std::fputs("No branches found on this repository...\n", stderr);
        return;
    }
    view->draw(branch, branch == repository.activeBranch, repository.unstagedFiles, repository.untrackedFiles,
               ui->listWidget->font());
}

void GitWidget::on_listWidget_currentRowChanged(int)
{
    rebuildBranch();
    GitBranch* branch = getCurrentBranch();
    if (branch && !watchedBranches.contains(branch)) {
        watchedBranches.append(branch);
        askVettor(branch->name, branch->isVersion);
    }
}

void GitWidget::showContextMenu(QPoint position)
{
    GitBranch* branch = getCurrentBranch();
    if (!branch || branch->isRebasing())
        return;
    QMenu menu(this);
    menu.addAction(tr("Checkout"), this, &GitWidget::checkout);
    menu.addAction(tr("Rebase"), this, &GitWidget::rebase);
    if (branch->isVersion)
        menu.addAction(tr("Pull"), this, &GitWidget::pull);
    else
        menu.addAction(tr("Fetch and rebase"), this, &GitWidget::fetch_and_rebase);
    menu.addAction(tr("View on Github"), this, &GitWidget::viewBranchOnGH);
    menu.addAction(tr("View on Vettor"), this, &GitWidget::viewBranchOnVettor);
    menu.addAction(tr("Delete"), this, &GitWidget::deleteBranch);
    menu.exec(ui->listWidget->mapToGlobal(position));
}

// ---------------------------------------------------------------- history paging

void GitWidget::loadMore()
{
    const OperationGate::Hold hold(tr("Load more..."));
    if (!hold)
        return;
    GitBranch* branch = getCurrentBranch();
    if (!branch || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    branch->loadCommits(letter, repoName, branch->commits.size() + GitBranch::pageSize);
    if (!self)
        return;
    auto* view = qobject_cast<BranchView*>(ui->scrollCommits->widget());
    if (!view || !view->appendNewCards(branch))
        rebuildBranch();
    QScrollBar* bar = ui->scrollCommits->verticalScrollBar();
    QTimer::singleShot(0, bar, [bar] { bar->setValue(bar->maximum()); });
}

void GitWidget::refresh()
{
    const OperationGate::Hold hold(tr("Refresh"));
    if (hold)
        reloadBranchView();
}

void GitWidget::reloadBranchView()
{
    GitBranch* branch = getCurrentBranch();
    if (!branch || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    branch->loadCommits(letter, repoName, branch->commits.size());
    if (!self)
        return;
    repository.refreshUnstagedFiles(letter, repoName);
    if (self)
        rebuildBranch();
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

// ---------------------------------------------------------------- web pages

QString GitWidget::branchWebUrl(const GitBranch* branch) const
{
    const QString organisation = branch->isVersion ? QStringLiteral("velt") : QStringLiteral("velt-dev");
    return Deployment::codeHostBase() + "/" + organisation + "/" + repoName + "/commits/" + branch->name;
}

QString GitWidget::commitWebUrl(const GitBranch* branch, const QString& hash) const
{
    const QString organisation = branch->isVersion ? QStringLiteral("velt") : QStringLiteral("velt-dev");
    return Deployment::codeHostBase() + "/" + organisation + "/" + repoName + "/commit/" + hash;
}

void GitWidget::viewBranchOnGH()
{
    const OperationGate::Hold hold(tr("View on Github"));
    if (!hold)
        return;
    if (GitBranch* branch = getCurrentBranch())
        GitOperations::openInBrowser(branchWebUrl(branch));
}

void GitWidget::viewCommitOnGH(QString hash)
{
    const OperationGate::Hold hold(tr("View the commit on Github"));
    if (!hold)
        return;
    if (GitBranch* branch = getCurrentBranch())
        GitOperations::openInBrowser(commitWebUrl(branch, hash));
}

void GitWidget::viewBranchOnVettor()
{
    const OperationGate::Hold hold(tr("View on Vettor"));
    if (!hold)
        return;
    if (GitBranch* branch = getCurrentBranch())
        GitOperations::openInBrowser(CiStatus::pageUrl(repoName, branch->isVersion, branch->name));
}

// ---------------------------------------------------------------- CI status

void GitWidget::askAllVettor()
{
    for (GitBranch* branch : repository.versionBranches) {
        watchedBranches.append(branch);
        askVettor(branch->name, true);
    }
    for (GitBranch* branch : repository.branches)
        askVettor(branch->name, false);
    if (repository.activeBranch && !watchedBranches.contains(repository.activeBranch))
        watchedBranches.append(repository.activeBranch);
}

void GitWidget::startVettorTimer()
{
    vettorTimer = new QTimer(this);
    connect(vettorTimer, &QTimer::timeout, this, &GitWidget::updateVettor);
    vettorTimer->start(60000 + int(QRandomGenerator::global()->bounded(10000u)));
}

void GitWidget::askVettor(QString branch, bool isVersion)
{
    QNetworkReply* reply = networkManager->get(QNetworkRequest(QUrl(CiStatus::pageUrl(repoName, isVersion, branch))));
    // The name travels with the reply: the URL may come back percent-encoded.
    reply->setProperty("branchName", branch);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { refreshVettor(reply); });
}

void GitWidget::refreshVettor(QObject* data)
{
    auto* reply = qobject_cast<QNetworkReply*>(data);
    if (!reply)
        return;
    const QVariant carried = reply->property("branchName");
    const QString branch = carried.isValid() ? carried.toString() : CiStatus::branchOfUrl(reply->url().toString());
    if (reply->error() == QNetworkReply::NoError) {
        QByteArray body = reply->readAll();
        const int nul = body.indexOf('\0');
        if (nul >= 0)
            body.truncate(nul);
        const QColor colour = CiStatus::colourForBranch(QString::fromLatin1(body), branch);
        if (colour.isValid())
            for (int i = 0; i < ui->listWidget->count(); ++i) {
                QListWidgetItem* item = ui->listWidget->item(i);
                if (item->text().mid(2) == branch)
                    item->setBackground(QBrush(colour));
            }
    }
    reply->deleteLater();
}

void GitWidget::updateVettor()
{
    for (GitBranch* branch : watchedBranches)
        askVettor(branch->name, branch->isVersion);
}
