#include "gitwidget.h"
#include "ui_gitwidget.h"

#include "branchselector.h"
#include "branchview.h"
#include "cistatus.h"
#include "clonelocation.h"
#include "deployment.h"
#include "exec/operationgate.h"
#include "gitoperations.h"
#include "server/runcontrol.h"
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

    commitFrame = new QFrame;
    new QGridLayout(commitFrame);
    delete ui->scrollCommits->takeWidget();
    ui->scrollCommits->setWidget(commitFrame);

    ui->listWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->listWidget, &QWidget::customContextMenuRequested, this, &GitWidget::showContextMenu);

    networkManager = new QNetworkAccessManager(this);
    // A CI page is read where it is asked, as Qt 5 did by default: a redirect
    // is not followed (Qt 6 would follow it).
    networkManager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    if (!server)
        readClone();
}

void GitWidget::readClone()
{
    if (cloneRead)
        return;
    cloneRead = true;
    const QPointer<GitWidget> self(this);
    repository.initRepository(letter, repoName);
    if (!self)
        return;
    fillList();
    repository.refreshUnstagedFiles(letter, repoName);
    if (!self)
        return;
    rebuildBranch();
    if (!self)
        return;
    askAllVettor();
    startVettorTimer();
    updateTabTitle(true);
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
    const bool stopped = !server || server->sendCtrlC();
    // Stopping waits for the prompt: the tab may have gone meanwhile, and
    // with it this panel and the workspace folder.
    if (!self)
        return false;
    // Nothing is said when the person cancelled.
    if (!stopped && server && server->run->ending() == RunControl::Ending::NotStopped)
        QMessageBox::warning(
            this, tr("Server not stopped"),
            tr("The server of this workspace did not stop on Ctrl+C, so \"%1\" did not run. End what runs in the server terminal, then try again.")
                .arg(OperationGate::shared().inProgress()));
    return stopped && resumable(self);
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

QString GitWidget::headDescription(bool translated) const
{
    if (repository.activeBranch)
        return repository.activeBranch->name;
    if (!repository.detachedAt.isEmpty())
        return (translated ? tr("detached at %1") : QStringLiteral("detached at %1")).arg(repository.detachedAt);
    return translated ? tr("no branches found") : QStringLiteral("no branches found");
}

QString GitWidget::tabTitle(bool translated) const
{
    const bool enterprise = repoName == QLatin1String("enterprise");
    const QString name = headDescription(translated);
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
    drawBranch(true);
}

void GitWidget::drawBranch(bool mayRunGit)
{
    GitBranch* branch = getCurrentBranch();
    if (mayRunGit && branch && branch->historyPending() && CloneLocation::isWorkTree(letter, repoName)) {
        const QPointer<GitWidget> self(this);
        branch->loadCommits(letter, repoName, GitBranch::pageSize);
        if (!self)
            return;
    }

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

    branch = getCurrentBranch();
    if (!branch) {
        std::fputs("No branches found on this repository...\n", stderr);
        return;
    }
    view->draw(branch, branch == repository.activeBranch, repository.unstagedFiles, repository.untrackedFiles,
               ui->listWidget->font());
}

void GitWidget::on_listWidget_currentRowChanged(int)
{
    const QPointer<GitWidget> self(this);
    GitBranch* branch = getCurrentBranch();
    if (branch && branch->historyPending()) {
        // Reading it runs git, which may wait on a Bug Splat window: under
        // the gate. While something else waits, the branch shows at once and
        // its history follows.
        if (OperationGate::shared().busy())
            drawBranch(false);
        OperationGate::shared().whenFree(this, tr("loading the history"), [this] { showPendingHistory(); });
        if (!self)
            return;
    } else {
        rebuildBranch();
    }
    branch = getCurrentBranch();
    if (branch && !watchedBranches.contains(branch)) {
        watchedBranches.append(branch);
        askVettor(branch->name, branch->isVersion);
    }
}

void GitWidget::showPendingHistory()
{
    const GitBranch* branch = getCurrentBranch();
    if (branch && branch->historyPending())
        rebuildBranch();
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

// ---------------------------------------------------------------- operations
//
// The panel's slots; the operations themselves are in GitWidgetOperations.

void GitWidget::checkout()
{
    operations.checkout();
}

void GitWidget::rebase()
{
    operations.rebase();
}

void GitWidget::on_bNewBranch_clicked()
{
    operations.newBranch();
}

void GitWidget::pull()
{
    operations.pull();
}

void GitWidget::fetch_and_rebase()
{
    operations.fetchAndRebase();
}

void GitWidget::cherry_pick(QString hash)
{
    operations.cherryPick(hash);
}

void GitWidget::cherry_pick()
{
    operations.cherryPick();
}

void GitWidget::stash()
{
    operations.stash();
}

void GitWidget::stashPop()
{
    operations.stashPop();
}

void GitWidget::clean()
{
    operations.clean();
}

void GitWidget::deleteBranch()
{
    operations.deleteBranch();
}

void GitWidget::on_bFetchAll_clicked()
{
    operations.fetchAll();
}

void GitWidget::on_bRefreshList_clicked()
{
    operations.refreshList();
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

void GitWidget::rereadWhenFree()
{
    OperationGate::shared().whenFree(this, tr("Refresh list"), [this] {
        const QPointer<GitWidget> self(this);
        operations.reloadRepository();
        if (!self)
            return;
        updateTabTitle(true);
        recheckVersion();
    });
}

void GitWidget::reloadBranchView()
{
    GitBranch* branch = getCurrentBranch();
    if (!branch || !cloneIsUsable())
        return;
    const QPointer<GitWidget> self(this);
    // A history never read is read by the drawing, one page deep.
    if (!branch->historyPending())
        branch->loadCommits(letter, repoName, branch->commits.size());
    if (!self)
        return;
    repository.refreshUnstagedFiles(letter, repoName);
    if (self)
        rebuildBranch();
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
    // An operation in progress may be rebuilding the branch records this
    // list points at; the next round comes in a minute.
    if (OperationGate::shared().busy())
        return;
    for (GitBranch* branch : watchedBranches)
        askVettor(branch->name, branch->isVersion);
}
