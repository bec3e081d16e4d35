#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class TSearchRun;

// The search that follows the query as it is typed. Each change of the query or of an
// option starts a short pause and cancels the search under way; when the pause ends, the
// search starts as the search button's would and runs on the engine's worker threads,
// while the window takes its results in page order between events, so input is
// answered throughout. A run that raises ends there, as the button's does.
class TTypedSearch : public QObject {
    Q_OBJECT
public:
    static constexpr int PauseMs = 200;
    // How often a run's finished pages are taken; the window is redrawn at most every
    // TSearchRun::ProgressIntervalMs, and once at the end.
    static constexpr int PollMs = 4;

    // start resets the window for the query now and gives its run (not started), or null
    // when there is nothing to search; show brings the window up to the run.
    TTypedSearch(QObject *parent, std::function<std::unique_ptr<TSearchRun>()> start,
                 std::function<void(const TSearchRun &)> show);
    ~TTypedSearch() override;

    void Changed();
    // No pause and no run from now on, until the next change.
    void Cancel();
    bool Pausing() const { return FPause.isActive(); }
    bool Running() const { return static_cast<bool>(FRun); }
    // A run has gone through its scope.
    std::function<void()> OnFinished;

private:
    void Begin();
    void Poll();
    std::function<std::unique_ptr<TSearchRun>()> FStart;
    std::function<void(const TSearchRun &)> FShow;
    QTimer FPause;
    QTimer FPoll;
    QElapsedTimer FShown;
    std::unique_ptr<TSearchRun> FRun;
};
