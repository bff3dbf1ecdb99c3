#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;

namespace Ui {
class TODOWidget;
}

// The "Todo list" page: a column of notes, each with a "Done" check box and a
// "Delete" button, kept in the global settings and saved after every change.
// An empty row always waits at the bottom for a new note.
class TODOWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TODOWidget(QWidget* parent = nullptr);
    ~TODOWidget() override;

    // Appends one empty, undone row below the others.
    void addNote();
    // Takes the row at `index` out of the list; its widgets are destroyed once
    // control is back in the event loop. Out-of-range indexes are ignored.
    void removeNote(int index);
    // Rebuilds the stored notes from the rows (empty rows are left out) and
    // writes the settings file.
    void saveTodos();

    // The widgets of the row at `index`, or nullptr when there is no such row.
    QLineEdit* getLineEdit(int index) const;
    QCheckBox* getCheckBox(int index) const;
    QPushButton* getButton(int index) const;
    // The row index of a row's "Delete" button, or -1.
    int getIndexForButton(const QAbstractButton* button) const;

    // Rows currently in the list, in their order.
    int noteCount() const { return rows.size(); }

    // Grid rows used so far: the grid row of the next note. Never decreases.
    int rowCount = 0;

    static const char* const undoneStyle;
    static const char* const doneStyle;

public slots:
    void onLineEdit(const QString& text);
    void changeCheckBox(bool checked);
    void deleteLine();

private:
    struct Row
    {
        QFrame* frame;
        QLineEdit* edit;
        QCheckBox* check;
        QPushButton* button;
    };

    void restore();
    // Adds an empty row at the bottom unless the bottom row already is one.
    void keepEmptyBottomRow();
    int indexOfEdit(const QLineEdit* edit) const;
    static void applyStyle(const Row& row);

    Ui::TODOWidget* ui;
    // The rows in creation order; a removed row leaves this list at once, even
    // though its widgets are deleted later.
    QList<Row> rows;
    // While the stored notes are being put back, edits are not saved one by one.
    bool restoring = false;
};
