#include "widgets/TVrNavigator.h"
#include "widgets/VrAccessibility.h"
#include "widgets/VrDraw.h"
#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QRgb GlyphTransparent = qRgb(128, 128, 0);  // olive pixels of the strips are left out

QImage LoadStrip(const QString &name)
{
    return QImage(QStringLiteral(":/") + name).convertToFormat(QImage::Format_RGB32);
}
}

TVrNavigator::TVrNavigator(QWidget *parent) : TVrCustomImageControl(parent)
{
    InstallVrAccessibility();
    FButtonNames = {QStringLiteral("روشن و خاموش"), QStringLiteral("پخش"), QStringLiteral("مکث"),
                    QStringLiteral("توقف"), QStringLiteral("پیشین"), QStringLiteral("عقب"),
                    QStringLiteral("جلو"), QStringLiteral("بعدی"), QStringLiteral("ضبط"),
                    QStringLiteral("بیرون دادن")};
    resize(340, 25);
    SetTabStop(true);
    setAccessibleName(QStringLiteral("دکمه‌های پیمایش"));
    FBevel.SetInnerSpace(0);
    FBevel.OnChange = [this](TVrPersistent *) { BevelChanged(); };
    RefreshFlags();
    LoadGlyphs();
    Layout(false);
}

void TVrNavigator::RefreshFlags()
{
    for (int k = 0; k < ButtonCount; ++k) {
        FButtonVisible[k] = (FVisibleButtons >> k) & 1;
        FButtonEnabled[k] = (FEnabledButtons >> k) & 1;
    }
}

void TVrNavigator::LoadGlyphs()
{
    FEnabledGlyphs = LoadStrip(FNumeric ? QStringLiteral("EN_NUMERIC") : QStringLiteral("EN_IMAGES"));
    FDisabledGlyphs = LoadStrip(FNumeric ? QStringLiteral("DI_NUMERIC") : QStringLiteral("DI_IMAGES"));
}

void TVrNavigator::Loaded()
{
    FSettled = true;
    for (int k = 0; k < ButtonCount; ++k)
        if (FButtonVisible[k]) {
            FFocusIndex = FPressedIndex = k;
            break;
        }
    TVrCustomImageControl::Loaded();
}

void TVrNavigator::SetSpacing(int value)
{
    if (value == FSpacing) return;
    FSpacing = value;
    UpdateControl();
}

void TVrNavigator::SetFocusColor(TColor value)
{
    if (value == FFocusColor) return;
    FFocusColor = value;
    UpdateControl();
}

void TVrNavigator::SetBorderColor(TColor value)
{
    if (value == FBorderColor) return;
    FBorderColor = value;
    UpdateControl();
}

void TVrNavigator::SetVisibleButtons(TVrButtonSet value)
{
    FVisibleButtons = value & VrAllButtons;
    RefreshFlags();
    UpdateControl();
}

void TVrNavigator::SetEnabledButtons(TVrButtonSet value)
{
    FEnabledButtons = value & VrAllButtons;
    RefreshFlags();
    UpdateControl();
}

void TVrNavigator::SetOrientation(TVrOrientation value)
{
    if (value == FOrientation) return;
    FOrientation = value;
    if (!Loading()) {
        const int n = VisibleCount(), bw = FBevel.BevelWidth();
        if (FOrientation == voHorizontal) resize(n * (FButtonWidth + FSpacing) + 2 * bw, FButtonHeight + 2 * bw);
        else resize(FButtonWidth + 2 * bw, n * (FButtonHeight + FSpacing) + 2 * bw);
    }
    UpdateControl();
}

void TVrNavigator::SetNumeric(bool value)
{
    if (value == FNumeric) return;
    FNumeric = value;
    LoadGlyphs();
    UpdateControl();
}

void TVrNavigator::BevelChanged()
{
    if (!Loading()) {
        const int bw = FBevel.BevelWidth();
        resize(FButtonArea.Width() + 2 * bw, FButtonArea.Height() + 2 * bw);
    }
    UpdateControl();
}

QString TVrNavigator::ButtonName(int k) const
{
    return (k >= 0 && k < ButtonCount) ? FButtonNames[k] : QString();
}

void TVrNavigator::SetButtonName(TVrButtonType button, const QString &name)
{
    if (button >= 0 && button < ButtonCount) FButtonNames[button] = name;
}

void TVrNavigator::Click(TVrButtonType button)
{
    if (OnButtonClick) OnButtonClick(this, button);
}

int TVrNavigator::VisibleCount() const
{
    int n = 0;
    for (bool v : FButtonVisible) n += v ? 1 : 0;
    return n == 0 ? 1 : n;
}

void TVrNavigator::Layout(bool trim)
{
    const int bw = FBevel.BevelWidth();
    FButtonArea = TVrRect(bw, bw, width() - bw, height() - bw);
    const int n = VisibleCount(), gap = (n - 1) * FSpacing;
    if (FOrientation == voHorizontal) {
        FButtonWidth = (FButtonArea.Width() - gap) / n;
        FButtonHeight = FButtonArea.Height();
        if (trim && n > 1) {
            const int w = 2 * FButtonArea.Left + n * FButtonWidth + gap;
            if (w != width()) {
                resize(w, height());
                FButtonArea.Right = w - bw;
            }
        }
    } else {
        FButtonWidth = FButtonArea.Width();
        FButtonHeight = (FButtonArea.Height() - gap) / n;
        if (trim && n > 1) {
            const int h = 2 * FButtonArea.Top + n * FButtonHeight + gap;
            if (h != height()) {
                resize(width(), h);
                FButtonArea.Bottom = h - bw;
            }
        }
    }
}

TVrRect TVrNavigator::ButtonRect(int k) const
{
    int x = FButtonArea.Left, y = FButtonArea.Top;
    for (int i = 0; i < k && i < ButtonCount; ++i) {
        if (!FButtonVisible[i]) continue;
        if (FOrientation == voHorizontal) x += FButtonWidth + FSpacing;
        else y += FButtonHeight + FSpacing;
    }
    return TVrRect(x, y, x + FButtonWidth, y + FButtonHeight);
}

void TVrNavigator::Paint(QPainter &canvas)
{
    Layout(true);
    PrepareBuffer(canvas);
    TVrRect client = TVrRect::FromQRect(rect());
    FBevel.PaintBevel(canvas, client);
    for (int k = 0; k < ButtonCount; ++k)
        if (FButtonVisible[k]) DrawButton(canvas, k);
}

void TVrNavigator::DrawButton(QPainter &canvas, int k)
{
    if (FButtonWidth <= 0 || FButtonHeight <= 0) return;
    const bool pressed = FDown && k == FPressedIndex;
    if (FButtonBuffer.size() != QSize(FButtonWidth, FButtonHeight))
        FButtonBuffer = QImage(FButtonWidth, FButtonHeight, QImage::Format_RGB32);
    QPainter p(&FButtonBuffer);
    TVrRect r(0, 0, FButtonWidth, FButtonHeight);

    TVrRect face = r;
    face.Inflate(-2, -2);
    FillGradientBands(p, face, pressed ? clBtnFace : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow, 0,
                      std::max(FButtonHeight / 10, 2));

    const QImage &strip = FButtonEnabled[k] ? FEnabledGlyphs : FDisabledGlyphs;
    const int gw = strip.width() / ButtonCount, gh = strip.height();
    const int gx = FButtonWidth / 2 - gw / 2 + (pressed ? 1 : 0);
    const int gy = FButtonHeight / 2 - gh / 2 + (pressed ? 1 : 0);
    for (int y = 0; y < gh; ++y) {
        const int ty = gy + y;
        if (ty < 0 || ty >= FButtonHeight) continue;
        const QRgb *src = reinterpret_cast<const QRgb *>(strip.constScanLine(y)) + k * gw;
        QRgb *dst = reinterpret_cast<QRgb *>(FButtonBuffer.scanLine(ty));
        for (int x = 0; x < gw; ++x) {
            const int tx = gx + x;
            if (tx < 0 || tx >= FButtonWidth || qRgb(qRed(src[x]), qGreen(src[x]), qBlue(src[x])) == GlyphTransparent) continue;
            dst[tx] = src[x];
        }
    }

    const TColor ring = (hasFocus() && k == FFocusIndex) ? FFocusColor : FBorderColor;
    DrawFrame3D(p, r, ring, ring, 1);
    if (pressed) DrawFrame3D(p, r, clBtnShadow, clBtnFace, 1);
    else DrawFrame3DCornerKept(p, r, clBtnHighlight, clBtnShadow, 1);
    p.end();

    const TVrRect at = ButtonRect(k);
    canvas.drawImage(at.Left, at.Top, FButtonBuffer);
}

void TVrNavigator::RedrawButton(int k)
{
    if (k < 0 || k >= ButtonCount || !FButtonVisible[k]) return;
    if (Painting()) update(ButtonRect(k).ToQRect());
    else repaint(ButtonRect(k).ToQRect());
}

void TVrNavigator::ChangeFocus(int k)
{
    if (k == FFocusIndex) return;
    const int old = FFocusIndex;
    FFocusIndex = k;
    RedrawButton(old);
    RedrawButton(k);
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent e(this, QAccessible::Focus);
        e.setChild(VisibleOrdinal(k));
        QAccessible::updateAccessibility(&e);
    }
}

int TVrNavigator::VisibleOrdinal(int k) const
{
    if (k < 0 || k >= ButtonCount || !FButtonVisible[k]) return -1;
    int n = 0;
    for (int i = 0; i < k; ++i) n += FButtonVisible[i] ? 1 : 0;
    return n;
}

void TVrNavigator::PressAt(QPoint pos)
{
    int k = -1;
    for (int i = 0; i < ButtonCount; ++i)
        if (FButtonVisible[i] && ButtonRect(i).Contains(pos)) {
            k = i;
            break;
        }
    if (k < 0 || !FButtonEnabled[k]) return;
    FPressedIndex = k;
    if (TabStop()) setFocus(Qt::MouseFocusReason);
    ChangeFocus(k);
    FTracking = true;
    FDown = true;
    RedrawButton(k);
}

void TVrNavigator::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) PressAt(event->position().toPoint());
    else TVrCustomImageControl::mousePressEvent(event);
}

void TVrNavigator::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) PressAt(event->position().toPoint());
    else TVrCustomImageControl::mouseDoubleClickEvent(event);
}

void TVrNavigator::mouseMoveEvent(QMouseEvent *event)
{
    if (!FTracking) return;
    const bool inside = ButtonRect(FPressedIndex).Contains(event->position().toPoint());
    if (inside != FDown) {
        FDown = inside;
        RedrawButton(FPressedIndex);
    }
}

void TVrNavigator::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        TVrCustomImageControl::mouseReleaseEvent(event);
        return;
    }
    if (!FTracking) return;
    FTracking = false;
    if (FDown) {
        FDown = false;
        RedrawButton(FPressedIndex);
        Click(TVrButtonType(FPressedIndex));
    }
}

void TVrNavigator::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        // A hidden button under the focus index is not on the bar: it cannot be pressed.
        if (FButtonEnabled[FFocusIndex] && FButtonVisible[FFocusIndex]) {
            FPressedIndex = FFocusIndex;
            FDown = true;
            RedrawButton(FPressedIndex);
        }
        break;
    case Qt::Key_Left: {
        if (FDown) break;
        int i = FFocusIndex;
        while (i > 0) {
            --i;
            if (FButtonVisible[i]) break;
        }
        if (FButtonVisible[i]) ChangeFocus(i);
        break;
    }
    case Qt::Key_Right: {
        if (FDown) break;
        int i = FFocusIndex;
        while (i < ButtonCount - 1) {
            ++i;
            if (FButtonVisible[i]) break;
        }
        if (FButtonVisible[i]) ChangeFocus(i);
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        break;
    default:
        event->ignore();
    }
}

void TVrNavigator::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space) {
        event->ignore();
        return;
    }
    // A held key repeats its press only; the click comes with the real release.
    if (event->isAutoRepeat()) return;
    if (FDown && FButtonEnabled[FFocusIndex]) {
        FDown = false;
        RedrawButton(FPressedIndex);
        Click(TVrButtonType(FPressedIndex));
    }
}

void TVrNavigator::focusInEvent(QFocusEvent *event)
{
    TVrCustomImageControl::focusInEvent(event);
    RedrawButton(FFocusIndex);
}

void TVrNavigator::focusOutEvent(QFocusEvent *event)
{
    TVrCustomImageControl::focusOutEvent(event);
    RedrawButton(FFocusIndex);
}

void TVrNavigator::showEvent(QShowEvent *event)
{
    TVrCustomImageControl::showEvent(event);
    // A bar set up in code without BeginLoading/Loaded settles its focus on the first show.
    if (!FSettled) {
        FSettled = true;
        for (int k = 0; k < ButtonCount; ++k)
            if (FButtonVisible[k]) {
                FFocusIndex = FPressedIndex = k;
                break;
            }
    }
}

void TVrNavigator::resizeEvent(QResizeEvent *event)
{
    TVrCustomImageControl::resizeEvent(event);
    Layout(false);
}
