#pragma once
#include <QList>
#include <QString>

// One sentence of a page: where it lies in the page's text (UTF-16 units, [Start, End)) and
// what the voice is given to say for it.
struct TSentence {
    int Start = 0;
    int End = 0;
    QString Spoken;
    bool operator==(const TSentence &) const = default;
};

// Cuts a page's text into the sentences read aloud one at a time, in order.
// - A sentence ends after a full stop (. or ۔), ؟ ? ! ؛ or … followed by a blank or the end
//   of the text, together with the quotes and brackets that close it (».) and the other
//   marks beside it (؟!); and at every break the page gives (where a paragraph, heading,
//   caption or line begins).
// - A dot with no blank after it ends nothing: a number (3.5, ۱۳۷۴.۰۵.۲۵), an abbreviation
//   written close (ق.م), an address. Nor does a dot after an abbreviation's last letter
//   (ق.م.) or a Latin initial (J. R.), though one after a Persian word of one letter does; or
//   after a number among the first two words of a paragraph: a picture's caption or a
//   list item is labelled so (شكل 1. نقشه شهر).
// - Half-spaces and diacritics belong to their words: never a place to cut, kept in what
//   is said. Blanks and line ends inside a sentence are said as one blank; the tatweel
//   that only stretches a word is left out; a slash between digits (a date, ۱۳۷۴/۰۵/۲۵) is
//   said as a pause, since the voice would spell it out.
// - The page's heading line ("<section> - صفحه 766", its first paragraph) is said as
//   "صفحه 766"; a paragraph that is only a number at the page's end (its page number) is
//   not said; nor is a piece without a letter or digit.
// - A sentence longer than MaxLength is cut at its last comma, colon or blank before that
//   length, so no one message holds the voice for minutes.
class TSentenceCutter {
public:
    static constexpr int MaxLength = 300;
    // breaks: places in text where a paragraph, heading, caption or line begins, in any order.
    static QList<TSentence> Cut(const QString &text, const QList<int> &breaks);
    // The index of the sentence that holds the place, or else of the first one after it;
    // -1 when none is left.
    static int At(const QList<TSentence> &sentences, int place);
    // The sentences from a place on (a selection's start): the one it falls in begins there.
    static QList<TSentence> From(const QList<TSentence> &sentences, const QString &text, int place);
    // What the voice is given for a stretch of the page's text.
    static QString Spoken(const QString &piece);
};
