#pragma once

#include <QWidget>

namespace Ui {
class IntroWindow;
}

// The frameless logo window shown while the launcher starts.
class IntroWindow : public QWidget
{
    Q_OBJECT
public:
    explicit IntroWindow(QWidget* parent = nullptr);
    ~IntroWindow() override;

private:
    Ui::IntroWindow* ui;
};
