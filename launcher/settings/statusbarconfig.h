#pragma once

#include <QWidget>

namespace Ui {
class StatusBarConfig;
}

// What the main window's status bar shows: no server, the current tab's
// server or all servers, and whether the launcher's own use. Each click is
// saved at once.
class StatusBarConfig : public QWidget
{
    Q_OBJECT
public:
    explicit StatusBarConfig(QWidget* parent = nullptr);
    ~StatusBarConfig() override;

    Ui::StatusBarConfig* ui;

public slots:
    void on_radioButton_clicked();
    void on_radioButton_2_clicked();
    void on_radioButton_3_clicked();
    void on_checkBox_2_clicked();

private:
    void setServerStatus(int value);
};
