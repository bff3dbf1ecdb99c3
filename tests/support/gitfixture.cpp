#include "gitfixture.h"

#include "deployment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

GitFixture::GitFixture()
{
    writeFile(QDir::homePath() + "/.gitconfig",
              "[user]\n\tname = Test Author\n\temail = author@example.org\n"
              "[init]\n\tdefaultBranch = master\n[advice]\n\tdetachedHead = false\n");
}

QString GitFixture::git(const QString& dir, const QStringList& args)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start("git", args);
    process.waitForFinished(60000);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitCode() != 0)
        qWarning("git %s failed in %s: %s", qPrintable(args.join(' ')), qPrintable(dir),
                 process.readAllStandardError().constData());
    return out;
}

int GitFixture::gitStatus(const QString& dir, const QStringList& args)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start("git", args);
    process.waitForFinished(60000);
    return process.exitCode();
}

void GitFixture::writeFile(const QString& path, const QString& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content.toUtf8());
}

void GitFixture::commitFile(const QString& dir, const QString& file, const QString& content, const QString& message)
{
    writeFile(dir + "/" + file, content);
    git(dir, {"add", file});
    git(dir, {"commit", "-q", "-m", message});
}

QString GitFixture::upstream(const QString& organisation, const QString& repo)
{
    const QString path = dir.path() + "/" + Deployment::codeHostName() + "/" + organisation + "/" + repo;
    if (QFileInfo(path).isDir())
        return path;
    QDir().mkpath(path);
    git(path, {"init", "-q", "--bare"});
    const QString seed = dir.path() + "/seed-" + organisation + "-" + repo;
    QDir().mkpath(seed);
    git(seed, {"init", "-q"});
    commitFile(seed, "README", "seed\n", "Initial commit");
    git(seed, {"push", "-q", path, "master"});
    return path;
}

QString GitFixture::clone(char letter, const QString& repo)
{
    const QString main = upstream("velt", repo);
    const QString dev = upstream("velt-dev", repo);
    const QString workspace = QDir::homePath() + "/Documents/velt-servers/server_" + QString(QChar(letter));
    QDir().mkpath(workspace);
    git(workspace, {"clone", "-q", "-o", "velt", main, repo});
    const QString path = workspace + "/" + repo;
    git(path, {"remote", "add", "dev", dev});
    git(path, {"fetch", "-q", "dev"});
    return path;
}
