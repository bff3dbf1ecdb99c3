#pragma once

#include <QStringList>

// The names of the local PostgreSQL databases, listed once at start and again
// whenever the database list window opens; shared by every server tab.
class Env
{
public:
    // Created, and its list loaded, on the first call; never destroyed.
    static Env* getSingleton();

    // Lists the databases again with "psql -ltA"; a server that cannot be
    // reached is reported in a warning box and leaves whatever psql printed.
    void reloadDB();
    // Replaces the list from the lines that "psql -ltA" printed.
    void parseDB(const QStringList& lines);

    // The names in the order of the listing: the first field of every line
    // that has at least two "|"-separated fields, with its spaces removed.
    // Lines without "|" (continuations of multi-line privileges) give nothing.
    static QStringList databaseNames(const QStringList& lines);

    QStringList databases;

private:
    Env() = default;
};
