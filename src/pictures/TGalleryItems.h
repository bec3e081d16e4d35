#pragma once
#include <QStringList>

// The gallery's 39 items, one per figure (figures 31 and 32 share one), in figure order:
// "شكل" N ". " caption " صفحه " PPPP " ". The page is read back as the four characters
// before the final blank, whatever precedes them.
class TGalleryItems {
public:
    static QStringList Items();
    // The page of an item; raises EConvertError when those four characters are no number.
    static int PageOf(const QString &item);
};
