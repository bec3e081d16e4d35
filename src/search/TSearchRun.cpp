#include "search/TSearchRun.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include <bit>

TSearchRun::TSearchRun(const TSearchQuery &query, int firstPage, int lastPage, int findOptions,
                       std::function<QString(int)> pageFile, const TBookText *kept)
    : FQuery(query), FFirst(firstPage), FLast(lastPage), FPageFile(std::move(pageFile)), FKept(kept), FPause(kept),
      FEngine(std::make_unique<TSearchEngine>(query.Terms, findOptions, query.Folded))
{
    FCustomFiles = static_cast<bool>(FPageFile);
    if (!FPageFile) FPageFile = [](int page) { return PageFile(SectionOf(page), page); };
}

void TSearchRun::Start(int threads)
{
    std::vector<QString> files;
    std::vector<const TKeptPage *> kept;
    if (FLast >= FFirst) files.reserve(static_cast<size_t>(FLast - FFirst + 1));
    for (int page = FFirst; page <= FLast; ++page) {
        // A kept page names its file already; the book's file names are composed only
        // for pages that are not.
        const TKeptPage *k = FKept ? FKept->Page(page) : nullptr;
        if (k && !FCustomFiles) {
            files.push_back(k->Path);
        } else {
            files.push_back(FPageFile(page));
            if (k && k->Path != files.back()) k = nullptr;
        }
        if (FKept) kept.push_back(k);
    }
    FEngine->Start(std::move(files), threads, std::move(kept));
}

void TSearchRun::Take(int page, quint32 mask)
{
    const int found = std::popcount(mask);
    if (found == 0) return;
    if (FQuery.AllTerms) {
        if (found != FQuery.ActiveTermCount()) return;
        ++FFoundCount;
    } else {
        FFoundCount += found;
    }
    ++FResultCount;
    if (static_cast<int>(FListed.size()) < MaxListed) FListed.push_back(page);
}

bool TSearchRun::Poll(int waitMs)
{
    if (FFinished) return true;
    const int count = FEngine->FileCount();
    if (FTaken < count && FEngine->State(FTaken) == TSearchEngine::fsPending) FEngine->WaitFor(waitMs);
    while (FTaken < count) {
        const TSearchEngine::TFileState state = FEngine->State(FTaken);
        if (state == TSearchEngine::fsPending) return false;
        const int index = FTaken++;
        const int page = FFirst + index;
        if (state == TSearchEngine::fsMissing) continue;
        FPosition = FLast > FFirst ? (page - FFirst) * 100 / (FLast - FFirst) : 100;
        if (state == TSearchEngine::fsFailed) {
            FFinished = true;
            throw EFileError(FEngine->Error(index));
        }
        Take(page, FEngine->FoundMask(index));
    }
    FFinished = true;
    return true;
}

void TSearchRun::Run()
{
    Start();
    while (!Poll(50)) {}
}
