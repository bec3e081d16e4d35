#pragma once
#include "search/TFoldedText.h"
#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// What a page file was when it was read: a page whose stamp differs now has changed,
// vanished or lost its rights since (a change of rights moves the change time).
// A file system's clock moves in ticks, so a page rewritten in the tick of its reading can
// keep its stamp: only a stamp whose change time lies ticks before the reading holds.
struct TFileStamp {
    enum TState { fsRegular, fsMissing, fsOther };
    quint64 Device = 0, Inode = 0;
    qint64 Size = 0, Modified = 0, Changed = 0;  // nanoseconds
    static TState Of(const QString &path, TFileStamp &stamp);
    // The real-time clock now, in nanoseconds, as the file times count.
    static qint64 Now();
    // From when on every change moves the change time: a reading that begins then or
    // later is told by the stamp of any change after it.
    qint64 SettledFrom() const;
    bool operator==(const TFileStamp &) const = default;
};

// The searched part of one page (below its head), decoded, and folded beside it.
struct TKeptPage {
    QString Path;
    TFileStamp Stamp;
    QByteArray Exact;     // UTF-8, line breaks CR LF
    TFoldedText Folded;
    bool Settled = false;  // read from the stamp's SettledFrom on: the stamp tells any later change
    qsizetype MemorySize() const { return Exact.capacity() + Folded.MemorySize() + qsizetype(sizeof(TKeptPage)); }
};

// The book's searched text, read once on a background thread after start-up, so a search
// goes through memory instead of thousands of files. Pages not yet read, and pages whose
// file differs from what was read, are searched in their files, so results always reflect
// the files as they are. A page changed just before its reading is kept only when read
// again once its stamp has settled. The reading steps aside while a search runs.
class TBookText {
public:
    TBookText() = default;
    ~TBookText();  // stops the reading and waits for it
    TBookText(const TBookText &) = delete;
    TBookText &operator=(const TBookText &) = delete;

    // Starts reading pages first..last (once).
    void Start(int firstPage, int lastPage, std::function<QString(int page)> pageFile);
    void Wait();
    // Ends the reading where it is and waits for it (what was read stays).
    void Stop();
    bool Finished() const { return FFinished.load(std::memory_order_acquire); }
    // The page as read, or nullptr when it is not (yet) kept.
    const TKeptPage *Page(int page) const;
    qsizetype MemorySize() const;

    // Reads one page file; nullptr when it cannot be read or its text would not survive
    // a round trip through UTF-8 (such a page is searched in its file).
    static std::unique_ptr<TKeptPage> Read(const QString &path);

    // Held by a search: the reading waits while one lives.
    class TPause {
    public:
        explicit TPause(const TBookText *text);
        ~TPause();
        TPause(const TPause &) = delete;
        TPause &operator=(const TPause &) = delete;

    private:
        const TBookText *FText;
    };

private:
    void Work();
    // Waits until the clock passes `until` (a few seconds at most), or the reading stops.
    void SleepUntil(qint64 until);
    void Keep(int page, std::unique_ptr<TKeptPage> kept);

    int FFirst = 0, FLast = -1;
    std::function<QString(int)> FPageFile;
    std::vector<std::unique_ptr<TKeptPage>> FOwned;
    std::unique_ptr<std::atomic<const TKeptPage *>[]> FPages;
    mutable std::atomic<int> FPauses{0};
    std::atomic<bool> FStop{false};
    std::atomic<bool> FFinished{false};
    std::thread FThread;
};
