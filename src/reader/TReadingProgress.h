#pragma once
#include "reader/TReadingPace.h"
#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class TVrProgressBar;

// Where the reader is and how long is left, in a strip under the page: the place in the
// section and in the book in words and as two thin bars, with the time to the section's
// end at the reader's own pace. Screen readers read the words (their text is their name
// and changes with the page). Shows for book and result pages only; the room it takes
// stays, so the page does not move.
class TReadingProgress : public QWidget {
    Q_OBJECT
public:
    static constexpr int Height = 16;
    static constexpr int MinimumBarWidth = 60;
    explicit TReadingProgress(QWidget *parent);

    // A page has been processed: the words and bars follow it.
    void PageShown();
    // Next is about to leave the page on screen: its time counts towards the pace.
    void TurningNext();
    TReadingPace &Pace() { return FPace; }
    // The longest the words can be, for the window's least size.
    int LongestWidth() const;

    QLabel *Words = nullptr;
    TVrProgressBar *SectionBar = nullptr;
    TVrProgressBar *BookBar = nullptr;

private:
    TReadingPace FPace;
    QElapsedTimer FOnPage;  // running while a book page shows
};
