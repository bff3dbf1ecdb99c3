#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// Watches the executor's "Bug Splat" window: counts its appearances, keeps
// what it showed, and closes it shortly after as a user would.
class SplatWatcher : public QObject
{
public:
    SplatWatcher();
    ~SplatWatcher() override;

    int shown = 0;
    QString command;
    QString error;
    QString output;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer timer;
};
