#include "gittab.h"

#include "gitwidget.h"

#include <QTabWidget>

QTabWidget* buildGitTab(GitWidget* community, GitWidget* enterprise)
{
    auto* tabs = new QTabWidget;
    tabs->addTab(community, community->tabTitle());
    tabs->addTab(enterprise, enterprise->tabTitle());
    community->tabWidget = tabs;
    enterprise->tabWidget = tabs;
    return tabs;
}
