#include "modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

void ModalAnswer::whenModal(const std::function<void(QWidget*)>& answer, int timeoutMs)
{
    // One repeating timer per wait, owned by the application so that it is
    // freed even when the test ends first; it deletes itself once it has
    // answered or given up.
    auto* timer = new QTimer(qApp);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, answer, timeoutMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock.elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        if (modal) {
            // A copy: the answer may open nested event loops while this
            // connection's functor is due for deletion.
            const std::function<void(QWidget*)> answerOnce = answer;
            answerOnce(modal);
        }
    });
    timer->start(20);
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
