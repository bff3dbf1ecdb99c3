#include "termexecutor.h"

#include "exec/myqtermwidget.h"
#include "exec/shellprocess.h"
#include "settings/configloader.h"
#include "settings/homedirectory.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QTextEdit>
#include <QEventLoop>

namespace {
// One trailing newline dropped, so every log line ends in exactly one.
std::string withoutTrailingNewline(QString text)
{
    if (text.endsWith('\n'))
        text.chop(1);
    return text.toStdString();
}

// Splits on "\n" and drops the piece after the last newline: output whose
// last line lacks a newline loses that line, empty output gives no lines.
QStringList splitLines(const QString& text)
{
    QStringList lines = text.split('\n');
    lines.removeLast();
    return lines;
}

// Ends an event loop when the watched window is hidden or closed.
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
            loop->quit();
        return false;
    }

private:
    QWidget* window;
    QEventLoop* loop;
};

bool anyLineContains(const QStringList& lines, const QStringList& needles)
{
    for (const QString& line : lines)
        for (const QString& needle : needles)
            if (line.contains(needle))
                return true;
    return false;
}
}

TermExecutor* TermExecutor::getSingleton()
{
    // Set before init() runs: building the splat terminal types text, which in
    // trace mode comes back here for the trace log. A function-local static
    // initialised by init() would be re-entered and block for ever.
    static TermExecutor* instance = nullptr;
    if (!instance) {
        instance = new TermExecutor();
        instance->init();
    }
    return instance;
}

TermExecutor::~TermExecutor()
{
    if (traceFile.is_open())
        traceFile.close();
    if (gitLogFile.is_open())
        gitLogFile.close();
}

void TermExecutor::init()
{
    openLogs();
    buildSplatWindow();
}

void TermExecutor::openLogs()
{
    // Opened first, so that the lines the splat terminal types while it is
    // set up are logged too.
    const ConfigLoader* config = ConfigLoader::getSingleton();
    const std::string desktop = (homeDirectory() + "/Desktop/").toStdString();
    if (config->trace) {
        traceFile.open(desktop + "KydVeltLauncher_logs.txt", std::ios::out | std::ios::trunc);
        if (!traceFile.is_open())
            QMessageBox::warning(nullptr, tr("unable to log"),
                                 tr("Sorry, but we are unable to open the trace log file"));
    }
    if (config->gitLog) {
        gitLogFile.open(desktop + "KydVeltLauncher_git_logs.txt", std::ios::out | std::ios::trunc);
        if (!gitLogFile.is_open())
            QMessageBox::warning(nullptr, tr("unable to log"),
                                 tr("Sorry, but we are unable to open the git log file"));
    }
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
    if (!traceFile.is_open())
        return;
    traceFile << withoutTrailingNewline(text) << '\n';
    traceFile.flush();
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
    const QStringList outLines = splitLines(QString::fromUtf8(out));
    errors = splitLines(QString::fromUtf8(err));

    if (command.contains("git")) {
        for (const QString& line : outLines)
            if (line.contains("run 'git prune' to remove them"))
                QMessageBox::information(nullptr, tr("prune"),
                                         tr("There are too many unreachable objects; run 'git prune' to remove them..."),
                                         QMessageBox::Ok);
        if (config->gitLog && gitLogFile.is_open()) {
            gitLogFile << withoutTrailingNewline(command) << "\n\nSTDOUT: \n";
            for (const QString& line : outLines)
                gitLogFile << line.toStdString() << '\n';
            gitLogFile << "\nSTDERR: \n";
            for (const QString& line : errors)
                gitLogFile << line.toStdString() << '\n';
            gitLogFile << '\n' << std::string(65, 'X') << '\n';
            gitLogFile.flush();
        }
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
