#pragma once
#include "widgets/VrTypes.h"
#include <QImage>
#include <QPainter>

// The shared drawing routines of the widget family. Every line is drawn as
// 1-pixel filled rectangles, so the result is exact on any paint device.

// A colour value as plain RGB: system colours come from the application palette.
TColor ResolveColor(TColor c);
QColor ToQColor(TColor c);

// Frame of `width` rings: top-left colour on the left and top edges, bottom-right colour on the
// right and bottom edges (the bottom-left corner gets the bottom-right colour).
// The rectangle comes back shrunk by `width` on every side.
void DrawFrame3D(QPainter &p, TVrRect &r, TColor topLeft, TColor bottomRight, int width);
// The same, but the bottom-left corner keeps the top-left colour.
void DrawFrame3DCornerKept(QPainter &p, TVrRect &r, TColor topLeft, TColor bottomRight, int width);

// Bands of `step` rows (direction 0) or columns (direction 1) from `start` to `end`.
void FillGradientBands(QPainter &p, const TVrRect &r, TColor start, TColor end, int direction, int step);

// Repeats `bitmap` from the rectangle's top-left corner until it covers the rectangle.
void TileBitmap(QPainter &p, const TVrRect &r, const QImage &bitmap);
