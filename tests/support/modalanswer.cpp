#include "modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

void ModalAnswer::whenModal(const std::function<void(QWidget*)>& answer, int timeoutMs)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(modal);
            return;
        }
        if (clock->elapsed() < timeoutMs)
            QTimer::singleShot(20, *poll);
    };
    QTimer::singleShot(20, *poll);
}

void ModalAnswer::clickButton(const QString& buttonText, QStringList* seenTexts, int timeoutMs)
{
    whenModal([=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        if (seenTexts)
            *seenTexts << box->windowTitle() << box->text();
        QAbstractButton* target = box->defaultButton();
        for (QAbstractButton* button : box->buttons())
            if (button->text().remove('&') == buttonText)
                target = button;
        if (!target && !box->buttons().isEmpty())
            target = box->buttons().first();
        if (target)
            target->click();
        else
            box->close();
    }, timeoutMs);
}
