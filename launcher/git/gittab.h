#pragma once

class GitWidget;
class QTabWidget;

// The "Git" tab of a workspace: both clones' panels side by side as tabs
// titled after their checked-out branch. Each panel is told the tab widget,
// so that it can retitle its tab after a checkout.
void addGitPanels(QTabWidget* tabs, GitWidget* community, GitWidget* enterprise);
