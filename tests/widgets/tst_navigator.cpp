// The navigator bar: layout, drawing of the buttons, the press machine, keys and focus.
#include "WidgetTestKit.h"
#include "widgets/TVrNavigator.h"
#include <QAccessible>
#include <QtTest>
#include <memory>

namespace {
const TVrButtonSet Gallery = VrButtons({btPrev, btBack, btStep, btNext});

// The gallery's bar: 241 x 25, four buttons.
std::unique_ptr<TVrNavigator> GalleryBar(QWidget *parent = nullptr)
{
    auto bar = std::make_unique<TVrNavigator>(parent);
    bar->BeginLoading();
    bar->resize(241, 25);
    bar->SetVisibleButtons(Gallery);
    bar->Loaded();
    return bar;
}

void SendMouse(QWidget &w, QEvent::Type type, QPoint pos, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}
} // namespace

class TestNavigator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseKnownPalette(); }

    void galleryLayout()
    {
        auto bar = GalleryBar();
        QCOMPARE(bar->FocusIndex(), int(btPrev));
        QCOMPARE(bar->PressedIndex(), int(btPrev));
        Render(*bar);
        QCOMPARE(bar->width(), 241);
        QCOMPARE(bar->ButtonArea(), TVrRect(3, 3, 238, 22));
        QCOMPARE(bar->ButtonWidth(), 58);
        QCOMPARE(bar->ButtonHeight(), 19);
        const int xs[4] = {3, 62, 121, 180};
        for (int i = 0; i < 4; ++i) QCOMPARE(bar->ButtonRect(btPrev + i), TVrRect(xs[i], 3, xs[i] + 58, 22));

        bar->resize(240, 25);
        Render(*bar);
        QCOMPARE(bar->width(), 237);  // 4 x 57 + 3 + 6
    }

    void buttonPixels()
    {
        auto bar = GalleryBar();
        const QImage img = Render(*bar);
        const QColor black(0, 0, 0), white(255, 255, 255), grey(128, 128, 128);
        // Outer bevel: black outline, then the raised ring.
        QCOMPARE(Px(img, 0, 0), black);
        QCOMPARE(Px(img, 1, 1), white);
        // Button btPrev at (3,3): border ring, raised ring (corner kept at the bottom left).
        QCOMPARE(Px(img, 3, 3), black);
        QCOMPARE(Px(img, 60, 21), black);
        QCOMPARE(Px(img, 4, 4), white);
        QCOMPARE(Px(img, 4, 20), white);  // bottom-left corner keeps the highlight
        QCOMPARE(Px(img, 5, 20), grey);
        QCOMPARE(Px(img, 59, 4), grey);
        // Gap between buttons shows Color.
        QCOMPARE(Px(img, 61, 10), Rgb(212, 208, 200));
        // Face: first band of the highlight-to-shadow gradient.
        QCOMPARE(Px(img, 3 + 10, 3 + 2), white);
        QVERIFY(Px(img, 3 + 10, 3 + 16) != white);
        // Glyph cell at (24,5) in the button: the bar of btPrev is its column 2, rows 1..7.
        for (int y = 1; y <= 7; ++y) QCOMPARE(Px(img, 3 + 24 + 2, 3 + 5 + y), black);
        // Olive pixels are left out: the face shows there.
        QVERIFY(Px(img, 3 + 24, 3 + 5 + 4) != Rgb(128, 128, 0));
    }

    void pressedLookAndClicks()
    {
        auto bar = GalleryBar();
        Render(*bar);
        QList<TVrButtonType> clicks;
        bar->OnButtonClick = [&](QObject *sender, TVrButtonType b) {
            QCOMPARE(sender, bar.get());
            clicks << b;
        };
        const QPoint onStep(121 + 20, 10);
        SendMouse(*bar, QEvent::MouseButtonPress, onStep, Qt::LeftButton);
        QVERIFY(bar->Down());
        QVERIFY(bar->Tracking());
        QCOMPARE(bar->PressedIndex(), int(btStep));
        QCOMPARE(bar->FocusIndex(), int(btStep));
        const QImage img = Render(*bar);
        // Pressed: glyph one pixel lower and to the right, frame shadow at the top left.
        const int x0 = 121, y0 = 3;
        QCOMPARE(Px(img, x0 + 1, y0 + 1), Rgb(128, 128, 128));
        QCOMPARE(Px(img, x0 + 25 + 2, y0 + 6 + 1), Rgb(0, 0, 0));
        QCOMPARE(Px(img, x0 + 10, y0 + 2), Rgb(212, 208, 200));  // face from button face
        SendMouse(*bar, QEvent::MouseButtonRelease, onStep, Qt::NoButton);
        QCOMPARE(clicks, QList<TVrButtonType>{btStep});
        QVERIFY(!bar->Down());

        // Released outside the pressed button: no click; back inside before release: a click.
        SendMouse(*bar, QEvent::MouseButtonPress, onStep, Qt::LeftButton);
        SendMouse(*bar, QEvent::MouseMove, QPoint(190, 10), Qt::LeftButton);
        QVERIFY(!bar->Down());
        QVERIFY(bar->Tracking());
        SendMouse(*bar, QEvent::MouseButtonRelease, QPoint(190, 10), Qt::NoButton);
        QCOMPARE(clicks.size(), 1);
        SendMouse(*bar, QEvent::MouseButtonPress, onStep, Qt::LeftButton);
        SendMouse(*bar, QEvent::MouseMove, QPoint(190, 10), Qt::LeftButton);
        SendMouse(*bar, QEvent::MouseMove, onStep, Qt::LeftButton);
        QVERIFY(bar->Down());
        SendMouse(*bar, QEvent::MouseButtonRelease, onStep, Qt::NoButton);
        QCOMPARE(clicks.size(), 2);

        // A double click gives two clicks.
        clicks.clear();
        const QPoint onNext(200, 10);
        SendMouse(*bar, QEvent::MouseButtonPress, onNext, Qt::LeftButton);
        SendMouse(*bar, QEvent::MouseButtonRelease, onNext, Qt::NoButton);
        SendMouse(*bar, QEvent::MouseButtonDblClick, onNext, Qt::LeftButton);
        SendMouse(*bar, QEvent::MouseButtonRelease, onNext, Qt::NoButton);
        QCOMPARE(clicks, (QList<TVrButtonType>{btNext, btNext}));

        // Disabled buttons, the bevel and the gaps do nothing.
        clicks.clear();
        bar->SetEnabledButtons(VrAllButtons & ~VrButtons({btBack}));
        for (QPoint p : {QPoint(62 + 20, 10), QPoint(1, 1), QPoint(61, 10)}) {
            SendMouse(*bar, QEvent::MouseButtonPress, p, Qt::LeftButton);
            QVERIFY(!bar->Down());
            SendMouse(*bar, QEvent::MouseButtonRelease, p, Qt::NoButton);
        }
        QVERIFY(clicks.isEmpty());
        const QImage dis = Render(*bar);
        QCOMPARE(Px(dis, 62 + 24 + 1, 3 + 5 + 4), Rgb(192, 192, 192));  // silver glyph
    }

    void keysAndFocus()
    {
        QWidget window;
        auto bar = GalleryBar(&window);
        bar->SetVisibleButtons(VrButtons({btPrev, btStep, btNext}));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        bar->setFocus();
        QVERIFY(bar->hasFocus());
        QImage img = Render(*bar);
        QCOMPARE(Px(img, 3, 3), Rgb(0, 0, 255));  // focus ring on btPrev
        QList<TVrButtonType> clicks;
        bar->OnButtonClick = [&](QObject *, TVrButtonType b) { clicks << b; };

        QTest::keyClick(bar.get(), Qt::Key_Left);
        QCOMPARE(bar->FocusIndex(), int(btPrev));  // first visible: stays
        QTest::keyClick(bar.get(), Qt::Key_Right);
        QCOMPARE(bar->FocusIndex(), int(btStep));  // btBack is hidden
        QTest::keyClick(bar.get(), Qt::Key_Right);
        QCOMPARE(bar->FocusIndex(), int(btNext));
        QTest::keyClick(bar.get(), Qt::Key_Right);
        QCOMPARE(bar->FocusIndex(), int(btNext));  // last visible: stays
        QTest::keyClick(bar.get(), Qt::Key_Up);
        QCOMPARE(bar->FocusIndex(), int(btNext));

        QTest::keyPress(bar.get(), Qt::Key_Space);
        QVERIFY(bar->Down());
        QTest::keyClick(bar.get(), Qt::Key_Left);  // ignored while a button is down
        QCOMPARE(bar->FocusIndex(), int(btNext));
        QTest::keyRelease(bar.get(), Qt::Key_Space);
        QCOMPARE(clicks, QList<TVrButtonType>{btNext});

        // Hiding the focused button leaves the focus index there; arrows step from it.
        bar->SetVisibleButtons(VrButtons({btPrev, btStep}));
        QCOMPARE(bar->FocusIndex(), int(btNext));
        QTest::keyClick(bar.get(), Qt::Key_Left);
        QCOMPARE(bar->FocusIndex(), int(btStep));

        // Arrows reach disabled buttons; Space on them does nothing.
        bar->SetEnabledButtons(VrButtons({btPrev}));
        QTest::keyClick(bar.get(), Qt::Key_Space);
        QCOMPARE(clicks.size(), 1);

        bar->clearFocus();
        img = Render(*bar);
        QCOMPARE(Px(img, 3, 3), Rgb(0, 0, 0));
    }

    void noVisibleButtonAndNumeric()
    {
        TVrNavigator bar;
        bar.BeginLoading();
        bar.resize(100, 25);
        bar.SetVisibleButtons(0);
        bar.Loaded();
        QCOMPARE(bar.FocusIndex(), 0);
        const QImage img = Render(bar);
        QCOMPARE(bar.width(), 100);
        QCOMPARE(bar.ButtonWidth(), 94);  // one button's worth, not drawn
        QCOMPARE(Px(img, 50, 12), Rgb(212, 208, 200));

        TVrNavigator num;
        num.resize(120, 30);
        num.SetVisibleButtons(VrButtons({btPower}));
        num.SetNumeric(true);
        const QImage n = Render(num);
        // Digit "1" of the numeric strip: 10 x 10 glyph centred in the button.
        const int gx = 3 + num.ButtonWidth() / 2 - 5, gy = 3 + num.ButtonHeight() / 2 - 5;
        QCOMPARE(Px(n, gx + 4, gy + 3), Rgb(0, 0, 0));
    }

    void accessibleButtons()
    {
        auto bar = GalleryBar();
        Render(*bar);
        bar->SetEnabledButtons(VrAllButtons & ~VrButtons({btBack}));
        bar->SetButtonName(btNext, QStringLiteral("نخستین"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(bar.get());
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::ToolBar);
        QCOMPARE(iface->childCount(), 4);
        QAccessibleInterface *first = iface->child(0);
        QCOMPARE(first->role(), QAccessible::Button);
        QCOMPARE(first->text(QAccessible::Name), QStringLiteral("پیشین"));
        QCOMPARE(iface->child(3)->text(QAccessible::Name), QStringLiteral("نخستین"));
        QCOMPARE(iface->indexOfChild(iface->child(2)), 2);
        QVERIFY(iface->child(1)->state().disabled);
        QList<TVrButtonType> clicks;
        bar->OnButtonClick = [&](QObject *, TVrButtonType b) { clicks << b; };
        iface->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        iface->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks, QList<TVrButtonType>{btStep});
    }

    void settlesFocusOnFirstShow()
    {
        // Set up in code without BeginLoading/Loaded: the first show puts the focus index on
        // the first visible button, so Space never presses a button that is not on the bar.
        QWidget window;
        auto *bar = new TVrNavigator(&window);
        bar->setGeometry(0, 0, 241, 25);
        bar->SetVisibleButtons(Gallery);
        QCOMPARE(bar->FocusIndex(), 0);
        window.show();
        QCOMPARE(bar->FocusIndex(), int(btPrev));
        QList<TVrButtonType> clicks;
        bar->OnButtonClick = [&](QObject *, TVrButtonType b) { clicks << b; };
        bar->SetVisibleButtons(VrButtons({btBack, btStep}));  // the focused button is hidden
        QTest::keyClick(bar, Qt::Key_Space);
        QVERIFY(clicks.isEmpty());
    }

    void orientationAndBevelResize()
    {
        auto bar = GalleryBar();
        Render(*bar);
        bar->SetOrientation(voVertical);
        QCOMPARE(bar->size(), QSize(58 + 6, 4 * (19 + 1) + 6));
        Render(*bar);
        QCOMPARE(bar->ButtonRect(btNext), TVrRect(3, 3 + 3 * 20, 61, 3 + 3 * 20 + 19));
        bar->Bevel().SetBorderWidth(2);
        QCOMPARE(bar->size(), QSize(58 + 10, bar->ButtonArea().Height() + 10));
    }
};

QTEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
