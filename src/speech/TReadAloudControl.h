#pragma once
#include "speech/TReadAloud.h"
#include <QObject>

class TMainForm;

// Read aloud in the reading window: the bottom bar's button, which says what it will do
// (read aloud, pause, resume; stop while the speech service starts) and the note beside it;
// the page menu's "read aloud from here" and "stop reading aloud"; the options panel's pace
// and voice; the section's music held while reading. Reading turns pages through the
// window's NextPage while the shown page is a book page with another after it in its
// section, and stops when the reader moves to another page (Next, a link, the page box, a
// search result) or leaves the window: back to the start menu, or a search or print window
// over it. The keys (F8, Shift+F8) are the window's own (TReadingKeys).
// With a screen reader running, reading stays available: it speaks through the same speech
// service, whose queue takes both in turn, and it never moves the focus, the caret or the
// selection, so the screen reader has nothing of its own to announce while the page is read.
class TReadAloudControl : public QObject {
    Q_OBJECT
public:
    explicit TReadAloudControl(TMainForm *form);
    TReadAloud &Reader() { return FReader; }

    // The button's names, by what it will do.
    static QString StartName();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int PrepareAfterMs = 1500;
    void Show();
    bool FPrepared = false;
    TMainForm *FForm;
    TReadAloud FReader;
};
