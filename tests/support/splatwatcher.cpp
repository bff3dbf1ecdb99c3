#include "splatwatcher.h"

#include "exec/termexecutor.h"

#include <QEvent>
#include <QLabel>
#include <QTextEdit>

SplatWatcher::SplatWatcher()
{
    TermExecutor* executor = TermExecutor::getSingleton();
    executor->splatWindow->installEventFilter(this);
    connect(&timer, &QTimer::timeout, this, [executor, this] {
        if (!executor->splatWindow->isVisible())
            return;
        command = executor->commandLabel->text();
        error = executor->errorView->toPlainText();
        output = executor->outputView->toPlainText();
        executor->splatWindow->hide();
    });
    timer.start(30);
}

SplatWatcher::~SplatWatcher()
{
    TermExecutor::getSingleton()->splatWindow->removeEventFilter(this);
}

bool SplatWatcher::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Show)
        ++shown;
    return false;
}
