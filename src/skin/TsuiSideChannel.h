#pragma once
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiStyledControl.h"
#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QToolButton;

enum class TsuiSideChannelAlign { suiLeft = 0, suiRight = 1 };
enum class TsuiSideChannelPopupMode { suiMouseOn = 0, suiMouseClick = 1 };

// A panel docked to the left or right edge of its parent that is either pushed (a
// 10-pixel side bar) or popped (slid open to its full width, `Width`). It pops on hover
// or on a click (PopupMode) and slides shut by itself about a second after the cursor
// has left it, unless its pin button holds it open (StayOn).
//
// Docking: when the channel sits in its parent's layout, the layout places it (put it
// first for the physical left, last for the right; give the parent a left-to-right
// layout direction so a right-to-left window does not mirror it) and every width step
// reflows the neighbours. Without a layout the channel places itself at the parent's
// edge with the parent's full height.
//
// Keyboard: focus moving into a pushed channel (Tab, a shortcut) opens it at once; it
// stays open while the focus is inside and closes when the focus leaves for another control
// of the window, unless pinned. Escape inside it hands the focus on to the next control.
//
// Children: give the channel a layout (or place children) inside ChildRect(); the
// contents margins already hold the insets, so `new QVBoxLayout(channel)` with zero
// margins lays children out in the right place.
//
// Typical use in a window constructor:
//   auto *c = new TsuiSideChannel(this);
//   c->setObjectName("BookMarkChannel");
//   c->SetAlign(TsuiSideChannelAlign::suiLeft); c->SetWidth(169);
//   c->SetPopupMode(TsuiSideChannelPopupMode::suiMouseClick);
//   c->OnPop = [this](TsuiSideChannel *) { ... };
class TsuiSideChannel : public QWidget, public TsuiStyledControl {
    Q_OBJECT
public:
    static constexpr int PushedWidth = 10;
    static constexpr int SlideStep = 15;
    static constexpr int AutoHideInterval = 1000;

    explicit TsuiSideChannel(QWidget *parent = nullptr);
    ~TsuiSideChannel() override;

    // Theme.
    TsuiUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme *FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme) override;

    // Colours. CaptionFontColor is the colour of Font; painting uses the theme's caption colour.
    QColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(const QColor &color);
    QColor Color() const { return FColor; }
    void SetColor(const QColor &color);
    QColor SideBarColor() const { return FSideBarColor; }
    void SetSideBarColor(const QColor &color);
    QColor CaptionFontColor() const { return FFontColor; }
    void SetCaptionFontColor(const QColor &color);
    QColor CaptionColor() const { return FCaptionColor; }

    // The full, popped width. Setting it changes the actual width only while popped.
    int Width() const { return FFullWidth; }
    void SetWidth(int width);
    // Always 10; setting it has no effect.
    int SideBarWidth() const { return PushedWidth; }
    void SetSideBarWidth(int) {}

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter (the default).
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment alignment);

    TsuiSideChannelAlign Align() const { return FAlign; }
    void SetAlign(TsuiSideChannelAlign align);
    TsuiSideChannelPopupMode PopupMode() const { return FPopupMode; }
    void SetPopupMode(TsuiSideChannelPopupMode mode) { FPopupMode = mode; }
    bool QuickMove() const { return FQuickMove; }
    void SetQuickMove(bool quick) { FQuickMove = quick; }

    // Pinned open.
    bool StayOn() const { return FStayOn; }
    void SetStayOn(bool stayOn);
    bool ShowButton() const { return FShowButton; }
    void SetShowButton(bool show);

    // Open to the full width, close to the side bar; quick skips the 15-pixel steps.
    void Pop(bool quick);
    void Push(bool quick);

    bool Popped() const { return FPopped; }
    bool Sliding() const { return FSliding; }
    // The width the channel has now (10 while pushed).
    int ActualWidth() const { return FActualWidth; }
    // Where children go: the client rectangle less 13 left, 3 right, 3 bottom and bar height + 3 top.
    QRect ChildRect() const { return contentsRect(); }
    int BarHeight() const { return FBarBitmap.height(); }

    QToolButton *PinButton() const { return FPinButton; }
    QTimer *AutoHideTimer() { return &FTimer; }

    std::function<void(TsuiSideChannel *sender)> OnResize;
    // Asked before each size change; clear resize to refuse it.
    std::function<void(TsuiSideChannel *sender, int &newWidth, int &newHeight, bool &resize)> OnCanResize;
    std::function<void(TsuiSideChannel *sender)> OnPush;
    std::function<void(TsuiSideChannel *sender)> OnPop;

    // Handlers of the pin button and the auto-hide timer.
    void PinButtonClick();
    void AutoHideTimerTimer();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ApplyStyle();
    void FileThemeDestroyed();
    // Changes the actual width, asking the resize permission first.
    void SetActualWidth(int width);
    bool CanResize(int &newWidth, int &newHeight);
    void ResizeHandling();
    void PlaceInParent();
    bool InParentLayout() const;
    void WatchParent();
    void UpdateMargins();
    void UpdatePinGlyph();
    void ShowPin(bool show);
    void FocusChanged(QWidget *old, QWidget *now);
    bool HoldsFocus() const;

    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> FFileTheme;
    QMetaObject::Connection FFileThemeConnection;
    QColor FBorderColor = QColor(0, 0, 0);
    QColor FColor = QColor(255, 255, 255);
    QColor FSideBarColor;
    QColor FFontColor = QColor(0, 0, 0);
    QColor FCaptionColor = QColor(255, 255, 255);
    int FFullWidth = 185;
    int FActualWidth = 185;
    QString FCaption;
    Qt::Alignment FAlignment = Qt::AlignHCenter;
    TsuiSideChannelAlign FAlign = TsuiSideChannelAlign::suiLeft;
    TsuiSideChannelPopupMode FPopupMode = TsuiSideChannelPopupMode::suiMouseOn;
    bool FQuickMove = false;
    bool FStayOn = false;
    bool FShowButton = true;
    bool FPopped = false;
    bool FSliding = false;
    bool FFocusOpened = false;  // opened, or kept open, for the keyboard
    QPixmap FBarBitmap;
    QPixmap FHandleBitmap;
    QToolButton *FPinButton = nullptr;
    QTimer FTimer;
    QPointer<QWidget> FWatchedParent;
};
