#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QString>
#include <sys/times.h>

// One sample of one process's CPU times and memory, all zero in a new entry.
struct pstat {
    unsigned long utime = 0;    // user CPU time, clock ticks
    long cutime = 0;            // user CPU time of waited-for children
    unsigned long stime = 0;    // system CPU time
    long cstime = 0;            // system CPU time of waited-for children
    unsigned long vsize = 0;    // virtual memory size, bytes
    unsigned long rss = 0;      // resident set size, bytes
    unsigned long cpuTotal = 0; // user + nice + system + idle of all processors
};

// Samples process `pid` from /proc into `out`: 0 on success, -1 when the
// process is gone or its files cannot be read (then `out` is left untouched).
int get_usage(int pid, pstat* out);

// Twice the growth of the user time over the growth of the processors' time,
// in percent. A sample older than `previous` (another process on the same
// port) is measured against zero; no elapsed processor time gives 0.
void calc_cpu_usage_pct(const pstat* current, const pstat* previous, double* percent);

// The figures of the status bar, read from /proc and formatted for display.
// Everything here takes its inputs as arguments so it can be checked on
// fixture files and numbers without a window.
namespace ResourceMonitor {

// The ports of the all-servers mode and of the clean-up at exit: 8069 to
// 8097 in steps of 4.
QList<int> serverPorts();
// Moves those eight ports to start at `first`, so tests watch and clean up
// ports of their own instead of a developer's servers.
void setFirstServerPort(int first);

// The number in a /proc/self/status line such as "VmRSS:\t  1234 kB";
// -1 when the line holds no digit.
long parseStatusLine(const char* line);
// The kB figure of the first line of a status file starting with `key`
// ("VmSize:", "VmRSS:"); -1 when the file cannot be read or has no such line.
int statusValue(const char* path, const char* key);
// The number of lines starting with "processor" in a cpuinfo file.
int countProcessors(const char* cpuinfoPath);

// Reads a /proc/<pid>/stat text: the CPU times, the virtual size and the
// resident pages times `pageSize`. The command name may hold blanks and
// parentheses, so the fields are counted after its last ")". False when the
// text is cut short; `cpuTotal` is left as it is.
bool parseProcessStat(const char* text, long pageSize, pstat* out);
// The sum of the first four figures of the first line of a /proc/stat text.
bool parseCpuTotal(const char* text, unsigned long* total);
// get_usage on explicit files, for any page size.
int readUsage(const char* processStatPath, const char* systemStatPath, long pageSize, pstat* out);

// The launcher's CPU share between two times() readings, in percent of all
// processors; -1 when the clock did not advance or a time went backwards.
double launcherCpuPercent(clock_t lastTicks, clock_t lastSystem, clock_t lastUser,
                          clock_t ticks, clock_t system, clock_t user, int processors);

// The port text a lookup searches for: the digits of `text` without the
// surrounding blanks; anything else (an empty or hand-edited field) becomes "NO_PORT_DEFINED", which matches no process.
QString safePortText(const QString& text);
// Captured commands printing the process ids of the servers on a port, and
// killing them. The port must be followed by a blank or the end of the command
// line, so port 806 never finds the server on 8069.
QString lookupCommand(const QString& portText);
QString killCommand(int port);
// One listing of every process with its command line, for the all-servers
// mode: a single ps per refresh instead of one per port.
QString listingCommand();
// From the lines of listingCommand(): the process id of the first process
// whose command line carries "xmlrpc-port <port>", for each port.
QMap<int, int> serverPidsByPort(const QStringList& lines);

// Status-bar texts.
QString currentServerText(const pstat& sample, double cpuPercent, int pid);
QString notRunningText();
QString allServersEntry(int port, const pstat& sample, double cpuPercent, int pid);
QString noServerText();
QString launcherText(int virtualKb, int residentKb, double cpuPercent);
}
