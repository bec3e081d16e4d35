#pragma once
#include "app/TPageLayers.h"
#include <QColor>
#include <QString>

// The sentence being read aloud, marked on the page: a lilac fill inside a violet outline,
// apart from the search's orange and the index's blue words and from the reader's own
// marks (yellow, green, blue or pink fills, an underline). On the night page the fill is a
// deep lilac under which every night colour of text (plain, heading, link, the two kinds of
// marked words) keeps a contrast of at least 4.5 to 1; by day the book's black text does.
// Only the screen: a print keeps the book's look. The layer's script tells the program the
// page's text, where its blocks and lines begin, the selection, the first place in view and
// where the page's menu was asked for; it marks a stretch of the text (ketab.wrap) and
// scrolls it into view when it is not wholly in view.
class TSpokenSentence {
public:
    static const QColor DayFill;
    static const QColor DayOutline;
    static const QColor NightFill;
    static const QColor NightOutline;
    static const QColor DayText;

    static const char *const LayerName;
    static TPageLayer Layer();
    // Script for Layers().Run: the page as JSON {text, breaks, selection, visible, menuAt}.
    static QString AskPage();
    // Script that marks [start, end) of the page's text, the night look when night is set.
    static QString Mark(int start, int end, bool night);
    static QString Clear();
};
