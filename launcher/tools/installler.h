#pragma once

#include <QWidget>

// The first-start installer window.
class Installler : public QWidget
{
    Q_OBJECT
public:
    explicit Installler(QWidget* parent = nullptr);
};
