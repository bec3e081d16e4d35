#pragma once
#include "marks/TMark.h"
#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// The marks file of one book, JSON:
//   {"format": "ketab-marks", "version": 1, "book": "<the book folder's canonical path>",
//    "marks": [{"id": "<uuid>", "page": 835, "quote": "...", "prefix": "...",
//               "suffix": "...", "start": 120, "end": 164, "style": "yellow", "note": "...",
//               "created": "2026-05-01T10:00:00.000Z", "changed": "...", "removed": false}]}
// A removed mark is kept as a tombstone: its id, page, times and "removed": true, without
// its words. A file is whole or it is not: JSON that is not an object of this format is
// foreign, as is a later version; an entry without its id, with a page outside the book, a
// place that runs backwards, a style or time that cannot be read, is damage, and so is
// the whole file. Fields this version does not know are passed over; a longer context
// than a mark keeps is cut to its length.
class TMarkFile {
    Q_DECLARE_TR_FUNCTIONS(TMarkFile)
public:
    static const char *const FormatName;
    static constexpr int Version = 1;
    // A place in a page's text beyond this is no place any page has.
    static constexpr int MaxOffset = 1 << 24;

    enum TStatus { fsWhole, fsDamaged, fsForeign };
    struct TRead {
        TStatus Status = fsDamaged;
        QString Book;
        QList<TMark> Marks;
        QString Error;  // why the file is not whole, in English
    };
    static TRead Read(const QByteArray &bytes);
    static QByteArray Write(const QString &book, const QList<TMark> &marks);
};
