#include "widgets/TVrGradient.h"
#include "widgets/VrDraw.h"
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

TVrCustomGradient::TVrCustomGradient(QWidget *parent) : TVrGraphicImageControl(parent)
{
    resize(150, 150);
}

void TVrCustomGradient::SetStartColor(TColor value)
{
    if (value == FStartColor) return;
    FStartColor = value;
    UpdateControl();
}

void TVrCustomGradient::SetEndColor(TColor value)
{
    if (value == FEndColor) return;
    FEndColor = value;
    UpdateControl();
}

void TVrCustomGradient::SetColorWidth(int value)
{
    if (value < 1 || value == FColorWidth) return;
    FColorWidth = value;
    UpdateControl();
}

void TVrCustomGradient::SetDirection(TVrGradDirection value)
{
    if (value == FDirection) return;
    FDirection = value;
    UpdateControl();
}

void TVrCustomGradient::SetSwapColors(bool value)
{
    if (value == FSwapColors) return;
    FSwapColors = value;
    UpdateControl();
}

void TVrCustomGradient::Paint(QPainter &canvas)
{
    const TColor a = ResolveColor(FSwapColors ? FEndColor : FStartColor);
    const TColor b = ResolveColor(FSwapColors ? FStartColor : FEndColor);
    const int r1 = int(a & 0xFF), g1 = int((a >> 8) & 0xFF), b1 = int((a >> 16) & 0xFF);
    const int r2 = int(b & 0xFF), g2 = int((b >> 8) & 0xFF), b2 = int((b >> 16) & 0xFF);
    const int W = width(), H = height(), cw = FColorWidth;
    // Colour at t of D, each channel truncated toward zero; a return run may pass the end colour.
    auto colour = [&](int t, int D) {
        if (D == 0) return QColor(r1, g1, b1);
        auto ch = [&](int s, int e) { return std::clamp(s + (e - s) * t / D, 0, 255); };
        return QColor(ch(r1, r2), ch(g1, g2), ch(b1, b2));
    };
    canvas.fillRect(rect(), QColor(r1, g1, b1));
    switch (FDirection) {
    case gdUpDown:
        for (int y = 0; y < H; y += cw) canvas.fillRect(QRect(0, y, W, cw), colour(y, H));
        break;
    case gdLeftRight:
        for (int x = 0; x <= W; x += cw) canvas.fillRect(QRect(x, 0, cw, H), colour(x, W));
        break;
    case gdUpDownHalf: {
        const int h2 = H / 2;
        int y = 0;
        for (; y < h2; y += cw) canvas.fillRect(QRect(0, y, W, cw), colour(y, h2));
        for (int v = y, pos = y; v >= 0; v -= cw, pos += cw) canvas.fillRect(QRect(0, pos, W, cw), colour(v, h2));
        break;
    }
    case gdLeftRightHalf: {
        const int w2 = W / 2;
        int x = 0;
        for (; x < w2; x += cw) canvas.fillRect(QRect(x, 0, cw, H), colour(x, w2));
        for (int v = x, pos = x; v >= 0; v -= cw, pos += cw) canvas.fillRect(QRect(pos, 0, cw, H), colour(v, w2));
        break;
    }
    case gdChord1:
    case gdChord2: {
        const int D = W + H;
        for (int x = 0; x <= D; x += cw) {
            canvas.setPen(QPen(colour(x, D), cw));
            if (FDirection == gdChord1) canvas.drawLine(x, 0, -1, x);
            else canvas.drawLine(0, H - x, x, H);
        }
        break;
    }
    }
}

void TVrCustomGradient::mousePressEvent(QMouseEvent *event)
{
    TVrGraphicImageControl::mousePressEvent(event);
    if (FFormDrag && event->button() == Qt::LeftButton) {
        // Hand the drag to the window system as if the window's caption had been pressed.
        if (QWindow *w = window()->windowHandle()) w->startSystemMove();
    }
}
