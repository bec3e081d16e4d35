#pragma once
#include <QString>
#include <functional>

// Each drawing file registers one painter of its area; main() runs them all.
// A painter writes PNG files named after their resource keys into the folder it is given.
struct TArtworkPainter {
    TArtworkPainter(const char *area, std::function<void(const QString &folder)> paint);
};
#define KETAB_ARTWORK(area, fn) static TArtworkPainter artworkPainter_##fn(area, fn)
