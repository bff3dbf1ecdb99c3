#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh home directory for one test program: HOME points at it, SHELL is
// bash, the prompt ends in "$ " even as root, and the global settings object
// reads and writes its file there. Nothing touches the real home, the real
// install directory or an update server: the install directory is "install"
// in the home, and the update server an address where nothing listens.
class TestHome
{
public:
    TestHome();
    QString path() const { return dir.path(); }
    // Writes `content` to a file under the home, creating folders as needed.
    void writeFile(const QString& relativePath, const QByteArray& content) const;
    QByteArray readFile(const QString& relativePath) const;

    // Whether the "No version found" box of new server tabs is acknowledged
    // on its own (on unless a test looks at that box itself).
    static bool acknowledgeVersionWarnings;

private:
    QTemporaryDir dir;
};
