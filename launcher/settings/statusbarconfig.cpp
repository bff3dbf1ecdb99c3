#include "statusbarconfig.h"
#include "ui_statusbarconfig.h"

#include "settings/configloader.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

StatusBarConfig::StatusBarConfig(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::StatusBarConfig)
{
    ui->setupUi(this);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    adjustSize();

    const ConfigLoader* config = ConfigLoader::getSingleton();
    const QList<QRadioButton*> choices = {ui->radioButton, ui->radioButton_2, ui->radioButton_3};
    for (int value = 0; value < choices.size(); ++value) {
        // Exclusive buttons cannot be unchecked one by one; a value with no
        // button (3 and more) leaves all three unchecked.
        choices[value]->setAutoExclusive(false);
        choices[value]->setChecked(config->showServerStatus == value);
        choices[value]->setAutoExclusive(true);
    }
    ui->checkBox_2->setChecked(config->showLauncherStatus == 1);
}

StatusBarConfig::~StatusBarConfig()
{
    delete ui;
}

void StatusBarConfig::setServerStatus(int value)
{
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->showServerStatus = value;
    config->save();
}

void StatusBarConfig::on_radioButton_clicked()
{
    setServerStatus(0);
}

void StatusBarConfig::on_radioButton_2_clicked()
{
    setServerStatus(1);
}

void StatusBarConfig::on_radioButton_3_clicked()
{
    setServerStatus(2);
}

void StatusBarConfig::on_checkBox_2_clicked()
{
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->showLauncherStatus = ui->checkBox_2->isChecked() ? 1 : 0;
    config->save();
}
