// Composing print documents on the sample book: a 50-page range and 500 noted pages,
// the median of several runs in milliseconds. Then the preview of 2,000 noted pages:
// the time from the preview button to the first page drawn on screen, and to the whole
// document in the preview.
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "print/TPreviewForm.h"
#include "print/TPrintDocument.h"
#include "print/TPrintRange.h"
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int PreviewPages = 2000;

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

QStringList NotedPages(int count)
{
    QStringList noted;
    for (int i = 0; i < count; ++i) {
        const int page = 1 + (i * 7919) % BookPageCount;
        noted << PageFile(SectionOf(page), page);
    }
    return noted;
}

bool Inked(QWidget *view)
{
    const QImage shot = view->grab().toImage();
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3)
            if (qGray(shot.pixel(x, y)) < 100) return true;
    return false;
}

// The longest time the event loop went without turning while the preview was prepared,
// and when it began: what a reader sees as a window that does not answer.
class TStallWatch {
public:
    explicit TStallWatch(const QElapsedTimer &clock) : FClock(clock)
    {
        FTimer.setInterval(5);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            const double now = FClock.nsecsElapsed() / 1e6;
            if (FLast >= 0 && now - FLast > LongestMs) {
                LongestMs = now - FLast;
                AtMs = FLast;
            }
            FLast = now;
        });
        FTimer.start();
    }
    double LongestMs = 0, AtMs = 0;

private:
    const QElapsedTimer &FClock;
    QTimer FTimer;
    double FLast = -1;
};

// The preview dialog shows; the clock stops when its first page is drawn.
class TWatchingDialogs : public TDialogs {
public:
    QElapsedTimer Clock;
    double DialogMs = -1, FirstPageMs = -1, WholeMs = -1;
    int Exec(QDialog *dialog) override
    {
        DialogMs = Clock.nsecsElapsed() / 1e6;
        dialog->show();
        QWidget *pages = dialog->findChild<QWidget *>(QStringLiteral("PagesView"));
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (pages && Inked(pages)) loop.quit();
        });
        poll.start(5);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        if (pages && Inked(pages)) FirstPageMs = Clock.nsecsElapsed() / 1e6;
        // The first pages come first; the whole document takes their place when written.
        auto *print = dialog->findChild<QPushButton *>(QStringLiteral("PrintButton"));
        QEventLoop whole;
        QObject::connect(&poll, &QTimer::timeout, &whole, [&] {
            if (print && print->isEnabled()) whole.quit();
        });
        QTimer::singleShot(30 * 60000, &whole, &QEventLoop::quit);
        whole.exec();
        if (print && print->isEnabled()) WholeMs = Clock.nsecsElapsed() / 1e6;
        dialog->close();
        QCoreApplication::exit(0);
        return QDialog::Rejected;
    }
};
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TKetabApplication app(argc, argv);
    ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
    ReaderState.FillSectionTable();
    QTemporaryDir temp;
    const QString tempFolder = temp.path() + u'/';
    ReaderState.TempFolder = tempFolder;
    QFile::copy(ReaderState.AppFolder + QStringLiteral("datas/sheet1.css"), tempFolder + QStringLiteral("sheet1.css"));

    const QStringList range = TPrintRange::For(2, 800, 900).PageFiles();  // capped at 50
    const QStringList noted = NotedPages(500);
    const auto compose = [&](const QStringList &files) {
        TPrintDocument::Save(TPrintDocument::Compose(files, ReaderState.AppFolder), tempFolder);
    };
    compose(range);  // warm the file cache
    std::printf("compose and save a %lld-page range: median %.1f ms\n", static_cast<long long>(range.size()),
                MedianMs(15, [&] { compose(range); }));
    std::printf("compose and save 500 noted pages: median %.1f ms\n", MedianMs(5, [&] { compose(noted); }));
    std::fflush(stdout);

    compose(NotedPages(PreviewPages));
    auto dialogs = std::make_unique<TWatchingDialogs>();
    TWatchingDialogs *watch = dialogs.get();
    SetDialogs(std::move(dialogs));
    TPreviewForm preview;
    QElapsedTimer load;
    load.start();
    TStallWatch loadStalls(load);
    preview.show();
    {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (preview.PreButton->isEnabled()) loop.quit();
        });
        poll.start(5);
        QTimer::singleShot(10 * 60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!preview.PreButton->isEnabled()) {
        std::fprintf(stderr, "the %d-page document did not load\n", PreviewPages);
        return 1;
    }
    const double loadMs = load.nsecsElapsed() / 1e6;
    // The engine builds the accessibility tree of the document it has loaded on this
    // thread, in one piece, a moment after the load: with a screen reader running, that
    // is the longest wait of all. A few seconds are left to it before the preview starts.
    {
        QEventLoop settle;
        QTimer::singleShot(5000, &settle, &QEventLoop::quit);
        settle.exec();
    }
    std::printf("loading the %d-page document: longest time without an answer to input %.0f ms, from %.0f ms\n",
                PreviewPages, loadStalls.LongestMs, loadStalls.AtMs);
    watch->Clock.start();
    TStallWatch stalls(watch->Clock);
    preview.PreButton->click();
    QTimer::singleShot(30 * 60000, &app, [] { QCoreApplication::exit(1); });
    app.exec();
    if (watch->FirstPageMs < 0) {
        std::fprintf(stderr, "the preview showed no page\n");
        return 1;
    }
    std::printf("preview of %d noted pages (document loaded in the preview window in %.0f ms): preview button to the "
                "first page drawn %.0f ms (the preview dialog open at %.0f ms); the whole document in the preview "
                "at %.0f ms\n",
                PreviewPages, loadMs, watch->FirstPageMs, watch->DialogMs, watch->WholeMs);
    std::printf("longest time without an answer to input meanwhile: %.0f ms, from %.0f ms after the button\n",
                stalls.LongestMs, stalls.AtMs);
    return 0;
}
