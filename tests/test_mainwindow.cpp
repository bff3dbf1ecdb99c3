// The main window: its menus and status bar, the About box, resetting the
// installer, quitting and re-labelling on a language change.

#include "modalanswer.h"
#include "testhome.h"
#include "deployment.h"

#include "launcherversion.h"
#include "settings/configloader.h"
#include "shell/mainwidget.h"
#include "shell/mainwindow.h"
#include "shell/operationindicator.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

namespace {
QStringList actionTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    return texts;
}
}

class MainWindowTest : public QObject
{
    Q_OBJECT
public:
    explicit MainWindowTest(const TestHome& home) : home(home) {}

private:
    const TestHome& home;

private slots:
    void initTestCase()
    {
        // One workspace, so the first tab is a server tab and nothing asks at start.
        QDir().mkpath(home.path() + "/Documents/velt-servers/server_a");
        // A build that can update (it has an update key): the About box says nothing of updates.
        Deployment::setUpdatePublicKey("RWQf6LRCGA9i53mlYecO4IzT51TGPpvWucNSCh1CBM0QTaLn73Y7GFO3");
    }

    void windowLayout()
    {
        MainWindow w;
        QCOMPARE(w.windowTitle(), QString("Kyd Velt Launcher"));
        QCOMPARE(actionTexts(w.findChild<QMenu*>("menuFile")), QStringList({"Quit"}));
        QCOMPARE(actionTexts(w.findChild<QMenu*>("menuOptions")), QStringList({"Configuration", "StatusBar", "reset installer"}));
        QCOMPARE(actionTexts(w.findChild<QMenu*>("menuHelp")), QStringList({"About"}));
        QCOMPARE(w.centralWidget(), static_cast<QWidget*>(w.tabs));
        QCOMPARE(w.tabs->findChild<QTabWidget*>("tabWidget", Qt::FindDirectChildrenOnly)->tabText(0), QString("server a"));
        // Created as "launcher", then filled by the first refresh: the
        // launcher figures are off by default, so it is empty.
        QCOMPARE(w.launcherLabel->parentWidget(), static_cast<QWidget*>(w.statusBar()));
        QCOMPARE(w.launcherLabel->text(), QString());
        QVERIFY(w.refreshTimer->isActive());
        QCOMPARE(w.refreshTimer->interval(), 2000);
        QCOMPARE(w.serverPid, -1);
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(!w.greenIcon.isNull() && !w.redIcon.isNull());
    }

    void aboutBox()
    {
        QCOMPARE(LauncherVersion::text(), QString("0.9.10 Release candidate 2"));
        const QString text = aboutText();
        QVERIFY(text.startsWith("Kyd Velt Launcher\n\nVersion: 0.9.10 Release candidate 2\n\n"
                                "This launcher is NOT provided by Velt enterprise.\n\nFor any information, contact "));
        QVERIFY(text.contains("\n\nIf you found a bug, you can send a mail to "));

        MainWindow w;
        QStringList seen;
        ModalAnswer::clickButton("", &seen);
        w.findChild<QAction*>("actionAbout")->trigger();
        QCOMPARE(seen, QStringList({"", text}));
        QVERIFY(!text.contains("package manager"));

        // A package build tells where its updates come from.
        Deployment::setPackaged(true);
        const QString packaged = aboutText();
        Deployment::setPackaged(false);
        QCOMPARE(packaged, text + "\n\nUpdates come through the package manager.");
        // One without a key says it offers none.
        const QString key = Deployment::updatePublicKey();
        Deployment::setUpdatePublicKey(QString());
        const QString keyless = aboutText();
        Deployment::setUpdatePublicKey(key);
        QCOMPARE(keyless, text + "\n\nThis build has no update key: it offers no update. Install a newer "
                                 "release to update.");
    }

    void aboutAddressesAreInsideTheirSentences()
    {
        // A language may put the address anywhere in its sentence.
        class Reordering : public QTranslator
        {
        public:
            QString translate(const char* context, const char* source, const char*, int) const override
            {
                if (QByteArray(context) != "MainWindow")
                    return QString();
                if (QByteArray(source) == "For any information, contact %1")
                    return QStringLiteral("Write to %1 for any information.");
                if (QByteArray(source) == "If you found a bug, you can send a mail to %1")
                    return QStringLiteral("Bugs go to %1, please.");
                return QString();
            }
            bool isEmpty() const override { return false; }
        } reordering;
        QCoreApplication::installTranslator(&reordering);
        const QString text = aboutText();
        QCoreApplication::removeTranslator(&reordering);
        QVERIFY2(text.contains("\n\nWrite to " + Deployment::maintainerEmail() + " for any information."), qPrintable(text));
        QVERIFY2(text.endsWith("\n\nBugs go to " + Deployment::bugReportEmail() + ", please."), qPrintable(text));

        QTranslator french;
        QVERIFY(french.load(QStringLiteral(KVL_TRANSLATIONS_DIR "/Translation_QEN_fr.qm")));
        QCoreApplication::installTranslator(&french);
        const QString inFrench = aboutText();
        QCoreApplication::removeTranslator(&french);
        QVERIFY2(inFrench.contains("Pour toute information, contactez " + Deployment::maintainerEmail()), qPrintable(inFrench));
    }

    void resetInstaller()
    {
        ConfigLoader* config = ConfigLoader::getSingleton();
        config->installer_status = true;
        QVERIFY(config->save());
        QVERIFY(home.readFile(".config/KydVeltLauncher/config").contains("installer_status:1"));

        MainWindow w;
        QStringList seen;
        ModalAnswer::clickButton("OK", &seen);
        w.findChild<QAction*>("actionreset_installer")->trigger();
        QCOMPARE(seen, QStringList({"Installer reset", "The installer will be activated when you'll restart the application..."}));
        QVERIFY(!config->installer_status);
        const QByteArray file = home.readFile(".config/KydVeltLauncher/config");
        QVERIFY(file.contains("installer_status:0"));
        QVERIFY(!file.contains("installer_status:1"));
    }

    void quitEndsTheEventLoop()
    {
        MainWindow w;
        QEventLoop loop;
        QTimer::singleShot(0, w.findChild<QAction*>("actionQuit"), &QAction::trigger);
        QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
    }

    void waitingOperationIsShownCancelledAndNeverHoldsTheWindowOpen()
    {
        MainWindow w;
        w.show();
        TermExecutor* executor = TermExecutor::getSingleton();
        QString shownText;
        {
            const OperationGate::Hold hold("Fetch --all");
            QTimer::singleShot(OperationIndicator::showAfterMs + 400, &w, [&] {
                auto* indicator = w.findChild<QWidget*>("operationIndicator");
                if (indicator->isVisible())
                    shownText = indicator->findChild<QLabel*>()->text();
                QTest::mouseClick(w.findChild<QPushButton*>("bCancelOperation"), Qt::LeftButton);
            });
            QVERIFY(executor->run("sleep 20").cancelled);
        }
        QCOMPARE(shownText, QString("Fetch --all: sleep, 1 s"));
        QCOMPARE(w.refusalLabel->text(), QString("\"Fetch --all\" was cancelled."));
        QVERIFY(!w.findChild<QWidget*>("operationIndicator")->isVisible());

        // Closing while something waits cancels it, then closes.
        {
            const OperationGate::Hold hold("Start server");
            QTimer::singleShot(300, &w, [&w] { w.close(); });
            QVERIFY(executor->run("sleep 20").cancelled);
            QVERIFY(w.isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 5000);
    }

    void languageChangeRelabels()
    {
        MainWindow w;
        w.findChild<QAction*>("actionQuit")->setText("stale");
        w.findChild<QMenu*>("menuHelp")->setTitle("stale");
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&w, &change);
        QCOMPARE(w.findChild<QAction*>("actionQuit")->text(), QString("Quit"));
        QCOMPARE(w.findChild<QMenu*>("menuHelp")->title(), QString("Help"));
    }
};

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    MainWindowTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_mainwindow.moc"
