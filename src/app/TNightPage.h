#pragma once
#include "app/TPageLayers.h"
#include <QColor>
#include <QString>

// The night page: every page light on dark, laid over the book's own style by the view,
// so the book's files stay as they are. Text, headings, links and the two kinds of marked
// words (the search's and the index's) each get a colour that stands out from the night
// background by at least the contrast readers need (4.5 to 1); pictures are left as they
// are. Only the screen: a print, its preview and a PDF keep the book's colours.
class TNightPage {
public:
    static constexpr double MinContrast = 4.5;
    static const QColor Background;
    static const QColor Text;
    static const QColor Heading;
    static const QColor Link;
    static const QColor SearchMark;  // over the result page's orange marks
    static const QColor IndexMark;   // over the index page's blue marks
    // The marks' colours as the pages write them.
    static const char *const SearchMarkColour;
    static const char *const IndexMarkColour;

    static const char *const LayerName;
    static QString StyleSheet();
    // The night page as a layer over the page.
    static TPageLayer Layer();
    // The contrast ratio of two colours, 1 to 21, by the relative luminance of sRGB.
    static double Contrast(const QColor &a, const QColor &b);
};
