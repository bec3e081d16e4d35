#include "search/TBookText.h"
#include "app/RegularFile.h"
#include "app/TextCodec.h"
#include "search/TPageScanner.h"
#include <QFile>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

TFileStamp::TState TFileStamp::Of(const QString &path, TFileStamp &stamp)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? fsMissing : fsOther;
    if (!S_ISREG(st.st_mode)) return fsOther;
    stamp.Device = st.st_dev;
    stamp.Inode = st.st_ino;
    stamp.Size = st.st_size;
    stamp.Modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.Changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return fsRegular;
}

qint64 TFileStamp::Now()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 TFileStamp::SettledFrom() const
{
    // A change time in whole seconds tells a file system that keeps no finer times (FAT
    // keeps two); others tick at least a hundred times a second. Two ticks: the clock the
    // times are taken from lags the real-time clock by up to one.
    const qint64 tick = Changed % 1000000000 == 0 ? qint64(2000000000) : qint64(20000000);
    return Changed + 2 * tick;
}

TBookText::~TBookText() { Stop(); }

void TBookText::Stop()
{
    FStop = true;
    if (FThread.joinable()) FThread.join();
}

void TBookText::Start(int firstPage, int lastPage, std::function<QString(int)> pageFile)
{
    if (FThread.joinable() || FFinished) return;
    FFirst = firstPage;
    FLast = lastPage;
    FPageFile = std::move(pageFile);
    const int n = std::max(0, lastPage - firstPage + 1);
    FOwned.resize(static_cast<size_t>(n));
    FPages = std::make_unique<std::atomic<const TKeptPage *>[]>(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) FPages[i].store(nullptr, std::memory_order_relaxed);
    FThread = std::thread([this] { Work(); });
}

void TBookText::Wait()
{
    if (FThread.joinable()) FThread.join();
}

const TKeptPage *TBookText::Page(int page) const
{
    if (!FPages || page < FFirst || page > FLast) return nullptr;
    return FPages[page - FFirst].load(std::memory_order_acquire);
}

qsizetype TBookText::MemorySize() const
{
    qsizetype size = 0;
    for (int page = FFirst; page <= FLast; ++page)
        if (const TKeptPage *p = Page(page)) size += p->MemorySize();
    return size;
}

std::unique_ptr<TKeptPage> TBookText::Read(const QString &path)
{
    auto page = std::make_unique<TKeptPage>();
    page->Path = path;
    TFileStamp after;
    if (TFileStamp::Of(path, page->Stamp) != TFileStamp::fsRegular) return nullptr;
    page->Settled = TFileStamp::Now() >= page->Stamp.SettledFrom();
    std::vector<char> buffer;
    qsizetype size = 0;
    QString error;
    if (TRegularFile::Read(path, buffer, size, error) != TRegularFile::rfRead) return nullptr;
    // A file changed while it was read is left to the search to read.
    if (TFileStamp::Of(path, after) != TFileStamp::fsRegular || !(after == page->Stamp)) return nullptr;
    const QString text = TTextCodec::NormalizeLineBreaks(TTextCodec::Decode(QByteArray::fromRawData(buffer.data(), size)));
    const QStringView searched = QStringView(text).mid(TPageScanner::SearchedFrom(text));
    for (const QChar c : searched)
        if (c.isSurrogate()) return nullptr;
    page->Exact = searched.toUtf8();
    page->Exact.squeeze();  // the conversion leaves room for three bytes a character
    page->Folded = TFoldedText(searched);
    page->Folded.Squeeze();
    return page;
}

void TBookText::Work()
{
    // Below the window's thread and the search's workers.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
    const auto read = [this](int page) {
        while (FPauses.load(std::memory_order_acquire) > 0 && !FStop) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return Read(FPageFile(page));
    };
    // Pages changed just before their reading are read again once their stamps have settled;
    // one that has not settled by then (its times ahead of this clock) is left to its file.
    std::vector<int> unsettled;
    qint64 settles = 0;  // when the last of them settles
    for (int page = FFirst; page <= FLast && !FStop; ++page) {
        std::unique_ptr<TKeptPage> kept = read(page);
        if (kept && !kept->Settled) {
            unsettled.push_back(page);
            settles = std::max(settles, kept->Stamp.SettledFrom());
        } else if (kept) {
            Keep(page, std::move(kept));
        }
    }
    if (!unsettled.empty()) SleepUntil(settles);
    for (const int page : unsettled) {
        if (FStop) break;
        std::unique_ptr<TKeptPage> kept = read(page);
        if (kept && kept->Settled) Keep(page, std::move(kept));
    }
    FFinished.store(true, std::memory_order_release);
}

void TBookText::Keep(int page, std::unique_ptr<TKeptPage> kept)
{
    const size_t i = static_cast<size_t>(page - FFirst);
    FPages[i].store(kept.get(), std::memory_order_release);
    FOwned[i] = std::move(kept);
}

void TBookText::SleepUntil(qint64 until)
{
    // A moment past the last tick, and never longer than the coarsest file system needs.
    const qint64 end = std::min(until, TFileStamp::Now() + qint64(4000000000)) + 1000000;
    while (!FStop && TFileStamp::Now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

TBookText::TPause::TPause(const TBookText *text) : FText(text)
{
    if (FText) ++FText->FPauses;
}

TBookText::TPause::~TPause()
{
    if (FText) --FText->FPauses;
}
