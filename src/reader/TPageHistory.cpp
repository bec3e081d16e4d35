#include "reader/TPageHistory.h"
#include "app/ReaderState.h"
#include <utility>

bool TPagePlace::SamePlace(const TPagePlace &other) const
{
    return File == other.File && Marking == other.Marking;
}

std::optional<double> TPageHistory::Shown(TPagePlace place)
{
    // A book page loaded on its way to the result page (an index link) is not a place.
    if (FState.ResultPending) return {};
    const TReaderState &s = FState;
    place.Page = s.CurPage;
    place.Section = s.CurSection;
    place.ContentsMode = s.ContentsMode;
    place.IndexMode = s.IndexMode;
    place.CanForward = s.CanForward;
    place.CanBack = s.CanBack;
    place.Scroll = 0.0;
    if (std::exchange(FMoving, false) && FCurrent && FCurrent->SamePlace(place)) {
        // The loaded-page processing has had its say; the place's own state wins.
        Restore(*FCurrent);
        FState.ResultPending = false;
        return FCurrent->Scroll;
    }
    if (FLeft) {
        if (!FLeft->SamePlace(place)) {
            FBack.push_back(std::move(*FLeft));
            if (int(FBack.size()) > MaxPlaces) FBack.pop_front();
            FForward.clear();
        }
        FLeft.reset();
    }
    FCurrent = std::move(place);
    return {};
}

void TPageHistory::Jump()
{
    FMoving = false;
    if (FCurrent && !FLeft) FLeft = FCurrent;
}

void TPageHistory::Scrolled(double share)
{
    // While Back or Forward is under way, the page going away is not the place's.
    if (FCurrent && !FMoving) FCurrent->Scroll = share;
}

std::optional<TPagePlace> TPageHistory::Back(const TPrepare &prepare) { return Move(FBack, FForward, prepare); }

std::optional<TPagePlace> TPageHistory::Forward(const TPrepare &prepare) { return Move(FForward, FBack, prepare); }

std::optional<TPagePlace> TPageHistory::Move(std::deque<TPagePlace> &from, std::deque<TPagePlace> &to,
                                             const TPrepare &prepare)
{
    if (from.empty()) return {};
    if (prepare) prepare(from.back());
    // A jump not yet on screen is given up: its place left is the one to come back to.
    if (FLeft) FCurrent = *std::exchange(FLeft, std::nullopt);
    if (FCurrent) to.push_back(std::move(*FCurrent));
    if (int(to.size()) > MaxPlaces) to.pop_front();
    FCurrent = std::move(from.back());
    from.pop_back();
    FMoving = true;
    Restore(*FCurrent);
    return FCurrent;
}

void TPageHistory::Restore(const TPagePlace &place)
{
    TReaderState &s = FState;
    s.CurPage = place.Page;
    s.CurSection = place.Section;
    s.ContentsMode = place.ContentsMode;
    s.IndexMode = place.IndexMode;
    s.CanForward = place.CanForward;
    s.CanBack = place.CanBack;
    s.ResultPending = place.IsResult();
}
