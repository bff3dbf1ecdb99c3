#include "startup.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "exec/termexecutor.h"
#include "server/autocompletionlist.h"
#include "settings/configloader.h"
#include "settings/defaultconfigview.h"
#include "settings/homedirectory.h"
#include "settings/introwindow.h"
#include "settings/settingsreporter.h"
#include "shell/mainwindow.h"
#include "shell/updatestep.h"
#include "tools/environnement.h"
#include "tools/installler.h"

#include <QApplication>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>
#include <QMessageBox>

namespace Startup {

RunModes parseRunModes(const QStringList& arguments)
{
    RunModes modes;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--trace" || argument == "-t")
            modes.trace = true;
        else if (argument == "--sandbox" || argument == "-s")
            modes.sandbox = true;
        else if (argument == "--git-log" || argument == "-g")
            modes.gitLog = true;
    }
    return modes;
}

QString welcomeText(const RunModes& modes)
{
    QString text = QCoreApplication::translate("main",
        "It seems to be the first time you launch Kyd Velt Launcher! First of all, thank you for downloading it. "
        "If you have any question, suggestion, don't hesitate to come to me or to send me an e-mail at %1.\n\n\n\n"
        "If you want to be sure that this program doesn't break your actual configuration, you can launch it with "
        "the following arguments:\n"
        "--trace or -t: log all commands in a file on your desktop\n"
        "--sandbox or -s: all commands are deactivated. You can use -t with it, but you'll get no results from each "
        "of them. You must know that only commands are deactivated, the program is normally running (loading "
        "configuration, setting it, etc...). However, you can install in sandbox mode to see used commands.\n"
        "--git-log or -g: all results of the execution of a git command will be printed in a file on your desktop.\n\n\n"
        "Would you like to start the program now? (options detected: ").arg(Deployment::maintainerEmail());
    if (modes.trace)
        text += "-t ";
    if (modes.sandbox)
        text += "-s ";
    text += modes.gitLog ? "-g)" : ")";
    return text;
}

bool isFirstLaunch(const QString& settingsPath, bool installerStatus)
{
    return !QFileInfo::exists(settingsPath) || !installerStatus;
}

QString qtTranslationPath(const QString& languageCode)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString translations = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    return translations + "/qtbase_" + languageCode + ".qm";
}

bool installQtTranslation(const QString& languageCode)
{
    // Qt's own texts (the Yes, No, Cancel and OK buttons) follow the language
    // too; without the file they stay in English, which needs no warning.
    static QTranslator qtTranslator;
    QCoreApplication::removeTranslator(&qtTranslator);
    // The code comes from the settings file: never let it name another folder.
    static const QRegularExpression plainCode(QStringLiteral("^[A-Za-z_]+$"));
    if (!plainCode.match(languageCode).hasMatch())
        return false;
    const QString path = qtTranslationPath(languageCode);
    if (!QFileInfo::exists(path) || !qtTranslator.load(path))
        return false;
    QCoreApplication::installTranslator(&qtTranslator);
    return true;
}

bool installTranslation(const QString& languageCode, QWidget* introWindow)
{
    const QString path = Deployment::translationPath(languageCode);
    const bool found = QFileInfo::exists(path);
    if (!found) {
        if (introWindow)
            introWindow->hide();
        QMessageBox::warning(nullptr, QCoreApplication::translate("main", "Unable to open translation"),
                             QCoreApplication::translate("main", "Sorry, we are not able to find translation file for your language: ")
                                 + languageCode,
                             QMessageBox::Ok);
        if (introWindow)
            introWindow->show();
    }
    QCoreApplication::removeTranslator(&DefaultConfigView::translator);
    (void)DefaultConfigView::translator.load(path); // a missing file leaves it empty: source texts show
    QCoreApplication::installTranslator(&DefaultConfigView::translator);
    installQtTranslation(languageCode);
    return found;
}

void splashPause(int ms)
{
    cooperativeWait(ms);
}

int run(QApplication& app)
{
    auto* intro = new IntroWindow();
    intro->show();
    splashPause();

    ConfigLoader* config = ConfigLoader::getSingleton();
    config->load();
    SettingsReporter::reportLoad(*config, intro);
    SettingsReporter::watchSaves(*config);

    const RunModes modes = parseRunModes(app.arguments());
    config->trace = modes.trace;
    config->sandbox = modes.sandbox;
    config->gitLog = modes.gitLog;

    installTranslation(config->language, intro);
    TermExecutor::getSingleton();
    AC_list::init();

    if (UpdateStep::run(intro) == UpdateStep::Outcome::UpgraderStarted) {
        delete intro;
        return 0;
    }

    const QString settingsPath = homeDirectory() + "/.config/KydVeltLauncher/config";
    if (!isFirstLaunch(settingsPath, config->installer_status)) {
        Env::getSingleton();
        MainWindow window;
        intro->close();
        delete intro;
        window.showMaximized();
        return app.exec();
    }

    intro->close();
    bool accepted = false;
    const QString language = QInputDialog::getItem(nullptr, QCoreApplication::translate("main", "Choose your language"),
                                                   QCoreApplication::translate("main", "Choose your language:"),
                                                   {"en", "fr"}, 0, false, &accepted);
    if (accepted && !language.isEmpty())
        installTranslation(language, intro);

    const QMessageBox::StandardButton answer = QMessageBox::question(
        nullptr, QCoreApplication::translate("main", "VeltLauncher: First launch"), welcomeText(modes),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return 0;

    Installler installer;
    intro->close();
    delete intro;
    installer.show();
    return app.exec();
}
}
