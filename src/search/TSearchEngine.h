#pragma once
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Scans a list of page files for a set of terms on worker threads. Each file is read
// once. Results are kept per file, so a caller can take them in file order while the
// scan goes on; the engine itself knows nothing of counting or listing. A file given with
// its kept text (TBookText) is searched there when its stamp shows it unchanged since.
struct TKeptPage;
class TSearchEngine {
public:
    enum TFileState : qint8 { fsPending, fsMissing, fsScanned, fsFailed };

    TSearchEngine(const QStringList &terms, int findOptions, bool folded = false);
    ~TSearchEngine();  // stops the workers and waits for them
    TSearchEngine(const TSearchEngine &) = delete;
    TSearchEngine &operator=(const TSearchEngine &) = delete;

    // Starts scanning files (once per engine). threads <= 0 picks one per core.
    // kept, when not empty, holds the kept text of each file or nullptr.
    void Start(std::vector<QString> files, int threads = 0, std::vector<const TKeptPage *> kept = {});
    // Waits until every file is done or the time is up; true when done.
    bool WaitFor(int milliseconds);
    void Wait();

    int FileCount() const { return static_cast<int>(FFiles.size()); }
    // Safe to call while the scan runs; a file's mask and error are valid once its
    // state is no longer fsPending.
    TFileState State(int file) const { return static_cast<TFileState>(FStates[file].load(std::memory_order_acquire)); }
    quint32 FoundMask(int file) const { return FMasks[file]; }
    QString Error(int file) const { return FErrors[file]; }

private:
    void Work();

    QStringList FTerms;
    int FOptions;
    bool FFolded;
    std::vector<QString> FFiles;
    std::vector<const TKeptPage *> FKept;
    std::unique_ptr<std::atomic<qint8>[]> FStates;
    std::vector<quint32> FMasks;
    std::vector<QString> FErrors;
    std::atomic<int> FNext{0};
    std::atomic<bool> FStop{false};
    int FRunning = 0;
    std::mutex FMutex;
    std::condition_variable FDone;
    std::vector<std::thread> FThreads;
};
