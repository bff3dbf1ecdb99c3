#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <map>
#include <vector>

// Workspaces of real size, as the start-up benchmarks build them. Each clone
// has over 5,000 commits, 45 local branches (4 version branches, 41 feature
// branches started from different points), 100 tags, both upstream remotes
// with their branches and about 3,000 files.
namespace RealSizeWorkspaces {

constexpr int masterCommits = 5000;
constexpr int directories = 60;
constexpr int filesPerDirectory = 50;
inline const QStringList olderVersions = {"11.0", "10.0", "9.0"};

inline const char* const sampleConfig =
    "### CONFIG FILE ###\n<--- DB <---\ndb_main\ndb_test\n---> DB --->\n"
    "python2:::0\nshell:::0\nenterprise:::1\ndemo_data:::0\ninstall:::sale,crm\nupgrade:::\ndb:::db_test\n"
    "port:::8069\nlog:::info\nWorkers:::2\n"
    "<--- GitCheckoutPoints <---\n---> GitCheckoutPoints --->\n";

inline bool run(const QString& dir, const QString& program, const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(program, args);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    if (process.exitCode() != 0)
        std::fprintf(stderr, "%s %s: %s\n", qPrintable(program), qPrintable(args.join(' ')),
                     process.readAllStandardError().constData());
    return process.exitCode() == 0;
}

// A fast-import stream of one clone's history.
class HistoryWriter
{
public:
    // Returns the new commit's mark.
    int commit(const QString& branch, int parent, const QByteArray& changes)
    {
        ++mark;
        const QByteArray message = QString("[FIX] module_%1: change %2\n\nWhy change %2 was needed, in a few words.\n")
                                       .arg(mark % directories, 2, 10, QChar('0'))
                                       .arg(mark)
                                       .toUtf8();
        const QByteArray who = QString("Developer %1 <dev%1@example.org> ").arg(mark % 20).toUtf8()
                               + QByteArray::number(time++) + " +0100\n";
        stream += "commit refs/heads/" + branch.toUtf8() + "\nmark :" + QByteArray::number(mark) + "\n";
        stream += "author " + who + "committer " + who;
        stream += "data " + QByteArray::number(message.size()) + "\n" + message;
        if (parent)
            stream += "from :" + QByteArray::number(parent) + "\n";
        stream += changes + "\n";
        return mark;
    }

    // One file changed, in a different module each time.
    int change(const QString& branch, int parent)
    {
        const int file = (mark * 7919) % (directories * filesPerDirectory);
        return commit(branch, parent, fileLine(file, "changed by commit " + QByteArray::number(mark + 1)));
    }

    void ref(const QString& name, int at)
    {
        stream += "reset " + name.toUtf8() + "\nfrom :" + QByteArray::number(at) + "\n\n";
    }

    static QByteArray fileLine(int file, const QByteArray& content)
    {
        const QByteArray body = "# module file " + QByteArray::number(file) + "\n" + content + "\n";
        return "M 100644 inline " + filePath(file) + "\ndata " + QByteArray::number(body.size()) + "\n" + body;
    }

    static QByteArray filePath(int file)
    {
        return QString("addons/module_%1/file_%2.py")
            .arg(file / filesPerDirectory, 2, 10, QChar('0'))
            .arg(file % filesPerDirectory, 2, 10, QChar('0'))
            .toUtf8();
    }

    QByteArray stream;

private:
    int mark = 0;
    qint64 time = 1600000000;
};

inline QByteArray historyStream(bool withServerScript)
{
    HistoryWriter history;
    QByteArray tree;
    for (int file = 0; file < directories * filesPerDirectory; ++file)
        tree += HistoryWriter::fileLine(file, "initial content");
    if (withServerScript) {
        // Stands in for the server's start script: a start of the system's
        // Python, as the real one.
        const QByteArray script = "#!/usr/bin/python3\nimport sys\nif '--version' in sys.argv:\n"
                                  "    print('Velt Server 11.0')\n";
        tree += "M 100755 inline velt-bin\ndata " + QByteArray::number(script.size()) + "\n" + script;
    }
    std::vector<int> master{history.commit("master", 0, tree)};
    while (int(master.size()) < masterCommits)
        master.push_back(history.change("master", master.back()));
    for (int tag = 1; tag <= 100; ++tag)
        history.ref(QString("refs/tags/v0.%1").arg(tag), master[tag * 49]);

    // Version branches from older points of master, 30 commits each.
    std::map<QString, std::vector<int>> versions{{"master", master}};
    for (int v = 0; v < olderVersions.size(); ++v) {
        std::vector<int> chain{master[4000 - 1500 * v]};
        for (int c = 0; c < 30; ++c)
            chain.push_back(history.change(olderVersions[v], chain.back()));
        versions[olderVersions[v]] = chain;
    }
    const QStringList versionNames = QStringList{"master"} + olderVersions;

    // Feature branches from different points of the version branches.
    QStringList features;
    std::vector<int> featureTips;
    for (int f = 0; f < 41; ++f) {
        const QString base = versionNames[f % versionNames.size()];
        const std::vector<int>& chain = versions[base];
        const int back = (f * 37) % int(chain.size());
        const QString name = QString("%1-fix-topic-%2").arg(base).arg(f);
        int tip = chain[chain.size() - 1 - back];
        for (int c = 0; c < 3 + (f * 13) % 40; ++c)
            tip = history.change(name, tip);
        features << name;
        featureTips.push_back(tip);
    }
    for (const QString& name : versionNames)
        history.ref("refs/remotes/velt/" + name, versions[name].back());
    for (int f = 0; f < features.size(); ++f)
        history.ref("refs/remotes/dev/" + features[f], featureTips[f]);
    // Branches of colleagues, on the development remote only.
    for (int f = 0; f < 60; ++f)
        history.ref(QString("refs/remotes/dev/%1-colleague-%2").arg(versionNames[f % 4]).arg(f),
                    featureTips[f % featureTips.size()]);
    return history.stream;
}

inline void buildTemplate(const QString& dir, const QString& repo)
{
    QDir().mkpath(dir);
    run(dir, "git", {"init", "-q"});
    run(dir, "git", {"fast-import", "--quiet"}, historyStream(repo == "velt"));
    run(dir, "git", {"remote", "add", "velt", "https://github.com/velt/" + repo + ".git"});
    run(dir, "git", {"remote", "add", "dev", "https://github.com/velt-dev/" + repo + ".git"});
    run(dir, "git", {"repack", "-adq"});
    run(dir, "git", {"checkout", "-q", "-f", "11.0-fix-topic-1"});
    QFile changed(dir + "/" + HistoryWriter::filePath(17));
    changed.open(QIODevice::Append);
    changed.write("a local change\n");
    QFile untracked(dir + "/notes.txt");
    untracked.open(QIODevice::WriteOnly);
    untracked.write("untracked\n");
}

inline void writeFile(const QString& path, const QByteArray& content, bool executable = false)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// Clones made once, into a pool of 26 workspaces (hard links: the copies
// share their files with the template, each gets its own index and refs as
// git rewrites them).
inline void buildPool(const QString& root)
{
    std::fprintf(stderr, "building the clones...\n");
    for (const QString& repo : {"velt", "enterprise"})
        buildTemplate(root + "/template/" + repo, repo);
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const QString workspace = root + "/pool/server_" + QChar(letter);
        QDir().mkpath(workspace);
        for (const QString& repo : {"velt", "enterprise"})
            run(root, "cp", {"-al", root + "/template/" + repo, workspace + "/" + repo});
        writeFile(workspace + "/VLconfig", sampleConfig);
    }
}

// A home whose first `workspaces` workspaces link those of the pool, with a
// "$ " prompt and a psql that lists two databases.
inline void makeHome(const QString& home, const QString& root, int workspaces)
{
    QDir(home).mkpath("Desktop");
    QDir(home).mkpath("bin");
    QDir(home).mkpath("Documents/velt-servers");
    writeFile(home + "/.bashrc", "PS1='$ '\n");
    writeFile(home + "/bin/psql", "#!/bin/sh\nprintf 'db_main|dev|UTF8|C|C|\\ndb_test|dev|UTF8|C|C|\\n'\n", true);
    for (int i = 0; i < workspaces; ++i)
        QFile::link(root + "/pool/server_" + QChar('a' + i), home + "/Documents/velt-servers/server_" + QChar('a' + i));
}

// The environment of a launcher process started on `home`.
inline QProcessEnvironment environmentFor(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("SHELL", "/bin/bash");
    environment.insert("PATH", home + "/bin:" + environment.value("PATH"));
    return environment;
}

}
