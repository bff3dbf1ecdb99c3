#pragma once

#include <QWidget>

// The "Todo list" page: notes with done marks, kept in the global settings.
class TODOWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TODOWidget(QWidget* parent = nullptr);
};
