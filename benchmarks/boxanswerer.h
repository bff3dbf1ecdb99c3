#pragma once

#include "exec/termexecutor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTextEdit>
#include <QTimer>

// Answers every modal box with its default button and closes the Bug Splat
// window, as a person would; keeps what they said.
class BoxAnswerer : public QObject
{
public:
    BoxAnswerer()
    {
        connect(&timer, &QTimer::timeout, this, [this] { look(); });
        timer.start(20);
    }

    QStringList seen;
    int splats = 0;

private:
    void look()
    {
        TermExecutor* executor = TermExecutor::getSingleton();
        if (executor->splatWindow->isVisible()) {
            ++splats;
            seen << "Bug Splat: " + executor->commandLabel->text() + " / " + executor->errorView->toPlainText();
            executor->splatWindow->hide();
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            seen << "window: " + modal->windowTitle();
            modal->close();
            return;
        }
        seen << box->windowTitle() + ": " + box->text();
        QAbstractButton* button = box->defaultButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        if (button)
            button->click();
        else
            box->close();
    }

    QTimer timer;
};
