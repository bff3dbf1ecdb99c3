#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QWidget;

// Answers, in order, the modal boxes, input dialogs and branch selectors a
// test provokes. Actions: a button text ("Yes", "No", "Cancel", "OK"),
// "text=<value>" (fills an input dialog and accepts it), "reject",
// "selector:local=<name>", "selector:velt=<name>", "selector:dev=<name>",
// "selector:cancel", "selector:close". A box that comes when no action is
// left is recorded in `unexpected` and dismissed, so a test never hangs.
class ModalScript : public QObject
{
public:
    // The newest script is the one that answers; older ones fall silent.
    explicit ModalScript(const QStringList& actions = QStringList());
    ~ModalScript() override;
    void add(const QString& action) { actions << action; }
    bool finished() const { return actions.isEmpty(); }

    QStringList seen;       // title and text of every box answered
    QStringList unexpected; // titles of boxes no action was left for

private:
    void poll();
    void answer(QWidget* modal, const QString& action);
    QStringList actions;
    QPointer<QWidget> last;
    QTimer timer;
    static ModalScript* current;
};
