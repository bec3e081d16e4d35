// Widget timings: decoding a 4000 x 3000 JPEG and showing it in the gallery's 129 x 169
// fitted view, and repainting the gallery's 241 x 25 navigator bar. Prints medians.
#include "widgets/TImage32.h"
#include "widgets/TVrNavigator.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("big.jpg"));
    {
        QImage big(4000, 3000, QImage::Format_RGB32);
        QPainter p(&big);
        QLinearGradient g(0, 0, 4000, 3000);
        g.setColorAt(0, QColor(20, 60, 120));
        g.setColorAt(1, QColor(240, 200, 90));
        p.fillRect(big.rect(), g);
        for (int i = 0; i < 400; ++i) {
            p.setPen(QColor((i * 37) % 256, (i * 91) % 256, (i * 13) % 256));
            p.drawLine(i * 10, 0, 4000 - i * 10, 3000);
        }
        p.end();
        big.save(file, "JPG", 90);
    }

    TImage32 view;
    view.resize(129, 169);
    view.SetBitmapAlign(baCenter);
    view.SetScaleMode(smResize);
    QImage screen(129, 169, QImage::Format_RGB32);
    std::vector<double> load, show;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer t;
        t.start();
        view.Bitmap().LoadFromFile(file);
        load.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        view.render(&screen);
        show.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("4000x3000 JPEG decode: median %.1f ms\n", Median(load));
    std::printf("4000x3000 JPEG shown in 129x169 view: median %.3f ms\n", Median(show));

    TVrNavigator nav;
    nav.BeginLoading();
    nav.resize(241, 25);
    nav.SetVisibleButtons(VrButtons({btPrev, btBack, btStep, btNext}));
    nav.Loaded();
    QImage navScreen(241, 25, QImage::Format_RGB32);
    std::vector<double> paints;
    for (int i = 0; i < 1000; ++i) {
        QElapsedTimer t;
        t.start();
        nav.render(&navScreen);
        paints.push_back(t.nsecsElapsed() / 1e3);
    }
    std::printf("241x25 navigator repaint: median %.1f us over 1000 repaints\n", Median(paints));
    return 0;
}
