#include "app/TPdfPageChoice.h"
#include <QPrinter>
#include <algorithm>

TPdfPageChoice TPdfPageChoice::Of(const QPrinter &printer)
{
    TPdfPageChoice c;
    if (printer.printRange() == QPrinter::PageRange) c.Ranges = printer.pageRanges().toRangeList();
    c.Copies = std::max(1, printer.copyCount());
    c.Collate = printer.collateCopies();
    c.LastFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    return c;
}

bool TPdfPageChoice::All() const { return Ranges.isEmpty() && Copies == 1 && !LastFirst; }

QList<int> TPdfPageChoice::Pages(int pageCount) const
{
    QList<int> once;
    if (Ranges.isEmpty()) {
        for (int p = 1; p <= pageCount; ++p) once << p;
    } else {
        for (const QPageRanges::Range &r : Ranges)
            for (int p = std::max(1, r.from); p <= std::min(r.to, pageCount); ++p) once << p;
    }
    if (LastFirst) std::reverse(once.begin(), once.end());
    QList<int> pages;
    if (Collate) {
        for (int c = 0; c < Copies; ++c) pages << once;
    } else {
        for (int p : once)
            for (int c = 0; c < Copies; ++c) pages << p;
    }
    return pages;
}

QString TPdfPageChoice::PageList(const QList<int> &pages)
{
    QStringList parts;
    for (qsizetype i = 0; i < pages.size();) {
        qsizetype j = i;
        while (j + 1 < pages.size() && pages[j + 1] == pages[j] + 1) ++j;
        parts << (j == i ? QString::number(pages[i]) : QStringLiteral("%1-%2").arg(pages[i]).arg(pages[j]));
        i = j + 1;
    }
    return parts.join(u',');
}
