#include "automaticport.h"

#include "exec/termexecutor.h"
#include "server/servercommands.h"

namespace AutomaticPort {

int choose(const QPointer<QObject>& owner)
{
    int chosen = 0;
    for (int candidate : ServerCommands::autoPortCandidates()) {
        chosen = candidate;
        const QStringList holders = TermExecutor::getSingleton()->exec(
            ServerCommands::portProbeCommand(candidate), true, QStringList(), false, QStringList(),
            "cd ~/Documents");
        if (!owner)
            return 0;
        if (holders.join("").trimmed().isEmpty())
            break;
    }
    return chosen;
}

}
