#pragma once

#include "gitrepository.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
class QLayout;
class Spoiler;
class QNetworkAccessManager;
class QTabWidget;
class QTimer;
class ServerWidget;

namespace Ui {
class GitWidget;
}

// The git panel of one clone of a workspace: the local branch list with CI
// colours, the selected branch with its modified files and commit cards, and
// the everyday git operations on it.
class GitWidget : public QWidget
{
    Q_OBJECT
public:
    // `server` may be null; then nothing is stopped or re-read around
    // checkouts and rebases.
    GitWidget(char letter, QString repoName, ServerWidget* server, QWidget* parent);
    ~GitWidget() override;

    GitBranch* getCurrentBranch();
    void rebuildBranch();
    void askVettor(QString branch, bool isVersion);

    // "Community (<branch>)" / "Enterprise (<branch>)", or "(no branches found)".
    QString tabTitle(bool translated = true) const;
    // Web page of a branch or a commit on the code host.
    QString branchWebUrl(const GitBranch* branch) const;
    QString commitWebUrl(const GitBranch* branch, const QString& hash) const;

    QNetworkAccessManager* networkManager = nullptr;
    Ui::GitWidget* ui;
    GitRepository repository;
    char letter;
    QString repoName;
    QString cdPrefix;
    QTabWidget* tabWidget = nullptr;
    ServerWidget* serverWidget;
    QFrame* commitFrame = nullptr;
    QList<GitBranch*> watchedBranches;
    QList<QTimer*> vettorTimers;

private:
    // What the branch view shows: the branch, the hashes of its cards, and
    // the frame that holds "Load more...".
    GitBranch* shownBranch = nullptr;
    QStringList shownHashes;
    QFrame* loadMoreFrame = nullptr;
    int nextCardRow = 0;

public slots:
    void on_listWidget_currentRowChanged(int currentRow);
    void showContextMenu(QPoint position);
    void checkout();
    void rebase();
    void loadMore();
    void refresh();
    void clean();
    void deleteBranch();
    void stash();
    void stashPop();
    void cherry_pick(QString hash);
    void cherry_pick();
    void pull();
    void fetch_and_rebase();
    void viewBranchOnGH();
    void viewCommitOnGH(QString hash);
    void viewBranchOnVettor();
    void on_bNewBranch_clicked();
    void on_bFetchAll_clicked();
    void refreshVettor(QObject* data);
    void updateVettor();
    void on_bRefreshList_clicked();

private:
    QString selectedItemName() const;
    bool cloneIsUsable();
    void stopServer();
    void recheckVersion();
    void updateTabTitle(bool translated);
    void fillList();
    void markList();
    void selectBranchRow(const QString& name);
    void askAllVettor();
    void startVettorTimer();
    void reloadRepository();
    QString askBranchSelector();
    bool headIs(const QString& name);
    bool hasTrackedChanges();
    // The line that updates `branch` while another one is checked out, and
    // comes back to the checked-out branch afterwards.
    QString aroundOtherBranch(const QString& branch, const QString& update);
    QStringList run(const QString& command, const QStringList& failMarkers = QStringList(),
                    bool splatInClone = false);
    // Runs a command whose progress git writes to standard error: only the
    // markers decide, and the verdict is returned.
    bool runJudged(const QString& command, const QStringList& failMarkers, QStringList* output = nullptr);
    void addCommitCard(GitCommit* commit, int row);
    QLayout* buildCardContent(Spoiler* card, const GitCommit& commit);
    void addLoadMoreButton(int row);
    // Appends cards for the commits a page added when the view already shows
    // the others; false when the view must be rebuilt instead.
    bool appendNewCards(GitBranch* branch);
    void addBranchHeader(GitBranch* branch, int row);
    int addFileStatus(int row);
};
