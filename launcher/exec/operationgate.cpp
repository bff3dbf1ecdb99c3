#include "operationgate.h"

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
    gate.current.clear();
    emit gate.busyChanged(false);
}
