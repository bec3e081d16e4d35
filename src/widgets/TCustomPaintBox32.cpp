#include "widgets/TCustomPaintBox32.h"
#include <QPainter>

TCustomPaintBox32::TCustomPaintBox32(QWidget *parent) : QWidget(parent)
{
    // The buffer covers the whole client area: no background erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCustomPaintBox32::Invalidate()
{
    FBufferValid = false;
    update();
}

void TCustomPaintBox32::ResizeBuffer()
{
    const int w = width(), h = height(), bw = FBuffer.Width(), bh = FBuffer.Height();
    if (w > bw || h > bh || bw - w > BufferOversize || bh - h > BufferOversize) {
        FBuffer.SetSize(w, h);
        FBufferValid = false;
    }
}

void TCustomPaintBox32::paintEvent(QPaintEvent *)
{
    ResizeBuffer();
    if (FBuffer.Empty()) return;
    if (!FBufferValid) {
        DoPaintBuffer();
        FBufferValid = true;
    }
    QPainter p(this);
    FBuffer.Lock();
    p.drawImage(QPoint(0, 0), FBuffer.Image(), QRect(0, 0, width(), height()));
    FBuffer.Unlock();
    DoPaintGDIOverlay(p);
}

void TCustomPaintBox32::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ResizeBuffer();
    FBufferValid = false;
}
