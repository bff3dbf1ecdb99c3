#include "updatestepwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

UpdateStepWindow::UpdateStepWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("UpdateStepWindow");
    setWindowTitle(tr("Update"));
    lblWaiting = new QLabel(this);
    lblWaiting->setObjectName("lblWaiting");
    lblWaiting->setWordWrap(true);
    lblWaiting->setMinimumWidth(420);
    bCancel = new QPushButton(tr("Cancel"), this);
    bCancel->setObjectName("bCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWaiting);
    layout->addLayout(buttons);
    QMetaObject::connectSlotsByName(this);
}

void UpdateStepWindow::showFetching()
{
    showText(tr("Fetching the new upgrader..."));
}

void UpdateStepWindow::showWaitingForUpgrader()
{
    showText(tr("Waiting for the upgrader: give the superuser's password when asked, then follow the upgrader's "
                "window until it ends."));
}

void UpdateStepWindow::showText(const QString& text)
{
    lblWaiting->setText(text);
    show();
    raise();
}

void UpdateStepWindow::on_bCancel_clicked()
{
    cancelRequested = true;
    bCancel->setEnabled(false);
}
