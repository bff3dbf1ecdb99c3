#pragma once

#include <QObject>
#include <QStringList>

class QLabel;
class QTextEdit;
class QWidget;
class MyQTermWidget;

// What one captured command did. `exitStatus` is the shell's (128 + the
// signal's number when a signal ended it, -1 when no shell started); in
// sandbox mode nothing runs and the command counts as done, with no output.
struct CommandResult {
    QStringList output;
    QStringList errors;
    int exitStatus = -1;
    bool cancelled = false;
    bool succeeded() const { return exitStatus == 0 && !cancelled; }
};

// The one place where the launcher runs a shell command and captures what it
// prints. Honours the run modes (trace log, sandbox, git log) and shows the
// "Bug Splat" window when a checked command looks failed. The logs themselves
// are kept by CommandLog, which the terminals write to as well.
class TermExecutor : public QObject
{
    Q_OBJECT
public:
    static TermExecutor* getSingleton();
    ~TermExecutor() override;

    void init();
    void saveCommandTrace(const QString& text);

    QStringList exec(const char* cmd, QStringList& errors, bool checkOutput = false,
                     QStringList failMarkers = QStringList(), bool ignoreStderr = false,
                     QStringList acceptedErrors = QStringList(),
                     QString splatCommand = QStringLiteral("cd ~/Documents"));
    QStringList exec(QString cmd, bool checkOutput = false, QStringList failMarkers = QStringList(),
                     bool ignoreStderr = false, QStringList acceptedErrors = QStringList(),
                     QString splatCommand = QStringLiteral("cd ~/Documents"));

    QWidget* splatWindow = nullptr;
    QLabel* commandLabel = nullptr;
    QTextEdit* outputView = nullptr;
    QTextEdit* errorView = nullptr;
    MyQTermWidget* splatTerminal = nullptr;

    // Runs `cmd` and reports what it did, without judging its output. While
    // it runs the event loop turns (see ShellProcess) under the operation in
    // progress, or under one of its own named after the command when none is;
    // the person's Cancel ends it.
    CommandResult run(const QString& cmd);
    // Shows the "Bug Splat" window for a command judged failed, and waits
    // until the person closes it (or cancels the operation).
    void showSplat(const QString& command, const QStringList& output, const QStringList& errors,
                   const QString& splatCommand);
    // The command running now ("" when none), for the status bar.
    QString runningCommand() const { return running; }

signals:
    void commandStarted(const QString& command);
    void commandEnded();

private:
    TermExecutor() = default;
    void openLogs();
    void buildSplatWindow();
    CommandResult runShell(const QByteArray& utf8);

    QString running;
};
