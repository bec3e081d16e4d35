#include "app/TShape.h"
#include <QPainter>

TShape::TShape(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TShape::SetPenColor(const QColor &color)
{
    if (color == FPenColor) return;
    FPenColor = color;
    update();
}

void TShape::SetPenWidth(int width)
{
    if (width == FPenWidth) return;
    FPenWidth = width;
    update();
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The pen lies inside the control's rectangle, as wide as PenWidth.
    const int w = FPenWidth;
    p.fillRect(0, 0, width(), w, FPenColor);
    p.fillRect(0, height() - w, width(), w, FPenColor);
    p.fillRect(0, 0, w, height(), FPenColor);
    p.fillRect(width() - w, 0, w, height(), FPenColor);
}
