#pragma once

#include <QTextEdit>

// A text edit as tall as its text: its size hint is its document's size
// (at least 100 pixels each way), so a commit message shows whole.
class MyQTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit MyQTextEdit(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};
