#pragma once

#include "gitoperations.h"
#include "gitrepository.h"
#include "gitwidgetoperations.h"

#include <QPointer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
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
    // checkouts and rebases, and the clone is read at once. The panels of a
    // server tab wait for the tab to call readClone().
    GitWidget(char letter, QString repoName, ServerWidget* server, QWidget* parent);
    ~GitWidget() override;

    // Reads the clone through git, once: its branches, remotes and files,
    // the history of the branch shown, and asks for the CI status. Runs git,
    // which may wait on a Bug Splat window: the caller holds the operation
    // gate (or knows it free).
    void readClone();

    GitBranch* getCurrentBranch();
    void rebuildBranch();
    void askVettor(QString branch, bool isVersion);

    // "Community (<branch>)" / "Enterprise (<branch>)"; in place of the
    // branch "detached at <hash>" or "no branches found".
    QString tabTitle(bool translated = true) const;
    // What is checked out: the branch's name, "detached at <hash>" or "no branches found".
    QString headDescription(bool translated = true) const;
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
    QPointer<ServerWidget> serverWidget;
    QFrame* commitFrame = nullptr;
    QList<GitBranch*> watchedBranches;
    // The one CI refresh timer of the panel.
    QTimer* vettorTimer = nullptr;

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
    // The operations reach into the panel as the panel's own code would.
    friend class GitWidgetOperations;
    GitWidgetOperations operations{*this};

    QString selectedItemName() const;
    // Shows the panel's "Clone not found" message when the clone is gone.
    bool cloneIsUsable();
    // After a wait: the panel is still there, and so is its clone.
    static bool resumable(const QPointer<GitWidget>& panel);
    // Stops the workspace's server; false when it did not stop (the panel
    // says so), the person cancelled, or the panel or its clone went meanwhile.
    bool stopServer();
    // True when the operation did not run; a missing clone is reported.
    bool reportUnrun(const GitOperations::Outcome& outcome);
    void reloadBranchView();
    // After a cancelled step: reads the clone again once the operation has
    // ended (under it, every git command would be cancelled at once).
    void rereadWhenFree();
    // Draws the selected branch; with `mayRunGit`, first reads its history
    // when it was never read.
    void drawBranch(bool mayRunGit);
    void showPendingHistory();
    void recheckVersion();
    void updateTabTitle(bool translated);
    void fillList();
    void markList();
    void selectBranchRow(const QString& name);
    void askAllVettor();
    void startVettorTimer();
    QString askBranchSelector();

    bool cloneRead = false;
};
