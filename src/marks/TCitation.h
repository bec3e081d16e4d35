#pragma once
#include "marks/TMark.h"
#include <QList>
#include <QString>

// What a citation is made of: the book's name, the citation's template, and each section's
// pages and names in the book's own words ("جلد دوم" and "بخش يكم", and the subtitle).
struct TCitationNames {
    struct TSection {
        int First = 0;
        int Last = 0;
        QString Volume;    // جلد دوم
        QString Part;      // بخش يكم; empty for a volume of one part
        QString Subtitle;  // روزگار ساسانيان
        // The volume and part as a citation names them: جلد دوم، بخش يكم
        QString Place() const;
    };
    QString Book;
    QString Template;
    QList<TSection> Sections;

    // This book's: the section table and the section titles.
    static TCitationNames OfBook();
    // The section holding the page; nullptr for none.
    const TSection *SectionOf(int page) const;
    // The template filled: {quote} the quote on one line, {book}, {section} the volume and
    // part, {page} the page's number as the reading window shows it. A page outside the
    // sections: the quote in its marks alone.
    QString Cite(int page, const QString &quote) const;
};

// The citation of a passage in the book's terms, e.g.
// «...» (کتاب، جلد دوم، بخش يكم، صفحه 835).
class TCitation {
public:
    static const char *const Template;
    static const char *const BookName;

    static QString For(const TMark &m);
    static QString For(int page, const QString &quote);
    // The quote on one line: every run of white space one blank, none at its ends.
    static QString OneLine(const QString &quote);
};
