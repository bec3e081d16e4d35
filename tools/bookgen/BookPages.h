#pragma once
#include "BookFiles.h"
#include "BookRandom.h"
#include "BookVocabulary.h"
#include <QString>
#include <vector>

// A chapter of a section: where it starts and its title, for the tables of contents.
struct TBookChapter {
    int Number;     // within its section, from 1
    int Page;       // global page number of its first page
    QString Title;  // "فصل" + number + ": " + title words
};

// Writes the book's 3983 page files and remembers what the contents and index
// pages need: the chapters and on which pages the index candidates occur.
class TBookPages {
public:
    // Index candidates are the words of ranks [IndexBandFrom, IndexBandTo).
    static constexpr int IndexBandFrom = 150;
    static constexpr int IndexBandTo = 12000;
    // Lines before a page's text (head and body tag); the search and print skip them.
    static constexpr int HeadLines = 15;

    TBookPages(const TBookVocabulary &words, uint64_t seed);
    void Write(const QString &bookFolder);

    const std::vector<TBookChapter> &Chapters(int section) const { return FChapters[section]; }
    // Pages (ascending, distinct) on whose text the word of this rank occurs.
    const std::vector<int> &PagesOf(int rank) const { return FWordPages[rank - IndexBandFrom]; }
    // Every text written outside the running text (titles, headings, captions): index
    // words are never taken from it, so marking an index word never touches markup.
    const QString &FixedText() const { return FFixedText; }

    // How page p is stored: a fixed subset UTF-16 LE, a few UTF-8 without mark, the rest UTF-8 with mark.
    static TBookEncoding EncodingOf(int page);
    // A few UTF-8 pages use lone LF line ends.
    static bool LfOnly(int page);
    // Pages that also hold the ways a reader's spelling differs from the book's: a line of
    // verse with its vowel marks, a date in Persian digits, compound words joined by a
    // half-space (U+200C) and written apart with a blank, names with hamza-carrying alefs.
    static bool HasVariants(int page) { return page % 29 == 3; }
    // Pages that quote a verse as a devout print sets it: the Arabic letter mark before it,
    // Quranic annotation marks on its letters and after its words, no-break and narrow
    // no-break spaces between some of its words.
    static bool HasQuotation(int page) { return page % 97 == 13; }
    // The short name of a section: volume and part, without the subtitle.
    static QString VolumeName(int section);

private:
    QString Sentence(int page);
    QString Paragraph(int page, int sentences);
    QStringList PageLines(int page, int section);
    QString VariantsParagraph(int page) const;
    QString QuotationParagraph(int page) const;
    void PlanChapters();

    const TBookVocabulary &FWords;
    TBookRandom FRandom;
    std::vector<TBookChapter> FChapters[6];
    std::vector<std::vector<int>> FWordPages;
    std::vector<QStringList> FPhrases;
    QString FFixedText;
};
