// Module names for the install and upgrade fields: the known list, the clean
// comma list the fields keep, and what picking a proposed name does.
#include "server/autocompletionlist.h"

#include <QCompleter>
#include <QSet>
#include <QStringListModel>
#include <QtTest>

class TestAutoCompletion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AC_list::init(); }

    void knownNames()
    {
        const QStringList& names = AC_list::modules;
        QCOMPARE(names.size(), 416);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 416);
        QCOMPARE(names.first(), QString("modules"));
        QCOMPARE(names.at(1), QString("crm"));
        QCOMPARE(names.at(30), QString("hr_holidays"));
        QCOMPARE(names.last(), QString("website_crm_phone_validation"));
        QVERIFY(names.indexOf("web_studio") > names.indexOf("website_version"));

        auto family = [&names](const QString& word) {
            int count = 0;
            for (const QString& name : names)
                count += name.section('_', 0, 0) == word;
            return count;
        };
        QCOMPARE(family("l10n"), 104);
        QCOMPARE(family("website"), 58);
        QCOMPARE(family("account"), 29);
        QCOMPARE(family("hr"), 19);
        QCOMPARE(family("sale"), 18);
        QCOMPARE(family("test"), 18);
        QCOMPARE(family("base"), 14);
        QCOMPARE(family("web"), 12);
        QCOMPARE(family("payment"), 10);
        QCOMPARE(family("pos"), 9);
        QCOMPARE(family("hw"), 8);
        QCOMPARE(family("mrp"), 8);
        for (const QString& name : names)
            QVERIFY2(!name.isEmpty() && !name.contains(' ') && !name.contains(','), qPrintable(name));

        // A second start-up call does not double the list.
        AC_list::init();
        QCOMPARE(AC_list::modules.size(), 416);
    }

    void normalising_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("clean");
        QTest::newRow("blank separates") << "sale purchase" << "sale,purchase";
        QTest::newRow("double comma") << "sale,,purchase" << "sale,purchase";
        QTest::newRow("leading blank") << " sale" << "sale";
        QTest::newRow("trailing comma kept") << "sale," << "sale,";
        QTest::newRow("comma and blank") << "sale, " << "sale,";
        QTest::newRow("blank after name") << "sale " << "sale,";
        QTest::newRow("many blanks") << "  a   b  " << "a,b,";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("only separators") << " , ," << "";
        QTest::newRow("already clean") << "crm,sale,stock" << "crm,sale,stock";
    }

    void normalising()
    {
        QFETCH(QString, typed);
        QFETCH(QString, clean);
        const QString result = AC_list::normalised(typed);
        QCOMPARE(result, clean);
        QVERIFY(!result.contains(' '));
        QVERIFY(!result.contains(",,"));
        QCOMPARE(AC_list::normalised(result), result); // stable once clean
    }

    void insertion()
    {
        QCOMPARE(AC_list::withCompletion("sale,pur", "purchase"), QString("sale,purchase"));
        QCOMPARE(AC_list::withCompletion("pur", "purchase"), QString("purchase"));
        QCOMPARE(AC_list::withCompletion("sale, pur", "purchase"), QString("sale,purchase"));
        QCOMPARE(AC_list::withCompletion("sale,", "crm"), QString("sale,crm"));
        QCOMPARE(AC_list::withCompletion("", "crm"), QString("crm"));
        QCOMPARE(AC_list::withCompletion("a,,b,c", "crm"), QString("a,b,crm"));
    }

    void prefixIsTheNameBeingTyped()
    {
        QCOMPARE(AC_list::completionPrefix("sale,pur"), QString("pur"));
        QCOMPARE(AC_list::completionPrefix("sale "), QString());
        QCOMPARE(AC_list::completionPrefix(""), QString());
        QCOMPARE(AC_list::completionPrefix("hr_"), QString("hr_"));
    }

    // The completer set up as the server tab sets it up offers names in list
    // order, whatever the case typed.
    void prefixFiltering()
    {
        QCompleter completer(AC_list::modules);
        completer.setCaseSensitivity(Qt::CaseInsensitive);
        completer.setCompletionMode(QCompleter::PopupCompletion);
        auto proposals = [&completer](const QString& prefix) {
            completer.setCompletionPrefix(prefix);
            QStringList shown;
            for (int row = 0; row < completer.completionCount(); ++row) {
                completer.setCurrentRow(row);
                shown << completer.currentCompletion();
            }
            return shown;
        };
        QStringList expected;
        for (const QString& name : AC_list::modules)
            if (name.startsWith("hr_"))
                expected << name;
        QCOMPARE(expected.size(), 18);
        QCOMPARE(proposals("hr_"), expected);
        QCOMPARE(proposals("HR_"), expected);
        QCOMPARE(proposals("hr_").first(), QString("hr_timesheet"));
        QCOMPARE(proposals("").size(), 416);
        QVERIFY(proposals("zzz").isEmpty());
    }
};

QTEST_MAIN(TestAutoCompletion)
#include "test_autocompletion.moc"
