#include "reader/TReadingPace.h"
#include <algorithm>
#include <cmath>

void TReadingPace::Turned(double seconds)
{
    if (seconds < ShortestSeconds || seconds > LongestSeconds) return;
    FSeconds.append(int(std::lround(seconds)));
    while (FSeconds.size() > KeptPages) FSeconds.removeFirst();
}

void TReadingPace::SetKept(const QList<int> &seconds)
{
    FSeconds.clear();
    for (int s : seconds) Turned(s);
}

double TReadingPace::SecondsPerPage() const
{
    if (FSeconds.size() < LeastPages) return FixedSecondsPerPage;
    QList<int> sorted = FSeconds;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
}

int TReadingPace::Percent(int page, int first, int last)
{
    if (last < first) return 0;
    const double share = double(std::clamp(page, first, last) - first + 1) / (last - first + 1);
    return int(std::lround(100 * share));
}

QString TReadingPace::TimeLeft(double seconds)
{
    const long minutes = std::lround(seconds / 60);
    if (minutes < 1) return tr("less than a minute");
    if (minutes < 60) return tr("about %1 minutes").arg(minutes);
    if (minutes % 60 == 0) return tr("about %1 hours").arg(minutes / 60);
    return tr("about %1 hours and %2 minutes").arg(minutes / 60).arg(minutes % 60);
}

QString TReadingPace::Words(int page, int first, int last, int bookPages, double secondsPerPage)
{
    const int left = std::max(0, last - page + 1);
    //: The place in the book under the status line: "صفحه 835 از 1312 · 13٪ از این بخش · ..."
    return tr("Page %1 of %2 · %3% of this section · %4% of the book · %5 to the end of the section")
        .arg(page)
        .arg(last)
        .arg(Percent(page, first, last))
        .arg(Percent(page, 1, bookPages))
        .arg(TimeLeft(left * secondsPerPage));
}
