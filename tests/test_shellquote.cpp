// Values from outside put into shell command lines: plain names unchanged,
// everything else one literal word for /bin/sh.

#include "exec/shellquote.h"

#include <QProcess>
#include <QtTest>

class TestShellQuote : public QObject
{
    Q_OBJECT

    // What /bin/sh makes of `word`: printf prints each argument on a line.
    static QStringList shellWords(const QString& word)
    {
        QProcess shell;
        shell.start("/bin/sh", {"-c", "printf '%s\\n' " + word});
        shell.waitForFinished(10000);
        QStringList lines = QString::fromUtf8(shell.readAllStandardOutput()).split('\n');
        lines.removeLast();
        return lines;
    }

private slots:
    void plainNamesStayByteForByte()
    {
        for (const QString& name : {"12.0-fix", "velt/11.0", "saas-11.2", "a_b@c+d=e:f,g%h",
                                    "0123abcXYZ", "HEAD~1"}) {
            if (name.contains('~'))
                QCOMPARE(shellQuote(name), "'" + name + "'");
            else
                QCOMPARE(shellQuote(name), name);
        }
    }

    void otherValuesReachTheShellAsOneLiteralWord()
    {
        const QStringList values = {"x$(touch${IFS}pwned)", "a;b", "it's", "`id`", "a b", "*", "a|b",
                                    "''", "semi;'quote'\"dq\"", "new\nline", "dollar$HOME", "back\\slash"};
        for (const QString& value : values) {
            const QString quoted = shellQuote(value);
            QVERIFY2(quoted != value, qPrintable(value));
            QCOMPARE(shellWords(quoted), value.split('\n'));
        }
        // An empty value stays one (empty) argument.
        QCOMPARE(shellQuote(""), QString("''"));
        QCOMPARE(shellWords("a " + shellQuote("") + " b"), QStringList({"a", "", "b"}));
        QVERIFY(!QFile::exists("pwned"));
    }
};

QTEST_MAIN(TestShellQuote)
#include "test_shellquote.moc"
