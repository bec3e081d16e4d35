#pragma once
#include "app/ScratchText.h"
#include "reader/TPageHistory.h"
#include <QObject>

class TMainForm;

// Back and forward in the reading window: the rules are TPageHistory's; this class
// takes what the reader does to it. Back and Forward come from the bar's two buttons,
// Alt+Right and Alt+Left (TReadingKeys), the mouse's back and forward buttons anywhere
// over the window and the page's menu. It follows the page on screen and how far it is
// scrolled, and puts a place gone back to on screen as it was, scrolled as it was left.
class TReadingHistory : public QObject {
    Q_OBJECT
public:
    explicit TReadingHistory(TMainForm *form);
    ~TReadingHistory() override;

    // Every jump the reader makes calls this before it leaves the place on screen.
    void RecordJump();
    void GoBack();
    void GoForward();
    bool CanGoBack() const { return FHistory.CanGoBack(); }
    bool CanGoForward() const { return FHistory.CanGoForward(); }

    // The reading window's loaded-page processing: a link is being followed (a jump
    // when the reader clicked it, not when the program loaded the page), and a page has
    // been processed.
    void LinkFollowed();
    void PageShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Go(bool back);
    void Scrolled();
    void UpdateButtons();
    TMainForm *FForm;
    TPageHistory FHistory;
    TScratchText FBuffer;  // a result page written again
    int FShownPages = 0;   // pages shown so far
};
