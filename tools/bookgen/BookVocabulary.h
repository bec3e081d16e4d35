#pragma once
#include "BookRandom.h"
#include <QString>
#include <QStringList>
#include <vector>

// The words the book's text is drawn from: common function words first, then a
// selection of the Persian word list, ranked so that a Zipf-like draw puts a few
// words on almost every page and most words on few pages. Persian yeh and keheh
// are written as Arabic yeh (U+064A) and Arabic kaf (U+0643), as the book does.
class TBookVocabulary {
public:
    // Reads the word list (one word per line, optional "/FLAGS" after it; a leading
    // count line is skipped). Throws std::runtime_error when it cannot be read.
    TBookVocabulary(const QString &wordListPath, TBookRandom &random);

    int Count() const { return static_cast<int>(FWords.size()); }
    const QString &Word(int rank) const { return FWords[rank]; }
    // Rank of a Zipf-like draw (weight about 1 / (rank + 3)).
    int DrawRank(TBookRandom &random) const;
    QString Draw(TBookRandom &random) const { return FWords[DrawRank(random)]; }
    // A word from the ranks [from, to).
    QString DrawBand(TBookRandom &random, int from, int to) const;

    // U+06CC -> U+064A and U+06A9 -> U+0643.
    static QString ToArabicLetters(QString text);

private:
    std::vector<QString> FWords;
    std::vector<uint64_t> FCumulative;
};
