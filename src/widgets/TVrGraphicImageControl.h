#pragma once
#include "widgets/TVrGraphicControl.h"

// A control that composes each repaint in an off-screen bitmap the size of the control
// and copies it to the screen in one step.
class TVrGraphicImageControl : public TVrGraphicControl {
    Q_OBJECT
public:
    explicit TVrGraphicImageControl(QWidget *parent = nullptr);
    // The last composed picture (what the screen shows).
    const QImage &OffscreenBuffer() const { return FBuffer; }

protected:
    // Fills the off-screen bitmap with Color.
    void PrepareBuffer(QPainter &canvas);
    // Draws the whole control onto the off-screen bitmap.
    virtual void Paint(QPainter &canvas) = 0;
    void paintEvent(QPaintEvent *event) override;

private:
    QImage FBuffer;
};
