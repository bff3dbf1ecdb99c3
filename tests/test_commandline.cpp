// The server command line built from the option values, and the shell lines
// the server tab types: exact texts, piece order, quoting of outside values.
#include "server/servercommands.h"
#include "server/serveroptions.h"

#include <QtTest>

namespace {

// Options that add nothing optional: demo data on, combo boxes on the items
// that add no piece.
ServerOptions quietOptions()
{
    ServerOptions options;
    options.checked << "chbDemoData";
    options.texts["cbLog"] = "notset";
    options.texts["cbLogDBLevel"] = "notset";
    options.texts["cbLogHandler"] = "";
    options.texts["cbShellInterface"] = "python";
    options.texts["cbDevDB"] = "pudb";
    return options;
}

void apply(ServerOptions& options, const QString& kind, const QString& name, const QString& value)
{
    if (kind == "check")
        options.checked << name;
    else if (kind == "uncheck")
        options.checked.remove(name);
    else
        options.texts[name] = value;
}

}

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void example()
    {
        ServerOptions options = quietOptions();
        options.texts["cbDB"] = "db_server_a";
        options.texts["ttPort"] = "8069";
        options.checked << "chbEnterprise";
        options.texts["cbLogHandler"] = "velt.http.rpc.request:DEBUG";
        QCOMPARE(buildServerCommand(options),
                 QString("velt/velt-bin --xmlrpc-port 8069 --addons-path=enterprise,velt/addons -d db_server_a "
                         "--db-filter=db_server_a --log-handler=velt.http.rpc.request:DEBUG"));
    }

    // Every optional piece, by its position in the line (the script and the
    // add-ons path are always there).
    void eachPiece_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("piece");
        struct Row { int position; const char* kind; const char* name; const char* value; const char* piece; };
        const Row rows[] = {
            {2, "check", "chbShell", "", " shell"},
            {3, "text", "ttPort", "8069", " --xmlrpc-port 8069"},
            {5, "text", "cbDB", "db_a", " -d db_a --db-filter=db_a"},
            {6, "text", "ttInstall", "sale,crm", " -i sale,crm"},
            {7, "text", "ttUpgrades", "base", " -u base"},
            {8, "uncheck", "chbDemoData", "", " --without-demo all"},
            {9, "text", "ttHttpInterface", "127.0.0.1", " --http-interface=127.0.0.1"},
            {10, "text", "ttLongPollingPort", "8072", " --longpolling-port=8072"},
            {11, "check", "chbNoHttp", "", " --no-http"},
            {12, "check", "chbProxyMode", "", " --proxy-mode"},
            {13, "text", "ttTestFile", "tests/test_x.py", " --test-file=tests/test_x.py"},
            {14, "text", "ttReportDirectory", "/tmp/my reports", " --test-report-directory=\"/tmp/my reports\""},
            {15, "check", "chbTestEnable", "", " --test-enable"},
            {16, "check", "chbTestCommit", "", " --test-commit"},
            {17, "text", "ttLogFile", "/tmp/velt.log", " --logfile=/tmp/velt.log"},
            {18, "text", "cbLog", "debug_sql", " --log-level=debug_sql"},
            {19, "check", "chbLogRotate", "", " --logrotate"},
            {20, "check", "chbSyslog", "", " --syslog"},
            {21, "text", "cbLogHandler", "werkzeug:CRITICAL", " --log-handler=werkzeug:CRITICAL"},
            {22, "text", "ttLogDB", "logs", " --log-db=logs"},
            {23, "text", "cbLogDBLevel", "warn", " --log-db-level=warn"},
            {24, "text", "ttEmailFrom", "me@example.com", " --email-from=me@example.com"},
            {25, "text", "ttSMTPServer", "smtp.example.com", " --smtp=smtp.example.com"},
            {26, "text", "ttSMTPPort", "587", " --smtp-port=587"},
            {27, "check", "chbSMTPSSL", "", " --smtp-ssl"},
            {28, "text", "ttSMTPUser", "mailer", " --smtp-user=mailer"},
            {29, "text", "ttSMTPPassword", "mailpw", " --smtp-password=mailpw"},
            {30, "text", "ttUser", "velt", " -r velt"},
            {31, "text", "ttPassword", "secret", " -wsecret"},
            {32, "text", "ttPgPath", "/usr/bin", " --pg_path=/usr/bin"},
            {33, "text", "ttDBHost", "localhost", " --db_host=localhost"},
            {34, "text", "ttDBPort", "5433", " --db_port=5433"},
            {35, "text", "ttDBSSLMode", "require", " --db_sslmode=require"},
            {36, "text", "ttDBMaxConnections", "64", " --db_maxconn=64"},
            {37, "text", "ttDBTemplate", "template0", " --db-template=template0"},
            {38, "text", "ttLoadLanguage", "fr_BE", " --load-language=fr_BE"},
            {39, "text", "ttLanguage", "fr_FR", " -l fr_FR"},
            {40, "text", "ttIl8nExport", "out.po", " --il8n-export=out.po"},
            {41, "text", "ttIl8nImport", "in.po", " --il8n-import=in.po"},
            {42, "check", "chbIl8nOverwrite", "", " --il8n-overwrite"},
            {43, "text", "ttModules", "sale", " --modules=sale"},
            {44, "check", "chbReload", "", " --dev=reload"},
            {45, "text", "cbShellInterface", "ipython", " --shell-interface=ipython"},
            {46, "check", "chbStopAfterInit", "", " --stop-after-init"},
            {47, "text", "ttOSVMemoryCount", "100", " --osv-memory-count-limit=100"},
            {48, "text", "ttOSVageLimit", "1.5", " --osv-memory-age-limit=1.5"},
            {49, "text", "ttMaxCronThreads", "3", " --max-cron-threads=3"},
            {50, "check", "chbUnaccent", "", " --unaccent"},
            {51, "text", "ttGeoipDB", "/geo.dat", " --geoip-db=/geo.dat"},
            {52, "text", "ttWorkers", "4", " --workers=4"},
            {53, "text", "ttLimitMemorySoft", "1000", " --limit-memory-soft=1000"},
            {54, "text", "ttLimitMemoryHard", "2000", " --limit-memory-hard=2000"},
            {55, "text", "ttLimitTimeCPU", "60", " --limit-time-cpu=60"},
            {56, "text", "ttLimitTimeReal", "120", " --limit-time-real=120"},
            {57, "text", "ttLimitTimeRealCron", "0", " --limit-time-real-cron=0"},
            {58, "text", "ttLimitRequest", "8192", " --limit-request=8192"},
            {59, "text", "ttCustomParams", "--foo bar", " --foo bar"},
        };
        for (const Row& row : rows)
            QTest::newRow(qPrintable(QString::number(row.position) + " " + row.name))
                << row.position << row.kind << row.name << row.value << row.piece;
    }

    void eachPiece()
    {
        QFETCH(int, position);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, piece);
        ServerOptions options = quietOptions();
        apply(options, kind, name, value);
        const QString expected = "velt/velt-bin" + QString(position < 4 ? piece : "") + " --addons-path=velt/addons"
            + QString(position > 4 ? piece : "");
        QCOMPARE(buildServerCommand(options), expected);
    }

    // All pieces at once come out in the table's order, custom parameters last.
    void allPiecesInOrder()
    {
        ServerOptions options = quietOptions();
        QString expected = "velt/velt.py";
        const QList<QStringList> table = {
            {"check", "chbShell", "", " shell"},
            {"text", "ttPort", "8077", " --xmlrpc-port 8077"},
            {"check", "chbEnterprise", "", " --addons-path=enterprise,velt/addons"},
            {"text", "cbDB", "db_a", " -d db_a --db-filter=db_a"},
            {"text", "ttInstall", "sale", " -i sale"},
            {"text", "ttUpgrades", "base", " -u base"},
            {"uncheck", "chbDemoData", "", " --without-demo all"},
            {"text", "ttHttpInterface", "0.0.0.0", " --http-interface=0.0.0.0"},
            {"text", "ttLongPollingPort", "8072", " --longpolling-port=8072"},
            {"check", "chbNoHttp", "", " --no-http"},
            {"check", "chbProxyMode", "", " --proxy-mode"},
            {"text", "ttTestFile", "t.py", " --test-file=t.py"},
            {"text", "ttReportDirectory", "/r", " --test-report-directory=\"/r\""},
            {"check", "chbTestEnable", "", " --test-enable"},
            {"check", "chbTestCommit", "", " --test-commit"},
            {"text", "ttLogFile", "l", " --logfile=l"},
            {"text", "cbLog", "info", " --log-level=info"},
            {"check", "chbLogRotate", "", " --logrotate"},
            {"check", "chbSyslog", "", " --syslog"},
            {"text", "cbLogHandler", ":INFO", " --log-handler=:INFO"},
            {"text", "ttLogDB", "d", " --log-db=d"},
            {"text", "cbLogDBLevel", "error", " --log-db-level=error"},
            {"text", "ttEmailFrom", "e", " --email-from=e"},
            {"text", "ttSMTPServer", "s", " --smtp=s"},
            {"text", "ttSMTPPort", "25", " --smtp-port=25"},
            {"check", "chbSMTPSSL", "", " --smtp-ssl"},
            {"text", "ttSMTPUser", "u", " --smtp-user=u"},
            {"text", "ttSMTPPassword", "p", " --smtp-password=p"},
            {"text", "ttUser", "r", " -r r"},
            {"text", "ttPassword", "w", " -ww"},
            {"text", "ttPgPath", "pg", " --pg_path=pg"},
            {"text", "ttDBHost", "h", " --db_host=h"},
            {"text", "ttDBPort", "1", " --db_port=1"},
            {"text", "ttDBSSLMode", "m", " --db_sslmode=m"},
            {"text", "ttDBMaxConnections", "2", " --db_maxconn=2"},
            {"text", "ttDBTemplate", "t", " --db-template=t"},
            {"text", "ttLoadLanguage", "fr", " --load-language=fr"},
            {"text", "ttLanguage", "fr", " -l fr"},
            {"text", "ttIl8nExport", "x", " --il8n-export=x"},
            {"text", "ttIl8nImport", "i", " --il8n-import=i"},
            {"check", "chbIl8nOverwrite", "", " --il8n-overwrite"},
            {"text", "ttModules", "mo", " --modules=mo"},
            {"check", "chbAll", "", " --dev=all"},
            {"text", "cbShellInterface", "bpython", " --shell-interface=bpython"},
            {"check", "chbStopAfterInit", "", " --stop-after-init"},
            {"text", "ttOSVMemoryCount", "3", " --osv-memory-count-limit=3"},
            {"text", "ttOSVageLimit", "4", " --osv-memory-age-limit=4"},
            {"text", "ttMaxCronThreads", "5", " --max-cron-threads=5"},
            {"check", "chbUnaccent", "", " --unaccent"},
            {"text", "ttGeoipDB", "g", " --geoip-db=g"},
            {"text", "ttWorkers", "6", " --workers=6"},
            {"text", "ttLimitMemorySoft", "7", " --limit-memory-soft=7"},
            {"text", "ttLimitMemoryHard", "8", " --limit-memory-hard=8"},
            {"text", "ttLimitTimeCPU", "9", " --limit-time-cpu=9"},
            {"text", "ttLimitTimeReal", "10", " --limit-time-real=10"},
            {"text", "ttLimitTimeRealCron", "11", " --limit-time-real-cron=11"},
            {"text", "ttLimitRequest", "12", " --limit-request=12"},
            {"text", "ttCustomParams", "--last", " --last"},
        };
        QCOMPARE(table.size(), 58); // every piece but the script, which starts the line
        options.activeBranch = "saas-9.3";
        for (const QStringList& row : table) {
            apply(options, row[0], row[1], row[2]);
            expected += row[3];
        }
        QCOMPARE(buildServerCommand(options), expected);
    }

    void developerMode()
    {
        ServerOptions options = quietOptions();
        options.checked << "chbDevDB";
        options.texts["cbDevDB"] = "ipdb";
        QVERIFY(buildServerCommand(options).endsWith(" --dev=ipdb"));

        options = quietOptions();
        options.checked << "chbAll" << "chbXML";
        QVERIFY(buildServerCommand(options).endsWith(" --dev=all,xml"));

        options = quietOptions();
        options.checked << "chbAll" << "chbDevDB" << "chbReload" << "chbQWeb" << "chbWerkzeug" << "chbXML";
        QVERIFY(buildServerCommand(options).endsWith(" --dev=all,pudb,reload,qweb,werkzeug,xml"));

        // The debugger choice alone, unchecked, adds nothing.
        options = quietOptions();
        options.texts["cbDevDB"] = "wdb";
        QVERIFY(!buildServerCommand(options).contains("--dev"));
    }

    void demoDataAndInstalls()
    {
        ServerOptions options = quietOptions();
        options.checked.remove("chbDemoData");
        options.texts["ttInstall"] = "sale";
        options.texts["ttUpgrades"] = "crm";
        options.texts["ttHttpInterface"] = "lo";
        QCOMPARE(buildServerCommand(options),
                 QString("velt/velt-bin --addons-path=velt/addons -i sale -u crm --without-demo all --http-interface=lo"));
    }

    // Every value reaches the server as one argument, exactly as it was
    // written, whatever the shell would make of it; the custom parameters are
    // command-line text and split into words. Run by a real /bin/sh.
    void valuesReachTheServerLiterally()
    {
        ServerOptions options = quietOptions();
        options.texts["ttPort"] = "80 69";
        options.texts["cbDB"] = "x;touch pwned";
        options.texts["ttInstall"] = "x$(touch${IFS}p)";
        options.texts["ttUser"] = "it's";
        options.texts["ttPassword"] = "pa ss";
        options.texts["ttLogDB"] = " "; // a single blank counts as text
        options.texts["ttReportDirectory"] = "/tmp/r \"$HOME\"";
        options.texts["ttLogFile"] = "`id`!!";
        options.texts["cbLogHandler"] = ":INFO *";
        options.checked << "chbDevDB";
        options.texts["cbDevDB"] = "a|b";
        options.texts["ttCustomParams"] = "--one  --two";
        const QString command = buildServerCommand(options);
        QVERIFY(command.startsWith("velt/velt-bin "));

        QTemporaryDir dir;
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start("/bin/sh", {"-c", "args() { for a; do printf '%s\\0' \"$a\"; done; }; args"
                                          + command.mid(int(strlen("velt/velt-bin")))});
        QVERIFY(shell.waitForFinished(10000));
        QCOMPARE(shell.readAllStandardError(), QByteArray());
        QStringList args;
        for (const QByteArray& arg : shell.readAllStandardOutput().split('\0'))
            args << QString::fromUtf8(arg);
        args.removeLast();
        QCOMPARE(args, QStringList({"--xmlrpc-port", "80 69", "--addons-path=velt/addons", "-d", "x;touch pwned",
                                    "--db-filter=x;touch pwned", "-i", "x$(touch${IFS}p)",
                                    "--test-report-directory=/tmp/r \"$HOME\"", "--logfile=`id`!!",
                                    "--log-handler=:INFO *", "--log-db= ", "-r", "it's", "-wpa ss", "--dev=a|b",
                                    "--one", "--two"}));
        QVERIFY(QDir(dir.path()).isEmpty());

        // Plain values read as they always did.
        options = quietOptions();
        options.texts["ttReportDirectory"] = "/tmp/reports";
        options.texts["ttPassword"] = "secret";
        QCOMPARE(buildServerCommand(options),
                 QString("velt/velt-bin --addons-path=velt/addons --test-report-directory=\"/tmp/reports\" -wsecret"));
    }

    void combosOnTheirQuietItems()
    {
        const QString command = buildServerCommand(quietOptions());
        QCOMPARE(command, QString("velt/velt-bin --addons-path=velt/addons"));
        ServerOptions options = quietOptions();
        options.texts["cbLog"] = "NOTSET"; // the comparison is case-sensitive
        QVERIFY(buildServerCommand(options).endsWith(" --log-level=NOTSET"));
    }

    void scriptFollowsTheBranch()
    {
        QCOMPARE(serverScriptFor("9.0"), QString("velt/velt.py"));
        QCOMPARE(serverScriptFor("saas-9.3-fix"), QString("velt/velt.py"));
        QCOMPARE(serverScriptFor("10.0"), QString("velt/velt-bin"));
        QCOMPARE(serverScriptFor("master"), QString("velt/velt-bin"));
        QCOMPARE(serverScriptFor(""), QString("velt/velt-bin"));
        QCOMPARE(serverScriptFor("19"), QString("velt/velt-bin"));
    }

    void shellLines()
    {
        using namespace ServerCommands;
        QCOMPARE(dropDatabaseLine("db_server_a"), QString("dropdb db_server_a --if-exists\n"));
        QCOMPARE(dropDatabaseLine("my.db-2"), QString("dropdb my.db-2 --if-exists\n"));
        QCOMPARE(dropDatabaseLine("x; rm -rf ~"), QString("dropdb 'x; rm -rf ~' --if-exists\n"));
        QCOMPARE(dropDatabaseLine("it's"), QString("dropdb 'it'\\''s' --if-exists\n"));
        QCOMPARE(dropDatabaseLine("$(id)"), QString("dropdb '$(id)' --if-exists\n"));

        // The port as a whole word, and only a number: anything else kills nothing.
        QCOMPARE(killLeftoversLine("8069"), QString("ps -efww | grep -E '[x]mlrpc-port 8069( |$)' | grep -v grep "
                                                    "| awk '{print $2}' | xargs -r kill\n"));
        for (const char* notAPort : {"", "80 69", " 8069", "abc", "1'; reboot; '", "806900"})
            QCOMPARE(killLeftoversLine(notAPort), QString());
        QCOMPARE(portProbeCommand(8073), QString("ps -efww | grep -E '[x]mlrpc-port 8073( |$)' | awk '{print $2}'"));

        QCOMPARE(workspaceCdLine("/home/dev", 'c'), QString("cd /home/dev/Documents/velt-servers/server_c\n"));
        QCOMPARE(workspaceCdLine("/home/my dev", 'c'), QString("cd '/home/my dev/Documents/velt-servers/server_c'\n"));

        QCOMPARE(autoPortCandidates(), QList<int>({8069, 8073, 8077, 8081, 8085, 8089, 8093, 8097, 8101}));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
