#pragma once
#include "marks/TMark.h"
#include "marks/TMarksPanel.h"
#include <QCoreApplication>
#include <QList>
#include <functional>

class TReaderMarks;

// The reader's marks taken out to a file and brought in from one, in the formats of
// TMarkExport, through the application's dialogs. An export writes the file whole or not
// at all. An import merges into the marks without doubling those already there, each
// passage found again on its page as the page's file reads now (a passage not found keeps
// its mark, shown as not found); a file that is not such marks says why and changes nothing.
class TMarksTransfer {
    Q_DECLARE_TR_FUNCTIONS(TMarksTransfer)
public:
    // Larger files are no marks of one book.
    static constexpr qint64 MaxImportBytes = 64 << 20;

    explicit TMarksTransfer(TReaderMarks &marks);
    void Export(TMarksPanel::TFormat format, const QList<TMark> &marks);
    void Import();

    // The marks with each place where its passage stands in its page's text now, and how
    // many were not found there; pageText gives a page's text (empty: not readable).
    static QList<TMark> Refound(QList<TMark> marks, const std::function<QString(int page)> &pageText, int *notFound);
    // A book page's text as the page core reads it, from its file; empty when unreadable.
    static QString PageText(int page);

private:
    TReaderMarks &FMarks;
};
