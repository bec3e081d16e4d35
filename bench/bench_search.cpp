// Whole-book search against a plain fixed-string file search over the same page files.
// Usage: bench_search [book folder] [term1] [term2]
// Prints the times of the program's search (two terms, any; one section; all terms), exact
// and folded, cold (from the page files, as before the text is read ahead) and warm (from
// the text kept in memory), the time and memory the kept text costs, and the time of
// "rg -l -F" finding the pages with either term, then the ratios program / rg.
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "search/TBookText.h"
#include "search/TSearchQuery.h"
#include "search/TSearchRun.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int Rounds = 7;

// Median of the wall times of fn in milliseconds, after one untimed warm-up run.
double MedianMs(const std::function<void()> &fn)
{
    fn();
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct TOutcome {
    int Found = 0;
    int Results = 0;
};

TOutcome RunSearch(const QString &query, int first, int last, bool folded = false, const TBookText *kept = nullptr)
{
    TSearchRun run(TSearchQuery::Parse(query, folded), first, last, TScratchText::foMatchCase, {}, kept);
    run.Run();
    return {run.FoundCount(), run.ResultCount()};
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString folder = args.size() > 1 ? args[1] : QStringLiteral(KETAB_BOOK_DIR);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    const QString term1 = args.size() > 2 ? args[2] : QStringLiteral("ايران");
    const QString term2 = args.size() > 3 ? args[3] : QStringLiteral("پادشاه");
    ReaderState.AppFolder = folder;
    ReaderState.FillSectionTable();

    QStringList files;
    for (int page = 1; page <= BookPageCount; ++page) {
        const QString f = PageFile(SectionOf(page), page);
        if (QFile::exists(f)) files << f;
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "no page files under %sdatas/\n", qPrintable(folder));
        return 1;
    }
    std::printf("book: %s (%lld page files), terms: %s + %s, %d rounds, median\n", qPrintable(folder),
                static_cast<long long>(files.size()), qPrintable(term1), qPrintable(term2), Rounds);

    const int last = ReaderState.LastPage[SectionCount];
    // Cold: every page from its file. Then the text is read ahead, and warm runs use it.
    TOutcome anyCold, allCold, anyFoldedCold, allFoldedCold;
    const double anyColdMs = MedianMs([&] { anyCold = RunSearch(term1 + u'+' + term2, 1, last); });
    const double allColdMs = MedianMs([&] { allCold = RunSearch(term1 + u'*' + term2, 1, last); });
    const double anyFoldedColdMs = MedianMs([&] { anyFoldedCold = RunSearch(term1 + u'+' + term2, 1, last, true); });
    const double allFoldedColdMs = MedianMs([&] { allFoldedCold = RunSearch(term1 + u'*' + term2, 1, last, true); });

    QElapsedTimer readTimer;
    readTimer.start();
    TBookText kept;
    kept.Start(1, last, [](int page) { return PageFile(SectionOf(page), page); });
    kept.Wait();
    const double readMs = readTimer.nsecsElapsed() / 1e6;
    qint64 fileBytes = 0;
    for (const QString &f : files) fileBytes += QFileInfo(f).size();

    TOutcome any, section, all, anyFolded, allFolded;
    const double anyMs = MedianMs([&] { any = RunSearch(term1 + u'+' + term2, 1, last, false, &kept); });
    const double sectionMs = MedianMs([&] { section = RunSearch(term1 + u'+' + term2, ReaderState.FirstPage[4], ReaderState.LastPage[4], false, &kept); });
    const double allMs = MedianMs([&] { all = RunSearch(term1 + u'*' + term2, 1, last, false, &kept); });
    const double anyFoldedMs = MedianMs([&] { anyFolded = RunSearch(term1 + u'+' + term2, 1, last, true, &kept); });
    const double allFoldedMs = MedianMs([&] { allFolded = RunSearch(term1 + u'*' + term2, 1, last, true, &kept); });

    // How often the search window can redraw during a whole-book run: it polls the run
    // every TSearchRun::ProgressIntervalMs and redraws after each poll.
    int polls = 0;
    QElapsedTimer pollTimer;
    pollTimer.start();
    {
        TSearchRun run(TSearchQuery::Parse(term1 + u'+' + term2), 1, last, TScratchText::foMatchCase, {}, &kept);
        run.Start();
        while (!run.Poll(TSearchRun::ProgressIntervalMs)) ++polls;
    }
    const double pollSeconds = pollTimer.nsecsElapsed() / 1e9;

    int rgPages = -1;
    QString rgError;
    const double rgMs = MedianMs([&] {
        QProcess rg;
        rg.start(QStringLiteral("rg"), QStringList{QStringLiteral("-l"), QStringLiteral("-F"), QStringLiteral("-e"), term1,
                                                   QStringLiteral("-e"), term2} + files);
        if (!rg.waitForFinished(60000)) {
            rgError = rg.errorString();
            return;
        }
        rgPages = static_cast<int>(rg.readAllStandardOutput().count('\n'));
    });
    if (!rgError.isEmpty()) {
        std::fprintf(stderr, "rg could not run: %s\n", qPrintable(rgError));
        return 1;
    }

    const auto row = [rgMs](const char *what, double ms, const TOutcome &o) {
        std::printf("%-34s %8.1f ms  %5.2f x rg  (%d result pages, count %d)\n", what, ms, ms / rgMs, o.Results, o.Found);
    };
    row("exact, any term, cold:", anyColdMs, anyCold);
    row("exact, any term, warm:", anyMs, any);
    row("exact, all terms, cold:", allColdMs, allCold);
    row("exact, all terms, warm:", allMs, all);
    row("folded, any term, cold:", anyFoldedColdMs, anyFoldedCold);
    row("folded, any term, warm:", anyFoldedMs, anyFolded);
    row("folded, all terms, cold:", allFoldedColdMs, allFoldedCold);
    row("folded, all terms, warm:", allFoldedMs, allFolded);
    row("exact, one section (4), warm:", sectionMs, section);
    std::printf("progress updates:       %8.1f per second (%d in %.0f ms)\n", polls / pollSeconds, polls, pollSeconds * 1000);
    std::printf("rg -l -F either term:   %8.1f ms  (%d files, heads included)\n", rgMs, rgPages);
    std::printf("kept text: read in %.0f ms, %.1f MB for %.1f MB of page files (%.2f x)\n", readMs,
                kept.MemorySize() / 1e6, fileBytes / 1e6, double(kept.MemorySize()) / double(fileBytes));
    std::printf("ratio search / rg: %.2f\n", anyMs / rgMs);
    return 0;
}
