#pragma once

#include <qtermwidget.h>

#include <QList>

// The launcher's terminal: a shell in a terminal emulator, with one entry
// point for typed text that honours the trace and sandbox run modes, a clear
// that also wipes the scroll-back, and a Copy/Paste context menu.
class MyQTermWidget : public QTermWidget
{
    Q_OBJECT
public:
    // Starts the shell at once.
    explicit MyQTermWidget(QWidget* parent);
    // startnow 0: the caller starts the shell with startShellProgram().
    MyQTermWidget(int startnow, QWidget* parent);
    ~MyQTermWidget() override;

    void sendText(const QString& text, bool force = false);
    void clear();

    static void changeCursorType(QTermWidget::KeyboardCursorShape shape);
    static const QList<MyQTermWidget*>& terminals();

public slots:
    void ShowContextMenuTerm(const QPoint& pos);
    void copyText();
    void pasteText();

private:
    void commonSetup();
};
