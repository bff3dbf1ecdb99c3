#pragma once

#include "shell/resourcemonitor.h"

#include <QIcon>
#include <QMainWindow>
#include <QMap>
#include <sys/times.h>

namespace Ui {
class MainWindow;
}
class QLabel;
class QTabWidget;
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
    // Why the last request was refused while an operation was in progress.
    QLabel* refusalLabel = nullptr;
    QTimer* refreshTimer = nullptr;
    int serverPid = -1;

    // Resource monitor: the launcher's previous CPU sample, and the previous
    // and latest sample of each server, by port.
    clock_t lastTicks = 0;
    clock_t lastSystemTime = 0;
    clock_t lastUserTime = 0;
    int processorCount = 1;
    QMap<int, pstat> previousSamples;
    QMap<int, pstat> currentSamples;

    void initCPU();
    int getValueVM();
    int getValueRAM();
    long parseLine(char* line);
    double getCurrentValueCPU();
    // The process id of the server on `requestedPort`, or on the current
    // tab's port when it is -1; -1 when none. `port` receives the port looked up.
    int getCurrentPID(int& port, int requestedPort);

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

private:
    QTabWidget* serverTabWidget() const;
    // The tab widget inside the current page, whose first tab carries the
    // running mark; null on pages without one.
    QTabWidget* currentInnerTabs() const;
    // Samples the server `pid` on `port` into the sample maps; false when its
    // process is gone.
    bool sampleServer(int port, int pid, double* cpuPercent);
    // Marks every server tab whose server is looked up on `port`.
    void markServerTabs(int port, bool running);
    // Cancels the operation in progress and calls `again` once it has ended.
    void endWhenFree(void (MainWindow::*again)());
    void closeWindow();
    bool endingRequested = false;
};
