#include "todowidget.h"

TODOWidget::TODOWidget(QWidget* parent)
    : QWidget(parent)
{
}
