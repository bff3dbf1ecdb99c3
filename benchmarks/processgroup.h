#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

#include <chrono>

#include <signal.h>
#include <unistd.h>

// The processes of a command's process group, as /proc shows them.
namespace ProcessGroup {

// The fields of /proc/<pid>/stat after the command name: state, ppid, pgrp.
inline bool readStat(const QString& pid, char& state, pid_t& parent, pid_t& group)
{
    QFile file("/proc/" + pid + "/stat");
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 3)
        return false;
    state = fields[0].at(0);
    parent = fields[1].toInt();
    group = fields[2].toInt();
    return true;
}

// Live processes (zombies left out) of the process group `group`.
inline int liveMembers(pid_t group)
{
    if (::kill(-group, 0) != 0)
        return 0;
    int members = 0;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        char state = 0;
        pid_t parent = 0, itsGroup = 0;
        if (pid.at(0).isDigit() && readStat(pid, state, parent, itsGroup) && itsGroup == group && state != 'Z')
            ++members;
    }
    return members;
}

// The launcher's shell running the command that contains `needle`.
inline pid_t runningShell(const QByteArray& needle)
{
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        char state = 0;
        pid_t parent = 0, group = 0;
        if (!pid.at(0).isDigit() || !readStat(pid, state, parent, group) || parent != ::getpid())
            continue;
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(needle))
            return pid.toInt();
    }
    return -1;
}

// Milliseconds from `from` until the group has no live process, -1 past 10 s.
inline double waitGone(pid_t group, std::chrono::steady_clock::time_point from)
{
    while (liveMembers(group) > 0) {
        if (std::chrono::steady_clock::now() - from > std::chrono::seconds(10))
            return -1;
        ::usleep(1000);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

}
