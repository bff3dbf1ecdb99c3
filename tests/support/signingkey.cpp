#include "signingkey.h"

#include <QFile>
#include <QProcess>

namespace {
// Runs minisign with `arguments`; its output when it ended with status 0.
bool minisign(const QStringList& arguments, QString* error)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start("minisign", arguments);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        *error = "minisign " + arguments.join(' ') + ": " + tool.errorString() + " "
            + QString::fromLocal8Bit(tool.readAll());
        return false;
    }
    return true;
}
}

SigningKey::SigningKey()
{
    const QString publicPath = dir.filePath("update.pub");
    if (!dir.isValid() || !minisign({"-G", "-W", "-p", publicPath, "-s", secretKeyPath()}, &error))
        return;
    QFile file(publicPath);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read " + publicPath;
        return;
    }
    publicLine = QString::fromLatin1(file.readAll().split('\n').value(1)).trimmed();
    ready = !publicLine.isEmpty();
}

bool SigningKey::sign(const QString& path, const QString& signature, bool legacy) const
{
    QStringList arguments{"-S", "-s", secretKeyPath(), "-m", path, "-t", "test release"};
    if (!signature.isEmpty())
        arguments << "-x" << signature;
    if (legacy)
        arguments << "-l";
    QString failure;
    if (!minisign(arguments, &failure)) {
        qWarning("%s", qPrintable(failure));
        return false;
    }
    return true;
}
