// The scaled image view and its bitmap: geometry, paint stages, buffer reuse, clicks,
// and picture loading with its failures.
#include "WidgetTestKit.h"
#include "app/Errors.h"
#include "widgets/TImage32.h"
#include "widgets/TJpegReader.h"
#include <QtTest>

namespace {
// A picture whose pixel (x, y) is (x mod 256, y mod 256, 77).
QImage Ramp(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x % 256, y % 256, 77));
    return img;
}

void SendMouse(QWidget &w, QEvent::Type type, QPoint pos, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(data);
    return f.fileName();
}

QByteArray Jpeg(const QImage &img)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG", 95);
    return data;
}
} // namespace

class TestImage32 : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private slots:
    void initTestCase() { UseKnownPalette(); QVERIFY(dir.isValid()); }

    void galleryFitAndBands()
    {
        TImage32 view;
        view.resize(129, 169);
        view.SetColor(clRed);
        view.SetBitmapAlign(baCenter);
        view.SetScaleMode(smResize);
        view.Bitmap().SetImage(Ramp(400, 300));
        QCOMPARE(view.ComputeBitmapSize(), QSize(129, 97));
        QCOMPARE(view.GetBitmapRect(), TVrRect(0, 36, 129, 133));
        const QImage img = Render(view);
        QCOMPARE(Px(img, 64, 35), Rgb(255, 0, 0));
        QCOMPARE(Px(img, 64, 133), Rgb(255, 0, 0));
        QCOMPARE(Px(img, 0, 168), Rgb(255, 0, 0));
        QCOMPARE(Px(img, 0, 36).blue(), 77);
        QCOMPARE(Px(img, 128, 132).blue(), 77);
        // Nearest neighbour: a target pixel shows the source pixel under its centre.
        QCOMPARE(Px(img, 0, 36), Rgb(1, 1, 77));

        // Same proportions as the view: no background at all.
        view.Bitmap().SetImage(Ramp(258, 338));
        QCOMPARE(view.GetBitmapRect(), TVrRect(0, 0, 129, 169));
        const QImage full = Render(view);
        for (int y : {0, 84, 168}) QCOMPARE(Px(full, 0, y).blue(), 77);
    }

    void centredLargerPicture()
    {
        TImage32 view;
        view.resize(129, 169);
        view.SetBitmapAlign(baCenter);
        view.Bitmap().SetImage(Ramp(300, 200));
        // (129 - 300) / 2 = -85.5 and (169 - 200) / 2 = -15.5, truncated toward zero.
        QCOMPARE(view.GetBitmapRect(), TVrRect(-85, -15, 215, 185));
        const QImage img = Render(view);
        QCOMPARE(Px(img, 0, 0), Rgb(85, 15, 77));
        QCOMPARE(Px(img, 128, 168), Rgb(213, 183, 77));
    }

    void emptyTileAndScale()
    {
        TImage32 view;
        view.resize(10, 10);
        view.SetColor(RGBColor(1, 2, 3));
        QImage img = Render(view);
        QCOMPARE(Px(img, 0, 0), Rgb(1, 2, 3));
        QCOMPARE(Px(img, 9, 9), Rgb(1, 2, 3));

        view.Bitmap().SetImage(Ramp(4, 3));
        view.SetBitmapAlign(baTile);
        img = Render(view);
        QCOMPARE(Px(img, 4, 3), Rgb(0, 0, 77));
        QCOMPARE(Px(img, 9, 9), Rgb(1, 0, 77));

        view.SetScale(0);
        QCOMPARE(view.Scale(), 0.001f);
        view.SetScaleMode(smScale);
        view.SetScale(2.5f);
        QCOMPARE(view.ComputeBitmapSize(), QSize(10, 8));  // 7.5 rounds to the even 8
        view.SetScale(0.5f);
        QCOMPARE(view.ComputeBitmapSize(), QSize(2, 2));  // 1.5 rounds to 2
        view.SetScaleMode(smStretch);
        QCOMPARE(view.ComputeBitmapSize(), QSize(10, 10));
        view.resize(0, 10);
        QCOMPARE(view.ComputeBitmapSize(), QSize(0, 0));
    }

    void changesAndUpdateCounter()
    {
        TImage32 view;
        int changes = 0;
        view.OnChange = [&](QObject *sender) { QCOMPARE(sender, &view); ++changes; };
        view.SetScaleMode(smResize);
        QCOMPARE(changes, 1);
        view.SetScaleMode(smResize);
        QCOMPARE(changes, 1);
        view.SetBitmapAlign(baTopLeft);  // always acts
        QCOMPARE(changes, 2);
        view.BeginUpdate();
        view.SetScale(3);
        view.SetBitmapAlign(baCenter);
        QCOMPARE(changes, 2);
        view.EndUpdate();
        QCOMPARE(changes, 3);
    }

    void paintBufferReuse()
    {
        TImage32 view;
        view.resize(192, 192);
        Render(view);
        QCOMPARE(view.Buffer().Image().size(), QSize(192, 192));
        view.resize(160, 190);
        Render(view);
        QCOMPARE(view.Buffer().Image().size(), QSize(192, 192));  // within 40 pixels: kept
        view.resize(151, 192);
        Render(view);
        QCOMPARE(view.Buffer().Image().size(), QSize(151, 192));  // 41 below: refitted
        view.resize(152, 100);
        Render(view);
        QCOMPARE(view.Buffer().Image().size(), QSize(152, 100));  // grown beyond
    }

    void clicksAndMouseEvents()
    {
        TImage32 view;
        int clicks = 0, downs = 0, ups = 0;
        view.OnClick = [&](QObject *) { ++clicks; };
        view.OnMouseDown = [&](QObject *, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y, QObject *layer) {
            QCOMPARE(b, Qt::LeftButton);
            QCOMPARE(QPoint(x, y), QPoint(5, 6));
            QCOMPARE(layer, nullptr);
            ++downs;
        };
        view.OnMouseUp = [&](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int, QObject *) { ++ups; };
        SendMouse(view, QEvent::MouseButtonPress, QPoint(5, 6), Qt::LeftButton);
        SendMouse(view, QEvent::MouseButtonRelease, QPoint(5, 6), Qt::NoButton);
        QCOMPARE(clicks, 1);
        QCOMPARE(downs, 1);
        QCOMPARE(ups, 1);
        // Released outside the view: no click.
        SendMouse(view, QEvent::MouseButtonPress, QPoint(5, 6), Qt::LeftButton);
        SendMouse(view, QEvent::MouseButtonRelease, QPoint(500, 6), Qt::NoButton);
        QCOMPARE(clicks, 1);
    }

    void autoSizeBeforeRepaint()
    {
        TImage32 view;
        view.move(7, 9);
        view.SetAutoSize(true);
        const QString path = WriteFile(dir, "auto.jpg", Jpeg(Ramp(123, 45)));
        view.Bitmap().LoadFromFile(path);
        QCOMPARE(view.geometry(), QRect(7, 9, 123, 45));  // at once, before any paint
        QVERIFY(!view.BufferValid());
        QCOMPARE(view.sizeHint(), QSize(123, 45));
    }

    void jpegLoading()
    {
        const QString path = WriteFile(dir, "good.jpg", Jpeg(Ramp(64, 48)));
        TBitmap32 bmp;
        int resized = 0, changed = 0;
        bmp.OnResize = [&](TBitmap32 *) { ++resized; };
        bmp.OnChange = [&](TBitmap32 *) { ++changed; };
        bmp.LoadFromFile(path);
        QCOMPARE(bmp.Width(), 64);
        QCOMPARE(bmp.Height(), 48);
        QVERIFY(resized >= 1);
        QVERIFY(changed >= 1);
        QCOMPARE(qAlpha(bmp.Image().pixel(10, 10)), 255);
        const QColor c = bmp.Image().pixelColor(40, 30);
        QVERIFY(qAbs(c.red() - 40) < 8 && qAbs(c.green() - 30) < 8 && qAbs(c.blue() - 77) < 8);

        QImage grey(20, 10, QImage::Format_Grayscale8);
        grey.fill(100);
        bmp.LoadFromFile(WriteFile(dir, "grey.jpeg", Jpeg(grey)));
        QCOMPARE(bmp.Width(), 20);
        QVERIFY(qAbs(bmp.Image().pixelColor(5, 5).red() - 100) < 3);

        // Other formats through the image reader, chosen by the extension.
        QImage png = Ramp(5, 6);
        png.save(dir.filePath("small.png"));
        bmp.LoadFromFile(dir.filePath("small.png"));
        QCOMPARE(bmp.Image().pixel(3, 4), qRgb(3, 4, 77));
    }

    void badPicturesKeepTheOldOne_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = Jpeg(Ramp(200, 150));
        QTest::newRow("missing") << QStringLiteral("missing.jpg") << QByteArray();
        QTest::newRow("truncated") << QStringLiteral("cut.jpg") << good.left(good.size() / 2);
        QTest::newRow("not a jpeg") << QStringLiteral("text.jpg") << QByteArray("This is a text file, not a picture.\n");
        QTest::newRow("empty") << QStringLiteral("empty.jpg") << QByteArray("");
        // A valid start whose frame header claims 10000 x 10000 pixels.
        QByteArray huge = good;
        const int sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
        huge[sof + 5] = char(10000 >> 8);
        huge[sof + 6] = char(10000 & 0xFF);
        huge[sof + 7] = char(10000 >> 8);
        huge[sof + 8] = char(10000 & 0xFF);
        QTest::newRow("10000 x 10000") << QStringLiteral("huge.jpg") << huge;
        QTest::newRow("unknown extension") << QStringLiteral("picture.xyz") << good;
        QTest::newRow("bad png") << QStringLiteral("bad.png") << QByteArray("\x89PNG\r\n\x1a\n garbage", 17);
    }

    void badPicturesKeepTheOldOne()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, data);
        const QString path = name == QLatin1String("missing.jpg") ? dir.filePath(name) : WriteFile(dir, name, data);
        TImage32 view;
        view.resize(129, 169);
        view.SetScaleMode(smResize);
        view.Bitmap().SetImage(Ramp(40, 30));
        const QImage before = Render(view);
        int changes = 0;
        view.OnChange = [&](QObject *) { ++changes; };
        try {
            view.Bitmap().LoadFromFile(path);
            QFAIL("the load should have failed");
        } catch (const EFileError &e) {
            QVERIFY2(e.Message().contains(path), qPrintable(e.Message()));
        }
        QCOMPARE(view.Bitmap().Width(), 40);
        QCOMPARE(changes, 0);
        QCOMPARE(Render(view), before);
    }
};

QTEST_MAIN(TestImage32)
#include "tst_image32.moc"
