#include "terminalfont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {
const char* const libraryDefaultFamily = "Monospace";
const char* const fallbackFamily = "DejaVu Sans Mono";

bool isFixedWidth(const QFont& font)
{
    return QFontInfo(font).fixedPitch();
}
}

namespace TerminalFont {

QFont choose()
{
    // Some platforms (the offscreen one among them) answer the fixed-width
    // query with a proportional font, so the answer is checked.
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (isFixedWidth(system))
        return system;
    QFont fallback(fallbackFamily, system.pointSize() > 0 ? system.pointSize() : 10);
    fallback.setStyleHint(QFont::TypeWriter);
    fallback.setFixedPitch(true);
    return fallback;
}

void prepare()
{
    // Only the generic name is redirected, and only when it does not already
    // give a fixed-width font.
    if (isFixedWidth(QFont(libraryDefaultFamily)))
        return;
    const QString family = QFontInfo(choose()).family();
    if (!QFont::substitutes(libraryDefaultFamily).contains(family))
        QFont::insertSubstitution(libraryDefaultFamily, family);
}

}
