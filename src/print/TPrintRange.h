#pragma once
#include <QStringList>

// The page range the print dialog prints: bounds swapped when reversed, clamped to the
// section, and cut to the first 50 pages.
struct TPrintRange {
    static constexpr int MaxPages = 50;
    int First = 0;
    int Last = 0;

    static TPrintRange For(int section, int spinFirst, int spinLast);
    int ProgressMax() const { return Last == First ? 1 : Last - First; }
    QStringList PageFiles() const;
};
