#include "cursorshape.h"

#include "cooperativewait.h"

#include <QApplication>
#include <QImage>
#include <qtermwidget.h>

int cursorShapeOf(QTermWidget* terminal)
{
    terminal->setBlinkingCursor(false);
    QTermWidget reference(0, nullptr);
    reference.setTerminalFont(terminal->getTerminalFont());
    reference.setScrollBarPosition(QTermWidget::ScrollBarRight);
    reference.setBlinkingCursor(false);
    reference.resize(terminal->size());
    terminal->show();
    reference.show();
    cooperativeWait(300);
    // A focused block cursor is drawn filled, an unfocused one hollow.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    const QImage image = terminal->grab().toImage();
    QList<QImage> candidates;
    for (int shape = 0; shape < 3; ++shape) {
        reference.setKeyboardCursorShape(static_cast<QTermWidget::KeyboardCursorShape>(shape));
        QApplication::processEvents();
        candidates << reference.grab().toImage();
    }
    // The three shapes must look different, or the comparison proves nothing.
    if (candidates[0] == candidates[1] || candidates[1] == candidates[2] || candidates[0] == candidates[2])
        return -2;
    return candidates.indexOf(image);
}
