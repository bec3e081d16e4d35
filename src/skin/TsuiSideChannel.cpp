#include "skin/TsuiSideChannel.h"
#include "app/KetabApplication.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiThemes.h"
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QTransform>

namespace {
constexpr int PinWidth = 20;
constexpr int PinHeight = 16;
constexpr int ChildLeftInset = 13;
constexpr int ChildInset = 3;

bool LayoutHolds(QLayout *layout, QWidget *widget)
{
    if (!layout) return false;
    if (layout->indexOf(widget) >= 0) return true;
    for (int i = 0; i < layout->count(); ++i)
        if (LayoutHolds(layout->itemAt(i)->layout(), widget)) return true;
    return false;
}
} // namespace

TsuiSideChannel::TsuiSideChannel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("پنل کناری"));

    FPinButton = new QToolButton(this);
    FPinButton->setObjectName(QStringLiteral("PinButton"));
    FPinButton->setAccessibleName(QStringLiteral("ثابت نگه داشتن پنل"));
    FPinButton->setCheckable(true);
    FPinButton->setAutoRaise(true);
    FPinButton->setFocusPolicy(Qt::TabFocus);  // pinning from the keyboard: Tab to it, Space
    FPinButton->setFixedSize(PinWidth, PinHeight);
    FPinButton->move(FFullWidth - PinWidth - 1, 1);
    TKetabApplication::Connect(FPinButton, &QToolButton::clicked, this, [this] { PinButtonClick(); });
    UpdatePinGlyph();

    FTimer.setInterval(AutoHideInterval);
    TKetabApplication::Connect(&FTimer, &QTimer::timeout, this, [this] { AutoHideTimerTimer(); });

    FSideBarColor = palette().color(QPalette::Button);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(8);
    setFont(tahoma);

    SetUIStyle(TsuiThemes::DefaultStyleFor(parent ? parent->window() : nullptr));
    WatchParent();
    Push(true);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *old, QWidget *now) { TKetabApplication::Guarded([&] { FocusChanged(old, now); }); });
}

TsuiSideChannel::~TsuiSideChannel()
{
    disconnect(FFileThemeConnection);
}

// ---- theme ----

void TsuiSideChannel::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    ApplyStyle();
}

void TsuiSideChannel::SetFileTheme(TsuiFileTheme *fileTheme)
{
    disconnect(FFileThemeConnection);
    FFileTheme = fileTheme;
    if (fileTheme)
        FFileThemeConnection = TKetabApplication::Connect(fileTheme, &QObject::destroyed, this, [this] { FileThemeDestroyed(); });
    ApplyStyle();
}

void TsuiSideChannel::FileThemeDestroyed()
{
    FFileTheme = nullptr;
    // Children get DeepBlue without a file theme through the propagation of the new style.
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiSideChannel::ApplyStyle()
{
    FColor = QColor(255, 255, 255);
    const TsuiTheme theme = TsuiThemes::ResolveTheme(FUIStyle, FFileTheme);
    FSideBarColor = TsuiThemes::GetColor(theme, TsuiEntry::FormBackgroundColor);
    TsuiThemes::LoadBitmap(theme, TsuiEntry::SideChannelHandleImage, FHandleBitmap);
    TsuiThemes::LoadBitmap(theme, TsuiEntry::SideChannelBarImage, FBarBitmap);
    FBorderColor = TsuiThemes::GetColor(theme, TsuiEntry::ControlBorderColor);
    FCaptionColor = FUIStyle == TsuiUIStyle::MacOS ? QColor(0, 0, 0)
                                                   : TsuiThemes::GetColor(theme, TsuiEntry::MenuSelectedFontColor);
    FPinButton->move(FPinButton->x(), qMin((BarHeight() - PinHeight) / 2, 5));
    UpdateMargins();
    TsuiThemes::PropagateStyle(this, FUIStyle, FFileTheme);
    update();
}

void TsuiSideChannel::UpdateMargins()
{
    setContentsMargins(ChildLeftInset, BarHeight() + ChildInset, ChildInset, ChildInset);
}

// ---- simple properties ----

void TsuiSideChannel::SetBorderColor(const QColor &color)
{
    if (color == FBorderColor) return;
    FBorderColor = color;
    update();
}

void TsuiSideChannel::SetColor(const QColor &color)
{
    if (color == FColor) return;
    FColor = color;
    update();
}

void TsuiSideChannel::SetSideBarColor(const QColor &color)
{
    if (color == FSideBarColor) return;
    FSideBarColor = color;
    update();
}

void TsuiSideChannel::SetCaptionFontColor(const QColor &color)
{
    if (color == FFontColor) return;
    FFontColor = color;
    update();
}

void TsuiSideChannel::SetCaption(const QString &caption)
{
    if (caption == FCaption) return;
    FCaption = caption;
    update();
}

void TsuiSideChannel::SetAlignment(Qt::Alignment alignment)
{
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    update();
}

void TsuiSideChannel::SetAlign(TsuiSideChannelAlign align)
{
    FAlign = align;
    PlaceInParent();
}

void TsuiSideChannel::SetWidth(int width)
{
    const int old = FFullWidth;
    FFullWidth = width;
    if (FPopped) {
        SetActualWidth(width);
        // A refused change keeps the channel as it was.
        if (FActualWidth != width) FFullWidth = old;
    }
    FPinButton->move(FFullWidth - PinWidth - 1, FPinButton->y());
}

// ---- pinning ----

void TsuiSideChannel::SetStayOn(bool stayOn)
{
    // Stored first, so the push and pop events already see the new pinned state.
    FStayOn = stayOn;
    if (stayOn) {
        Pop(FQuickMove);
        FPinButton->setChecked(true);
    } else {
        FPinButton->setChecked(false);
        Push(true);
    }
    ResizeHandling();
    PinButtonClick();
}

void TsuiSideChannel::SetShowButton(bool show)
{
    FShowButton = show;
    if (show) {
        FPinButton->move(FPinButton->x(), 1);
    } else {
        FPinButton->move(FPinButton->x(), -50);
        SetStayOn(true);
    }
}

void TsuiSideChannel::PinButtonClick()
{
    const bool down = FPinButton->isChecked();
    if (down) FTimer.stop();
    else FTimer.start();
    UpdatePinGlyph();
    FStayOn = down;
}

void TsuiSideChannel::UpdatePinGlyph()
{
    QPixmap glyph = TsuiThemes::NamedBitmap(QStringLiteral("SIDECHANNEL_BTN"));
    if (FPinButton->isChecked()) glyph = glyph.transformed(QTransform().rotate(90));
    FPinButton->setIcon(QIcon(glyph));
    FPinButton->setIconSize(glyph.size());
}

void TsuiSideChannel::ShowPin(bool show)
{
    FPinButton->setVisible(show);
}

// ---- sliding ----

void TsuiSideChannel::Pop(bool quick)
{
    FSliding = true;
    ShowPin(true);
    if (!quick) {
        while (FActualWidth + SlideStep < FFullWidth) {
            SetActualWidth(FActualWidth + SlideStep);
            repaint();
            QCoreApplication::processEvents();
        }
    }
    SetActualWidth(FFullWidth);
    repaint();
    FTimer.start();
    FSliding = false;
    FPopped = true;
    repaint();
    if (OnPop) OnPop(this);
}

void TsuiSideChannel::Push(bool quick)
{
    FSliding = true;
    FPopped = false;
    FTimer.stop();
    if (!quick) {
        while (FActualWidth - SlideStep > PushedWidth) {
            SetActualWidth(FActualWidth - SlideStep);
            repaint();
            QCoreApplication::processEvents();
        }
    }
    SetActualWidth(PushedWidth);
    repaint();
    ShowPin(false);
    FSliding = false;
    repaint();
    if (OnPush) OnPush(this);
}

void TsuiSideChannel::AutoHideTimerTimer()
{
    if (FSliding) return;
    // A reader working in the channel from the keyboard keeps it open wherever the cursor is.
    if (FFocusOpened && HoldsFocus()) return;
    if (!parentWidget()) {
        Push(FQuickMove);
        return;
    }
    // Strictly inside: a cursor on the edge counts as outside.
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    const QPoint cursor = QCursor::pos();
    const bool inside = cursor.x() > topLeft.x() && cursor.x() < topLeft.x() + width() &&
                        cursor.y() > topLeft.y() && cursor.y() < topLeft.y() + height();
    if (!inside) Push(FQuickMove);
}

// ---- keyboard ----

bool TsuiSideChannel::HoldsFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && isAncestorOf(focus);
}

void TsuiSideChannel::FocusChanged(QWidget *old, QWidget *now)
{
    const bool wasInside = old && isAncestorOf(old);
    const bool isInside = now && isAncestorOf(now);
    // The keyboard moves the focus in from another control of this window with no mouse
    // button held; a click, the window made active again or a closing drop-down list
    // handing the focus back do not open the channel for the keyboard.
    const bool fromThisWindow = old && old->window() == window();
    if (isInside && !wasInside && fromThisWindow && QGuiApplication::mouseButtons() == Qt::NoButton) {
        FFocusOpened = true;
        if (!FPopped && !FSliding) Pop(true);
    } else if (wasInside && !isInside && now && now->window() == window()) {
        // Focus going to another window (a dialog, the channel's own combo list) keeps it open.
        const bool close = FFocusOpened && !FStayOn && FPopped && !FSliding;
        FFocusOpened = false;
        if (close) Push(true);
    }
}

void TsuiSideChannel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier || !HoldsFocus()) {
        QWidget::keyPressEvent(event);
        return;
    }
    QWidget *focus = QApplication::focusWidget();
    for (QWidget *next = focus->nextInFocusChain(); next && next != focus; next = next->nextInFocusChain()) {
        if (!isAncestorOf(next) && next != this && (next->focusPolicy() & Qt::TabFocus) && next->isVisible()
            && next->isEnabled() && next->window() == window()) {
            next->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

// ---- size and place ----

bool TsuiSideChannel::CanResize(int &newWidth, int &newHeight)
{
    bool allowed = FSliding || FPinButton->isHidden() || newWidth > 49;
    if (allowed && OnCanResize) OnCanResize(this, newWidth, newHeight, allowed);
    return allowed;
}

void TsuiSideChannel::SetActualWidth(int width)
{
    int newWidth = width;
    int newHeight = height();
    if (!CanResize(newWidth, newHeight)) return;
    const bool changed = newWidth != FActualWidth;
    FActualWidth = newWidth;
    setFixedWidth(newWidth);
    if (InParentLayout()) {
        // Reflow the neighbours now, not at the next layout request.
        parentWidget()->layout()->activate();
    } else {
        PlaceInParent();
    }
    if (changed) ResizeHandling();
}

void TsuiSideChannel::ResizeHandling()
{
    // A width given to a popped, idle channel becomes its full width.
    if (!FSliding && FActualWidth > PushedWidth) FFullWidth = FActualWidth;
    FPinButton->move(FFullWidth - PinWidth - 1, FPinButton->y());
}

bool TsuiSideChannel::InParentLayout() const
{
    return parentWidget() && LayoutHolds(parentWidget()->layout(), const_cast<TsuiSideChannel *>(this));
}

void TsuiSideChannel::PlaceInParent()
{
    QWidget *parent = parentWidget();
    if (!parent) {
        resize(FActualWidth, height());
        return;
    }
    if (InParentLayout()) return;
    const int x = FAlign == TsuiSideChannelAlign::suiLeft ? 0 : parent->width() - FActualWidth;
    setGeometry(x, 0, FActualWidth, parent->height());
}

void TsuiSideChannel::WatchParent()
{
    if (FWatchedParent == parentWidget()) return;
    if (FWatchedParent) FWatchedParent->removeEventFilter(this);
    FWatchedParent = parentWidget();
    if (FWatchedParent) FWatchedParent->installEventFilter(this);
}

bool TsuiSideChannel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FWatchedParent && event->type() == QEvent::Resize) PlaceInParent();
    return QWidget::eventFilter(watched, event);
}

bool TsuiSideChannel::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange) {
        WatchParent();
        PlaceInParent();
    }
    return QWidget::event(event);
}

void TsuiSideChannel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (OnResize) OnResize(this);
}

// ---- mouse ----

void TsuiSideChannel::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (FPopupMode != TsuiSideChannelPopupMode::suiMouseOn || FSliding || FPopped) return;
    if (!isActiveWindow()) return;
    Pop(FQuickMove);
}

void TsuiSideChannel::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (FPopupMode != TsuiSideChannelPopupMode::suiMouseClick || FPopped) return;
    // A click during a slide would start a second slide inside the first one.
    if (FSliding || !rect().contains(event->position().toPoint())) return;
    Pop(FQuickMove);
}

// ---- painting ----

void TsuiSideChannel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    const int barHeight = BarHeight();

    // Fill and one-pixel outline.
    p.fillRect(rect(), FColor);
    p.setPen(FBorderColor);
    p.drawRect(0, 0, w - 1, h - 1);

    // Caption bar: the one-column bitmap stretched across.
    if (!FBarBitmap.isNull() && w > 2) p.drawPixmap(QRect(1, 0, w - 2, barHeight), FBarBitmap);

    if (FPopped && !FCaption.isEmpty()) {
        QFont captionFont = font();
        p.setFont(captionFont);
        p.setPen(FCaptionColor);
        const QRect captionRect(PinWidth + 1, 0, w - 2 * (PinWidth + 1), barHeight);
        p.drawText(captionRect, int(FAlignment | Qt::AlignVCenter) | Qt::TextSingleLine, FCaption);
    }

    // The side bar, always at the panel's left side, with its dividing line.
    p.fillRect(QRect(1, barHeight, PushedWidth - 2, h - 1 - barHeight), FSideBarColor);
    p.setPen(QColor(128, 128, 128));
    if (h - 2 >= barHeight) p.drawLine(PushedWidth - 1, barHeight, PushedWidth - 1, h - 2);

    // The grip, centred vertically but never above the caption bar.
    if (!FHandleBitmap.isNull()) {
        const int y = qMax((h - FHandleBitmap.height()) / 2, barHeight + 1);
        p.drawPixmap(1, y, FHandleBitmap);
    }
}
