#pragma once

#include <QString>

class MyQTermWidget;
class QWidget;

// The three terminals of a workspace tab: the server terminal, in the
// workspace, and one terminal in each clone, which shows its `git status`.
// A tab makes them when it is first shown or first runs something, so a
// hidden tab costs no terminal at start-up.
struct WorkspaceTerminals {
    MyQTermWidget* server = nullptr;
    MyQTermWidget* community = nullptr;
    MyQTermWidget* enterprise = nullptr;

    // Makes the terminals as children of `owner`, each filling its frame,
    // types their set-up lines and starts their shells.
    static WorkspaceTerminals open(QWidget* owner, const QString& workspaceCdLine, QWidget* serverFrame,
                                   QWidget* communityFrame, QWidget* enterpriseFrame, const QString& colorScheme);
};
