#include "search/TTypedSearch.h"
#include "app/KetabApplication.h"
#include "search/TSearchRun.h"

TTypedSearch::TTypedSearch(QObject *parent, std::function<std::unique_ptr<TSearchRun>()> start,
                           std::function<void(const TSearchRun &)> show)
    : QObject(parent), FStart(std::move(start)), FShow(std::move(show))
{
    FPause.setSingleShot(true);
    FPause.setInterval(PauseMs);
    FPoll.setInterval(PollMs);
    TKetabApplication::Connect(&FPause, &QTimer::timeout, this, [this] { Begin(); });
    TKetabApplication::Connect(&FPoll, &QTimer::timeout, this, [this] { Poll(); });
}

TTypedSearch::~TTypedSearch() = default;

void TTypedSearch::Changed()
{
    Cancel();
    FPause.start();
}

void TTypedSearch::Cancel()
{
    FPause.stop();
    FPoll.stop();
    // The engine's workers stop at their next claim of pages; they are joined here.
    FRun.reset();
}

void TTypedSearch::Begin()
{
    FRun = FStart();
    if (!FRun) return;
    FRun->Start();
    FShown.start();
    FPoll.start();
    Poll();
}

void TTypedSearch::Poll()
{
    if (!FRun) return;
    bool done = false;
    try {
        done = FRun->Poll(0);
    } catch (...) {
        FShow(*FRun);
        Cancel();
        throw;
    }
    if (!done) {
        if (FShown.elapsed() >= TSearchRun::ProgressIntervalMs) {
            FShow(*FRun);
            FShown.restart();
        }
        return;
    }
    FShow(*FRun);
    FPoll.stop();
    FRun.reset();
    if (OnFinished) OnFinished();
}
