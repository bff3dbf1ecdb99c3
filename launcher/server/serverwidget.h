#pragma once

#include <QWidget>

namespace Ui {
class ServerWidget;
}

// One server workspace tab, for the workspace of `letter`. For now it holds
// the inner tabs (the "Terminal" tab carries the running icon) and the port
// field; the option panel, terminals and git panels grow inside it.
class ServerWidget : public QWidget
{
    Q_OBJECT
public:
    ServerWidget(char letter, QWidget* parent);
    ~ServerWidget() override;

    // The port field's integer value; 0 when it is not a number.
    int getPort();
    void setServerRunning(bool running);
    // Stops the running server; the git panel calls it before changing code.
    void sendCtrlC();
    // Reads the checked-out server's version again.
    void checkVersion();
    bool isServerRunning() const { return serverRunning; }

    Ui::ServerWidget* ui;
    char letter;

private:
    bool serverRunning = false;
};
