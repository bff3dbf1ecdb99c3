#include "runcontrol.h"

#include "cooperativewait.h"
#include "exec/myqtermwidget.h"
#include "exec/operationgate.h"
#include "exec/terminalshell.h"
#include "server/servercommands.h"
#include "settings/configloader.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QtGlobal>

namespace {
const char* const promptMarker = "$";
const char* const runningMarker = "? velt: database: ";
// Ctrl+C goes on at least this long, however short the patience, so a
// server that takes a moment to shut down is not left behind.
const int shortestGiveUpMs = 10000;
// A prompt of another form than "$" counts once the output has been quiet
// this long: a shell that redraws its prompt does it at once.
const int quietMs = 300;
// Just after the server line is typed the shell may not have handed the
// terminal to the server yet: its having the terminal means nothing then.
const int serverGraceMs = 1000;
}

RunControl::RunControl(MyQTermWidget* terminal, QObject* parent)
    : QObject(parent)
    , terminal(terminal)
{
    sinceOutput.start();
    sinceServerTyped.start();
    // A wait for the prompt must not outlive the launcher's window.
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] { launcherClosing = true; });
    if (terminal)
        connect(terminal, &QTermWidget::finished, this, [this] {
            shellFinished = true;
            forgetServer();
        });
}

RunControl::Seen RunControl::receive(const QString& text)
{
    lastLine = text.split("\r\n").last();
    watchLine = lastLine;
    if (text.contains("\r\n"))
        lineEnded = true;
    sinceOutput.restart();
    // An unfinished line may be the prompt after the server: it has ended
    // once the shell has the terminal back.
    if (!port.isEmpty() && !TerminalShell::visibleText(lastLine).isEmpty())
        checkServerEnded();
    if (text.contains(runningMarker))
        return Seen::Running;
    if (text.contains(promptMarker))
        return Seen::Prompt;
    return Seen::Nothing;
}

bool RunControl::shellEnded() const
{
    return !terminal || shellFinished
        || TerminalShell::stateOf(terminal->getShellPID()) == TerminalShell::State::Ended;
}

bool RunControl::pause(int ms)
{
    const QPointer<RunControl> self(this);
    const OperationGate& gate = OperationGate::shared();
    cooperativeWait(ms, [&gate] { return gate.cancelRequested(); });
    if (!self)
        return false;
    if (!terminal || launcherClosing || QCoreApplication::closingDown())
        lastEnding = Ending::Abandoned;
    else if (gate.cancelRequested())
        lastEnding = Ending::Cancelled;
    else if (shellEnded())
        lastEnding = Ending::ShellEnded;
    else
        return true;
    return false;
}

void RunControl::expectPrompt()
{
    watchLine.clear();
    lineEnded = false;
}

bool RunControl::promptSeen()
{
    if (watchLine.contains(promptMarker))
        return true;
    return lineEnded && !TerminalShell::visibleText(watchLine).isEmpty() && sinceOutput.elapsed() >= quietMs
        && TerminalShell::stateOf(terminal->getShellPID()) == TerminalShell::State::Foreground;
}

bool RunControl::waitForPrompt(int interruptionsAtStart, const QString& line)
{
    QElapsedTimer clock;
    clock.start();
    while (!promptSeen()) {
        if (clock.elapsed() >= promptBoundMs) {
            lastEnding = Ending::NoPrompt;
            unanswered = line;
            return false;
        }
        if (!pause(pollMs))
            return false;
        if (interruptions != interruptionsAtStart) {
            lastEnding = Ending::Abandoned;
            return false;
        }
    }
    return true;
}

bool RunControl::ensureShell()
{
    if (!shellEnded())
        return true;
    forgetServer();
    shellFinished = false;
    terminal->startShellProgram();
    expectPrompt();
    if (shellSetUpLine.isEmpty())
        lineEnded = true; // no line of ours: the first prompt counts
    else
        terminal->sendText(shellSetUpLine, false);
    return waitForPrompt(interruptions, shellSetUpLine);
}

bool RunControl::typeLines(const QStringList& lines, bool noWaitLast)
{
    lastEnding = Ending::Done;
    unanswered.clear();
    if (!terminal) {
        lastEnding = Ending::Abandoned;
        return false;
    }
    // In the sandbox nothing reaches the shell, so no prompt would ever answer.
    if (ConfigLoader::getSingleton()->sandbox) {
        for (const QString& line : lines)
            terminal->sendText(line, false);
        return true;
    }
    if (!ensureShell())
        return false;
    const int interruptionsAtStart = interruptions;
    for (int i = 0; i < lines.size(); ++i) {
        // Before typing, so an earlier prompt is not taken for this line's.
        expectPrompt();
        terminal->sendText(lines.at(i), false);
        if (noWaitLast && i == lines.size() - 1)
            break;
        if (!waitForPrompt(interruptionsAtStart, lines.at(i)))
            return false;
        watchLine.clear();
    }
    return true;
}

void RunControl::sendKey(QKeyEvent* event)
{
    if (terminal)
        for (QObject* child : terminal->children())
            if (qstrcmp(child->metaObject()->className(), "Konsole::TerminalDisplay") == 0) {
                QCoreApplication::postEvent(child, event);
                return;
            }
    delete event;
}

int RunControl::patiencePolls(int secondsBeforeShutDown)
{
    return qBound(0, secondsBeforeShutDown, 99) * 10;
}

int RunControl::giveUpAfterMs(int secondsBeforeShutDown)
{
    const int round = (patiencePolls(secondsBeforeShutDown) + 1) * pollMs;
    return qMax(shortestGiveUpMs, 3 * round);
}

bool RunControl::interrupt()
{
    // Any typing sequence in progress ends here: its next line must not run.
    ++interruptions;
    lastEnding = Ending::Done;
    unanswered.clear();
    if (!terminal) {
        lastEnding = Ending::Abandoned;
        return false;
    }
    // Nothing runs in a shell that has ended; the terminal gets a new one.
    if (shellEnded())
        return ensureShell();
    const int seconds = ConfigLoader::getSingleton()->secBeforeShutDown;
    const int patience = patiencePolls(seconds);
    // Counted in polls rather than read from a clock, so the bound holds
    // however long each poll really takes.
    const int giveUpPolls = giveUpAfterMs(seconds) / pollMs;
    int polls = 0;
    while (polls < giveUpPolls) {
        sendKey(new QKeyEvent(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier));
        expectPrompt();
        // Every round polls at least once, so the Ctrl+C is delivered and the
        // window answers before the next one.
        for (int round = 0; round <= patience && polls < giveUpPolls; ++round, ++polls) {
            if (!pause(pollMs))
                return false;
            if (promptSeen())
                return true;
        }
    }
    lastEnding = Ending::NotStopped;
    return false;
}

bool RunControl::start(const QStringList& lines, const QString& portText)
{
    if (!typeLines(lines, true))
        return false;
    port = portText;
    everStarted = true;
    sinceServerTyped.restart();
    // A server that ends at once, before the grace is over, is seen here.
    QTimer::singleShot(serverGraceMs + pollMs, this, &RunControl::checkServerEnded);
    return true;
}

void RunControl::checkServerEnded()
{
    if (port.isEmpty() || sinceServerTyped.elapsed() < serverGraceMs)
        return;
    if (!shellEnded() && TerminalShell::stateOf(terminal->getShellPID()) == TerminalShell::State::Busy)
        return;
    forgetServer();
}

void RunControl::forgetServer()
{
    if (port.isEmpty())
        return;
    port.clear();
    emit serverEnded();
}

QString RunControl::startedPort()
{
    checkServerEnded();
    return port;
}

bool RunControl::stop()
{
    // Taken now: the server's prompt makes the run control forget it.
    const QString target = startedPort();
    if (!interrupt())
        return false;
    const QString kill = ServerCommands::killLeftoversLine(target);
    if (!kill.isEmpty())
        terminal->sendText(kill, false);
    // Stopped: a later Stop of this tab has nothing of its own to kill.
    forgetServer();
    return true;
}

bool RunControl::drop(const QString& database)
{
    if (!interrupt())
        return false;
    // Without a database there is nothing to drop.
    if (database.isEmpty())
        return true;
    return typeLines({ServerCommands::dropDatabaseLine(database)}, false);
}
