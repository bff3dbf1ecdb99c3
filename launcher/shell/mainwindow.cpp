#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "deployment.h"
#include "launcherversion.h"
#include "settings/configloader.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"
#include "server/serverwidget.h"
#include "settings/defaultconfigview.h"
#include "settings/statusbarconfig.h"
#include "shell/mainwidget.h"
#include "shell/operationindicator.h"
#include "shell/searchandkill.h"
#include "shell/updatestep.h"
#include "ui_mainwidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include <memory>
#include <sys/times.h>

QString aboutText()
{
    // Why this launcher offers no update, when it offers none.
    const QString note = UpdateStep::aboutNote();
    const QString updates = note.isEmpty() ? QString() : "\n\n" + note;
    return QCoreApplication::translate("MainWindow", "Kyd Velt Launcher\n\nVersion: ") + LauncherVersion::text()
        + "\n\n" + QCoreApplication::translate("MainWindow", "This launcher is NOT provided by Velt enterprise.")
        + "\n\n" + QCoreApplication::translate("MainWindow", "For any information, contact %1")
                         .arg(Deployment::maintainerEmail())
        + "\n\n" + QCoreApplication::translate("MainWindow", "If you found a bug, you can send a mail to %1")
                         .arg(Deployment::bugReportEmail())
        + updates;
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);

    initCPU();

    refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::updateConso);
    refreshTimer->start(2000);

    int port = 0;
    serverPid = getCurrentPID(port, -1); // no tab exists yet: -1

    launcherLabel = new QLabel(tr("launcher"), this);
    // Permanent widgets stay visible beside the refresh's message.
    refusalLabel = new QLabel(this);
    ui->statusBar->addPermanentWidget(new OperationIndicator(this), 0);
    ui->statusBar->addPermanentWidget(refusalLabel, 0);
    ui->statusBar->addPermanentWidget(launcherLabel, 0);
    auto* refusalTimer = new QTimer(this);
    refusalTimer->setSingleShot(true);
    connect(refusalTimer, &QTimer::timeout, refusalLabel, &QLabel::clear);
    connect(&OperationGate::shared(), &OperationGate::refused, this, [this, refusalTimer](const QString& message) {
        refusalLabel->setText(message);
        refusalTimer->start(6000);
    });
    connect(&OperationGate::shared(), &OperationGate::cancelled, this, [this, refusalTimer](const QString& what) {
        refusalLabel->setText(tr("\"%1\" was cancelled.").arg(what));
        refusalTimer->start(6000);
    });
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

void MainWindow::initCPU()
{
    tms sample;
    lastTicks = times(&sample);
    lastSystemTime = sample.tms_stime;
    lastUserTime = sample.tms_utime;
    processorCount = ResourceMonitor::countProcessors("/proc/cpuinfo");
}

int MainWindow::getValueVM()
{
    return ResourceMonitor::statusValue("/proc/self/status", "VmSize:");
}

int MainWindow::getValueRAM()
{
    return ResourceMonitor::statusValue("/proc/self/status", "VmRSS:");
}

long MainWindow::parseLine(char* line)
{
    return ResourceMonitor::parseStatusLine(line);
}

double MainWindow::getCurrentValueCPU()
{
    tms sample;
    const clock_t now = times(&sample);
    const double percent = ResourceMonitor::launcherCpuPercent(lastTicks, lastSystemTime, lastUserTime, now,
                                                               sample.tms_stime, sample.tms_utime, processorCount);
    lastTicks = now;
    lastSystemTime = sample.tms_stime;
    lastUserTime = sample.tms_utime;
    return percent;
}

QTabWidget* MainWindow::serverTabWidget() const
{
    return tabs ? tabs->ui->tabWidget : nullptr;
}

QTabWidget* MainWindow::currentInnerTabs() const
{
    QTabWidget* outer = serverTabWidget();
    QWidget* page = outer ? outer->currentWidget() : nullptr;
    if (!page)
        return nullptr;
    if (auto* named = page->findChild<QTabWidget*>("tabWidget"))
        return named;
    return page->findChild<QTabWidget*>();
}

int MainWindow::getCurrentPID(int& port, int requestedPort)
{
    QTabWidget* outer = serverTabWidget();
    if (!outer)
        return -1;
    QString portText = QStringLiteral("NO_PORT_DEFINED");
    if (requestedPort == -1) {
        QWidget* page = outer->currentWidget();
        auto* field = page ? page->findChild<QLineEdit*>("ttPort") : nullptr;
        auto* server = qobject_cast<ServerWidget*>(page);
        // A tab's own server, not one another tab started on its port since.
        if (server && server->statusPort() > 0)
            portText = QString::number(server->statusPort());
        else if (!server && field && !field->text().isEmpty())
            portText = field->text();
    } else {
        portText = QString::number(requestedPort);
    }
    // Only digits reach the shell; anything else searches for no port at all.
    portText = ResourceMonitor::safePortText(portText);
    port = portText.toInt();
    const QStringList found = TermExecutor::getSingleton()->exec(
        ResourceMonitor::lookupCommand(portText), true, QStringList(), false, QStringList(),
        QStringLiteral("cd ~/Documents"));
    return found.isEmpty() ? -1 : found.first().toInt();
}

bool MainWindow::sampleServer(int port, int pid, double* cpuPercent)
{
    pstat& current = currentSamples[port];
    pstat& previous = previousSamples[port];
    if (get_usage(pid, &current) != 0)
        return false; // ended since the lookup
    calc_cpu_usage_pct(&current, &previous, cpuPercent);
    previous = current;
    return true;
}

void MainWindow::markServerTabs(int port, bool running)
{
    QTabWidget* outer = serverTabWidget();
    if (!outer)
        return;
    for (int i = 0; i < outer->count(); ++i)
        if (auto* server = qobject_cast<ServerWidget*>(outer->widget(i)))
            if (server->statusPort() == port)
                server->setServerRunning(running);
}

void MainWindow::updateConso()
{
    // Skipped while an operation waits, this refresh included: the lookup may
    // open a Bug Splat window of its own, and the next refresh comes in two
    // seconds.
    if (OperationGate::shared().busy())
        return;
    const OperationGate::Hold hold(tr("status bar refresh"));

    const int virtualKb = getValueVM();
    const int residentKb = getValueRAM();
    const double launcherCpu = getCurrentValueCPU();
    QString serverText;
    QString launcherText;
    const ConfigLoader* config = ConfigLoader::getSingleton();
    const QPointer<QTabWidget> inner = currentInnerTabs();

    if (config->showServerStatus == 0) {
        if (inner)
            inner->setTabIcon(0, QIcon());
    } else if (config->showServerStatus == 1) {
        int port = 0;
        serverPid = getCurrentPID(port, -1);
        double percent = 0;
        const bool running = serverPid >= 1 && sampleServer(port, serverPid, &percent);
        markServerTabs(port, running);
        if (inner)
            inner->setTabIcon(0, running ? greenIcon : redIcon);
        serverText = running ? ResourceMonitor::currentServerText(currentSamples[port], percent, serverPid)
                             : ResourceMonitor::notRunningText();
    } else if (config->showServerStatus == 2) {
        if (inner)
            inner->setTabIcon(0, QIcon());
        // One listing for the eight ports: a ps per port would hold the
        // interface eight times as long at every refresh.
        const QMap<int, int> pids = ResourceMonitor::serverPidsByPort(TermExecutor::getSingleton()->exec(
            ResourceMonitor::listingCommand(), true, QStringList(), false, QStringList(),
            QStringLiteral("cd ~/Documents")));
        for (const int candidate : ResourceMonitor::serverPorts()) {
            const int port = candidate;
            serverPid = pids.value(port, -1);
            double percent = 0;
            const bool running = serverPid >= 1 && sampleServer(port, serverPid, &percent);
            markServerTabs(port, running);
            if (running)
                serverText += ResourceMonitor::allServersEntry(port, currentSamples[port], percent, serverPid);
        }
        if (serverText.isEmpty())
            serverText = ResourceMonitor::noServerText();
    }

    if (config->showLauncherStatus == 1)
        launcherText = ResourceMonitor::launcherText(virtualKb, residentKb, launcherCpu);
    ui->statusBar->showMessage(serverText);
    launcherLabel->setText(launcherText);
}

void MainWindow::on_actionStatusBar_triggered()
{
    auto* dialog = new StatusBarConfig();
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::on_actionQuit_triggered()
{
    if (OperationGate::shared().busy()) {
        endWhenFree(&MainWindow::on_actionQuit_triggered);
        return;
    }
    // Ends the event loop at once; quit() of Qt 6 would first close the
    // windows, asking about the running servers.
    QApplication::exit(0);
}

void MainWindow::endWhenFree(void (MainWindow::*again)())
{
    // What waits still holds objects of this window: it is cancelled, and
    // the request comes again, with its usual questions, once it has ended.
    OperationGate& gate = OperationGate::shared();
    gate.requestCancel();
    if (endingRequested)
        return;
    endingRequested = true;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(&gate, &OperationGate::busyChanged, this, [this, connection, again](bool busy) {
        if (busy)
            return;
        disconnect(*connection);
        endingRequested = false;
        QTimer::singleShot(0, this, again);
    });
}

void MainWindow::on_actionDefault_config_triggered()
{
    auto* dialog = new DefaultConfigView();
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
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
    if (OperationGate::shared().busy()) {
        event->ignore();
        endWhenFree(&MainWindow::closeWindow);
        return;
    }
    const OperationGate::Hold hold(tr("Close the window"));
    for (const int port : ResourceMonitor::serverPorts())
        searchAndKill(this, port);
    event->accept();
}

void MainWindow::closeWindow()
{
    close();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QMainWindow::changeEvent(event);
}
