#pragma once
#include "BookFigures.h"
#include "BookRandom.h"
#include <QImage>
#include <QString>

// Draws the book's figures (maps, façades, ornaments, charts, plans) and stores them
// as JPEG files through libjpeg, together with the picture list pix.txt.
class TBookPictures {
public:
    static void Write(const QString &bookFolder);
    static QImage Draw(const TBookFigure &figure);
    // Baseline or progressive, colour or one-channel JPEG. Throws std::runtime_error.
    static void WriteJpeg(const QImage &image, const QString &path, int quality, bool grayscale, bool progressive);

private:
    static void DrawMap(QPainter &p, int w, int h, TBookRandom &r);
    static void DrawFacade(QPainter &p, int w, int h, TBookRandom &r);
    static void DrawOrnament(QPainter &p, int w, int h, TBookRandom &r);
    static void DrawChart(QPainter &p, int w, int h, TBookRandom &r);
    static void DrawPlan(QPainter &p, int w, int h, TBookRandom &r);
};
