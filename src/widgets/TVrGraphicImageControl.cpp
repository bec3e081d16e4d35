#include "widgets/TVrGraphicImageControl.h"
#include "widgets/VrDraw.h"
#include <QPainter>

TVrGraphicImageControl::TVrGraphicImageControl(QWidget *parent) : TVrGraphicControl(parent) {}

void TVrGraphicImageControl::PrepareBuffer(QPainter &canvas)
{
    canvas.fillRect(QRect(QPoint(0, 0), size()), ToQColor(Color()));
}

void TVrGraphicImageControl::paintEvent(QPaintEvent *)
{
    PaintThroughBuffer(FBuffer, [this](QPainter &canvas) { Paint(canvas); });
}
