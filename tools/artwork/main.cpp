#include "ArtworkRegistry.h"
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <map>

namespace {
std::map<QString, std::function<void(const QString &)>> &Painters()
{
    static std::map<QString, std::function<void(const QString &)>> painters;
    return painters;
}
}

TArtworkPainter::TArtworkPainter(const char *area, std::function<void(const QString &)> paint)
{
    Painters()[QString::fromLatin1(area)] = std::move(paint);
}

// Usage: ketab-artwork RESOURCES_FOLDER [AREA ...]  (every area when none is named)
// The book's font is looked for beside the resources folder's book or given by KETAB_FONT.
int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s RESOURCES_FOLDER [AREA ...]\n", argv[0]);
        return 2;
    }
    const QString font = qEnvironmentVariable("KETAB_FONT");
    if (!font.isEmpty()) QFontDatabase::addApplicationFont(font);
    const QString root = QString::fromLocal8Bit(argv[1]);
    QStringList wanted;
    for (int i = 2; i < argc; ++i) wanted << QString::fromLocal8Bit(argv[i]);
    for (const auto &[area, paint] : Painters()) {
        if (!wanted.isEmpty() && !wanted.contains(area)) continue;
        const QString folder = root + QLatin1Char('/') + area;
        QDir().mkpath(folder);
        paint(folder);
        std::printf("%s: done\n", qPrintable(area));
    }
    return 0;
}
