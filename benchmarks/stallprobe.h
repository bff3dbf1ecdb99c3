#pragma once

#include "exec/commanddescription.h"
#include "exec/termexecutor.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

// The largest gap between two ticks of a 5 ms timer, and what the launcher
// went through meanwhile (the commands it ran, the work after each).
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
        if (now - last > longest) {
            longest = now - last;
            where = trail.size() <= 4 ? trail.join(", ")
                                      : QString("%1, %2, (%3 more), %4, %5")
                                            .arg(trail[0], trail[1])
                                            .arg(trail.size() - 4)
                                            .arg(trail[trail.size() - 2], trail.last());
        }
        last = now;
        trail = QStringList{trail.last()};
    }

    QTimer timer;
    QElapsedTimer clock;
    double last = 0;
    QStringList trail{QStringLiteral("start-up before the executor")};
};
