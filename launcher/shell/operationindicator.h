#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// The status bar's view of the operation in progress: once it has lasted
// about a second, what it runs or waits for, for how long, and a Cancel
// button that ends it.
class OperationIndicator : public QWidget
{
    Q_OBJECT
public:
    static const int showAfterMs = 1000;

    explicit OperationIndicator(QWidget* parent = nullptr);

    // "Fetch --all: git fetch (server a, velt), 4 s"; without a command, the
    // operation and its time alone.
    static QString describe(const QString& operation, const QString& command, qint64 elapsedMs);

private:
    void operationChanged(bool busy);
    void refresh();

    QLabel* label;
    QPushButton* cancelButton;
    QTimer* ticker;
    QElapsedTimer operationClock;
    QElapsedTimer commandClock;
};
