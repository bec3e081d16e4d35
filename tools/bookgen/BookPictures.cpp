#include "BookPictures.h"
#include "BookFiles.h"
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>
#include <vector>

namespace {
const QColor Paper(244, 236, 218);
const QColor Ink(70, 48, 30);

// Cosine and sine of the multiples of 2*pi/n from a rotation recurrence: only basic
// arithmetic, so every machine draws the same points.
std::vector<QPointF> UnitCircle(int n)
{
    // n divides 12288 (4, 8, 16, 24, 64 points); the step is 2*pi/12288.
    static const double c1 = 0.9999998692723885, s1 = 0.0005113269070136974;
    std::vector<QPointF> out;
    double c = 1, s = 0;
    const int step = 12288 / n;
    for (int i = 0; i < 12288; ++i) {
        if (i % step == 0 && static_cast<int>(out.size()) < n) out.emplace_back(c, s);
        const double nc = c * c1 - s * s1;
        s = s * c1 + c * s1;
        c = nc;
    }
    return out;
}

void PaperBackground(QPainter &p, int w, int h)
{
    p.fillRect(0, 0, w, h, Paper);
    p.setPen(QPen(Ink, std::max(1, w / 300)));
    p.setBrush(Qt::NoBrush);
    const int m = std::max(4, w / 60);
    p.drawRect(m, m, w - 2 * m, h - 2 * m);
}
}

void TBookPictures::DrawMap(QPainter &p, int w, int h, TBookRandom &r)
{
    // A coastline around a land mass, rivers, towns, a grid and a compass rose.
    p.fillRect(0, 0, w, h, QColor(196, 218, 226));
    const int n = 64;
    const auto circle = UnitCircle(n);
    std::vector<double> radius(n);
    for (int i = 0; i < n; ++i) radius[i] = 0.30 + 0.12 * r.Unit();
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 0; i < n; ++i) radius[i] = (radius[(i + n - 1) % n] + 2 * radius[i] + radius[(i + 1) % n]) / 4;
    QPolygonF land;
    const QPointF centre(w * 0.5, h * 0.52);
    for (int i = 0; i < n; ++i)
        land << centre + QPointF(circle[i].x() * radius[i] * w * 1.1, circle[i].y() * radius[i] * h * 1.2);
    p.setPen(QPen(QColor(90, 110, 80), std::max(1.0, w / 250.0)));
    p.setBrush(QColor(222, 208, 170));
    p.drawPolygon(land);
    // Mountains as little chevrons.
    p.setPen(QPen(QColor(120, 90, 60), std::max(1.0, w / 400.0)));
    for (int i = 0; i < 14; ++i) {
        const QPointF c = centre + QPointF((r.Unit() - 0.5) * w * 0.4, (r.Unit() - 0.5) * h * 0.4);
        const double s = w / 60.0;
        p.drawPolyline(QPolygonF{c + QPointF(-s, s / 2), c + QPointF(0, -s / 2), c + QPointF(s, s / 2)});
    }
    // Rivers from the middle to the coast.
    p.setPen(QPen(QColor(60, 110, 170), std::max(1.5, w / 220.0)));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 3; ++k) {
        const int i = static_cast<int>(r.Below(n));
        QPainterPath river(centre + QPointF((r.Unit() - 0.5) * w * 0.1, (r.Unit() - 0.5) * h * 0.1));
        river.quadTo(centre + QPointF((r.Unit() - 0.5) * w * 0.4, (r.Unit() - 0.5) * h * 0.4), land[i]);
        p.drawPath(river);
    }
    // Towns and roads between them.
    std::vector<QPointF> towns;
    for (int i = 0; i < 7; ++i) towns.push_back(centre + QPointF((r.Unit() - 0.5) * w * 0.45, (r.Unit() - 0.5) * h * 0.45));
    p.setPen(QPen(QColor(150, 60, 40), std::max(1.0, w / 500.0), Qt::DashLine));
    for (size_t i = 1; i < towns.size(); ++i) p.drawLine(towns[i - 1], towns[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 40, 30));
    for (const QPointF &t : towns) p.drawEllipse(t, w / 120.0 + 1, w / 120.0 + 1);
    // Grid and compass rose.
    p.setPen(QPen(QColor(80, 80, 80, 90), 1));
    for (int i = 1; i < 6; ++i) {
        p.drawLine(QPointF(w * i / 6.0, 0), QPointF(w * i / 6.0, h));
        p.drawLine(QPointF(0, h * i / 6.0), QPointF(w, h * i / 6.0));
    }
    // Compass rose: four long and four short points, each half dark and half light.
    const QPointF rose(w * 0.88, h * 0.15);
    const double rs = std::min(w, h) * 0.08;
    const auto dirs = UnitCircle(8);
    p.setPen(QPen(Ink, 1));
    for (int i = 0; i < 8; ++i) {
        const double len = i % 2 ? rs * 0.55 : rs;
        const QPointF tip = rose + dirs[i] * len;
        const QPointF left = rose + dirs[(i + 1) % 8] * (rs * 0.16);
        const QPointF right = rose + dirs[(i + 7) % 8] * (rs * 0.16);
        p.setBrush(Ink);
        p.drawPolygon(QPolygonF{rose, tip, left});
        p.setBrush(Paper);
        p.drawPolygon(QPolygonF{rose, tip, right});
    }
    // Scale bar.
    p.setBrush(Ink);
    p.drawRect(QRectF(w * 0.06, h * 0.9, w * 0.15, h * 0.012));
    p.setBrush(Paper);
    p.drawRect(QRectF(w * 0.06 + w * 0.075, h * 0.9, w * 0.075, h * 0.012));
}

void TBookPictures::DrawFacade(QPainter &p, int w, int h, TBookRandom &r)
{
    // A building front: a high portal (iwan) with a pointed arch between rows of
    // smaller arches, a dome behind, tile bands and two minarets.
    p.fillRect(0, 0, w, h, QColor(214, 228, 238));
    const double ground = h * 0.88;
    p.fillRect(QRectF(0, ground, w, h - ground), QColor(196, 176, 140));
    const QColor brick(205, 170, 120), tile(40, 110, 150), tile2(230, 220, 190);
    // Dome.
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(tile);
    const double domeW = w * 0.32;
    p.drawEllipse(QRectF(w / 2 - domeW / 2, h * 0.12, domeW, h * 0.42));
    // Main wall.
    const QRectF wall(w * 0.08, h * 0.35, w * 0.84, ground - h * 0.35);
    p.setBrush(brick);
    p.drawRect(wall);
    // Tile band along the top.
    p.setBrush(tile);
    p.drawRect(QRectF(wall.left(), wall.top(), wall.width(), wall.height() * 0.07));
    p.setBrush(tile2);
    const int dots = 24;
    for (int i = 0; i < dots; ++i)
        p.drawEllipse(QPointF(wall.left() + wall.width() * (i + 0.5) / dots, wall.top() + wall.height() * 0.035),
                      wall.height() * 0.018, wall.height() * 0.018);
    auto arch = [&](QRectF box, const QColor &fill) {
        QPainterPath path(box.bottomLeft());
        path.lineTo(box.left(), box.top() + box.height() * 0.4);
        path.quadTo(box.left(), box.top() + box.height() * 0.08, box.center().x(), box.top());
        path.quadTo(box.right(), box.top() + box.height() * 0.08, box.right(), box.top() + box.height() * 0.4);
        path.lineTo(box.bottomRight());
        path.closeSubpath();
        p.setBrush(fill);
        p.drawPath(path);
    };
    // Portal with its frame.
    const QRectF portal(w * 0.38, wall.top() - h * 0.08, w * 0.24, ground - wall.top() + h * 0.08);
    p.setBrush(tile);
    p.drawRect(portal);
    arch(portal.adjusted(portal.width() * 0.12, portal.height() * 0.1, -portal.width() * 0.12, 0), QColor(90, 60, 40));
    // Two storeys of side arches.
    const int bays = 3 + static_cast<int>(r.Below(2));
    for (int side = 0; side < 2; ++side) {
        const double x0 = side ? portal.right() : wall.left();
        const double x1 = side ? wall.right() : portal.left();
        const double bw = (x1 - x0) / bays;
        for (int storey = 0; storey < 2; ++storey) {
            const double y0 = wall.top() + wall.height() * (0.12 + 0.45 * storey);
            for (int b = 0; b < bays; ++b)
                arch(QRectF(x0 + b * bw + bw * 0.15, y0, bw * 0.7, wall.height() * 0.38), QColor(110, 80, 55));
        }
    }
    // Minarets.
    for (int side = 0; side < 2; ++side) {
        const double x = side ? portal.right() - w * 0.02 : portal.left() - w * 0.02;
        p.setBrush(tile2);
        p.drawRect(QRectF(x, h * 0.08, w * 0.04, portal.top() - h * 0.08 + 2));
        p.setBrush(tile);
        p.drawRect(QRectF(x - w * 0.008, h * 0.14, w * 0.056, h * 0.025));
    }
}

void TBookPictures::DrawOrnament(QPainter &p, int w, int h, TBookRandom &r)
{
    // A tiling of eight- or twelve-pointed stars with rosettes, as on tile work.
    PaperBackground(p, w, h);
    const int points = r.Chance(50) ? 8 : 12;
    const auto circle = UnitCircle(points * 2);
    const double cell = std::min(w, h) / (3.0 + static_cast<double>(r.Below(3)));
    const QColor palette[6] = {QColor(30, 90, 140), QColor(180, 140, 60), QColor(150, 50, 40),
                               QColor(40, 120, 100), QColor(90, 60, 130), QColor(200, 110, 50)};
    const int first = static_cast<int>(r.Below(6)), stride = 1 + static_cast<int>(r.Below(5));
    const double ox = r.Unit() * cell, oy = r.Unit() * cell;
    p.setPen(QPen(Ink, std::max(1.0, cell / 60)));
    int k = 0;
    for (double cy = oy - cell / 2; cy < h + cell; cy += cell)
        for (double cx = ox - cell / 2; cx < w + cell; cx += cell, ++k) {
            QPolygonF star;
            for (int i = 0; i < points * 2; ++i) {
                const double rad = (i % 2 ? 0.25 : 0.48) * cell;
                star << QPointF(cx + circle[i].x() * rad, cy + circle[i].y() * rad);
            }
            p.setBrush(palette[(first + (k % 3) * stride) % 6]);
            p.drawPolygon(star);
            p.setBrush(Paper);
            p.drawEllipse(QPointF(cx, cy), cell * 0.12, cell * 0.12);
            QPolygonF inner;
            for (int i = 0; i < points * 2; i += 2) inner << QPointF(cx + circle[i].x() * cell * 0.2, cy + circle[i].y() * cell * 0.2);
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(inner);
        }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, std::max(2.0, cell / 20)));
    p.drawRect(QRectF(2, 2, w - 4, h - 4));
}

void TBookPictures::DrawChart(QPainter &p, int w, int h, TBookRandom &r)
{
    // A bar chart with a line over it: axes, grid lines and tick marks.
    PaperBackground(p, w, h);
    const QRectF area(w * 0.12, h * 0.1, w * 0.8, h * 0.75);
    p.setPen(QPen(QColor(150, 140, 120), 1, Qt::DotLine));
    for (int i = 0; i <= 5; ++i) p.drawLine(QPointF(area.left(), area.bottom() - area.height() * i / 5), QPointF(area.right(), area.bottom() - area.height() * i / 5));
    const int bars = 6 + static_cast<int>(r.Below(7));
    const double bw = area.width() / bars;
    QPolygonF line;
    double level = 0.3 + 0.4 * r.Unit();
    for (int i = 0; i < bars; ++i) {
        level = std::clamp(level + (r.Unit() - 0.45) * 0.3, 0.08, 0.95);
        const QRectF bar(area.left() + i * bw + bw * 0.15, area.bottom() - area.height() * level, bw * 0.7, area.height() * level);
        p.setPen(QPen(Ink, 1));
        p.setBrush(i % 2 ? QColor(120, 150, 110) : QColor(170, 120, 80));
        p.drawRect(bar);
        line << QPointF(bar.center().x(), area.bottom() - area.height() * std::clamp(level * (0.7 + 0.5 * r.Unit()), 0.05, 1.0));
    }
    p.setPen(QPen(QColor(40, 70, 140), std::max(2.0, w / 250.0)));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    p.setBrush(QColor(40, 70, 140));
    for (const QPointF &pt : line) p.drawEllipse(pt, w / 150.0 + 1, w / 150.0 + 1);
    p.setPen(QPen(Ink, std::max(1.5, w / 300.0)));
    p.drawLine(area.bottomLeft(), area.bottomRight());
    p.drawLine(area.bottomLeft(), area.topLeft());
    for (int i = 0; i <= bars; ++i) p.drawLine(QPointF(area.left() + i * bw, area.bottom()), QPointF(area.left() + i * bw, area.bottom() + h * 0.02));
}

void TBookPictures::DrawPlan(QPainter &p, int w, int h, TBookRandom &r)
{
    // The ground plan of a courtyard building: outer walls, rooms around a court with
    // a pool, four portals on the axes and columns in the hall.
    PaperBackground(p, w, h);
    const double m = std::min(w, h) * 0.1;
    const QRectF outer(m, m, w - 2 * m, h - 2 * m);
    const double wall = std::min(w, h) * 0.025;
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(outer);
    p.setBrush(Paper);
    p.drawRect(outer.adjusted(wall, wall, -wall, -wall));
    const QRectF court = outer.adjusted(outer.width() * 0.25, outer.height() * 0.25, -outer.width() * 0.25, -outer.height() * 0.25);
    p.setBrush(Ink);
    p.drawRect(court.adjusted(-wall, -wall, wall, wall));
    p.setBrush(QColor(236, 226, 200));
    p.drawRect(court);
    p.setBrush(QColor(120, 170, 200));
    p.setPen(QPen(Ink, 1));
    p.drawRect(court.adjusted(court.width() * 0.35, court.height() * 0.3, -court.width() * 0.35, -court.height() * 0.3));
    // Room walls between the outer wall and the court.
    p.setPen(QPen(Ink, wall * 0.6));
    const int rooms = 4 + static_cast<int>(r.Below(4));
    for (int i = 1; i < rooms; ++i) {
        const double x = outer.left() + outer.width() * i / rooms;
        const double y = outer.top() + outer.height() * i / rooms;
        p.drawLine(QPointF(x, outer.top()), QPointF(x, court.top() - wall));
        p.drawLine(QPointF(x, court.bottom() + wall), QPointF(x, outer.bottom()));
        p.drawLine(QPointF(outer.left(), y), QPointF(court.left() - wall, y));
        p.drawLine(QPointF(court.right() + wall, y), QPointF(outer.right(), y));
    }
    // Portals: gaps in the court's wall on both axes.
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    const double gap = std::min(court.width(), court.height()) * 0.18;
    p.drawRect(QRectF(court.center().x() - gap / 2, court.top() - wall - 1, gap, wall + 2));
    p.drawRect(QRectF(court.center().x() - gap / 2, court.bottom() - 1, gap, wall + 2));
    p.drawRect(QRectF(court.left() - wall - 1, court.center().y() - gap / 2, wall + 2, gap));
    p.drawRect(QRectF(court.right() - 1, court.center().y() - gap / 2, wall + 2, gap));
    p.drawRect(QRectF(outer.center().x() - gap / 2, outer.bottom() - wall - 1, gap, wall + 2));
    // Columns in the hall above the court.
    p.setBrush(Ink);
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(court.left() + court.width() * (i + 0.5) / 6, (outer.top() + court.top()) / 2), wall * 0.5, wall * 0.5);
}

QImage TBookPictures::Draw(const TBookFigure &figure)
{
    QImage image(figure.Width, figure.Height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    TBookRandom random(0x5EED0000u + static_cast<uint64_t>(figure.Number));
    switch (figure.Kind) {
    case TFigureKind::Map: DrawMap(p, figure.Width, figure.Height, random); break;
    case TFigureKind::Facade: DrawFacade(p, figure.Width, figure.Height, random); break;
    case TFigureKind::Ornament: DrawOrnament(p, figure.Width, figure.Height, random); break;
    case TFigureKind::Chart: DrawChart(p, figure.Width, figure.Height, random); break;
    case TFigureKind::Plan: DrawPlan(p, figure.Width, figure.Height, random); break;
    }
    p.end();
    return image;
}

void TBookPictures::WriteJpeg(const QImage &source, const QString &path, int quality, bool grayscale, bool progressive)
{
    const QImage image = source.convertToFormat(grayscale ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    // libjpeg reports errors by calling error_exit, which must not return: jump back here.
    struct TErrorManager {
        jpeg_error_mgr Public;
        jmp_buf Back;
        char Message[JMSG_LENGTH_MAX];
    };
    jpeg_compress_struct cinfo {};
    TErrorManager jerr {};
    cinfo.err = jpeg_std_error(&jerr.Public);
    jerr.Public.error_exit = [](j_common_ptr info) {
        auto *e = reinterpret_cast<TErrorManager *>(info->err);
        (*info->err->format_message)(info, e->Message);
        longjmp(e->Back, 1);
    };
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_create_compress(&cinfo);
    if (setjmp(jerr.Back)) {
        jpeg_destroy_compress(&cinfo);
        free(buffer);
        throw std::runtime_error(("cannot encode " + path + ": " + QString::fromLocal8Bit(jerr.Message)).toStdString());
    }
    {
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = static_cast<JDIMENSION>(image.width());
        cinfo.image_height = static_cast<JDIMENSION>(image.height());
        cinfo.input_components = grayscale ? 1 : 3;
        cinfo.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, quality, TRUE);
        if (progressive) jpeg_simple_progression(&cinfo);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(cinfo.next_scanline)));
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
    }
    const QByteArray bytes(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    free(buffer);
    TBookFiles::Write(path, bytes);
}

void TBookPictures::Write(const QString &bookFolder)
{
    const QString folder = bookFolder + QStringLiteral("/datas/pix/");
    for (const TBookFigure &f : TBookFigures::All())
        WriteJpeg(Draw(f), folder + f.Name + QStringLiteral(".jpg"), 85, f.Grayscale, f.Progressive);
    // The picture list: 8-bit text, one base name per gallery item, CR LF line ends.
    TBookFiles::Write(folder + QStringLiteral("pix.txt"), TBookFiles::JoinLines(TBookFigures::GalleryNames()).toLatin1());
}
