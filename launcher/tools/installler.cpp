#include "installler.h"

#include <QLabel>
#include <QVBoxLayout>

Installler::Installler(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Installler");
    setWindowTitle(tr("Installer"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The installer is not available in this version yet.")));
}
