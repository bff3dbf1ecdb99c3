// The notes page: restoring the stored notes, typing, "Done" and "Delete",
// each checked in the settings object and in the settings file on disk.

#include "testhome.h"

#include "settings/configloader.h"
#include "tools/todowidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {

const QString undone = QStringLiteral(
    "QLineEdit { background: rgb(234, 98, 98); selection-background-color: rgb(137, 0, 0) }");
const QString done = QStringLiteral(
    "QLineEdit { background: rgb(173, 247, 170); selection-background-color: rgb(125, 178, 123); }");

}

class TodoWidgetTest : public QObject
{
    Q_OBJECT
public:
    explicit TodoWidgetTest(const TestHome& home) : home(home) {}

private:
    const TestHome& home;

    static QStringList stored() { return ConfigLoader::getSingleton()->todos; }

    static void store(const QStringList& todos)
    {
        ConfigLoader::getSingleton()->todos = todos;
    }

    // The notes block of the settings file on disk.
    QStringList notesOnDisk() const
    {
        const QString text = QString::fromUtf8(home.readFile(".config/KydVeltLauncher/config"));
        const int start = text.indexOf(QLatin1String("-> todo list ->\n"));
        const int end = text.lastIndexOf(QLatin1String("<- todo list <-"));
        if (start < 0 || end < start || !text.endsWith(QLatin1String("<- todo list <-")))
            return {QStringLiteral("<no notes block>")};
        const int from = start + int(strlen("-> todo list ->\n"));
        QStringList lines = text.mid(from, end - from).split('\n');
        lines.removeLast(); // after the last note's newline
        return lines;
    }

    static QStringList texts(const TODOWidget& w)
    {
        QStringList result;
        for (int i = 0; i < w.noteCount(); ++i)
            result << w.getLineEdit(i)->text();
        return result;
    }

    // Deleted rows go away once control is back in the event loop.
    static void waitDeleted(const QPointer<QLineEdit>& edit)
    {
        QTRY_VERIFY_WITH_TIMEOUT(edit.isNull(), 5000);
    }

private slots:
    void init()
    {
        store({});
        ConfigLoader::getSingleton()->save();
    }

    void freshList()
    {
        // No stored notes: one empty, undone row, framed, in the list's first grid row.
        TODOWidget w;
        QCOMPARE(w.noteCount(), 1);
        QCOMPARE(w.getLineEdit(0)->styleSheet(), undone);
        QWidget* frame = w.getLineEdit(0)->parentWidget();
        QCOMPARE(w.findChild<QGridLayout*>("layoutScroll")->itemAtPosition(0, 0)->widget(), frame);
        QCOMPARE(w.getButton(0)->parentWidget(), frame);
        QCOMPARE(stored(), QStringList());

        // Out-of-range removals are ignored; the grid row count never goes back.
        w.removeNote(-1);
        w.removeNote(1);
        QCOMPARE(w.noteCount(), 1);
        w.removeNote(0);
        w.removeNote(0);
        QCOMPARE(w.noteCount(), 0);
        w.addNote();
        QCOMPARE(w.rowCount, 2);
    }

    void restoresStoredNotes()
    {
        store({"buy milkO", "fix buildX", "call backO"});
        TODOWidget w;

        QCOMPARE(texts(w), QStringList({"buy milk", "fix build", "call back", ""}));
        QCOMPARE(w.rowCount, 4);

        QVERIFY(!w.getCheckBox(0)->isChecked());
        QCOMPARE(w.getLineEdit(0)->styleSheet(), undone);
        QVERIFY(!w.getLineEdit(0)->font().strikeOut());

        QVERIFY(w.getCheckBox(1)->isChecked());
        QCOMPARE(w.getLineEdit(1)->styleSheet(), done);
        QVERIFY(w.getLineEdit(1)->font().strikeOut());

        QCOMPARE(w.getLineEdit(2)->styleSheet(), undone);
        QCOMPARE(w.getLineEdit(3)->styleSheet(), undone);
        QVERIFY(!w.getLineEdit(3)->font().strikeOut());

        // Restoring saves what it shows, without the empty bottom row.
        const QStringList expected({"buy milkO", "fix buildX", "call backO"});
        QCOMPARE(stored(), expected);
        QCOMPARE(notesOnDisk(), expected);
    }

    void restoringAgainKeepsOneEmptyRow()
    {
        store({"aO", "bX"});
        {
            TODOWidget first;
            QCOMPARE(texts(first), QStringList({"a", "b", ""}));
        }
        // Restarting twice brings back the same rows: the bottom row is never stored.
        for (int start = 0; start < 2; ++start) {
            ConfigLoader::getSingleton()->load();
            TODOWidget again;
            QCOMPARE(texts(again), QStringList({"a", "b", ""}));
            QCOMPARE(stored(), QStringList({"aO", "bX"}));
        }
    }

    void entryWithoutMarker()
    {
        // An empty line in the notes block comes back as an empty undone row,
        // which the next save leaves out; a hand-written line keeps every
        // character and becomes an undone note.
        store({"firstO", "", "lastX", "call Ann"});
        TODOWidget w;
        QCOMPARE(texts(w), QStringList({"first", "", "last", "call Ann", ""}));
        QVERIFY(!w.getCheckBox(1)->isChecked());
        QVERIFY(!w.getCheckBox(3)->isChecked());
        QCOMPARE(w.getLineEdit(1)->styleSheet(), undone);
        QCOMPARE(stored(), QStringList({"firstO", "lastX", "call AnnO"}));
        QCOMPARE(notesOnDisk(), QStringList({"firstO", "lastX", "call AnnO"}));
    }

    void typingIntoBottomRow()
    {
        store({"oldO"});
        TODOWidget w;
        QCOMPARE(w.noteCount(), 2);

        QTest::keyClicks(w.getLineEdit(1), "n");
        QCOMPARE(texts(w), QStringList({"old", "n", ""}));
        QCOMPARE(w.getLineEdit(2)->styleSheet(), undone);
        QCOMPARE(stored(), QStringList({"oldO", "nO"}));
        QCOMPARE(notesOnDisk(), QStringList({"oldO", "nO"}));

        // More characters are saved but open no further row.
        QTest::keyClicks(w.getLineEdit(1), "ew note");
        QCOMPARE(texts(w), QStringList({"old", "new note", ""}));
        QCOMPARE(w.rowCount, 3);
        QCOMPARE(notesOnDisk(), QStringList({"oldO", "new noteO"}));

        // Editing a note above the bottom row opens no row either.
        QTest::keyClicks(w.getLineEdit(0), "er");
        QCOMPARE(texts(w), QStringList({"older", "new note", ""}));
        QCOMPARE(notesOnDisk(), QStringList({"olderO", "new noteO"}));

        // Emptying a note drops it from the file; its row stays on screen.
        w.getLineEdit(0)->clear();
        QCOMPARE(w.noteCount(), 3);
        QCOMPARE(notesOnDisk(), QStringList({"new noteO"}));
    }

    void doneSavesAndRestyles()
    {
        store({"aO", "bO"});
        TODOWidget w;

        w.getCheckBox(1)->click();
        QCOMPARE(w.getLineEdit(1)->styleSheet(), done);
        QVERIFY(w.getLineEdit(1)->font().strikeOut());
        QCOMPARE(w.getLineEdit(0)->styleSheet(), undone);
        QVERIFY(!w.getLineEdit(0)->font().strikeOut());
        QCOMPARE(stored(), QStringList({"aO", "bX"}));
        QCOMPARE(notesOnDisk(), QStringList({"aO", "bX"}));

        w.getCheckBox(1)->click();
        QCOMPARE(w.getLineEdit(1)->styleSheet(), undone);
        QVERIFY(!w.getLineEdit(1)->font().strikeOut());
        QCOMPARE(notesOnDisk(), QStringList({"aO", "bO"}));
    }

    void deleteMiddleRow()
    {
        store({"aO", "bX", "cO"});
        TODOWidget w;
        w.show();
        QPointer<QLineEdit> middle = w.getLineEdit(1);
        QPointer<QWidget> frame = middle->parentWidget();
        QVERIFY(frame->isVisible());

        w.getButton(1)->click();
        // Gone from the list at once, even before its widgets are destroyed.
        QCOMPARE(texts(w), QStringList({"a", "c", ""}));
        QVERIFY(!frame->isVisible());
        QCOMPARE(stored(), QStringList({"aO", "cO"}));
        QCOMPARE(notesOnDisk(), QStringList({"aO", "cO"}));
        waitDeleted(middle);
        QVERIFY(frame.isNull());

        // Rows after the removed one answer to their new index.
        QCOMPARE(w.getIndexForButton(w.getButton(1)), 1);
        QVERIFY(!w.getCheckBox(1)->isChecked());
        w.getCheckBox(1)->click();
        QCOMPARE(notesOnDisk(), QStringList({"aO", "cX"}));
        w.getButton(0)->click();
        QCOMPARE(texts(w), QStringList({"c", ""}));
        QCOMPARE(notesOnDisk(), QStringList({"cX"}));

        // A new row still goes below all the others.
        QTest::keyClicks(w.getLineEdit(1), "d");
        QCOMPARE(texts(w), QStringList({"c", "d", ""}));
        QCOMPARE(notesOnDisk(), QStringList({"cX", "dO"}));
    }

    void deleteBottomEmptyRow()
    {
        store({"aO"});
        TODOWidget w;
        QPointer<QLineEdit> bottom = w.getLineEdit(1);

        // The deleted empty row is replaced by a fresh one: there is always
        // a row to type in.
        w.getButton(1)->click();
        QCOMPARE(texts(w), QStringList({"a", ""}));
        QVERIFY(w.getLineEdit(1) != bottom);
        QCOMPARE(notesOnDisk(), QStringList({"aO"}));
        waitDeleted(bottom);

        QTest::keyClicks(w.getLineEdit(1), "b");
        QCOMPARE(texts(w), QStringList({"a", "b", ""}));
        QCOMPARE(notesOnDisk(), QStringList({"aO", "bO"}));
    }

    void deletingEveryRowLeavesOneToTypeIn()
    {
        store({"aO", "bX"});
        TODOWidget w;
        while (w.noteCount() > 1 || !w.getLineEdit(0)->text().isEmpty())
            w.getButton(0)->click();
        QCOMPARE(texts(w), QStringList({""}));
        QCOMPARE(notesOnDisk(), QStringList());

        // Even the last, empty row: it comes straight back.
        w.getButton(0)->click();
        QCOMPARE(w.noteCount(), 1);
        QCOMPARE(texts(w), QStringList({""}));

        QTest::keyClicks(w.getLineEdit(0), "again");
        QCOMPARE(texts(w), QStringList({"again", ""}));
        QCOMPARE(notesOnDisk(), QStringList({"againO"}));
    }

    void emptyingTheLastNoteKeepsOneEmptyRow()
    {
        store({"aO", "bO"});
        TODOWidget w;
        QCOMPARE(texts(w), QStringList({"a", "b", ""}));
        w.getLineEdit(1)->clear();
        QCOMPARE(texts(w), QStringList({"a", ""}));
        QCOMPARE(notesOnDisk(), QStringList({"aO"}));

        // Typing into it again opens a fresh bottom row, as before.
        QTest::keyClicks(w.getLineEdit(1), "c");
        QCOMPARE(texts(w), QStringList({"a", "c", ""}));

        // A note emptied higher up stays as a row: it is not at the bottom.
        w.getLineEdit(0)->clear();
        QCOMPARE(texts(w), QStringList({"", "c", ""}));
        QCOMPARE(notesOnDisk(), QStringList({"cO"}));
    }
};

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    TodoWidgetTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_todowidget.moc"
