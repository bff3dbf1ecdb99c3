#include "modalscript.h"

#include "git/branchselector.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

ModalScript* ModalScript::current = nullptr;

ModalScript::~ModalScript()
{
    if (current == this)
        current = nullptr;
}

ModalScript::ModalScript(const QStringList& actions)
    : actions(actions)
{
    current = this;
    connect(&timer, &QTimer::timeout, this, [this] { poll(); });
    timer.start(20);
}

void ModalScript::poll()
{
    if (current != this)
        return;
    QWidget* modal = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<BranchSelector*>(top) && top->isVisible())
            modal = top;
    if (!modal)
        modal = QApplication::activeModalWidget();
    if (!modal || modal == last)
        return;
    last = modal;
    if (actions.isEmpty()) {
        unexpected << modal->windowTitle();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    answer(modal, actions.takeFirst());
}

void ModalScript::answer(QWidget* modal, const QString& action)
{
    if (auto* selector = qobject_cast<BranchSelector*>(modal)) {
        seen << selector->windowTitle();
        if (action.startsWith("selector:local=")) {
            selector->findChild<QLineEdit*>("ttLocale")->setText(action.section('=', 1, -1));
            selector->findChild<QPushButton*>("pushButton")->click();
        } else if (action.startsWith("selector:velt=")) {
            selector->findChild<QLineEdit*>("ttVelt")->setText(action.section('=', 1, -1));
            selector->findChild<QPushButton*>("pushButton_2")->click();
        } else if (action.startsWith("selector:dev=")) {
            selector->findChild<QLineEdit*>("ttVeltDev")->setText(action.section('=', 1, -1));
            selector->findChild<QPushButton*>("pushButton_4")->click();
        } else if (action == "selector:cancel") {
            selector->findChild<QPushButton*>("pushButton_3")->click();
        } else {
            selector->close();
        }
        return;
    }
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        seen << input->windowTitle() << input->labelText() << input->textValue();
        if (action.startsWith("text=")) {
            input->setTextValue(action.mid(5));
            input->accept();
        } else {
            input->reject();
        }
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen << box->windowTitle() << box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text().remove('&') == action) {
                button->click();
                return;
            }
        unexpected << "no button " + action + " on " + box->windowTitle();
        box->close();
        return;
    }
    unexpected << modal->windowTitle();
    modal->close();
}
