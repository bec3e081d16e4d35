#include "widgets/VrDraw.h"
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

QColor SystemColor(int index)
{
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0: return pal.color(QPalette::Mid);                                   // scroll bar
    case 1: return pal.color(QPalette::Window);                                // desktop
    case 2: case 10: return pal.color(QPalette::Highlight);                    // active caption, border
    case 3: case 11: return pal.color(QPalette::Inactive, QPalette::Highlight);
    case 4: return pal.color(QPalette::Window);                                // menu
    case 5: return pal.color(QPalette::Base);                                  // window (edit) background
    case 6: return pal.color(QPalette::Shadow);                                // window frame
    case 7: return pal.color(QPalette::WindowText);                            // menu text
    case 8: return pal.color(QPalette::Text);                                  // window text
    case 9: return pal.color(QPalette::HighlightedText);                       // caption text
    case 12: return pal.color(QPalette::Dark);                                 // application work space
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);                               // button face
    case 16: return pal.color(QPalette::Dark);                                 // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);             // grey text
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: return pal.color(QPalette::Light);                                // button highlight
    case 21: return pal.color(QPalette::Shadow);                               // 3-D dark shadow
    case 22: return pal.color(QPalette::Midlight);                             // 3-D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);                          // tooltip background
    default: return pal.color(QPalette::Window);
    }
}

void Line(QPainter &p, int x, int y, int w, int h, const QColor &c)
{
    if (w > 0 && h > 0) p.fillRect(QRect(x, y, w, h), c);
}

void Frame(QPainter &p, TVrRect &r, TColor topLeft, TColor bottomRight, int width, bool keepCorner)
{
    if (width <= 0) return;
    const QColor tl = ToQColor(topLeft), br = ToQColor(bottomRight);
    int L = r.Left, T = r.Top, R = r.Right - 1, B = r.Bottom - 1;
    for (int i = 0; i < width; ++i) {
        // Up the left edge from the bottom-left corner, then along the top, short of the top-right corner.
        Line(p, L, T, 1, B - T + 1, tl);
        Line(p, L, T, R - L, 1, tl);
        // Down the right edge, then back along the bottom to the bottom-left corner.
        Line(p, R, T, 1, B - T + 1, br);
        const int from = keepCorner ? L + 1 : L;
        Line(p, from, B, R - from + 1, 1, br);
        ++L; ++T; --R; --B;
    }
    r = TVrRect(L, T, R + 1, B + 1);
}

} // namespace

TColor ResolveColor(TColor c)
{
    if (!IsSystemColor(c)) return c;
    const QColor q = SystemColor(int(c & 0xFF));
    return RGBColor(q.red(), q.green(), q.blue());
}

QColor ToQColor(TColor c)
{
    const TColor v = ResolveColor(c);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

void DrawFrame3D(QPainter &p, TVrRect &r, TColor topLeft, TColor bottomRight, int width)
{
    Frame(p, r, topLeft, bottomRight, width, false);
}

void DrawFrame3DCornerKept(QPainter &p, TVrRect &r, TColor topLeft, TColor bottomRight, int width)
{
    Frame(p, r, topLeft, bottomRight, width, true);
}

void FillGradientBands(QPainter &p, const TVrRect &r, TColor start, TColor end, int direction, int step)
{
    if (direction != 0 && direction != 1) return;
    if (step < 1) step = 1;
    const TColor s = ResolveColor(start), e = ResolveColor(end);
    const int sR = int(s & 0xFF), sG = int((s >> 8) & 0xFF), sB = int((s >> 16) & 0xFF);
    const int dR = int(e & 0xFF) - sR, dG = int((e >> 8) & 0xFF) - sG, dB = int((e >> 16) & 0xFF) - sB;
    const int d = std::max(1, direction == 1 ? r.Width() : r.Height());
    double cr = sR, cg = sG, cb = sB;
    const double ir = double(dR) / d * step, ig = double(dG) / d * step, ib = double(dB) / d * step;
    auto channel = [](double v) { return std::clamp(int(std::nearbyint(v)), 0, 255); };
    for (int pos = 0; pos <= d; pos += step) {
        const QColor c(channel(cr), channel(cg), channel(cb));
        if (direction == 1) p.fillRect(QRect(r.Left + pos, r.Top, step, r.Height()), c);
        else p.fillRect(QRect(r.Left, r.Top + pos, r.Width(), step), c);
        cr += ir; cg += ig; cb += ib;
    }
}

void TileBitmap(QPainter &p, const TVrRect &r, const QImage &bitmap)
{
    if (bitmap.isNull() || bitmap.width() <= 0 || bitmap.height() <= 0) return;
    for (int x = r.Left; x < r.Right; x += bitmap.width())
        for (int y = r.Top; y < r.Bottom; y += bitmap.height())
            p.drawImage(x, y, bitmap);
}
