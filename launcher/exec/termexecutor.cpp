#include "termexecutor.h"

#include "exec/commandlog.h"
#include "exec/myqtermwidget.h"
#include "exec/outputlines.h"
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

QStringList TermExecutor::exec(const char* cmd, QStringList& errors, bool checkOutput, QStringList failMarkers,
                               bool ignoreStderr, QStringList acceptedErrors, QString splatCommand)
{
    const ConfigLoader* config = ConfigLoader::getSingleton();
    const QString command = QString::fromUtf8(cmd);
    if (config->trace)
        saveCommandTrace(command);
    if (config->sandbox)
        return QStringList();

    QByteArray out;
    QByteArray err = errors.join("").toUtf8();
    if (command.endsWith(" &")) {
        if (!ShellProcess::start(cmd))
            err += "Unable to start /bin/sh\n";
    } else {
        ShellProcess::Result result = ShellProcess::run(cmd);
        if (!result.started)
            err += "Unable to start /bin/sh\n";
        out = result.out;
        err += result.err;
    }
    // Decoded up to a NUL byte, as Qt 5 does for a byte array and Qt 6 only
    // for a C string.
    const QStringList outLines = splitLines(QString::fromUtf8(out.constData()));
    errors = splitLines(QString::fromUtf8(err.constData()));

    if (command.contains("git")) {
        for (const QString& line : outLines)
            if (line.contains("run 'git prune' to remove them"))
                QMessageBox::information(nullptr, tr("prune"),
                                         tr("There are too many unreachable objects; run 'git prune' to remove them..."),
                                         QMessageBox::Ok);
        if (config->gitLog)
            CommandLog::shared().gitRecord(command, outLines, errors);
    }

    if (checkOutput) {
        bool failed = anyLineContains(outLines, failMarkers) || anyLineContains(errors, failMarkers);
        if (!errors.isEmpty() && !ignoreStderr)
            failed = !anyLineContains(errors, acceptedErrors);
        if (failed) {
            splatTerminal->sendText(splatCommand + "\n");
            splatTerminal->clear();
            outputView->setPlainText(outLines.join("\n"));
            errorView->clear();
            errorView->setTextColor(Qt::red);
            errorView->append(errors.join("\n"));
            commandLabel->setText("Command: " + command);
            splatWindow->show();
            // Not modal: the rest of the interface keeps running while the user
            // reads; the loop sleeps until the window is hidden or closed.
            QEventLoop loop;
            WindowHiddenWatcher watcher(splatWindow, &loop);
            if (splatWindow->isVisible())
                loop.exec();
            return QStringList();
        }
    }
    return outLines;
}
