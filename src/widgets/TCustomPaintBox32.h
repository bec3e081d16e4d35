#pragma once
#include "widgets/TBitmap32.h"
#include <QWidget>

// A control painted through an off-screen 32-bit buffer. The buffer is repainted only
// when invalid; an exposure just copies it. It follows the client size lazily: it is
// reallocated only when the client outgrows it or shrinks more than 40 pixels below it.
class TCustomPaintBox32 : public QWidget {
    Q_OBJECT
public:
    static constexpr int BufferOversize = 40;
    explicit TCustomPaintBox32(QWidget *parent = nullptr);

    TBitmap32 &Buffer() { return FBuffer; }
    bool BufferValid() const { return FBufferValid; }
    // Marks the buffer for repainting and asks for a paint.
    void Invalidate();
    QRect GetViewportRect() const { return QRect(0, 0, width(), height()); }

protected:
    // Paints the whole buffer.
    virtual void DoPaintBuffer() {}
    // Draws over the window after the buffer has been copied.
    virtual void DoPaintGDIOverlay(QPainter &) {}
    void ResizeBuffer();
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TBitmap32 FBuffer;
    bool FBufferValid = false;
};
