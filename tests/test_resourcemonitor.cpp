// The status bar's figures: /proc parsing on fixture files and on a live
// process, the CPU formulas, the lookup commands and the displayed texts.

#include "shell/resourcemonitor.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <unistd.h>

namespace {
QByteArray fixturePath(const char* name)
{
    return QByteArray(KVL_TEST_FIXTURES) + "/monitor/" + name;
}

// The kB figure of `key` in /proc/<pid>/status, read independently.
long statusKb(qint64 pid, const QByteArray& key)
{
    QFile file(QString("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLong();
    return -1;
}

pstat sampleWith(unsigned long utime, unsigned long cpuTotal)
{
    pstat sample;
    sample.utime = utime;
    sample.cpuTotal = cpuTotal;
    return sample;
}
}

class ResourceMonitorTest : public QObject
{
    Q_OBJECT
private slots:
    void statusLines()
    {
        QCOMPARE(ResourceMonitor::parseStatusLine("VmRSS:\t  120536 kB\n"), 120536L);
        QCOMPARE(ResourceMonitor::parseStatusLine("VmSize:\t845120 kB"), 845120L);
        QCOMPARE(ResourceMonitor::parseStatusLine("VmSize:\t  kB\n"), -1L);
        QCOMPARE(ResourceMonitor::parseStatusLine(""), -1L);

        const QByteArray status = fixturePath("status");
        QCOMPARE(ResourceMonitor::statusValue(status, "VmSize:"), 845120);
        QCOMPARE(ResourceMonitor::statusValue(status, "VmRSS:"), 120536);
        // No memory lines (a kernel thread) or no file: -1, no crash.
        QCOMPARE(ResourceMonitor::statusValue(fixturePath("status_kernel_thread"), "VmRSS:"), -1);
        QCOMPARE(ResourceMonitor::statusValue(fixturePath("missing"), "VmSize:"), -1);

        // The launcher's own figures agree with its status file. Resident
        // memory, not the virtual size, which under the address sanitizer
        // (terabytes of shadow mappings) is beyond what the figure holds.
        const int own = ResourceMonitor::statusValue("/proc/self/status", "VmRSS:");
        QVERIFY(own > 0);
        QVERIFY(qAbs(own - statusKb(QCoreApplication::applicationPid(), "VmRSS:")) < qMax(4096, own / 10));
    }

    void processorCount()
    {
        QCOMPARE(ResourceMonitor::countProcessors(fixturePath("cpuinfo")), 2);
        QCOMPARE(ResourceMonitor::countProcessors(fixturePath("missing")), 0);
        QCOMPARE(ResourceMonitor::countProcessors("/proc/cpuinfo"), int(sysconf(_SC_NPROCESSORS_CONF)));
    }

    void statFormats()
    {
        pstat sample;
        sample.cpuTotal = 7;
        QFile plain(fixturePath("stat_plain"));
        QVERIFY(plain.open(QIODevice::ReadOnly));
        const QByteArray plainText = plain.readAll();
        QVERIFY(ResourceMonitor::parseProcessStat(plainText.constData(), 4096, &sample));
        QCOMPARE(sample.utime, 750UL);
        QCOMPARE(sample.stime, 125UL);
        QCOMPARE(sample.cutime, -4L);
        QCOMPARE(sample.cstime, 9L);
        QCOMPARE(sample.vsize, 845119488UL);
        QCOMPARE(sample.rss, 30134UL * 4096);
        QCOMPARE(sample.cpuTotal, 7UL); // not part of the process file

        // The page size scales the resident pages.
        QVERIFY(ResourceMonitor::parseProcessStat(plainText.constData(), 65536, &sample));
        QCOMPARE(sample.rss, 30134UL * 65536);

        // A command name with blanks and parentheses does not shift the fields.
        QFile spaces(fixturePath("stat_spaces"));
        QVERIFY(spaces.open(QIODevice::ReadOnly));
        QVERIFY(ResourceMonitor::parseProcessStat(spaces.readAll().constData(), 4096, &sample));
        QCOMPARE(sample.utime, 31UL);
        QCOMPARE(sample.stime, 7UL);
        QCOMPARE(sample.vsize, 2048000UL);
        QCOMPARE(sample.rss, 100UL * 4096);

        // Cut short, or no command name at all: refused, the sample kept.
        QFile shortFile(fixturePath("stat_short"));
        QVERIFY(shortFile.open(QIODevice::ReadOnly));
        QVERIFY(!ResourceMonitor::parseProcessStat(shortFile.readAll().constData(), 4096, &sample));
        QVERIFY(!ResourceMonitor::parseProcessStat("garbage", 4096, &sample));
        QCOMPARE(sample.utime, 31UL);

        unsigned long total = 0;
        QVERIFY(ResourceMonitor::parseCpuTotal("cpu  10000 200 3000 86800 500 0 100 0 0 0\n", &total));
        QCOMPARE(total, 100000UL);
        QVERIFY(!ResourceMonitor::parseCpuTotal("intr 1 2\n", &total));
        QVERIFY(!ResourceMonitor::parseCpuTotal("", &total));
    }

    void usageFromFiles()
    {
        pstat sample;
        QCOMPARE(ResourceMonitor::readUsage(fixturePath("stat_plain"), fixturePath("proc_stat"), 4096, &sample), 0);
        QCOMPARE(sample.utime, 750UL);
        QCOMPARE(sample.cpuTotal, 100000UL);
        QCOMPARE(sample.rss, 30134UL * 4096);

        // Failures give -1 and leave the previous sample in place.
        const pstat before = sample;
        QCOMPARE(ResourceMonitor::readUsage(fixturePath("missing"), fixturePath("proc_stat"), 4096, &sample), -1);
        QCOMPARE(ResourceMonitor::readUsage(fixturePath("stat_plain"), fixturePath("missing"), 4096, &sample), -1);
        QCOMPARE(ResourceMonitor::readUsage(fixturePath("stat_short"), fixturePath("proc_stat"), 4096, &sample), -1);
        QCOMPARE(sample.utime, before.utime);
        QCOMPARE(sample.cpuTotal, before.cpuTotal);
    }

    void usageOfALiveProcess()
    {
        QProcess child;
        child.start("/bin/sleep", {"30"});
        QVERIFY(child.waitForStarted(5000));
        const int pid = int(child.processId());
        QTest::qWait(100); // past the exec

        pstat sample;
        QCOMPARE(get_usage(pid, &sample), 0);
        QCOMPARE(sample.vsize, static_cast<unsigned long>(statusKb(pid, "VmSize:")) * 1024);
        // The resident pages of the stat file and VmRSS are kept apart by the
        // kernel and may differ a little; whole pages, same order of size.
        const unsigned long pageSize = static_cast<unsigned long>(sysconf(_SC_PAGESIZE));
        const double residentBytes = double(statusKb(pid, "VmRSS:")) * 1024;
        QCOMPARE(sample.rss % pageSize, 0UL);
        QVERIFY2(sample.rss > residentBytes / 2 && sample.rss < residentBytes * 2,
                 qPrintable(QString("%1 against %2").arg(sample.rss).arg(residentBytes)));
        QVERIFY(sample.cpuTotal > 0);

        // A process that has ended gives -1 and keeps the sample.
        child.kill();
        QVERIFY(child.waitForFinished(5000));
        const pstat before = sample;
        QCOMPARE(get_usage(pid, &sample), -1);
        QCOMPARE(sample.vsize, before.vsize);
    }

    void serverCpuFormula()
    {
        double percent = -5;
        const pstat previous = sampleWith(100, 1000);
        pstat current = sampleWith(150, 1200);
        current.stime = 999; // system time is not counted
        calc_cpu_usage_pct(&current, &previous, &percent);
        QCOMPARE(percent, 50.0);

        // The first sample of a port is measured against zero.
        const pstat zero;
        calc_cpu_usage_pct(&current, &zero, &percent);
        QCOMPARE(percent, 2.0 * 150 / 1200 * 100);
        calc_cpu_usage_pct(&current, &zero, &percent);
        QCOMPARE(QString::number(2.0 * 1 / 480 * 100), QString("0.416667"));

        // No time elapsed on the processors: 0, not a division by zero.
        calc_cpu_usage_pct(&current, &current, &percent);
        QCOMPARE(percent, 0.0);
        // A restarted server (user time went back): measured from zero, never
        // a wrapped-around difference.
        const pstat restarted = sampleWith(40, 1300);
        calc_cpu_usage_pct(&restarted, &current, &percent);
        QCOMPARE(percent, 2.0 * 40 / 1300 * 100);
    }

    void launcherCpuFormula()
    {
        // 30 ticks of work over 100 ticks on 2 processors: 15 %.
        QCOMPARE(ResourceMonitor::launcherCpuPercent(1000, 50, 70, 1100, 60, 90, 2), 15.0);
        QCOMPARE(ResourceMonitor::launcherCpuPercent(1000, 50, 70, 1100, 60, 90, 1), 30.0);
        // Clock not advanced, or a time going backwards: -1.
        QCOMPARE(ResourceMonitor::launcherCpuPercent(1000, 50, 70, 1000, 60, 90, 2), -1.0);
        QCOMPARE(ResourceMonitor::launcherCpuPercent(1000, 50, 70, 1100, 40, 90, 2), -1.0);
        QCOMPARE(ResourceMonitor::launcherCpuPercent(1000, 50, 70, 1100, 60, 60, 2), -1.0);
        // An unreadable processor count is taken as one processor.
        QCOMPARE(ResourceMonitor::launcherCpuPercent(1000, 50, 70, 1100, 60, 90, 0), 30.0);
    }

    void lookupCommands()
    {
        QCOMPARE(ResourceMonitor::serverPorts(), QList<int>({8069, 8073, 8077, 8081, 8085, 8089, 8093, 8097}));
        QCOMPARE(ResourceMonitor::lookupCommand("8069"),
                 QString("ps -efww | grep -E '[x]mlrpc-port 8069( |$)' | awk '{print $2}'"));
        QCOMPARE(ResourceMonitor::killCommand(8073),
                 QString("ps -efww | grep -E '[x]mlrpc-port 8073( |$)' | grep -v grep | awk '{print $2}' | xargs -r kill"));
        // Only digits reach the shell.
        QCOMPARE(ResourceMonitor::safePortText(" 8069 "), QString("8069"));
        QCOMPARE(ResourceMonitor::safePortText(""), QString("NO_PORT_DEFINED"));
        QCOMPARE(ResourceMonitor::safePortText("80'; rm -rf ~; '"), QString("NO_PORT_DEFINED"));
        QCOMPARE(ResourceMonitor::lookupCommand("8069x"),
                 QString("ps -efww | grep -E '[x]mlrpc-port NO_PORT_DEFINED( |$)' | awk '{print $2}'"));

        // The pattern finds the port as a whole word only, and never grep itself.
        QProcess shell;
        shell.start("/bin/sh", {"-c", "printf '%s\\n' "
                                      "'u 11 1 velt-bin --xmlrpc-port 8069 -d db' "
                                      "'u 12 1 velt-bin --xmlrpc-port 80691' "
                                      "'u 13 1 velt-bin --xmlrpc-port 806' "
                                      "'u 14 1 velt-bin --xmlrpc-port 8069' "
                                      "'u 15 1 grep xmlrpc-port 8069' "
                                      "| grep -E '[x]mlrpc-port 8069( |$)' | awk '{print $2}'"});
        QVERIFY(shell.waitForFinished(5000));
        QCOMPARE(shell.readAllStandardOutput(), QByteArray("11\n14\n15\n"));
    }

    void oneListingForAllPorts()
    {
        QCOMPARE(ResourceMonitor::listingCommand(), QString("ps -eww -o pid=,args="));
        const QStringList lines = {
            "    1 /sbin/init",
            "  311 velt-bin --xmlrpc-port 8069 -d db_a",
            "  312 velt-bin --xmlrpc-port 80691",
            "  313 python3 velt-bin --addons-path=x --xmlrpc-port 8077",
            "  314 velt-bin --xmlrpc-port 8069 -d other", // a second one: the first wins
            "  315 vim notes --xmlrpc-port=8081",
            "  316 sh -c velt-bin --xmlrpc-port 8097 --xmlrpc-port 8093",
            "garbage --xmlrpc-port 8085",
            "",
        };
        const QMap<int, int> pids = ResourceMonitor::serverPidsByPort(lines);
        QCOMPARE(pids.value(8069), 311);
        QCOMPARE(pids.value(8077), 313);
        QCOMPARE(pids.value(8097), 316);
        QVERIFY(!pids.contains(80691) || pids.value(80691) == 312);
        QVERIFY(!pids.contains(8081));
        QVERIFY(!pids.contains(8085));
        QVERIFY(!pids.contains(8093)); // only the first port word of a line

        // The real listing finds a live stand-in by its command line.
        QProcess server;
        server.start("/bin/bash", {"-c", "exec -a 'velt-bin --xmlrpc-port 54321' sleep 30"});
        QVERIFY(server.waitForStarted(5000));
        QTest::qWait(200);
        QProcess ps;
        ps.start("/bin/sh", {"-c", ResourceMonitor::listingCommand()});
        QVERIFY(ps.waitForFinished(10000));
        const QStringList listing = QString::fromLocal8Bit(ps.readAllStandardOutput()).split('\n');
        QCOMPARE(ResourceMonitor::serverPidsByPort(listing).value(54321), int(server.processId()));
        server.kill();
        server.waitForFinished(5000);
    }

    void statusTexts()
    {
        pstat sample;
        sample.vsize = 845119488;
        sample.rss = 123456789;
        QCOMPARE(ResourceMonitor::currentServerText(sample, 2.0 / 480 * 100, 4242),
                 QString("Server: VRam used: 845 MB   Real RAM used: 123MB.     CPU used: 0.416667%.      PID: 4242"));
        QCOMPARE(ResourceMonitor::notRunningText(), QString("Server: Not Running"));
        QCOMPARE(ResourceMonitor::allServersEntry(8077, sample, 12.5, 99),
                 QString("Server (port: 8077):  RAM: 123MB.  CPU used: 12.5%.  PID: 99  |||  "));
        QCOMPARE(ResourceMonitor::noServerText(), QString("No server running..."));
        QCOMPARE(ResourceMonitor::launcherText(845120, 120536, 3.99),
                 QString("Launcher: VM used: 845 MB.       RAM used: 120 MB.     CPU used: 3%."));
        // Unreadable figures show as computed: -1 kB is 0 MB, -1 % stays -1.
        QCOMPARE(ResourceMonitor::launcherText(-1, -1, -1),
                 QString("Launcher: VM used: 0 MB.       RAM used: 0 MB.     CPU used: -1%."));
    }
};

QTEST_GUILESS_MAIN(ResourceMonitorTest)

#include "test_resourcemonitor.moc"
