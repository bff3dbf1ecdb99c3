#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Shown while the launcher's update step waits: for the new upgrader to
// arrive, then for the upgrader (its password prompt and its window). Says
// what it waits for; Cancel stops the wait.
class UpdateStepWindow : public QDialog
{
    Q_OBJECT
public:
    explicit UpdateStepWindow(QWidget* parent = nullptr);

    void showFetching();
    void showWaitingForUpgrader();
    bool cancelled() const { return cancelRequested; }

protected:
    // Closing the window or Escape cancels too; the window stays until the
    // wait has ended.
    void reject() override { on_bCancel_clicked(); }

private slots:
    void on_bCancel_clicked();

private:
    void showText(const QString& text);

    QLabel* lblWaiting;
    QPushButton* bCancel;
    bool cancelRequested = false;
};
