#include "testhome.h"

#include "deployment.h"
#include "settings/configloader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

TestHome::TestHome()
{
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("SHELL", "/bin/bash");
    writeFile(".bashrc", "PS1='$ '\n");
    QDir(dir.path()).mkpath("Desktop");
    QDir(dir.path()).mkpath("Documents");
    ConfigLoader::getSingleton()->path = dir.path() + "/.config/KydVeltLauncher/config";
    // Every start-up queues a manifest refresh: it must neither reach a real
    // update server nor write into the real install directory. Port 9 on the
    // loopback has no listener, so the refresh fails at once.
    QDir(dir.path()).mkpath("install");
    Deployment::setInstallDir(dir.path() + "/install");
    Deployment::setUpdateBaseUrl(QStringLiteral("http://127.0.0.1:9/"));
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

bool TestHome::acknowledgeVersionWarnings = true;

namespace {
// A workspace made by a test rarely holds a server that can print its
// version, so every new server tab warns "No version found". Unless a test
// wants to see that box itself, it is acknowledged as soon as it shows.
class VersionWarningAcknowledger : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && TestHome::acknowledgeVersionWarnings)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                if (box->windowTitle() == QLatin1String("No version found"))
                    QTimer::singleShot(0, box, [box] { box->done(QMessageBox::Ok); });
        return false;
    }
};

void installVersionWarningAcknowledger()
{
    auto* acknowledger = new VersionWarningAcknowledger;
    acknowledger->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(acknowledger);
}
}
Q_COREAPP_STARTUP_FUNCTION(installVersionWarningAcknowledger)
