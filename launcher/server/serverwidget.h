#pragma once

#include "server/serveroptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

class GitWidget;
class MyQTermWidget;
class QCompleter;
class QKeyEvent;
class QLineEdit;
class QShowEvent;
class QTabWidget;
class RunControl;

namespace Ui {
class ServerWidget;
}

// One server workspace tab, for ~/Documents/velt-servers/server_<letter>:
// the option panel and the command line it implies, the server terminal and
// the two clone terminals, and the run buttons. Options are kept in the
// workspace's VLconfig file, rewritten after every change.
class ServerWidget : public QWidget
{
    Q_OBJECT
public:
    // When the option panel (the form) is built. A tab hidden at start builds
    // it when it is first shown or first used; until then it answers from its
    // settings file (the port) and from what it was told (running or not).
    enum class FormTiming { Now, WhenShown };

    ServerWidget(char letter, QWidget* parent, FormTiming timing = FormTiming::Now);
    ~ServerWidget() override;

    // Builds the form and reads the settings file into it, once.
    void buildForm();
    bool hasForm() const { return ui; }

    // The port field's integer value; 0 when it is not a number. Without the
    // form, the port the settings file holds.
    int getPort();
    // The port the status bar looks this tab's server up by: the port its
    // server was started on while that server runs, 0 once it has ended;
    // getPort() when no server was started here.
    int statusPort();
    // Puts the run buttons in the running or the stopped state.
    void setServerRunning(bool running);
    bool isServerRunning() const { return serverRunning; }

    // Makes the three terminals and starts their shells, once. A tab does it
    // when it is first shown or first runs something: hidden tabs cost no
    // terminals at start-up. The terminals (and `run`) are null until then.
    void startTerminals();

    // Reads both clones through git, and the server version, once. A tab
    // does it when it is first shown or first needs them (hidden tabs run no
    // git at start-up); the caller holds the operation gate, or knows it free.
    void readClones();
    // True once the reading has begun (it runs to its end in one go).
    bool areClonesRead() const { return clonesRead; }

    // Interrupts what runs in the server terminal, again every
    // secBeforeShutDown seconds, until the shell prompt is back; false when
    // it gave up, the person cancelled or the tab went away (run->ending()
    // says which).
    bool sendCtrlC();
    // Reads the server version of the workspace's community clone.
    void checkVersion();
    // The shell line that activates the server's Python environment.
    QString getVirtualEnvCommand();

    void rebuildCommand();
    void saveConfig();
    void loadConfig();

    // Types the lines one by one, each once the previous one has brought the
    // prompt back (the last one is not waited for with `noWaitLast`).
    // Returns false when the typing was cut short: a line brought no prompt
    // back in time, the person cancelled, a Ctrl+C interrupted it, the tab
    // went away or the launcher is closing (run->ending() says which).
    bool sendOrderedText(QStringList lines, bool noWaitLast);
    // Waits `ms` milliseconds, keeping the interface alive.
    void delay(int ms);

    // The option panel as plain values.
    ServerOptions options() const;
    QString configPath() const;

    // Null until the form is built.
    Ui::ServerWidget* ui = nullptr;
    MyQTermWidget* serverTerminal = nullptr;
    MyQTermWidget* communityTerminal = nullptr;
    MyQTermWidget* enterpriseTerminal = nullptr;
    QString command;
    bool loading = false;
    QByteArray* splitterState = nullptr;
    QCompleter* installCompleter = nullptr;
    QCompleter* upgradesCompleter = nullptr;
    // Types into the server terminal and follows its output.
    RunControl* run = nullptr;
    char letter;
    QString home;
    // The git panels of the community and enterprise clones, made when the
    // clones are read; null until then.
    GitWidget* communityGit = nullptr;
    GitWidget* enterpriseGit = nullptr;

public slots:
    void receiveText(const QString& text);
    // Delivers `event` to the server terminal's display as if typed; takes ownership.
    void sendKeyCombinaison(QKeyEvent* event);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void on_bStart_clicked();
    void on_bStop_clicked();
    void on_bRestart_clicked();
    void on_bClear_clicked();
    void on_pushButton_11_clicked();
    void on_pushButton_7_clicked();
    void on_pushButton_8_clicked();
    void on_pushButton_9_clicked();
    void on_pushButton_10_clicked();
    void on_pushButton_12_clicked();
    void on_cbColor_currentTextChanged(const QString& scheme);
    void on_ttPort_selectionChanged();
    void on_ttPort_cursorPositionChanged(int, int);
    void on_ttInstall_textChanged(const QString&);
    void on_ttUpgrades_textChanged(const QString&);
    void updateCompleterTTInstall(QString text);
    void updateCompleterTTUpgrades(QString text);
    void insertCompletionTTInstall(QString name);
    void insertCompletionTTUpgrades(QString name);
    void on_chbEnterprise_toggled(bool);
    void on_chbShell_toggled(bool);
    void on_chbPy2_toggled(bool);
    void on_chbDemoData_toggled(bool);
    void on_chbNoHttp_toggled(bool);
    void on_chbProxyMode_toggled(bool);
    void on_chbTestEnable_toggled(bool);
    void on_chbTestCommit_toggled(bool);
    void on_chbIl8nOverwrite_toggled(bool);
    void on_chbLogRotate_toggled(bool);
    void on_chbSyslog_toggled(bool);
    void on_chbSMTPSSL_toggled(bool);
    void on_chbAll_toggled(bool);
    void on_chbDevDB_toggled(bool);
    void on_chbReload_toggled(bool);
    void on_chbQWeb_toggled(bool);
    void on_chbWerkzeug_toggled(bool);
    void on_chbXML_toggled(bool);
    void on_chbStopAfterInit_toggled(bool);
    void on_chbUnaccent_toggled(bool);
    void on_ttPort_textChanged(const QString&);
    void on_ttHttpInterface_textChanged(const QString&);
    void on_ttLongPollingPort_textChanged(const QString&);
    void on_ttTestFile_textChanged(const QString&);
    void on_ttReportDirectory_textChanged(const QString&);
    void on_ttLoadLanguage_textChanged(const QString&);
    void on_ttLanguage_textChanged(const QString&);
    void on_ttIl8nExport_textChanged(const QString&);
    void on_ttIl8nImport_textChanged(const QString&);
    void on_ttUser_textChanged(const QString&);
    void on_ttModules_textChanged(const QString&);
    void on_ttLogFile_textChanged(const QString&);
    void on_ttEmailFrom_textChanged(const QString&);
    void on_ttSMTPServer_textChanged(const QString&);
    void on_ttSMTPPort_textChanged(const QString&);
    void on_ttSMTPUser_textChanged(const QString&);
    void on_ttSMTPPassword_textChanged(const QString&);
    void on_ttOSVMemoryCount_textChanged(const QString&);
    void on_ttOSVageLimit_textChanged(const QString&);
    void on_ttMaxCronThreads_textChanged(const QString&);
    void on_ttGeoipDB_textChanged(const QString&);
    void on_ttPassword_textChanged(const QString&);
    void on_ttPgPath_textChanged(const QString&);
    void on_ttDBHost_textChanged(const QString&);
    void on_ttDBPort_textChanged(const QString&);
    void on_ttDBSSLMode_textChanged(const QString&);
    void on_ttDBMaxConnections_textChanged(const QString&);
    void on_ttDBTemplate_textChanged(const QString&);
    void on_ttWorkers_textChanged(const QString&);
    void on_ttLimitMemorySoft_textChanged(const QString&);
    void on_ttLimitMemoryHard_textChanged(const QString&);
    void on_ttLimitTimeCPU_textChanged(const QString&);
    void on_ttLimitTimeReal_textChanged(const QString&);
    void on_ttLimitTimeRealCron_textChanged(const QString&);
    void on_ttLimitRequest_textChanged(const QString&);
    void on_ttLogDB_textChanged(const QString&);
    void on_ttCustomParams_textChanged(const QString&);
    void on_cbDB_currentTextChanged(const QString&);
    void on_cbLog_currentTextChanged(const QString&);
    void on_cbLogHandler_currentTextChanged(const QString&);
    void on_cbLogDBLevel_currentTextChanged(const QString&);
    void on_cbDevDB_currentTextChanged(const QString&);
    void on_cbShellInterface_currentTextChanged(const QString&);

private:
    void applyGlobalDefaults();
    void createCompleters();
    void optionChanged();
    void normaliseModules(QLineEdit* field);
    void updateCompleter(QCompleter* completer, QLineEdit* field, const QString& text);
    void insertCompletion(QCompleter* completer, QLineEdit* field, const QString& name);
    void browseInto(QLineEdit* field, bool directory);
    QString communityActiveBranch() const;

    bool serverRunning = false;
    bool terminalsStarted = false;
    bool clonesRead = false;
    int savedPort = 0;
    QTabWidget* gitTabs = nullptr;
    // Checkout points read from the file, written back while no git panel keeps them.
    QStringList checkoutPoints;
};
