#include "terminalshell.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>

namespace TerminalShell {

StatFields parseStat(const QByteArray& line)
{
    StatFields fields;
    // The command name between the parentheses may hold spaces and
    // parentheses of its own: the fields start after the last ')'.
    const int nameEnd = line.lastIndexOf(')');
    if (nameEnd < 0)
        return fields;
    const QList<QByteArray> rest = line.mid(nameEnd + 1).simplified().split(' ');
    // state, parent, process group, session, terminal, terminal's foreground group
    if (rest.size() < 6 || rest.at(0).size() != 1)
        return fields;
    bool groupOk = false;
    bool terminalOk = false;
    const int group = rest.at(2).toInt(&groupOk);
    const int terminal = rest.at(5).toInt(&terminalOk);
    if (!groupOk || !terminalOk)
        return fields;
    fields.state = rest.at(0).at(0);
    fields.processGroup = group;
    fields.terminalGroup = terminal;
    return fields;
}

State stateOf(long long shellPid)
{
    if (shellPid <= 0)
        return State::Ended;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(shellPid));
    if (!stat.open(QIODevice::ReadOnly))
        return State::Ended;
    const StatFields fields = parseStat(stat.readAll());
    if (fields.processGroup < 0 || fields.state == 'Z' || fields.state == 'X')
        return State::Ended;
    return fields.terminalGroup == fields.processGroup ? State::Foreground : State::Busy;
}

QString visibleText(const QString& line)
{
    // CSI sequences (colours, bracketed paste on/off) and OSC ones (titles).
    static const QRegularExpression controls("\\x1b\\[[0-9;?]*[ -/]*[@-~]|\\x1b\\][^\\x07\\x1b]*(\\x07|\\x1b\\\\)|\\r");
    QString visible = line;
    visible.remove(controls);
    return visible;
}

}
