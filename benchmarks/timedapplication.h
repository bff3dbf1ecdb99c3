#pragma once

#include <QApplication>
#include <QEvent>
#include <QString>

#include <chrono>
#include <map>

// The launcher's application, which can add up the time spent handling the
// events delivered from the event loop, by kind.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (!timing || depth > 0)
            return QApplication::notify(receiver, event);
        ++depth;
        const auto start = std::chrono::steady_clock::now();
        const bool handled = QApplication::notify(receiver, event);
        spent[kind(event->type())] +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        --depth;
        return handled;
    }

    static QString kind(QEvent::Type type)
    {
        switch (type) {
        case QEvent::UpdateRequest:
        case QEvent::UpdateLater:
        case QEvent::Paint:
            return QStringLiteral("painting");
        case QEvent::Timer:
            return QStringLiteral("timers");
        case QEvent::SockAct:
            return QStringLiteral("the executor's pipes");
        case QEvent::MetaCall:
            return QStringLiteral("queued calls");
        default:
            return QStringLiteral("other events");
        }
    }

    bool timing = false;
    std::map<QString, double> spent;

private:
    int depth = 0;
};
