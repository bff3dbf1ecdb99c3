#pragma once

#include <QLabel>

// Shown on a page whose building is put off until the operation in progress
// has ended, so the blank page says what it waits for. Follows the page's
// size, and goes once nothing is in progress any more (the page is built
// then).
class WaitingPageNote : public QLabel
{
    Q_OBJECT
public:
    // Puts the note on `page` when an operation is in progress and the page
    // has none yet.
    static void showOn(QWidget* page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WaitingPageNote(QWidget* page);
};
