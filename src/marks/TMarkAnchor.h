#pragma once
#include "marks/TMark.h"
#include <QString>

// Where a mark stands in its page's text (UTF-16 units of the text the page shows), and
// the making of a mark from a stretch of that text.
// Finding a mark again, in this order:
// - the place it was last found still holds its quote, with its prefix and suffix: there;
// - else its quote is looked for with the search's folded rules (the yeh, kaf and hamza
//   forms, diacritics, a half-space for a blank or nothing), every run of white space
//   taken as one blank; of the places that hold it, the one whose text before and after
//   agrees longest with the mark's prefix and suffix, then the one nearest its old place;
// - a short quote is taken only where a few letters of its context agree: a common word
//   standing elsewhere on the page is other words, not the passage;
// - nowhere: not found. The mark is kept, and never drawn on other words.
// A place found covers the page's own characters of the match, the diacritics after its
// last letter included.
class TMarkAnchor {
public:
    struct TFound {
        bool Found;
        int Start;
        int End;
    };
    // A quote of fewer folded letters than MinLoneQuote needs MinLoneContext letters of its
    // prefix and suffix to agree where it is found (counted outward from it).
    static constexpr int MinLoneQuote = 12;
    static constexpr int MinLoneContext = 4;

    static TFound Find(const TMark &mark, const QString &pageText);
    // A new mark on pageText's start..end (clamped to the text, ends in either order): its
    // quote, the context either side, a new Id, Created and Changed now (UTC).
    static TMark Make(int page, const QString &pageText, int start, int end, TMark::TStyle style);
    // A mark's context from the text before (or after) its quote: the ContextLength
    // characters next to it, never beginning or ending with half a pair.
    static QString PrefixOf(QStringView before);
    static QString SuffixOf(QStringView after);
};
