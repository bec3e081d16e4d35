#include "skin/TsuiImageButton.h"
#include <QFocusEvent>
#include <QPainter>

namespace {
QImage LoadResource(const QString &name)
{
    return name.isEmpty() ? QImage() : QImage(QStringLiteral(":/") + name);
}
}

TsuiImageButton::TsuiImageButton(QWidget *parent) : TsuiCustomButton(parent) {}

void TsuiImageButton::PictureChanged()
{
    UpdateAutoSize();
    updateGeometry();
    update();
}

void TsuiImageButton::SetPicNormal(const QImage &picture)
{
    FPicNormal = picture;
    PictureChanged();
}

void TsuiImageButton::SetPicMouseOn(const QImage &picture)
{
    FPicMouseOn = picture;
    PictureChanged();
}

void TsuiImageButton::SetPicMouseDown(const QImage &picture)
{
    FPicMouseDown = picture;
    PictureChanged();
}

void TsuiImageButton::SetPicDisabled(const QImage &picture)
{
    FPicDisabled = picture;
    PictureChanged();
}

void TsuiImageButton::SetPictures(const QString &normal, const QString &mouseOn, const QString &mouseDown,
                                  const QString &disabled)
{
    FPicNormal = LoadResource(normal);
    FPicMouseOn = LoadResource(mouseOn);
    FPicMouseDown = LoadResource(mouseDown);
    FPicDisabled = LoadResource(disabled);
    PictureChanged();
}

void TsuiImageButton::SetStretch(bool value)
{
    if (value == FStretch) return;
    FStretch = value;
    update();
}

void TsuiImageButton::SetDrawFocused(bool value)
{
    if (value == FDrawFocused) return;
    FDrawFocused = value;
    update();
}

void TsuiImageButton::UpdateAutoSize()
{
    if (AutoSize() && parentWidget() && !FPicNormal.isNull()) resize(FPicNormal.size());
}

void TsuiImageButton::DrawFace(QPainter &surface, const QImage &face)
{
    // The face's transparent colour is its top-left pixel.
    const QImage shown = FaceTransparent() ? MaskedByTopLeft(face) : face;
    if (FStretch) surface.drawImage(rect(), shown);
    else surface.drawImage(0, 0, shown);
}

void TsuiImageButton::DrawFocusFrame(QPainter &surface)
{
    if (FDrawFocused && !FKeyboardFocus) {
        TsuiCustomButton::DrawFocusFrame(surface);
        return;
    }
    if (!FKeyboardFocus) return;
    const int m = FocusedRectMargin();
    const QRect frame(m, m, width() - 2 * m - 1, height() - 2 * m - 1);
    surface.setBrush(Qt::NoBrush);
    surface.setPen(QPen(Qt::black, 1));
    surface.drawRect(frame);
    surface.setPen(QPen(Qt::white, 1, Qt::DotLine));
    surface.drawRect(frame);
}

void TsuiImageButton::focusInEvent(QFocusEvent *event)
{
    // As on every desktop, the frame shows once the keyboard has moved the focus in this
    // window, not for the focus a window's first show or activation gives; a click ends
    // the keyboard's turn.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
        FKeyboardFocus = true;
        break;
    case Qt::MouseFocusReason:
        window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
        FKeyboardFocus = false;
        break;
    default: FKeyboardFocus = window()->testAttribute(Qt::WA_KeyboardFocusChange);
    }
    TsuiCustomButton::focusInEvent(event);
}

bool TsuiImageButton::FaceOr(const QImage &picture, QImage &target) const
{
    target = picture.isNull() ? FPicNormal : picture;
    return !target.isNull();
}

bool TsuiImageButton::GetNormalFace(QImage &target) { return FaceOr(FPicNormal, target); }
bool TsuiImageButton::GetHotFace(QImage &target) { return FaceOr(FPicMouseOn, target); }
bool TsuiImageButton::GetPressedFace(QImage &target) { return FaceOr(FPicMouseDown, target); }
bool TsuiImageButton::GetDisabledFace(QImage &target) { return FaceOr(FPicDisabled, target); }
