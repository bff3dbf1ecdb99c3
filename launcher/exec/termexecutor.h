#pragma once

#include <QObject>
#include <QStringList>

class QLabel;
class QTextEdit;
class QWidget;
class MyQTermWidget;

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

private:
    TermExecutor() = default;
    void openLogs();
    void buildSplatWindow();
};
