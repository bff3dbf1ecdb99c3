#include "gittab.h"

#include "gitwidget.h"

#include <QTabWidget>

void addGitPanels(QTabWidget* tabs, GitWidget* community, GitWidget* enterprise)
{
    tabs->addTab(community, community->tabTitle());
    tabs->addTab(enterprise, enterprise->tabTitle());
    community->tabWidget = tabs;
    enterprise->tabWidget = tabs;
}
