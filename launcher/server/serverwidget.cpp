#include "serverwidget.h"
#include "ui_serverwidget.h"

ServerWidget::ServerWidget(char letter, QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::ServerWidget)
    , letter(letter)
{
    ui->setupUi(this);
    ui->tabWidget->setCurrentIndex(0);
}

ServerWidget::~ServerWidget()
{
    delete ui;
}

int ServerWidget::getPort()
{
    return ui->ttPort->text().toInt(nullptr, 10);
}

void ServerWidget::setServerRunning(bool running)
{
    serverRunning = running;
}

void ServerWidget::sendCtrlC()
{
}

void ServerWidget::checkVersion()
{
}
