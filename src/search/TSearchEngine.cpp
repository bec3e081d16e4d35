#include "search/TSearchEngine.h"
#include "search/TBookText.h"
#include "search/TPageScanner.h"
#include <QThread>
#include <chrono>

namespace {
constexpr int FilesPerClaim = 4;  // small claims keep the finished prefix growing evenly
}

TSearchEngine::TSearchEngine(const QStringList &terms, int findOptions, bool folded)
    : FTerms(terms), FOptions(findOptions), FFolded(folded)
{
}

TSearchEngine::~TSearchEngine()
{
    FStop = true;
    for (std::thread &t : FThreads)
        if (t.joinable()) t.join();
}

void TSearchEngine::Start(std::vector<QString> files, int threads, std::vector<const TKeptPage *> kept)
{
    FFiles = std::move(files);
    FKept = std::move(kept);
    FKept.resize(FFiles.size(), nullptr);
    const size_t n = FFiles.size();
    FStates = std::make_unique<std::atomic<qint8>[]>(n);
    for (size_t i = 0; i < n; ++i) FStates[i].store(fsPending, std::memory_order_relaxed);
    FMasks.assign(n, 0);
    FErrors.assign(n, QString());
    if (threads <= 0) threads = std::max(2, QThread::idealThreadCount());
    threads = static_cast<int>(std::min<size_t>(threads, std::max<size_t>(1, n / FilesPerClaim)));
    FRunning = threads;
    for (int t = 0; t < threads; ++t) FThreads.emplace_back([this] { Work(); });
}

void TSearchEngine::Work()
{
    TPageScanner scanner(FTerms, FOptions, FFolded);
    const int n = static_cast<int>(FFiles.size());
    while (!FStop.load(std::memory_order_relaxed)) {
        const int first = FNext.fetch_add(FilesPerClaim, std::memory_order_relaxed);
        if (first >= n) break;
        for (int i = first; i < std::min(n, first + FilesPerClaim); ++i) {
            quint32 mask = 0;
            QString error;
            TFileState state = fsScanned;
            if (const TKeptPage *kept = FKept[i]) {
                TFileStamp now;
                const TFileStamp::TState file = TFileStamp::Of(FFiles[i], now);
                if (file == TFileStamp::fsMissing) {
                    FStates[i].store(fsMissing, std::memory_order_release);
                    continue;
                }
                if (file == TFileStamp::fsRegular && now == kept->Stamp) {
                    FMasks[i] = scanner.ScanKept(*kept);
                    FStates[i].store(fsScanned, std::memory_order_release);
                    continue;
                }
            }
            switch (scanner.Scan(FFiles[i], mask, error)) {
            case TPageScanner::psMissing: state = fsMissing; break;
            case TPageScanner::psFailed: state = fsFailed; break;
            case TPageScanner::psScanned: break;
            }
            FMasks[i] = mask;
            FErrors[i] = std::move(error);
            FStates[i].store(state, std::memory_order_release);
        }
    }
    std::lock_guard lock(FMutex);
    if (--FRunning == 0) FDone.notify_all();
}

bool TSearchEngine::WaitFor(int milliseconds)
{
    std::unique_lock lock(FMutex);
    return FDone.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return FRunning == 0; });
}

void TSearchEngine::Wait()
{
    std::unique_lock lock(FMutex);
    FDone.wait(lock, [this] { return FRunning == 0; });
}
