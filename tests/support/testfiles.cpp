#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

QByteArray TestFiles::content(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool TestFiles::write(const QString& path, const QByteArray& content, bool executable)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    file.close();
    if (executable
        && !file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                | QFileDevice::ExeOther)) {
        qWarning("cannot make %s executable", qPrintable(path));
        return false;
    }
    return true;
}
