#pragma once

#include <QElapsedTimer>
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
// The prompt is back when the output shows "$", or, whatever the prompt
// looks like, when the shell has the terminal again (its process group is
// the terminal's foreground one) and has printed an unfinished line since
// the typed line ended, then nothing for a moment.
//
// Every wait turns the event loop and has an end: the prompt, the bound of a
// typed line, the person's Cancel, the shell ending, the run control or its
// terminal going, the launcher closing. `ending()` says which; the callers
// stop too.
class RunControl : public QObject
{
    Q_OBJECT
public:
    static const int pollMs = 100;
    // How long a typed line may go without bringing the prompt back.
    int promptBoundMs = 30000;

    RunControl(MyQTermWidget* terminal, QObject* parent);

    // What a chunk of terminal output says about the server.
    enum class Seen { Nothing, Running, Prompt };
    Seen receive(const QString& text);

    // How the last typing or interruption ended.
    enum class Ending {
        Done,
        Cancelled,    // the person's Cancel
        NoPrompt,     // `unansweredLine()` brought no prompt back in time
        NotStopped,   // Ctrl+C was repeated until the give-up limit
        ShellEnded,   // the shell ended and could not be started again
        Abandoned,    // the terminal went, or the launcher is closing
    };
    Ending ending() const { return lastEnding; }
    QString unansweredLine() const { return unanswered; }

    // Typed into a shell started again after the terminal's one ended.
    void setShellSetUpLine(const QString& line) { shellSetUpLine = line; }

    // Types the lines one by one, each once the previous one has brought the
    // prompt back (with `noWaitLast` the last one is not waited for). False
    // when the typing was cut short (see `ending()`); a Ctrl+C round cuts it
    // short too.
    bool typeLines(const QStringList& lines, bool noWaitLast);
    // Sends Ctrl+C, again each time the patience runs out, until the prompt is
    // back. False when it gave up (the program ignores Ctrl+C) or the wait
    // ended otherwise.
    bool interrupt();
    // Delivers a key event to the terminal's display as if typed; takes ownership.
    void sendKey(QKeyEvent* event);

    // Types the start lines (the last one, the server, is not waited for) and
    // then remembers `portText` as the port the server runs on.
    bool start(const QStringList& lines, const QString& portText);
    // Interrupts, then kills the processes left on the port the server was
    // started on; nothing is killed when it was not started on a plain number,
    // or has ended since.
    bool stop();
    // Interrupts, then drops `database` (nothing when it is empty).
    bool drop(const QString& database);

    // The port of the server this terminal runs, as it was given; empty when
    // none was started, or once it has ended however it ended.
    QString startedPort();
    // Whether a server was started here, even if it has ended since.
    bool hasStarted() const { return everStarted; }

    // Polls after each Ctrl+C before the next one, from the setting
    // secBeforeShutDown: 10 a second, the seconds taken in 0..99 whatever
    // was read.
    static int patiencePolls(int secondsBeforeShutDown);
    // How long Ctrl+C is repeated before giving up, in milliseconds.
    static int giveUpAfterMs(int secondsBeforeShutDown);

    // The last line of the latest output, and a copy of it that the waits reset.
    QString lastLine;
    QString watchLine;

signals:
    // The server started here has ended: its port is forgotten.
    void serverEnded();

private:
    // `line` is the typed line waited for, named when no prompt comes.
    bool waitForPrompt(int interruptionsAtStart, const QString& line);
    // Turns the event loop for `ms`; false when the wait must end, with
    // `lastEnding` saying why.
    bool pause(int ms);
    // From now on only a prompt printed after this point counts.
    void expectPrompt();
    bool promptSeen();
    bool shellEnded() const;
    // Starts the shell again when it has ended; false when it cannot be.
    bool ensureShell();
    // Forgets the port once the shell has the terminal back.
    void checkServerEnded();
    void forgetServer();

    QPointer<MyQTermWidget> terminal;
    QString port;
    bool everStarted = false;
    QElapsedTimer sinceServerTyped;
    QElapsedTimer sinceOutput;
    // The typed line has ended (its line break came back) since the last
    // `expectPrompt()`.
    bool lineEnded = false;
    bool shellFinished = false;
    QString shellSetUpLine;
    Ending lastEnding = Ending::Done;
    QString unanswered;
    // Counts the Ctrl+C rounds: a typing sequence stops when one happens.
    int interruptions = 0;
    bool launcherClosing = false;
};
