#include "skin/TsuiSideChannel.h"
#include "skin/TsuiThemes.h"
#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

// A window with a channel and a neighbour (the page view) in a left-to-right row.
struct ChannelWindow {
    QWidget window;
    TsuiSideChannel *channel = nullptr;
    QWidget *neighbour = nullptr;

    explicit ChannelWindow(TsuiSideChannelAlign align = TsuiSideChannelAlign::suiLeft, int fullWidth = 169)
    {
        window.setLayoutDirection(Qt::LeftToRight);
        auto *row = new QHBoxLayout(&window);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        channel = new TsuiSideChannel(&window);
        neighbour = new QWidget(&window);
        if (align == TsuiSideChannelAlign::suiLeft) {
            row->addWidget(channel);
            row->addWidget(neighbour, 1);
        } else {
            row->addWidget(neighbour, 1);
            row->addWidget(channel);
        }
        channel->SetAlign(align);
        channel->SetWidth(fullWidth);
        window.resize(600, 300);
        window.move(100, 100);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) qWarning("window not exposed");
    }
};

// Records the widths the neighbour sees while the channel slides.
class WidthRecorder : public QObject {
public:
    WidthRecorder(TsuiSideChannel *channel, QWidget *neighbour) : FChannel(channel), FNeighbour(neighbour)
    {
        neighbour->installEventFilter(this);
    }
    QList<int> ChannelWidths;
    bool NeighbourFollowed = true;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize) {
            ChannelWidths << FChannel->width();
            if (FNeighbour->width() + FChannel->width() != 600) NeighbourFollowed = false;
        }
        return false;
    }

private:
    TsuiSideChannel *FChannel;
    QWidget *FNeighbour;
};

static void SendMouse(QWidget *target, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

static void PutCursorOutside(TsuiSideChannel *channel)
{
    QCursor::setPos(channel->mapToGlobal(QPoint(channel->width() + 40, 20)));
}

class TestSideChannel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The off-screen platform warns on every size-constraint change of a window.
        static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("This plugin does not support"))) previous(type, context, text);
        });
    }

    void startsPushedAndSlidesInFifteenPixelSteps()
    {
        ChannelWindow w;
        QCOMPARE(w.channel->width(), 10);
        QCOMPARE(w.channel->Width(), 169);
        QVERIFY(w.channel->PinButton()->isHidden());
        QVERIFY(!w.channel->AutoHideTimer()->isActive());

        int pops = 0;
        w.channel->OnPop = [&](TsuiSideChannel *sender) {
            ++pops;
            QCOMPARE(sender->width(), 169);
            QVERIFY(sender->Popped());
            QVERIFY(!sender->Sliding());
        };
        WidthRecorder opening(w.channel, w.neighbour);
        w.channel->Pop(false);
        QCOMPARE(opening.ChannelWidths,
                 QList<int>({25, 40, 55, 70, 85, 100, 115, 130, 145, 160, 169}));
        QVERIFY(opening.NeighbourFollowed);
        QCOMPARE(pops, 1);
        QVERIFY(w.channel->PinButton()->isVisible());
        QVERIFY(w.channel->AutoHideTimer()->isActive());
        // The style puts the pin at min((20 - 16) / 2, 5); ShowButton moves it to 1.
        QCOMPARE(w.channel->PinButton()->geometry(), QRect(169 - 21, 2, 20, 16));

        int pushes = 0;
        w.channel->OnPush = [&](TsuiSideChannel *sender) {
            ++pushes;
            QCOMPARE(sender->width(), 10);
            QVERIFY(sender->PinButton()->isHidden());
        };
        w.neighbour->removeEventFilter(&opening);
        WidthRecorder closing(w.channel, w.neighbour);
        w.channel->Push(false);
        QCOMPARE(closing.ChannelWidths, QList<int>({154, 139, 124, 109, 94, 79, 64, 49, 34, 19, 10}));
        QVERIFY(closing.NeighbourFollowed);
        QCOMPARE(pushes, 1);
        QVERIFY(!w.channel->AutoHideTimer()->isActive());
    }

    void quickMoveJumpsAndWidthRules()
    {
        ChannelWindow w(TsuiSideChannelAlign::suiRight, 160);
        w.channel->SetQuickMove(true);
        WidthRecorder recorder(w.channel, w.neighbour);
        w.channel->Pop(w.channel->QuickMove());
        QCOMPARE(recorder.ChannelWidths, QList<int>({160}));
        QCOMPARE(w.channel->x(), 600 - 160);

        w.channel->SetSideBarWidth(40);
        QCOMPARE(w.channel->SideBarWidth(), 10);
        // A popped, idle channel cannot become narrower than 50 pixels.
        w.channel->SetWidth(30);
        QCOMPARE(w.channel->width(), 160);
        QCOMPARE(w.channel->Width(), 160);
        w.channel->SetWidth(120);
        QCOMPARE(w.channel->width(), 120);
        QCOMPARE(w.channel->PinButton()->x(), 120 - 21);
        // While pushed only the full width is stored.
        w.channel->Push(true);
        w.channel->SetWidth(140);
        QCOMPARE(w.channel->width(), 10);
        w.channel->Pop(true);
        QCOMPARE(w.channel->width(), 140);
        QCOMPARE(w.channel->ChildRect(), QRect(13, 23, 140 - 16, 300 - 26));
    }

    void clickChannelIgnoresHoverAndOpensOnAnyRelease()
    {
        ChannelWindow w;
        w.channel->SetPopupMode(TsuiSideChannelPopupMode::suiMouseClick);
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        SendMouse(w.channel, QEvent::MouseMove, QPoint(5, 100));
        QVERIFY(!w.channel->Popped());
        SendMouse(w.channel, QEvent::MouseButtonPress, QPoint(5, 100), Qt::RightButton);
        SendMouse(w.channel, QEvent::MouseButtonRelease, QPoint(5, 100), Qt::RightButton);
        QVERIFY(w.channel->Popped());
        QCOMPARE(w.channel->width(), 169);
    }

    void hoverChannelOpensOnlyInActiveWindow()
    {
        ChannelWindow w(TsuiSideChannelAlign::suiRight, 160);
        auto *other = new QWidget;
        other->setGeometry(800, 600, 50, 50);
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other));
        SendMouse(w.channel, QEvent::MouseMove, QPoint(5, 100));
        QVERIFY(!w.channel->Popped());
        delete other;
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        SendMouse(w.channel, QEvent::MouseMove, QPoint(5, 100));
        QVERIFY(w.channel->Popped());
        QCOMPARE(w.channel->width(), 160);
    }

    void autoHideCountsTheEdgeAsOutside()
    {
        ChannelWindow w;
        w.channel->SetPopupMode(TsuiSideChannelPopupMode::suiMouseClick);
        w.channel->Pop(true);
        const QPoint origin = w.channel->mapToGlobal(QPoint(0, 0));
        QCursor::setPos(origin + QPoint(50, 50));
        w.channel->AutoHideTimerTimer();
        QVERIFY(w.channel->Popped());
        QCursor::setPos(origin + QPoint(0, 50));   // on the left edge
        w.channel->AutoHideTimerTimer();
        QVERIFY(!w.channel->Popped());
        QCOMPARE(w.channel->width(), 10);

        // And with the real timer: closes about a second after the cursor has left.
        w.channel->Pop(true);
        PutCursorOutside(w.channel);
        QTRY_VERIFY_WITH_TIMEOUT(!w.channel->Popped(), 3000);
    }

    void pinnedChannelStaysOpen()
    {
        ChannelWindow w;
        w.channel->SetPopupMode(TsuiSideChannelPopupMode::suiMouseClick);
        w.channel->Pop(true);
        const QSize glyphUp = w.channel->PinButton()->iconSize();
        QTest::mouseClick(w.channel->PinButton(), Qt::LeftButton);
        QVERIFY(w.channel->StayOn());
        QVERIFY(!w.channel->AutoHideTimer()->isActive());
        QCOMPARE(w.channel->PinButton()->iconSize(), glyphUp.transposed());
        PutCursorOutside(w.channel);
        QTest::qWait(50);
        QVERIFY(w.channel->Popped());
        QVERIFY(!w.channel->AutoHideTimer()->isActive());

        // Unpinning lets it close at a following tick.
        QTest::mouseClick(w.channel->PinButton(), Qt::LeftButton);
        QVERIFY(!w.channel->StayOn());
        QCOMPARE(w.channel->PinButton()->iconSize(), glyphUp);
        QVERIFY(w.channel->AutoHideTimer()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!w.channel->Popped(), 3000);
    }

    void stayOnFalseFiresPushTwice()
    {
        ChannelWindow w;
        w.channel->SetPopupMode(TsuiSideChannelPopupMode::suiMouseClick);
        int pops = 0, pushes = 0;
        bool pinnedAtPop = false;
        w.channel->OnPop = [&](TsuiSideChannel *s) { ++pops; pinnedAtPop = s->StayOn(); };
        w.channel->OnPush = [&](TsuiSideChannel *) { ++pushes; };
        PutCursorOutside(w.channel);
        w.channel->SetStayOn(true);
        QCOMPARE(pops, 1);
        QVERIFY(pinnedAtPop);
        QCOMPARE(w.channel->width(), 169);
        QVERIFY(w.channel->PinButton()->isChecked());
        QVERIFY(!w.channel->AutoHideTimer()->isActive());

        w.channel->SetStayOn(false);
        QCOMPARE(pushes, 1);
        QCOMPARE(w.channel->width(), 10);
        QVERIFY(!w.channel->PinButton()->isChecked());
        QVERIFY(w.channel->AutoHideTimer()->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(pushes, 2, 3000);
        QVERIFY(!w.channel->AutoHideTimer()->isActive());
    }

    void hiddenButtonKeepsChannelOpen()
    {
        ChannelWindow w;
        w.channel->SetShowButton(false);
        QVERIFY(w.channel->StayOn());
        QVERIFY(w.channel->Popped());
        QCOMPARE(w.channel->PinButton()->y(), -50);
        w.channel->SetShowButton(true);
        QCOMPARE(w.channel->PinButton()->y(), 1);
    }

    void paintsSideBarOnTheLeftWithHandle_data()
    {
        QTest::addColumn<int>("align");
        QTest::newRow("left") << int(TsuiSideChannelAlign::suiLeft);
        QTest::newRow("right") << int(TsuiSideChannelAlign::suiRight);
    }

    void paintsSideBarOnTheLeftWithHandle()
    {
        QFETCH(int, align);
        ChannelWindow w(TsuiSideChannelAlign(align), 169);
        for (bool popped : {false, true}) {
            if (popped) w.channel->Pop(true);
            const QImage shot = w.channel->grab().toImage();
            const int width = popped ? 169 : 10;
            QCOMPARE(shot.width(), width);
            QCOMPARE(shot.height(), 300);
            const TsuiTheme deepBlue = TsuiThemes::ResolveTheme(TsuiUIStyle::DeepBlue);
            QPixmap bar, handle;
            TsuiThemes::LoadBitmap(deepBlue, TsuiEntry::SideChannelBarImage, bar);
            TsuiThemes::LoadBitmap(deepBlue, TsuiEntry::SideChannelHandleImage, handle);
            QCOMPARE(bar.height(), 20);
            const QImage barImage = bar.toImage();
            const QImage handleImage = handle.toImage();
            // Outline.
            QCOMPARE(shot.pixelColor(0, 150), QColor(0, 0, 0));
            if (popped) QCOMPARE(shot.pixelColor(width - 1, 150), QColor(0, 0, 0));
            QCOMPARE(shot.pixelColor(5, 299), QColor(0, 0, 0));
            // Caption bar.
            QCOMPARE(shot.pixelColor(width / 2, 7), barImage.pixelColor(0, 7));
            // Side bar and its line.
            QCOMPARE(shot.pixelColor(4, 25), QColor(232, 232, 232));
            QCOMPARE(shot.pixelColor(9, 25), QColor(128, 128, 128));
            // The handle, centred.
            const int top = (300 - handle.height()) / 2;
            for (int y = 0; y < handle.height(); y += 7)
                for (int x = 0; x < handle.width(); ++x)
                    QCOMPARE(shot.pixelColor(1 + x, top + y), handleImage.pixelColor(x, y));
            if (popped) QCOMPARE(shot.pixelColor(80, 150), QColor(255, 255, 255));
        }
    }
};

QTEST_MAIN(TestSideChannel)
#include "tst_sidechannel.moc"
