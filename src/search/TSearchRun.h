#pragma once
#include "search/TBookText.h"
#include "search/TSearchEngine.h"
#include "search/TSearchQuery.h"
#include <functional>
#include <memory>
#include <vector>

// One search over a page range: scans the pages on worker threads and applies the
// counting and listing rules to their results in ascending page order, so what a
// caller sees at any moment is what a page-by-page scan would have shown by then.
//   any-term mode: every term found in a page adds one to the count; a page with a
//   term is a result. All-terms mode: a page with every non-empty term is a result
//   and adds one. The first MaxListed results are listed; the count goes on.
class TSearchRun {
public:
    static constexpr int MaxListed = 999;
    // How long a window waits between redraws of its progress (about 40 a second).
    static constexpr int ProgressIntervalMs = 20;

    // pageFile gives the file of a page (default: the book's page file); kept, when given,
    // the text read ahead, used for the pages whose files are unchanged since.
    TSearchRun(const TSearchQuery &query, int firstPage, int lastPage, int findOptions,
               std::function<QString(int page)> pageFile = {}, const TBookText *kept = nullptr);

    void Start(int threads = 0);
    // Waits up to waitMs for more pages, then takes every page finished in order.
    // Returns true once the last page has been taken. An existing page that cannot
    // be read raises EFileError after the pages before it have been taken.
    bool Poll(int waitMs);
    // Start and poll until done.
    void Run();

    int FoundCount() const { return FFoundCount; }
    int Position() const { return FPosition; }                 // 0..100, of the last existing page taken
    const std::vector<int> &ListedPages() const { return FListed; }
    int ResultCount() const { return FResultCount; }            // listed or not
    int PagesTaken() const { return FTaken; }
    bool Finished() const { return FFinished; }

private:
    void Take(int page, quint32 mask);

    TSearchQuery FQuery;
    int FFirst;
    int FLast;
    std::function<QString(int)> FPageFile;
    const TBookText *FKept;
    bool FCustomFiles = false;
    TBookText::TPause FPause;  // the reading ahead steps aside for the search
    std::unique_ptr<TSearchEngine> FEngine;
    int FTaken = 0;
    int FFoundCount = 0;
    int FPosition = 0;
    int FResultCount = 0;
    bool FFinished = false;
    std::vector<int> FListed;
};
