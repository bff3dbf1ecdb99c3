#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The per-workspace settings file VLconfig: a header, the database list, one
// "key:::value" line per option and the community clone's checkout points,
// one record per line. Values are written exactly as the widgets hold them.
namespace VLConfig {

extern const char* const header;
extern const char* const dbStart;
extern const char* const dbEnd;
extern const char* const checkoutStart;
extern const char* const checkoutEnd;
extern const char* const separator;

// The 66 option keys, in file order. Matched case-sensitively.
const QStringList& keys();

// What the writer puts in the file.
struct Content
{
    QStringList databases;
    QHash<QString, QString> values; // by key; a missing key is written empty
    QStringList checkoutPoints;
};

// One record met by the reader, in file order.
struct Entry
{
    enum Kind { Value, Databases, CheckoutPoints, Unknown };
    Kind kind;
    QString key;       // Value and Unknown: the key as read
    QString value;     // Value: up to the second separator, empty without one
    QStringList items; // Databases and CheckoutPoints: the section's lines
};

QByteArray serialize(const Content& content);
// Reads every record. A section without its closing line ends at the end of
// the text with the lines read so far; a known key without a separator has
// an empty value; header lines ("#...") are skipped.
QList<Entry> parse(const QByteArray& text);

// Replaces the file atomically, readable by its owner only (it holds
// passwords in clear). Returns false, leaving any old file whole, on failure.
bool write(const QString& path, const Content& content);
// The file's records; false when it cannot be read.
bool read(const QString& path, QList<Entry>& entries);
// The value the file holds for `key` (the last one read, as the form takes
// it); empty without the key or the file.
QString value(const QString& path, const QString& key);

}
