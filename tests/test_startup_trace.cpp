#include "deployment.h"
#include "exec/commandlog.h"
#include "exec/myqtermwidget.h"
#include "exec/termexecutor.h"
#include "modalanswer.h"
#include "settings/configloader.h"
#include "shell/startup.h"
#include "testhome.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

// Start-up with the trace and git-log modes on the command line: the command
// executor is created after the modes are read and opens both log files.
// A process creates its executor once, hence a program of its own.
class StartupTraceTest : public QObject
{
    Q_OBJECT

public:
    explicit StartupTraceTest(TestHome& home) : home(home) {}

private slots:
    void firstLaunchInTraceAndGitLogModes();

private:
    TestHome& home;
};

void StartupTraceTest::firstLaunchInTraceAndGitLogModes()
{
    QTemporaryDir installDir;
    QVERIFY(installDir.isValid());
    Deployment::setInstallDir(installDir.path());
    // Stale logs from an earlier start are replaced.
    home.writeFile("Desktop/KydVeltLauncher_logs.txt", "old trace\n");
    home.writeFile("Desktop/KydVeltLauncher_git_logs.txt", "old git log\n");

    // No translation file: the warning, then the language dialog (cancelled),
    // then the welcome question (declined).
    QStringList seen;
    ModalAnswer::whenModal([&](QWidget* warning) {
        ModalAnswer::whenModal([&](QWidget* languageDialog) {
            ModalAnswer::clickButton("No", &seen, 20000);
            if (auto* dialog = qobject_cast<QDialog*>(languageDialog))
                dialog->reject();
            else
                languageDialog->close();
        }, 20000);
        seen << warning->windowTitle();
        warning->close();
    }, 20000);
    QCOMPARE(Startup::run(*qApp), 0);

    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen[0], QString("Unable to open translation"));
    QCOMPARE(seen[1], QString("VeltLauncher: First launch"));
    QVERIFY2(seen[2].endsWith("(options detected: -t -g)"), qPrintable(seen[2].right(60)));

    const ConfigLoader* config = ConfigLoader::getSingleton();
    QVERIFY(config->trace);
    QVERIFY(!config->sandbox);
    QVERIFY(config->gitLog);
    QVERIFY(CommandLog::shared().traceOpen());
    QVERIFY(CommandLog::shared().gitLogOpen());
    const QByteArray trace = home.readFile("Desktop/KydVeltLauncher_logs.txt");
    QVERIFY(!trace.contains("old trace"));
    // The "Bug Splat" window is built before the logs open: its terminal's
    // set-up lines are not traced.
    QVERIFY2(!trace.contains("export TERM=") && !trace.contains("source ~/.bashrc") && !trace.contains("clear &&"),
             trace.left(300).constData());
    QVERIFY(!home.readFile("Desktop/KydVeltLauncher_git_logs.txt").contains("old git log"));

    // What follows is traced: captured commands and a workspace terminal's set-up.
    TermExecutor::getSingleton()->exec(QString("echo traced command"));
    auto workspaceTerminal = std::make_unique<MyQTermWidget>(0, nullptr);
    const QByteArray added = home.readFile("Desktop/KydVeltLauncher_logs.txt").mid(trace.size());
    QCOMPARE(added, QByteArray("echo traced command\nexport TERM=xterm-256color\nsource ~/.bashrc\n"
                               "clear && echo -en \"\\e[3J\"\n"));
}

int main(int argc, char** argv)
{
    TestHome home;
    std::vector<char*> arguments = {argv[0], const_cast<char*>("-g"), const_cast<char*>("--trace"),
                                    const_cast<char*>("-t"), const_cast<char*>("-T"), nullptr};
    int appArgc = static_cast<int>(arguments.size()) - 1;
    QApplication app(appArgc, arguments.data());
    StartupTraceTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup_trace.moc"
