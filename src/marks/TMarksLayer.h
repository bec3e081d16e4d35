#pragma once
#include "app/TPageLayers.h"
#include "marks/TMark.h"
#include <QColor>
#include <QJsonArray>
#include <QString>

// The reader's marks as they are laid over a page: each colour a background behind the
// marked characters, the underline a line under them; a mark with a note ends in a small
// sign that shows the note when the pointer rests on it or the keyboard reaches it.
// The colours keep two rules: the text under a mark stays readable (at least 4.5 to 1,
// against the book's text and headings by day and against every colour of the night
// page at night), and no mark looks like the search's orange or the index's blue ones.
// Marked spans read as marks to a screen reader, with the note as their description.
// Sizes are in em, so marks follow the text size. Only the screen: a print draws marks
// of its own (TMarkedHtml).
//
// The script keeps no rule of its own: the program finds each mark in the page's text and
// hands the script the places to draw; the script only sees that each still holds its quote. Besides drawing, it places a caret for the
// keyboard: F7 turns it on and off; arrows then move it (Ctrl by words), and with Shift
// they stretch the selection from it, as in a text field.
class TMarksLayer {
public:
    static constexpr double MinContrast = 4.5;
    static const char *const LayerName;
    // The attribute values of the page's mark spans.
    static const char *const MarkAttribute;   // data-ketab-mark: the mark's Id
    static const char *const StyleAttribute;  // data-ketab-style: the style's name (TMarkStyle::Name)

    // By day a background over the book's page in the style's own colour (TMarkStyle); at
    // night a dark tint with a bright line along its foot. The underline has no background.
    static QColor DayColour(TMark::TStyle style);
    static QColor NightColour(TMark::TStyle style);
    static QColor NightLine(TMark::TStyle style);
    static QColor UnderlineColour(bool night);
    // The colours the page's text may have under a mark: the book's text and headings by
    // day; the night page's text, headings, links and its search and index marks at night.
    static QList<QColor> TextColours(bool night);

    static QString StyleSheet(bool night);
    static QString Script();
    static TPageLayer Layer(bool night);

    // One mark to draw: its place in the page's text.
    struct TDrawn {
        QString Id;
        int Start = 0, End = 0;
        TMark::TStyle Style = TMark::msYellow;
        QString Note;
        QString Quote;
    };
    // The script that draws the marks at their places on the shown page, in place of those
    // drawn before, when each still holds its quote there (the first of TMarkAnchor's rules,
    // which spares a page that has not changed a turn to the program and back); its value
    // is {"placed": true}, or else the page's text and a token for DrawScript.
    static QString PlaceScript(const QList<TDrawn> &marks);
    // The script that draws these marks, found in the text that came with token, in place
    // of those drawn before, when the page is still the one that text was read from.
    static QString DrawScript(const QString &token, const QList<TDrawn> &marks);
};
