#include "downloadform.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

// The upgrader's window: versions listed, the current one named, Ok only at the end.
class TestDownloadForm : public QObject
{
    Q_OBJECT
private slots:
    void widgetsSitInTheirCells()
    {
        DownloadForm form;
        QCOMPARE(form.size(), QSize(618, 426));
        QCOMPARE(form.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
        auto* grid = form.findChild<QGridLayout*>("gridLayout");
        QVERIFY(grid);
        struct Cell {
            const char* name;
            int row, column, rowSpan, columnSpan;
        };
        for (const Cell& cell : {Cell{"textEdit", 0, 0, 1, 2}, Cell{"lblDownload", 2, 0, 1, 1},
                                 Cell{"progressBar", 3, 0, 1, 2}, Cell{"lblSpeed", 4, 1, 1, 1}, Cell{"bOk", 5, 1, 1, 1}}) {
            auto* widget = form.findChild<QWidget*>(cell.name);
            QVERIFY2(widget, cell.name);
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(widget), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}),
                     QList<int>({cell.row, cell.column, cell.rowSpan, cell.columnSpan}));
        }
        auto* text = form.findChild<QTextEdit*>("textEdit");
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->minimumHeight(), 300);
        QCOMPARE(form.getProgressBar(), form.findChild<QProgressBar*>("progressBar"));
        QCOMPARE(form.getProgressBar()->minimumWidth(), 600);
        QCOMPARE(form.getProgressBar()->value(), 0);
        QCOMPARE(form.getLabelSpeed(), form.findChild<QLabel*>("lblSpeed"));
        QCOMPARE(form.getLabelSpeed()->text(), QString("speed"));
        QCOMPARE(form.getLabelSpeed()->alignment(), Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter);
        QCOMPARE(form.findChild<QLabel*>("lblDownload")->text(), QString("downloading..."));
        QCOMPARE(form.windowTitle(), QString("Form"));
    }

    void listsVersionsAndNamesTheCurrentOne()
    {
        DownloadForm form;
        form.addLine(" 0.9.12 - Second fixes");
        form.addLine(" ");
        form.addLine("Faster start");
        QCOMPARE(form.findChild<QTextEdit*>("textEdit")->toPlainText(), QString(" 0.9.12 - Second fixes\n \nFaster start"));
        form.setCurrentVersion("0.9.12 - Second fixes");
        QCOMPARE(form.findChild<QLabel*>("lblDownload")->text(), QString("Downloading: 0.9.12 - Second fixes"));
    }

    void formTextsTranslateButTheDownloadLabelStaysFixed()
    {
        QTranslator french;
        QVERIFY(french.load(QString(KVL_TRANSLATIONS_DIR) + "/Translation_QEN_fr.qm"));
        QCoreApplication::installTranslator(&french);
        DownloadForm form;
        form.setCurrentVersion("0.9.12");
        const QString current = form.findChild<QLabel*>("lblDownload")->text();
        const QString speed = form.getLabelSpeed()->text();
        QCoreApplication::removeTranslator(&french);
        // "Downloading: " is one of the upgrader's fixed English texts.
        QCOMPARE(current, QString("Downloading: 0.9.12"));
        QCOMPARE(speed, QString("vitesse"));
    }

    void okClosesOnlyOnceFinished()
    {
        DownloadForm form;
        auto* ok = form.findChild<QPushButton*>("bOk");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(form.isVisible());
        form.finish();
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestDownloadForm)
#include "test_downloadform.moc"
