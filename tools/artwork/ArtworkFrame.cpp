// Pictures of the skinned window frames: the reading window's and the credits screen's
// own title bar sections, and the 19x19 pictures (normal, mouse over, pressed) of the
// reading window's custom title bar buttons: exit, minimise and help.
#include "ArtworkRegistry.h"
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor Mix(const QColor &a, const QColor &b, double t)
{
    t = qBound(0.0, t, 1.0);
    return QColor(int(a.red() + (b.red() - a.red()) * t), int(a.green() + (b.green() - a.green()) * t),
                  int(a.blue() + (b.blue() - a.blue()) * t));
}

void Save(const QImage &image, const QString &folder, const QString &name)
{
    image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The deep blue two-tier bar profile of a 32-pixel title bar, with an accent colour for
// the thin separating line (blue for the reading window, gold for the credits).
QColor BarRow(int y, const QColor &accent)
{
    if (y == 0) return QColor(132, 140, 220);
    if (y <= 11) return Mix(QColor(76, 84, 176), QColor(50, 57, 148), (y - 1) / 10.0);
    if (y <= 23) return Mix(QColor(38, 44, 124), QColor(26, 31, 98), (y - 12) / 11.0);
    if (y == 24) return accent;
    if (y <= 30) return Mix(QColor(60, 68, 152), QColor(40, 46, 122), (y - 25) / 5.0);
    return QColor(10, 12, 50);
}

QImage Bar(int w, const QColor &accent)
{
    QImage image(w, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, BarRow(y, accent).rgb());
    return image;
}

// A row of small dots on the lower strip, as on the theme's own sections.
void Dots(QPainter &p, int from, int to, const QColor &color)
{
    for (int x = from; x < to; x += 6) p.fillRect(QRect(x, 27, 2, 2), color);
}

// An open book seen from the front, about 22x16.
void Book(QPainter &p, const QPointF &at, const QColor &page, const QColor &edge)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath left;
    left.moveTo(at + QPointF(11, 3));
    left.cubicTo(at + QPointF(7, 0), at + QPointF(3, 0), at + QPointF(0, 2));
    left.lineTo(at + QPointF(0, 15));
    left.cubicTo(at + QPointF(3, 13), at + QPointF(7, 13), at + QPointF(11, 16));
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(at + QPointF(11, 3));
    right.cubicTo(at + QPointF(15, 0), at + QPointF(19, 0), at + QPointF(22, 2));
    right.lineTo(at + QPointF(22, 15));
    right.cubicTo(at + QPointF(19, 13), at + QPointF(15, 13), at + QPointF(11, 16));
    right.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(page);
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(edge.lighter(130), 1));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(at + QPointF(3, 5 + 3 * i), at + QPointF(9, 6 + 3 * i));
        p.drawLine(at + QPointF(13, 6 + 3 * i), at + QPointF(19, 5 + 3 * i));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void Word(QPainter &p, const QRect &box, const QString &text, const QColor &color)
{
    QFont font(QStringLiteral("Noto Naskh Arabic"));
    font.setPixelSize(15);
    font.setBold(true);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(QColor(8, 10, 40));
    p.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

// Left 98x32 (the emblem and the name), right 97x32 (under the buttons), client 98x32.
void Sections(const QString &folder, const QString &prefix, const QColor &accent, const QString &name)
{
    QImage left = Bar(98, accent);
    {
        QPainter p(&left);
        // A soft glow behind the emblem.
        QRadialGradient glow(18, 12, 26);
        glow.setColorAt(0, QColor(150, 160, 240, 150));
        glow.setColorAt(1, QColor(150, 160, 240, 0));
        p.fillRect(QRect(0, 1, 98, 23), glow);
        Book(p, QPointF(6, 4), QColor(236, 238, 255), QColor(20, 24, 80));
        Word(p, QRect(32, 1, 64, 23), name, accent.lighter(150));
        Dots(p, 34, 94, accent);
    }
    Save(left, folder, prefix + QStringLiteral("_LEFT"));
    QImage client = Bar(98, accent);
    Save(client, folder, prefix + QStringLiteral("_CLIENT"));
    QImage right = Bar(97, accent);
    {
        QPainter p(&right);
        Dots(p, 4, 94, accent);
    }
    Save(right, folder, prefix + QStringLiteral("_RIGHT"));
}

enum TGlyph { GExit, GMinimize, GHelp };
enum TState { SNormal, SHot, SPressed };

void Glyph(QPainter &p, TGlyph glyph, int shift)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF o(shift, shift);
    switch (glyph) {
    case GExit:
        // A door frame with an arrow leaving it.
        p.drawPolyline(QPolygonF({o + QPointF(9, 5), o + QPointF(5, 5), o + QPointF(5, 14), o + QPointF(9, 14)}));
        p.drawLine(o + QPointF(8, 9.5), o + QPointF(14, 9.5));
        p.drawPolyline(QPolygonF({o + QPointF(11.5, 7), o + QPointF(14, 9.5), o + QPointF(11.5, 12)}));
        break;
    case GMinimize:
        p.drawLine(o + QPointF(5, 13), o + QPointF(14, 13));
        break;
    case GHelp: {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(o + QPointF(0, 0), QSizeF(19, 19)), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

// A deep blue square button; the exit button turns red under the mouse, like a close button.
QImage Button(TGlyph glyph, TState state)
{
    const int s = 19;
    QColor top(96, 106, 204), bottom(44, 51, 140), border(14, 16, 60);
    const bool red = glyph == GExit;
    if (state == SHot) {
        top = red ? QColor(226, 98, 98) : QColor(124, 134, 232);
        bottom = red ? QColor(160, 34, 34) : QColor(64, 72, 170);
        border = red ? QColor(60, 10, 10) : QColor(14, 16, 60);
    } else if (state == SPressed) {
        top = red ? QColor(130, 24, 24) : QColor(28, 32, 96);
        bottom = red ? QColor(182, 54, 54) : QColor(56, 63, 150);
        border = red ? QColor(50, 6, 6) : QColor(8, 10, 40);
    }
    QImage image(s, s, QImage::Format_ARGB32);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, s, s), border);
    for (int y = 0; y < s - 2; ++y) p.fillRect(QRect(1, 1 + y, s - 2, 1), Mix(top, bottom, double(y) / (s - 3)));
    const QColor edge = state == SPressed ? top.darker(140) : top.lighter(135);
    p.fillRect(QRect(1, 1, s - 2, 1), edge);
    p.fillRect(QRect(1, 1, 1, s - 2), edge);
    Glyph(p, glyph, state == SPressed ? 1 : 0);
    return image;
}

void PaintFrame(const QString &folder)
{
    Sections(folder, QStringLiteral("FRAME_MAIN_TITLE"), QColor(110, 118, 200), QStringLiteral("کتاب"));
    Sections(folder, QStringLiteral("FRAME_CREDITS_TITLE"), QColor(206, 170, 82), QStringLiteral("سازندگان"));
    const struct {
        TGlyph glyph;
        const char *name;
    } buttons[] = {{GExit, "FRAME_BTN_EXIT"}, {GMinimize, "FRAME_BTN_MINIMIZE"}, {GHelp, "FRAME_BTN_HELP"}};
    for (const auto &b : buttons) {
        const QString name = QLatin1String(b.name);
        Save(Button(b.glyph, SNormal), folder, name);
        Save(Button(b.glyph, SHot), folder, name + QStringLiteral("_HOT"));
        Save(Button(b.glyph, SPressed), folder, name + QStringLiteral("_DOWN"));
    }
}

} // namespace

KETAB_ARTWORK("frame", PaintFrame);
