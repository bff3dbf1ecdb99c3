#include "configloader.h"

#include "homedirectory.h"
#include "launcherversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

const char* const ConfigLoader::header = "XXX CONFIG FILE FOR KYD_VELT_LAUNCHER XXX";
const char* const ConfigLoader::todoStart = "-> todo list ->";
const char* const ConfigLoader::todoEnd = "<- todo list <-";

ConfigLoader* ConfigLoader::getSingleton()
{
    static ConfigLoader* instance = new ConfigLoader();
    return instance;
}

ConfigLoader::ConfigLoader()
    : path(homeDirectory() + "/.config/KydVeltLauncher/config")
{
}

void ConfigLoader::load()
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    parse(file.readAll());
}

namespace {
int toInt(const QString& value)
{
    return value.toInt(); // 0 when it is not a number
}
bool toBool(const QString& value)
{
    return value.toInt() == 1;
}
}

void ConfigLoader::parse(const QByteArray& text)
{
    // Lines end at "\n"; a final piece without one still counts as a line.
    const QStringList lines = QString::fromUtf8(text).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (i == lines.size() - 1 && line.isEmpty())
            break;
        const QStringList pieces = line.split(':');
        const QString key = pieces[0];
        // A known key without ":" reads as an empty value.
        const QString value = pieces.size() > 1 ? pieces[1] : QString();

        if (key == "version") version = toInt(value);
        else if (key == "showLauncherStatus") showLauncherStatus = toInt(value);
        else if (key == "showServerStatus") showServerStatus = toInt(value);
        else if (key == "default_demo") default_demo = toBool(value);
        else if (key == "default_p2") default_p2 = toBool(value);
        else if (key == "default_shell") default_shell = toBool(value);
        else if (key == "default_enterprise") default_enterprise = toBool(value);
        else if (key == "default_install") default_install = value;
        else if (key == "default_upgrades") default_upgrades = value;
        else if (key == "auto_port") auto_port = toBool(value);
        else if (key == "remove_installs") remove_installs = toBool(value);
        else if (key == "installer_status") installer_status = toBool(value);
        else if (key == "secBeforeShutDown") secBeforeShutDown = toInt(value);
        else if (key == "acceptBeta") acceptBeta = toBool(value);
        else if (key == "language") language = value;
        else if (key == "cursorType") cursorType = toInt(value);
        else if (key == todoStart) {
            todos.clear();
            for (++i; i < lines.size(); ++i) {
                if (lines[i] == todoEnd)
                    break;
                // The text after the last newline is a note only when not empty.
                if (i == lines.size() - 1 && lines[i].isEmpty())
                    break;
                todos.append(lines[i]);
            }
        }
    }
}

QByteArray ConfigLoader::serialize() const
{
    auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    QString text;
    text += QString(header) + "\n";
    text += "version:" + LauncherVersion::text() + "\n";
    text += "showLauncherStatus:" + QString::number(showLauncherStatus) + "\n";
    text += "showServerStatus:" + QString::number(showServerStatus) + "\n";
    text += "default_demo:" + flag(default_demo) + "\n";
    text += "default_p2:" + flag(default_p2) + "\n";
    text += "default_shell:" + flag(default_shell) + "\n";
    text += "default_enterprise:" + flag(default_enterprise) + "\n";
    text += "default_install:" + default_install + "\n";
    text += "default_upgrades:" + default_upgrades + "\n";
    text += "auto_port:" + flag(auto_port) + "\n";
    text += "remove_installs:" + flag(remove_installs) + "\n";
    text += "installer_status:" + flag(installer_status) + "\n";
    text += "secBeforeShutDown:" + QString::number(secBeforeShutDown) + "\n";
    text += "acceptBeta:" + flag(acceptBeta) + "\n";
    text += "language:" + language + "\n";
    text += "cursorType:" + QString::number(cursorType) + "\n";
    text += QString(todoStart) + "\n";
    for (const QString& todo : todos)
        text += todo + "\n";
    text += todoEnd;
    return text.toUtf8();
}

bool ConfigLoader::save()
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written beside the old file and renamed over it, so an interrupted save
    // never leaves a truncated settings file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = serialize();
    // A short write (full disk, size limit) must not be committed over the old file.
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
