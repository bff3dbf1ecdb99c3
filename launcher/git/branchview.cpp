#include "branchview.h"

#include "committitle.h"
#include "gitbranch.h"
#include "myqtextedit.h"
#include "spoiler.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// Texts of the git panel, in its translation context.

BranchView::BranchView(QWidget* parent)
    : QFrame(parent)
{
    new QGridLayout(this);
}

QGridLayout* BranchView::grid() const
{
    return static_cast<QGridLayout*>(layout());
}

void BranchView::draw(GitBranch* branch, bool active, const QStringList& unstaged, const QStringList& untracked,
                      const QFont& font)
{
    titleFont = font;
    int row = 0;
    addBranchHeader(branch, active, row++);
    row = addFileStatus(unstaged, untracked, row);
    for (GitCommit* commit : branch->commits)
        addCommitCard(commit, row++);
    grid()->setAlignment(Qt::AlignTop);
    addLoadMoreButton(row);
    shownBranch = branch;
}

void BranchView::addLoadMoreButton(int row)
{
    loadMoreFrame = new QFrame(this);
    auto* moreLayout = new QGridLayout(loadMoreFrame);
    auto* more = new QPushButton(QCoreApplication::translate("GitWidget", "Load more..."), loadMoreFrame);
    more->setObjectName("bLoadMore");
    moreLayout->addWidget(more, 0, 0);
    connect(more, &QPushButton::clicked, this, &BranchView::loadMoreClicked);
    grid()->addWidget(loadMoreFrame, row, 0);
    nextCardRow = row;
}

bool BranchView::appendNewCards(GitBranch* branch)
{
    if (branch != shownBranch || !loadMoreFrame || branch->commits.size() < shownHashes.size())
        return false;
    for (int i = 0; i < shownHashes.size(); ++i)
        if (branch->commits[i]->hash != shownHashes[i])
            return false;
    grid()->removeWidget(loadMoreFrame);
    int row = nextCardRow;
    for (int i = shownHashes.size(); i < branch->commits.size(); ++i)
        addCommitCard(branch->commits[i], row++);
    grid()->addWidget(loadMoreFrame, row, 0);
    nextCardRow = row;
    return true;
}

void BranchView::addBranchHeader(GitBranch* branch, bool active, int row)
{
    auto* header = new QGroupBox(QCoreApplication::translate("GitWidget", "Branch: ") + branch->name, this);
    header->setObjectName("branchHeader");
    auto* buttons = new QGridLayout(header);
    buttons->setAlignment(Qt::AlignLeft);
    auto addButton = [&](const QString& text, const char* name, int column, void (BranchView::*clicked)()) {
        auto* button = new QPushButton(text, header);
        button->setObjectName(name);
        button->setEnabled(!branch->isRebasing());
        buttons->addWidget(button, 0, column);
        connect(button, &QPushButton::clicked, this, clicked);
    };
    addButton(QCoreApplication::translate("GitWidget", "Refresh"), "bRefresh", 0, &BranchView::refreshClicked);
    addButton(QCoreApplication::translate("GitWidget", "View on Github"), "bViewOnGithub", 1, &BranchView::viewOnGithubClicked);
    if (active) {
        addButton(QCoreApplication::translate("GitWidget", "Clean"), "bClean", 2, &BranchView::cleanClicked);
        addButton(QCoreApplication::translate("GitWidget", "Cherry-pick"), "bCherryPick", 3, &BranchView::cherryPickClicked);
        addButton(QCoreApplication::translate("GitWidget", "Stash"), "bStash", 4, &BranchView::stashClicked);
        addButton(QCoreApplication::translate("GitWidget", "Stash pop"), "bStashPop", 5, &BranchView::stashPopClicked);
    } else {
        addButton(QCoreApplication::translate("GitWidget", "Checkout"), "bCheckout", 2, &BranchView::checkoutClicked);
    }
    grid()->addWidget(header, row, 0);
}

int BranchView::addFileStatus(const QStringList& unstaged, const QStringList& untracked, int row)
{
    if (unstaged.isEmpty() && untracked.isEmpty())
        return row;
    auto* box = new QGroupBox(QCoreApplication::translate("GitWidget", "Unstaged files"), this);
    box->setObjectName("fileStatus");
    auto* column = new QVBoxLayout(box);
    auto addLabel = [&](const QString& text, const char* colour) {
        auto* label = new QLabel(text, box);
        if (colour)
            label->setStyleSheet(QString("color: %1;").arg(colour));
        column->addWidget(label);
    };
    if (!unstaged.isEmpty()) {
        addLabel(QCoreApplication::translate("GitWidget", "UNSTAGED FILES:"), nullptr);
        for (const QString& path : unstaged)
            addLabel(path, "red");
    }
    if (!untracked.isEmpty()) {
        addLabel(QCoreApplication::translate("GitWidget", "\nUNTRACKED FILES:"), nullptr);
        for (const QString& path : untracked)
            addLabel(path, "green");
    }
    grid()->addWidget(box, row, 0);
    return row + 1;
}

void BranchView::addCommitCard(GitCommit* commit, int row)
{
    const QString title = commitCardTitle(commit->author, commit->message, QFontMetrics(titleFont));
    auto* card = new Spoiler(title, 150, this);
    // The record may be replaced by the next page; the card keeps a copy.
    const GitCommit copy = *commit;
    card->setContentFactory([this, card, copy] { return buildCardContent(card, copy); });
    grid()->addWidget(card, row, 0);
    shownHashes << commit->hash;
}

QLayout* BranchView::buildCardContent(Spoiler* card, const GitCommit& commit)
{
    auto* fields = new QGridLayout;
    auto readOnlyField = [card](const QString& text) {
        auto* field = new QLineEdit(text, card);
        field->setReadOnly(true);
        field->setCursorPosition(0); // a long author or hash shows its start
        return field;
    };
    fields->addWidget(readOnlyField(commit.author), 0, 0);
    fields->addWidget(readOnlyField(commit.date), 0, 1);
    fields->addWidget(readOnlyField(commit.merge), 0, 2);

    auto* message = new MyQTextEdit(card);
    message->setReadOnly(true);
    message->setPlainText(commit.message);
    message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    message->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    message->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    message->document()->adjustSize();
    message->adjustSize();
    fields->addWidget(message, 1, 0, 1, 3);

    const QString hash = commit.hash;
    fields->addWidget(readOnlyField(hash), 2, 0);
    auto* view = new QPushButton(QCoreApplication::translate("GitWidget", "View the commit on Github"), card);
    view->setObjectName("bViewCommit");
    connect(view, &QPushButton::clicked, this, [this, hash] { emit viewCommitClicked(hash); });
    fields->addWidget(view, 2, 1);
    auto* cherry = new QPushButton(QCoreApplication::translate("GitWidget", "Cherry this commit on the current branch"), card);
    cherry->setObjectName("bCherryCommit");
    connect(cherry, &QPushButton::clicked, this, [this, hash] { emit cherryPickCommitClicked(hash); });
    fields->addWidget(cherry, 2, 2);
    return fields;
}
