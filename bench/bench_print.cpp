// Composing print documents on the sample book: a 50-page range and 500 noted pages.
// Prints the median of several runs in milliseconds.
#include "app/ReaderState.h"
#include "print/TPrintDocument.h"
#include "print/TPrintRange.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double MedianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
    ReaderState.FillSectionTable();
    QTemporaryDir temp;
    const QString tempFolder = temp.path() + u'/';

    const QStringList range = TPrintRange::For(2, 800, 900).PageFiles();  // capped at 50
    QStringList noted;
    for (int i = 0; i < 500; ++i) {
        const int page = 1 + (i * 7919) % BookPageCount;
        noted << PageFile(SectionOf(page), page);
    }
    const auto compose = [&](const QStringList &files) {
        TPrintDocument::Save(TPrintDocument::Compose(files, ReaderState.AppFolder), tempFolder);
    };
    compose(range);  // warm the file cache
    std::printf("compose and save a %lld-page range: median %.1f ms\n", static_cast<long long>(range.size()),
                MedianMs(15, [&] { compose(range); }));
    std::printf("compose and save 500 noted pages: median %.1f ms\n", MedianMs(5, [&] { compose(noted); }));
    return 0;
}
