#include "serverwidget.h"
#include "ui_serverwidget.h"

#include "cooperativewait.h"
#include "exec/myqtermwidget.h"
#include "exec/operationgate.h"
#include "git/gitrepository.h"
#include "git/gittab.h"
#include "git/gitwidget.h"
#include "server/autocompletionlist.h"
#include "server/panetoggle.h"
#include "server/runcontrol.h"
#include "server/serverrunoperations.h"
#include "server/servercommands.h"
#include "server/serverversion.h"
#include "server/vlconfig.h"
#include "server/widgetvalues.h"
#include "server/workspaceterminals.h"
#include "settings/configloader.h"
#include "settings/homedirectory.h"
#include "shell/waitingpagenote.h"
#include "tools/dblist.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>

ServerWidget::ServerWidget(char letter, QWidget* parent, FormTiming timing)
    : QWidget(parent)
    , letter(letter)
{
    home = homeDirectory();
    if (timing == FormTiming::Now)
        buildForm();
    else
        savedPort = VLConfig::value(configPath(), QStringLiteral("port")).toInt(nullptr, 10);
}

void ServerWidget::buildForm()
{
    if (ui)
        return;
    ui = new Ui::ServerWidget;
    loading = true;
    ui->setupUi(this);

    for (const QString& scheme : QTermWidget::availableColorSchemes())
        ui->cbColor->addItem(scheme);

    applyGlobalDefaults();
    setServerRunning(serverRunning);

    loadConfig();
    rebuildCommand();
    loading = false;

    on_cbColor_currentTextChanged(ui->cbColor->currentText());
    ui->ttPort->setReadOnly(ConfigLoader::getSingleton()->auto_port);
    // Its panels come with the reading of the clones.
    gitTabs = new QTabWidget;
    ui->tabWidget->addTab(gitTabs, tr("Git"));
    ui->tabWidget->setCurrentIndex(0);
    createCompleters();
}

ServerWidget::~ServerWidget()
{
    delete splitterState;
    delete ui;
}

void ServerWidget::startTerminals()
{
    if (terminalsStarted)
        return;
    buildForm();
    terminalsStarted = true;
    const WorkspaceTerminals terminals =
        WorkspaceTerminals::open(this, ServerCommands::workspaceCdLine(home, letter), ui->frameServer,
                                 ui->frameCommunity, ui->frameEnterprise, ui->cbColor->currentText());
    serverTerminal = terminals.server;
    communityTerminal = terminals.community;
    enterpriseTerminal = terminals.enterprise;
    run = new RunControl(serverTerminal, this);
    run->setShellSetUpLine(ServerCommands::workspaceCdLine(home, letter));
    connect(serverTerminal, &QTermWidget::receivedData, this, &ServerWidget::receiveText);
    // However the server ended, and whatever the prompt looks like.
    connect(run, &RunControl::serverEnded, this, [this] { setServerRunning(false); });
}

void ServerWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (ui)
        startTerminals();
    // From the event loop and under the gate: the form and git may open boxes,
    // and a nested event loop must not run while Qt is still showing the
    // window's children, nor while the tab could be closed.
    if (!clonesRead)
        QTimer::singleShot(0, this, [this] {
            // Until then the page stays blank: it says why.
            if (!ui)
                WaitingPageNote::showOn(this);
            OperationGate::shared().whenFree(this, tr("reading the clones"), [this] {
                const QPointer<ServerWidget> self(this);
                startTerminals();
                if (self)
                    readClones();
            });
        });
}

void ServerWidget::readClones()
{
    if (clonesRead)
        return;
    const QPointer<ServerWidget> self(this);
    buildForm();
    if (!self)
        return;
    clonesRead = true;
    communityGit = new GitWidget(letter, "velt", this, this);
    enterpriseGit = new GitWidget(letter, "enterprise", this, this);
    communityGit->repository.loadCheckoutPoints(checkoutPoints);
    addGitPanels(gitTabs, communityGit, enterpriseGit);
    for (GitWidget* panel : {communityGit, enterpriseGit}) {
        panel->readClone();
        if (!self)
            return;
    }
    // The start script and the version follow the community clone's branch.
    rebuildCommand();
    checkVersion();
}

void ServerWidget::applyGlobalDefaults()
{
    const ConfigLoader* config = ConfigLoader::getSingleton();
    ui->ttInstall->setText(config->default_install);
    ui->ttUpgrades->setText(config->default_upgrades);
    ui->chbDemoData->setChecked(config->default_demo);
    ui->chbPy2->setChecked(config->default_p2);
    ui->chbShell->setChecked(config->default_shell);
    ui->chbEnterprise->setChecked(config->default_enterprise);
}

QString ServerWidget::configPath() const
{
    return home + "/Documents/velt-servers/server_" + QChar(letter) + "/VLconfig";
}

QString ServerWidget::communityActiveBranch() const
{
    const GitBranch* active = communityGit ? communityGit->repository.activeBranch : nullptr;
    return active ? active->name : QString();
}

// ---------------------------------------------------------------- options

ServerOptions ServerWidget::options() const
{
    ServerOptions values;
    values.activeBranch = communityActiveBranch();
    for (const QLineEdit* field : findChildren<QLineEdit*>())
        if (field->objectName().startsWith("tt") && field != ui->ttCommand)
            values.texts.insert(field->objectName(), field->text());
    for (const QComboBox* box : findChildren<QComboBox*>())
        if (box->objectName().startsWith("cb"))
            values.texts.insert(box->objectName(), box->currentText());
    for (const QCheckBox* box : findChildren<QCheckBox*>())
        if (box->isChecked())
            values.checked.insert(box->objectName());
    return values;
}

void ServerWidget::rebuildCommand()
{
    if (!ui)
        return;
    command = buildServerCommand(options());
    ui->ttCommand->setText(command);
}

void ServerWidget::optionChanged()
{
    if (loading)
        return;
    rebuildCommand();
    saveConfig();
}

void ServerWidget::saveConfig()
{
    // Without its form the tab has changed nothing the file holds.
    if (!ui)
        return;
    VLConfig::Content content;
    for (int i = 0; i < ui->cbDB->count(); ++i)
        content.databases << ui->cbDB->itemText(i);
    content.values = formValues(this);
    content.checkoutPoints = communityGit ? communityGit->repository.getCheckoutPoints() : checkoutPoints;
    VLConfig::write(configPath(), content);
}

void ServerWidget::loadConfig()
{
    // Without its form, the form reads the file when it is built.
    if (!ui)
        return;
    QList<VLConfig::Entry> entries;
    if (!VLConfig::read(configPath(), entries))
        return;
    for (const VLConfig::Entry& entry : entries) {
        switch (entry.kind) {
        case VLConfig::Entry::Value:
            setFormValue(this, entry.key, entry.value);
            break;
        case VLConfig::Entry::Databases:
            ui->cbDB->clear();
            for (const QString& database : entry.items)
                ui->cbDB->addItem(database);
            if (ui->cbDB->count() == 0)
                ui->cbDB->addItem("db_server_" + QString(QChar(letter)));
            break;
        case VLConfig::Entry::CheckoutPoints:
            checkoutPoints = entry.items;
            if (communityGit)
                communityGit->repository.loadCheckoutPoints(entry.items);
            break;
        case VLConfig::Entry::Unknown:
            QMessageBox::critical(nullptr, tr("Error"),
                                  tr("Sorry, but the config has unknown values... check if your configuration "
                                     "still work! (")
                                      + entry.key + ")",
                                  QMessageBox::Ok);
            break;
        }
    }
}

void ServerWidget::on_cbColor_currentTextChanged(const QString& scheme)
{
    if (loading)
        return;
    for (MyQTermWidget* terminal : {serverTerminal, communityTerminal, enterpriseTerminal})
        if (terminal)
            terminal->setColorScheme(scheme);
    saveConfig();
}

// The field is read-only exactly while the port is chosen automatically.
void ServerWidget::on_ttPort_selectionChanged() { ui->ttPort->setReadOnly(ConfigLoader::getSingleton()->auto_port); }

void ServerWidget::on_ttPort_cursorPositionChanged(int, int)
{
    ui->ttPort->setReadOnly(ConfigLoader::getSingleton()->auto_port);
}

void ServerWidget::browseInto(QLineEdit* field, bool directory)
{
    const OperationGate::Hold hold(tr("Browse"));
    if (!hold)
        return;
    const QPointer<ServerWidget> self(this);
    QFileDialog dialog(this);
    dialog.setDirectory(home);
    dialog.setFileMode(directory ? QFileDialog::Directory : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || !self || dialog.selectedFiles().isEmpty())
        return;
    field->setText(dialog.selectedFiles().first());
}

void ServerWidget::on_pushButton_7_clicked() { browseInto(ui->ttReportDirectory, true); }
void ServerWidget::on_pushButton_8_clicked() { browseInto(ui->ttLogFile, false); }
void ServerWidget::on_pushButton_9_clicked() { browseInto(ui->ttGeoipDB, false); }

void ServerWidget::on_pushButton_10_clicked()
{
    const OperationGate::Hold hold(tr("Add"));
    if (!hold)
        return;
    const QPointer<ServerWidget> self(this);
    const QString name = DBList::askNewDB();
    if (!self || name == DBList::cancelMarker())
        return;
    ui->cbDB->addItem(name);
    ui->cbDB->setCurrentIndex(ui->cbDB->count() - 1);
    rebuildCommand();
    saveConfig();
}

void ServerWidget::on_pushButton_12_clicked()
{
    if (ui->cbDB->currentIndex() >= 0)
        ui->cbDB->removeItem(ui->cbDB->currentIndex());
    rebuildCommand();
    saveConfig();
}

// ----------------------------------------------------- module completion

void ServerWidget::createCompleters()
{
    installCompleter = new QCompleter(AC_list::modules, this);
    upgradesCompleter = new QCompleter(AC_list::modules, this);
    for (QCompleter* completer : {installCompleter, upgradesCompleter}) {
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::PopupCompletion);
    }
    installCompleter->setWidget(ui->ttInstall);
    upgradesCompleter->setWidget(ui->ttUpgrades);
    connect(installCompleter, QOverload<const QString&>::of(&QCompleter::activated), this,
            &ServerWidget::insertCompletionTTInstall);
    connect(upgradesCompleter, QOverload<const QString&>::of(&QCompleter::activated), this,
            &ServerWidget::insertCompletionTTUpgrades);
    connect(ui->ttInstall, &QLineEdit::textChanged, this, &ServerWidget::updateCompleterTTInstall);
    connect(ui->ttUpgrades, &QLineEdit::textChanged, this, &ServerWidget::updateCompleterTTUpgrades);
}

void ServerWidget::normaliseModules(QLineEdit* field)
{
    if (loading)
        return;
    const QString clean = AC_list::normalised(field->text());
    if (clean != field->text()) {
        // Fires this slot again with the clean text, which rebuilds and saves.
        field->setText(clean);
        return;
    }
    rebuildCommand();
    saveConfig();
}

void ServerWidget::on_ttInstall_textChanged(const QString&) { normaliseModules(ui->ttInstall); }
void ServerWidget::on_ttUpgrades_textChanged(const QString&) { normaliseModules(ui->ttUpgrades); }

void ServerWidget::updateCompleter(QCompleter* completer, QLineEdit* field, const QString& text)
{
    completer->setCompletionPrefix(AC_list::completionPrefix(text));
    // Only for the user typing: a field emptied by Start must not pop a list up.
    if (field->hasFocus())
        completer->complete();
}

void ServerWidget::updateCompleterTTInstall(QString text) { updateCompleter(installCompleter, ui->ttInstall, text); }
void ServerWidget::updateCompleterTTUpgrades(QString text) { updateCompleter(upgradesCompleter, ui->ttUpgrades, text); }

void ServerWidget::insertCompletion(QCompleter* completer, QLineEdit* field, const QString& name)
{
    field->setText(AC_list::withCompletion(field->text(), name));
    completer->popup()->hide();
}

void ServerWidget::insertCompletionTTInstall(QString name) { insertCompletion(installCompleter, ui->ttInstall, name); }
void ServerWidget::insertCompletionTTUpgrades(QString name)
{
    insertCompletion(upgradesCompleter, ui->ttUpgrades, name);
}

// ----------------------------------------------------------- run control

int ServerWidget::getPort()
{
    if (!ui)
        return savedPort;
    return ui->ttPort->text().toInt(nullptr, 10);
}

int ServerWidget::statusPort()
{
    // A server started here is looked for on its own port, and on none once
    // it has ended: another tab may run a server on that port since.
    if (run && run->hasStarted())
        return run->startedPort().toInt(nullptr, 10);
    return getPort();
}

void ServerWidget::setServerRunning(bool running)
{
    serverRunning = running;
    if (!ui)
        return; // shown when the form is built
    if (running) {
        if (ui->bStart->hasFocus() && serverTerminal)
            serverTerminal->setFocus();
        ui->bRestart->setEnabled(true);
        ui->bStop->setEnabled(true);
        ui->bStart->setEnabled(false);
    } else {
        if ((ui->bStop->hasFocus() || ui->bRestart->hasFocus()) && serverTerminal)
            serverTerminal->setFocus();
        ui->bStart->setEnabled(true);
        ui->bStop->setEnabled(false);
        ui->bRestart->setEnabled(false);
    }
}

void ServerWidget::receiveText(const QString& text)
{
    const RunControl::Seen seen = run->receive(text);
    if (seen == RunControl::Seen::Nothing)
        return;
    serverTerminal->setFocus();
    setServerRunning(seen == RunControl::Seen::Running);
}

void ServerWidget::sendKeyCombinaison(QKeyEvent* event)
{
    startTerminals();
    run->sendKey(event);
}
void ServerWidget::delay(int ms)
{
    cooperativeWait(ms, [] { return OperationGate::shared().cancelRequested(); });
}

bool ServerWidget::sendOrderedText(QStringList lines, bool noWaitLast)
{
    startTerminals();
    return run->typeLines(lines, noWaitLast);
}

bool ServerWidget::sendCtrlC()
{
    startTerminals();
    return run->interrupt();
}

QString ServerWidget::getVirtualEnvCommand()
{
    const ServerVersion::Environment environment = ServerVersion::chooseEnvironment(
        communityActiveBranch(), ui->lblVersion->text(),
        communityGit ? communityGit->repository.latestVersion : 11, ui->chbPy2->isChecked());
    if (environment.switchToPython2) {
        ServerVersion::warnPython3Unavailable();
        ui->chbPy2->setChecked(true);
        saveConfig();
    }
    return environment.command;
}

void ServerWidget::checkVersion()
{
    buildForm();
    ui->lblVersion->setText(ServerVersion::read(letter));
}

void ServerWidget::on_bStart_clicked() { ServerRunOperations::start(*this); }
void ServerWidget::on_bStop_clicked() { ServerRunOperations::stop(*this); }
void ServerWidget::on_bRestart_clicked() { ServerRunOperations::restart(*this); }
void ServerWidget::on_bClear_clicked() { ServerRunOperations::drop(*this); }
void ServerWidget::on_pushButton_11_clicked() { togglePaneWidth(ui->splitterGit, splitterState); }

// ---------------------------------------------------------- option slots

void ServerWidget::on_chbEnterprise_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbShell_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbPy2_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbDemoData_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbNoHttp_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbProxyMode_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbTestEnable_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbTestCommit_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbIl8nOverwrite_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbLogRotate_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbSyslog_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbSMTPSSL_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbAll_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbDevDB_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbReload_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbQWeb_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbWerkzeug_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbXML_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbStopAfterInit_toggled(bool) { optionChanged(); }
void ServerWidget::on_chbUnaccent_toggled(bool) { optionChanged(); }
void ServerWidget::on_ttPort_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttHttpInterface_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLongPollingPort_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttTestFile_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttReportDirectory_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLoadLanguage_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLanguage_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttIl8nExport_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttIl8nImport_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttUser_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttModules_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLogFile_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttEmailFrom_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttSMTPServer_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttSMTPPort_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttSMTPUser_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttSMTPPassword_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttOSVMemoryCount_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttOSVageLimit_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttMaxCronThreads_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttGeoipDB_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttPassword_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttPgPath_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttDBHost_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttDBPort_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttDBSSLMode_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttDBMaxConnections_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttDBTemplate_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttWorkers_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLimitMemorySoft_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLimitMemoryHard_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLimitTimeCPU_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLimitTimeReal_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLimitTimeRealCron_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLimitRequest_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttLogDB_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_ttCustomParams_textChanged(const QString&) { optionChanged(); }
void ServerWidget::on_cbDB_currentTextChanged(const QString&) { optionChanged(); }
void ServerWidget::on_cbLog_currentTextChanged(const QString&) { optionChanged(); }
void ServerWidget::on_cbLogHandler_currentTextChanged(const QString&) { optionChanged(); }
void ServerWidget::on_cbLogDBLevel_currentTextChanged(const QString&) { optionChanged(); }
void ServerWidget::on_cbDevDB_currentTextChanged(const QString&) { optionChanged(); }
void ServerWidget::on_cbShellInterface_currentTextChanged(const QString&) { optionChanged(); }
