// Shadow label and link label: styles, shadow placement, disabled look, hover and opening the link.
#include "WidgetTestKit.h"
#include "widgets/TQuelConnectLabel.h"
#include <QDesktopServices>
#include <QtTest>

namespace {
// Bounding box of the pixels of exactly colour `c`.
QRect Box(const QImage &img, const QColor &c)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) box |= QRect(x, y, 1, 1);
    return box;
}

void Prepare(TQuelLabel &label)
{
    QFont f = label.font();
    f.setPixelSize(20);
    f.setStyleStrategy(QFont::NoAntialias);
    label.setFont(f);
    label.setText(QStringLiteral("IH"));
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.resize(60, 40);
    label.setAutoFillBackground(true);
    QPalette pal = label.palette();
    pal.setColor(QPalette::Window, Qt::white);
    label.setPalette(pal);
    label.SetFontColor(Qt::black);
}
} // namespace

// Receives what the link label asks the desktop to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void Open(const QUrl &url) { Urls << url; }
};

class TestLabels : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseKnownPalette(); }

    void namedStyles()
    {
        TQuelLabel label;
        QCOMPARE(label.StyleKind(), skLowered);
        QCOMPARE(label.ShadowColor(), clBtnHighlight);
        label.SetStyleKind(skShadow);
        QCOMPARE(label.ShadowPos(), spRightBottom);
        QCOMPARE(label.ShadowColor(), clBtnShadow);
        QCOMPARE(label.ShadowSize(), 2);
        label.SetStyleKind(skRaised);
        QCOMPARE(label.ShadowPos(), spLeftTop);
        QCOMPARE(label.ShadowSize(), 1);
        label.SetShadowColor(clRed);
        QCOMPARE(label.StyleKind(), skCustom);
        label.SetStyleKind(skNone);  // keeps colour and position
        QCOMPARE(label.ShadowColor(), clRed);
        QCOMPARE(label.ShadowPos(), spLeftTop);
        QCOMPARE(label.ShadowSize(), 0);
        label.SetShadowSize(0);  // same value: style stays
        QCOMPARE(label.StyleKind(), skNone);
        label.SetShadowSize(3);
        QCOMPARE(label.StyleKind(), skCustom);
        label.SetStyleKind(skCustom);
        QCOMPARE(label.ShadowSize(), 3);
    }

    void shadowPlacement_data()
    {
        QTest::addColumn<int>("pos");
        QTest::addColumn<QPoint>("shadowMinusCaption");
        QTest::newRow("left top") << int(spLeftTop) << QPoint(-3, -3);
        QTest::newRow("left bottom") << int(spLeftBottom) << QPoint(-3, 3);
        QTest::newRow("right bottom") << int(spRightBottom) << QPoint(3, 3);
        QTest::newRow("right top") << int(spRightTop) << QPoint(3, -3);
    }

    void shadowPlacement()
    {
        QFETCH(int, pos);
        QFETCH(QPoint, shadowMinusCaption);
        TQuelLabel label;
        Prepare(label);
        label.SetShadowColor(clRed);
        label.SetShadowSize(3);
        label.SetShadowPos(TShadowPosition(pos));
        const QImage img = Render(label);
        const QRect caption = Box(img, Qt::black), shadow = Box(img, Qt::red);
        QVERIFY(!caption.isEmpty());
        QVERIFY(!shadow.isEmpty());
        // The caption covers part of the shadow; compare the far edges away from the overlap.
        const QPoint d = shadowMinusCaption;
        QCOMPARE(d.x() > 0 ? shadow.right() - caption.right() : shadow.left() - caption.left(), d.x());
        QCOMPARE(d.y() > 0 ? shadow.bottom() - caption.bottom() : shadow.top() - caption.top(), d.y());
        // The unshifted copy starts at the text rectangle's corner.
        const QRect first = (d.x() > 0) ? caption : shadow;
        QVERIFY(first.left() < 6);
    }

    void disabledLook()
    {
        TQuelLabel label;
        Prepare(label);
        QPalette pal = label.palette();
        pal.setColor(QPalette::Window, Qt::blue);
        label.setPalette(pal);
        label.setEnabled(false);
        QImage img = Render(label);
        const QRect light = Box(img, Qt::white), dark = Box(img, QColor(128, 128, 128));
        QVERIFY(!dark.isEmpty());
        QCOMPARE(Box(img, Qt::black), QRect());
        // Engraved: the highlight copy lies one pixel right of and below the shadow-coloured one.
        QCOMPARE(light.right() - dark.right(), 1);
        QCOMPARE(light.bottom() - dark.bottom(), 1);

        label.SetStyleKind(skShadow);
        label.SetShadowColor(clRed);  // custom: the engraved look is not used
        img = Render(label);
        QCOMPARE(Box(img, QColor(128, 128, 128)), QRect());
        QCOMPARE(Box(img, Qt::red), QRect());
    }

    void autoSizeAddsShadow()
    {
        TQuelLabel a, b;
        Prepare(a);
        Prepare(b);
        a.SetStyleKind(skNone);
        b.SetStyleKind(skShadow);
        a.SetAutoSize(true);
        b.SetAutoSize(true);
        QCOMPARE(b.size(), a.size() + QSize(2, 2));
    }

    void linkHoverAndOpen()
    {
        TUrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
        TQuelConnectLabel link;
        Prepare(link);
        TQuelConnectLabel fresh;
        QVERIFY(fresh.font().underline());
        link.SetFontColor(Qt::white);
        link.SetHighlightColor(clYellow);

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&link, &enter);
        QCOMPARE(link.FontColor(), QColor(255, 255, 0));
        QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&link, &leave);
        QCOMPARE(link.FontColor(), QColor(Qt::white));
        QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);

        QStringList order;
        link.OnClick = [&](QObject *) { order << QStringLiteral("click"); QVERIFY(catcher.Urls.isEmpty()); };
        link.SetAddress(QStringLiteral("example.org/books"));
        link.SetAddressStyle(asHttp);
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(order, QStringList{QStringLiteral("click")});
        QCOMPARE(catcher.Urls, QList<QUrl>{QUrl(QStringLiteral("http://example.org/books"))});

        link.OnClick = nullptr;
        link.SetAddressStyle(asMail);
        link.SetAddress(QString());
        QCOMPARE(link.Target(), QStringLiteral("mailto:"));
        link.SetAddress(QStringLiteral("info@example.org"));
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(catcher.Urls.size(), 2);
        QCOMPARE(catcher.Urls.last(), QUrl(QStringLiteral("mailto:info@example.org")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }
};

QTEST_MAIN(TestLabels)
#include "tst_labels.moc"
