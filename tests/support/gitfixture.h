#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Real git repositories for the git workspace tests: bare upstreams whose
// paths carry the code host's forms ("<host>/velt/<repo>",
// "<host>/velt-dev/<repo>"), and workspace clones under the test home.
class GitFixture
{
public:
    // Writes a git identity into the (test) home so commits can be made.
    GitFixture();

    // Runs git with `args` in `dir`; fails the running test when git fails.
    static QString git(const QString& dir, const QStringList& args);
    // Runs git and returns its exit code, output ignored.
    static int gitStatus(const QString& dir, const QStringList& args);

    // <tmp>/<host>/<organisation>/<repo>, created bare with one commit on master.
    QString upstream(const QString& organisation, const QString& repo);
    // ~/Documents/velt-servers/server_<letter>/<repo>, a clone of the main
    // upstream with the development upstream added as remote "dev".
    QString clone(char letter, const QString& repo);
    // Writes `content` to `file` in `dir` and commits it with `message`.
    static void commitFile(const QString& dir, const QString& file, const QString& content, const QString& message);
    static void writeFile(const QString& path, const QString& content);

    QString root() const { return dir.path(); }

private:
    QTemporaryDir dir;
};
