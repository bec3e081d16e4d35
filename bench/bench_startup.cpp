// Start-up to the start menu on screen, measured from the launch of a process that starts
// the way the program does (a child run of this benchmark, so the program itself needs no
// switch); and Navigate to OnDownloadComplete for book pages. Prints medians.
// Usage: bench_startup [runs]   (needs a display, e.g. under xvfb-run)
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TMenuForm.h"
#include "app/TWebBrowser.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "pictures/TPicGalleryForm.h"
#include "pictures/TShowPicForm.h"
#include "print/TPreviewForm.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "search/TSearchForm.h"
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <sys/resource.h>
#include <cstdio>
#include <vector>

namespace {
double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Reports the start menu's first paint on stderr.
class TShownReporter : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !reported) {
            reported = true;
            QTimer::singleShot(0, [] {
                // Processor time used so far: a figure that a busy machine does not inflate as much.
                rusage use{};
                getrusage(RUSAGE_SELF, &use);
                const double cpu = (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3
                                   + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
                std::fprintf(stderr, "ketab: cpu %.1f ms\n", cpu);
                std::fprintf(stderr, "ketab: start menu shown\n");
                std::fflush(stderr);
            });
        }
        return false;
    }
    bool reported = false;
};

// The program's start, as its entry point does it, in a child process.
int Child(int argc, char *argv[])
{
    QElapsedTimer stages;
    stages.start();
    QByteArray report;
    const auto stage = [&](const char *name) {
        report += QByteArray(name) + ' ' + QByteArray::number(stages.nsecsElapsed() / 1e6, 'f', 1) + " ms; ";
    };
    TKetabApplication::PrepareStart();
    TKetabApplication app(argc, argv);
    stage("application");
    new TMenuForm;
    stage("TMenuForm");
    ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR "/");
    new TMainForm;
    stage("TMainForm");
    new TSearchForm;
    stage("TSearchForm");
    new TPrintForm;
    stage("TPrintForm");
    new TPreviewForm;
    stage("TPreviewForm");
    new THelpForm;
    stage("THelpForm");
    new TCreditsForm;
    stage("TCreditsForm");
    new TPicGalleryForm;
    stage("TPicGalleryForm");
    new TShowPicForm;
    stage("TShowPicForm");
    std::fprintf(stderr, "ketab: stages %s\n", report.constData());
    TShownReporter reporter;
    MenuForm->installEventFilter(&reporter);
    MenuForm->show();
    return app.exec();
}

// Launches a child start and waits for its first paint of the start menu.
double LaunchToMenu(const QString &program)
{
    QProcess ketab;
    QElapsedTimer clock;
    clock.start();
    ketab.setProcessChannelMode(QProcess::MergedChannels);
    ketab.start(program, {QStringLiteral("--child")});
    if (!ketab.waitForStarted(10000)) return -1;
    QByteArray err;
    while (!err.contains("ketab: start menu shown")) {
        if (!ketab.waitForReadyRead(20000)) return -1;
        err += ketab.readAll();
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    for (const char *key : {"ketab: stages", "ketab: cpu"}) {
        const int at = err.indexOf(key);
        if (at >= 0) std::printf("  %s\n", err.mid(at, err.indexOf('\n', at) - at).constData());
    }
    ketab.kill();
    ketab.waitForFinished(5000);
    return ms;
}
}

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--child") return Child(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TKetabApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const QString book = QStringLiteral(KETAB_BOOK_DIR "/");

    std::vector<double> launches;
    for (int i = 0; i < runs; ++i) {
        const double ms = LaunchToMenu(QCoreApplication::applicationFilePath());
        if (ms < 0) {
            std::printf("start-up: the program did not report its start menu\n");
            break;
        }
        launches.push_back(ms);
    }
    if (!launches.empty())
        std::printf("start-up to start menu shown: median %.1f ms over %zu runs (min %.1f, max %.1f)\n",
                    Median(launches), launches.size(), *std::min_element(launches.begin(), launches.end()),
                    *std::max_element(launches.begin(), launches.end()));

    ReaderState.AppFolder = book;
    ReaderState.FillSectionTable();
    TWebBrowser view;
    view.resize(900, 700);
    view.show();
    std::vector<double> loads;
    QElapsedTimer clock;
    bool complete = false;
    view.OnDownloadComplete = [&](TWebBrowser *) { complete = true; };
    const auto load = [&](const QString &path) {
        complete = false;
        clock.start();
        view.Navigate(path);
        while (!complete) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return clock.nsecsElapsed() / 1e6;
    };
    const double first = load(PageFile(1, 1));  // includes starting the render process
    for (int page = 2; page < 2 + runs * 3; ++page) loads.push_back(load(PageFile(1, page)));
    std::printf("Navigate to OnDownloadComplete: first page %.1f ms; then median %.1f ms over %zu pages\n", first,
                Median(loads), loads.size());
    return 0;
}
