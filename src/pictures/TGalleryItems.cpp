#include "pictures/TGalleryItems.h"
#include "app/BookData.h"
#include "app/Errors.h"

QStringList TGalleryItems::Items()
{
    QStringList items;
    for (int i = 0; i < 39; ++i) {
        const TGalleryFigure &g = GalleryFigures[i];
        const QString number = g.Figure == 31 ? QStringLiteral("31 و 32") : QString::number(g.Figure);
        QString before = QStringLiteral(" ");
        if (g.Figure == 14) before = QStringLiteral(" (متن)");          // extra characters before the digits
        if (g.Figure == 6 || g.Figure == 22) before = QStringLiteral(" \u200C");  // a zero-width non-joiner
        items << QStringLiteral("شكل ") + number + QStringLiteral(". ") + QString::fromStdString(FigureCaption(g.Figure))
                     + QStringLiteral(" صفحه") + before + QString::number(g.Page) + QLatin1Char(' ');
    }
    return items;
}

int TGalleryItems::PageOf(const QString &item)
{
    return StrToInt(item.mid(item.size() - 5, 4));
}
