#include "app/Dialogs.h"
#include "app/Errors.h"
#include "skin/TsuiBookFrames.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiPopupMenuStyle.h"
#include "skin/TsuiThemes.h"
#include "skin/TsuiTitleBarPopupMenu.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>
#include <memory>

namespace {

QPixmap Filled(const QColor &color)
{
    QPixmap p(19, 19);
    p.fill(color);
    return p;
}

// A top-level window with a skinned frame.
struct SkinnedWindow {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    TsuiForm *form = nullptr;
    TsuiTitleBar *bar = nullptr;

    explicit SkinnedWindow(TFormBorderStyle border = TFormBorderStyle::bsSizeable, QSize size = QSize(500, 300))
    {
        host->setGeometry(QRect(QPoint(100, 80), size));
        form = new TsuiForm(host.get(), border);
        bar = form->TitleBar();
    }
    void Show()
    {
        host->show();
        if (!QTest::qWaitForWindowExposed(host.get())) qWarning("window not exposed");
    }
    // The reading window's buttons: hidden control box, custom, hidden maximise, custom, custom.
    void ReadingButtons()
    {
        TsuiTitleBarButtons *b = bar->Buttons();
        b->Clear();
        b->Add(suiControlBox, false);
        b->Add(suiCustom)->SetPictures(Filled(Qt::red), Filled(Qt::green), Filled(Qt::blue));
        b->Add(suiMax, false);
        b->Add(suiCustom)->SetPictures(Filled(Qt::red), Filled(Qt::green), Filled(Qt::blue));
        b->Add(suiCustom)->SetPictures(Filled(Qt::red), Filled(Qt::green), Filled(Qt::blue));
    }
    // Search, print dialog and gallery: only a close button shows.
    void DialogButtons()
    {
        TsuiTitleBarButtons *b = bar->Buttons();
        b->Items(0)->SetVisible(false);
        b->Items(2)->SetVisible(false);
        b->Items(3)->SetVisible(false);
    }
};

// A window that counts the Space presses that reach it.
struct KeyCounter : QWidget {
    int presses = 0;
    void keyPressEvent(QKeyEvent *event) override { presses += event->key() == Qt::Key_Space; }
};

void Mouse(QObject *target, QEvent::Type type, QPoint pos, QPoint global, Qt::MouseButton button = Qt::LeftButton)
{
    Qt::MouseButtons buttons = Qt::NoButton;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
        (type == QEvent::MouseMove && button != Qt::NoButton))
        buttons = button;
    QMouseEvent event(type, QPointF(pos), QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void BarMouse(TsuiTitleBar *bar, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(bar, type, pos, bar->mapToGlobal(pos), button);
}

void Click(TsuiTitleBar *bar, QPoint pos)
{
    BarMouse(bar, QEvent::MouseButtonPress, pos);
    BarMouse(bar, QEvent::MouseButtonRelease, pos);
}

} // namespace

class TestTitleBar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("This plugin does not support"))) previous(type, context, text);
        });
    }

    void takesTheWindowOver()
    {
        auto host = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(host.get());
        auto *label = new QLabel(QStringLiteral("متن"), host.get());
        layout->addWidget(label);
        auto *loose = new QLabel(QStringLiteral("جدا"), host.get());
        loose->move(20, 60);
        host->setWindowTitle(QStringLiteral("عنوان"));
        host->resize(400, 300);
        auto *form = new TsuiForm(host.get());
        QVERIFY(host->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form->Caption(), QStringLiteral("عنوان"));
        QCOMPARE(host->minimumWidth(), 130);  // the theme's minimum replaces 125
        QCOMPARE(host->minimumHeight(), 50);
        QCOMPARE(label->parentWidget(), form);
        QCOMPARE(loose->parentWidget(), form);
        QCOMPARE(loose->pos(), QPoint(20, 60));
        QCOMPARE(host->size(), QSize(400, 300));
        QCOMPARE(form->layout(), layout);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        QVERIFY(label->geometry().top() >= form->TitleBar()->height());
        QCOMPARE(form->TitleBar()->geometry(), QRect(0, 0, 398, 32));
        QCOMPARE(form->Version(), QStringLiteral("4.30"));

        // A window of fixed size keeps its fixed size.
        QWidget fixed;
        new QLabel(QStringLiteral("ثابت"), &fixed);
        fixed.setFixedSize(200, 100);
        new TsuiForm(&fixed);
        QCOMPARE(fixed.minimumSize(), QSize(200, 100));
        QCOMPARE(fixed.maximumSize(), QSize(200, 100));

        // A dialog asking for a title and a close button still gets no frame from the
        // desktop: it is a dialog without any of its frame hints.
        QWidget dialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        new TsuiForm(&dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const Qt::WindowFlags flags = dialog.windowHandle()->flags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags & Qt::FramelessWindowHint);
        QVERIFY(!(flags & (Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)));

        bool refused = false;
        try {
            new TsuiForm(host.get());
        } catch (const EKetabError &e) {
            refused = e.Message() == QStringLiteral("Sorry, You can create only one TsuiForm component in one form!");
        }
        QVERIFY(refused);
    }

    void panelInsetsAndSizing()
    {
        SkinnedWindow w;
        w.Show();
        QCOMPARE(w.form->BorderWidth(), 1);
        QCOMPARE(w.form->geometry(), QRect(1, 0, 498, 299));
        w.form->SetTitleBarVisible(false);
        QCOMPARE(w.form->geometry(), QRect(1, 1, 498, 298));
        QImage shot = w.host->grab().toImage();
        QCOMPARE(shot.pixelColor(250, 0), QColor(0, 0, 0));    // top line shows
        QCOMPARE(shot.pixelColor(0, 150), QColor(0, 0, 0));
        QCOMPARE(shot.pixelColor(499, 150), QColor(0, 0, 0));
        QCOMPARE(shot.pixelColor(250, 299), QColor(0, 0, 0));
        QCOMPARE(shot.pixelColor(250, 150), QColor(232, 232, 232));
        w.form->SetTitleBarVisible(true);
        QCOMPARE(w.form->geometry(), QRect(1, 0, 498, 299));

        // The search window's 384x361 panel makes a 386x362 window.
        w.form->SetWidth(384);
        w.form->SetHeight(361);
        QCOMPARE(w.host->size(), QSize(386, 362));
        QCOMPARE(w.form->size(), QSize(384, 361));
    }

    void deepBlueTitleBarPixels()
    {
        SkinnedWindow w;
        w.DialogButtons();
        w.Show();
        const int b = w.bar->width();
        QCOMPARE(b, 498);
        QCOMPARE(w.bar->height(), 32);
        const TsuiTheme deepBlue = TsuiThemes::ResolveTheme(TsuiUIStyle::DeepBlue);
        QPixmap left, right, close;
        TsuiThemes::LoadBitmap(deepBlue, TsuiEntry::TitleBarLeftImage, left);
        TsuiThemes::LoadBitmap(deepBlue, TsuiEntry::TitleBarRightImage, right);
        TsuiThemes::LoadFrame(deepBlue, TsuiEntry::TitleBarButtonImage, close, 18, 16);
        const QImage l = left.toImage(), r = right.toImage(), c = close.toImage();
        const QImage shot = w.bar->grab().toImage();
        for (int y = 0; y < 32; y += 5) {
            for (int x = 0; x <= 96; x += 3) QCOMPARE(shot.pixelColor(x, y), l.pixelColor(x, y));
            // Right picture from b - 97, left of the close button.
            for (int x = 0; x < 97 - 20; x += 3) QCOMPARE(shot.pixelColor(b - 97 + x, y), r.pixelColor(x, y));
        }
        // The close button is the rightmost: columns b - 19 .. b - 1, from y = 2.
        for (int y = 0; y < 19; y += 3)
            for (int x = 0; x < 19; x += 3) QCOMPARE(shot.pixelColor(b - 19 + x, 2 + y), c.pixelColor(x, y));

        // Caption: y = (19 - text height) div 2 + 2, which is 5 for a 13-pixel font.
        QFont font = w.bar->Font();
        for (int px = 8; px < 16; ++px) {
            font.setPixelSize(px);
            if (QFontMetrics(font).height() == 13) break;
        }
        QCOMPARE(QFontMetrics(font).height(), 13);
        w.bar->SetFont(font);
        const QImage plain = w.bar->grab().toImage();
        w.form->SetCaption(QStringLiteral("Caption"));
        QCOMPARE(w.host->windowTitle(), QStringLiteral("Caption"));
        const TsuiTitleBar::TLayout layout = w.bar->Layout();
        QCOMPARE(layout.CaptionPos, QPoint(6, 5));
        const QImage captioned = w.bar->grab().toImage();
        int top = 100, bottom = -1, leftmost = 10000;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < b; ++x)
                if (plain.pixel(x, y) != captioned.pixel(x, y)) {
                    top = qMin(top, y);
                    bottom = qMax(bottom, y);
                    leftmost = qMin(leftmost, x);
                }
        QVERIFY(top >= 5);
        QVERIFY(bottom < 5 + 13);
        QVERIFY(leftmost >= 6);
    }

    void longCaptionEndsBeforeTheButtons()
    {
        SkinnedWindow w(TFormBorderStyle::bsSizeable, QSize(300, 200));
        w.ReadingButtons();
        w.Show();
        w.form->SetCaption(QString(200, QLatin1Char('W')));
        TsuiTitleBar::TLayout layout = w.bar->Layout();
        QVERIFY(layout.ShownCaption.endsWith(QStringLiteral("...")));
        QVERIFY(layout.ShownCaption.size() > 3);
        const QFontMetrics metrics(w.bar->Font());
        QVERIFY(layout.CaptionLeft + metrics.horizontalAdvance(layout.ShownCaption) <= layout.ButtonsLeft);
        QCOMPARE(layout.ButtonsLeft, 298 - 3 * 20 + 1);

        // With a shown control box the caption starts after it.
        w.bar->Buttons()->Items(0)->SetVisible(true);
        layout = w.bar->Layout();
        QCOMPARE(layout.ControlBox, 0);
        QCOMPARE(layout.CaptionLeft, 19 + 5);
        QVERIFY(layout.CaptionLeft + metrics.horizontalAdvance(layout.ShownCaption) <= layout.ButtonsLeft);
    }

    void customButtonsReportTheirIndexes()
    {
        SkinnedWindow w(TFormBorderStyle::bsNone);
        w.ReadingButtons();
        w.Show();
        QList<int> reported;
        TsuiTitleBar *sender = nullptr;
        w.form->OnTitleBarCustomBtnsClick = [&](TsuiTitleBar *s, int index) {
            sender = s;
            reported << index;
        };
        const TsuiTitleBar::TLayout layout = w.bar->Layout();
        QVERIFY(layout.ButtonRects[0].isEmpty());
        QVERIFY(layout.ButtonRects[2].isEmpty());
        // Laid out from the right: 1 is the rightmost, then 3, then 4.
        QVERIFY(layout.ButtonRects[1].left() > layout.ButtonRects[3].left());
        QVERIFY(layout.ButtonRects[3].left() > layout.ButtonRects[4].left());
        for (int index : {4, 1, 3}) Click(w.bar, layout.ButtonRects[size_t(index)].center());
        QCOMPARE(reported, QList<int>({4, 1, 3}));
        QCOMPARE(sender, w.bar);
        QVERIFY(!w.bar->Pressed());
    }

    void pressOnAButtonStartsNoDrag()
    {
        SkinnedWindow w;
        w.DialogButtons();
        w.bar->Buttons()->Items(1)->SetButtonType(suiHelp);  // a button without a closing action
        w.Show();
        const QPoint start = w.host->pos();
        const QPoint onButton = w.bar->Layout().ButtonRects[1].center();
        BarMouse(w.bar, QEvent::MouseButtonPress, onButton);
        QVERIFY(w.bar->Pressed());
        QVERIFY(!w.bar->DragArmed());
        Mouse(w.bar, QEvent::MouseMove, onButton + QPoint(-30, 20), w.bar->mapToGlobal(onButton + QPoint(-30, 20)));
        BarMouse(w.bar, QEvent::MouseButtonRelease, onButton + QPoint(-30, 20));
        QCOMPARE(w.host->pos(), start);

        // Beside the buttons the window follows the mouse.
        const QPoint beside(200, 16);
        const QPoint global = w.bar->mapToGlobal(beside);
        BarMouse(w.bar, QEvent::MouseButtonPress, beside);
        QVERIFY(w.bar->DragArmed());
        Mouse(w.bar, QEvent::MouseMove, beside, global + QPoint(30, 20));
        QVERIFY(w.bar->Dragging() || w.host->pos() == start);  // the window system may do the move
        if (w.bar->Dragging()) QCOMPARE(w.host->pos(), start + QPoint(30, 20));
        Mouse(w.bar, QEvent::MouseButtonRelease, beside, global + QPoint(30, 20));
        QVERIFY(!w.bar->Dragging());

        // A maximised window cannot be dragged.
        w.host->showMaximized();
        BarMouse(w.bar, QEvent::MouseButtonPress, beside);
        QVERIFY(!w.bar->DragArmed());
        BarMouse(w.bar, QEvent::MouseButtonRelease, beside);
    }

    void doubleClickTogglesThroughHiddenMaximise()
    {
        SkinnedWindow w;
        w.DialogButtons();
        w.Show();
        const QRect normal = w.host->geometry();
        BarMouse(w.bar, QEvent::MouseButtonDblClick, QPoint(200, 16));
        QVERIFY(w.host->isMaximized());
        QTRY_COMPARE(w.host->geometry(), w.host->screen()->availableGeometry());
        QVERIFY(w.host->isMaximized());
        QCOMPARE(w.form->geometry(), QRect(1, 0, w.host->width() - 2, w.host->height() - 1));
        BarMouse(w.bar, QEvent::MouseButtonDblClick, QPoint(200, 16));
        QVERIFY(!w.host->isMaximized());
        QTRY_COMPARE(w.host->geometry(), normal);
    }

    void systemMenuItemsFollowButtonTypes()
    {
        SkinnedWindow search;
        search.DialogButtons();
        TsuiTitleBarPopupMenu *menu = search.bar->SystemMenu();
        QCOMPARE(menu->actions().size(), 4);
        QCOMPARE(menu->MinimizeItem->text(), QStringLiteral("Mi&nimize"));
        QCOMPARE(menu->MaximizeItem->text(), QStringLiteral("Ma&ximize/Restore"));
        QVERIFY(menu->SeparatorItem->isSeparator());
        QCOMPARE(menu->CloseItem->text(), QStringLiteral("&Close"));
        menu->UpdateItems();
        QVERIFY(menu->MinimizeItem->isEnabled());   // hidden buttons count
        QVERIFY(menu->MaximizeItem->isEnabled());
        QVERIFY(menu->CloseItem->isEnabled());

        SkinnedWindow reading(TFormBorderStyle::bsNone);
        reading.ReadingButtons();
        reading.bar->SystemMenu()->UpdateItems();
        QVERIFY(!reading.bar->SystemMenu()->MinimizeItem->isEnabled());
        QVERIFY(reading.bar->SystemMenu()->MaximizeItem->isEnabled());
        QVERIFY(!reading.bar->SystemMenu()->CloseItem->isEnabled());

        // Drawn with the theme: the bar colour on the left, white items, black text.
        TsuiPopupMenuStyle *style = menu->MenuStyle();
        QCOMPARE(style->BarColor, QColor(214, 211, 206));
        QCOMPARE(style->Color, QColor(255, 255, 255));
        QCOMPARE(style->SelectedColor, QColor(68, 74, 160));
        QCOMPARE(style->SelectedFontColor, QColor(255, 255, 255));
        search.Show();
        menu->Popup(search.bar->mapToGlobal(QPoint(0, search.bar->height())));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QRect first = menu->actionGeometry(menu->MinimizeItem);
        QCOMPARE(first.height(), 21);
        QCOMPARE(menu->actionGeometry(menu->SeparatorItem).height(), 5);
        const QImage shot = menu->grab().toImage();
        QCOMPARE(shot.pixelColor(first.left() + 5, first.top() + 2), QColor(214, 211, 206));
        QCOMPARE(shot.pixelColor(first.right() - 3, first.top() + 2), QColor(255, 255, 255));
        menu->hide();

        // In a right-to-left program the English captions still start after the bar.
        QApplication::setLayoutDirection(Qt::RightToLeft);
        const auto restore = qScopeGuard([] { QApplication::setLayoutDirection(Qt::LeftToRight); });
        menu->Popup(search.bar->mapToGlobal(QPoint(0, search.bar->height())));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QRect item = menu->actionGeometry(menu->MinimizeItem);
        const QImage rtl = menu->grab().toImage();
        const auto inkIn = [&](int from, int to) {
            for (int x = from; x <= to; ++x)
                for (int y = item.top(); y <= item.bottom(); ++y)
                    if (rtl.pixelColor(x, y).lightness() < 100) return true;
            return false;
        };
        const int textLeft = item.left() + style->BarWidth + 4;
        QVERIFY(inkIn(textLeft, textLeft + 10));
        QVERIFY(!inkIn(item.right() - 12, item.right()));
        menu->hide();
    }

    // Alt+Space opens the system menu of the skinned window the reader is in, never the
    // menu of the window that installed the hook nor of a hidden one.
    void altSpaceOpensTheActiveWindowsMenu()
    {
        SkinnedWindow first;  // its frame answers Alt+Space for the application
        QCOMPARE(TsuiForm::HookOwner(), first.form);
        SkinnedWindow second(TFormBorderStyle::bsDialog, QSize(300, 200));
        second.host->move(300, 200);
        second.Show();
        second.host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(second.host.get()));
        QTest::keyClick(second.host.get(), Qt::Key_Space, Qt::AltModifier);
        QVERIFY(second.bar->SystemMenu()->isVisible());
        QVERIFY(!first.bar->SystemMenu()->isVisible());
        // Under that window's title bar, at its left edge.
        const QPoint anchor = second.host->mapToGlobal(QPoint(0, second.bar->height()));
        QCOMPARE(second.bar->SystemMenu()->pos(), anchor);
        second.bar->SystemMenu()->hide();

        // With no skinned window active (the hook's own window hidden), nothing opens, and
        // the keys do not reach the focused control.
        KeyCounter plain;
        plain.setFocusPolicy(Qt::StrongFocus);
        plain.show();
        plain.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&plain));
        plain.setFocus();
        second.host->hide();
        QTest::keyClick(&plain, Qt::Key_Space, Qt::AltModifier);
        QVERIFY(!first.bar->SystemMenu()->isVisible());
        QVERIFY(!second.bar->SystemMenu()->isVisible());
        QCOMPARE(plain.presses, 0);
        QTest::keyClick(&plain, Qt::Key_Space);
        QCOMPARE(plain.presses, 1);
    }

    // A sizeable window sizes from its border and the title bar's top five rows, by the
    // corner and edge rules; presses anywhere else (the close button below those rows,
    // controls along the edges) stay with the controls. Dialogs and windows of fixed
    // size never size.
    void sizingOnlyOnTheBorderAndTheTitleBarTop()
    {
        const Qt::Edges none;
        SkinnedWindow dialog(TFormBorderStyle::bsDialog);
        QCOMPARE(dialog.form->SizingEdges(QPoint(0, 0)), none);
        QCOMPARE(dialog.form->SizingEdges(QPoint(499, 299)), none);
        SkinnedWindow fixed;
        fixed.host->setFixedSize(500, 300);
        QVERIFY(!fixed.form->Sizeable());
        QCOMPARE(fixed.form->SizingEdges(QPoint(0, 150)), none);

        SkinnedWindow w;  // 500 x 300, border 1, title bar 32 rows
        const struct {
            QPoint at;
            Qt::Edges edges;
        } bands[] = {
            {{0, 0}, Qt::TopEdge | Qt::LeftEdge},     {{4, 4}, Qt::TopEdge | Qt::LeftEdge},
            {{200, 4}, Qt::TopEdge},                  {{200, 5}, none},
            {{496, 2}, Qt::TopEdge | Qt::RightEdge},  {{499, 150}, Qt::RightEdge},
            {{498, 150}, none},                        {{496, 150}, none},
            {{0, 150}, Qt::LeftEdge},                 {{1, 150}, none},
            {{4, 150}, none},                          {{200, 299}, Qt::BottomEdge},
            {{200, 298}, none},                        {{499, 299}, Qt::BottomEdge | Qt::RightEdge},
            {{0, 296}, Qt::BottomEdge | Qt::LeftEdge}, {{3, 299}, Qt::BottomEdge | Qt::LeftEdge},
            {{499, 296}, Qt::BottomEdge | Qt::RightEdge},
        };
        for (const auto &b : bands)
            QVERIFY2(w.form->SizingEdges(b.at) == b.edges, qPrintable(QStringLiteral("%1,%2").arg(b.at.x()).arg(b.at.y())));
        // The close button's right columns below the top rows belong to the button.
        w.DialogButtons();
        const QRect close = w.bar->Layout().ButtonRects[1];
        const QPoint inButton = w.bar->mapTo(w.host.get(), QPoint(close.right(), close.bottom() - 2));
        QCOMPARE(w.form->SizingEdges(inButton), none);

        // The pointer over the border shows the sizing cursor, elsewhere the window's own;
        // a window of fixed size never shows one.
        w.Show();
        QWindow *window = w.host->windowHandle();
        const auto cursorAt = [](QWindow *target, QPoint pos) {
            Mouse(target, QEvent::MouseMove, pos, target->mapToGlobal(pos), Qt::NoButton);
            return QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::BlankCursor;
        };
        QCOMPARE(cursorAt(window, QPoint(499, 150)), Qt::SizeHorCursor);
        QCOMPARE(cursorAt(window, QPoint(250, 299)), Qt::SizeVerCursor);
        QCOMPARE(cursorAt(window, QPoint(250, 150)), Qt::BlankCursor);
        fixed.Show();
        QCOMPARE(cursorAt(fixed.host->windowHandle(), QPoint(0, 150)), Qt::BlankCursor);
        QCOMPARE(cursorAt(fixed.host->windowHandle(), QPoint(499, 299)), Qt::BlankCursor);

        // A press on the border resizes the window, bounded by its minimum size.
        const QRect start = w.host->geometry();
        const QPoint corner(499, 299);
        Mouse(window, QEvent::MouseButtonPress, corner, start.topLeft() + corner);
        Mouse(window, QEvent::MouseMove, corner, start.topLeft() + corner + QPoint(50, 30), Qt::LeftButton);
        QCOMPARE(w.host->size(), start.size() + QSize(50, 30));
        Mouse(window, QEvent::MouseMove, corner, start.topLeft() + corner + QPoint(-1000, -1000), Qt::LeftButton);
        QCOMPARE(w.host->size(), QSize(130, 50));
        Mouse(window, QEvent::MouseButtonRelease, corner, start.topLeft() + corner);
        QCOMPARE(w.host->pos(), start.topLeft());
        QCOMPARE(w.form->geometry(), QRect(1, 0, 128, 49));
        // A press just inside the border reaches the control there and sizes nothing.
        const QSize size = w.host->size();
        const QPoint inside(120, 40);
        Mouse(window, QEvent::MouseButtonPress, inside, w.host->mapToGlobal(inside));
        Mouse(window, QEvent::MouseMove, inside, w.host->mapToGlobal(inside) + QPoint(30, 30), Qt::LeftButton);
        Mouse(window, QEvent::MouseButtonRelease, inside, w.host->mapToGlobal(inside) + QPoint(30, 30));
        QCOMPARE(w.host->size(), size);

        // The dialog ignores presses at its edges.
        dialog.Show();
        const QSize dialogSize = dialog.host->size();
        Mouse(dialog.host->windowHandle(), QEvent::MouseButtonPress, QPoint(499, 299), dialog.host->mapToGlobal(QPoint(499, 299)));
        Mouse(dialog.host->windowHandle(), QEvent::MouseMove, QPoint(499, 299), dialog.host->mapToGlobal(QPoint(549, 329)), Qt::LeftButton);
        Mouse(dialog.host->windowHandle(), QEvent::MouseButtonRelease, QPoint(499, 299), dialog.host->mapToGlobal(QPoint(549, 329)));
        QCOMPARE(dialog.host->size(), dialogSize);
    }

    void bookFramesFollowTheirWindows()
    {
        QWidget reading;
        TsuiForm *form = TsuiBookFrames::Reading(&reading);
        TsuiTitleBarButtons *buttons = form->TitleBarButtons();
        QCOMPARE(buttons->Count(), 5);
        const TsuiTitleBarBtnType types[5] = {suiControlBox, suiCustom, suiMax, suiCustom, suiCustom};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(buttons->Items(i)->ButtonType(), types[i]);
            QCOMPARE(buttons->Items(i)->Visible(), types[i] == suiCustom);
        }
        for (int i : {1, 3, 4}) {
            QCOMPARE(buttons->Items(i)->PicNormal().size(), QSize(19, 19));
            QVERIFY(buttons->Items(i)->PicMouseOn().toImage() != buttons->Items(i)->PicNormal().toImage());
            QCOMPARE(buttons->Items(i)->PicMouseDown().size(), QSize(19, 19));
        }
        QCOMPARE(form->SavedBorderStyle(), TFormBorderStyle::bsNone);
        TsuiTitleBarSections *sections = form->TitleBarSections();
        QCOMPARE(sections->Items(0)->Width(), 98);
        QCOMPARE(sections->Items(1)->Width(), 97);
        QCOMPARE(sections->Items(1)->Align(), TsuiTitleBarAlign::suiRight);
        QCOMPARE(sections->Items(2)->Picture().size(), QSize(98, 32));
        QCOMPARE(form->TitleBar()->height(), 32);

        QWidget help;
        TsuiForm *helpFrame = TsuiBookFrames::Help(&help);
        QVERIFY(helpFrame->TitleBarButtons()->Items(0)->Visible());
        QCOMPARE(helpFrame->SizingEdges(QPoint(0, 0)), Qt::Edges());
        QWidget credits;
        TsuiForm *creditsFrame = TsuiBookFrames::Credits(&credits);
        QCOMPARE(creditsFrame->TitleBarSections()->Items(0)->Width(), 98);
        QCOMPARE(creditsFrame->SizingEdges(QPoint(0, 0)), Qt::TopEdge | Qt::LeftEdge);
    }

    void sectionAndButtonRules()
    {
        struct QuietDialogs : TDialogs {
            QStringList *shown;
            explicit QuietDialogs(QStringList *s) : shown(s) {}
            void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { *shown << text; }
        };
        QStringList messages;
        auto previous = SetDialogs(std::make_unique<QuietDialogs>(&messages));
        SkinnedWindow w;
        TsuiTitleBarSections *sections = w.bar->Sections();
        QCOMPARE(sections->Count(), 3);
        QCOMPARE(sections->Items(0)->Width(), 97);
        QCOMPARE(sections->Items(2)->Align(), TsuiTitleBarAlign::suiClient);
        QVERIFY(sections->Items(2)->Stretch());
        sections->Items(0)->SetAlign(TsuiTitleBarAlign::suiClient);
        QCOMPARE(sections->Items(0)->Align(), TsuiTitleBarAlign::suiLeft);
        w.bar->Buttons()->Items(1)->SetButtonType(suiControlBox);
        QCOMPARE(w.bar->Buttons()->Items(1)->ButtonType(), suiClose);
        QCOMPARE(messages, QStringList({QStringLiteral("Sorry, only one section's Align property can be \"suiClient\""),
                                        QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\"")}));
        SetDialogs(std::move(previous));
    }
};

QTEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"
