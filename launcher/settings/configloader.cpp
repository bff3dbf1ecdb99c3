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
void dropTrailingReturns(QByteArray& line)
{
    while (line.endsWith('\r'))
        line.chop(1);
}
// Lines end at "\n"; a file with none but carriage returns (an old editor's
// line ends) is read at those, so it is not taken for a one-line file.
QList<QByteArray> splitLines(const QByteArray& text)
{
    const char end = text.contains('\n') || !text.contains('\r') ? '\n' : '\r';
    QList<QByteArray> lines = text.split(end);
    // Carriage returns ending a line come from files saved with Windows line
    // endings: they never belong to a value.
    for (QByteArray& line : lines)
        dropTrailingReturns(line);
    return lines;
}
}

QString ConfigLoader::decodeLine(const QByteArray& bytes)
{
    // A NUL byte would end the decoding early and lose the rest of the line.
    QByteArray readable = bytes;
    readable.replace('\0', QByteArray());
    const QString text = QString::fromUtf8(readable);
    // Bytes that are not UTF-8 (or a NUL) cannot survive the text: the line
    // is written back as it was read for as long as nobody changes it.
    if (text.toUtf8() != bytes)
        undecodedLines.insert(text, bytes);
    return text;
}

void ConfigLoader::parse(const QByteArray& text)
{
    undecodedLines.clear();
    const QList<QByteArray> rawLines = splitLines(text);
    QStringList lines;
    for (const QByteArray& raw : rawLines)
        lines << decodeLine(raw);
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
        while (value.endsWith(QLatin1Char('\r')))
            value.chop(1);

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
        // The preferences dialog's range: a delay of 0 or less, or one that
        // overflows once turned into polls, would stop servers for ever.
        else if (key == QLatin1String("secBeforeShutDown")) secBeforeShutDown = qBound(0, toInt(value), 99);
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
    QByteArray out;
    auto line = [&](const QString& text) {
        out += undecodedLines.value(text, text.toUtf8());
        out += '\n';
    };
    line(QString(header));
    line("version:" + LauncherVersion::text());
    line("showLauncherStatus:" + QString::number(showLauncherStatus));
    line("showServerStatus:" + QString::number(showServerStatus));
    line("default_demo:" + flag(default_demo));
    line("default_p2:" + flag(default_p2));
    line("default_shell:" + flag(default_shell));
    line("default_enterprise:" + flag(default_enterprise));
    line("default_install:" + default_install);
    line("default_upgrades:" + default_upgrades);
    line("auto_port:" + flag(auto_port));
    line("remove_installs:" + flag(remove_installs));
    line("installer_status:" + flag(installer_status));
    line("secBeforeShutDown:" + QString::number(secBeforeShutDown));
    line("acceptBeta:" + flag(acceptBeta));
    line("language:" + language);
    line("cursorType:" + QString::number(cursorType));
    line(QString(todoStart));
    for (const QString& todo : todos)
        line(todo);
    out += todoEnd;
    return out;
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
    // A folder that refuses the temporary file (read-only, the file itself
    // writable) is written in place rather than not at all.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
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
