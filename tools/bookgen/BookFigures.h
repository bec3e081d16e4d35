#pragma once
#include <QString>
#include <vector>

// The book's figures: what each one shows, its picture file, its size and its page.
enum class TFigureKind { Map, Facade, Ornament, Chart, Plan };

struct TBookFigure {
    int Number;          // figure number 1..40
    int Page;            // the book page it stands on
    QString Name;        // base name of the picture file in datas/pix
    int Width, Height;   // pixels
    TFigureKind Kind;
    bool Grayscale;      // stored as a one-channel JPEG
    bool Progressive;    // stored as a progressive JPEG
    QString Caption;     // Persian caption under the picture on its page
};

class TBookFigures {
public:
    // The 40 figures in order. Figures 31 and 32 share page (and gallery item) 31's.
    static const std::vector<TBookFigure> &All();
    // The figures on one page, in order (empty for most pages).
    static std::vector<const TBookFigure *> OnPage(int page);
    // The base names of the gallery items, one per item (figure 32 has none).
    static QStringList GalleryNames();
};
