#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Answers the modal boxes a test provokes. Every check runs from a timer on
// the event loop, so it works while the code under test sits in exec().
class ModalAnswer
{
public:
    // Calls `answer` with the first active modal widget that appears within
    // `timeoutMs`, once. Returns at once; the answer happens later.
    static void whenModal(const std::function<void(QWidget*)>& answer, int timeoutMs = 10000);
    // Clicks the button of the next modal message box whose text is `buttonText`
    // (or the default button when empty); records the box's title and text.
    static void clickButton(const QString& buttonText, QStringList* seenTexts = nullptr, int timeoutMs = 10000);
};
