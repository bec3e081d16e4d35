#pragma once
#include "BookPages.h"
#include "BookRandom.h"
#include "BookVocabulary.h"

// Writes the navigation pages of the book: the five tables of contents
// (datas/dir01.htm..dir05.htm) and the two index pages (datas/ind01.htm, the
// general index, and datas/ind02.htm, the index of works). Index entries link to
// p + SS + PPPP + ".htm#" + word, the word written raw as it stands on the page.
class TBookContents {
public:
    TBookContents(const TBookVocabulary &words, const TBookPages &pages, uint64_t seed);
    void Write(const QString &bookFolder);

    // Persian alphabetical order of two words, independent of the system's locale.
    static bool PersianLess(const QString &a, const QString &b);

private:
    QString ContentsPage(int section) const;
    QString IndexPage(const QString &title, int from, int to, int count, bool works);

    const TBookVocabulary &FWords;
    const TBookPages &FPages;
    TBookRandom FRandom;
};
