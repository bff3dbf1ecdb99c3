#pragma once

#include <QList>
#include <QWidget>

class QDialog;
namespace Ui {
class mainWidget;
}
class ServerWidget;

// The main window's central widget: one tab per server workspace, then the
// "New server" tab, which creates a workspace when selected, then the
// "Todo list" page.
class mainWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mainWidget(QWidget* parent);
    ~mainWidget() override;

    // A new server tab page for `letter`, parented to the tab widget.
    // A tab that is not shown at once builds its form when first shown.
    ServerWidget* createTab(char letter, bool shownAtOnce = true);
    // Finds the existing workspaces and adds all tabs.
    void initWidget();

    Ui::mainWidget* ui;
    int newServerIndex = 0;
    int todoIndex = 1;
    int lastIndex = 0;
    bool building = true;

public slots:
    void on_tabWidget_currentChanged(int index);
    void on_tabWidget_tabCloseRequested(int index);

private:
    // Runs `text` in a modal terminal window until the user closes it.
    void runInTerminalWindow(const QString& text, int minimumHeight);
    // Inserts the tab of a new workspace just before "New server" and selects it.
    void addServerTab(char letter);
    // The letters of the server tabs now open.
    QString openLetters() const;
    // Hides the close button of a fixed tab.
    void hideCloseButton(int index);
    // Tells the main window to refresh its status bar, when there is one.
    void refreshStatus();

    // Set while tabs are removed, so the shifting current index is not taken
    // for a click on "New server".
    bool shifting = false;
    // The parentless terminal windows of workspace creation, hidden once closed.
    QList<QDialog*> terminalWindows;
};
