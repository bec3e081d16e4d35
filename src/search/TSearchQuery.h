#pragma once
#include <QString>
#include <QStringList>

// The terms of one search as the reader typed them: letters normalised, split on
// '+' (any term) and '*' (every term), markup words and one-letter terms emptied.
// Emptied slots stay in place so the slot numbers keep their meaning. In folded mode
// (TFoldedText) the dropping is judged on the folded term, so a markup word in any letter
// case, or a letter with diacritics, is dropped too, and so is a term of blanks and
// half-spaces alone, which folded matching would find between any two words.
class TSearchQuery {
public:
    static constexpr int MaxTerms = 10;

    // Persian yeh and keheh become the Arabic letters the page files are written with.
    static QString Normalise(const QString &query);
    // Splits the normalised query. At most MaxTerms slots are kept: the text after the
    // tenth separator is ignored, but a '*' anywhere still selects all-terms mode.
    static TSearchQuery Parse(const QString &query, bool folded = false);
    // Words of the pages' markup and one-character terms can never be searched for.
    static bool IsDroppedTerm(const QString &term, bool folded = false);

    QStringList Terms;      // one entry per slot, 1..MaxTerms entries, empty slots included
    bool AllTerms = false;  // a '*' was seen
    bool Folded = false;    // terms match under folding (TFoldedTerm)

    int TermCount() const { return static_cast<int>(Terms.size()); }
    // Terms that take part in matching; an empty slot is never found.
    int ActiveTermCount() const;
};
