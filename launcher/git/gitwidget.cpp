#include "gitwidget.h"
#include "ui_gitwidget.h"

#include "branchselector.h"
#include "cistatus.h"
#include "clonelocation.h"
#include "committitle.h"
#include "deployment.h"
#include "exec/shellquote.h"
#include "exec/outputlines.h"
#include "exec/termexecutor.h"
#include "myqtextedit.h"
#include "server/serverwidget.h"
#include "spoiler.h"

#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
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
#include <QVBoxLayout>

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

QStringList GitWidget::run(const QString& command, const QStringList& failMarkers, bool splatInClone)
{
    return TermExecutor::getSingleton()->exec(command, true, failMarkers, false, QStringList(),
                                              splatInClone ? cdPrefix : QStringLiteral("cd ~/Documents"));
}

bool GitWidget::runJudged(const QString& command, const QStringList& failMarkers, QStringList* output)
{
    QStringList errors;
    const QByteArray utf8 = command.toUtf8();
    const QStringList lines = TermExecutor::getSingleton()->exec(utf8.constData(), errors, true, failMarkers,
                                                                 true, QStringList(), cdPrefix);
    if (output)
        *output = lines;
    // The executor answered with the same markers; an empty answer alone
    // cannot tell a quiet success from a failure.
    return !anyLineContains(lines, failMarkers) && !anyLineContains(errors, failMarkers);
}

bool GitWidget::cloneIsUsable()
{
    if (CloneLocation::isWorkTree(letter, repoName))
        return true;
    QMessageBox::warning(this, tr("Clone not found"),
                         tr("The folder %1 is missing or is not a git work tree. Nothing was run.")
                             .arg(CloneLocation::directory(letter, repoName)));
    return false;
}

bool GitWidget::headIs(const QString& name)
{
    const QStringList head = TermExecutor::getSingleton()->exec(
        cdPrefix + "git rev-parse --abbrev-ref HEAD", false);
    return !head.isEmpty() && head.first() == name;
}

void GitWidget::stopServer()
{
    if (serverWidget)
        serverWidget->sendCtrlC();
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
                                        repository.devRemoteName, nullptr);
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
    commitFrame = new QFrame;
    auto* layout = new QGridLayout(commitFrame);
    ui->scrollCommits->setWidget(commitFrame);
    ui->scrollCommits->setWidgetResizable(true);
    shownBranch = nullptr;
    shownHashes.clear();
    loadMoreFrame = nullptr;

    GitBranch* branch = getCurrentBranch();
    if (!branch) {
        std::fputs("No branches found on this repository...\n", stderr);
        return;
    }
    int row = 0;
    addBranchHeader(branch, row++);
    row = addFileStatus(row);
    for (GitCommit* commit : branch->commits)
        addCommitCard(commit, row++);
    layout->setAlignment(Qt::AlignTop);
    addLoadMoreButton(row);
    shownBranch = branch;
}

void GitWidget::addLoadMoreButton(int row)
{
    loadMoreFrame = new QFrame(commitFrame);
    auto* moreLayout = new QGridLayout(loadMoreFrame);
    auto* more = new QPushButton(tr("Load more..."), loadMoreFrame);
    more->setObjectName("bLoadMore");
    moreLayout->addWidget(more, 0, 0);
    connect(more, &QPushButton::clicked, this, &GitWidget::loadMore);
    static_cast<QGridLayout*>(commitFrame->layout())->addWidget(loadMoreFrame, row, 0);
    nextCardRow = row;
}

bool GitWidget::appendNewCards(GitBranch* branch)
{
    if (branch != shownBranch || !loadMoreFrame || branch->commits.size() < shownHashes.size())
        return false;
    for (int i = 0; i < shownHashes.size(); ++i)
        if (branch->commits[i]->hash != shownHashes[i])
            return false;
    auto* layout = static_cast<QGridLayout*>(commitFrame->layout());
    layout->removeWidget(loadMoreFrame);
    int row = nextCardRow;
    for (int i = shownHashes.size(); i < branch->commits.size(); ++i)
        addCommitCard(branch->commits[i], row++);
    layout->addWidget(loadMoreFrame, row, 0);
    nextCardRow = row;
    return true;
}

void GitWidget::addBranchHeader(GitBranch* branch, int row)
{
    auto* header = new QGroupBox(tr("Branch: ") + branch->name, commitFrame);
    header->setObjectName("branchHeader");
    auto* grid = new QGridLayout(header);
    grid->setAlignment(Qt::AlignLeft);
    auto addButton = [&](const QString& text, const char* name, int column, void (GitWidget::*slot)()) {
        auto* button = new QPushButton(text, header);
        button->setObjectName(name);
        button->setEnabled(!branch->isRebasing());
        grid->addWidget(button, 0, column);
        connect(button, &QPushButton::clicked, this, slot);
    };
    addButton(tr("Refresh"), "bRefresh", 0, &GitWidget::refresh);
    addButton(tr("View on Github"), "bViewOnGithub", 1, &GitWidget::viewBranchOnGH);
    if (branch == repository.activeBranch) {
        addButton(tr("Clean"), "bClean", 2, &GitWidget::clean);
        addButton(tr("Cherry-pick"), "bCherryPick", 3, QOverload<>::of(&GitWidget::cherry_pick));
        addButton(tr("Stash"), "bStash", 4, &GitWidget::stash);
        addButton(tr("Stash pop"), "bStashPop", 5, &GitWidget::stashPop);
    } else {
        addButton(tr("Checkout"), "bCheckout", 2, &GitWidget::checkout);
    }
    static_cast<QGridLayout*>(commitFrame->layout())->addWidget(header, row, 0);
}

int GitWidget::addFileStatus(int row)
{
    if (repository.unstagedFiles.isEmpty() && repository.untrackedFiles.isEmpty())
        return row;
    auto* box = new QGroupBox(tr("Unstaged files"), commitFrame);
    box->setObjectName("fileStatus");
    auto* column = new QVBoxLayout(box);
    auto addLabel = [&](const QString& text, const char* colour) {
        auto* label = new QLabel(text, box);
        if (colour)
            label->setStyleSheet(QString("color: %1;").arg(colour));
        column->addWidget(label);
    };
    if (!repository.unstagedFiles.isEmpty()) {
        addLabel(tr("UNSTAGED FILES:"), nullptr);
        for (const QString& path : repository.unstagedFiles)
            addLabel(path, "red");
    }
    if (!repository.untrackedFiles.isEmpty()) {
        addLabel(tr("\nUNTRACKED FILES:"), nullptr);
        for (const QString& path : repository.untrackedFiles)
            addLabel(path, "green");
    }
    static_cast<QGridLayout*>(commitFrame->layout())->addWidget(box, row, 0);
    return row + 1;
}

void GitWidget::addCommitCard(GitCommit* commit, int row)
{
    const QString title = commitCardTitle(commit->author, commit->message, ui->listWidget->fontMetrics());
    auto* card = new Spoiler(title, 150, commitFrame);
    // The record may be replaced by the next page; the card keeps a copy.
    const GitCommit copy = *commit;
    card->setContentFactory([this, card, copy] { return buildCardContent(card, copy); });
    static_cast<QGridLayout*>(commitFrame->layout())->addWidget(card, row, 0);
    shownHashes << commit->hash;
}

QLayout* GitWidget::buildCardContent(Spoiler* card, const GitCommit& commit)
{
    auto* grid = new QGridLayout;
    auto readOnlyField = [card](const QString& text) {
        auto* field = new QLineEdit(text, card);
        field->setReadOnly(true);
        field->setCursorPosition(0); // a long author or hash shows its start
        return field;
    };
    grid->addWidget(readOnlyField(commit.author), 0, 0);
    grid->addWidget(readOnlyField(commit.date), 0, 1);
    grid->addWidget(readOnlyField(commit.merge), 0, 2);

    auto* message = new MyQTextEdit(card);
    message->setReadOnly(true);
    message->setPlainText(commit.message);
    message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    message->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    message->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    message->document()->adjustSize();
    message->adjustSize();
    grid->addWidget(message, 1, 0, 1, 3);

    const QString hash = commit.hash;
    grid->addWidget(readOnlyField(hash), 2, 0);
    auto* view = new QPushButton(tr("View the commit on Github"), card);
    view->setObjectName("bViewCommit");
    connect(view, &QPushButton::clicked, this, [this, hash] { viewCommitOnGH(hash); });
    grid->addWidget(view, 2, 1);
    auto* cherry = new QPushButton(tr("Cherry this commit on the current branch"), card);
    cherry->setObjectName("bCherryCommit");
    connect(cherry, &QPushButton::clicked, this, [this, hash] { cherry_pick(hash); });
    grid->addWidget(cherry, 2, 2);
    return grid;
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
    GitBranch* branch = getCurrentBranch();
    if (!branch)
        return;
    branch->loadCommits(letter, repoName, branch->commits.size() + GitBranch::pageSize);
    if (!appendNewCards(branch))
        rebuildBranch();
    QScrollBar* bar = ui->scrollCommits->verticalScrollBar();
    QTimer::singleShot(0, bar, [bar] { bar->setValue(bar->maximum()); });
}

void GitWidget::refresh()
{
    GitBranch* branch = getCurrentBranch();
    if (!branch)
        return;
    branch->loadCommits(letter, repoName, branch->commits.size());
    repository.refreshUnstagedFiles(letter, repoName);
    rebuildBranch();
}

// ---------------------------------------------------------------- operations

void GitWidget::checkout()
{
    const QString name = selectedItemName();
    if (name.isEmpty() || !cloneIsUsable())
        return;
    stopServer();
    const QStringList diff = run(cdPrefix + "git diff\n");
    bool stashed = false;
    if (!diff.isEmpty()) {
        const auto choice = QMessageBox::question(
            this, tr("Stash"), tr("There is unstaged changes on your current branch. Do you want to stash them?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (choice == QMessageBox::Cancel)
            return;
        if (choice == QMessageBox::Yes) {
            run(cdPrefix + "git stash\n");
            stashed = true;
        }
    }
    QStringList errors;
    const QByteArray command = (cdPrefix + "git checkout " + shellQuote(name) + "\n").toUtf8();
    TermExecutor::getSingleton()->exec(command.constData(), errors, false);
    // git reports both success and failure on standard error: the clone's
    // HEAD tells which it was.
    const bool switched = headIs(name);
    if (!switched)
        QMessageBox::warning(this, tr("Checkout failed"),
                             tr("The branch %1 could not be checked out:\n%2").arg(name, errors.join("\n")));

    if (stashed) {
        const auto pop = QMessageBox::question(this, tr("Stash"), tr("Checkout executed. Do you want to apply your stash now?"),
                                               QMessageBox::Yes | QMessageBox::No);
        if (pop == QMessageBox::Yes)
            run(cdPrefix + "git stash pop\n");
        else
            QMessageBox::information(this, tr("No stash pop"),
                                     tr("You choose to NOT pop your stash. This program won't care anymore of that stash. Don't forget to recover it manually!"));
    }
    if (switched)
        repository.refreshActiveBranch(name);
    updateTabTitle(true);
    repository.refreshUnstagedFiles(letter, repoName);
    markList();
    rebuildBranch();
    recheckVersion();
}

void GitWidget::rebase()
{
    const QString name = selectedItemName();
    if (name.isEmpty() || !cloneIsUsable())
        return;
    stopServer();
    const QString onto = askBranchSelector();
    if (onto == cancelled)
        return;
    // git writes its progress and its success on standard error: markers decide.
    const bool done = runJudged(cdPrefix + "git rebase " + shellQuote(onto) + " " + shellQuote(name) + ";",
                                {"CONFLICT", "--abort", "cannot", "fatal"});
    if (done)
        QMessageBox::information(this, tr("Rebase ") + name + tr(" on ") + onto, tr("Rebase executed"));
    repository.refreshActiveBranch(name);
    if (GitBranch* branch = repository.activeBranch)
        if (branch->name == name)
            branch->loadCommits(letter, repoName, qMax(branch->commits.size(), GitBranch::pageSize));
    updateTabTitle(true);
    repository.refreshUnstagedFiles(letter, repoName);
    markList();
    rebuildBranch();
    recheckVersion();
}

void GitWidget::on_bNewBranch_clicked()
{
    if (!cloneIsUsable())
        return;
    const QString start = askBranchSelector();
    if (start == cancelled)
        return;
    bool accepted = false;
    const QString name = QInputDialog::getText(this, tr("Branch Name"), tr("Choose the name of your branch"),
                                               QLineEdit::Normal, start.split('/').last(), &accepted);
    if (!accepted || name.isEmpty())
        return;
    runJudged(cdPrefix + "git checkout -b " + shellQuote(name) + " " + shellQuote(start), {"fatal", "error"});
    // Only a branch that now exists and is checked out joins the list.
    if (!headIs(name))
        return;
    ui->listWidget->addItem("  " + name);
    repository.initBranch(letter, repoName, name);
    repository.refreshActiveBranch(name);
    updateTabTitle(false);
    repository.refreshUnstagedFiles(letter, repoName);
    markList();
    selectBranchRow(name);
}

bool GitWidget::hasTrackedChanges()
{
    return !TermExecutor::getSingleton()->exec(cdPrefix + "git status --porcelain --untracked-files=no", false).isEmpty();
}

QString GitWidget::aroundOtherBranch(const QString& branch, const QString& update)
{
    // "git stash pop" after a stash that saved nothing would apply some older
    // stash to the checked-out branch: the stash steps run only when there
    // is something to put aside.
    const bool stashing = hasTrackedChanges();
    return cdPrefix + (stashing ? "git stash; " : "") + "git checkout " + shellQuote(branch) + ";" + update
           + "; git checkout " + shellQuote(repository.activeBranch->name) + (stashing ? "; git stash pop" : "") + "\n";
}

void GitWidget::pull()
{
    GitBranch* branch = getCurrentBranch();
    if (!branch || !repository.activeBranch || !cloneIsUsable())
        return;
    if (runJudged(aroundOtherBranch(branch->name, "git pull"), {"error", "CONFLICT", "fatal"}))
        QMessageBox::information(this, "Git pull", "Pull executed");
}

void GitWidget::fetch_and_rebase()
{
    GitBranch* branch = getCurrentBranch();
    if (!branch || !repository.activeBranch || !cloneIsUsable())
        return;
    if (runJudged(aroundOtherBranch(branch->name, "git pull --rebase " + shellQuote(repository.devRemoteName)),
                  {"error", "CONFLICT", "fatal"}))
        QMessageBox::information(this, "Fetch and rebase", "Fetch and rebase executed");
}

void GitWidget::cherry_pick(QString hash)
{
    if (!cloneIsUsable())
        return;
    const QStringList out = run(cdPrefix + "git cherry-pick " + shellQuote(hash) + "\n", {"error", "CONFLICT"}, true);
    if (!out.isEmpty())
        QMessageBox::information(this, "Cherry pick", "Cherry pick executed");
    // The pick lands on the checked-out branch; the one on screen may be another.
    if (GitBranch* active = repository.activeBranch)
        active->loadCommits(letter, repoName, qMax(active->commits.size(), GitBranch::pageSize));
    if (GitBranch* branch = getCurrentBranch())
        if (branch != repository.activeBranch)
            branch->loadCommits(letter, repoName, branch->commits.size());
    repository.refreshUnstagedFiles(letter, repoName);
    rebuildBranch();
}

void GitWidget::cherry_pick()
{
    bool accepted = false;
    const QString hash = QInputDialog::getText(this, tr("Commit hash"), tr("Enter the hash of the commit to cherry-pick:"),
                                               QLineEdit::Normal, QString(), &accepted);
    if (accepted)
        cherry_pick(hash);
}

void GitWidget::stash()
{
    if (!cloneIsUsable())
        return;
    run(cdPrefix + "git stash");
    refresh();
}

void GitWidget::stashPop()
{
    if (!cloneIsUsable())
        return;
    run(cdPrefix + "git stash pop");
    refresh();
}

void GitWidget::clean()
{
    if (!cloneIsUsable())
        return;
    const QStringList untracked = run(cdPrefix + "git ls-files --other --directory --no-empty-directory --exclude-standard");
    if (!untracked.isEmpty()) {
        const auto answer = QMessageBox::question(
            this, tr("Untracked files"),
            tr("There is untracked files on your current directory. Are you SURE to want to launch a git clean -dfx as you will lose them?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    stopServer();
    run(cdPrefix + "git clean -qdfx ");
    // The file list on screen would otherwise name files that are gone.
    repository.refreshUnstagedFiles(letter, repoName);
    rebuildBranch();
}

void GitWidget::deleteBranch()
{
    GitBranch* branch = getCurrentBranch();
    if (!branch)
        return;
    if (branch == repository.activeBranch) {
        QMessageBox::warning(this, tr("Change branch"),
                             tr("You can't delete the branch you are currently on. Please change it before..."));
        return;
    }
    if (!cloneIsUsable())
        return;
    const QString name = branch->name;
    QStringList errors;
    const QByteArray upstream = (cdPrefix + "git rev-parse --abbrev-ref " + shellQuote(name) + "@{upstream}\n").toUtf8();
    TermExecutor::getSingleton()->exec(upstream.constData(), errors, false);
    if (anyLineContains(errors, {"fatal: "})) {
        const auto answer = QMessageBox::question(
            this, tr("No upstream"),
            tr("There is no upstream configured on this branch. Are you sure to want to delete this branch wtihout having pushed it?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    if (run(cdPrefix + "git branch -D " + shellQuote(name)).isEmpty())
        return;
    watchedBranches.removeAll(branch);
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
    repository.cleanRepo();
    repository.initRepository(letter, repoName);
    repository.checkoutPoints = points;
    {
        const QSignalBlocker blocker(ui->listWidget);
        fillList();
    }
    repository.refreshUnstagedFiles(letter, repoName);
    rebuildBranch();
    networkManager = new QNetworkAccessManager(this);
    askAllVettor();
}

void GitWidget::on_bFetchAll_clicked()
{
    if (!cloneIsUsable())
        return;
    TermExecutor::getSingleton()->exec(cdPrefix + "git fetch --all\n", true, {"error", "fatal", "conflict"}, true,
                                       QStringList(), cdPrefix);
    QMessageBox::information(this, "Fetch --all", "Fetch --all executed.");
    reloadRepository();
}

void GitWidget::on_bRefreshList_clicked()
{
    reloadRepository();
    startVettorTimer();
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
    if (GitBranch* branch = getCurrentBranch())
        run("xdg-open " + shellQuote(branchWebUrl(branch)));
}

void GitWidget::viewCommitOnGH(QString hash)
{
    if (GitBranch* branch = getCurrentBranch())
        run("xdg-open " + shellQuote(commitWebUrl(branch, hash)));
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
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &GitWidget::updateVettor);
    timer->start(60000 + int(QRandomGenerator::global()->bounded(10000u)));
    vettorTimers.append(timer);
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

void GitWidget::viewBranchOnVettor()
{
    if (GitBranch* branch = getCurrentBranch())
        run("xdg-open " + shellQuote(CiStatus::pageUrl(repoName, branch->isVersion, branch->name)));
}
