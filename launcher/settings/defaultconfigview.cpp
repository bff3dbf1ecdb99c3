#include "defaultconfigview.h"

QTranslator DefaultConfigView::translator;

DefaultConfigView::DefaultConfigView(QWidget* parent)
    : QWidget(parent)
{
}
