#pragma once

#include <QString>
#include <QStringList>

// Known Velt module names, offered by the install and upgrade fields'
// completers, and the handling of those fields' comma-separated lists.
class AC_list
{
public:
    static QStringList modules;
    // Fills `modules`; called once at start-up, before any tab exists.
    static void init();

    // The field's pieces: blanks count as commas; empty pieces kept.
    static QStringList splitModules(const QString& text);
    // The clean comma list: no blanks, no empty names, a trailing comma kept
    // while the user is typing the next name.
    static QString normalised(const QString& text);
    // The name being typed: the last piece.
    static QString completionPrefix(const QString& text);
    // The field once `picked` replaces the name being typed.
    static QString withCompletion(const QString& text, const QString& picked);
};
