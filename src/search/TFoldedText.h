#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

// Text as folded matching sees it. Folding gives the ways a word may be written one
// form: the yeh forms, the kaf forms, the alefs with hamza or madda, waw with hamza, teh
// marbuta and heh with yeh each become one letter; Persian and Arabic-Indic digits
// become ASCII digits; Latin letters become small letters; the other spaces of Unicode
// (the no-break space among them) become blanks; diacritics, the Quranic annotation
// marks, tatweel, the zero-width joiner and the direction marks vanish. Blanks and
// half-spaces (U+200C) stay: they are what a term's matching has to judge apart from its
// letters.
//
// The folded text is kept as UTF-8 without its half-spaces, with a sorted list of the
// places where they stood, so the letters of a term are found by a plain byte search.
// Positions in the folded text ("elements") count each byte and each half-space once;
// a half-space comes before the byte it stands before.
class TFoldedText {
public:
    static constexpr char16_t HalfSpace = 0x200C;

    // The folded character, or 0 when c vanishes (U+0000 itself stays). Blanks and
    // half-spaces are kept.
    static char16_t FoldChar(char16_t c);
    // The term as the query rules judge it: folded, blanks and half-spaces as typed.
    static QString Fold(QStringView text);

    TFoldedText() = default;
    // With map: map[e] is the offset in text where element e begins (the characters that
    // vanish belong to the element before them), map[ElementCount()] is text.size().
    explicit TFoldedText(QStringView text, std::vector<qsizetype> *map = nullptr);

    const QByteArray &Bytes() const { return FBytes; }
    const std::vector<quint32> &Joins() const { return FJoins; }
    qsizetype ElementCount() const { return FBytes.size() + static_cast<qsizetype>(FJoins.size()); }
    // Half-spaces standing before bytes from..to (both included).
    int JoinsBetween(qsizetype from, qsizetype to) const;
    // Element of byte b, and of the k-th half-space.
    qsizetype ByteElement(qsizetype b) const;
    qsizetype JoinElement(size_t k) const { return FJoins[k] + static_cast<qsizetype>(k); }
    // First half-space standing at or after byte b.
    size_t FirstJoinAt(qsizetype b) const;
    qsizetype MemorySize() const { return FBytes.capacity() + static_cast<qsizetype>(FJoins.capacity() * sizeof(quint32)); }
    void Squeeze();

private:
    QByteArray FBytes;
    std::vector<quint32> FJoins;
};

// One search term under folded matching. Within a term, a half-space matches a
// half-space, a blank or nothing in the page, and a blank a blank or a half-space; a
// half-space of the page matches nothing as well, a blank of the page never does. With
// whole words, the page's characters next to the match (those that vanish skipped) must
// not be word characters.
class TFoldedTerm {
public:
    struct TSpan {
        qsizetype Begin;  // elements of the folded text
        qsizetype End;
    };

    explicit TFoldedTerm(const QString &term);
    // A term without letters, digits or other characters besides blanks and half-spaces
    // is never found.
    bool IsEmpty() const { return FPieces.empty(); }
    bool Occurs(const TFoldedText &text, bool wholeWord) const;
    // Every match, by its beginning; each the shortest that stands there. Matches may overlap.
    std::vector<TSpan> FindAll(const TFoldedText &text, bool wholeWord) const;

private:
    struct TRun {
        int Blanks = 0;
        int Joins = 0;
        int Size() const { return Blanks + Joins; }
    };
    // Verifies a match around an occurrence of the longest piece at byte c; its span is
    // worked out only when asked for.
    bool MatchAt(const TFoldedText &text, qsizetype c, bool wholeWord, bool needSpan, TSpan &span) const;
    // Calls found with every match (around each occurrence of the longest piece) until it answers false.
    template <class F> void EachMatch(const TFoldedText &text, bool wholeWord, bool needSpan, F &&found) const;

    std::vector<QByteArray> FPieces;  // the letters between blanks and half-spaces, folded, UTF-8
    std::vector<TRun> FGaps;          // between piece k and k+1
    TRun FLead, FTrail;
    size_t FLongest = 0;
};
