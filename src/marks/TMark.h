#pragma once
#include <QDateTime>
#include <QString>

// A passage of a book page the reader marked, in a colour or underlined, perhaps with a
// note. The passage is kept by what it says, not only where it stood: the quote, the 32
// characters before and after it, and its place in the page's text (UTF-16 units of the
// text the page shows, as the page core counts them). A page whose text changed finds
// its marks again by quote, prefix and suffix under the search's folded rules; a mark
// that cannot be found again is kept, never drawn on other words.
// Marks are known by their Id across programs and files; a removed mark stays as a
// tombstone (Removed, with the time of its removal in Changed), so a merge with another
// program's file does not bring it back.
struct TMark {
    static constexpr int ContextLength = 32;
    enum TStyle { msYellow, msGreen, msBlue, msPink, msUnderline };
    static constexpr int StyleCount = 5;

    QString Id;         // a UUID, without braces
    int Page = 0;       // the book page, 1..3983
    QString Quote;      // the marked text itself
    QString Prefix;     // up to ContextLength characters before it on the page
    QString Suffix;     // up to ContextLength characters after it
    int Start = 0;      // the quote's place in the page's text when it was last found
    int End = 0;
    TStyle Style = msYellow;
    QString Note;       // any length, any script; empty for none
    QDateTime Created;  // UTC
    QDateTime Changed;  // UTC: the last change, or the removal
    bool Removed = false;

    bool operator==(const TMark &) const = default;
};
