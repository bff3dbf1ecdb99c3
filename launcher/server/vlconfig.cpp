#include "vlconfig.h"

#include <QFile>
#include <QSaveFile>

namespace VLConfig {

const char* const header = "### CONFIG FILE ###";
const char* const dbStart = "<--- DB <---";
const char* const dbEnd = "---> DB --->";
const char* const checkoutStart = "<--- GitCheckoutPoints <---";
const char* const checkoutEnd = "---> GitCheckoutPoints --->";
const char* const separator = ":::";

const QStringList& keys()
{
    static const QStringList list = {
        "python2", "shell", "enterprise", "demo_data", "install", "upgrade", "db", "color", "port", "log",
        "http-interface", "longPollingPort", "no-HTTP", "Proxy-mode", "logFile", "logRotate", "Syslog",
        "log-handler", "logDB", "LogDBLevel", "DBUser", "DBPassword", "pg-path", "DBHost", "DBPort",
        "DBSSLMode", "DBMaxCo", "DBTemplate", "TestFile", "Report-directory", "Test-enable", "Test-commit",
        "email-from", "smtp-server", "smtp-port", "smtp-ssl", "smtp-user", "smtp-password", "loadLanguage",
        "language", "il8nExport", "il8nImport", "il8nOverwrite", "INmodules", "dev-mode-all", "dev-mode-db",
        "dev-mode-db-cb", "dev-mode-reload", "dev-mode-qweb", "dev-mode-werkzeug", "dev-mode-xml",
        "shellInterface", "stop-after-init", "unaccent", "OSVMemoryCount", "OSVAgeLimit", "MaxCronThreads",
        "GeoipDB", "Workers", "LimitMemorySoft", "LimitMemoryHard", "LimitTimeCPU", "LimitTimeReal",
        "limitTimeRealCron", "limitRequest", "CustomParams",
    };
    return list;
}

QByteArray serialize(const Content& content)
{
    QByteArray text;
    auto line = [&text](const QString& record) { text += record.toUtf8() + '\n'; };
    line(header);
    line(dbStart);
    for (const QString& database : content.databases)
        line(database);
    line(dbEnd);
    for (const QString& key : keys())
        line(key + separator + content.values.value(key));
    line(checkoutStart);
    for (const QString& point : content.checkoutPoints)
        line(point);
    line(checkoutEnd);
    return text;
}

QList<Entry> parse(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    // The final "\n" ends the last record; it does not open an empty one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    // Each record is decoded up to a NUL byte, by Qt 5 and Qt 6 alike.
    QList<Entry> entries;
    int index = 0;
    auto readSection = [&](const char* end) {
        QStringList items;
        while (index < lines.size()) {
            const QString record = QString::fromUtf8(lines.at(index++).constData());
            if (record == QLatin1String(end))
                break;
            items << record;
        }
        return items;
    };

    while (index < lines.size()) {
        const QString record = QString::fromUtf8(lines.at(index++).constData());
        const QStringList pieces = record.split(separator);
        const QString key = pieces.first();
        if (keys().contains(key)) {
            entries << Entry{Entry::Value, key, pieces.size() > 1 ? pieces.at(1) : QString(), {}};
        } else if (record == QLatin1String(checkoutStart)) {
            entries << Entry{Entry::CheckoutPoints, {}, {}, readSection(checkoutEnd)};
        } else if (key.startsWith('#')) {
            continue;
        } else if (record == QLatin1String(dbStart)) {
            entries << Entry{Entry::Databases, {}, {}, readSection(dbEnd)};
        } else {
            entries << Entry{Entry::Unknown, key, {}, {}};
        }
    }
    return entries;
}

bool write(const QString& path, const Content& content)
{
    const QByteArray text = serialize(content);
    // Every tab saves once as it is built: a private file that already holds
    // the text is left as it is, rather than rewritten and flushed to disk for
    // every workspace at every start.
    QFile current(path);
    const QFileDevice::Permissions shared = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther
                                            | QFileDevice::ExeOther;
    if (current.open(QIODevice::ReadOnly) && current.size() == text.size() && !(current.permissions() & shared)
        && current.readAll() == text)
        return true;
    current.close();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Owner-only before the first byte, so the passwords are never readable by others.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

bool read(const QString& path, QList<Entry>& entries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    entries = parse(file.readAll());
    return true;
}

QString value(const QString& path, const QString& key)
{
    QList<Entry> entries;
    read(path, entries);
    QString found;
    for (const Entry& entry : entries)
        if (entry.kind == Entry::Value && entry.key == key)
            found = entry.value;
    return found;
}

}
