#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class ServerWidget;

// The run buttons of a server tab: Start, Stop, Restart and Drop. Each holds
// the operation gate, types through the tab's run control and, when the
// typing or the Ctrl+C did not go through, tells the person why (nothing
// when the person cancelled, or the tab went away). The tab's slots forward
// here.
class ServerRunOperations
{
    // The texts are the tab's: translations keep their context.
    Q_DECLARE_TR_FUNCTIONS(ServerWidget)
public:
    static void start(ServerWidget& tab);
    static void stop(ServerWidget& tab);
    static void restart(ServerWidget& tab);
    static void drop(ServerWidget& tab);

private:
    // The title and text told after `operation` stopped short as the tab's
    // run control last ended; empty when there is nothing to tell.
    struct Message {
        QString title;
        QString text;
    };
    static Message whyStopped(const ServerWidget& tab, const QString& operation);
    static bool chooseAutomaticPort(ServerWidget& tab);
    // The command line to type, with the Python environment before it; empty
    // when the tab went away during the environment's warning box.
    static QStringList serverLines(ServerWidget& tab);
    static void afterServerTyped(ServerWidget& tab);
    static void report(ServerWidget& tab, const QString& operation);
};
