#include "print/TPrintRange.h"
#include "app/ReaderState.h"
#include <algorithm>

TPrintRange TPrintRange::For(int section, int spinFirst, int spinLast)
{
    TPrintRange r;
    r.First = std::min(spinFirst, spinLast);
    r.Last = std::max(spinFirst, spinLast);
    const int lo = ReaderState.FirstPage[section], hi = ReaderState.LastPage[section];
    if (r.First < lo) r.First = lo;
    if (r.Last > hi) r.Last = hi;
    if (r.Last - r.First + 1 > MaxPages) r.Last = r.First + MaxPages - 1;
    return r;
}

QStringList TPrintRange::PageFiles() const
{
    QStringList files;
    for (int p = First; p <= Last; ++p) files << PageFile(SectionOf(p), p);
    return files;
}
