// A server tab without running anything: its option panel, the command line
// it shows, the VLconfig it keeps, the database buttons, the module fields
// and the terminal layout toggle.
#include "modalanswer.h"
#include "server/autocompletionlist.h"
#include "server/runcontrol.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "testhome.h"
#include "ui_serverwidget.h"

#include <qtermwidget.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QtTest>

#include <memory>

namespace {

const char* const configFile = "Documents/velt-servers/server_a/VLconfig";

// Answers `count` message boxes in a row with Ok, recording title and text of each.
void answerBoxes(int count, QStringList* seen)
{
    if (count == 0)
        return;
    ModalAnswer::whenModal([=](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            *seen << box->windowTitle() + " | " + box->text();
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        } else {
            modal->close();
        }
        // The next box is looked for once this one has gone.
        QTimer::singleShot(100, [=] { answerBoxes(count - 1, seen); });
    }, 60000);
}

// Every VLconfig key with a value that differs from the widget's default.
QList<QPair<QString, QString>> distinctValues(const ServerWidget& tab)
{
    QList<QPair<QString, QString>> values;
    const char* const checkKeys[] = {"python2", "shell", "enterprise", "demo_data", "no-HTTP", "Proxy-mode",
                                     "logRotate", "Syslog", "Test-enable", "Test-commit", "smtp-ssl",
                                     "il8nOverwrite", "dev-mode-all", "dev-mode-db", "dev-mode-reload",
                                     "dev-mode-qweb", "dev-mode-werkzeug", "dev-mode-xml", "stop-after-init",
                                     "unaccent"};
    for (const char* key : checkKeys)
        values << qMakePair(QString(key), QString("1"));
    const char* const textKeys[] = {"install", "upgrade", "port", "http-interface", "longPollingPort", "logFile",
                                    "logDB", "DBUser", "DBPassword", "pg-path", "DBHost", "DBPort", "DBSSLMode",
                                    "DBMaxCo", "DBTemplate", "TestFile", "Report-directory", "email-from",
                                    "smtp-server", "smtp-port", "smtp-user", "smtp-password", "loadLanguage",
                                    "language", "il8nExport", "il8nImport", "INmodules", "OSVMemoryCount",
                                    "OSVAgeLimit", "MaxCronThreads", "GeoipDB", "Workers", "LimitMemorySoft",
                                    "LimitMemoryHard", "LimitTimeCPU", "LimitTimeReal", "limitTimeRealCron",
                                    "limitRequest", "CustomParams"};
    for (const char* key : textKeys)
        values << qMakePair(QString(key), QString("v-") + key);
    values << qMakePair(QString("db"), QString("db_second"));
    values << qMakePair(QString("color"), tab.ui->cbColor->itemText(tab.ui->cbColor->count() - 1));
    values << qMakePair(QString("log"), QString("debug_rpc_answer"));
    values << qMakePair(QString("log-handler"), QString("velt.orm:DEBUG"));
    values << qMakePair(QString("LogDBLevel"), QString("critical"));
    values << qMakePair(QString("dev-mode-db-cb"), QString("pdb"));
    values << qMakePair(QString("shellInterface"), QString("ptpython"));
    return values;
}

}

// Answers the database list opened by "Add": any message box first (the
// warning of an unreachable PostgreSQL server) gets Ok, then the list gets
// `name` typed and added, or is closed when `name` is empty.
void answerDatabaseList(const QString& name)
{
    ModalAnswer::whenModal([name](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->close();
            answerDatabaseList(name);
            return;
        }
        auto* field = modal->findChild<QLineEdit*>("lineEdit");
        auto* add = modal->findChild<QPushButton*>("pushButton");
        if (name.isEmpty() || !field || !add) {
            modal->close();
            return;
        }
        field->setText(name);
        add->click();
    }, 60000);
}

class TestServerWidget : public QObject
{
    Q_OBJECT

    TestHome home;

    QString workspace() const { return home.path() + "/Documents/velt-servers/server_a"; }
    QMap<QString, QString> savedValues() const
    {
        QMap<QString, QString> values;
        for (const QByteArray& line : home.readFile(configFile).split('\n')) {
            const int separator = line.indexOf(":::");
            if (separator > 0)
                values.insert(QString::fromUtf8(line.left(separator)), QString::fromUtf8(line.mid(separator + 3)));
        }
        return values;
    }

private slots:
    void initTestCase() { AC_list::init(); }

    void init()
    {
        QDir(workspace()).removeRecursively();
        QVERIFY(QDir().mkpath(workspace()));
        ConfigLoader* config = ConfigLoader::getSingleton();
        config->default_install.clear();
        config->default_upgrades.clear();
        config->default_demo = config->default_p2 = config->default_shell = config->default_enterprise = false;
        config->auto_port = false;
    }

    void formHoldsEveryOption()
    {
        ServerWidget tab('a', nullptr);
        auto* tabs = tab.findChild<QTabWidget*>("tabWidget");
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QString("Terminal"));
        QCOMPARE(tabs->tabText(1), QString("Parameters"));
        QCOMPARE(tabs->tabText(2), QString("Git"));
        QCOMPARE(tabs->currentIndex(), 0);

        QStringList groups;
        for (const QGroupBox* group : tab.findChildren<QGroupBox*>())
            groups << group->title();
        groups.sort();
        QCOMPARE(groups, QStringList({"Advanced options", "Database related options", "Global options", "HTTP",
                                      "Internationalisation options:", "Logging", "Multiprocessing options",
                                      "SMTP Configuration", "Testing"}));

        // Each line edit's caption carries the field's tooltip, but in the Logging group.
        int captioned = 0;
        for (const QLineEdit* field : tab.findChildren<QLineEdit*>()) {
            const QString name = field->objectName();
            auto* caption = tab.findChild<QLabel*>("lbl" + name.mid(2));
            if (!caption || name == "ttInstall" || name == "ttUpgrades" || name == "ttCustomParams")
                continue;
            ++captioned;
            const bool logging = name == "ttLogFile" || name == "ttLogDB";
            QVERIFY2(logging ? caption->toolTip().isEmpty() : caption->toolTip() == field->toolTip(),
                     qPrintable(name));
            QVERIFY2(!caption->text().isEmpty(), qPrintable(name));
        }
        QCOMPARE(captioned, 36);
        QCOMPARE(tab.ui->lblDBMaxConnections->text(), QString("db max \nconnections:"));
        QCOMPARE(tab.ui->ttLogDB->toolTip(), QString());
        QCOMPARE(tab.ui->lblPort->text(), QString("Port:"));
        QCOMPARE(tab.ui->chbProxyMode->toolTip(),
                 QString("Activate reverse proxy WSGI wrappers (headers rewriting) Only enable this when running "
                         "behind a trusted web proxy!"));
        QCOMPARE(tab.ui->chbDevDB->text(), QString("debugger"));
        QCOMPARE(tab.ui->lblDevMode->toolTip(), QString("Enable developper mode"));

        auto items = [](const QComboBox* box) {
            QStringList list;
            for (int i = 0; i < box->count(); ++i)
                list << box->itemText(i);
            return list;
        };
        const QStringList levels = {"notset", "info", "debug_rpc", "warn", "test", "critical", "debug_sql",
                                    "error", "debug", "debug_rpc_answer"};
        QCOMPARE(items(tab.ui->cbLog), levels);
        QCOMPARE(items(tab.ui->cbLogDBLevel), levels);
        QCOMPARE(items(tab.ui->cbLogHandler), QStringList({"velt.http.rpc.request:DEBUG",
                                                           "velt.http.rpc.response:DEBUG", "velt.http:DEBUG",
                                                           "velt.sql_db:DEBUG"}));
        QVERIFY(tab.ui->cbLogHandler->isEditable());
        QVERIFY(!tab.ui->cbDB->isEditable());
        QCOMPARE(items(tab.ui->cbDevDB), QStringList({"pudb", "wdb", "ipdb", "pdb"}));
        QCOMPARE(items(tab.ui->cbShellInterface), QStringList({"python", "ipython", "ptpython", "bpython"}));
        QCOMPARE(items(tab.ui->cbColor), QTermWidget::availableColorSchemes());

        QVERIFY(tab.ui->ttCommand->isReadOnly());
        QCOMPARE(tab.ui->bStart->text(), QString("Start server"));
        QCOMPARE(tab.ui->bClear->text(), QString("Drop"));
        QCOMPARE(tab.ui->pushButton_11->text(), QString("GIT terminal"));
        QVERIFY(tab.ui->bStart->isEnabled());
        QVERIFY(!tab.ui->bStop->isEnabled());
        QVERIFY(!tab.ui->bRestart->isEnabled());
        QCOMPARE(tab.ui->lblVersion->alignment() & Qt::AlignRight, Qt::AlignRight);
    }

    void newTabTakesGlobalDefaultsAndSavesOnce()
    {
        ConfigLoader* config = ConfigLoader::getSingleton();
        config->default_install = "sale";
        config->default_enterprise = true;
        config->default_demo = true;
        {
            ServerWidget tab('a', nullptr);
            QCOMPARE(tab.ui->ttInstall->text(), QString("sale"));
            QCOMPARE(tab.command, QString("velt/velt-bin --addons-path=enterprise,velt/addons -i sale "
                                          "--log-handler=velt.http.rpc.request:DEBUG"));
            QCOMPARE(tab.ui->ttCommand->text(), tab.command);
        }
        // The first save creates the file with what the tab showed.
        QMap<QString, QString> saved = savedValues();
        QCOMPARE(saved.value("install"), QString("sale"));
        QCOMPARE(saved.value("enterprise"), QString("1"));
        QCOMPARE(saved.value("python2"), QString("0"));
        QCOMPARE(saved.size(), 66);
        QVERIFY(home.readFile(configFile).startsWith("### CONFIG FILE ###\n<--- DB <---\n---> DB --->\n"));

        // The file overrides the global defaults.
        config->default_install = "crm";
        ServerWidget again('a', nullptr);
        QCOMPARE(again.ui->ttInstall->text(), QString("sale"));
    }

    void commandFollowsTheFile()
    {
        home.writeFile(configFile, "### CONFIG FILE ###\n<--- DB <---\ndb_server_a\n---> DB --->\n"
                                   "enterprise:::1\ndemo_data:::1\nport:::8069\n");
        ServerWidget tab('a', nullptr);
        QCOMPARE(tab.ui->ttCommand->text(),
                 QString("velt/velt-bin --xmlrpc-port 8069 --addons-path=enterprise,velt/addons -d db_server_a "
                         "--db-filter=db_server_a --log-handler=velt.http.rpc.request:DEBUG"));

        // Every change rebuilds the line and rewrites the file.
        tab.ui->chbDemoData->setChecked(false);
        QVERIFY(tab.ui->ttCommand->text().contains(" -d db_server_a --db-filter=db_server_a --without-demo all"));
        QCOMPARE(savedValues().value("demo_data"), QString("0"));
        tab.ui->cbLog->setCurrentText("debug");
        QVERIFY(tab.ui->ttCommand->text().contains(" --log-level=debug"));
        tab.ui->ttWorkers->setText("4");
        QVERIFY(tab.ui->ttCommand->text().endsWith(" --workers=4"));
        QCOMPARE(savedValues().value("Workers"), QString("4"));
        tab.ui->cbShellInterface->setCurrentText("bpython");
        QCOMPARE(savedValues().value("shellInterface"), QString("bpython"));
        tab.ui->ttCustomParams->setText("--x y");
        QVERIFY(tab.ui->ttCommand->text().endsWith(" --workers=4 --x y"));
    }

    // Every option widget is wired: a change reaches the file at once, and
    // every widget but the colour scheme changes the command line.
    void everyOptionIsSaved()
    {
        home.writeFile(configFile, "<--- DB <---\ndb_one\ndb_two\n---> DB --->\n");
        ServerWidget tab('a', nullptr);
        QByteArray file = home.readFile(configFile);
        QString command = tab.command;
        int changed = 0;
        auto expectChange = [&](QWidget* widget, bool commandToo) {
            const QByteArray now = home.readFile(configFile);
            QVERIFY2(now != file, qPrintable(widget->objectName()));
            QVERIFY2(!commandToo || tab.command != command, qPrintable(widget->objectName()));
            QCOMPARE(tab.ui->ttCommand->text(), tab.command);
            file = now;
            command = tab.command;
            ++changed;
        };
        for (QCheckBox* box : tab.findChildren<QCheckBox*>()) {
            box->toggle();
            // python 2 only chooses the environment.
            expectChange(box, box->objectName() != "chbPy2");
        }
        for (QLineEdit* field : tab.findChildren<QLineEdit*>()) {
            if (!field->objectName().startsWith("tt") || field == tab.ui->ttCommand)
                continue;
            field->setText("x1");
            expectChange(field, true);
        }
        for (QComboBox* box : tab.findChildren<QComboBox*>()) {
            box->setCurrentIndex(box->currentIndex() == 1 ? 0 : 1);
            expectChange(box, box != tab.ui->cbColor);
        }
        QCOMPARE(changed, 20 + 39 + 7);
    }

    void everyKeyRoundTrips()
    {
        QList<QPair<QString, QString>> values;
        {
            ServerWidget tab('a', nullptr);
            values = distinctValues(tab);
            QCOMPARE(values.size(), 66);
            QByteArray text = "### CONFIG FILE ###\n<--- DB <---\ndb_first\ndb_second\n---> DB --->\n";
            for (const auto& value : values)
                text += (value.first + ":::" + value.second + "\n").toUtf8();
            text += "<--- GitCheckoutPoints <---\n12.0<->12.0-fix=-=>abc123\n---> GitCheckoutPoints --->\n";
            home.writeFile(configFile, text);
        }
        ServerWidget loaded('a', nullptr);
        // The load pushed every value into its widget; the save after it wrote
        // the same values back.
        const QMap<QString, QString> saved = savedValues();
        for (const auto& value : values)
            QCOMPARE(saved.value(value.first), value.second);
        QCOMPARE(loaded.ui->cbDB->count(), 2);
        QCOMPARE(loaded.ui->cbDB->currentText(), QString("db_second"));
        QVERIFY(loaded.ui->chbWerkzeug->isChecked());
        QCOMPARE(loaded.ui->ttCustomParams->text(), QString("v-CustomParams"));
        QVERIFY(home.readFile(configFile).endsWith(
            "<--- GitCheckoutPoints <---\n12.0<->12.0-fix=-=>abc123\n---> GitCheckoutPoints --->\n"));
        QVERIFY(loaded.command.contains(" -d db_second --db-filter=db_second"));
        QVERIFY(loaded.command.contains(" --dev=all,pdb,reload,qweb,werkzeug,xml"));
        QVERIFY(loaded.command.contains(" --log-handler=velt.orm:DEBUG"));
    }

    void databasesAndChoicesFromTheFile()
    {
        home.writeFile(configFile, "<--- DB <---\n---> DB --->\nlog-handler:::my.module:WARNING\n"
                                   "python2:::true\nshell:::2\nenterprise:::1\ncolor:::NoSuchScheme\n");
        ServerWidget tab('a', nullptr);
        QCOMPARE(tab.ui->cbDB->count(), 1);
        QCOMPARE(tab.ui->cbDB->currentText(), QString("db_server_a"));
        QCOMPARE(tab.ui->cbLogHandler->currentText(), QString("my.module:WARNING"));
        QVERIFY(!tab.ui->chbPy2->isChecked());
        QVERIFY(!tab.ui->chbShell->isChecked());
        QVERIFY(tab.ui->chbEnterprise->isChecked());
        QCOMPARE(tab.ui->cbColor->currentIndex(), 0);

        // A truncated database section keeps the names read.
        home.writeFile(configFile, "<--- DB <---\ndb_x\ndb_y");
        ServerWidget truncated('a', nullptr);
        QCOMPARE(truncated.ui->cbDB->count(), 2);
        QCOMPARE(truncated.ui->cbDB->itemText(1), QString("db_y"));
    }

    void unknownLinesAreReportedAndReadingGoesOn()
    {
        home.writeFile(configFile, "bogus:::1\n\nport:::8123\nPort:::9\n");
        QStringList seen;
        answerBoxes(3, &seen);
        ServerWidget tab('a', nullptr);
        const QString prefix =
            "Error | Sorry, but the config has unknown values... check if your configuration still work! (";
        QCOMPARE(seen, QStringList({prefix + "bogus)", prefix + ")", prefix + "Port)"}));
        QCOMPARE(tab.ui->ttPort->text(), QString("8123"));
    }

    void addingAndRemovingDatabases()
    {
        home.writeFile(configFile, "<--- DB <---\ndb_server_a\n---> DB --->\n");
        ServerWidget tab('a', nullptr);
        // The database list opens; with no PostgreSQL server reachable its
        // warning comes first. A name typed into the list's field is added.
        answerDatabaseList("db_new");
        tab.ui->pushButton_10->click();
        QCOMPARE(tab.ui->cbDB->count(), 2);
        QCOMPARE(tab.ui->cbDB->currentText(), QString("db_new"));
        QVERIFY(tab.command.contains(" -d db_new --db-filter=db_new"));
        QVERIFY(home.readFile(configFile).contains("<--- DB <---\ndb_server_a\ndb_new\n---> DB --->\n"));
        QCOMPARE(savedValues().value("db"), QString("db_new"));

        // Cancelled: nothing added, the cancel marker least of all.
        answerDatabaseList(QString());
        tab.ui->pushButton_10->click();
        QCOMPARE(tab.ui->cbDB->count(), 2);
        QCOMPARE(tab.ui->cbDB->findText("xxxFalsexxx"), -1);

        tab.ui->pushButton_12->click();
        tab.ui->pushButton_12->click();
        QCOMPARE(tab.ui->cbDB->count(), 0);
        QVERIFY(!tab.command.contains(" -d "));
        tab.ui->pushButton_12->click(); // nothing left to remove
        QVERIFY(home.readFile(configFile).contains("<--- DB <---\n---> DB --->\n"));
    }

    void moduleFields()
    {
        ServerWidget tab('a', nullptr);
        tab.ui->ttUpgrades->setText("sale purchase");
        QCOMPARE(tab.ui->ttUpgrades->text(), QString("sale,purchase"));
        QVERIFY(tab.command.contains(" -u sale,purchase"));
        QCOMPARE(savedValues().value("upgrade"), QString("sale,purchase"));

        tab.ui->ttUpgrades->setText("sale,HR_");
        QCOMPARE(tab.upgradesCompleter->completionPrefix(), QString("HR_"));
        QCOMPARE(tab.upgradesCompleter->completionCount(), 18);
        emit tab.upgradesCompleter->activated(QString("hr_expense"));
        QCOMPARE(tab.ui->ttUpgrades->text(), QString("sale,hr_expense"));
        QVERIFY(tab.command.contains(" -u sale,hr_expense"));

        tab.ui->ttInstall->setText(" crm,,stock ");
        QCOMPARE(tab.ui->ttInstall->text(), QString("crm,stock,"));
        tab.ui->ttInstall->clear();
        QCOMPARE(tab.installCompleter->completionCount(), 416);
        QVERIFY(!tab.command.contains(" -i "));
    }

    void browseButtonsFillTheirFields()
    {
        // The answers only record what they saw and always close the dialog,
        // so a wrong dialog fails the test instead of hanging it.
        ServerWidget tab('a', nullptr);
        home.writeFile("GeoLite.mmdb", "x");
        QString directory;
        int mode = -1;
        ModalAnswer::whenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            directory = dialog->directory().absolutePath();
            mode = dialog->fileMode();
            // Typed as a user would; done() rather than accept(), which may
            // ignore the click while the file model still reads the folder.
            if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                name->setText("GeoLite.mmdb");
            static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
        }, 60000);
        tab.ui->pushButton_9->click();
        QCOMPARE(directory, QDir(home.path()).absolutePath());
        QCOMPARE(mode, int(QFileDialog::AnyFile));
        QCOMPARE(tab.ui->ttGeoipDB->text(), home.path() + "/GeoLite.mmdb");
        QVERIFY(tab.command.contains(" --geoip-db=" + home.path() + "/GeoLite.mmdb"));
        QCOMPARE(savedValues().value("GeoipDB"), home.path() + "/GeoLite.mmdb");

        mode = -1;
        ModalAnswer::whenModal([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal))
                mode = dialog->fileMode();
            modal->close();
        }, 60000);
        tab.ui->pushButton_7->click();
        QCOMPARE(mode, int(QFileDialog::Directory));
        QCOMPARE(tab.ui->ttReportDirectory->text(), QString());
    }

    void gitTerminalToggle()
    {
        ServerWidget tab('a', nullptr);
        tab.resize(1200, 800);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        auto* splitter = tab.findChild<QSplitter*>("splitterGit");
        const QList<int> before = splitter->sizes();
        QVERIFY(before.at(0) > 0);
        tab.ui->pushButton_11->click();
        QCOMPARE(splitter->sizes().at(0), 0);
        QVERIFY(splitter->sizes().at(1) > before.at(1));
        QVERIFY(tab.splitterState);
        tab.ui->pushButton_11->click();
        QCOMPARE(splitter->sizes(), before);
        QVERIFY(!tab.splitterState);
        tab.hide();
    }

    void portAndRunState()
    {
        ServerWidget tab('a', nullptr);
        tab.ui->ttPort->setText("8073");
        QCOMPARE(tab.getPort(), 8073);
        tab.ui->ttPort->setText("abc");
        QCOMPARE(tab.getPort(), 0);

        tab.setServerRunning(true);
        QVERIFY(!tab.ui->bStart->isEnabled());
        QVERIFY(tab.ui->bStop->isEnabled() && tab.ui->bRestart->isEnabled());
        tab.setServerRunning(false);
        QVERIFY(tab.ui->bStart->isEnabled());
        QVERIFY(!tab.ui->bStop->isEnabled() && !tab.ui->bRestart->isEnabled());

        // The terminal's output decides: the running marker, then a prompt.
        tab.startTerminals();
        tab.receiveText("2026-12-08 10:00:00,000 42 INFO ? velt: database: db@localhost\r\n");
        QVERIFY(tab.isServerRunning());
        QCOMPARE(tab.run->lastLine, QString());
        tab.receiveText("^C\r\n$ ");
        QVERIFY(!tab.isServerRunning());
        QCOMPARE(tab.run->watchLine, QString("$ "));

        ConfigLoader::getSingleton()->auto_port = true;
        ServerWidget automatic('a', nullptr);
        QVERIFY(automatic.ui->ttPort->isReadOnly());
        ConfigLoader::getSingleton()->auto_port = false;
        automatic.ui->ttPort->setCursorPosition(0);
        automatic.ui->ttPort->end(false);
        QVERIFY(!automatic.ui->ttPort->isReadOnly());
    }

    void missingWorkspaceWritesNothing()
    {
        ServerWidget tab('q', nullptr);
        tab.ui->ttWorkers->setText("2");
        QVERIFY(!QFileInfo::exists(home.path() + "/Documents/velt-servers/server_q"));
    }
};

QTEST_MAIN(TestServerWidget)
#include "test_serverwidget.moc"
