#include "cooperativewait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

bool cooperativeWait(int timeoutMs, const std::function<bool()>& done)
{
    // A monotonic clock, so the deadline holds across midnight and clock changes.
    QElapsedTimer clock;
    clock.start();
    while (!(done && done())) {
        if (clock.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        QThread::msleep(20);
    }
    return true;
}
