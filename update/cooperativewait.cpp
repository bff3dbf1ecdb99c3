#include "cooperativewait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

bool cooperativeWait(int timeoutMs, const std::function<bool()>& done)
{
    // A monotonic clock, so the deadline holds across midnight and clock changes.
    QElapsedTimer clock;
    clock.start();
    while (!(done && done())) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        // The 20 ms pause between two looks at the condition sleeps in an event
        // loop rather than in the thread: the thread still blocks while nothing
        // happens, but a network reply or a timer arriving meanwhile is handled
        // at once instead of waiting out the pause (one pause per downloaded
        // file otherwise).
        QEventLoop pause;
        QTimer::singleShot(static_cast<int>(std::min<qint64>(20, left)), &pause, &QEventLoop::quit);
        pause.exec();
    }
    return true;
}
