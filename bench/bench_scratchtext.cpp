// Loads every page of the sample book through the page text buffer and finds one
// term in each, as the search does; prints pages per second and megabytes per second
// (median of five runs).
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ReaderState.FillSectionTable();
    ReaderState.AppFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) + QLatin1Char('/') : QStringLiteral(KETAB_BOOK_DIR "/");
    // The search's query normalised as it does: Arabic yeh and kaf.
    const QString term = QStringLiteral("پادشاه");

    qint64 bytes = 0;
    for (int page = 1; page <= BookPageCount; ++page) bytes += QFileInfo(PageFile(SectionOf(page), page)).size();
    if (bytes == 0) {
        std::fprintf(stderr, "no book at %s\n", qPrintable(ReaderState.AppFolder));
        return 1;
    }

    const int runs = 5;
    std::vector<double> seconds;
    int hits = 0;
    for (int run = 0; run < runs; ++run) {
        TScratchText buffer;
        hits = 0;
        QElapsedTimer clock;
        clock.start();
        for (int page = 1; page <= BookPageCount; ++page) {
            buffer.LoadFromFile(PageFile(SectionOf(page), page));
            for (int i = 0; i < 15; ++i) buffer.DeleteLine(0);
            if (buffer.Find(term, 0, buffer.Text().size(), TScratchText::foMatchCase) >= 0) ++hits;
        }
        seconds.push_back(clock.nsecsElapsed() / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[runs / 2];
    std::printf("pages: %d (%.1f MB), term found on %d\n", BookPageCount, bytes / 1048576.0, hits);
    std::printf("load + skip 15 lines + find, median of %d runs: %.3f s\n", runs, median);
    std::printf("%.0f pages/s, %.1f MB/s\n", BookPageCount / median, bytes / 1048576.0 / median);

    // Whole-word finding on the same pages, which checks word boundaries at every hit.
    QElapsedTimer clock;
    clock.start();
    TScratchText buffer;
    for (int page = 1; page <= BookPageCount; ++page) {
        buffer.LoadFromFile(PageFile(SectionOf(page), page));
        buffer.Find(term, 0, buffer.Text().size(), TScratchText::foWholeWord);
    }
    std::printf("load + whole-word find, one run: %.0f pages/s\n", BookPageCount / (clock.nsecsElapsed() / 1e9));
    return 0;
}
