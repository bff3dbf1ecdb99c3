// The preferences dialogs: every widget of the defaults dialog and of the
// status-bar dialog writes its setting and saves the file at once, the cursor
// change reaches every live terminal, the language change reloads the
// translator; the intro window's shape; the Options menu opens the dialogs.

#include "modalanswer.h"
#include "testhome.h"

#include "cooperativewait.h"
#include "deployment.h"
#include "exec/myqtermwidget.h"
#include "settings/configloader.h"
#include "settings/defaultconfigview.h"
#include "settings/introwindow.h"
#include "settings/statusbarconfig.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include "cursorshape.h"

#include <QtTest>
#include <memory>

class PreferencesTest : public QObject
{
    Q_OBJECT
public:
    explicit PreferencesTest(const TestHome& home) : home(home) {}

private:
    const TestHome& home;
    ConfigLoader* config = ConfigLoader::getSingleton();
    QTemporaryDir installDir;

    QByteArray savedFile() const { return home.readFile(".config/KydVeltLauncher/config"); }
    bool savedLine(const QByteArray& line) const { return savedFile().contains("\n" + line + "\n"); }
    void forgetFile() const { QFile::remove(home.path() + "/.config/KydVeltLauncher/config"); }

private slots:
    void initTestCase()
    {
        // Only the French file is installed: English is the missing one.
        QVERIFY(QDir().mkpath(installDir.path() + "/languages"));
        QVERIFY(QFile::copy(KVL_TRANSLATIONS_DIR "/Translation_QEN_fr.qm",
                            installDir.path() + "/languages/Translation_QEN_fr.qm"));
        Deployment::setInstallDir(installDir.path());
        config->language = "fr";
        // One workspace, so a main window opens on a server tab and asks nothing.
        QVERIFY(QDir().mkpath(home.path() + "/Documents/velt-servers/server_a"));
    }

    void defaultsDialogShowsTheSettings()
    {
        config->default_demo = true;
        config->default_shell = true;
        config->default_install = "sale,stock";
        config->default_upgrades = "base";
        config->auto_port = true;
        config->secBeforeShutDown = 7;
        config->acceptBeta = true;
        config->cursorType = 1;
        DefaultConfigView view;
        QCOMPARE(view.windowTitle(), QString("Form"));
        QVERIFY(view.findChild<QCheckBox*>("cbDemo")->isChecked());
        QVERIFY(!view.findChild<QCheckBox*>("cbPY2")->isChecked());
        QVERIFY(view.findChild<QCheckBox*>("cbShell")->isChecked());
        QVERIFY(!view.findChild<QCheckBox*>("cbEnterprise")->isChecked());
        QCOMPARE(view.findChild<QLineEdit*>("ttInstall")->text(), QString("sale,stock"));
        QCOMPARE(view.findChild<QLineEdit*>("ttUpgrades")->text(), QString("base"));
        QVERIFY(view.findChild<QCheckBox*>("cbAutoPort")->isChecked());
        QVERIFY(!view.findChild<QCheckBox*>("cbAutoInstall")->isChecked());
        auto* spin = view.findChild<QSpinBox*>("spinBox");
        QCOMPARE(spin->value(), 7);
        QCOMPARE(spin->minimum(), 0);
        QCOMPARE(spin->maximum(), 99);
        QCOMPARE(spin->buttonSymbols(), QAbstractSpinBox::NoButtons);
        QVERIFY(view.findChild<QCheckBox*>("chbBeta")->isChecked());
        QCOMPARE(view.findChild<QComboBox*>("cbLanguage")->currentText(), QString("fr"));
        QCOMPARE(view.findChild<QComboBox*>("cbCursor")->currentText(), QString("Underscore cursor"));
        // Loading did not change what it showed.
        QCOMPARE(config->default_install, QString("sale,stock"));
        QCOMPARE(config->secBeforeShutDown, 7);
        QVERIFY(savedLine("secBeforeShutDown:7"));
        config->cursorType = 0;
    }

    void everyWidgetWritesAndSaves()
    {
        DefaultConfigView view;
        struct Box {
            const char* name;
            QByteArray key;
            bool* field;
        };
        const QList<Box> boxes = {
            {"cbDemo", "default_demo", &config->default_demo},
            {"cbPY2", "default_p2", &config->default_p2},
            {"cbShell", "default_shell", &config->default_shell},
            {"cbEnterprise", "default_enterprise", &config->default_enterprise},
            {"cbAutoPort", "auto_port", &config->auto_port},
            {"cbAutoInstall", "remove_installs", &config->remove_installs},
            {"chbBeta", "acceptBeta", &config->acceptBeta},
        };
        for (const Box& box : boxes) {
            auto* check = view.findChild<QCheckBox*>(box.name);
            QVERIFY2(check, box.name);
            const bool before = *box.field;
            forgetFile();
            check->click();
            QVERIFY2(*box.field == !before, box.name);
            QVERIFY2(savedLine(box.key + ":" + (before ? "0" : "1")), box.name);
            check->click();
            QVERIFY2(*box.field == before && savedLine(box.key + ":" + (before ? "1" : "0")), box.name);
        }

        // Every keystroke saves.
        auto* install = view.findChild<QLineEdit*>("ttInstall");
        install->clear();
        forgetFile();
        QTest::keyClick(install, 'a');
        QVERIFY(savedLine("default_install:a"));
        QTest::keyClick(install, 'b');
        QVERIFY(savedLine("default_install:ab"));
        QCOMPARE(config->default_install, QString("ab"));
        view.findChild<QLineEdit*>("ttUpgrades")->clear();
        QTest::keyClicks(view.findChild<QLineEdit*>("ttUpgrades"), "web");
        QVERIFY(savedLine("default_upgrades:web"));

        view.findChild<QSpinBox*>("spinBox")->setValue(42);
        QCOMPARE(config->secBeforeShutDown, 42);
        QVERIFY(savedLine("secBeforeShutDown:42"));
    }

    void cursorChangeReachesEveryTerminal()
    {
        // Unstarted terminals with nothing typed (sandbox) show only their cursor.
        config->sandbox = true;
        config->cursorType = 0;
        auto first = std::make_unique<MyQTermWidget>(0, nullptr);
        auto second = std::make_unique<MyQTermWidget>(0, nullptr);
        first->resize(320, 200);
        second->resize(320, 200);
        QCOMPARE(cursorShapeOf(first.get()), 0);

        DefaultConfigView view;
        auto* cursor = view.findChild<QComboBox*>("cbCursor");
        QCOMPARE(cursor->count(), 3);
        cursor->setCurrentIndex(2); // "Block cursor" is the library's I-beam
        QCOMPARE(config->cursorType, 2);
        QVERIFY(savedLine("cursorType:2"));
        QCOMPARE(cursorShapeOf(first.get()), 2);
        QCOMPARE(cursorShapeOf(second.get()), 2);

        second.reset(); // a destroyed terminal is not touched
        cursor->setCurrentIndex(1);
        QCOMPARE(cursorShapeOf(first.get()), 1);
        QVERIFY(savedLine("cursorType:1"));

        // A new dialog shows and applies the stored shape.
        auto third = std::make_unique<MyQTermWidget>(0, nullptr);
        third->resize(320, 200);
        DefaultConfigView again;
        QCOMPARE(again.findChild<QComboBox*>("cbCursor")->currentIndex(), 1);
        QCOMPARE(cursorShapeOf(third.get()), 1);
        config->cursorType = 0;
        config->sandbox = false;
    }

    void languageChangeReloadsTheTranslator()
    {
        config->language = "fr";
        QCoreApplication::removeTranslator(&DefaultConfigView::translator);
        (void)DefaultConfigView::translator.load(QString()); // empty
        MainWindow window;

        // "fr" is the first item: opening changes nothing.
        QStringList seen;
        ModalAnswer::clickButton("OK", &seen, 1500);
        DefaultConfigView view;
        QTest::qWait(1700);
        QVERIFY(seen.isEmpty());
        QCOMPARE(QCoreApplication::translate("MainWindow", "Quit"), QString("Quit"));

        // English: no file installed, a warning, the source texts.
        auto* language = view.findChild<QComboBox*>("cbLanguage");
        ModalAnswer::clickButton("OK", &seen);
        language->setCurrentIndex(1);
        QCOMPARE(seen, QStringList({"Unable to open translation",
                                    "Sorry, we are not able to find translation file for your language: en"}));
        QCOMPARE(config->language, QString("en"));
        QVERIFY(savedLine("language:en"));

        // French: loaded, installed, and the open window re-labels at once.
        seen.clear();
        ModalAnswer::clickButton("OK", &seen, 1500);
        language->setCurrentIndex(0);
        QCOMPARE(config->language, QString("fr"));
        QVERIFY(savedLine("language:fr"));
        QCOMPARE(QCoreApplication::translate("MainWindow", "Quit"), QString("Quitter"));
        QApplication::processEvents();
        QCOMPARE(window.findChild<QAction*>("actionQuit")->text(), QString("Quitter"));
        QTest::qWait(1700);
        QVERIFY(seen.isEmpty());

        // Opening with "en" reloads once: one warning.
        config->language = "en";
        ModalAnswer::clickButton("OK", &seen);
        DefaultConfigView english;
        QCOMPARE(seen.size(), 2);
        QCOMPARE(QCoreApplication::translate("MainWindow", "Quit"), QString("Quit"));

        // A stored language with no item is kept, not wiped.
        config->language = "de";
        seen.clear();
        ModalAnswer::clickButton("OK", &seen, 1500);
        DefaultConfigView unknown;
        QTest::qWait(1700);
        QVERIFY(seen.isEmpty());
        QCOMPARE(config->language, QString("de"));
        QCOMPARE(unknown.findChild<QComboBox*>("cbLanguage")->currentIndex(), -1);
        config->language = "fr";
    }

    void statusBarDialogStates_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("launcher");
        QTest::addColumn<QString>("checked");
        QTest::newRow("none") << 0 << 0 << "radioButton";
        QTest::newRow("current") << 1 << 1 << "radioButton_2";
        QTest::newRow("all") << 2 << 0 << "radioButton_3";
        QTest::newRow("unknown") << 3 << 1 << "";
    }

    void statusBarDialogStates()
    {
        QFETCH(int, value);
        QFETCH(int, launcher);
        QFETCH(QString, checked);
        config->showServerStatus = value;
        config->showLauncherStatus = launcher;
        StatusBarConfig dialog;
        QCOMPARE(dialog.windowTitle(), QString("Form"));
        for (const char* name : {"radioButton", "radioButton_2", "radioButton_3"})
            QCOMPARE(dialog.findChild<QRadioButton*>(name)->isChecked(), checked == name);
        QCOMPARE(dialog.findChild<QCheckBox*>("checkBox_2")->isChecked(), launcher == 1);
    }

    void statusBarDialogWritesAndSaves()
    {
        config->showServerStatus = 3;
        config->showLauncherStatus = 0;
        StatusBarConfig dialog;
        const QStringList names = {"radioButton", "radioButton_2", "radioButton_3"};
        for (int value : {2, 0, 1}) {
            forgetFile();
            dialog.findChild<QRadioButton*>(names[value])->click();
            QCOMPARE(config->showServerStatus, value);
            QVERIFY(savedLine("showServerStatus:" + QByteArray::number(value)));
            for (int other = 0; other < 3; ++other)
                QCOMPARE(dialog.findChild<QRadioButton*>(names[other])->isChecked(), other == value);
        }
        auto* launcher = dialog.findChild<QCheckBox*>("checkBox_2");
        launcher->click();
        QCOMPARE(config->showLauncherStatus, 1);
        QVERIFY(savedLine("showLauncherStatus:1"));
        launcher->click();
        QCOMPARE(config->showLauncherStatus, 0);
        QVERIFY(savedLine("showLauncherStatus:0"));
    }

    void introWindowShape()
    {
        IntroWindow intro;
        QCOMPARE(intro.windowTitle(), QString("Loading"));
        QVERIFY(intro.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(intro.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(intro.testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(intro.testAttribute(Qt::WA_NoSystemBackground));
        QVERIFY(!intro.mask().isEmpty());
        QVERIFY(!intro.findChild<QLabel*>("label")->property("pixmap").value<QPixmap>().isNull());
    }

    void optionsMenuOpensTheDialogs()
    {
        MainWindow window;
        auto countVisible = [](const char* className) {
            int count = 0;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->inherits(className) && widget->isVisible())
                    ++count;
            return count;
        };
        window.findChild<QAction*>("actionDefault_config")->trigger();
        window.findChild<QAction*>("actionDefault_config")->trigger();
        QCOMPARE(countVisible("DefaultConfigView"), 2);
        window.findChild<QAction*>("actionStatusBar")->trigger();
        QCOMPARE(countVisible("StatusBarConfig"), 1);
        // Closing one frees it and leaves the other.
        QPointer<QWidget> closed;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("DefaultConfigView") && widget->isVisible())
                closed = widget;
        closed->close();
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(countVisible("DefaultConfigView"), 1);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("DefaultConfigView") || widget->inherits("StatusBarConfig"))
                widget->close();
    }
};

// The terminal's cursor shape, read off its rendering: an unstarted terminal
// shows only the cursor, so it is compared with a plain library terminal of
// the same size drawn with each shape in turn. -1 when none matches.

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    PreferencesTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_preferences.moc"
