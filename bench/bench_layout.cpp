// A layout choice applied to the page on screen in the reading window: from the choice to
// the page laid out anew under the new style and scrolled back to the line that was at its
// top (the last of the three steps the page runs). Page 1000 of the sample book, scrolled
// to its middle; the choices in turn, 40 changes; median and the longest.
// Usage: bench_layout [book folder]
#include "LoadWaiter.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TPageLayers.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "reader/TPageLayout.h"
#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Changes = 40;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TKetabApplication app(argc, argv);
    ReaderState.AppFolder = (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KETAB_BOOK_DIR)) + u'/';
    TMainForm form;
    form.resize(1280, 800);
    form.show();
    TLoadWaiter view(form.PageBrowser);
    ReaderState.CurSection = 2;
    ReaderState.CurPage = 1000;
    if (!view.Run([&] { form.RefreshPage->trigger(); })) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    form.PageBrowser->ScrollToShare(0.5);
    const QStringList faces = TPageLayout::Typefaces();
    const std::vector<TPageLayout::TChoice> choices{
        {2, 1, QString(), true}, {2, 0, QString(), true}, {2, 0, faces.value(1), true}, {2, 0, faces.value(1), false},
        {0, 2, faces.value(0), false}, {1, 1, QString(), true}};
    std::vector<double> ms;
    int failed = 0;
    for (int i = 0; i < Changes; ++i) {
        QEventLoop loop;
        QElapsedTimer t;
        double took = -1;
        t.start();
        TPageLayout::Apply(form.PageBrowser->Layers(), choices[i % choices.size()], [&](const QVariant &scroll) {
            took = t.nsecsElapsed() / 1e6;
            if (!scroll.isValid()) ++failed;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        if (took < 0) {
            std::fprintf(stderr, "change %d was not applied\n", i + 1);
            return 1;
        }
        ms.push_back(took);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("layout choice applied to the shown page (style replaced, laid out, top line back), %d changes: "
                "median %.1f ms, p90 %.1f ms, max %.1f ms (goal 100 ms)%s\n",
                Changes, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(), failed ? ", some without a page" : "");
    return 0;
}
