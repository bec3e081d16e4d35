#include "widgets/TVrCustomImageControl.h"
#include "widgets/VrDraw.h"
#include <QPainter>

TVrCustomImageControl::TVrCustomImageControl(QWidget *parent) : TVrCustomControl(parent) {}

void TVrCustomImageControl::PrepareBuffer(QPainter &canvas)
{
    canvas.fillRect(QRect(QPoint(0, 0), size()), ToQColor(Color()));
}

void TVrCustomImageControl::paintEvent(QPaintEvent *)
{
    PaintThroughBuffer(FBuffer, [this](QPainter &canvas) { Paint(canvas); });
}
