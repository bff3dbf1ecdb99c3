#pragma once

#include <QFrame>
#include <QGridLayout>
#include <QParallelAnimationGroup>
#include <QScrollArea>
#include <QToolButton>
#include <QWidget>

#include <functional>

// A collapsible section: a title button with an arrow and a content area
// that opens and closes with an animation.
class Spoiler : public QWidget
{
    Q_OBJECT
public:
    explicit Spoiler(const QString& title = "", int animationDuration = 300, QWidget* parent = nullptr);
    void setContentLayout(QLayout& layout);
    // Builds the content on the first opening instead of now: a long list of
    // sections then costs only their title lines.
    void setContentFactory(std::function<QLayout*()> factory);
    bool hasContent() const { return contentArea.layout() != nullptr; }

    QToolButton* button() { return &toggleButton; }
    QScrollArea* content() { return &contentArea; }
    QParallelAnimationGroup* animation() { return &toggleAnimation; }

private:
    // Shows the widgets of `layout` that nobody showed or hid yet.
    void showNewWidgets(QLayout& layout);

    QGridLayout mainLayout;
    QToolButton toggleButton;
    QFrame headerLine;
    QParallelAnimationGroup toggleAnimation;
    QScrollArea contentArea;
    int animationDuration;
    std::function<QLayout*()> contentFactory;
};
