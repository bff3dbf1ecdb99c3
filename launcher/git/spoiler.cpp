#include "spoiler.h"

#include <QPropertyAnimation>

Spoiler::Spoiler(const QString& title, int animationDuration, QWidget* parent)
    : QWidget(parent)
    , animationDuration(animationDuration)
{
    toggleButton.setStyleSheet("QToolButton { border: none; }");
    toggleButton.setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggleButton.setArrowType(Qt::RightArrow);
    toggleButton.setText(title);
    toggleButton.setCheckable(true);
    toggleButton.setChecked(false);

    headerLine.setFrameShape(QFrame::HLine);
    headerLine.setFrameShadow(QFrame::Sunken);
    headerLine.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);

    contentArea.setStyleSheet("QScrollArea { background-color: white; border: none; }");
    contentArea.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Starts collapsed.
    contentArea.setMaximumHeight(0);
    contentArea.setMinimumHeight(0);

    toggleAnimation.addAnimation(new QPropertyAnimation(this, "minimumHeight"));
    toggleAnimation.addAnimation(new QPropertyAnimation(this, "maximumHeight"));
    toggleAnimation.addAnimation(new QPropertyAnimation(&contentArea, "maximumHeight"));

    mainLayout.setVerticalSpacing(0);
    mainLayout.setContentsMargins(0, 0, 0, 0);
    mainLayout.addWidget(&toggleButton, 0, 0, 1, 1, Qt::AlignLeft);
    mainLayout.addWidget(&headerLine, 0, 2, 1, 1);
    mainLayout.addWidget(&contentArea, 1, 0, 1, 3);
    setLayout(&mainLayout);

    connect(&toggleButton, &QToolButton::clicked, this, [this](bool checked) {
        if (checked && contentFactory && !contentArea.layout()) {
            if (QLayout* built = contentFactory())
                setContentLayout(*built);
        }
        toggleButton.setArrowType(checked ? Qt::DownArrow : Qt::RightArrow);
        toggleAnimation.setDirection(checked ? QAbstractAnimation::Forward : QAbstractAnimation::Backward);
        toggleAnimation.start();
    });
}

void Spoiler::setContentLayout(QLayout& layout)
{
    delete contentArea.layout();
    contentArea.setLayout(&layout);
    // Content made while the section is on screen would only be shown later,
    // and a layout leaves hidden widgets out of its size: the opened section
    // would then stay as high as an empty one.
    showNewWidgets(layout);
    const int collapsedHeight = sizeHint().height() - contentArea.maximumHeight();
    const int contentHeight = layout.sizeHint().height();
    for (int i = 0; i < toggleAnimation.animationCount() - 1; ++i) {
        auto* animation = static_cast<QPropertyAnimation*>(toggleAnimation.animationAt(i));
        animation->setDuration(animationDuration);
        animation->setStartValue(collapsedHeight);
        animation->setEndValue(collapsedHeight + contentHeight);
    }
    auto* contentAnimation = static_cast<QPropertyAnimation*>(
        toggleAnimation.animationAt(toggleAnimation.animationCount() - 1));
    contentAnimation->setDuration(animationDuration);
    contentAnimation->setStartValue(0);
    contentAnimation->setEndValue(contentHeight);
}

void Spoiler::showNewWidgets(QLayout& layout)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (QWidget* widget = item->widget()) {
            if (!widget->testAttribute(Qt::WA_WState_ExplicitShowHide) && contentArea.isVisible())
                widget->show();
        } else if (QLayout* nested = item->layout()) {
            showNewWidgets(*nested);
        }
    }
}

void Spoiler::setContentFactory(std::function<QLayout*()> factory)
{
    contentFactory = std::move(factory);
}
