#include "termexecutor.h"

#include "exec/commanddescription.h"
#include "exec/commandlog.h"
#include "exec/myqtermwidget.h"
#include "exec/outputlines.h"
#include "exec/operationgate.h"
#include "exec/shellprocess.h"
#include "settings/configloader.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QTextEdit>
#include <QEventLoop>

#include <optional>

namespace {
// Splits on "\n" and drops the piece after the last newline: output whose
// last line lacks a newline loses that line, empty output gives no lines.
QStringList splitLines(const QString& text)
{
    QStringList lines = text.split('\n');
    lines.removeLast();
    return lines;
}

// Ends an event loop once the watched window is no longer visible. A
// minimised window gets a Hide event too but stays visible, so every Hide or
// Close is only a cue to look again once the event has been handled.
class WindowHiddenWatcher : public QObject
{
public:
    WindowHiddenWatcher(QWidget* window, QEventLoop* loop)
        : window(window), loop(loop)
    {
        window->installEventFilter(this);
    }
    ~WindowHiddenWatcher() override { window->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
            QMetaObject::invokeMethod(this, [this] { quitIfHidden(); }, Qt::QueuedConnection);
        return false;
    }

private:
    void quitIfHidden()
    {
        if (!window->isVisible())
            loop->quit();
    }

    QWidget* window;
    QEventLoop* loop;
};

}

TermExecutor* TermExecutor::getSingleton()
{
    // Set before init() runs, so that anything init() sets off that asks for
    // the executor gets this instance instead of re-entering the construction
    // (a function-local static initialised by init() would block for ever).
    static TermExecutor* instance = nullptr;
    if (!instance) {
        instance = new TermExecutor();
        instance->init();
    }
    return instance;
}

TermExecutor::~TermExecutor()
{
    const ConfigLoader* config = ConfigLoader::getSingleton();
    if (config->trace)
        CommandLog::shared().closeTrace();
    if (config->gitLog)
        CommandLog::shared().closeGitLog();
}

void TermExecutor::init()
{
    // The splat window first: the set-up lines its own terminal types are
    // not part of the trace, which starts once the logs are open.
    buildSplatWindow();
    openLogs();
}

void TermExecutor::openLogs()
{
    const ConfigLoader* config = ConfigLoader::getSingleton();
    CommandLog& log = CommandLog::shared();
    if (config->trace && !log.openTrace(CommandLog::tracePath()))
        QMessageBox::warning(nullptr, tr("unable to log"),
                             tr("Sorry, but we are unable to open the trace log file"));
    if (config->gitLog && !log.openGitLog(CommandLog::gitLogPath()))
        QMessageBox::warning(nullptr, tr("unable to log"),
                             tr("Sorry, but we are unable to open the git log file"));
}

void TermExecutor::buildSplatWindow()
{
    splatWindow = new QWidget();
    auto* layout = new QGridLayout(splatWindow);
    splatTerminal = new MyQTermWidget(static_cast<QWidget*>(nullptr));
    splatWindow->setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        splatWindow->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                     splatWindow->size(), screen->availableGeometry()));
    splatWindow->setWindowTitle(tr("Bug Splat"));

    commandLabel = new QLabel();
    outputView = new QTextEdit();
    errorView = new QTextEdit();
    errorView->setTextColor(Qt::red);
    layout->addWidget(new QLabel(tr("A launched command wrote into the error pipe. Please check that everything is ok!")), 0, 0);
    layout->addWidget(commandLabel, 1, 0);
    layout->addWidget(new QLabel(tr("Here is the result of the command: ")), 2, 0);
    layout->addWidget(outputView, 3, 0);
    layout->addWidget(errorView, 4, 0);
    layout->addWidget(splatTerminal, 5, 0);
}

void TermExecutor::saveCommandTrace(const QString& text)
{
    CommandLog::shared().trace(text);
}

QStringList TermExecutor::exec(QString cmd, bool checkOutput, QStringList failMarkers, bool ignoreStderr,
                               QStringList acceptedErrors, QString splatCommand)
{
    QStringList errors;
    const QByteArray utf8 = cmd.toUtf8();
    return exec(utf8.constData(), errors, checkOutput, failMarkers, ignoreStderr, acceptedErrors, splatCommand);
}

CommandResult TermExecutor::runShell(const QByteArray& utf8)
{
    CommandResult result;
    const QString command = QString::fromUtf8(utf8);
    if (command.endsWith(" &")) {
        result.exitStatus = ShellProcess::start(utf8.toStdString()) ? 0 : -1;
        if (result.exitStatus != 0)
            result.errors << QStringLiteral("Unable to start /bin/sh");
        return result;
    }
    OperationGate& gate = OperationGate::shared();
    // The rest of a cancelled operation runs nothing more.
    if (gate.cancelRequested()) {
        result.cancelled = true;
        return result;
    }
    // A command nobody's operation asked for still holds the gate while the
    // event loop turns, so no request of the person starts beside it.
    std::optional<OperationGate::Hold> hold;
    if (!gate.busy())
        hold.emplace(CommandDescription(command).text());
    const QString outer = running;
    running = command;
    emit commandStarted(command);
    const ShellProcess::Result shell =
        ShellProcess::run(utf8.toStdString(), [&gate] { return gate.cancelRequested(); });
    running = outer;
    emit commandEnded();
    // Decoded up to a NUL byte, as Qt 5 does for a byte array and Qt 6 only
    // for a C string.
    result.output = splitLines(QString::fromUtf8(shell.out.constData()));
    QByteArray err = shell.err;
    if (!shell.started)
        err += "Unable to start /bin/sh\n";
    result.errors = splitLines(QString::fromUtf8(err.constData()));
    result.exitStatus = shell.exitStatus;
    result.cancelled = shell.cancelled;
    return result;
}

CommandResult TermExecutor::run(const QString& cmd)
{
    const ConfigLoader* config = ConfigLoader::getSingleton();
    if (config->trace)
        saveCommandTrace(cmd);
    if (config->sandbox) {
        CommandResult nothing;
        nothing.exitStatus = 0;
        return nothing;
    }
    CommandResult result = runShell(cmd.toUtf8());
    if (cmd.contains("git")) {
        for (const QString& line : result.output)
            if (line.contains("run 'git prune' to remove them"))
                QMessageBox::information(nullptr, tr("prune"),
                                         tr("There are too many unreachable objects; run 'git prune' to remove them..."),
                                         QMessageBox::Ok);
        if (config->gitLog)
            CommandLog::shared().gitRecord(cmd, result.output, result.errors);
    }
    return result;
}

QStringList TermExecutor::exec(const char* cmd, QStringList& errors, bool checkOutput, QStringList failMarkers,
                               bool ignoreStderr, QStringList acceptedErrors, QString splatCommand)
{
    const QString command = QString::fromUtf8(cmd);
    const QStringList earlier = errors;
    CommandResult result = run(command);
    if (ConfigLoader::getSingleton()->sandbox)
        return QStringList();
    // Items the caller left in `errors` are joined into the new error text.
    if (!earlier.isEmpty()) {
        QString joined = earlier.join("");
        if (!result.errors.isEmpty())
            joined += result.errors.join("\n") + "\n";
        result.errors = splitLines(joined);
    }
    errors = result.errors;
    if (result.cancelled)
        return QStringList();
    const QStringList& outLines = result.output;

    if (checkOutput) {
        bool failed = anyLineContains(outLines, failMarkers) || anyLineContains(errors, failMarkers);
        if (!errors.isEmpty() && !ignoreStderr)
            failed = !anyLineContains(errors, acceptedErrors);
        if (failed) {
            showSplat(command, outLines, errors, splatCommand);
            return QStringList();
        }
    }
    return outLines;
}

void TermExecutor::showSplat(const QString& command, const QStringList& output, const QStringList& errors,
                             const QString& splatCommand)
{
    splatTerminal->sendText(splatCommand + "\n");
    splatTerminal->clear();
    outputView->setPlainText(output.join("\n"));
    errorView->clear();
    errorView->setTextColor(Qt::red);
    errorView->append(errors.join("\n"));
    commandLabel->setText("Command: " + command);
    splatWindow->show();
    // Not modal: the rest of the interface keeps running while the user
    // reads; the loop sleeps until the window is hidden or closed, or the
    // person cancels the operation that waits for it.
    QEventLoop loop;
    WindowHiddenWatcher watcher(splatWindow, &loop);
    const QMetaObject::Connection cancel =
        connect(&OperationGate::shared(), &OperationGate::cancelRequestedChanged, &loop, [this] { splatWindow->hide(); });
    if (splatWindow->isVisible() && !OperationGate::shared().cancelRequested())
        loop.exec();
    disconnect(cancel);
    splatWindow->hide();
}
