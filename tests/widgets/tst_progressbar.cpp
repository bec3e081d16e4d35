// Drawing routines, bevel, progress bar and gradient panel: pixels of off-screen renders.
#include "WidgetTestKit.h"
#include "widgets/TVrBevel.h"
#include "widgets/TVrGradient.h"
#include "widgets/TVrProgressBar.h"
#include <QtTest>

class TestProgressBar : public QObject {
    Q_OBJECT
    const QColor black{0, 0, 0};
private slots:
    void initTestCase() { UseKnownPalette(); }

    void resolvesSystemColours()
    {
        QCOMPARE(ResolveColor(clNavy), clNavy);
        QCOMPARE(ResolveColor(clBtnShadow), RGBColor(128, 128, 128));
        QCOMPARE(ToQColor(clInfoBk), Rgb(255, 255, 225));
        QCOMPARE(ToQColor(RGBColor(1, 2, 3)), Rgb(1, 2, 3));
    }

    void frameCorners()
    {
        QImage img(6, 6, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        TVrRect r(0, 0, 6, 6);
        DrawFrame3D(p, r, clRed, clBlue, 2);
        QCOMPARE(r, TVrRect(2, 2, 4, 4));
        TVrRect r2(0, 0, 6, 6);
        DrawFrame3D(p, r2, clRed, clBlue, 0);
        QCOMPARE(r2, TVrRect(0, 0, 6, 6));
        p.end();
        QCOMPARE(Px(img, 0, 0), Rgb(255, 0, 0));
        QCOMPARE(Px(img, 4, 0), Rgb(255, 0, 0));
        QCOMPARE(Px(img, 5, 0), Rgb(0, 0, 255));   // top-right corner: bottom-right colour
        QCOMPARE(Px(img, 0, 5), Rgb(0, 0, 255));   // bottom-left corner too
        QCOMPARE(Px(img, 1, 1), Rgb(255, 0, 0));   // second ring
        QCOMPARE(Px(img, 4, 4), Rgb(0, 0, 255));
        QCOMPARE(Px(img, 2, 2), Rgb(255, 255, 255));

        QImage kept(4, 4, QImage::Format_RGB32);
        kept.fill(Qt::white);
        QPainter q(&kept);
        TVrRect r3(0, 0, 4, 4);
        DrawFrame3DCornerKept(q, r3, clRed, clBlue, 1);
        q.end();
        QCOMPARE(Px(kept, 0, 3), Rgb(255, 0, 0));
        QCOMPARE(Px(kept, 1, 3), Rgb(0, 0, 255));
    }

    void gradientBands()
    {
        QImage img(4, 10, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        FillGradientBands(p, TVrRect(0, 0, 4, 10), clBlack, RGBColor(100, 200, 10), 0, 2);
        p.end();
        // Bands of two rows; band at p takes start + p x (end - start) / 10, rounded.
        QCOMPARE(Px(img, 0, 0), Rgb(0, 0, 0));
        QCOMPARE(Px(img, 3, 1), Rgb(0, 0, 0));
        QCOMPARE(Px(img, 0, 2), Rgb(20, 40, 2));
        QCOMPARE(Px(img, 0, 9), Rgb(80, 160, 8));
    }

    void bevelWidthAndAssign()
    {
        TVrBevel b;
        QCOMPARE(b.BevelWidth(), 4);
        int changes = 0;
        b.OnChange = [&](TVrPersistent *) { ++changes; };
        TVrBevel other;
        other.SetBorderWidth(2);
        other.SetInnerStyle(bsNone);
        other.SetOuterOutline(osInner);
        other.SetInnerOutline(osOuter);
        b.Assign(other);
        QCOMPARE(changes, 1);
        QCOMPARE(b.BevelWidth(), 2 + 1 + 1 + 1 + 1);
        b.SetBorderWidth(2);
        QCOMPARE(changes, 1);  // same value: no change
        b.SetVisible(false);
        QCOMPARE(b.BevelWidth(), 0);
    }

    void blocksOfDefaultBar()
    {
        TVrProgressBar bar;
        bar.SetPosition(50);
        const QImage img = Render(bar);
        QCOMPARE(img.size(), QSize(200, 16));
        QCOMPARE(bar.BarArea(), TVrRect(1, 1, 199, 15));
        // Lowered ring: shadow top-left, highlight bottom-right.
        QCOMPARE(Px(img, 0, 0), Rgb(128, 128, 128));
        QCOMPARE(Px(img, 199, 0), Rgb(255, 255, 255));
        QCOMPARE(Px(img, 0, 15), Rgb(255, 255, 255));
        // First block: x 2..7, rows 2..13, revealing fill column 1 (navy to aqua over 198 columns).
        QCOMPARE(Px(img, 1, 5), black);
        QCOMPARE(Px(img, 2, 2), Rgb(0, 1, 129));
        QCOMPARE(Px(img, 2, 13), Rgb(0, 1, 129));
        QCOMPARE(Px(img, 2, 1), black);
        QCOMPARE(Px(img, 2, 14), black);
        QVERIFY(Px(img, 7, 5) != black);
        QCOMPARE(Px(img, 8, 5), black);
        QCOMPARE(Px(img, 9, 5), black);
        QVERIFY(Px(img, 10, 5) != black);
        // Filled length 99: the last block starts at 98 and is drawn whole.
        QVERIFY(Px(img, 103, 5) != black);
        QCOMPARE(Px(img, 104, 5), black);
        QCOMPARE(Px(img, 106, 5), black);
    }

    void smoothBarEnds()
    {
        TVrProgressBar bar;
        bar.resize(102, 16);  // BarArea 100 wide: one percent is one pixel
        bar.SetSmooth(true);
        bar.SetPosition(1);
        QImage img = Render(bar);
        for (int x = 1; x < 101; ++x) QCOMPARE(Px(img, x, 5), black);
        bar.SetPosition(2);
        img = Render(bar);
        QVERIFY(Px(img, 2, 2) != black);
        QVERIFY(Px(img, 2, 13) != black);
        QCOMPARE(Px(img, 1, 5), black);
        QCOMPARE(Px(img, 3, 5), black);
        bar.SetPosition(0);
        img = Render(bar);
        for (int x = 1; x < 101; ++x) QCOMPARE(Px(img, x, 5), black);
        bar.SetPosition(100);
        img = Render(bar);
        QVERIFY(Px(img, 99, 5) != black);
        QCOMPARE(Px(img, 100, 5), black);  // one pixel before BarArea.Right
    }

    void formsInfoBar()
    {
        TVrProgressBar bar;
        bar.resize(340, 9);
        bar.SetSmooth(true);
        bar.SetStartColor(clInfoBk);
        bar.SetEndColor(clInfoBk);
        bar.SetPosition(50);
        const QImage img = Render(bar);
        QCOMPARE(bar.BarArea().Height(), 7);
        const QColor info = Rgb(255, 255, 225);
        const int right = 1 + 338 * 50 / 100;
        for (int y = 2; y <= 6; ++y) {
            QCOMPARE(Px(img, 2, y), info);
            QCOMPARE(Px(img, right - 1, y), info);
            QCOMPARE(Px(img, right, y), black);
        }
        QCOMPARE(Px(img, 2, 1), black);
        QCOMPARE(Px(img, 2, 7), black);
        QCOMPARE(Px(img, 1, 4), black);
    }

    void verticalBlocks()
    {
        TVrProgressBar bar;
        bar.SetOrientation(voVertical);
        QCOMPARE(bar.size(), QSize(16, 200));
        const QImage img = Render(bar);
        QCOMPARE(bar.BarArea(), TVrRect(1, 1, 15, 199));
        // Bottom block rows 192..197, columns 2..13; gradient from aqua at the top to navy at the bottom.
        QVERIFY(Px(img, 5, 197) != black);
        QCOMPARE(Px(img, 5, 198), black);
        QVERIFY(Px(img, 2, 192) != black);
        QCOMPARE(Px(img, 1, 195), black);
        QCOMPARE(Px(img, 14, 195), black);
        QCOMPARE(Px(img, 5, 191), black);
        QCOMPARE(Px(img, 5, 190), black);
        QVERIFY(Px(img, 5, 189) != black);
        QVERIFY(Px(img, 5, 2).blue() > 250 && Px(img, 5, 2).green() > 240);
    }

    void rangeSetters()
    {
        TVrProgressBar bar;
        int changes = 0;
        bar.OnChange = [&](QObject *sender) { QCOMPARE(sender, &bar); ++changes; };
        bar.SetMaxValue(0);  // equal to MinValue: refused
        QCOMPARE(bar.MaxValue(), 100);
        bar.SetMinValue(100);  // equal to MaxValue: refused
        QCOMPARE(bar.MinValue(), 0);
        bar.SetMinValue(150);
        QCOMPARE(bar.MinValue(), 0);
        bar.SetPosition(500);
        QCOMPARE(bar.Position(), 100);
        QCOMPARE(changes, 0);
        bar.SetMaxValue(60);  // Position follows the bound, with OnChange
        QCOMPARE(bar.Position(), 60);
        QCOMPARE(changes, 1);
        bar.SetPosition(-5);
        QCOMPARE(bar.Position(), 0);
        QCOMPARE(changes, 2);
        bar.SetMinValue(20);
        QCOMPARE(bar.Position(), 20);
        QCOMPARE(changes, 3);
        bar.SetMinValue(-40);
        QCOMPARE(bar.Position(), 20);
        QCOMPARE(changes, 3);
        QCOMPARE(bar.Percent(), 60);  // 100 x 60 / 100
        bar.SetPosition(59);
        QCOMPARE(bar.Percent(), 99);
    }

    void fillTypesAndInvalidation()
    {
        TVrProgressBar bar;
        bar.SetSmooth(true);
        bar.SetFillType(pfPlain);
        QImage img = Render(bar);
        QCOMPARE(Px(img, 5, 5), Rgb(10, 36, 106));
        bar.SetStartColor(clRed);  // not shown by a plain fill
        img = Render(bar);
        QCOMPARE(Px(img, 5, 5), Rgb(10, 36, 106));
        QImage tile(2, 2, QImage::Format_RGB32);
        tile.fill(QColor(1, 2, 3));
        tile.setPixelColor(1, 0, QColor(9, 9, 9));
        bar.SetBitmap(tile);  // only used once FillType is pfBitmap
        bar.SetFillType(pfBitmap);
        img = Render(bar);
        // Fill columns 0,1 of each tile; screen x = BarArea.Left + column.
        QCOMPARE(Px(img, 2, 2), Rgb(1, 2, 3));
        QCOMPARE(Px(img, 3, 2), Rgb(1, 2, 3));
        QCOMPARE(Px(img, 2, 3), Rgb(9, 9, 9));
        tile.fill(QColor(4, 5, 6));
        bar.SetBitmap(tile);
        img = Render(bar);
        QCOMPARE(Px(img, 2, 2), Rgb(4, 5, 6));
        bar.SetBitmap(QImage());
        img = Render(bar);
        QCOMPARE(Px(img, 5, 5), Rgb(10, 36, 106));
    }

    void hiddenBevelUsesWholeClient()
    {
        TVrProgressBar bar;
        bar.Bevel().SetVisible(false);
        bar.SetSmooth(true);
        Render(bar);
        QCOMPARE(bar.BarArea(), TVrRect(0, 0, 200, 16));
    }

    void panelGradientColumns()
    {
        TVrGradient g;
        g.resize(300, 55);
        g.SetStartColor(clWhite);
        g.SetEndColor(clNavy);
        g.SetDirection(gdLeftRight);
        const QImage img = Render(g);
        for (int x = 0; x < 300; ++x) {
            const QColor want(255 - 255 * x / 300, 255 - 255 * x / 300, 255 - 127 * x / 300);
            QCOMPARE(Px(img, x, 0), want);
            QCOMPARE(Px(img, x, 54), want);
        }
        g.SetSwapColors(true);
        const QImage swapped = Render(g);
        QCOMPARE(Px(swapped, 0, 10), Rgb(0, 0, 128));
    }

    void gradientDirectionsAndWidth()
    {
        TVrGradient g;
        g.resize(8, 10);
        g.SetStartColor(RGBColor(0, 0, 0));
        g.SetEndColor(RGBColor(100, 50, 250));
        QImage img = Render(g);  // gdUpDown
        for (int y = 0; y < 10; ++y) QCOMPARE(Px(img, 3, y), Rgb(100 * y / 10, 50 * y / 10, 250 * y / 10));
        g.SetColorWidth(0);
        QCOMPARE(g.ColorWidth(), 1);
        g.SetColorWidth(3);
        img = Render(g);
        QCOMPARE(Px(img, 0, 2), Rgb(0, 0, 0));
        QCOMPARE(Px(img, 0, 3), Rgb(30, 15, 75));
        g.SetColorWidth(1);
        g.SetDirection(gdUpDownHalf);
        img = Render(g);
        // Down to the end colour at row 5, then back: row 5 + i has the colour of row 5 - i.
        QCOMPARE(Px(img, 0, 4), Rgb(80, 40, 200));
        QCOMPARE(Px(img, 0, 5), Rgb(100, 50, 250));
        QCOMPARE(Px(img, 0, 6), Rgb(80, 40, 200));
        QCOMPARE(Px(img, 0, 9), Rgb(20, 10, 50));
        g.SetDirection(gdChord1);
        img = Render(g);
        // Diagonal bands: dark at the top-left corner, light towards the bottom-right one.
        QVERIFY(Px(img, 0, 0).red() < 10);
        QVERIFY(Px(img, 7, 9).red() > Px(img, 0, 0).red() + 50);
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_progressbar.moc"
