#pragma once
#include <QStringList>

// The page range the print dialog prints: bounds swapped when reversed, clamped to the
// section, and cut to the first 50 pages. A range wholly before or after its section
// clamps to an empty range (section 2, pages 10..20: 766..20), which prints nothing.
struct TPrintRange {
    static constexpr int MaxPages = 50;
    int First = 0;
    int Last = 0;

    static TPrintRange For(int section, int spinFirst, int spinLast);
    bool Empty() const { return Last < First; }
    int ProgressMax() const { return Last <= First ? 1 : Last - First; }
    QStringList PageFiles() const;
};
