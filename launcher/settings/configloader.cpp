#include "configloader.h"

#include "homedirectory.h"
#include "launcherversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {
QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
}

ConfigLoader::LoadResult ConfigLoader::load()
{
    loadError.clear();
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so a named pipe at the path cannot stall start-up; the
    // descriptor's own type is checked, not the path's, so nothing can be
    // swapped in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) {
            loadResult = LoadResult::Missing;
        } else {
            loadResult = LoadResult::Unreadable;
            loadError = systemReason(error);
            saveBlocked = true;
        }
        return loadResult;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        loadResult = LoadResult::NotRegularFile;
        loadError = QCoreApplication::translate("ConfigLoader", "it is not a regular file");
        saveBlocked = true;
        return loadResult;
    }

    QByteArray text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, int(got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            const int error = errno;
            ::close(fd);
            loadResult = LoadResult::Unreadable;
            loadError = systemReason(error);
            saveBlocked = true;
            return loadResult;
        }
    }
    ::close(fd);
    parse(text);
    loadResult = LoadResult::Read;
    return loadResult;
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
void dropTrailingReturns(QString& text)
{
    int end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char('\r'))
        --end;
    text.truncate(end);
}
}

void ConfigLoader::parse(const QByteArray& text)
{
    // A NUL byte would end the decoding early and lose every line after it.
    QByteArray bytes = text;
    bytes.replace('\0', QByteArray());
    // Lines end at "\n"; a final piece without one still counts as a line.
    // Carriage returns ending a line come from files saved with Windows line
    // endings: they never belong to a value.
    QStringList lines = QString::fromUtf8(bytes).split('\n');
    for (QString& line : lines)
        dropTrailingReturns(line);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (i == lines.size() - 1 && line.isEmpty())
            break;
        // The key ends at the first ":", the value at the second.
        const int colon = line.indexOf(QLatin1Char(':'));
        const QString key = colon < 0 ? line : line.left(colon);
        // A known key without ":" reads as an empty value. A value ending in
        // "\r" (cut at a second ":") would lose it once written on its own line.
        QString value;
        if (colon >= 0) {
            const int next = line.indexOf(QLatin1Char(':'), colon + 1);
            value = line.mid(colon + 1, next < 0 ? -1 : next - colon - 1);
        }
        dropTrailingReturns(value);

        if (key == QLatin1String("version")) version = toInt(value);
        else if (key == QLatin1String("showLauncherStatus")) showLauncherStatus = toInt(value);
        else if (key == QLatin1String("showServerStatus")) showServerStatus = toInt(value);
        else if (key == QLatin1String("default_demo")) default_demo = toBool(value);
        else if (key == QLatin1String("default_p2")) default_p2 = toBool(value);
        else if (key == QLatin1String("default_shell")) default_shell = toBool(value);
        else if (key == QLatin1String("default_enterprise")) default_enterprise = toBool(value);
        else if (key == QLatin1String("default_install")) default_install = value;
        else if (key == QLatin1String("default_upgrades")) default_upgrades = value;
        else if (key == QLatin1String("auto_port")) auto_port = toBool(value);
        else if (key == QLatin1String("remove_installs")) remove_installs = toBool(value);
        else if (key == QLatin1String("installer_status")) installer_status = toBool(value);
        else if (key == QLatin1String("secBeforeShutDown")) secBeforeShutDown = toInt(value);
        else if (key == QLatin1String("acceptBeta")) acceptBeta = toBool(value);
        else if (key == QLatin1String("language")) language = value;
        else if (key == QLatin1String("cursorType")) cursorType = toInt(value);
        else if (key == QLatin1String(todoStart)) {
            todos.clear();
            for (++i; i < lines.size(); ++i) {
                if (lines.at(i) == QLatin1String(todoEnd))
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
    if (!writeFile())
        return false;
    saveError.clear();
    return true;
}

bool ConfigLoader::writeFile()
{
    auto fail = [this](const QString& reason) {
        saveError = reason;
        ++failedSaves;
        if (onSaveFailed)
            onSaveFailed(*this);
        return false;
    };
    if (saveBlocked) {
        return fail(loadResult == LoadResult::NotRegularFile
                        ? QCoreApplication::translate("ConfigLoader", "it is not a regular file")
                        : QCoreApplication::translate("ConfigLoader",
                                                      "it could not be read, so it is not written over"));
    }
    // Something that is not a regular file may have appeared since load().
    const QFileInfo existing(path);
    if ((existing.exists() || existing.isSymLink()) && !existing.isFile())
        return fail(QCoreApplication::translate("ConfigLoader", "it is not a regular file"));

    const QString folder = existing.absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QCoreApplication::translate("ConfigLoader", "the folder %1 cannot be created").arg(folder));
    // Written beside the old file and renamed over it, so an interrupted save
    // never leaves a truncated settings file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    const QByteArray text = serialize();
    // A short write (full disk, size limit) must not be committed over the old file.
    if (file.write(text) != text.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
