#include "myqtermwidget.h"

#include "exec/commandlog.h"
#include "exec/terminalfont.h"
#include "settings/configloader.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace {
QList<MyQTermWidget*>& liveTerminals()
{
    static QList<MyQTermWidget*> list;
    return list;
}

// Runs before the library constructor, which picks its font and warns about a
// variable-width one.
QWidget* withFixedWidthFont(QWidget* parent)
{
    TerminalFont::prepare();
    return parent;
}
}

MyQTermWidget::MyQTermWidget(QWidget* parent)
    : QTermWidget(withFixedWidthFont(parent))
{
    commonSetup();
}

MyQTermWidget::MyQTermWidget(int startnow, QWidget* parent)
    : QTermWidget(startnow, withFixedWidthFont(parent))
{
    commonSetup();
}

MyQTermWidget::~MyQTermWidget()
{
    liveTerminals().removeAll(this);
}

void MyQTermWidget::commonSetup()
{
    setTerminalFont(TerminalFont::choose());
    setScrollBarPosition(QTermWidget::ScrollBarRight);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &MyQTermWidget::ShowContextMenuTerm);
    setBlinkingCursor(true);
    setKeyboardCursorShape(
        static_cast<QTermWidget::KeyboardCursorShape>(ConfigLoader::getSingleton()->cursorType));
    // Text sent before the shell starts is delivered to it once it runs.
    sendText("export TERM=xterm-256color\n");
    sendText("source ~/.bashrc\n");
    clear();
    liveTerminals().append(this);
}

const QList<MyQTermWidget*>& MyQTermWidget::terminals()
{
    return liveTerminals();
}

void MyQTermWidget::sendText(const QString& text, bool force)
{
    const ConfigLoader* config = ConfigLoader::getSingleton();
    if (config->trace)
        CommandLog::shared().trace(text);
    if (!config->sandbox || force)
        QTermWidget::sendText(text);
}

void MyQTermWidget::clear()
{
    // ESC [ 3 J erases the scroll-back that "clear" leaves behind.
    sendText("clear && echo -en \"\\e[3J\"\n");
}

void MyQTermWidget::changeCursorType(QTermWidget::KeyboardCursorShape shape)
{
    for (MyQTermWidget* terminal : liveTerminals())
        terminal->setKeyboardCursorShape(shape);
}

void MyQTermWidget::ShowContextMenuTerm(const QPoint& pos)
{
    QMenu menu(tr("Context menu"), this);
    menu.addAction(tr("Copy"), this, &MyQTermWidget::copyText);
    menu.addAction(tr("Paste"), this, &MyQTermWidget::pasteText);
    menu.exec(mapToGlobal(pos));
}

void MyQTermWidget::copyText()
{
    QApplication::clipboard()->setText(selectedText(true));
}

void MyQTermWidget::pasteText()
{
    sendText(QApplication::clipboard()->text());
}
