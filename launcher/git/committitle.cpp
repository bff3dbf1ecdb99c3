#include "committitle.h"

#include <QStringList>

QString commitCardTitle(const QString& author, const QString& message, const QFontMetrics& metrics)
{
    QString name = author;
    const QStringList nameParts = author.split('<');
    if (nameParts.size() > 1)
        name = nameParts[0];

    const int blankWidth = metrics.horizontalAdvance(' ');
    const int room = 200 - metrics.horizontalAdvance(name);
    const int blanks = (room > 0 && blankWidth > 0) ? room / blankWidth : 0;

    QString firstLine;
    for (const QString& piece : message.left(150).split('\n')) {
        if (!piece.trimmed().isEmpty()) {
            firstLine = piece;
            break;
        }
    }
    return name + QString(blanks, ' ') + firstLine;
}
