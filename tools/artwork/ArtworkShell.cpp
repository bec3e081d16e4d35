// Pictures of the start menu and of the reading window's bars: the menu's background,
// its twelve buttons (normal and mouse-over, captions drawn in), the reading window's
// bottom-bar, page and back and forward buttons and its header picture; and the
// application icon.
#include "ArtworkRegistry.h"
#include "app/BookData.h"
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {
const QColor Navy(4, 50, 88);
const QColor NavyDeep(2, 26, 48);
const QColor NavyLight(22, 84, 136);
const QColor Cream(252, 238, 205);
const QColor Gold(214, 172, 86);
const QColor GoldLight(242, 214, 140);
const QColor GoldDeep(176, 128, 44);
const QColor BarGrey(232, 232, 232);

QString BookFamily()
{
    return qEnvironmentVariable("KETAB_FONT_FAMILY", QStringLiteral("Noto Naskh Arabic"));
}

QFont BookFont(int pixelSize, bool bold = false)
{
    QFont f(BookFamily());
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void Save(const QImage &image, const QString &folder, const QString &name)
{
    image.convertToFormat(QImage::Format_RGB888).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void Smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// One eight-pointed star (two overlaid squares) centred at c.
QPainterPath Star(QPointF c, double r)
{
    QPainterPath path;
    for (int k = 0; k < 2; ++k) {
        QPolygonF square;
        for (int i = 0; i < 4; ++i) {
            const double a = qDegreesToRadians(45.0 * k + 90.0 * i);
            square << c + QPointF(r * std::cos(a), r * std::sin(a));
        }
        square << square.first();
        path.addPolygon(square);
    }
    return path;
}

void DrawDiamond(QPainter &p, QPointF c, double r, const QColor &color)
{
    QPolygonF d{c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)};
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(d);
}

// A gold rule with a diamond in its middle.
void DrawOrnamentRule(QPainter &p, double x1, double x2, double y)
{
    const double mid = (x1 + x2) / 2;
    QLinearGradient g(x1, y, x2, y);
    g.setColorAt(0, QColor(Gold.red(), Gold.green(), Gold.blue(), 0));
    g.setColorAt(0.5, Gold);
    g.setColorAt(1, QColor(Gold.red(), Gold.green(), Gold.blue(), 0));
    p.setPen(QPen(QBrush(g), 1.2));
    p.drawLine(QPointF(x1, y), QPointF(mid - 10, y));
    p.drawLine(QPointF(mid + 10, y), QPointF(x2, y));
    DrawDiamond(p, QPointF(mid, y), 5, Gold);
    DrawDiamond(p, QPointF(mid, y), 2.2, NavyDeep);
}

// The start menu's background; the buttons are later cut from it so their edges blend.
QImage MenuBackground()
{
    QImage img(600, 440, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    Smooth(p);
    QLinearGradient sky(0, 0, 0, 440);
    sky.setColorAt(0, QColor(8, 64, 108));
    sky.setColorAt(0.55, Navy);
    sky.setColorAt(1, NavyDeep);
    p.fillRect(img.rect(), sky);

    // A faint lattice of stars over the whole picture.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(214, 172, 86, 26), 1));
    for (int y = 0; y <= 440 + 40; y += 40)
        for (int x = ((y / 40) % 2) * 20; x <= 600 + 40; x += 40) p.drawPath(Star(QPointF(x, y), 11));

    // Soft light behind the title.
    QRadialGradient glow(QPointF(330, 110), 260);
    glow.setColorAt(0, QColor(60, 130, 190, 90));
    glow.setColorAt(1, QColor(60, 130, 190, 0));
    p.fillRect(img.rect(), glow);

    // A rosette on the left, beside the credits button.
    const QPointF rose(120, 120);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(214, 172, 86, 140 - 35 * i), 1.2));
        p.drawPath(Star(rose, 44 - 12 * i));
    }
    p.setPen(QPen(QColor(214, 172, 86, 90), 1));
    p.drawEllipse(rose, 52, 52);
    p.drawEllipse(rose, 57, 57);
    DrawDiamond(p, rose, 6, Gold);

    // The title and its subtitle.
    p.setPen(QColor(0, 0, 0, 110));
    p.setFont(BookFont(78, true));
    const QRectF titleBox(200, 6, 280, 130);
    p.drawText(titleBox.translated(2, 3), Qt::AlignCenter, QStringLiteral("كتاب"));
    QLinearGradient gold(0, 40, 0, 120);
    gold.setColorAt(0, GoldLight);
    gold.setColorAt(1, Gold);
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("كتاب"));
    DrawOrnamentRule(p, 230, 450, 150);
    p.setPen(Cream);
    p.setFont(BookFont(19));
    p.drawText(QRectF(200, 156, 280, 36), Qt::AlignCenter, QStringLiteral("پنج بخش در سه جلد"));

    // Panels under the two groups of buttons.
    const auto panel = [&p](QRectF r) {
        QPainterPath path;
        path.addRoundedRect(r, 8, 8);
        p.setPen(QPen(QColor(214, 172, 86, 150), 1));
        p.setBrush(QColor(1, 20, 38, 150));
        p.drawPath(path);
    };
    panel(QRectF(212.5, 222.5, 324, 158));
    panel(QRectF(60.5, 241.5, 114, 146));
    return img;
}

struct TButtonLook {
    bool hot;
    bool down;
};

// A rounded face over the background under it; hot faces are gold with navy text.
void PaintFace(QImage &img, TButtonLook look, double radius)
{
    QPainter p(&img);
    Smooth(p);
    const QRectF r = QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    QLinearGradient g(0, 0, 0, img.height());
    if (look.hot) {
        g.setColorAt(0, GoldLight);
        g.setColorAt(1, look.down ? GoldDeep : Gold);
        p.setPen(QPen(QColor(255, 240, 200), 1));
    } else if (look.down) {
        g.setColorAt(0, NavyDeep);
        g.setColorAt(1, Navy);
        p.setPen(QPen(Gold, 1));
    } else {
        g.setColorAt(0, NavyLight);
        g.setColorAt(1, Navy);
        p.setPen(QPen(QColor(214, 172, 86, 170), 1));
    }
    p.setBrush(g);
    p.drawPath(path);
}

QColor TextColor(TButtonLook look) { return look.hot ? NavyDeep : Cream; }

QImage Crop(const QImage &background, QRect r) { return background.copy(r); }

// Section button: the title right-aligned after a diamond bullet.
QImage SectionButton(const QImage &bg, QRect place, const QString &caption, TButtonLook look)
{
    QImage img = Crop(bg, place);
    PaintFace(img, look, 5);
    QPainter p(&img);
    Smooth(p);
    DrawDiamond(p, QPointF(img.width() - 12, img.height() / 2.0), 4, look.hot ? Navy : Gold);
    p.setPen(TextColor(look));
    p.setFont(BookFont(14, look.hot));
    p.drawText(QRectF(8, -1, img.width() - 30, img.height()), Qt::AlignRight | Qt::AlignVCenter,
               caption);
    return img;
}

QImage CaptionButton(const QImage &bg, QRect place, const QString &caption, TButtonLook look, int pixelSize,
                     double radius = 5)
{
    QImage img = bg.isNull() ? QImage(place.size(), QImage::Format_ARGB32_Premultiplied) : Crop(bg, place);
    if (bg.isNull()) img.fill(BarGrey);
    PaintFace(img, look, radius);
    QPainter p(&img);
    Smooth(p);
    p.setPen(TextColor(look));
    p.setFont(BookFont(pixelSize, true));
    const QRectF box = QRectF(img.rect()).translated(look.down ? 1 : 0, (look.down ? 1 : 0) - 1);
    p.drawText(box, Qt::AlignCenter, caption);
    return img;
}

// The upright credits button: its caption turned to read bottom to top.
QImage UprightButton(const QImage &bg, QRect place, const QString &caption, TButtonLook look)
{
    QImage img = Crop(bg, place);
    PaintFace(img, look, 5);
    QPainter p(&img);
    Smooth(p);
    p.translate(img.width() / 2.0, img.height() / 2.0);
    p.rotate(-90);
    p.setPen(TextColor(look));
    p.setFont(BookFont(12, true));
    p.drawText(QRectF(-img.height() / 2.0, -img.width() / 2.0 - 1, img.height(), img.width()), Qt::AlignCenter,
               caption);
    return img;
}

// Page buttons: arrows pointing the way the pages go in a right-to-left book.
enum TArrow { arFirst, arPrevious, arNext, arLast };

// The face of a button in the bar's row of page buttons, 31 x 23.
QImage RowButtonFace(TButtonLook look)
{
    QImage img(31, 23, QImage::Format_ARGB32_Premultiplied);
    img.fill(BarGrey);
    PaintFace(img, look, 4);
    return img;
}

// A painter with its origin at the row button's centre, a pixel further when pressed.
void CentreOnRowButton(QPainter &p, TButtonLook look)
{
    Smooth(p);
    const double shift = look.down ? 1 : 0;
    p.translate(15.5 + shift, 11.5 + shift);
}

QImage PageButton(TArrow arrow, TButtonLook look)
{
    QImage img = RowButtonFace(look);
    QPainter p(&img);
    CentreOnRowButton(p, look);
    // First and previous point right (towards the book's beginning), next and last left.
    if (arrow == arNext || arrow == arLast) p.scale(-1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(TextColor(look));
    const auto triangle = [&p](double tipX) {
        p.drawPolygon(QPolygonF{QPointF(tipX, 0), QPointF(tipX - 7, -5.5), QPointF(tipX - 7, 5.5)});
    };
    if (arrow == arFirst || arrow == arLast) {
        triangle(2);
        triangle(-4);
        p.drawRect(QRectF(3, -5.5, 2, 11));
    } else {
        triangle(3.5);
    }
    return img;
}

// Back and forward through the places left by jumps: an arrow with its shaft, so it
// reads apart from the page buttons' heads alone. Back points right, the way a
// right-to-left reader came; a button with nowhere to go shows its arrow faded.
QImage HistoryButton(bool back, TButtonLook look, bool disabled)
{
    QImage img = RowButtonFace(look);
    QPainter p(&img);
    CentreOnRowButton(p, look);
    if (!back) p.scale(-1, 1);
    const QColor ink = disabled ? QColor(Cream.red(), Cream.green(), Cream.blue(), 80) : TextColor(look);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-7, 0), QPointF(2, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF{QPointF(8, 0), QPointF(1.5, -5.5), QPointF(1.5, 5.5)});
    return img;
}

QImage Header()
{
    QImage img(300, 50, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    Smooth(p);
    p.fillRect(img.rect(), Navy);
    // Lattice and light fading out to the bar's plain colour on the left.
    QImage deco(img.size(), QImage::Format_ARGB32_Premultiplied);
    deco.fill(Qt::transparent);
    {
        QPainter d(&deco);
        Smooth(d);
        d.setPen(QPen(QColor(214, 172, 86, 60), 1));
        for (int y = 0; y <= 60; y += 25)
            for (int x = ((y / 25) % 2) * 12; x <= 312; x += 25) d.drawPath(Star(QPointF(x, y), 7));
        QRadialGradient glow(QPointF(230, 25), 120);
        glow.setColorAt(0, QColor(60, 130, 190, 110));
        glow.setColorAt(1, QColor(60, 130, 190, 0));
        d.fillRect(deco.rect(), glow);
        d.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient fade(0, 0, 300, 0);
        fade.setColorAt(0, QColor(0, 0, 0, 0));
        fade.setColorAt(0.6, QColor(0, 0, 0, 255));
        d.fillRect(deco.rect(), fade);
    }
    p.drawImage(0, 0, deco);
    p.setFont(BookFont(34, true));
    p.setPen(QColor(0, 0, 0, 120));
    const QRectF box(150, -4, 136, 54);
    p.drawText(box.translated(1.5, 2), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("كتاب"));
    p.setPen(GoldLight);
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("كتاب"));
    DrawDiamond(p, QPointF(150, 26), 4, Gold);
    p.setPen(QPen(QColor(214, 172, 86, 180), 1));
    p.drawLine(QPointF(60, 26), QPointF(143, 26));
    return img;
}

void PaintShell(const QString &folder)
{
    const QImage bg = MenuBackground();
    Save(bg, folder, QStringLiteral("SHELL_MENU_BACK"));

    const TButtonLook normal{false, false}, hot{true, false}, down{true, true}, pressed{false, true};
    const auto pair = [&](const QString &name, auto make) {
        Save(make(normal), folder, name);
        Save(make(hot), folder, name + QStringLiteral("_HOT"));
    };
    for (int s = 0; s < 5; ++s) {
        const QRect place(226, 253 + 24 * s, 296, 22);
        const QString title = QString::fromUtf8(SectionTitles[s]);
        pair(QStringLiteral("SHELL_MENU_SECTION%1").arg(s + 1),
             [&](TButtonLook l) { return SectionButton(bg, place, title, l); });
    }
    const struct {
        const char *name;
        QRect place;
        const char *caption;
        int size;
    } side[] = {
        {"SHELL_MENU_SEARCH", QRect(72, 253, 90, 24), "جستجو", 15},
        {"SHELL_MENU_INDEX", QRect(72, 285, 90, 24), "نمایه‌ها", 15},
        {"SHELL_MENU_GALLERY", QRect(72, 317, 90, 24), "تصاویر", 15},
        {"SHELL_MENU_PRINT", QRect(72, 352, 90, 24), "چاپ", 15},
        {"SHELL_MENU_EXIT", QRect(16, 405, 58, 24), "خروج", 15},
        {"SHELL_MENU_HELP", QRect(8, 5, 33, 13), "راهنما", 10},
    };
    for (const auto &b : side)
        pair(QString::fromLatin1(b.name), [&](TButtonLook l) {
            return CaptionButton(bg, b.place, QString::fromUtf8(b.caption), l, b.size, b.place.height() < 20 ? 3 : 5);
        });
    pair(QStringLiteral("SHELL_MENU_CREDITS"),
         [&](TButtonLook l) { return UprightButton(bg, QRect(32, 133, 18, 66), QStringLiteral("سازندگان"), l); });

    // Reading window: bottom bar buttons on the bar's grey, page buttons, header.
    const struct {
        const char *name;
        const char *caption;
    } bar[] = {
        {"SHELL_BAR_MENU", "منو"},
        {"SHELL_BAR_CONTENTS", "فهرست"},
        {"SHELL_BAR_SEARCH", "جستجو"},
        {"SHELL_BAR_PRINT", "چاپ"},
        // Read aloud, by what a press will do: read, pause, resume; stop while starting.
        {"SHELL_BAR_SPEAK", "خواندن"},
        {"SHELL_BAR_SPEAK_PAUSE", "مکث"},
        {"SHELL_BAR_SPEAK_RESUME", "ادامه"},
        {"SHELL_BAR_SPEAK_STOP", "توقف"},
    };
    for (const auto &b : bar)
        pair(QString::fromLatin1(b.name), [&](TButtonLook l) {
            return CaptionButton(QImage(), QRect(0, 0, 76, 23), QString::fromUtf8(b.caption), l, 14, 5);
        });
    const struct {
        const char *name;
        TArrow arrow;
    } pages[] = {
        {"SHELL_PAGE_FIRST", arFirst},
        {"SHELL_PAGE_PREVIOUS", arPrevious},
        {"SHELL_PAGE_NEXT", arNext},
        {"SHELL_PAGE_LAST", arLast},
    };
    for (const auto &b : pages) {
        const QString name = QString::fromLatin1(b.name);
        Save(PageButton(b.arrow, normal), folder, name);
        Save(PageButton(b.arrow, hot), folder, name + QStringLiteral("_HOT"));
        Save(PageButton(b.arrow, down), folder, name + QStringLiteral("_DOWN"));
    }
    for (const bool back : {true, false}) {
        const QString name = back ? QStringLiteral("SHELL_HISTORY_BACK") : QStringLiteral("SHELL_HISTORY_FORWARD");
        Save(HistoryButton(back, normal, false), folder, name);
        Save(HistoryButton(back, hot, false), folder, name + QStringLiteral("_HOT"));
        Save(HistoryButton(back, down, false), folder, name + QStringLiteral("_DOWN"));
        Save(HistoryButton(back, normal, true), folder, name + QStringLiteral("_DISABLED"));
    }
    (void)pressed;
    Save(Header(), folder, QStringLiteral("SHELL_HEADER"));
}

// The application icon: a closed book in the menu's navy and gold, its spine on the right
// as a right-to-left book lies, a star medallion on the cover. Drawn on a 512 grid and
// scaled; below 48 pixels the frame, the spine bands and the page lines would only blur,
// so they are left out and the star is drawn larger.
QImage Icon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Smooth(p);
    p.scale(size / 512.0, size / 512.0);
    const bool detail = size >= 48;

    if (detail) {
        QRadialGradient shadow(QPointF(262, 474), 200);
        shadow.setColorAt(0, QColor(0, 0, 0, 90));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        p.save();
        p.scale(1, 0.12);
        p.translate(0, 474 / 0.12 - 474);
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawEllipse(QPointF(262, 474), 200, 200);
        p.restore();
    }

    // The pages, showing at the open side (left) and at the bottom.
    QPainterPath pages;
    pages.addRoundedRect(QRectF(64, 56, 352, 412), 18, 18);
    QLinearGradient paper(64, 0, 140, 0);
    paper.setColorAt(0, QColor(226, 206, 160));
    paper.setColorAt(1, Cream);
    p.setPen(QPen(GoldDeep, detail ? 4 : 10));
    p.setBrush(paper);
    p.drawPath(pages);
    if (detail) {
        p.setPen(QPen(QColor(176, 128, 44, 110), 3));
        for (int i = 1; i <= 3; ++i) {
            p.drawLine(QPointF(64 + 10 * i, 80), QPointF(64 + 10 * i, 446 + 4 * i));
            p.drawLine(QPointF(84, 446 + 6 * i), QPointF(400, 446 + 6 * i));
        }
    }

    // The cover.
    QPainterPath cover;
    cover.addRoundedRect(QRectF(92, 28, 364, 412), 22, 22);
    QLinearGradient blue(92, 28, 456, 440);
    blue.setColorAt(0, NavyLight);
    blue.setColorAt(0.5, Navy);
    blue.setColorAt(1, NavyDeep);
    p.setPen(QPen(NavyDeep, detail ? 4 : 10));
    p.setBrush(blue);
    p.drawPath(cover);

    // The spine.
    QPainterPath spine;
    spine.addRoundedRect(QRectF(404, 28, 52, 412), 22, 22);
    spine.addRect(QRectF(404, 28, 26, 412));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(1, 20, 38, 170));
    p.drawPath(spine.simplified());
    if (detail) {
        p.setBrush(Gold);
        for (double y : {74.0, 92.0, 362.0, 380.0}) p.drawRect(QRectF(404, y, 52, 8));
    }

    // The gold frame of the cover's face.
    const QRectF face(124, 62, 256, 344);
    if (detail) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Gold, 7));
        p.drawRoundedRect(face, 10, 10);
        p.setPen(QPen(QColor(214, 172, 86, 170), 3));
        p.drawRoundedRect(face.adjusted(16, 16, -16, -16), 6, 6);
    }

    // The medallion.
    const QPointF c = face.center();
    QLinearGradient gold(0, c.y() - 90, 0, c.y() + 90);
    gold.setColorAt(0, GoldLight);
    gold.setColorAt(1, Gold);
    if (detail) {
        p.setPen(QPen(Gold, 5));
        p.setBrush(NavyDeep);
        p.drawEllipse(c, 96, 96);
    }
    p.setPen(detail ? QPen(GoldDeep, 3) : QPen(Qt::NoPen));
    p.setBrush(gold);
    // The star's two squares overlap; filled by winding, the overlap is not a hole.
    const auto solidStar = [](QPointF centre, double r) {
        QPainterPath star = Star(centre, r);
        star.setFillRule(Qt::WindingFill);
        return star.simplified();
    };
    p.drawPath(solidStar(c, detail ? 82 : 128));
    if (detail) {
        p.setPen(Qt::NoPen);
        p.setBrush(Navy);
        p.drawPath(solidStar(c, 44));
        DrawDiamond(p, c, 16, GoldLight);
    }
    return img;
}

void PaintIcon(const QString &folder)
{
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512})
        Icon(size).save(folder + QStringLiteral("/KETAB_ICON_%1.png").arg(size));
}
}

KETAB_ARTWORK("shell", PaintShell);
KETAB_ARTWORK("icon", PaintIcon);
