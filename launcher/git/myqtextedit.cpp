#include "myqtextedit.h"

#include <QLayout>
#include <QTextDocument>
#include <QtMath>

MyQTextEdit::MyQTextEdit(QWidget* parent)
    : QTextEdit(parent)
{
}

QSize MyQTextEdit::sizeHint() const
{
    const QSizeF size = document()->size();
    return QSize(qMax(100, qRound(size.width())), qMax(100, qRound(size.height())));
}

void MyQTextEdit::resizeEvent(QResizeEvent* event)
{
    // The document reflows with the width; the layout must hear of the new height.
    updateGeometry();
    if (parentWidget() && parentWidget()->layout())
        parentWidget()->layout()->activate();
    QTextEdit::resizeEvent(event);
}
