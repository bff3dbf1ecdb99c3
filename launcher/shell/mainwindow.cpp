#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "deployment.h"
#include "launcherversion.h"
#include "settings/configloader.h"
#include "shell/mainwidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

QString aboutText()
{
    return QCoreApplication::translate("MainWindow", "Kyd Velt Launcher\n\nVersion: ") + LauncherVersion::text()
        + "\n\n" + QCoreApplication::translate("MainWindow", "This launcher is NOT provided by Velt enterprise.")
        + "\n\n" + QCoreApplication::translate("MainWindow", "For any information, contact %1")
                         .arg(Deployment::maintainerEmail())
        + "\n\n" + QCoreApplication::translate("MainWindow", "If you found a bug, you can send a mail to %1")
                         .arg(Deployment::bugReportEmail());
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);

    refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::updateConso);
    refreshTimer->start(2000);

    serverPid = -1; // no tab exists yet, so no server to look up

    launcherLabel = new QLabel(tr("launcher"), this);
    ui->statusBar->addPermanentWidget(launcherLabel, 0);
    ui->statusBar->showMessage(QString());

    greenIcon = QIcon(":/resources/green.jpg");
    redIcon = QIcon(":/resources/red.jpg");

    updateConso();

    setWindowIcon(QIcon(":/resources/sepiaB.png"));

    tabs = new mainWidget(this);
    setCentralWidget(tabs);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::updateConso()
{
    // The memory and CPU figures, and the servers' running marks, arrive with
    // the resource monitor; until then the status bar keeps its labels.
}

void MainWindow::on_actionStatusBar_triggered()
{
    // Opens the status-bar preferences dialog once it is part of the launcher.
}

void MainWindow::on_actionQuit_triggered()
{
    QApplication::quit();
}

void MainWindow::on_actionDefault_config_triggered()
{
    // Opens the default-settings dialog once it is part of the launcher.
}

void MainWindow::on_actionAbout_triggered()
{
    QMessageBox box;
    box.setText(aboutText());
    box.exec();
}

void MainWindow::on_actionreset_installer_triggered()
{
    QMessageBox::information(this, tr("Installer reset"),
                             tr("The installer will be activated when you'll restart the application..."),
                             QMessageBox::Ok);
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->installer_status = false;
    config->save();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Stopping the servers still running comes with the resource monitor.
    event->accept();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QMainWindow::changeEvent(event);
}
