#pragma once
#include <QList>
#include <QPageRanges>
#include <QString>
#include <QStringList>

class QPrinter;

// Which pages of a document printed to a PDF file go into the file, and in which order:
// the printer dialog's page ranges (pages past the document's end dropped), the copies
// (collated: the whole choice again; not collated: each page repeated), the last page
// first when asked. The engine writes a PDF of every page once; a choice that is not
// that is cut from it afterwards.
class TPdfPageChoice {
public:
    static TPdfPageChoice Of(const QPrinter &printer);

    // Every page once, first page first: the engine's PDF as it is.
    bool All() const;
    // The pages (1-based) in their order, for a document of pageCount pages; empty when
    // none of the chosen pages is in the document.
    QList<int> Pages(int pageCount) const;
    // The pages as a page list of the PDF tool: runs joined ("1-3,5,5").
    static QString PageList(const QList<int> &pages);

    QList<QPageRanges::Range> Ranges;  // empty: every page
    int Copies = 1;
    bool Collate = true;
    bool LastFirst = false;
};
