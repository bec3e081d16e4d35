#pragma once
#include "widgets/TVrCustomControl.h"

// A focusable control that composes each repaint off-screen, like TVrGraphicImageControl.
class TVrCustomImageControl : public TVrCustomControl {
    Q_OBJECT
public:
    explicit TVrCustomImageControl(QWidget *parent = nullptr);
    const QImage &OffscreenBuffer() const { return FBuffer; }

protected:
    void PrepareBuffer(QPainter &canvas);
    virtual void Paint(QPainter &canvas) = 0;
    void paintEvent(QPaintEvent *event) override;

private:
    QImage FBuffer;
};
