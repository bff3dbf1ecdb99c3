#include "workspaceterminals.h"

#include "exec/myqtermwidget.h"

#include <QLayout>
#include <QVBoxLayout>

namespace {
MyQTermWidget* makeTerminal(QWidget* owner, QWidget* frame, const QString& colorScheme)
{
    auto* terminal = new MyQTermWidget(0, owner);
    terminal->setColorScheme("WhiteOnBlack");
    if (!colorScheme.isEmpty())
        terminal->setColorScheme(colorScheme);
    if (terminal->layout())
        terminal->layout()->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(terminal);
    return terminal;
}
}

WorkspaceTerminals WorkspaceTerminals::open(QWidget* owner, const QString& workspaceCdLine, QWidget* serverFrame,
                                            QWidget* communityFrame, QWidget* enterpriseFrame,
                                            const QString& colorScheme)
{
    WorkspaceTerminals terminals;
    terminals.server = makeTerminal(owner, serverFrame, colorScheme);
    terminals.community = makeTerminal(owner, communityFrame, colorScheme);
    terminals.enterprise = makeTerminal(owner, enterpriseFrame, colorScheme);

    // Typed before the shells start: the lines wait in the terminal's input.
    terminals.server->sendText(workspaceCdLine, false);
    terminals.server->clear();
    for (MyQTermWidget* terminal : {terminals.community, terminals.enterprise}) {
        terminal->sendText(workspaceCdLine, false);
        terminal->sendText(terminal == terminals.community ? "cd velt\n" : "cd enterprise\n", false);
        terminal->clear();
        terminal->sendText("git status\n", false);
    }
    for (MyQTermWidget* terminal : {terminals.server, terminals.community, terminals.enterprise}) {
        terminal->startShellProgram();
        terminal->setFlowControlEnabled(true);
    }
    return terminals;
}
