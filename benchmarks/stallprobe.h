#pragma once

#include "exec/commanddescription.h"
#include "exec/termexecutor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTimer>

// What the scheduler says of the calling thread, in milliseconds: time on a
// core, and time runnable but waiting for one.
struct ThreadTimes {
    double onCpu = 0;
    double waitingForCore = 0;

    static ThreadTimes now()
    {
        ThreadTimes times;
        QFile file("/proc/thread-self/schedstat");
        if (file.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> fields = file.readAll().split(' ');
            if (fields.size() >= 2) {
                times.onCpu = fields[0].toDouble() / 1e6;
                times.waitingForCore = fields[1].toDouble() / 1e6;
            }
        }
        return times;
    }
};

// The largest gap between two ticks of a 5 ms timer, and what the launcher
// went through meanwhile (the commands it ran, the work after each), with how
// much of it the GUI thread spent on a core and waiting for one.
class StallProbe : public QObject
{
public:
    StallProbe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, [this] { tick(); });
    }

    void watchCommands()
    {
        TermExecutor* executor = TermExecutor::getSingleton();
        connect(executor, &TermExecutor::commandStarted, this,
                [this](const QString& command) { setActivity("in " + CommandDescription(command).text()); });
        connect(executor, &TermExecutor::commandEnded, this, [this] {
            if (trail.last().startsWith("in "))
                setActivity("after " + trail.last().mid(3));
        });
    }

    void setActivity(const QString& what) { trail << what; }

    void start()
    {
        longest = 0;
        where.clear();
        trail = QStringList{trail.last()};
        clock.start();
        last = 0;
        lastTimes = ThreadTimes::now();
        timer.start();
    }

    void stop()
    {
        tick();
        timer.stop();
    }

    double longest = 0;
    QString where;

private:
    void tick()
    {
        const double now = clock.nsecsElapsed() / 1e6;
        const ThreadTimes times = ThreadTimes::now();
        if (now - last > longest) {
            longest = now - last;
            where = trail.size() <= 4 ? trail.join(", ")
                                      : QString("%1, %2, (%3 more), %4, %5")
                                            .arg(trail[0], trail[1])
                                            .arg(trail.size() - 4)
                                            .arg(trail[trail.size() - 2], trail.last());
            where += QString(" [on a core %1 ms, waiting for one %2 ms]")
                         .arg(times.onCpu - lastTimes.onCpu, 0, 'f', 1)
                         .arg(times.waitingForCore - lastTimes.waitingForCore, 0, 'f', 1);
        }
        last = now;
        lastTimes = times;
        trail = QStringList{trail.last()};
    }

    QTimer timer;
    QElapsedTimer clock;
    double last = 0;
    ThreadTimes lastTimes;
    QStringList trail{QStringLiteral("start-up before the executor")};
};
