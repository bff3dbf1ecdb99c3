#include "waitingpagenote.h"

#include "exec/operationgate.h"

#include <QEvent>

void WaitingPageNote::showOn(QWidget* page)
{
    if (OperationGate::shared().busy() && !page->findChild<WaitingPageNote*>(QString(), Qt::FindDirectChildrenOnly))
        new WaitingPageNote(page);
}

WaitingPageNote::WaitingPageNote(QWidget* page)
    : QLabel(page)
{
    OperationGate& gate = OperationGate::shared();
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setText(tr("This workspace opens once \"%1\" has ended.").arg(gate.inProgress()));
    // The page has no layout yet: the one its form brings must not meet another.
    setGeometry(page->rect());
    page->installEventFilter(this);
    connect(&gate, &OperationGate::busyChanged, this, [this](bool busy) {
        if (!busy)
            deleteLater();
    });
    show();
}

bool WaitingPageNote::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == parentWidget())
        setGeometry(parentWidget()->rect());
    return false;
}
