// Theme bitmaps of the skinned controls, for the five built-in themes: title bars and
// their buttons, check boxes, radio buttons, push-button faces, side-channel bars and
// handles, the bitmaps of the controls the book does not show, and the theme-independent
// pictures (pin glyph, form background tiles, menu backgrounds, menu check mark).
// Colours come from the theme table so each theme's pictures match its colour cells.
//
//   MacOS     light pinstriped grey, gel circles on the title bar, aqua-blue glyphs
//   WinXP     bright blue bar with white-framed rounded buttons, green check marks
//   DeepBlue  two-tier deep blue bar, square blue buttons, dark blue marks
//   Protein   dark graphite bar with a blue glow and swoosh, silver round buttons
//   BlueGlass glossy blue glass bar and glass buttons
#include "ArtworkRegistry.h"
#include "skin/TsuiThemeTable.h"
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

enum Theme { MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };
enum TitleGlyph { GControlBox, GHelp, GMax, GRestore, GMin, GClose };
enum State { SNormal, SHot, SPressed };

QString Prefix(int theme) { return QLatin1String(TsuiThemeTable::Prefixes[theme]); }

QColor Cell(int theme, int entry)
{
    const qint32 v = TsuiThemeTable::Cell(theme, entry);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}
int IntCell(int theme, int entry) { return TsuiThemeTable::Cell(theme, entry); }

QColor Mix(const QColor &a, const QColor &b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor(int(std::lround(a.red() + (b.red() - a.red()) * t)),
                  int(std::lround(a.green() + (b.green() - a.green()) * t)),
                  int(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

QImage Canvas(int w, int h, const QColor &fill)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Save(const QImage &image, const QString &folder, const QString &name)
{
    image.convertToFormat(QImage::Format_RGB888).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void Smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QLinearGradient Vertical(double top, double bottom, const QColor &a, const QColor &b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// ---- title bar rows ------------------------------------------------------------------

int TitleHeight(int theme)
{
    static const int heights[6] = {0, 23, 29, 32, 23, 33};
    return heights[theme];
}

// The colour of row y of a theme's bar of height h. Title bars and side-channel caption
// bars share these profiles; the bars are horizontally uniform where buttons sit, so a
// button frame painted over the same rows blends in.
QColor BarRow(int theme, int y, int h)
{
    const double t = h > 1 ? double(y) / (h - 1) : 0.0;
    switch (theme) {
    case MacOS: {
        if (y == h - 1) return QColor(150, 150, 150);
        if (y == 0) return QColor(250, 250, 250);
        const QColor base = Mix(QColor(240, 240, 240), QColor(206, 206, 206), t);
        return y % 2 ? base : base.darker(104);   // pinstripes
    }
    case WinXP: {
        if (y == 0) return QColor(90, 160, 255);
        if (y == h - 1) return QColor(0, 44, 200);
        if (t < 0.18) return Mix(QColor(40, 125, 255), QColor(0, 88, 238), t / 0.18);
        if (t < 0.75) return Mix(QColor(0, 88, 238), QColor(0, 78, 225), (t - 0.18) / 0.57);
        return Mix(QColor(0, 78, 225), QColor(0, 60, 200), (t - 0.75) / 0.25);
    }
    case DeepBlue: {
        if (h >= 30) {
            // Two tiers: the bar proper (rows 0..23) and a narrow lower strip.
            if (y == 0) return QColor(132, 140, 220);
            if (y <= 11) return Mix(QColor(76, 84, 176), QColor(50, 57, 148), (y - 1) / 10.0);
            if (y <= 23) return Mix(QColor(38, 44, 124), QColor(26, 31, 98), (y - 12) / 11.0);
            if (y == 24) return QColor(110, 118, 200);
            if (y <= 30) return Mix(QColor(60, 68, 152), QColor(40, 46, 122), (y - 25) / 5.0);
            return QColor(10, 12, 50);
        }
        if (y == 0) return QColor(132, 140, 220);
        if (y == h - 1) return QColor(10, 12, 50);
        if (t < 0.5) return Mix(QColor(76, 84, 176), QColor(50, 57, 148), t / 0.5);
        return Mix(QColor(38, 44, 124), QColor(26, 31, 98), (t - 0.5) / 0.5);
    }
    case Protein: {
        if (y == 0) return QColor(158, 160, 172);
        if (y == h - 1) return QColor(16, 16, 22);
        if (t < 0.48) return Mix(QColor(100, 103, 116), QColor(72, 75, 88), t / 0.48);
        return Mix(QColor(50, 52, 62), QColor(38, 40, 48), (t - 0.48) / 0.52);
    }
    case BlueGlass: {
        if (y == 0) return QColor(214, 230, 255);
        if (y == h - 1) return QColor(28, 46, 124);
        if (t < 0.48) return Mix(QColor(160, 192, 252), QColor(108, 148, 236), t / 0.48);
        return Mix(QColor(52, 92, 204), QColor(92, 138, 232), (t - 0.48) / 0.52);
    }
    }
    return Qt::gray;
}

QImage Bar(int theme, int w, int h)
{
    QImage image = Canvas(w, h, Qt::black);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, BarRow(theme, y, h).rgb());
    return image;
}

// ---- glyphs --------------------------------------------------------------------------

// A title-button glyph inside box (9x9 or so), in colour c, lines `weight` pixels thick.
void DrawTitleGlyph(QPainter &p, const QRect &box, int glyph, const QColor &c, int weight)
{
    p.save();
    const int l = box.left(), t = box.top(), w = box.width(), h = box.height();
    switch (glyph) {
    case GClose: {
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(c, weight + 0.3, Qt::SolidLine, Qt::SquareCap);
        p.setPen(pen);
        const double inset = weight / 2.0;
        p.drawLine(QPointF(l + inset, t + inset), QPointF(l + w - inset, t + h - inset));
        p.drawLine(QPointF(l + w - inset, t + inset), QPointF(l + inset, t + h - inset));
        break;
    }
    case GMin:
        p.fillRect(QRect(l + 1, t + h - weight, w - 2, weight), c);
        break;
    case GMax:
        p.fillRect(QRect(l, t, w, weight + 1), c);
        p.fillRect(QRect(l, t, 1, h), c);
        p.fillRect(QRect(l + w - 1, t, 1, h), c);
        p.fillRect(QRect(l, t + h - 1, w, 1), c);
        if (weight > 1) {
            p.fillRect(QRect(l + 1, t, 1, h), c);
            p.fillRect(QRect(l + w - 2, t, 1, h), c);
            p.fillRect(QRect(l, t + h - 2, w, 1), c);
        }
        break;
    case GRestore: {
        const int s = w - 3;   // each window is s by s
        // back window, up and right
        p.fillRect(QRect(l + 3, t, s, 2), c);
        p.fillRect(QRect(l + 3 + s - 1, t, 1, s), c);
        p.fillRect(QRect(l + 3, t, 1, 3), c);
        p.fillRect(QRect(l + w - 3, t + s - 1, 3, 1), c);
        // front window, down and left
        const int ft = t + 3;
        p.fillRect(QRect(l, ft, s, 2), c);
        p.fillRect(QRect(l, ft, 1, s), c);
        p.fillRect(QRect(l + s - 1, ft, 1, s), c);
        p.fillRect(QRect(l, ft + s - 1, s, 1), c);
        break;
    }
    case GHelp: {
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(h + 3);
        f.setHintingPreference(QFont::PreferFullHinting);
        p.setFont(f);
        p.setPen(c);
        p.drawText(QRect(l - 2, t - 2, w + 4, h + 4), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case GControlBox: {
        // the window menu: three bars
        const int gap = (h - 3 * weight) / 2;
        for (int i = 0; i < 3; ++i) p.fillRect(QRect(l, t + i * (weight + gap), w, weight), c);
        break;
    }
    }
    p.restore();
}

// A check mark inside a glyph of size s (13 for the usual box), pen `weight`.
void DrawCheckMark(QPainter &p, const QRectF &r, const QColor &c, double weight)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(c, weight, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    const double x = r.left(), y = r.top(), w = r.width(), h = r.height();
    QPainterPath path;
    path.moveTo(x + w * 0.20, y + h * 0.50);
    path.lineTo(x + w * 0.42, y + h * 0.72);
    path.lineTo(x + w * 0.82, y + h * 0.24);
    p.drawPath(path);
    p.restore();
}

// ---- title buttons -------------------------------------------------------------------

struct Palette3 {
    QColor top, bottom, border;
};

// keyed: the frame is drawn on nothing (the theme's title buttons are transparent);
// otherwise on the bar rows the button covers.
void TitleButtonFrame(QPainter &p, int theme, int glyph, int state, int s, bool keyed)
{
    const bool close = glyph == GClose;
    const int top = IntCell(theme, TsuiEntry::TitleBarButtonTopInt);
    const int barH = TitleHeight(theme);
    if (!keyed)
        for (int y = 0; y < s; ++y) p.fillRect(QRect(0, y, s, 1), BarRow(theme, std::min(top + y, barH - 1), barH));
    const int shift = state == SPressed ? 1 : 0;
    switch (theme) {
    case MacOS: {
        // gel circles in the window-control colours
        QColor base;
        switch (glyph) {
        case GClose: base = QColor(236, 86, 74); break;
        case GMin: base = QColor(240, 182, 44); break;
        case GMax: case GRestore: base = QColor(70, 190, 76); break;
        case GHelp: base = QColor(57, 115, 196); break;
        default: base = QColor(150, 152, 162); break;
        }
        if (state == SHot) base = base.lighter(112);
        if (state == SPressed) base = base.darker(125);
        Smooth(p);
        const QRectF circle(1.5, 1.5, s - 3, s - 3);
        QRadialGradient g(s / 2.0, s * 0.30, s * 0.6);
        g.setColorAt(0, base.lighter(150));
        g.setColorAt(0.6, base);
        g.setColorAt(1, base.darker(115));
        p.setBrush(g);
        p.setPen(QPen(base.darker(170), 1));
        p.drawEllipse(circle);
        // highlight
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QRectF(s * 0.3, 2.5, s * 0.4, s * 0.22));
        p.setRenderHint(QPainter::Antialiasing, false);
        DrawTitleGlyph(p, QRect(5 + shift, 5 + shift, s - 10, s - 10), glyph, base.darker(state == SNormal ? 260 : 320), 1);
        break;
    }
    case WinXP: {
        Smooth(p);
        Palette3 c = close ? Palette3{QColor(238, 134, 96), QColor(204, 62, 22), QColor(255, 255, 255)}
                           : Palette3{QColor(72, 146, 255), QColor(18, 86, 236), QColor(255, 255, 255)};
        if (state == SHot) { c.top = c.top.lighter(115); c.bottom = c.bottom.lighter(118); }
        if (state == SPressed) { c.top = c.bottom.darker(120); c.bottom = c.bottom.darker(105); }
        QPainterPath body;
        body.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), 3, 3);
        p.setBrush(Vertical(0, s, c.top, c.bottom));
        p.setPen(QPen(c.border, 1));
        p.drawPath(body);
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 1.5, s - 3, s - 3), 2, 2);
        p.setRenderHint(QPainter::Antialiasing, false);
        DrawTitleGlyph(p, QRect(6 + shift, 6 + shift, s - 12, s - 12), glyph, Qt::white, 2);
        break;
    }
    case DeepBlue: {
        Palette3 c{QColor(96, 106, 204), QColor(44, 51, 140), QColor(14, 16, 60)};
        if (state == SHot) c = close ? Palette3{QColor(226, 98, 98), QColor(160, 34, 34), QColor(60, 10, 10)}
                                     : Palette3{QColor(124, 134, 232), QColor(64, 72, 170), QColor(14, 16, 60)};
        if (state == SPressed) c = close ? Palette3{QColor(130, 24, 24), QColor(182, 54, 54), QColor(50, 6, 6)}
                                         : Palette3{QColor(28, 32, 96), QColor(56, 63, 150), QColor(8, 10, 40)};
        p.fillRect(QRect(0, 0, s, s), c.border);
        for (int y = 0; y < s - 2; ++y) p.fillRect(QRect(1, 1 + y, s - 2, 1), Mix(c.top, c.bottom, double(y) / (s - 3)));
        if (state != SPressed) {
            p.fillRect(QRect(1, 1, s - 2, 1), c.top.lighter(135));
            p.fillRect(QRect(1, 1, 1, s - 2), c.top.lighter(120));
        } else {
            p.fillRect(QRect(1, 1, s - 2, 1), c.top.darker(140));
            p.fillRect(QRect(1, 1, 1, s - 2), c.top.darker(140));
        }
        DrawTitleGlyph(p, QRect(5 + shift, 5 + shift, s - 10, s - 10), glyph, Qt::white, 2);
        break;
    }
    case Protein: {
        Smooth(p);
        QColor a(214, 216, 226), b(122, 124, 138);
        if (close) { a = QColor(244, 140, 132); b = QColor(184, 36, 36); }
        if (state == SHot) { a = a.lighter(108); b = b.lighter(118); }
        if (state == SPressed) { std::swap(a, b); a = a.darker(115); }
        const QRectF circle(1, 1, s - 2, s - 2);
        if (state == SHot) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(90, 110, 255, 150));
            p.drawEllipse(QRectF(0, 0, s, s));
        }
        p.setBrush(Vertical(1, s - 1, a, b));
        p.setPen(QPen(QColor(20, 20, 26), 1));
        p.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(QRectF(s * 0.28, 2.2, s * 0.44, s * 0.24));
        p.setRenderHint(QPainter::Antialiasing, false);
        DrawTitleGlyph(p, QRect(5 + shift, 5 + shift, s - 10, s - 10), glyph,
                       close ? QColor(255, 255, 255) : QColor(28, 30, 40), 2);
        break;
    }
    case BlueGlass: {
        Smooth(p);
        QColor hiTop(226, 238, 255), hiBottom(156, 190, 250), loTop(64, 106, 214), loBottom(132, 176, 248);
        if (close) { hiTop = QColor(255, 222, 214); hiBottom = QColor(244, 140, 120); loTop = QColor(196, 40, 22); loBottom = QColor(236, 112, 86); }
        if (state == SHot) { hiBottom = hiBottom.lighter(110); loTop = loTop.lighter(125); loBottom = loBottom.lighter(112); }
        if (state == SPressed) { hiTop = hiTop.darker(125); hiBottom = hiBottom.darker(135); loTop = loTop.darker(130); loBottom = loBottom.darker(120); }
        QLinearGradient g(0, 1, 0, s - 1);
        g.setColorAt(0, hiTop);
        g.setColorAt(0.47, hiBottom);
        g.setColorAt(0.53, loTop);
        g.setColorAt(1, loBottom);
        p.setBrush(g);
        p.setPen(QPen(close ? QColor(110, 20, 10) : QColor(24, 44, 120), 1));
        p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), 4, 4);
        p.setRenderHint(QPainter::Antialiasing, false);
        // a dark shadow under the white glyph keeps it legible on the light half
        DrawTitleGlyph(p, QRect(6 + shift, 6 + shift, s - 10, s - 10), glyph, QColor(20, 36, 100, 150), 2);
        DrawTitleGlyph(p, QRect(5 + shift, 5 + shift, s - 10, s - 10), glyph, Qt::white, 2);
        break;
    }
    }
}

QImage TitleButtons(int theme)
{
    static const int sizes[6] = {0, 17, 21, 19, 19, 19};
    const int s = sizes[theme];
    const bool keyed = IntCell(theme, TsuiEntry::TitleBarButtonTransparentBool) != 0;
    // The transparent colour (each frame's bottom-left pixel) is a bar colour, so the
    // buttons still look right where a bar draws them without transparency.
    const QColor key = BarRow(theme, TitleHeight(theme) / 2, TitleHeight(theme));
    QImage strip = Canvas(s * 18, s, Qt::black);
    for (int glyph = 0; glyph < 6; ++glyph)
        for (int state = 0; state < 3; ++state) {
            QImage frame(s, s, QImage::Format_ARGB32_Premultiplied);
            frame.fill(Qt::transparent);
            QPainter p(&frame);
            TitleButtonFrame(p, theme, glyph, state, s, keyed);
            p.end();
            if (keyed) {
                // Crisp outline: pixels at least half covered become opaque, the rest the key.
                frame = frame.convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < s; ++y)
                    for (int x = 0; x < s; ++x) {
                        const QRgb px = frame.pixel(x, y);
                        frame.setPixel(x, y, qAlpha(px) >= 128 ? (px | 0xFF000000u) : key.rgb());
                    }
                frame.setPixel(0, s - 1, key.rgb());
            }
            QPainter(&strip).drawImage((glyph * 3 + state) * s, 0, frame.convertToFormat(QImage::Format_RGB32));
        }
    return strip;
}

// ---- title bar sections --------------------------------------------------------------

void TitleSections(int theme, const QString &folder)
{
    const int h = TitleHeight(theme);
    struct Sizes { int left, client, right; };
    static const Sizes widths[6] = {{}, {48, 49, 48}, {35, 37, 35}, {97, 98, 97}, {441, 1, 1}, {162, 179, 101}};
    const Sizes w = widths[theme];
    QImage left = Bar(theme, w.left, h), client = Bar(theme, w.client, h), right = Bar(theme, w.right, h);
    {
        QPainter pl(&left), pr(&right);
        Smooth(pl);
        Smooth(pr);
        switch (theme) {
        case MacOS:
            // rounded light end caps
            pl.fillRect(QRect(0, 0, 1, h), QColor(160, 160, 160));
            pl.fillRect(QRect(1, 1, 1, h - 2), QColor(252, 252, 252));
            pr.fillRect(QRect(w.right - 1, 0, 1, h), QColor(160, 160, 160));
            // a small grooved grip beside the caption area
            for (int y = 6; y < h - 6; y += 2) {
                pl.fillRect(QRect(8, y, 14, 1), QColor(170, 170, 170));
                pl.fillRect(QRect(8, y + 1, 14, 1), QColor(252, 252, 252));
            }
            break;
        case WinXP:
            // the rounded top corners' highlight
            pl.setPen(QPen(QColor(120, 180, 255), 1));
            pl.drawArc(QRectF(0.5, 0.5, 26, 26), 90 * 16, 90 * 16);
            pl.fillRect(QRect(0, 13, 1, h - 13), QColor(0, 52, 190));
            pl.fillRect(QRect(1, 13, 1, h - 14), QColor(50, 130, 255));
            pr.setPen(QPen(QColor(120, 180, 255), 1));
            pr.drawArc(QRectF(w.right - 27.5, 0.5, 26, 26), 0, 90 * 16);
            pr.fillRect(QRect(w.right - 1, 13, 1, h - 13), QColor(0, 44, 176));
            break;
        case DeepBlue: {
            // a soft light on the left of the upper tier
            QRadialGradient glow(22, 8, 60);
            glow.setColorAt(0, QColor(170, 180, 255, 110));
            glow.setColorAt(1, QColor(170, 180, 255, 0));
            pl.fillRect(QRect(0, 1, w.left, 23), glow);
            pl.fillRect(QRect(0, 0, 1, h), QColor(10, 12, 50));
            pr.fillRect(QRect(w.right - 1, 0, 1, h), QColor(10, 12, 50));
            // the lower strip's little studs
            for (int x = 28; x < w.left - 4; x += 6) pl.fillRect(QRect(x, 27, 2, 2), QColor(120, 128, 210));
            for (int x = 6; x < w.right - 6; x += 6) pr.fillRect(QRect(x, 27, 2, 2), QColor(120, 128, 210));
            break;
        }
        case Protein: {
            // a blue glow that fades out to the right, with a thin swoosh
            QLinearGradient glow(0, 0, w.left, 0);
            glow.setColorAt(0, QColor(45, 48, 196, 230));
            glow.setColorAt(0.35, QColor(45, 48, 196, 120));
            glow.setColorAt(1, QColor(45, 48, 196, 0));
            pl.fillRect(QRect(0, 1, w.left, h - 2), glow);
            QLinearGradient gloss(0, 1, 0, h / 2.0);
            gloss.setColorAt(0, QColor(255, 255, 255, 70));
            gloss.setColorAt(1, QColor(255, 255, 255, 10));
            pl.fillRect(QRect(0, 1, w.left, h / 2), gloss);
            QPainterPath swoosh;
            // kept below the caption's line
            swoosh.moveTo(0, h - 3);
            swoosh.cubicTo(150, h - 1, 260, h - 8, 430, h - 6);
            QLinearGradient swooshPen(0, 0, 430, 0);
            swooshPen.setColorAt(0, QColor(180, 200, 255, 220));
            swooshPen.setColorAt(1, QColor(180, 200, 255, 0));
            pl.setPen(QPen(QBrush(swooshPen), 1.2));
            pl.setBrush(Qt::NoBrush);
            pl.drawPath(swoosh);
            pl.fillRect(QRect(0, 0, 1, h), QColor(16, 16, 22));
            break;
        }
        case BlueGlass: {
            // a bright orb reflection on the left, a soft end on the right
            QRadialGradient orb(26, 8, 44);
            orb.setColorAt(0, QColor(255, 255, 255, 150));
            orb.setColorAt(0.5, QColor(255, 255, 255, 50));
            orb.setColorAt(1, QColor(255, 255, 255, 0));
            pl.fillRect(QRect(0, 1, w.left, 15), orb);
            pl.fillRect(QRect(0, 0, 1, h), QColor(28, 46, 124));
            pl.fillRect(QRect(1, 1, 1, h - 2), QColor(190, 214, 255));
            pr.fillRect(QRect(w.right - 1, 0, 1, h), QColor(28, 46, 124));
            pr.fillRect(QRect(w.right - 2, 1, 1, h - 2), QColor(190, 214, 255));
            break;
        }
        }
    }
    Save(left, folder, Prefix(theme) + QStringLiteral("_TITLE_LEFT"));
    Save(client, folder, Prefix(theme) + QStringLiteral("_TITLE_CLIENT"));
    Save(right, folder, Prefix(theme) + QStringLiteral("_TITLE_RIGHT"));
}

// ---- check boxes and radio buttons ---------------------------------------------------

// Frame order: checked, unchecked, checked disabled, unchecked disabled.
void CheckFrame(QPainter &p, int theme, bool radio, bool checked, bool enabled, int fw, int fh)
{
    const QColor bg = Cell(theme, TsuiEntry::ControlBackgroundColor);
    p.fillRect(QRect(0, 0, fw, fh), bg);
    Smooth(p);
    // the box or circle is a square of side d, placed at (ox, oy)
    const int d = theme == MacOS ? (radio ? 14 : 13) : 13;
    const double ox = theme == MacOS ? 1 : 0, oy = theme == MacOS ? 2 : 0;
    const QRectF box(ox + 0.5, oy + 0.5, d - 1, d - 1);
    QColor border, fillTop, fillBottom, mark;
    bool markOnFill = false;   // the mark sits on a coloured fill (checked aqua and glass)
    switch (theme) {
    case MacOS:
        border = QColor(112, 112, 112);
        fillTop = QColor(255, 255, 255);
        fillBottom = QColor(214, 214, 214);
        mark = QColor(16, 16, 16);
        if (checked) {
            fillTop = QColor(150, 196, 250);
            fillBottom = QColor(40, 102, 206);
            border = QColor(30, 66, 140);
            markOnFill = true;
        }
        break;
    case WinXP:
        border = QColor(28, 81, 128);
        fillTop = QColor(220, 220, 212);
        fillBottom = QColor(255, 255, 255);
        mark = QColor(33, 161, 33);
        break;
    case DeepBlue:
        border = QColor(0, 0, 0);
        fillTop = QColor(255, 255, 255);
        fillBottom = QColor(214, 218, 236);
        mark = QColor(40, 46, 140);
        break;
    case Protein:
        border = QColor(56, 58, 70);
        fillTop = QColor(255, 255, 255);
        fillBottom = QColor(206, 208, 220);
        mark = QColor(45, 48, 196);
        break;
    case BlueGlass:
        border = QColor(26, 46, 122);
        fillTop = QColor(246, 250, 255);
        fillBottom = QColor(190, 210, 248);
        mark = QColor(255, 255, 255);
        if (checked) {
            fillTop = QColor(170, 200, 255);
            fillBottom = QColor(56, 98, 214);
            markOnFill = true;
        } else {
            mark = QColor(40, 70, 190);
        }
        break;
    }
    if (!enabled) {
        border = Mix(border, bg, 0.55);
        fillTop = Mix(fillTop, bg, 0.6);
        fillBottom = Mix(fillBottom, bg, 0.6);
        mark = Mix(mark.value() > 200 && markOnFill ? QColor(120, 120, 120) : mark, bg, 0.5);
        if (markOnFill) {
            fillTop = Mix(QColor(236, 236, 236), bg, 0.3);
            fillBottom = Mix(QColor(200, 200, 200), bg, 0.3);
            mark = QColor(140, 140, 140);
        }
    }
    QLinearGradient g = Vertical(box.top(), box.bottom(), fillTop, fillBottom);
    if (theme == BlueGlass || (theme == MacOS && checked)) {
        g.setColorAt(0.49, Mix(fillTop, fillBottom, 0.35));
        g.setColorAt(0.51, Mix(fillTop, fillBottom, 0.75));
    }
    p.setBrush(g);
    p.setPen(QPen(border, 1));
    if (radio) {
        p.drawEllipse(box);
        if (checked) {
            const QPointF c = box.center();
            const double r = d / 5.0;
            QColor dot = markOnFill ? (theme == BlueGlass ? QColor(255, 255, 255) : QColor(16, 16, 16)) : mark;
            if (!enabled) dot = markOnFill ? QColor(140, 140, 140) : mark;   // mark is already faded
            QRadialGradient ball(c - QPointF(r * 0.4, r * 0.4), r * 1.6);
            ball.setColorAt(0, dot.lighter(theme == WinXP ? 170 : 130));
            ball.setColorAt(1, dot);
            p.setPen(Qt::NoPen);
            p.setBrush(ball);
            p.drawEllipse(c, r + 0.2, r + 0.2);
        }
    } else {
        if (theme == DeepBlue || theme == WinXP)
            p.drawRect(box);
        else
            p.drawRoundedRect(box, theme == MacOS ? 3 : 2, theme == MacOS ? 3 : 2);
        if (checked) DrawCheckMark(p, QRectF(ox, oy, d, d), mark, theme == WinXP ? 2.2 : 2.0);
    }
}

QImage CheckStrip(int theme, bool radio, int fw, int fh)
{
    QImage strip = Canvas(fw * 4, fh, Qt::black);
    const bool states[4][2] = {{true, true}, {false, true}, {true, false}, {false, false}};
    for (int i = 0; i < 4; ++i) {
        QImage frame = Canvas(fw, fh, Qt::black);
        QPainter p(&frame);
        CheckFrame(p, theme, radio, states[i][0], states[i][1], fw, fh);
        p.end();
        QPainter(&strip).drawImage(i * fw, 0, frame);
    }
    return strip;
}

// ---- push-button faces ---------------------------------------------------------------

QImage ButtonStrip(int theme)
{
    static const QSize sizes[6] = {{}, {84, 23}, {18, 21}, {74, 21}, {74, 21}, {77, 27}};
    const QSize s = sizes[theme];
    const QColor bg = Cell(theme, TsuiEntry::FormBackgroundColor);
    QImage strip = Canvas(s.width() * 3, s.height(), bg);
    for (int state = 0; state < 3; ++state) {
        QImage frame = Canvas(s.width(), s.height(), bg);
        QPainter p(&frame);
        Smooth(p);
        const QRectF r(0.5, 0.5, s.width() - 1, s.height() - 1);
        switch (theme) {
        case MacOS: {
            QColor a(255, 255, 255), b(208, 208, 208), border(120, 120, 120);
            if (state == SHot) { a = QColor(200, 226, 255); b = QColor(96, 150, 226); border = QColor(50, 90, 160); }
            if (state == SPressed) { a = QColor(120, 170, 240); b = QColor(30, 84, 180); border = QColor(20, 50, 120); }
            QLinearGradient g = Vertical(1, s.height() - 1, a, b);
            g.setColorAt(0.5, Mix(a, b, 0.3));
            g.setColorAt(0.52, Mix(a, b, 0.6));
            p.setBrush(g);
            p.setPen(QPen(border, 1));
            p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 10, 10);
            break;
        }
        case WinXP: {
            p.setBrush(Vertical(0, s.height(), state == SPressed ? QColor(226, 222, 208) : QColor(255, 255, 255),
                                state == SPressed ? QColor(240, 240, 234) : QColor(236, 235, 230)));
            p.setPen(QPen(QColor(0, 60, 116), 1));
            p.drawRoundedRect(r, 3, 3);
            if (state == SHot) {
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(248, 179, 48), 2));
                p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
            }
            break;
        }
        case DeepBlue:
        case Protein: {
            QColor a(250, 250, 252), b(206, 210, 224);
            if (state == SHot) { a = QColor(226, 230, 255); b = QColor(168, 176, 236); }
            if (state == SPressed) { a = QColor(150, 158, 214); b = QColor(196, 200, 236); }
            p.setBrush(Vertical(0, s.height(), a, b));
            p.setPen(QPen(Qt::black, 1));
            if (theme == DeepBlue)
                p.drawRect(r);
            else
                p.drawRoundedRect(r, 9, 9);
            break;
        }
        case BlueGlass: {
            QColor hiTop(240, 246, 255), hiBottom(196, 216, 252), loTop(120, 160, 236), loBottom(180, 210, 252);
            if (state == SHot) { loTop = loTop.lighter(112); hiBottom = hiBottom.lighter(104); }
            if (state == SPressed) { hiTop = hiTop.darker(115); hiBottom = hiBottom.darker(120); loTop = loTop.darker(130); }
            QLinearGradient g(0, 0, 0, s.height());
            g.setColorAt(0, hiTop);
            g.setColorAt(0.48, hiBottom);
            g.setColorAt(0.52, loTop);
            g.setColorAt(1, loBottom);
            p.setBrush(g);
            p.setPen(QPen(QColor(26, 46, 122), 1));
            p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
            break;
        }
        }
        p.end();
        QPainter(&strip).drawImage(state * s.width(), 0, frame);
    }
    return strip;
}

// ---- side channel --------------------------------------------------------------------

QImage SideHandle(int theme)
{
    static const QSize sizes[6] = {{}, {7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}};
    const QSize s = sizes[theme];
    const QColor bg = Cell(theme, TsuiEntry::FormBackgroundColor);
    QImage image = Canvas(s.width(), s.height(), bg);
    QPainter p(&image);
    Smooth(p);
    const QColor accent = theme == MacOS ? QColor(150, 150, 156) : Cell(theme, TsuiEntry::MenuSelectedBorderColor);
    QLinearGradient g(0, 0, s.width(), 0);
    g.setColorAt(0, accent.lighter(150));
    g.setColorAt(0.45, accent);
    g.setColorAt(1, accent.darker(150));
    p.setBrush(g);
    p.setPen(QPen(accent.darker(220), 1));
    const double radius = (s.width() - 1) / 2.0;
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width() - 1, s.height() - 1), radius, radius);
    p.setRenderHint(QPainter::Antialiasing, false);
    // grip ridges in the middle
    const int cx = s.width() / 2 - 1;
    for (int y = s.height() / 2 - 15; y <= s.height() / 2 + 13; y += 4) {
        p.fillRect(QRect(cx, y, 2, 1), accent.lighter(190));
        p.fillRect(QRect(cx, y + 1, 2, 1), accent.darker(200));
    }
    return image;
}

QImage SideBar(int theme)
{
    static const int heights[6] = {0, 21, 21, 20, 21, 21};
    return Bar(theme, 1, heights[theme]);
}

// ---- bitmaps of controls the book does not show --------------------------------------

QColor Accent(int theme) { return Cell(theme, TsuiEntry::MenuSelectedBorderColor); }

QImage ProgressBar(int theme)
{
    QImage image = Canvas(20, 13, Qt::white);
    QPainter p(&image);
    const QColor a = Accent(theme);
    QLinearGradient g(0, 0, 0, 13);
    g.setColorAt(0, a.lighter(170));
    g.setColorAt(0.45, a.lighter(115));
    g.setColorAt(0.55, a);
    g.setColorAt(1, a.lighter(130));
    p.fillRect(QRect(0, 0, 20, 13), g);
    p.fillRect(QRect(19, 0, 1, 13), Cell(theme, TsuiEntry::ControlBackgroundColor));
    return image;
}

QImage TrackBarBar(int theme)
{
    QImage image = Canvas(100, 5, Cell(theme, TsuiEntry::ControlBackgroundColor));
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 100, 1), QColor(128, 128, 128));
    p.fillRect(QRect(0, 0, 1, 5), QColor(128, 128, 128));
    p.fillRect(QRect(1, 1, 98, 3), theme == MacOS ? QColor(200, 200, 200) : Accent(theme).lighter(160));
    p.fillRect(QRect(0, 4, 100, 1), Qt::white);
    p.fillRect(QRect(99, 0, 1, 5), Qt::white);
    return image;
}

QImage TrackBarSlider(int theme, bool vertical)
{
    const QSize s = vertical ? QSize(21, 11) : QSize(11, 21);
    QImage image = Canvas(s.width(), s.height(), Cell(theme, TsuiEntry::ControlBackgroundColor));
    QPainter p(&image);
    Smooth(p);
    QPainterPath path;
    if (!vertical) {
        path.moveTo(0.5, 0.5);
        path.lineTo(10.5, 0.5);
        path.lineTo(10.5, 15);
        path.lineTo(5.5, 20.5);
        path.lineTo(0.5, 15);
    } else {
        path.moveTo(0.5, 0.5);
        path.lineTo(15, 0.5);
        path.lineTo(20.5, 5.5);
        path.lineTo(15, 10.5);
        path.lineTo(0.5, 10.5);
    }
    path.closeSubpath();
    const QColor a = Accent(theme);
    QLinearGradient g(0, 0, vertical ? 0 : 11, vertical ? 11 : 0);
    g.setColorAt(0, a.lighter(180));
    g.setColorAt(1, a);
    p.setBrush(g);
    p.setPen(QPen(a.darker(200), 1));
    p.drawPath(path);
    return image;
}

void Arrow(QPainter &p, const QRect &r, int direction, const QColor &c)
{
    // direction: 0 up, 1 down, 2 left, 3 right; a crisp 7-wide triangle
    const QPoint m = r.center();
    for (int i = 0; i < 4; ++i) {
        switch (direction) {
        case 0: p.fillRect(QRect(m.x() - i, m.y() - 2 + i, 2 * i + 1, 1), c); break;
        case 1: p.fillRect(QRect(m.x() - i, m.y() + 1 - i, 2 * i + 1, 1), c); break;
        case 2: p.fillRect(QRect(m.x() - 2 + i, m.y() - i, 1, 2 * i + 1), c); break;
        case 3: p.fillRect(QRect(m.x() + 1 - i, m.y() - i, 1, 2 * i + 1), c); break;
        }
    }
}

QImage ScrollBarButtons(int theme)
{
    const int s = 17;
    QImage strip = Canvas(s * 4, s, Qt::white);
    QPainter p(&strip);
    for (int i = 0; i < 4; ++i) {
        const QRect r(i * s, 0, s, s);
        QLinearGradient g(r.left(), 0, r.right(), 0);
        const QColor base = theme == MacOS ? QColor(226, 226, 226) : Accent(theme).lighter(175);
        g.setColorAt(0, base.lighter(110));
        g.setColorAt(1, base.darker(108));
        p.fillRect(r, g);
        p.setPen(theme == MacOS ? QColor(127, 127, 127) : Accent(theme).darker(130));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        Arrow(p, r, i, theme == MacOS ? QColor(40, 40, 40) : Accent(theme).darker(200));
    }
    return strip;
}

QImage ScrollBarTrack(int theme)
{
    const int s = 17;
    QImage strip = Canvas(s * 3, s, Cell(theme, TsuiEntry::ScrollBarBackgroundColor));
    QPainter p(&strip);
    Smooth(p);
    const QColor a = theme == MacOS ? QColor(120, 160, 220) : Accent(theme);
    for (int i = 0; i < 3; ++i) {
        QLinearGradient g(i * s, 0, i * s + s, 0);
        g.setColorAt(0, a.lighter(165));
        g.setColorAt(1, a.lighter(110));
        p.setBrush(g);
        p.setPen(QPen(a.darker(150), 1));
        p.drawRoundedRect(QRectF(i * s + 1.5, 1.5, s - 3, s - 3), 3, 3);
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int y = 6; y <= 10; y += 2) p.fillRect(QRect(i * s + 5, y, 7, 1), a.darker(140));
        p.setRenderHint(QPainter::Antialiasing, true);
    }
    return strip;
}

QImage ScrollButtons(const QColor &base, const QColor &arrow)
{
    const int s = 16;
    QImage strip = Canvas(s * 4, s, Qt::white);
    QPainter p(&strip);
    for (int i = 0; i < 4; ++i) {
        const bool pressed = i % 2 == 1;
        const QRect r(i * s, 0, s, s);
        p.fillRect(r, Vertical(0, s, pressed ? base.darker(115) : base.lighter(112), pressed ? base : base.darker(108)));
        p.setPen(base.darker(170));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        Arrow(p, r.translated(pressed ? 1 : 0, pressed ? 1 : 0), i < 2 ? 2 : 3, arrow);
    }
    return strip;
}

QImage Tabs(int theme)
{
    const int w = 64, h = 21;
    const QColor bg = Cell(theme, TsuiEntry::ControlBackgroundColor);
    QImage strip = Canvas(w * 3, h, bg);
    QPainter p(&strip);
    Smooth(p);
    for (int i = 0; i < 3; ++i) {   // active, inactive, mouse over
        const QRectF r(i * w + 0.5, i == 0 ? 0.5 : 2.5, w - 1, h + 4);
        QColor top = i == 0 ? QColor(255, 255, 255) : Mix(bg, QColor(255, 255, 255), 0.4);
        QColor bottom = i == 0 ? bg : bg.darker(108);
        if (i == 2) top = Accent(theme).lighter(185);
        p.setBrush(Vertical(r.top(), h, top, bottom));
        p.setPen(QPen(Cell(theme, TsuiEntry::ControlBorderColor), 1));
        p.drawRoundedRect(r, 4, 4);
        if (i == 0) p.fillRect(QRectF(i * w + 1, 1, w - 2, 2), Accent(theme));
    }
    return strip;
}

QImage TabLine(int theme)
{
    QImage image = Canvas(1, 4, Cell(theme, TsuiEntry::ControlBackgroundColor));
    image.setPixel(0, 0, Cell(theme, TsuiEntry::ControlBorderColor).rgb());
    image.setPixel(0, 1, qRgb(255, 255, 255));
    return image;
}

// ---- theme-independent pictures ------------------------------------------------------

void ThemeFreeBitmaps(const QString &folder)
{
    // The side channel's pin: a pinned pushpin, one bit per pixel.
    static const char *pin[9] = {".#####.", ".#..##.", ".#..##.", ".#..##.", "#######",
                                 "...#...", "...#...", "...#...", "...#..."};
    QImage glyph(7, 9, QImage::Format_Mono);
    glyph.fill(0);
    glyph.setColor(0, qRgb(255, 255, 255));
    glyph.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 7; ++x) glyph.setPixel(x, y, pin[y][x] == '#' ? 1 : 0);
    glyph.save(folder + QStringLiteral("/SIDECHANNEL_BTN.png"));

    // 8x8 form tiles: MacOS pinstripes; Protein a faint diagonal dot pattern on near white
    QImage mac = Canvas(8, 8, Qt::white);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) mac.setPixel(x, y, y % 2 ? qRgb(226, 226, 226) : qRgb(236, 236, 236));
    Save(mac, folder, QStringLiteral("MACOS_FORM_BACKGROUND"));
    QImage protein = Canvas(8, 8, QColor(251, 251, 251));
    protein.setPixel(1, 1, qRgb(238, 239, 246));
    protein.setPixel(5, 5, qRgb(238, 239, 246));
    protein.setPixel(2, 1, qRgb(246, 246, 250));
    protein.setPixel(6, 5, qRgb(246, 246, 250));
    Save(protein, folder, QStringLiteral("PROTEIN_FORM_BACKGROUND"));

    // MacOS menu items: pinstriped light bar and a blue gel selection
    QImage bar = Canvas(1, 22, Qt::white);
    for (int y = 0; y < 22; ++y) bar.setPixel(0, y, y % 2 ? qRgb(238, 238, 238) : qRgb(247, 247, 247));
    Save(bar, folder, QStringLiteral("MACOS_MENU_BAR"));
    QImage select = Canvas(1, 21, Qt::white);
    for (int y = 0; y < 21; ++y)
        select.setPixel(0, y, (y < 10 ? Mix(QColor(108, 160, 230), QColor(70, 128, 210), y / 9.0)
                                     : Mix(QColor(50, 106, 190), QColor(72, 132, 216), (y - 10) / 10.0)).rgb());
    Save(select, folder, QStringLiteral("MACOS_MENU_SELECT"));

    // The check mark of a checked menu item; white is its transparent colour.
    QImage check = Canvas(16, 16, Qt::white);
    static const int marks[][2] = {{4, 7}, {5, 8}, {6, 9}, {7, 8}, {8, 7}, {9, 6}, {10, 5}, {11, 4}};
    for (const auto &m : marks) {
        check.setPixel(m[0], m[1], qRgb(0, 0, 0));
        check.setPixel(m[0], m[1] + 1, qRgb(0, 0, 0));
        check.setPixel(m[0], m[1] + 2, qRgb(0, 0, 0));
    }
    Save(check, folder, QStringLiteral("MENU_CHECKED"));

    // The scroll button that DeepBlue, Protein and BlueGlass share.
    Save(ScrollButtons(QColor(226, 228, 236), QColor(30, 34, 80)), folder, QStringLiteral("MORE_SCROLLBUTTON"));
}

void PaintSkin(const QString &folder)
{
    for (int theme = MacOS; theme <= BlueGlass; ++theme) {
        const QString prefix = Prefix(theme) + QLatin1Char('_');
        Save(TitleButtons(theme), folder, prefix + QStringLiteral("TITLEBTN"));
        TitleSections(theme, folder);
        const bool mac = theme == MacOS;
        Save(CheckStrip(theme, false, mac ? 15 : 13, mac ? 17 : 13), folder, prefix + QStringLiteral("CHECKBOX"));
        Save(CheckStrip(theme, true, mac ? 16 : 13, mac ? 17 : 13), folder, prefix + QStringLiteral("RADIOBUTTON"));
        Save(CheckStrip(theme, false, 13, 13), folder, prefix + QStringLiteral("CHECKLIST"));
        Save(ButtonStrip(theme), folder, prefix + QStringLiteral("BUTTON"));
        Save(SideHandle(theme), folder, prefix + QStringLiteral("SIDECHENNEL_HANDLE"));
        Save(SideBar(theme), folder, prefix + QStringLiteral("SIDECHENNEL_BAR"));
        Save(ProgressBar(theme), folder, prefix + QStringLiteral("PROGRESSBAR"));
        Save(TrackBarBar(theme), folder, prefix + QStringLiteral("TRACKBAR_BAR"));
        Save(TrackBarSlider(theme, false), folder, prefix + QStringLiteral("TRACKBAR_SLIDER"));
        Save(TrackBarSlider(theme, true), folder, prefix + QStringLiteral("TRACKBAR_SLIDER_V"));
        Save(ScrollBarButtons(theme), folder, prefix + QStringLiteral("SCROLLBAR_BUTTON"));
        Save(ScrollBarTrack(theme), folder, prefix + QStringLiteral("SCROLLBAR_TRACK"));
        Save(Tabs(theme), folder, prefix + QStringLiteral("TAB"));
        Save(TabLine(theme), folder, prefix + QStringLiteral("TAB_LINE"));
    }
    Save(ScrollButtons(QColor(231, 231, 231), QColor(40, 40, 40)), folder, QStringLiteral("MACOS_SCROLLBUTTON"));
    Save(ScrollButtons(QColor(198, 211, 239), QColor(0, 44, 200)), folder, QStringLiteral("WINXP_SCROLLBUTTON"));
    ThemeFreeBitmaps(folder);
}

} // namespace

KETAB_ARTWORK("skin", PaintSkin);
