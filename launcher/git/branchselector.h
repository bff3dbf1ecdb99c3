#pragma once

#include "branchlist.h"

#include <QString>
#include <QWidget>

class QCompleter;

namespace Ui {
class BranchSelector;
}

// Asks for a branch to rebase on or to start a new branch from: a local one,
// one of the main remote or one of the development remote, each typed with
// completion. getBranchName() waits for the answer, modal over `parent`'s
// window (over the whole application without a parent); "Cancelled" means none.
class BranchSelector : public QWidget
{
    Q_OBJECT
public:
    BranchSelector(BranchList& lists, QString mainRemoteName, QString devRemoteName, QWidget* parent = nullptr);
    ~BranchSelector() override;

    QString getBranchName();

    Ui::BranchSelector* ui;
    bool waiting = false;
    BranchList lists;
    QString answer;
    QCompleter* completerLocales = nullptr;
    QCompleter* completerVelt = nullptr;
    QCompleter* completerVeltDev = nullptr;
    QString mainRemoteName;
    QString devRemoteName;

public slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_3_clicked();
    void insertCompletionTTLocales(QString text);
    void updateCompleterTTLocales(QString text);
    void insertCompletionTTVelt(QString text);
    void updateCompleterTTVelt(QString text);
    void insertCompletionTTVeltDev(QString text);
    void updateCompleterTTVeltDev(QString text);
    void on_BranchSelector_destroyed();

protected:
    // Closing the window from its title bar is a Cancel.
    void closeEvent(QCloseEvent* event) override;
};
