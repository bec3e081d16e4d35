#pragma once
#include "app/TSettingsStore.h"
#include <QTimer>

class TWebBrowser;

// What the reader finds again on the next run: the choices of the options panel (the page's
// layout among them), the search window's check boxes and recent searches, the notes
// dialogs' folder, and the last book page read with how far down it was scrolled.
// Contents, index and result pages are not a reading place. The place is written a
// second at most after it changed, so a program that is killed loses that second at
// most, and everything is written on the way out, with the page's present scroll.
// Nothing remembered (a first run) changes nothing: every window starts as it always has.
class TReaderMemory {
public:
    static constexpr int SaveDelayMs = 1000;
    // How long the way out waits for the page to tell its present scroll.
    static constexpr int ExitScrollWaitMs = 300;

    // Reads what the store keeps; the program's one memory is reached through ReaderMemory.
    explicit TReaderMemory(TSettingsStore store);
    ~TReaderMemory();
    TReaderMemory(const TReaderMemory &) = delete;
    TReaderMemory &operator=(const TReaderMemory &) = delete;

    // Puts the kept choices into the windows, once they are made, and follows the reading
    // window's page from then on.
    void Apply();
    // The search window's part of the kept choices, once that window is made.
    void ApplySearchChoices();
    // The place to continue from: the last one read when its page is still in the book,
    // else a place with page 0.
    TReadingPlace ContinuePlace() const;
    // The next load of that place's page scrolls it as it was left.
    void ScrollWhenShown(const TReadingPlace &place);
    // Writes the place, scrolled as the page is now, and the choices.
    void SaveNow();

    TKeptChoices CurrentChoices() const;
    TReadingPlace ShownPlace() const { return FShown; }

private:
    void PageLoaded(TWebBrowser *view);
    void SaveSoon();
    void ReadPresentScroll();
    void Save(const TReadingPlace &place);
    TSettingsStore FStore;
    TReadingPlace FKept;     // as last read from or written to the store
    TReadingPlace FShown;    // the book page on screen; page 0 while another kind of page shows
    TReadingPlace FToRestore;
    TKeptChoices FKeptChoices;
    QTimer FSaveTimer;
};

extern TReaderMemory *ReaderMemory;
