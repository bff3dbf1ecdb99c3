#include "testhome.h"

#include "settings/configloader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestHome::TestHome()
{
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("SHELL", "/bin/bash");
    writeFile(".bashrc", "PS1='$ '\n");
    QDir(dir.path()).mkpath("Desktop");
    QDir(dir.path()).mkpath("Documents");
    ConfigLoader::getSingleton()->path = dir.path() + "/.config/KydVeltLauncher/config";
}

void TestHome::writeFile(const QString& relativePath, const QByteArray& content) const
{
    const QString full = dir.path() + "/" + relativePath;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray TestHome::readFile(const QString& relativePath) const
{
    QFile file(dir.path() + "/" + relativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
