#pragma once

#include <QIcon>
#include <QMainWindow>

namespace Ui {
class MainWindow;
}
class QLabel;
class QTimer;
class mainWidget;

// The text of the About box: name, version, contacts.
QString aboutText();

// The launcher's top-level window: menus, the status bar that shows the
// servers' resource use, and the workspace tabs as central widget.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Ui::MainWindow* ui;
    mainWidget* tabs = nullptr;
    QIcon greenIcon;
    QIcon redIcon;
    QLabel* launcherLabel = nullptr;
    QTimer* refreshTimer = nullptr;
    int serverPid = -1;

public slots:
    void updateConso();
    void on_actionStatusBar_triggered();
    void on_actionQuit_triggered();
    void on_actionDefault_config_triggered();
    void on_actionAbout_triggered();
    void on_actionreset_installer_triggered();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
};
