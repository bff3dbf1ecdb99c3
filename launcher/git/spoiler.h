#pragma once

#include <QFrame>
#include <QGridLayout>
#include <QParallelAnimationGroup>
#include <QScrollArea>
#include <QToolButton>
#include <QWidget>

// A collapsible section: a title button with an arrow and a content area
// that opens and closes with an animation.
class Spoiler : public QWidget
{
    Q_OBJECT
public:
    explicit Spoiler(const QString& title = "", int animationDuration = 300, QWidget* parent = nullptr);
    void setContentLayout(QLayout& layout);

    QToolButton* button() { return &toggleButton; }
    QScrollArea* content() { return &contentArea; }
    QParallelAnimationGroup* animation() { return &toggleAnimation; }

private:
    QGridLayout mainLayout;
    QToolButton toggleButton;
    QFrame headerLine;
    QParallelAnimationGroup toggleAnimation;
    QScrollArea contentArea;
    int animationDuration;
};
