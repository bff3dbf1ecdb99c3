#include "operationindicator.h"

#include "exec/commanddescription.h"
#include "exec/operationgate.h"
#include "exec/termexecutor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

OperationIndicator::OperationIndicator(QWidget* parent)
    : QWidget(parent)
    , label(new QLabel(this))
    , cancelButton(new QPushButton(tr("Cancel"), this))
    , ticker(new QTimer(this))
{
    setObjectName(QStringLiteral("operationIndicator"));
    cancelButton->setObjectName(QStringLiteral("bCancelOperation"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(cancelButton);
    hide();

    OperationGate& gate = OperationGate::shared();
    connect(cancelButton, &QPushButton::clicked, &gate, &OperationGate::requestCancel);
    connect(&gate, &OperationGate::busyChanged, this, &OperationIndicator::operationChanged);
    connect(&gate, &OperationGate::cancelRequestedChanged, this, &OperationIndicator::refresh);
    TermExecutor* executor = TermExecutor::getSingleton();
    connect(executor, &TermExecutor::commandStarted, this, [this] { commandClock.start(); });
    connect(executor, &TermExecutor::commandEnded, this, [this] { commandClock.invalidate(); });
    connect(ticker, &QTimer::timeout, this, &OperationIndicator::refresh);
    ticker->setInterval(250);
    if (gate.busy())
        operationChanged(true);
}

QString OperationIndicator::describe(const QString& operation, const QString& command, qint64 elapsedMs)
{
    const QString seconds = QString::number(elapsedMs / 1000);
    if (command.isEmpty())
        return tr("%1, %2 s").arg(operation, seconds);
    const QString running = CommandDescription(command).text();
    if (running == operation)
        return tr("%1, %2 s").arg(operation, seconds);
    return tr("%1: %2, %3 s").arg(operation, running, seconds);
}

void OperationIndicator::operationChanged(bool busy)
{
    if (busy) {
        operationClock.start();
        ticker->start();
    } else {
        ticker->stop();
        hide();
    }
}

void OperationIndicator::refresh()
{
    const OperationGate& gate = OperationGate::shared();
    if (!gate.busy() || operationClock.elapsed() < showAfterMs) {
        hide();
        return;
    }
    const QString command = TermExecutor::getSingleton()->runningCommand();
    const qint64 elapsed = !command.isEmpty() && commandClock.isValid() ? commandClock.elapsed()
                                                                          : operationClock.elapsed();
    QString text = describe(gate.inProgress(), command, elapsed);
    if (gate.cancelRequested())
        text = tr("Cancelling %1").arg(text);
    label->setText(text);
    cancelButton->setEnabled(!gate.cancelRequested());
    show();
}
