#include "skin/TsuiCustomButton.h"
#include "app/KetabApplication.h"
#include "app/TForm.h"
#include "skin/TsuiButtonAccessible.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiThemes.h"
#include <QAction>
#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>

TsuiCustomButton::TsuiCustomButton(QWidget *parent) : QWidget(parent)
{
    InstallSkinAccessibleFactory();
    setAttribute(Qt::WA_OpaquePaintEvent);  // the composed image covers the whole control
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    FUIStyle = TsuiThemes::DefaultStyleFor(parent ? parent->window() : nullptr);
    // A button keeps the size it is given (or its face's, with AutoSize) inside layouts.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(75, 25);
}

TsuiCustomButton::~TsuiCustomButton() = default;

void TsuiCustomButton::SetCaption(const QString &caption)
{
    if (caption == FCaption) return;
    // The accessible name follows the caption unless it was given a name of its own.
    const QString oldName = QString(FCaption).remove(QLatin1Char('&'));
    FCaption = caption;
    if (accessibleName().isEmpty() || accessibleName() == oldName)
        setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    UpdateShortcut();
    CaptionChanged();
    update();
}

void TsuiCustomButton::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    UpdateAutoSize();
    update();
}

void TsuiCustomButton::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    TransparentChanged();
}

void TsuiCustomButton::SetCancel(bool value)
{
    FCancel = value;
    WatchWindow();
}

void TsuiCustomButton::SetDefault(bool value)
{
    if (value == FDefault) return;
    FDefault = value;
    WatchWindow();
    update();
}

void TsuiCustomButton::SetFocusedRectMargin(int value)
{
    if (value == FFocusedRectMargin) return;
    FFocusedRectMargin = value;
    update();
}

void TsuiCustomButton::SetTabStop(bool value)
{
    FTabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

void TsuiCustomButton::SetAction(QAction *action)
{
    if (FAction) disconnect(FAction, nullptr, this, nullptr);
    FAction = action;
    if (action) {
        TKetabApplication::Connect(action, &QAction::changed, this, [this] { ActionChanged(); });
        ActionChanged();
    }
}

void TsuiCustomButton::ActionChanged()
{
    if (!FAction) return;
    SetCaption(FAction->text());
    setEnabled(FAction->isEnabled());
    if (FAction->toolTip() != FAction->text()) setToolTip(FAction->toolTip());
}

QSize TsuiCustomButton::sizeHint() const
{
    QImage face;
    if (const_cast<TsuiCustomButton *>(this)->GetNormalFace(face) && !face.isNull()) return face.size();
    return {75, 25};
}

QSize TsuiCustomButton::minimumSizeHint() const { return sizeHint(); }

void TsuiCustomButton::UpdateAutoSize()
{
    if (!FAutoSize) return;
    QImage strip;
    if (const_cast<TsuiCustomButton *>(this)->GetNormalFace(strip) && !strip.isNull()) resize(strip.size());
    updateGeometry();
}

void TsuiCustomButton::FontChanged() { update(); }

void TsuiCustomButton::TransparentChanged()
{
    FFaceTransparent = FTransparent;
    update();
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    UpdateAutoSize();
    updateGeometry();  // the face, and so the size hint, follows the theme
    StyleChanged();
    update();
}

void TsuiCustomButton::SetFileTheme(TsuiFileTheme *fileTheme)
{
    if (!HoldFileTheme(this, FFileTheme, FFileThemeWatch, fileTheme)) return;
    update();
}

// Frames 1..3 of the theme's three-frame button strip.
bool TsuiCustomButton::ThemeFace(QImage &target, int frame) const
{
    QPixmap face;
    try {
        TsuiThemes::LoadFrame(TsuiThemes::ResolveTheme(FUIStyle, FFileTheme), TsuiEntry::ButtonImage, face, 3, frame);
    } catch (const std::exception &) {
        return false;  // a missing face is a blank one; nothing is reported
    }
    target = face.toImage();
    return !target.isNull();
}

bool TsuiCustomButton::GetNormalFace(QImage &target) { return ThemeFace(target, 1); }
bool TsuiCustomButton::GetHotFace(QImage &target) { return ThemeFace(target, 2); }
bool TsuiCustomButton::GetPressedFace(QImage &target) { return ThemeFace(target, 3); }
bool TsuiCustomButton::GetDisabledFace(QImage &target) { return ThemeFace(target, 1); }

QImage TsuiCustomButton::MaskedByTopLeft(const QImage &face)
{
    if (face.isNull()) return face;
    QImage out = face.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, 0);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
    }
    return out;
}

QImage TsuiCustomButton::CurrentFace()
{
    QImage face;
    bool ok;
    if (!isEnabled()) ok = GetDisabledFace(face);
    else if (FPressed) ok = GetPressedFace(face);
    else if (FHot) ok = GetHotFace(face);
    else ok = GetNormalFace(face);
    if (!ok || face.isNull()) {
        // A face that cannot be had is a blank one: nothing of it is drawn.
        face = QImage(74, 21, QImage::Format_ARGB32);
        face.fill(Qt::transparent);
    }
    return face;
}

void TsuiCustomButton::DrawFace(QPainter &surface, const QImage &face)
{
    QImage shown = FFaceTransparent ? MaskedByTopLeft(face) : face;
    if (!isEnabled()) {
        // The themed face is greyed when disabled (image buttons draw their pictures as they are).
        shown = shown.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(shown.scanLine(y));
            for (int x = 0; x < shown.width(); ++x) {
                const int g = (qGray(line[x]) + 255) / 2;
                line[x] = qRgba(g, g, g, qAlpha(line[x]));
            }
        }
    }
    surface.drawImage(0, 0, shown);
}

void TsuiCustomButton::DrawFocusFrame(QPainter &surface)
{
    QPen pen(palette().color(QPalette::WindowText));
    pen.setStyle(Qt::DotLine);
    surface.setPen(pen);
    surface.setBrush(Qt::NoBrush);
    const int m = FFocusedRectMargin;
    surface.drawRect(QRect(m, m, width() - 2 * m - 1, height() - 2 * m - 1));
}

void TsuiCustomButton::DrawCaption(QPainter &surface)
{
    surface.setFont(font());
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect r = rect();
    if (!isEnabled()) {
        surface.setPen(Qt::white);
        surface.drawText(r.translated(1, 1), flags, FCaption);
        surface.setPen(QColor(128, 128, 128));
        surface.drawText(r, flags, FCaption);
    } else {
        surface.setPen(palette().color(QPalette::ButtonText));
        surface.drawText(FPressed ? r.translated(1, 1) : r, flags, FCaption);
    }
}

QImage TsuiCustomButton::ComposeImage()
{
    const QImage face = CurrentFace();
    QImage surface(size(), QImage::Format_ARGB32_Premultiplied);
    // Transparent: the parent's painting already lies under the control; leave it showing.
    if (FTransparent) surface.fill(Qt::transparent);
    else surface.fill(palette().color(backgroundRole()));
    QPainter p(&surface);
    DrawFace(p, face);
    if (hasFocus() && FTabStop) DrawFocusFrame(p);
    if (!FCaption.trimmed().isEmpty()) DrawCaption(p);
    return surface;
}

void TsuiCustomButton::paintEvent(QPaintEvent *)
{
    const QImage composed = ComposeImage();
    QPainter(this).drawImage(0, 0, composed);
}

void TsuiCustomButton::StopRepeat()
{
    delete FRepeatTimer;
    FRepeatTimer = nullptr;
}

void TsuiCustomButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    FHot = true;
    update();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TsuiCustomButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    FHot = false;
    FPressed = false;
    StopRepeat();
    update();
    if (OnMouseExit) OnMouseExit(this);
}

void TsuiCustomButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint pt = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        FPressed = true;
        FLeftDownInside = rect().contains(pt);
        if (!FRepeatTimer) {
            FRepeatTimer = new QTimer(this);
            FRepeatTimer->setInterval(std::max(FRepeatInterval, 0));
            TKetabApplication::Connect(FRepeatTimer, &QTimer::timeout, this, [this] {
                if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
            });
            FRepeatTimer->start();
        }
        update();
    }
    if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), pt.x(), pt.y());
}

// No double clicks: a fast second click is a second press.
void TsuiCustomButton::mouseDoubleClickEvent(QMouseEvent *event) { mousePressEvent(event); }

void TsuiCustomButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pt = event->position().toPoint();
    if (OnMouseMove) OnMouseMove(this, event->modifiers(), pt.x(), pt.y());
    if (pt.x() < 0 || pt.y() < 0 || pt.x() > width() || pt.y() > height()) {
        if (FHot || FPressed) {
            FHot = false;
            FPressed = false;
            update();
        }
    }
}

void TsuiCustomButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pt = event->position().toPoint();
    const bool clicks = event->button() == Qt::LeftButton && FLeftDownInside && rect().contains(pt);
    if (event->button() == Qt::LeftButton) {
        FLeftDownInside = false;
        // A release anywhere ends the hold; outside it is no click.
        if (!clicks) {
            StopRepeat();
            if (FPressed) {
                FPressed = false;
                update();
            }
        }
    }
    if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), pt.x(), pt.y());
    if (clicks && isEnabled()) Click();
}

bool TsuiCustomButton::CanTakeFocus() const
{
    return isVisible() && isEnabled() && window()->isEnabled() && focusPolicy() != Qt::NoFocus;
}

void TsuiCustomButton::Click()
{
    if (FPressed) {
        StopRepeat();
        FPressed = false;
        update();
    }
    if (FTabStop && CanTakeFocus()) setFocus(Qt::MouseFocusReason);
    if (auto *form = qobject_cast<TForm *>(window())) form->ModalResult = FModalResult;
    else if (auto *dialog = qobject_cast<QDialog *>(window()); dialog && FModalResult != 0) dialog->done(FModalResult);
    if (FAction) FAction->trigger();
    else if (OnClick) OnClick(this);
}

void TsuiCustomButton::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyDown) OnKeyDown(this, key, event->modifiers());
    if (!event->text().isEmpty() && OnKeyPress) {
        QChar ch = event->text().at(0);
        OnKeyPress(this, ch);
    }
    // With Alt held the keys are the desktop's (Alt+Space opens a system menu), not a press.
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && isEnabled() &&
        !(event->modifiers() & Qt::AltModifier)) {
        if (!event->isAutoRepeat()) {
            FPressed = true;
            FKeyDown = true;
            update();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TsuiCustomButton::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyUp) OnKeyUp(this, key, event->modifiers());
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        if (FKeyDown && FPressed && isEnabled() && hasFocus()) {
            FKeyDown = false;
            FPressed = false;
            update();
            Click();
        }
        FKeyDown = false;
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TsuiCustomButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    if (OnEnter) OnEnter(this);
}

void TsuiCustomButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    FKeyDown = false;
    if (FPressed && !FLeftDownInside) FPressed = false;
    update();
    if (OnExit) OnExit(this);
}

void TsuiCustomButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange: EnabledChanged(); update(); break;
    case QEvent::FontChange: FontChanged(); break;
    case QEvent::ParentChange: WatchWindow(); UpdateAutoSize(); break;
    default: break;
    }
}

void TsuiCustomButton::UpdateShortcut()
{
    if (FShortcutId) releaseShortcut(FShortcutId);
    FShortcutId = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(FCaption);
    if (!mnemonic.isEmpty()) FShortcutId = grabShortcut(mnemonic);
}

bool TsuiCustomButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent *>(event)->shortcutId() == FShortcutId) {
        if (isEnabled()) Click();
        return true;
    }
    if (event->type() == QEvent::Show) WatchWindow();
    return QWidget::event(event);
}

// Enter and Escape not taken by the focused control travel up to the window;
// the Default and Cancel buttons pick them up there.
void TsuiCustomButton::WatchWindow()
{
    QWidget *w = window();
    if (w == FWatchedWindow) return;
    if (FWatchedWindow) FWatchedWindow->removeEventFilter(this);
    FWatchedWindow = nullptr;
    if ((FDefault || FCancel) && w != this) {
        FWatchedWindow = w;
        w->installEventFilter(this);
    }
}

bool TsuiCustomButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FWatchedWindow && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool escape = key->key() == Qt::Key_Escape;
        const bool noShift = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (noShift && ((enter && FDefault) || (escape && FCancel)) && CanTakeFocus()) {
            Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
