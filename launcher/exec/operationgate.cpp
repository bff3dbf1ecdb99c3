#include "operationgate.h"

#include <QPointer>
#include <QTimer>

#include <memory>

OperationGate& OperationGate::shared()
{
    static OperationGate gate;
    return gate;
}

bool OperationGate::refuseIfBusy(const QString& what)
{
    if (!busy())
        return false;
    emit refused(tr("\"%1\" is refused: \"%2\" is still in progress.").arg(what, current));
    return true;
}

void OperationGate::requestCancel()
{
    if (!busy() || cancelling)
        return;
    cancelling = true;
    emit cancelRequestedChanged();
}

OperationGate::Hold::Hold(const QString& what)
{
    OperationGate& gate = shared();
    if (gate.refuseIfBusy(what))
        return;
    // An empty name would read as "nothing in progress".
    gate.current = what.isEmpty() ? QStringLiteral("…") : what;
    owner = true;
    emit gate.busyChanged(true);
}

OperationGate::Hold::~Hold()
{
    if (!owner)
        return;
    OperationGate& gate = shared();
    const QString ended = gate.current;
    const bool wasCancelled = gate.cancelling;
    gate.current.clear();
    gate.cancelling = false;
    if (wasCancelled)
        emit gate.cancelled(ended);
    emit gate.busyChanged(false);
}

void OperationGate::whenFree(QObject* context, const QString& what, std::function<void()> work)
{
    if (!busy()) {
        const Hold hold(what);
        work();
        return;
    }
    // Not from the signal itself: the hold that ends is still being
    // destroyed, inside the code of the operation that took it.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(this, &OperationGate::busyChanged, context, [=](bool nowBusy) {
        if (nowBusy)
            return;
        disconnect(*connection);
        QTimer::singleShot(0, context, [=] { shared().whenFree(context, what, work); });
    });
}
