#pragma once

#include <QFont>
#include <QFrame>
#include <QStringList>

class GitBranch;
class GitCommit;
class QGridLayout;
class QLayout;
class Spoiler;

// The view of one branch in the git panel: a header with the branch's
// buttons, the modified and untracked files, one collapsible card per loaded
// commit, and "Load more...". Drawn once; the panel makes a new one for every
// redraw and connects its signals to its operations.
class BranchView : public QFrame
{
    Q_OBJECT
public:
    explicit BranchView(QWidget* parent = nullptr);

    // `active`: the branch is the checked-out one (Clean, Cherry-pick, Stash
    // and Stash pop instead of Checkout). Card titles are measured in `font`.
    void draw(GitBranch* branch, bool active, const QStringList& unstaged, const QStringList& untracked,
              const QFont& font);
    // Appends cards for the commits a page added when the view already shows
    // the others; false when the view must be drawn anew instead.
    bool appendNewCards(GitBranch* branch);

signals:
    void refreshClicked();
    void viewOnGithubClicked();
    void cleanClicked();
    void cherryPickClicked();
    void stashClicked();
    void stashPopClicked();
    void checkoutClicked();
    void loadMoreClicked();
    void viewCommitClicked(const QString& hash);
    void cherryPickCommitClicked(const QString& hash);

private:
    QGridLayout* grid() const;
    void addBranchHeader(GitBranch* branch, bool active, int row);
    int addFileStatus(const QStringList& unstaged, const QStringList& untracked, int row);
    void addCommitCard(GitCommit* commit, int row);
    QLayout* buildCardContent(Spoiler* card, const GitCommit& commit);
    void addLoadMoreButton(int row);

    // What the view shows: the branch, the hashes of its cards, and the
    // frame that holds "Load more...".
    GitBranch* shownBranch = nullptr;
    QStringList shownHashes;
    QFrame* loadMoreFrame = nullptr;
    int nextCardRow = 0;
    QFont titleFont;
};
