#include "BookFigures.h"
#include "BookVocabulary.h"
#include "app/BookData.h"
#include <QStringList>

namespace {
struct TSize {
    int W, H;
};
// Sizes vary on purpose: landscape, portrait, small, square, wide and one larger than a screen.
const TSize Sizes[10] = {{640, 480}, {480, 640}, {800, 533}, {200, 260}, {1024, 700},
                         {600, 600}, {360, 480}, {900, 420}, {520, 720}, {240, 180}};

std::vector<TBookFigure> MakeFigures()
{
    std::vector<TBookFigure> figures;
    for (int f = 1; f <= 40; ++f) {
        int page = 0;
        for (const TGalleryFigure &g : GalleryFigures)
            if (g.Figure == f || (f == 32 && g.Figure == 31)) page = g.Page;
        TBookFigure fig;
        fig.Number = f;
        fig.Page = page;
        fig.Name = QStringLiteral("shekl%1").arg(f, 2, 10, QLatin1Char('0'));
        const TSize size = Sizes[(f * 7 + f / 10) % 10];
        fig.Width = size.W;
        fig.Height = size.H;
        if (f == 6) {  // one picture larger than a full HD screen
            fig.Width = 2400;
            fig.Height = 1600;
        }
        fig.Kind = static_cast<TFigureKind>((f - 1) % 5);
        fig.Grayscale = f == 7 || f == 21;
        fig.Progressive = f == 12;
        fig.Caption = TBookVocabulary::ToArabicLetters(QString::fromStdString(FigureCaption(f)));
        figures.push_back(fig);
    }
    return figures;
}
}

const std::vector<TBookFigure> &TBookFigures::All()
{
    static const std::vector<TBookFigure> figures = MakeFigures();
    return figures;
}

std::vector<const TBookFigure *> TBookFigures::OnPage(int page)
{
    std::vector<const TBookFigure *> out;
    for (const TBookFigure &f : All())
        if (f.Page == page) out.push_back(&f);
    return out;
}

QStringList TBookFigures::GalleryNames()
{
    QStringList names;
    for (const TGalleryFigure &g : GalleryFigures) names << All()[g.Figure - 1].Name;
    return names;
}
