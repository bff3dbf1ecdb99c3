#include "runcontrol.h"

#include "cooperativewait.h"
#include "exec/myqtermwidget.h"
#include "server/servercommands.h"
#include "settings/configloader.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QtGlobal>

namespace {
const char* const promptMarker = "$";
const char* const runningMarker = "? velt: database: ";
// Ctrl+C goes on at least this long, however short the patience, so a
// server that takes a moment to shut down is not left behind.
const int shortestGiveUpMs = 10000;
}

RunControl::RunControl(MyQTermWidget* terminal, QObject* parent)
    : QObject(parent)
    , terminal(terminal)
{
    // A wait for the prompt must not outlive the launcher's window.
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] { launcherClosing = true; });
}

RunControl::Seen RunControl::receive(const QString& text)
{
    lastLine = text.split("\r\n").last();
    watchLine = lastLine;
    if (text.contains(runningMarker))
        return Seen::Running;
    if (text.contains(promptMarker))
        return Seen::Prompt;
    return Seen::Nothing;
}

bool RunControl::pause(int ms)
{
    const QPointer<RunControl> self(this);
    cooperativeWait(ms);
    if (!self)
        return false;
    return terminal && !launcherClosing && !QCoreApplication::closingDown();
}

bool RunControl::waitForPrompt(int interruptionsAtStart)
{
    while (!watchLine.contains(promptMarker))
        if (!pause(pollMs) || interruptions != interruptionsAtStart)
            return false;
    return true;
}

bool RunControl::typeLines(const QStringList& lines, bool noWaitLast)
{
    if (!terminal)
        return false;
    // In the sandbox nothing reaches the shell, so no prompt would ever answer.
    if (ConfigLoader::getSingleton()->sandbox) {
        for (const QString& line : lines)
            terminal->sendText(line, false);
        return true;
    }
    const int interruptionsAtStart = interruptions;
    for (int i = 0; i < lines.size(); ++i) {
        // Cleared before typing, so an earlier prompt is not taken for this line's.
        watchLine.clear();
        terminal->sendText(lines.at(i), false);
        if (noWaitLast && i == lines.size() - 1)
            break;
        if (!waitForPrompt(interruptionsAtStart))
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
    const int seconds = ConfigLoader::getSingleton()->secBeforeShutDown;
    const int patience = patiencePolls(seconds);
    // Counted in polls rather than read from a clock, so the bound holds
    // however long each poll really takes.
    const int giveUpPolls = giveUpAfterMs(seconds) / pollMs;
    int polls = 0;
    while (polls < giveUpPolls) {
        sendKey(new QKeyEvent(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier));
        watchLine.clear();
        // Every round polls at least once, so the Ctrl+C is delivered and the
        // window answers before the next one.
        for (int round = 0; round <= patience && polls < giveUpPolls; ++round, ++polls) {
            if (!pause(pollMs))
                return false;
            if (watchLine.contains(promptMarker))
                return true;
        }
    }
    return false;
}

bool RunControl::start(const QStringList& lines, const QString& portText)
{
    port = portText;
    return typeLines(lines, true);
}

bool RunControl::stop()
{
    if (!interrupt())
        return false;
    const QString kill = ServerCommands::killLeftoversLine(port);
    if (!kill.isEmpty())
        terminal->sendText(kill, false);
    // Stopped: a later Stop of this tab has nothing of its own to kill.
    port.clear();
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
