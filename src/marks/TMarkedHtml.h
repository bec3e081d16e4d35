#pragma once
#include "marks/TMark.h"
#include <QList>
#include <QString>
#include <vector>

// A book page's HTML read the way the page core reads the page on screen, so marks can be
// found again in a page the view does not show (a print, an import) and written into a
// copy of it. The text is that of the text nodes under the body in document order: tags
// and comments dropped, character references decoded, each line break one LF (as the
// engine's parser turns CR LF), script and style skipped; HTML without a body tag (a part
// of a page) is read whole. The page's files are never changed: Mark gives a copy.
class TMarkedHtml {
public:
    // A stretch of the text to show as marked, in a style.
    struct TStretch {
        int Start = 0, End = 0;
        TMark::TStyle Style = TMark::msYellow;
    };

    static QString Text(const QString &html);
    // A copy of html with each stretch's characters inside spans that draw the style
    // inline (so print and PDF show it), one span for each run of text between two tags,
    // none around blanks alone. Where stretches overlap, the later one shows.
    static QString Mark(const QString &html, const QList<TStretch> &stretches);
    // The marks (those of this page) found again in html's text and written in; marks not
    // found are left out and counted in notFound.
    static QString WithMarks(const QString &html, const QList<TMark> &marks, int *notFound = nullptr);
    // The inline style of a mark's span in print.
    static QString PrintStyle(TMark::TStyle style);

private:
    // Each unit of the text with the source characters it came from.
    struct TUnit {
        qsizetype Begin, End;  // in html
        int Run;               // the run of text between two tags it belongs to
    };
    static QString Read(const QString &html, std::vector<TUnit> *units);
};
