#include "serveroptions.h"

#include "exec/shellquote.h"

namespace {

// Text and Combo values are quoted, Raw ones are command-line text of the
// person's own, typed as it is.
enum class Piece { Text, Flag, Combo, Raw };

// One option of the command line: the widget it comes from and what it adds.
struct OptionPiece
{
    Piece kind;
    const char* objectName;
    const char* prefix;   // text: prefix + value; flag: added when checked
    const char* skipWhen; // combo: the value that adds nothing
};

// In command-line order, from the HTTP options after the demo-data piece up
// to the debugger options.
const OptionPiece middlePieces[] = {
    {Piece::Text, "ttHttpInterface", " --http-interface=", nullptr},
    {Piece::Text, "ttLongPollingPort", " --longpolling-port=", nullptr},
    {Piece::Flag, "chbNoHttp", " --no-http", nullptr},
    {Piece::Flag, "chbProxyMode", " --proxy-mode", nullptr},
    {Piece::Text, "ttTestFile", " --test-file=", nullptr},
};

const OptionPiece loggingToLanguagePieces[] = {
    {Piece::Flag, "chbTestEnable", " --test-enable", nullptr},
    {Piece::Flag, "chbTestCommit", " --test-commit", nullptr},
    {Piece::Text, "ttLogFile", " --logfile=", nullptr},
    {Piece::Combo, "cbLog", " --log-level=", "notset"},
    {Piece::Flag, "chbLogRotate", " --logrotate", nullptr},
    {Piece::Flag, "chbSyslog", " --syslog", nullptr},
    {Piece::Combo, "cbLogHandler", " --log-handler=", ""},
    {Piece::Text, "ttLogDB", " --log-db=", nullptr},
    {Piece::Combo, "cbLogDBLevel", " --log-db-level=", "notset"},
    {Piece::Text, "ttEmailFrom", " --email-from=", nullptr},
    {Piece::Text, "ttSMTPServer", " --smtp=", nullptr},
    {Piece::Text, "ttSMTPPort", " --smtp-port=", nullptr},
    {Piece::Flag, "chbSMTPSSL", " --smtp-ssl", nullptr},
    {Piece::Text, "ttSMTPUser", " --smtp-user=", nullptr},
    {Piece::Text, "ttSMTPPassword", " --smtp-password=", nullptr},
    {Piece::Text, "ttUser", " -r ", nullptr},
    {Piece::Text, "ttPassword", " -w", nullptr},
    {Piece::Text, "ttPgPath", " --pg_path=", nullptr},
    {Piece::Text, "ttDBHost", " --db_host=", nullptr},
    {Piece::Text, "ttDBPort", " --db_port=", nullptr},
    {Piece::Text, "ttDBSSLMode", " --db_sslmode=", nullptr},
    {Piece::Text, "ttDBMaxConnections", " --db_maxconn=", nullptr},
    {Piece::Text, "ttDBTemplate", " --db-template=", nullptr},
    {Piece::Text, "ttLoadLanguage", " --load-language=", nullptr},
    {Piece::Text, "ttLanguage", " -l ", nullptr},
    {Piece::Text, "ttIl8nExport", " --il8n-export=", nullptr},
    {Piece::Text, "ttIl8nImport", " --il8n-import=", nullptr},
    {Piece::Flag, "chbIl8nOverwrite", " --il8n-overwrite", nullptr},
    {Piece::Text, "ttModules", " --modules=", nullptr},
};

const OptionPiece lastPieces[] = {
    {Piece::Combo, "cbShellInterface", " --shell-interface=", "python"},
    {Piece::Flag, "chbStopAfterInit", " --stop-after-init", nullptr},
    {Piece::Text, "ttOSVMemoryCount", " --osv-memory-count-limit=", nullptr},
    {Piece::Text, "ttOSVageLimit", " --osv-memory-age-limit=", nullptr},
    {Piece::Text, "ttMaxCronThreads", " --max-cron-threads=", nullptr},
    {Piece::Flag, "chbUnaccent", " --unaccent", nullptr},
    {Piece::Text, "ttGeoipDB", " --geoip-db=", nullptr},
    {Piece::Text, "ttWorkers", " --workers=", nullptr},
    {Piece::Text, "ttLimitMemorySoft", " --limit-memory-soft=", nullptr},
    {Piece::Text, "ttLimitMemoryHard", " --limit-memory-hard=", nullptr},
    {Piece::Text, "ttLimitTimeCPU", " --limit-time-cpu=", nullptr},
    {Piece::Text, "ttLimitTimeReal", " --limit-time-real=", nullptr},
    {Piece::Text, "ttLimitTimeRealCron", " --limit-time-real-cron=", nullptr},
    {Piece::Text, "ttLimitRequest", " --limit-request=", nullptr},
    {Piece::Raw, "ttCustomParams", " ", nullptr},
};

template <size_t N>
void appendPieces(QString& command, const ServerOptions& options, const OptionPiece (&pieces)[N])
{
    for (const OptionPiece& piece : pieces) {
        const QString name = QString::fromLatin1(piece.objectName);
        switch (piece.kind) {
        case Piece::Text:
            if (!options.text(name).isEmpty())
                command += QLatin1String(piece.prefix) + shellQuote(options.text(name));
            break;
        case Piece::Raw:
            if (!options.text(name).isEmpty())
                command += QLatin1String(piece.prefix) + options.text(name);
            break;
        case Piece::Flag:
            if (options.isChecked(name))
                command += QLatin1String(piece.prefix);
            break;
        case Piece::Combo: {
            const QString value = options.text(name);
            if (!value.isEmpty() && value != QLatin1String(piece.skipWhen))
                command += QLatin1String(piece.prefix) + shellQuote(value);
            break;
        }
        }
    }
}

// Between double quotes, as the report directory has always been written;
// a value holding what the shell still expands there ($ ` \ " and the
// interactive shell's !) is put between single quotes instead.
QString doubleQuoted(const QString& value)
{
    for (const QChar c : value)
        if (c == '"' || c == '\\' || c == '$' || c == '`' || c == '!')
            return shellQuote(value);
    return '"' + value + '"';
}

// " --dev=" with the chosen developer-mode features, or nothing.
QString devModePiece(const ServerOptions& options)
{
    QString features;
    if (options.isChecked("chbAll"))
        features += "all,";
    if (options.isChecked("chbDevDB"))
        features += shellQuote(options.text("cbDevDB")) + ",";
    if (options.isChecked("chbReload"))
        features += "reload,";
    if (options.isChecked("chbQWeb"))
        features += "qweb,";
    if (options.isChecked("chbWerkzeug"))
        features += "werkzeug,";
    if (options.isChecked("chbXML"))
        features += "xml,";
    if (features.isEmpty())
        return QString();
    features.chop(1);
    return " --dev=" + features;
}

}

QString serverScriptFor(const QString& activeBranch)
{
    return activeBranch.contains("9.") ? QStringLiteral("velt/velt.py") : QStringLiteral("velt/velt-bin");
}

QString buildServerCommand(const ServerOptions& options)
{
    QString command = serverScriptFor(options.activeBranch);
    if (options.isChecked("chbShell"))
        command += " shell";
    if (!options.text("ttPort").isEmpty())
        command += " --xmlrpc-port " + shellQuote(options.text("ttPort"));
    command += options.isChecked("chbEnterprise") ? " --addons-path=enterprise,velt/addons"
                                                  : " --addons-path=velt/addons";
    const QString database = shellQuote(options.text("cbDB"));
    if (!options.text("cbDB").isEmpty())
        command += " -d " + database + " --db-filter=" + database;
    if (!options.text("ttInstall").isEmpty())
        command += " -i " + shellQuote(options.text("ttInstall"));
    if (!options.text("ttUpgrades").isEmpty())
        command += " -u " + shellQuote(options.text("ttUpgrades"));
    if (!options.isChecked("chbDemoData"))
        command += " --without-demo all";
    appendPieces(command, options, middlePieces);
    if (!options.text("ttReportDirectory").isEmpty())
        command += " --test-report-directory=" + doubleQuoted(options.text("ttReportDirectory"));
    appendPieces(command, options, loggingToLanguagePieces);
    command += devModePiece(options);
    appendPieces(command, options, lastPieces);
    return command;
}
