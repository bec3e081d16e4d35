// Shows the widget family: bevels, progress bars, gradients, navigator bars, shadow and
// link labels and scaled pictures, each in the configurations the program's windows use.
#include "widgets/TBitmap32.h"
#include "widgets/TImage32.h"
#include "widgets/TQuelConnectLabel.h"
#include "widgets/TVrGradient.h"
#include "widgets/TVrNavigator.h"
#include "widgets/TVrProgressBar.h"
#include "widgets/VrDraw.h"
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QLabel *Caption(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

// A picture of a landscape, drawn here so the demonstration needs no data.
QImage Landscape(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(230, 240, 250));
    p.fillRect(img.rect(), sky);
    p.setBrush(QColor(250, 210, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.75, h * 0.25), w * 0.08, w * 0.08);
    p.setBrush(QColor(60, 140, 70));
    p.drawPolygon(QPolygonF({QPointF(0, h), QPointF(0, h * 0.6), QPointF(w * 0.3, h * 0.45),
                             QPointF(w * 0.6, h * 0.65), QPointF(w, h * 0.5), QPointF(w, h)}));
    p.setBrush(QColor(120, 70, 40));
    p.drawRect(QRectF(w * 0.2, h * 0.55, w * 0.1, h * 0.2));
    return img;
}

// Paints a few bevel configurations.
class TBevelSamples : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), ToQColor(clBtnFace));
        TVrBevel a;
        TVrRect r(0, 0, 60, 40);
        a.PaintBevel(p, r);
        TVrBevel b;
        b.SetBorderWidth(3);
        b.SetBorderColor(clNavy);
        b.SetInnerOutline(osInner);
        b.SetOuterStyle(bsLowered);
        b.SetInnerStyle(bsRaised);
        b.SetInnerWidth(2);
        TVrRect r2(70, 0, 130, 40);
        b.PaintBevel(p, r2);
        p.fillRect(r2.ToQRect(), Qt::white);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const bool shot = argc > 1;
    if (shot) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ketab widgets"));
    window.resize(760, 470);

    Caption(&window, QStringLiteral("Bevels"), 10, 8);
    auto *bevels = new TBevelSamples(&window);
    bevels->setGeometry(10, 28, 140, 40);

    Caption(&window, QStringLiteral("Progress bars"), 170, 8);
    auto *blocks = new TVrProgressBar(&window);
    blocks->move(170, 28);
    blocks->SetPosition(55);
    auto *smooth = new TVrProgressBar(&window);
    smooth->move(170, 50);
    smooth->SetSmooth(true);
    smooth->SetPosition(70);
    auto *info = new TVrProgressBar(&window);
    info->setGeometry(170, 72, 340, 9);
    info->SetSmooth(true);
    info->SetStartColor(clInfoBk);
    info->SetEndColor(clInfoBk);
    info->SetPosition(40);
    auto *plain = new TVrProgressBar(&window);
    plain->move(170, 87);
    plain->SetFillType(pfPlain);
    plain->SetPosition(30);
    auto *vertical = new TVrProgressBar(&window);
    vertical->SetOrientation(voVertical);
    vertical->setGeometry(530, 28, 16, 120);
    vertical->SetPosition(65);

    Caption(&window, QStringLiteral("Gradients"), 10, 112);
    const TVrGradDirection dirs[6] = {gdUpDown, gdUpDownHalf, gdLeftRight, gdLeftRightHalf, gdChord1, gdChord2};
    for (int i = 0; i < 6; ++i) {
        auto *g = new TVrGradient(&window);
        g->setGeometry(10 + i * 62, 132, 56, 56);
        g->SetDirection(dirs[i]);
        if (i == 1 || i == 3) g->SetColorWidth(2);
    }
    auto *panel = new TVrGradient(&window);
    panel->setGeometry(10, 196, 500, 30);
    panel->SetStartColor(clWhite);
    panel->SetEndColor(clNavy);
    panel->SetDirection(gdLeftRight);

    Caption(&window, QStringLiteral("Navigator bars"), 10, 236);
    auto *all = new TVrNavigator(&window);
    all->move(10, 256);
    auto *gallery = new TVrNavigator(&window);
    gallery->BeginLoading();
    gallery->setGeometry(10, 288, 241, 25);
    gallery->SetVisibleButtons(VrButtons({btPrev, btBack, btStep, btNext}));
    gallery->SetEnabledButtons(VrAllButtons & ~VrButtons({btBack}));
    gallery->Loaded();
    auto *numeric = new TVrNavigator(&window);
    numeric->setGeometry(260, 288, 250, 25);
    numeric->SetNumeric(true);
    auto *column = new TVrNavigator(&window);
    column->setGeometry(560, 28, 40, 120);
    column->SetVisibleButtons(VrButtons({btPlay, btPause, btStop, btEject}));
    column->SetOrientation(voVertical);

    Caption(&window, QStringLiteral("Labels"), 10, 322);
    const TStyleKind kinds[3] = {skRaised, skLowered, skShadow};
    const char *names[3] = {"برجسته", "فرورفته", "سایه‌دار"};
    for (int i = 0; i < 3; ++i) {
        auto *l = new TQuelLabel(&window);
        QFont f = l->font();
        f.setPixelSize(22);
        l->setFont(f);
        l->setText(QString::fromUtf8(names[i]));
        l->SetStyleKind(kinds[i]);
        l->SetAutoSize(true);
        l->move(10 + i * 110, 342);
    }
    auto *dark = new QWidget(&window);
    dark->setGeometry(10, 380, 500, 30);
    dark->setAutoFillBackground(true);
    QPalette pal = dark->palette();
    pal.setColor(QPalette::Window, QColor(30, 50, 90));
    dark->setPalette(pal);
    auto *web = new TQuelConnectLabel(dark);
    web->setText(QStringLiteral("www.example.org"));
    web->SetAddress(QStringLiteral("www.example.org"));
    web->SetAddressStyle(asHttp);
    web->SetStyleKind(skCustom);
    web->SetShadowSize(0);
    web->SetFontColor(Qt::white);
    web->SetHighlightColor(clYellow);
    web->move(8, 7);
    web->adjustSize();
    auto *mail = new TQuelConnectLabel(dark);
    mail->setText(QStringLiteral("e-mail: info@example.org"));
    mail->SetAddress(QStringLiteral("info@example.org"));
    mail->SetShadowSize(0);
    mail->SetFontColor(Qt::white);
    mail->SetHighlightColor(clYellow);
    mail->adjustSize();
    mail->move(500 - 8 - mail->width(), 7);

    Caption(&window, QStringLiteral("Pictures"), 620, 8);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("landscape.jpg"));
    Landscape(400, 300).save(file, "JPG", 90);
    auto *picture = new TImage32(&window);
    picture->setGeometry(620, 28, 129, 169);
    picture->SetColor(clWhite);
    picture->SetBitmapAlign(baCenter);
    picture->SetScaleMode(smResize);
    picture->setCursor(Qt::PointingHandCursor);
    picture->Bitmap().LoadFromFile(file);
    auto *tiles = new TImage32(&window);
    tiles->setGeometry(620, 210, 129, 100);
    tiles->Bitmap().SetImage(Landscape(40, 30));
    tiles->SetBitmapAlign(baTile);

    if (shot) {
        window.grab().save(QString::fromLocal8Bit(argv[1]));
        std::printf("saved %s\n", argv[1]);
        return 0;
    }
    window.show();
    return app.exec();
}
