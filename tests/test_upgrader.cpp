#include <QProcess>
#include <QtTest>

// The upgrader only runs when the launcher starts it with its version and
// the beta flag.
class TestUpgrader : public QObject
{
    Q_OBJECT
private slots:
    void refusesToRunWithoutItsArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList();
        QTest::newRow("version only") << QStringList{"0.9.10"};
        QTest::newRow("version without dot") << QStringList{"0910", "1"};
    }
    void refusesToRunWithoutItsArguments()
    {
        QFETCH(QStringList, arguments);
        QProcess upgrader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        upgrader.setProcessEnvironment(environment);
        upgrader.start(KVL_UPGRADER_PATH, arguments);
        QVERIFY(upgrader.waitForFinished(10000));
        QCOMPARE(upgrader.exitCode(), 255);
        QCOMPARE(upgrader.readAllStandardError(),
                 QByteArray("don't launch upgrader yourself, please, it can be only launched by the launcher itself"));
    }
};

QTEST_GUILESS_MAIN(TestUpgrader)
#include "test_upgrader.moc"
