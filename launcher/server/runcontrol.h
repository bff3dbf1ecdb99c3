#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class MyQTermWidget;
class QKeyEvent;

// Runs the server of one workspace in its terminal the way a developer would
// by hand: types shell lines, each once the previous one has brought the
// prompt back; interrupts with Ctrl+C until the prompt is back; kills what is
// left on the port the server was started on. It knows nothing of the form,
// so it can be driven on a bare terminal.
//
// Every wait turns the event loop. After each one the run control checks that
// it and its terminal still exist and that the launcher is not closing, and
// gives up otherwise: the callers then stop too.
class RunControl : public QObject
{
    Q_OBJECT
public:
    static const int pollMs = 100;

    RunControl(MyQTermWidget* terminal, QObject* parent);

    // What a chunk of terminal output says about the server.
    enum class Seen { Nothing, Running, Prompt };
    Seen receive(const QString& text);

    // Types the lines one by one, each once the previous one has brought the
    // prompt back (with `noWaitLast` the last one is not waited for). False
    // when the typing was cut short: a Ctrl+C round, the terminal or the run
    // control went away, the launcher is closing.
    bool typeLines(const QStringList& lines, bool noWaitLast);
    // Sends Ctrl+C, again each time the patience runs out, until the prompt is
    // back. False when it gave up (the program ignores Ctrl+C) or the wait
    // was abandoned.
    bool interrupt();
    // Delivers a key event to the terminal's display as if typed; takes ownership.
    void sendKey(QKeyEvent* event);

    // Types the start lines (the last one, the server, is not waited for) and
    // remembers `portText` as the port the server runs on.
    bool start(const QStringList& lines, const QString& portText);
    // Interrupts, then kills the processes left on the port the server was
    // started on; nothing is killed when it was not started on a plain number.
    bool stop();
    // Interrupts, then drops `database` (nothing when it is empty).
    bool drop(const QString& database);

    // The port of the last start, as it was given; empty when there is none.
    QString startedPort() const { return port; }

    // Polls after each Ctrl+C before the next one, from the setting
    // secBeforeShutDown: 10 a second, the seconds taken in 0..99 whatever
    // was read.
    static int patiencePolls(int secondsBeforeShutDown);
    // How long Ctrl+C is repeated before giving up, in milliseconds.
    static int giveUpAfterMs(int secondsBeforeShutDown);

    // The last line of the latest output, and a copy of it that the waits reset.
    QString lastLine;
    QString watchLine;

private:
    bool waitForPrompt(int interruptionsAtStart);
    // Turns the event loop for `ms`; false when the wait must be given up.
    bool pause(int ms);

    QPointer<MyQTermWidget> terminal;
    QString port;
    // Counts the Ctrl+C rounds: a typing sequence stops when one happens.
    int interruptions = 0;
    bool launcherClosing = false;
};
