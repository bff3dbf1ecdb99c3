#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>

namespace Ui {
class Installler;
}
class MyQTermWidget;

// The first-start installer: types the whole preparation of the machine into
// a terminal, one command after the other, where the user watches and
// answers prompts; then offers to create workspace a, marks the installation
// done in the settings and asks for a restart.
class Installler : public QWidget
{
    Q_OBJECT
public:
    explicit Installler(QWidget* parent = nullptr);
    ~Installler() override;

    // Types the commands in order; after each one (but the last, when
    // `noWaitAfterLast`) waits, with no time limit, for the prompt to come
    // back. A command the terminal did not type (sandbox mode) is not waited for.
    bool sendOrderedCommands(const QStringList& list, bool noWaitAfterLast);
    // Waits `ms` milliseconds, keeping the interface alive.
    void delay(int ms);
    static bool findFile(const QString& directory, const QString& name);

    QStringList commands;
    Ui::Installler* ui;
    MyQTermWidget* terminal = nullptr;
    // The last line of the terminal's output, and a copy cleared before each
    // command: a prompt in it means the command has finished.
    QString lastLine;
    QString pending;

public slots:
    void onLoad();
    void receiveText(const QString& text);

protected:
    // Closing the window while commands wait ends the sequence unfinished;
    // the window closes once that has been said.
    void closeEvent(QCloseEvent* event) override;

private:
    // Tells the person that the installation stopped before its end.
    void reportAbandoned();
    // Waits until the shell is idle at its prompt: it has printed one and
    // nothing since for a moment (the set-up lines typed at creation are done).
    void waitForIdlePrompt();
    void offerWorkspace();
    // Asks for a checkout folder until one passes `accepts` or the user
    // cancels; returns the last folder chosen (empty when none).
    QString chooseCheckout(const QString& title, const QString& startDirectory,
                           bool (*accepts)(const QString&));

    // Whether `line`, the terminal's last line, is the shell's prompt: it ends
    // in "$ ", or the shell has the terminal again and the line has been
    // quiet for `quietMs`.
    bool atPrompt(const QString& line, int quietMs) const;

    QElapsedTimer sinceOutput;
    // A line break came since the last command was typed.
    bool lineEnded = false;
    bool running = false;
    bool abandoned = false;
};
