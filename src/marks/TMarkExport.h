#pragma once
#include "marks/TCitation.h"
#include "marks/TMark.h"
#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// What an import read: the marks, or why the file gives none (then nothing is to change).
struct TImported {
    QList<TMark> Marks;
    QString Error;    // for the reader, through tr(); empty when marks were read
    int Skipped = 0;  // annotations passed over: not of this book's pages, or without a quote
};

// The reader's marks taken out of the program, and brought back in.
// - Markdown and HTML: the live marks in book order, grouped by volume and part under the
//   book's section titles, each with its quote in its citation, its colour and its note.
//   The HTML reads right to left in the book's font.
// - Web annotations (W3C, JSON-LD): one collection of annotations, each aimed at its book
//   page's file (datas/pSSPPPP.htm) with a TextQuoteSelector (exact, prefix, suffix) and a
//   TextPositionSelector (start, end), the note as a TextualBody, the colour as the
//   target's style class with its CSS in the annotation's stylesheet.
// - Import takes such annotations (a collection, a page of them, a list or one) or a
//   marks file of this program (one moved aside once mended); an annotation aimed
//   elsewhere or without a quote is passed over. The places read are where to look
//   first: the caller finds each passage again on its page.
class TMarkExport {
    Q_DECLARE_TR_FUNCTIONS(TMarkExport)
public:
    static const char *const BookFont;

    static QString Markdown(const QList<TMark> &marks, const TCitationNames &names);
    static QString Html(const QList<TMark> &marks, const TCitationNames &names);
    static QByteArray WebAnnotation(const QList<TMark> &marks, const TCitationNames &names);
    static TImported Import(const QByteArray &json);

    // The book page's file as a web annotation names it, e.g. datas/p020835.htm; the
    // page from such a name (or a path or address ending in one), 0 for none.
    static QString PageSource(int page, const TCitationNames &names);
    static int PageOfSource(const QString &source);
};
