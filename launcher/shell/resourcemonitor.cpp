#include "resourcemonitor.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// Reads at most size - 1 bytes of a small file into `buffer`, terminated.
// /proc files report a size of 0, so the file is read until its end.
bool readSmallFile(const char* path, char* buffer, size_t size)
{
    FILE* file = std::fopen(path, "r");
    if (!file) {
        std::fprintf(stderr, "FOPEN ERROR %s\n", std::strerror(errno));
        return false;
    }
    const size_t length = std::fread(buffer, 1, size - 1, file);
    buffer[length] = '\0';
    std::fclose(file);
    return true;
}

// The bracket keeps grep itself out of the listing.
QString grepPattern(const QString& portText)
{
    return "grep -E '[x]mlrpc-port " + portText + "( |$)'";
}
}

int get_usage(int pid, pstat* out)
{
    char processPath[64];
    std::snprintf(processPath, sizeof processPath, "/proc/%d/stat", pid);
    return ResourceMonitor::readUsage(processPath, "/proc/stat", getpagesize(), out);
}

void calc_cpu_usage_pct(const pstat* current, const pstat* previous, double* percent)
{
    const pstat zero;
    const pstat* base = current->utime < previous->utime || current->cpuTotal < previous->cpuTotal ? &zero : previous;
    const unsigned long user = current->utime - base->utime;
    const unsigned long total = current->cpuTotal - base->cpuTotal;
    *percent = total == 0 ? 0.0 : 2.0 * double(user) / double(total) * 100.0;
}

namespace ResourceMonitor {

namespace {
int firstServerPort = 8069;
}

QList<int> serverPorts()
{
    QList<int> ports;
    for (int port = firstServerPort; port <= firstServerPort + 28; port += 4)
        ports << port;
    return ports;
}

void setFirstServerPort(int first)
{
    firstServerPort = first;
}

long parseStatusLine(const char* line)
{
    while (*line && !std::isdigit(static_cast<unsigned char>(*line)))
        ++line;
    if (!*line)
        return -1;
    return std::strtol(line, nullptr, 10);
}

int statusValue(const char* path, const char* key)
{
    FILE* file = std::fopen(path, "r");
    if (!file)
        return -1;
    const size_t keyLength = std::strlen(key);
    int result = -1;
    char line[128];
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, key, keyLength) == 0) {
            result = int(parseStatusLine(line + keyLength));
            break;
        }
    }
    std::fclose(file);
    return result;
}

int countProcessors(const char* cpuinfoPath)
{
    FILE* file = std::fopen(cpuinfoPath, "r");
    if (!file)
        return 0;
    int count = 0;
    char line[512];
    bool lineStart = true;
    while (std::fgets(line, sizeof line, file)) {
        // A line longer than the buffer comes in pieces: only the first counts.
        if (lineStart && std::strncmp(line, "processor", 9) == 0)
            ++count;
        lineStart = std::strchr(line, '\n') != nullptr;
    }
    std::fclose(file);
    return count;
}

bool parseProcessStat(const char* text, long pageSize, pstat* out)
{
    const char* afterName = std::strrchr(text, ')');
    if (!afterName)
        return false;
    pstat sample;
    long residentPages = 0;
    const int fields = std::sscanf(afterName + 1,
                                   " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu %ld %ld"
                                   " %*d %*d %*d %*d %*u %lu %ld",
                                   &sample.utime, &sample.stime, &sample.cutime, &sample.cstime,
                                   &sample.vsize, &residentPages);
    if (fields != 6)
        return false;
    out->utime = sample.utime;
    out->stime = sample.stime;
    out->cutime = sample.cutime;
    out->cstime = sample.cstime;
    out->vsize = sample.vsize;
    out->rss = static_cast<unsigned long>(residentPages) * static_cast<unsigned long>(pageSize);
    return true;
}

bool parseCpuTotal(const char* text, unsigned long* total)
{
    unsigned long user = 0, nice = 0, system = 0, idle = 0;
    if (std::sscanf(text, "%*s %lu %lu %lu %lu", &user, &nice, &system, &idle) != 4)
        return false;
    *total = user + nice + system + idle;
    return true;
}

int readUsage(const char* processStatPath, const char* systemStatPath, long pageSize, pstat* out)
{
    char processText[1024];
    char systemText[512];
    if (!readSmallFile(processStatPath, processText, sizeof processText))
        return -1;
    if (!readSmallFile(systemStatPath, systemText, sizeof systemText))
        return -1;
    pstat sample;
    if (!parseProcessStat(processText, pageSize, &sample) || !parseCpuTotal(systemText, &sample.cpuTotal))
        return -1;
    *out = sample;
    return 0;
}

double launcherCpuPercent(clock_t lastTicks, clock_t lastSystem, clock_t lastUser,
                          clock_t ticks, clock_t system, clock_t user, int processors)
{
    if (ticks <= lastTicks || system < lastSystem || user < lastUser)
        return -1;
    const double busy = double(system - lastSystem) + double(user - lastUser);
    return busy / double(ticks - lastTicks) / double(processors > 0 ? processors : 1) * 100.0;
}

QString safePortText(const QString& text)
{
    const QString port = text.trimmed();
    bool digitsOnly = !port.isEmpty();
    for (const QChar c : port)
        if (c < '0' || c > '9')
            digitsOnly = false;
    return digitsOnly ? port : QStringLiteral("NO_PORT_DEFINED");
}

QString lookupCommand(const QString& portText)
{
    return "ps -efww | " + grepPattern(safePortText(portText)) + " | awk '{print $2}'";
}

QString killCommand(int port)
{
    return "ps -efww | " + grepPattern(QString::number(port)) + " | grep -v grep | awk '{print $2}' | xargs -r kill";
}

QString listingCommand()
{
    return QStringLiteral("ps -eww -o pid=,args=");
}

QMap<int, int> serverPidsByPort(const QStringList& lines)
{
    static const QRegularExpression portWord("xmlrpc-port (\\d+)(?= |$)");
    QMap<int, int> pids;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        const int blank = trimmed.indexOf(' ');
        if (blank < 1)
            continue;
        bool isNumber = false;
        const int pid = trimmed.left(blank).toInt(&isNumber);
        const QRegularExpressionMatch match = portWord.match(trimmed, blank);
        if (!isNumber || !match.hasMatch())
            continue;
        const int port = match.captured(1).toInt();
        if (!pids.contains(port))
            pids.insert(port, pid);
    }
    return pids;
}

// The texts are the status bar's: they are translated in the main window's
// context, written out at each call so that lupdate files them there too.
QString currentServerText(const pstat& sample, double cpuPercent, int pid)
{
    return QCoreApplication::translate("MainWindow", "Server: VRam used: ") + QString::number(sample.vsize / 1000000)
        + QCoreApplication::translate("MainWindow", " MB   Real RAM used: ") + QString::number(sample.rss / 1000000)
        + QCoreApplication::translate("MainWindow", "MB.     CPU used: ") + QString::number(cpuPercent)
        + QCoreApplication::translate("MainWindow", "%.      PID: ") + QString::number(pid);
}

QString notRunningText()
{
    return QCoreApplication::translate("MainWindow", "Server: Not Running");
}

QString allServersEntry(int port, const pstat& sample, double cpuPercent, int pid)
{
    return QCoreApplication::translate("MainWindow", "Server (port: ") + QString::number(port)
        + QCoreApplication::translate("MainWindow", "):  RAM: ") + QString::number(sample.rss / 1000000)
        + QCoreApplication::translate("MainWindow", "MB.  CPU used: ") + QString::number(cpuPercent)
        + QCoreApplication::translate("MainWindow", "%.  PID: ") + QString::number(pid) + "  |||  ";
}

QString noServerText()
{
    return QCoreApplication::translate("MainWindow", "No server running...");
}

QString launcherText(int virtualKb, int residentKb, double cpuPercent)
{
    return QCoreApplication::translate("MainWindow", "Launcher: VM used: ") + QString::number(virtualKb / 1000)
        + QCoreApplication::translate("MainWindow", " MB.       RAM used: ") + QString::number(residentKb / 1000)
        + QCoreApplication::translate("MainWindow", " MB.     CPU used: ") + QString::number(int(cpuPercent))
        + QCoreApplication::translate("MainWindow", "%.");
}
}
