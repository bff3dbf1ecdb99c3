#include "widgetvalues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

// VLconfig keys and the widgets that hold their values, in file order.
const char* const configFields[][2] = {
    {"python2", "chbPy2"}, {"shell", "chbShell"}, {"enterprise", "chbEnterprise"},
    {"demo_data", "chbDemoData"}, {"install", "ttInstall"}, {"upgrade", "ttUpgrades"}, {"db", "cbDB"},
    {"color", "cbColor"}, {"port", "ttPort"}, {"log", "cbLog"}, {"http-interface", "ttHttpInterface"},
    {"longPollingPort", "ttLongPollingPort"}, {"no-HTTP", "chbNoHttp"}, {"Proxy-mode", "chbProxyMode"},
    {"logFile", "ttLogFile"}, {"logRotate", "chbLogRotate"}, {"Syslog", "chbSyslog"},
    {"log-handler", "cbLogHandler"}, {"logDB", "ttLogDB"}, {"LogDBLevel", "cbLogDBLevel"},
    {"DBUser", "ttUser"}, {"DBPassword", "ttPassword"}, {"pg-path", "ttPgPath"}, {"DBHost", "ttDBHost"},
    {"DBPort", "ttDBPort"}, {"DBSSLMode", "ttDBSSLMode"}, {"DBMaxCo", "ttDBMaxConnections"},
    {"DBTemplate", "ttDBTemplate"}, {"TestFile", "ttTestFile"}, {"Report-directory", "ttReportDirectory"},
    {"Test-enable", "chbTestEnable"}, {"Test-commit", "chbTestCommit"}, {"email-from", "ttEmailFrom"},
    {"smtp-server", "ttSMTPServer"}, {"smtp-port", "ttSMTPPort"}, {"smtp-ssl", "chbSMTPSSL"},
    {"smtp-user", "ttSMTPUser"}, {"smtp-password", "ttSMTPPassword"}, {"loadLanguage", "ttLoadLanguage"},
    {"language", "ttLanguage"}, {"il8nExport", "ttIl8nExport"}, {"il8nImport", "ttIl8nImport"},
    {"il8nOverwrite", "chbIl8nOverwrite"}, {"INmodules", "ttModules"}, {"dev-mode-all", "chbAll"},
    {"dev-mode-db", "chbDevDB"}, {"dev-mode-db-cb", "cbDevDB"}, {"dev-mode-reload", "chbReload"},
    {"dev-mode-qweb", "chbQWeb"}, {"dev-mode-werkzeug", "chbWerkzeug"}, {"dev-mode-xml", "chbXML"},
    {"shellInterface", "cbShellInterface"}, {"stop-after-init", "chbStopAfterInit"},
    {"unaccent", "chbUnaccent"}, {"OSVMemoryCount", "ttOSVMemoryCount"}, {"OSVAgeLimit", "ttOSVageLimit"},
    {"MaxCronThreads", "ttMaxCronThreads"}, {"GeoipDB", "ttGeoipDB"}, {"Workers", "ttWorkers"},
    {"LimitMemorySoft", "ttLimitMemorySoft"}, {"LimitMemoryHard", "ttLimitMemoryHard"},
    {"LimitTimeCPU", "ttLimitTimeCPU"}, {"LimitTimeReal", "ttLimitTimeReal"},
    {"limitTimeRealCron", "ttLimitTimeRealCron"}, {"limitRequest", "ttLimitRequest"},
    {"CustomParams", "ttCustomParams"},
};

}

void setGraphic(QCheckBox* box, QString value)
{
    bool isNumber = false;
    const int number = value.toInt(&isNumber, 10);
    box->setChecked(isNumber && number == 1);
}

void setGraphic(QLineEdit* field, QString value)
{
    field->setText(value);
}

void setGraphic(QComboBox* box, QString value)
{
    const int index = box->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
}

QString widgetValue(const QWidget* widget)
{
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* field = qobject_cast<const QLineEdit*>(widget))
        return field->text();
    if (auto* box = qobject_cast<const QComboBox*>(widget))
        return box->currentText();
    return QString();
}

void setWidgetValue(QWidget* widget, const QString& value)
{
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        setGraphic(box, value);
    else if (auto* field = qobject_cast<QLineEdit*>(widget))
        setGraphic(field, value);
    else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        if (box->isEditable())
            box->setCurrentText(value);
        else
            setGraphic(box, value);
    }
}

QHash<QString, QString> formValues(const QWidget* form)
{
    QHash<QString, QString> values;
    for (const auto& field : configFields)
        values.insert(field[0], widgetValue(form->findChild<QWidget*>(field[1])));
    return values;
}

void setFormValue(QWidget* form, const QString& key, const QString& value)
{
    for (const auto& field : configFields)
        if (key == QLatin1String(field[0]))
            setWidgetValue(form->findChild<QWidget*>(field[1]), value);
}
