#include "todowidget.h"
#include "ui_todowidget.h"

#include "settings/configloader.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

const char* const TODOWidget::undoneStyle =
    "QLineEdit { background: rgb(234, 98, 98); selection-background-color: rgb(137, 0, 0) }";
const char* const TODOWidget::doneStyle =
    "QLineEdit { background: rgb(173, 247, 170); selection-background-color: rgb(125, 178, 123); }";

TODOWidget::TODOWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::TODOWidget)
{
    ui->setupUi(this);
    restore();
}

TODOWidget::~TODOWidget()
{
    delete ui;
}

void TODOWidget::restore()
{
    // Each stored note ends with its marker: "X" done, "O" not done. A line
    // without one (hand-edited) is an undone note, kept whole.
    const QStringList stored = ConfigLoader::getSingleton()->todos;
    restoring = true;
    for (int i = 0; i < stored.size(); ++i)
        addNote();
    for (int i = 0; i < stored.size(); ++i) {
        const QString& entry = stored.at(i);
        const bool marked = entry.endsWith(QLatin1Char('X')) || entry.endsWith(QLatin1Char('O'));
        const QString text = marked ? entry.left(entry.size() - 1) : entry;
        // Filled in as if typed, so a note in the last row opens an empty row below it.
        rows.at(i).edit->setText(text);
        rows.at(i).check->setChecked(entry.endsWith(QLatin1Char('X')));
    }
    // Exactly one empty row waits at the bottom, whether or not filling in the
    // last note already opened it.
    keepEmptyBottomRow();
    restoring = false;

    ui->layoutScroll->setAlignment(Qt::AlignTop);
    changeCheckBox(false);
}

void TODOWidget::addNote()
{
    Row row;
    row.frame = new QFrame;
    auto* layout = new QGridLayout(row.frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setAlignment(Qt::AlignTop);
    row.frame->setMinimumSize(10, 10);

    row.edit = new QLineEdit(this);
    row.check = new QCheckBox(tr("Done"), this);
    row.button = new QPushButton(tr("Delete"), this);
    layout->addWidget(row.edit, 0, 0);
    layout->addWidget(row.check, 0, 1);
    layout->addWidget(row.button, 0, 2);
    applyStyle(row);

    ui->layoutScroll->addWidget(row.frame, rowCount, 0);
    ++rowCount;
    rows.append(row);

    connect(row.edit, &QLineEdit::textChanged, this, &TODOWidget::onLineEdit);
    connect(row.check, &QCheckBox::toggled, this, &TODOWidget::changeCheckBox);
    connect(row.button, &QPushButton::clicked, this, &TODOWidget::deleteLine);
}

void TODOWidget::onLineEdit(const QString& text)
{
    // Text in the bottom row makes it a note: open a fresh row below it.
    if (!rows.isEmpty() && !text.isEmpty() && rows.last().edit->text() == text)
        addNote();
    // A note emptied just above the bottom row leaves two empty rows there:
    // the one below it goes, the one being edited stays.
    if (text.isEmpty() && !restoring) {
        const int edited = indexOfEdit(qobject_cast<const QLineEdit*>(sender()));
        while (rows.size() >= 2 && edited >= 0 && edited < rows.size() - 1
               && rows.last().edit->text().isEmpty() && rows.at(rows.size() - 2).edit->text().isEmpty())
            removeNote(rows.size() - 1);
    }
    saveTodos();
}

void TODOWidget::keepEmptyBottomRow()
{
    if (rows.isEmpty() || !rows.last().edit->text().isEmpty())
        addNote();
}

int TODOWidget::indexOfEdit(const QLineEdit* edit) const
{
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).edit == edit)
            return i;
    return -1;
}

void TODOWidget::changeCheckBox(bool)
{
    for (const Row& row : std::as_const(rows))
        applyStyle(row);
    saveTodos();
}

void TODOWidget::deleteLine()
{
    const auto* button = qobject_cast<const QAbstractButton*>(sender());
    removeNote(getIndexForButton(button));
    // Deleting the bottom row (or every row) must still leave one to type in.
    keepEmptyBottomRow();
    saveTodos();
}

void TODOWidget::removeNote(int index)
{
    if (index < 0 || index >= rows.size())
        return;
    const Row row = rows.takeAt(index);
    ui->layoutScroll->removeWidget(row.frame);
    row.frame->hide();
    // The row's own "Delete" click may still be on the stack: destroy it later.
    row.frame->deleteLater();
}

void TODOWidget::saveTodos()
{
    if (restoring)
        return;
    QStringList todos;
    for (const Row& row : std::as_const(rows)) {
        const QString text = row.edit->text();
        if (text.isEmpty())
            continue;
        todos.append(text + (row.check->isChecked() ? "X" : "O"));
    }
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->todos = todos;
    config->save();
}

QLineEdit* TODOWidget::getLineEdit(int index) const
{
    return index >= 0 && index < rows.size() ? rows.at(index).edit : nullptr;
}

QCheckBox* TODOWidget::getCheckBox(int index) const
{
    return index >= 0 && index < rows.size() ? rows.at(index).check : nullptr;
}

QPushButton* TODOWidget::getButton(int index) const
{
    return index >= 0 && index < rows.size() ? rows.at(index).button : nullptr;
}

int TODOWidget::getIndexForButton(const QAbstractButton* button) const
{
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).button == button)
            return i;
    return -1;
}

void TODOWidget::applyStyle(const Row& row)
{
    const bool done = row.check->isChecked();
    row.edit->setStyleSheet(done ? doneStyle : undoneStyle);
    QFont font = row.edit->font();
    font.setStrikeOut(done);
    row.edit->setFont(font);
}
