#pragma once
#include "search/TResultPage.h"
#include <QString>
#include <deque>
#include <functional>
#include <optional>

struct TReaderState;

// One place of the reading window the reader can come back to: the file it showed (a
// book page, a contents, index or result page), how far down it was scrolled, the
// navigation state it was shown in and the two labels as they read.
struct TPagePlace {
    QString File;
    TResultPage::TMarking Marking;  // a result page's making; empty for other pages
    double Scroll = 0.0;            // share of the page's scrollable height
    int Page = 0, Section = 0;
    bool ContentsMode = false, IndexMode = false, CanForward = true, CanBack = false;
    QString Info, PageNumber;  // the status line and the page number box

    bool IsResult() const { return !Marking.PageFile.isEmpty(); }
    // The same place: the same file for the same page, marked alike.
    bool SamePlace(const TPagePlace &other) const;
};

// Back and forward through the places the reader jumped from. A jump (a link, a search
// result, the page box, a notes entry, ...) keeps the place left, once the place jumped
// to is on screen and is another one; moving page by page (Next, Previous, First, Last)
// only changes the place on screen. Back shows the last place left, Forward undoes a
// Back, and a jump after a Back forgets the places Back went past. At most MaxPlaces are
// kept, the oldest going first. The navigation state is put back as it was at the place,
// so the page commands and the loaded-page processing act as if the reader had reached
// it directly; a result page comes back with ResultPending set, so it loads as one.
class TPageHistory {
public:
    static constexpr int MaxPlaces = 100;

    explicit TPageHistory(TReaderState &state) : FState(state) {}

    // A page has come on screen and the reader's state has settled: it is the current
    // place, taken with the state as it is now. When it is the place Back or Forward went
    // to, the state is put back as recorded, and the scroll to restore is returned.
    std::optional<double> Shown(TPagePlace place);
    // The reader jumps away from the current place.
    void Jump();
    // The current place was scrolled to share.
    void Scrolled(double share);
    // Goes one place back or forward: the place to show, with the state set for it.
    // Nothing when there is nowhere to go. prepare gets the place first; when it raises,
    // nothing has changed.
    using TPrepare = std::function<void(const TPagePlace &)>;
    std::optional<TPagePlace> Back(const TPrepare &prepare = {});
    std::optional<TPagePlace> Forward(const TPrepare &prepare = {});

    bool CanGoBack() const { return !FBack.empty(); }
    bool CanGoForward() const { return !FForward.empty(); }
    int Places() const { return int(FBack.size() + FForward.size()); }
    const std::optional<TPagePlace> &Current() const { return FCurrent; }

private:
    std::optional<TPagePlace> Move(std::deque<TPagePlace> &from, std::deque<TPagePlace> &to, const TPrepare &prepare);
    void Restore(const TPagePlace &place);
    TReaderState &FState;
    std::deque<TPagePlace> FBack, FForward;  // nearest last
    std::optional<TPagePlace> FCurrent;
    std::optional<TPagePlace> FLeft;  // the place a jump under way left
    bool FMoving = false;             // Back or Forward is under way to FCurrent
};
