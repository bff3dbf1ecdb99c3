#pragma once

#include <QObject>
#include <QString>

#include <functional>

// The one rule for what the person may do while an operation waits.
//
// Operations started by the person (a button of a server tab or a git panel,
// closing a tab, the status-bar refresh) may turn the event loop while they
// still hold their page: a prompt wait, a cooperative wait, the Bug Splat
// window, a branch selector. Only one such operation runs at a time in the
// whole launcher: while one is in progress, every other one is refused (the
// refusal is reported through `refused`, which the main window shows in its
// status bar), no server tab can be closed and the main window stays open. So
// waits never stack and nothing a wait resumes on is deleted behind its back;
// code after a wait still re-checks what it holds (QPointer), in case the
// object went some other way.
//
// Only the entry point of an operation takes the gate; what it calls runs
// under the same hold.
class OperationGate : public QObject {
    Q_OBJECT
public:
    static OperationGate& shared();

    bool busy() const { return !current.isEmpty(); }
    // What is in progress, as shown to the person ("" when nothing is).
    QString inProgress() const { return current; }

    // Refuses, with the reason reported through `refused`, when an operation
    // is in progress; `what` is the request refused, for the message.
    bool refuseIfBusy(const QString& what);

    // The person's Cancel: ends whatever the operation in progress waits for
    // (a command, a prompt, a window). Waits look at `cancelRequested()` and
    // give up; the operation then reports "cancelled". Cleared when the
    // operation ends. Does nothing when nothing is in progress.
    void requestCancel();
    bool cancelRequested() const { return cancelling; }

    // For work the person did not ask for that may still wait, like reading
    // a tab's clones when it is first shown: it is never refused, only put
    // off. Runs `work` at once under a hold of its own when nothing is in
    // progress; otherwise from the event loop once the operation in progress
    // has ended, as long as `context` lives.
    void whenFree(QObject* context, const QString& what, std::function<void()> work);

    // Held for the whole of one operation: `held()` is false when another one
    // was in progress (the refusal has then been reported).
    class Hold {
    public:
        explicit Hold(const QString& what);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        bool held() const { return owner; }
        explicit operator bool() const { return owner; }

    private:
        bool owner = false;
    };

signals:
    void refused(const QString& message);
    void busyChanged(bool busy);
    void cancelRequestedChanged();
    // An operation the person cancelled has ended; `what` names it.
    void cancelled(const QString& what);

private:
    OperationGate() = default;
    QString current;
    bool cancelling = false;
};
