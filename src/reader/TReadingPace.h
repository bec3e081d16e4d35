#pragma once
#include <QCoreApplication>
#include <QList>
#include <QString>

// How long this reader takes over a page, and so how long the rest of a section takes.
// Only pages turned with Next count, each with the time it was on screen; a page left
// open longer than ten minutes (the reader was away) or turned within two seconds
// (leafing through) does not. The pace is the median of the last KeptPages times once
// LeastPages have counted, a fixed pace before that.
class TReadingPace {
    Q_DECLARE_TR_FUNCTIONS(TReadingPace)

public:
    static constexpr int FixedSecondsPerPage = 60;
    static constexpr int LeastPages = 10;
    static constexpr int KeptPages = 20;
    static constexpr double ShortestSeconds = 2;
    static constexpr double LongestSeconds = 600;

    // A page turned with Next after seconds on screen.
    void Turned(double seconds);
    double SecondsPerPage() const;
    // The times that count, oldest first, in whole seconds: what is kept between runs.
    QList<int> Kept() const { return FSeconds; }
    // Times read back; those out of the counted range are passed over.
    void SetKept(const QList<int> &seconds);

    // Where page lies in its section (first..last) and in the book, and the time to the
    // section's end, this page included, at secondsPerPage:
    // "Page 835 of 1312 · 13% of this section · 21% of the book · about 8 hours to the end of the section".
    static QString Words(int page, int first, int last, int bookPages, double secondsPerPage);
    // A time to go, rounded to minutes; from an hour on, in hours and minutes.
    static QString TimeLeft(double seconds);
    // Share of the section read up to and with page, in whole percent.
    static int Percent(int page, int first, int last);

private:
    QList<int> FSeconds;
};
