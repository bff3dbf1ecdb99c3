// The branch selector: answers of each button, Cancel and the title bar's
// close, and completion over the three branch lists.

#include "modalscript.h"
#include "testhome.h"

#include "git/branchselector.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestBranchSelector : public QObject
{
    Q_OBJECT
    TestHome home;
    BranchList lists{{"master", "Main-work", "feature"}, {"11.0", "10.0", "master"}, {"12.0-fix", "master"}};

    QString ask(const QString& action, const QString& main = "upstream", const QString& dev = "dev")
    {
        ModalScript modals({action});
        BranchSelector selector(lists, main, dev, nullptr);
        const QString answer = selector.getBranchName();
        selector.close();
        return answer;
    }

private slots:
    void answers()
    {
        QCOMPARE(ask("selector:cancel"), QString("Cancelled"));
        QCOMPARE(ask("selector:close"), QString("Cancelled"));
        QCOMPARE(ask("selector:local=feature"), QString("feature"));
        QCOMPARE(ask("selector:velt=11.0"), QString("upstream/11.0"));
        QCOMPARE(ask("selector:dev=12.0-fix"), QString("dev/12.0-fix"));
        // Typed text need not be one of the completions; empty stays empty.
        QCOMPARE(ask("selector:dev=not-listed"), QString("dev/not-listed"));
        QCOMPARE(ask("selector:velt="), QString("upstream/"));
        QCOMPARE(ask("selector:local="), QString());
    }

    void formAndWindow()
    {
        BranchSelector selector(lists, "velt", "velt-dev", nullptr);
        QCOMPARE(selector.windowTitle(), QString("Branch selector"));
        QCOMPARE(selector.answer, QString("Cancelled"));
        QCOMPARE(selector.findChild<QPushButton*>("pushButton_3")->text(), QString("Cancel"));
        // Its own copy of the lists.
        QCOMPARE(selector.lists.devRemoteBranches, lists.devRemoteBranches);

        // Destroyed while waiting: the wait ends with the answer so far.
        auto* doomed = new BranchSelector(lists, "velt", "velt-dev", nullptr);
        QTimer::singleShot(100, doomed, [doomed] { doomed->deleteLater(); });
        QCOMPARE(doomed->getBranchName(), QString("Cancelled"));
    }

    void completionIsCaseInsensitive()
    {
        BranchSelector selector(lists, "velt", "velt-dev", nullptr);
        selector.show();
        QLineEdit* local = selector.findChild<QLineEdit*>("ttLocale");
        local->setFocus();
        QTest::keyClicks(local, "ma");
        QCompleter* completer = selector.completerLocales;
        QCOMPARE(completer->completionPrefix(), QString("ma"));
        QCOMPARE(completer->caseSensitivity(), Qt::CaseInsensitive);
        QStringList shown;
        for (int i = 0; completer->setCurrentRow(i); ++i)
            shown << completer->currentCompletion();
        QCOMPARE(shown, QStringList({"master", "Main-work"}));
        QVERIFY(completer->popup()->isVisible());

        // Picking a completion fills the field and closes the popup.
        selector.insertCompletionTTLocales("Main-work");
        QCOMPARE(local->text(), QString("Main-work"));
        QVERIFY(!completer->popup()->isVisible());

        // Each field completes over its own list.
        QLineEdit* velt = selector.findChild<QLineEdit*>("ttVelt");
        QTest::keyClicks(velt, "1");
        QCOMPARE(selector.completerVelt->completionCount(), 2);
        QLineEdit* dev = selector.findChild<QLineEdit*>("ttVeltDev");
        QTest::keyClicks(dev, "12");
        QCOMPARE(selector.completerVeltDev->completionCount(), 1);
        selector.findChild<QPushButton*>("pushButton_4")->click();
        QCOMPARE(selector.answer, QString("velt-dev/12"));
    }
};

QTEST_MAIN(TestBranchSelector)
#include "test_branchselector.moc"
