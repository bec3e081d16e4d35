// Pictures of the credits screen: its background and the three company logos.
#include "ArtworkRegistry.h"
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {
const QColor Navy(4, 50, 88);
const QColor NavyDeep(2, 22, 42);
const QColor Gold(214, 172, 86);
const QColor GoldLight(242, 214, 140);
const QColor Cream(252, 238, 205);

// An eight-pointed star, the ornament of the background.
QPainterPath Star(QPointF c, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 16; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = M_PI / 8 * i - M_PI / 2;
        const QPointF p(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0) path.moveTo(p);
        else path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void Background(const QString &folder)
{
    QImage img(400, 352, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 352);
    bg.setColorAt(0, Navy);
    bg.setColorAt(1, NavyDeep);
    p.fillRect(img.rect(), bg);
    // A faint lattice of stars over the whole picture.
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.setBrush(Qt::NoBrush);
    for (int y = -20; y < 380; y += 56)
        for (int x = (y / 56) % 2 ? 28 : 0; x < 430; x += 56) p.drawPath(Star(QPointF(x, y), 22, 12));
    // A glow behind the centre column where the logos stand.
    QRadialGradient glow(QPointF(163, 150), 170);
    glow.setColorAt(0, QColor(60, 120, 180, 70));
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(img.rect(), glow);
    // Gold rules: a frame, the line between the columns and the line above the links.
    p.setPen(QPen(Gold, 1.5));
    p.drawRoundedRect(QRectF(5.5, 5.5, 389, 322), 6, 6);
    p.setPen(QPen(QColor(Gold.red(), Gold.green(), Gold.blue(), 140), 1));
    p.drawLine(QPointF(192.5, 18), QPointF(192.5, 290));
    p.drawLine(QPointF(20, 300.5), QPointF(380, 300.5));
    p.setBrush(Gold);
    p.drawPath(Star(QPointF(192.5, 300.5), 5, 2.5));
    p.end();
    img.save(folder + QStringLiteral("/CREDITS_BACK.jpg"), "JPG", 92);
}

void Logo(const QString &folder, const QString &name, int w, int h, int kind)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, w - 2, h - 2);
    QLinearGradient face(0, 0, 0, h);
    face.setColorAt(0, GoldLight);
    face.setColorAt(1, Gold);
    p.setPen(QPen(Cream, 1.2));
    p.setBrush(face);
    switch (kind) {
    case 0: {  // publisher: an open book under a star
        p.drawRoundedRect(r, 6, 6);
        p.setPen(QPen(Navy, 2));
        const double cx = w / 2.0, by = h * 0.78;
        QPainterPath book;
        book.moveTo(cx, by);
        book.cubicTo(cx - 8, by - 6, cx - 16, by - 6, cx - 20, by - 2);
        book.lineTo(cx - 20, by - 20);
        book.cubicTo(cx - 16, by - 24, cx - 8, by - 24, cx, by - 18);
        book.cubicTo(cx + 8, by - 24, cx + 16, by - 24, cx + 20, by - 20);
        book.lineTo(cx + 20, by - 2);
        book.cubicTo(cx + 16, by - 6, cx + 8, by - 6, cx, by);
        book.moveTo(cx, by);
        book.lineTo(cx, by - 18);
        p.setBrush(Cream);
        p.drawPath(book);
        p.setBrush(Navy);
        p.setPen(Qt::NoPen);
        p.drawPath(Star(QPointF(cx, h * 0.22), 6, 3));
        break;
    }
    case 1: {  // distribution: a sun
        p.drawEllipse(r);
        p.setPen(QPen(Navy, 2));
        const QPointF c(w / 2.0, h / 2.0);
        for (int i = 0; i < 12; ++i) {
            const double a = M_PI / 6 * i;
            p.drawLine(c + QPointF(11 * std::cos(a), 11 * std::sin(a)), c + QPointF(19 * std::cos(a), 19 * std::sin(a)));
        }
        p.setBrush(Navy);
        p.drawEllipse(c, 8, 8);
        break;
    }
    default: {  // production: a rosette in a wide frame
        p.drawRoundedRect(r, 5, 5);
        p.setBrush(Navy);
        p.setPen(Qt::NoPen);
        p.drawPath(Star(QPointF(w / 2.0, h / 2.0), h * 0.4, h * 0.2));
        p.setBrush(Cream);
        p.drawEllipse(QPointF(w / 2.0, h / 2.0), 3, 3);
        break;
    }
    }
    p.end();
    img.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void PaintInfo(const QString &folder)
{
    Background(folder);
    Logo(folder, QStringLiteral("CREDITS_PUBLISHER"), 50, 46, 0);
    Logo(folder, QStringLiteral("CREDITS_DISTRIBUTOR"), 50, 50, 1);
    Logo(folder, QStringLiteral("CREDITS_PRODUCTION"), 50, 37, 2);
}
}

KETAB_ARTWORK("info", PaintInfo);
