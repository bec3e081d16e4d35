// Image push buttons and the image panel: states, faces, click rules, keys, auto-repeat,
// accessibility, and the panel's draw styles.
#include "skin/TsuiImageButton.h"
#include "skin/TsuiImagePanel.h"
#include "app/TForm.h"
#include <QAccessible>
#include <QAction>
#include <QEnterEvent>
#include <QTimer>
#include <QtTest>

namespace {
QImage Solid(QSize size, QColor color)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

const QColor NormalColor(10, 20, 30), HotColor(200, 40, 40), DownColor(40, 200, 40), BackColor(232, 232, 232);

void Enter(QWidget *w)
{
    QEnterEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), w->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(w, &e);
}

void Leave(QWidget *w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

QColor FaceColor(TsuiImageButton &b) { return b.ComposeImage().pixelColor(10, 10); }
}

class TestImageButton : public QObject {
    Q_OBJECT

    TForm *form = nullptr;
    TsuiImageButton *button = nullptr;
    int clicks = 0;

private slots:
    void init()
    {
        form = new TForm;
        QPalette pal = form->palette();
        pal.setColor(QPalette::Window, BackColor);
        form->setPalette(pal);
        form->resize(200, 100);
        button = new TsuiImageButton(form);
        button->setGeometry(20, 20, 32, 24);
        button->SetPicNormal(Solid({31, 23}, NormalColor));
        button->SetPicMouseOn(Solid({31, 23}, HotColor));
        clicks = 0;
        button->OnClick = [this](TsuiCustomButton *sender) {
            QCOMPARE(sender, button);
            ++clicks;
        };
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() { delete form; }

    void clickOnlyOnReleaseInsideAfterPressInside()
    {
        Enter(button);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 0);
        QVERIFY(button->Pressed());
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(clicks, 1);
        QVERIFY(!button->Pressed());
        QVERIFY(!button->HasRepeatTimer());

        // A release inside without a press inside is no click.
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(clicks, 1);
        // Right button presses never click.
        QTest::mouseClick(button, Qt::RightButton, {}, QPoint(6, 6));
        QCOMPARE(clicks, 1);
    }

    void dragOffGivesNoClickAndNormalFace()
    {
        Enter(button);
        QCOMPARE(FaceColor(*button), HotColor);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(button, QPoint(-15, 5));
        QVERIFY(!button->Pressed());
        QVERIFY(!button->Hot());
        QCOMPARE(FaceColor(*button), NormalColor);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-15, 5));
        QCOMPARE(clicks, 0);
        QVERIFY(!button->HasRepeatTimer());
    }

    void facesPerStateWithFallbacks()
    {
        QCOMPARE(FaceColor(*button), NormalColor);
        Enter(button);
        QCOMPARE(FaceColor(*button), HotColor);
        // No PicMouseDown: pressed shows PicNormal.
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(FaceColor(*button), NormalColor);
        button->SetPicMouseDown(Solid({31, 23}, DownColor));
        QCOMPARE(FaceColor(*button), DownColor);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        Leave(button);
        QCOMPARE(FaceColor(*button), NormalColor);

        // Disabled without PicDisabled: PicNormal exactly, not greyed.
        button->setEnabled(false);
        QCOMPARE(FaceColor(*button), NormalColor);
        button->setEnabled(true);

        // The 31x23 picture on a 32x24 button leaves a strip of the background colour.
        const QImage composed = button->ComposeImage();
        QCOMPARE(composed.pixelColor(31, 5), BackColor);
        QCOMPARE(composed.pixelColor(5, 23), BackColor);

        // An empty PicNormal shows only the background.
        button->SetPicNormal(QImage());
        button->SetPicMouseOn(QImage());
        QCOMPARE(FaceColor(*button), BackColor);
    }

    void transparentFaceLetsItsTopLeftColourThrough()
    {
        QImage face = Solid({31, 23}, Qt::magenta);
        for (int y = 5; y < 15; ++y)
            for (int x = 5; x < 15; ++x) face.setPixelColor(x, y, NormalColor);
        button->SetPicNormal(face);
        button->SetPicMouseOn(QImage());
        button->SetTransparent(true);
        const QImage composed = button->ComposeImage();
        QCOMPARE(qAlpha(composed.pixel(1, 1)), 0);
        QCOMPARE(composed.pixelColor(10, 10), NormalColor);
    }

    void autoRepeatFiresEachIntervalWhileHeld()
    {
        int repeats = 0;
        button->OnMouseContinuouslyDown = [&](TsuiCustomButton *) { ++repeats; };
        QCOMPARE(button->MouseContinuouslyDownInterval(), 100);
        Enter(button);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        auto *timer = button->findChild<QTimer *>();
        QVERIFY(timer && timer->isActive());
        // The first event comes one interval after the press, not at the press.
        QCOMPARE(timer->interval(), 100);
        QCOMPARE(repeats, 0);
        for (int i = 0; i < 5; ++i) QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(repeats, 5);
        // Leaving ends the repetition.
        Leave(button);
        QVERIFY(!button->HasRepeatTimer());

        button->SetMouseContinuouslyDownInterval(40);
        Enter(button);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button->findChild<QTimer *>()->interval(), 40);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!button->HasRepeatTimer());
    }

    void keyboardPressAndRelease()
    {
        button->setFocus();
        QTest::keyPress(button, Qt::Key_Space);
        QVERIFY(button->Pressed());
        QCOMPARE(clicks, 0);
        QTest::keyRelease(button, Qt::Key_Space);
        QCOMPARE(clicks, 1);
        QVERIFY(!button->Pressed());
        // Alt+Space is the desktop's system-menu key, not a press.
        QTest::keyClick(button, Qt::Key_Space, Qt::AltModifier);
        QVERIFY(!button->Pressed());
        QCOMPARE(clicks, 1);
        button->setEnabled(false);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks, 1);
    }

    void defaultAndCancelKeysReachTheirButtons()
    {
        auto *other = new TsuiImageButton(form);
        other->setGeometry(80, 20, 32, 24);
        other->show();
        int cancels = 0;
        other->OnClick = [&](TsuiCustomButton *) { ++cancels; };
        button->SetDefault(true);
        other->SetCancel(true);
        form->setFocus();
        QTest::keyClick(form, Qt::Key_Return);
        QCOMPARE(clicks, 1);
        QTest::keyClick(form, Qt::Key_Escape);
        QCOMPARE(cancels, 1);
        // A shift key held: not a dialog key.
        QTest::keyClick(form, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(clicks, 1);
        // ModalResult lands on the window.
        button->SetModalResult(7);
        button->Click();
        QCOMPARE(form->ModalResult, 7);
    }

    void acceleratorRunsClick()
    {
        button->SetCaption(QStringLiteral("&Go"));
        QTest::keyClick(form, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(clicks, 1);
    }

    // The frame, black under white dots seen on any picture, shows once the keyboard has
    // moved the focus in the window, not for the focus a first show or an activation gives;
    // a click ends the keyboard's turn. DrawFocused frames any focus.
    void focusFrameForKeyboardFocusOrWithDrawFocused()
    {
        button->SetPicNormal(Solid({32, 24}, Qt::white));
        const auto framedAfter = [this](Qt::FocusReason reason) {
            button->clearFocus();
            button->setFocus(reason);
            const QImage face = button->ComposeImage();
            bool black = false;
            for (int x = 2; x < 29; ++x) black = black || face.pixelColor(x, 2) == QColor(Qt::black);
            return button->hasFocus() && black;
        };
        form->setAttribute(Qt::WA_KeyboardFocusChange, false);
        const struct {
            Qt::FocusReason Reason;
            bool Framed;
        } turns[] = {{Qt::ActiveWindowFocusReason, false}, {Qt::OtherFocusReason, false},
                     {Qt::MouseFocusReason, false},        {Qt::TabFocusReason, true},
                     {Qt::ActiveWindowFocusReason, true},  {Qt::MouseFocusReason, false},
                     {Qt::ActiveWindowFocusReason, false}, {Qt::BacktabFocusReason, true},
                     {Qt::OtherFocusReason, true},         {Qt::MouseFocusReason, false},
                     {Qt::ShortcutFocusReason, true}};
        int turn = 0;
        for (const auto &t : turns) {
            QVERIFY2(framedAfter(t.Reason) == t.Framed, qPrintable(QStringLiteral("turn %1").arg(turn)));
            ++turn;
        }
        button->clearFocus();
        button->setFocus(Qt::MouseFocusReason);
        button->SetDrawFocused(true);
        const QImage framed = button->ComposeImage();
        bool dark = false;
        for (int x = 2; x < 29; ++x) dark = dark || framed.pixelColor(x, 2) != QColor(Qt::white);
        QVERIFY(dark);
    }

    void disabledActionShowsNormalAndIgnoresClicks()
    {
        QAction action(QString(), form);
        int runs = 0;
        connect(&action, &QAction::triggered, [&] { ++runs; });
        button->SetAction(&action);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(runs, 1);
        QCOMPARE(clicks, 0);  // the action runs instead of OnClick
        action.setEnabled(false);
        QVERIFY(!button->isEnabled());
        QCOMPARE(FaceColor(*button), NormalColor);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(runs, 1);
    }

    void accessibleAsPressableButton()
    {
        button->setAccessibleName(QStringLiteral("صفحه بعد"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("صفحه بعد"));
        QAccessibleActionInterface *actions = iface->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks, 1);
    }

    void imagePanelDrawStyles()
    {
        auto *panel = new TsuiImagePanel(form);
        panel->setGeometry(0, 0, 40, 30);
        panel->SetColor(QColor(4, 50, 88));
        QImage flat = panel->ComposeImage();
        QCOMPARE(flat.pixelColor(0, 0), QColor(4, 50, 88));
        QCOMPARE(flat.pixelColor(39, 29), QColor(4, 50, 88));
        // Buttons on the panel take its colour as their background.
        auto *child = new TsuiImageButton(panel);
        QCOMPARE(child->ComposeImage().pixelColor(1, 1), QColor(4, 50, 88));

        QImage pic(10, 10, QImage::Format_RGB32);
        pic.fill(Qt::red);
        pic.setPixelColor(9, 9, Qt::green);
        panel->SetPicture(pic);
        QImage normal = panel->ComposeImage();
        QCOMPARE(normal.pixelColor(9, 9), QColor(Qt::green));
        QCOMPARE(normal.pixelColor(20, 20), QColor(4, 50, 88));
        panel->SetDrawStyle(suiTile);
        QImage tiled = panel->ComposeImage();
        QCOMPARE(tiled.pixelColor(29, 19), QColor(Qt::green));
        QCOMPARE(tiled.pixelColor(35, 25), QColor(Qt::red));
        panel->SetDrawStyle(suiStretch);
        QImage stretched = panel->ComposeImage();
        QCOMPARE(stretched.pixelColor(39, 29), QColor(Qt::green));
        QCOMPARE(stretched.pixelColor(20, 20), QColor(Qt::red));

        panel->SetAutoSize(true);
        QCOMPARE(panel->size(), QSize(10, 10));
        panel->SetAlign(alTop);
        panel->resize(80, 10);
        panel->SetPicture(QImage(10, 25, QImage::Format_RGB32));
        QCOMPARE(panel->size(), QSize(80, 25));  // aligned to the top: only the height follows
    }
};

QTEST_MAIN(TestImageButton)
#include "tst_imagebutton.moc"
