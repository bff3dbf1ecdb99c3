#include "deployment.h"
#include "modalanswer.h"
#include "settings/configloader.h"
#include "settings/introwindow.h"
#include "shell/startup.h"
#include "testhome.h"
#include "tools/installler.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <QThread>

#include <atomic>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
// The program runs with these words after its name, as if typed on the
// command line; run() reads them from the application object.
const char* const extraArguments[] = {"-s", "-g", "--Trace", "bogus"};

using Handler = std::function<void(QWidget*)>;

// Answers the next modal windows, one handler each, in order.
void answerInTurn(const std::shared_ptr<QList<Handler>>& handlers)
{
    if (handlers->isEmpty())
        return;
    ModalAnswer::whenModal([handlers](QWidget* modal) {
        const Handler handler = handlers->takeFirst();
        answerInTurn(handlers);
        handler(modal);
    }, 20000);
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Records a message box and clicks `button` (or closes anything else).
Handler clickIn(SeenBox* seen, QMessageBox::StandardButton button)
{
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        *seen = {box->windowTitle(), box->text(), box->standardButtons()};
        if (QAbstractButton* target = box->button(button))
            target->click();
        else
            box->close();
    };
}

int introWindowCount()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<IntroWindow*>(widget))
            ++count;
    return count;
}
}

class StartupTest : public QObject
{
    Q_OBJECT

public:
    explicit StartupTest(TestHome& home) : home(home) {}

private slots:
    void initTestCase();

    void parseRunModes_data();
    void parseRunModes();
    void welcomeTextEndsWithDetectedOptions_data();
    void welcomeTextEndsWithDetectedOptions();
    void firstLaunchDecision();
    void missingTranslationWarnsAndKeepsSourceTexts();
    void presentTranslationLoadsQuietly();
    void qtOwnTextsFollowTheLanguage();

    // End to end, in order: each run of the sequence leaves the process as
    // the next one expects it.
    void runFirstLaunchDeclined();
    void runFirstLaunchAfterInstallerResetWithLanguageCancelled();
    void runFirstLaunchAcceptedShowsInstaller();
    void runWithPipeAtSettingsPathWarnsAndGoesOn();

private:
    void writeTranslation(const QString& code, const QString& source, const QString& translation);
    void removeTranslation(const QString& code);

    TestHome& home;
    QTemporaryDir installDir;
};

void StartupTest::initTestCase()
{
    QVERIFY(installDir.isValid());
    Deployment::setInstallDir(installDir.path());
    QVERIFY(QDir(installDir.path()).mkpath("languages"));
}

// Builds languages/Translation_QEN_<code>.qm with one message of the "main" context.
void StartupTest::writeTranslation(const QString& code, const QString& source, const QString& translation)
{
    const QString ts = installDir.path() + "/Translation_QEN_" + code + ".ts";
    QFile file(ts);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                       "<TS version=\"2.1\" language=\"%1\">\n<context>\n<name>main</name>\n"
                       "<message>\n<source>%2</source>\n<translation>%3</translation>\n</message>\n"
                       "</context>\n</TS>\n")
                   .arg(code, source.toHtmlEscaped(), translation.toHtmlEscaped())
                   .toUtf8());
    file.close();

    const QString qm = Deployment::translationPath(code);
    QProcess process;
    process.start(KVL_LRELEASE, {"-silent", ts, "-qm", qm});
    QVERIFY2(process.waitForFinished(30000), "lrelease did not finish");
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    QVERIFY(QFile::exists(qm));
}

void StartupTest::removeTranslation(const QString& code)
{
    QFile::remove(Deployment::translationPath(code));
    QVERIFY(!QFile::exists(Deployment::translationPath(code)));
}

void StartupTest::parseRunModes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("trace");
    QTest::addColumn<bool>("sandbox");
    QTest::addColumn<bool>("gitLog");

    QTest::newRow("no arguments") << QStringList{"KydVeltLauncher"} << false << false << false;
    QTest::newRow("program name is not an option") << QStringList{"-t"} << false << false << false;
    QTest::newRow("-g -t") << QStringList{"prog", "-g", "-t"} << true << false << true;
    QTest::newRow("repeated and mixed with other words")
        << QStringList{"prog", "foo", "-g", "-t", "bar", "-t", "-g", "x"} << true << false << true;
    QTest::newRow("long forms") << QStringList{"prog", "--trace", "--sandbox", "--git-log"} << true << true << true;
    QTest::newRow("letter case differs")
        << QStringList{"prog", "--Trace", "-T", "-S", "--SANDBOX", "-G", "--Git-Log"} << false << false << false;
    QTest::newRow("not whole arguments")
        << QStringList{"prog", "-tg", "--trace=1", " -t", "-s ", "--git", "-", "--"} << false << false << false;
}

void StartupTest::parseRunModes()
{
    QFETCH(QStringList, arguments);
    const Startup::RunModes modes = Startup::parseRunModes(arguments);
    QTEST(modes.trace, "trace");
    QTEST(modes.sandbox, "sandbox");
    QTEST(modes.gitLog, "gitLog");
}

void StartupTest::welcomeTextEndsWithDetectedOptions_data()
{
    QTest::addColumn<bool>("trace");
    QTest::addColumn<bool>("sandbox");
    QTest::addColumn<bool>("gitLog");
    QTest::addColumn<QString>("ending");

    QTest::newRow("none") << false << false << false << "now? (options detected: )";
    QTest::newRow("trace and git log") << true << false << true << "now? (options detected: -t -g)";
    QTest::newRow("all three") << true << true << true << "now? (options detected: -t -s -g)";
}

void StartupTest::welcomeTextEndsWithDetectedOptions()
{
    QFETCH(bool, trace);
    QFETCH(bool, sandbox);
    QFETCH(bool, gitLog);
    QFETCH(QString, ending);
    Startup::RunModes modes;
    modes.trace = trace;
    modes.sandbox = sandbox;
    modes.gitLog = gitLog;
    const QString text = Startup::welcomeText(modes);
    QVERIFY2(text.endsWith(ending), qPrintable(text.right(60)));
    QCOMPARE(text.count("(options detected:"), 1);
    QVERIFY(text.contains(" e-mail at " + Deployment::maintainerEmail() + ".\n\n\n\nIf you want"));
}

void StartupTest::firstLaunchDecision()
{
    const QString path = home.path() + "/decision/config";
    QVERIFY(!QFile::exists(path));
    QVERIFY(Startup::isFirstLaunch(path, false));
    QVERIFY(Startup::isFirstLaunch(path, true)); // status without a file means nothing

    home.writeFile("decision/config", "anything\n");
    QVERIFY(Startup::isFirstLaunch(path, false));
    QVERIFY(!Startup::isFirstLaunch(path, true));
}

void StartupTest::missingTranslationWarnsAndKeepsSourceTexts()
{
    removeTranslation("xx");
    QWidget intro;
    intro.show();
    SeenBox seen;
    bool introVisibleDuringWarning = true;
    auto handlers = std::make_shared<QList<Handler>>();
    *handlers << [&](QWidget* modal) {
        introVisibleDuringWarning = intro.isVisible();
        clickIn(&seen, QMessageBox::Ok)(modal);
    };
    answerInTurn(handlers);

    QVERIFY(!Startup::installTranslation("xx", &intro));
    QVERIFY(handlers->isEmpty());
    QCOMPARE(seen.title, QString("Unable to open translation"));
    QCOMPARE(seen.text, QString("Sorry, we are not able to find translation file for your language: xx"));
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!introVisibleDuringWarning);
    QVERIFY(intro.isVisible());
    QCOMPARE(QCoreApplication::translate("main", "Unable to open translation"), QString("Unable to open translation"));
}

void StartupTest::presentTranslationLoadsQuietly()
{
    writeTranslation("fr", "Unable to open translation", "Traduction introuvable");
    QWidget intro;
    intro.show();
    // Any box during the call would block it until closed here.
    QStringList unexpected;
    QTimer guard;
    connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            unexpected << modal->windowTitle();
            modal->close();
        }
    });
    guard.start(20);

    QVERIFY(Startup::installTranslation("fr", &intro));
    guard.stop();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
    QCOMPARE(QCoreApplication::translate("main", "Unable to open translation"), QString("Traduction introuvable"));
    QVERIFY(intro.isVisible());

    // A later language without a file drops the previous translation.
    ModalAnswer::clickButton("OK");
    QVERIFY(!Startup::installTranslation("zz", nullptr));
    QCOMPARE(QCoreApplication::translate("main", "Unable to open translation"), QString("Unable to open translation"));
    removeTranslation("fr");
}

void StartupTest::qtOwnTextsFollowTheLanguage()
{
    if (!QFile::exists(Startup::qtTranslationPath("fr")))
        QSKIP(qPrintable("Qt's French translation is not installed: " + Startup::qtTranslationPath("fr")));
    writeTranslation("fr", "Unable to open translation", "Traduction introuvable");
    auto buttonTexts = [] {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
        QStringList texts;
        for (QMessageBox::StandardButton button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
            texts << box.button(button)->text().remove('&');
        return texts;
    };
    QCOMPARE(buttonTexts(), QStringList({"Yes", "No", "Cancel", "OK"}));

    QVERIFY(Startup::installTranslation("fr", nullptr));
    QCOMPARE(buttonTexts(), QStringList({"Oui", "Non", "Annuler", "OK"}));

    // Back to English, Qt's texts follow; a code naming another folder is refused.
    writeTranslation("en", "Unable to open translation", "Unable to open translation");
    QVERIFY(Startup::installTranslation("en", nullptr));
    QCOMPARE(buttonTexts(), QStringList({"Yes", "No", "Cancel", "OK"}));
    QVERIFY(!Startup::installQtTranslation("../translations/qtbase_fr"));
    QCOMPARE(buttonTexts(), QStringList({"Yes", "No", "Cancel", "OK"}));
    removeTranslation("fr");
    removeTranslation("en");
}

void StartupTest::runFirstLaunchDeclined()
{
    const QString settingsPath = home.path() + "/.config/KydVeltLauncher/config";
    QVERIFY(!QFile::exists(settingsPath));
    writeTranslation("en", "Choose your language", "Choose your language");
    removeTranslation("fr");

    QString title, label;
    QStringList items;
    QString preselected;
    bool editable = true;
    SeenBox warning, question;
    auto handlers = std::make_shared<QList<Handler>>();
    *handlers << [&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        title = dialog->windowTitle();
        label = dialog->labelText();
        items = dialog->comboBoxItems();
        preselected = dialog->textValue();
        editable = dialog->isComboBoxEditable();
        dialog->setTextValue("fr");
        dialog->accept();
    };
    *handlers << clickIn(&warning, QMessageBox::Ok) << clickIn(&question, QMessageBox::No);
    answerInTurn(handlers);

    QCOMPARE(Startup::run(*qApp), 0);

    QVERIFY(handlers->isEmpty());
    QCOMPARE(title, QString("Choose your language"));
    QCOMPARE(label, QString("Choose your language:"));
    QCOMPARE(items, QStringList({"en", "fr"}));
    QCOMPARE(preselected, QString("en"));
    QVERIFY(!editable);
    // The chosen language has no file: the same warning as at start-up.
    QCOMPARE(warning.title, QString("Unable to open translation"));
    QCOMPARE(warning.text, QString("Sorry, we are not able to find translation file for your language: fr"));
    QCOMPARE(question.title, QString("VeltLauncher: First launch"));
    QVERIFY2(question.text.endsWith("(options detected: -s -g)"), qPrintable(question.text.right(60)));
    QCOMPARE(question.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));

    // The modes came from the command line; only git log opens a file.
    const ConfigLoader* config = ConfigLoader::getSingleton();
    QVERIFY(!config->trace);
    QVERIFY(config->sandbox);
    QVERIFY(config->gitLog);
    QVERIFY(QFile::exists(home.path() + "/Desktop/KydVeltLauncher_git_logs.txt"));
    QVERIFY(!QFile::exists(home.path() + "/Desktop/KydVeltLauncher_logs.txt"));
    // Declining saves nothing.
    QVERIFY(!QFile::exists(settingsPath));
}

void StartupTest::runFirstLaunchAfterInstallerResetWithLanguageCancelled()
{
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->installer_status = false;
    QVERIFY(config->save());
    writeTranslation("fr", "VeltLauncher: First launch", "Premier lancement");

    SeenBox question;
    auto handlers = std::make_shared<QList<Handler>>();
    *handlers << [](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    };
    *handlers << clickIn(&question, QMessageBox::No);
    answerInTurn(handlers);

    QCOMPARE(Startup::run(*qApp), 0);
    QVERIFY(handlers->isEmpty());
    // Cancelling keeps the start-up language, so the title is not translated.
    QCOMPARE(question.title, QString("VeltLauncher: First launch"));
    QVERIFY(question.text.endsWith("(options detected: -s -g)"));
}

void StartupTest::runFirstLaunchAcceptedShowsInstaller()
{
    SeenBox question;
    auto handlers = std::make_shared<QList<Handler>>();
    *handlers << [](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->setTextValue("fr");
        dialog->accept();
    };
    *handlers << clickIn(&question, QMessageBox::Yes);
    answerInTurn(handlers);

    // Once the installer shows, end its event loop with a status of our own.
    bool installerShown = false;
    const int introsBefore = introWindowCount();
    int introsWithInstaller = -1;
    QTimer watch;
    watch.setInterval(50);
    connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<Installler*>(widget) && widget->isVisible()) {
                installerShown = true;
                introsWithInstaller = introWindowCount();
                QApplication::exit(7);
            }
    });
    watch.start();
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, [] { QApplication::exit(-1); });
    deadline.start(60000);

    QCOMPARE(Startup::run(*qApp), 7);
    watch.stop();
    deadline.stop();
    QVERIFY(handlers->isEmpty());
    QVERIFY(installerShown);
    // This run's intro window is gone by the time the installer shows.
    QCOMPARE(introsWithInstaller, introsBefore);
    // The chosen language's file exists: it is installed before the question.
    QCOMPARE(question.title, QString("Premier lancement"));
}

void StartupTest::runWithPipeAtSettingsPathWarnsAndGoesOn()
{
    const QString settingsPath = home.path() + "/.config/KydVeltLauncher/config";
    QFile::remove(settingsPath);
    QCOMPARE(::mkfifo(QFile::encodeName(settingsPath).constData(), 0600), 0);
    // As in a fresh process: an earlier case's installer may have set it.
    ConfigLoader::getSingleton()->installer_status = false;

    // Should reading the pipe block, a writer opened from another thread
    // after a while sets it free, so the test fails instead of hanging.
    std::atomic<bool> finished{false};
    std::atomic<bool> hadToUnblock{false};
    std::thread rescuer([&] {
        for (int waited = 0; waited < 15000 && !finished; waited += 50)
            QThread::msleep(50);
        while (!finished) {
            const int fd = ::open(QFile::encodeName(settingsPath).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                hadToUnblock = true;
                ::close(fd);
            }
            QThread::msleep(50);
        }
    });

    SeenBox warning, question;
    auto handlers = std::make_shared<QList<Handler>>();
    *handlers << clickIn(&warning, QMessageBox::Ok);
    *handlers << [](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    };
    *handlers << clickIn(&question, QMessageBox::No);
    answerInTurn(handlers);

    const int status = Startup::run(*qApp);
    finished = true;
    rescuer.join();
    QVERIFY(!hadToUnblock);
    QCOMPARE(status, 0);
    QVERIFY(handlers->isEmpty());
    QCOMPARE(warning.title, QString("Settings file unreadable"));
    QVERIFY2(warning.text.contains(settingsPath) && warning.text.contains("not a regular file"),
             qPrintable(warning.text));
    QVERIFY(question.text.endsWith("(options detected: -s -g)"));

    // Whatever happens later in the session, the pipe stays where it is.
    QVERIFY(!ConfigLoader::getSingleton()->save());
    struct stat info;
    QCOMPARE(::lstat(QFile::encodeName(settingsPath).constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
    QFile::remove(settingsPath);
}

int main(int argc, char** argv)
{
    TestHome home;
    std::vector<char*> arguments(argv, argv + argc);
    arguments.resize(1);
    for (const char* extra : extraArguments)
        arguments.push_back(const_cast<char*>(extra));
    int appArgc = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(appArgc, arguments.data());
    StartupTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup.moc"
