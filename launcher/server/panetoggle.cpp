#include "panetoggle.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QList>
#include <QSplitter>

void togglePaneWidth(QSplitter* splitter, QByteArray*& saved)
{
    if (!saved) {
        saved = new QByteArray();
        QDataStream out(saved, QIODevice::WriteOnly);
        out << splitter->sizes();
        int total = 0;
        for (int size : splitter->sizes())
            total += size;
        splitter->setSizes({0, total});
    } else {
        QList<int> sizes;
        QDataStream in(saved, QIODevice::ReadOnly);
        in >> sizes;
        splitter->setSizes(sizes);
        delete saved;
        saved = nullptr;
    }
}
