#include "widgets/TQuelLabel.h"
#include "widgets/VrDraw.h"
#include <QMouseEvent>
#include <QPainter>

TQuelLabel::TQuelLabel(QWidget *parent) : QLabel(parent) {}

void TQuelLabel::SetShadowColor(TColor value)
{
    if (value == FShadowColor) return;
    FShadowColor = value;
    FStyleKind = skCustom;
    update();
}

void TQuelLabel::SetShadowPos(TShadowPosition value)
{
    if (value == FShadowPos) return;
    FShadowPos = value;
    FStyleKind = skCustom;
    update();
}

void TQuelLabel::SetShadowSize(quint8 value)
{
    if (value == FShadowSize) return;
    FShadowSize = value;
    FStyleKind = skCustom;
    if (FAutoSize) adjustSize();
    update();
}

void TQuelLabel::SetStyleKind(TStyleKind value)
{
    FStyleKind = value;
    switch (value) {
    case skRaised: FShadowPos = spLeftTop; FShadowColor = clBtnHighlight; FShadowSize = 1; break;
    case skLowered: FShadowPos = spRightBottom; FShadowColor = clBtnHighlight; FShadowSize = 1; break;
    case skShadow: FShadowPos = spRightBottom; FShadowColor = clBtnShadow; FShadowSize = 2; break;
    case skNone: FShadowSize = 0; break;
    case skCustom: break;
    }
    if (FAutoSize) adjustSize();
    update();
}

void TQuelLabel::SetAutoSize(bool value)
{
    FAutoSize = value;
    if (value) adjustSize();
}

QSize TQuelLabel::sizeHint() const
{
    // The shadow needs its offset of room beyond the caption.
    return QLabel::sizeHint() + QSize(FShadowSize, FShadowSize);
}

QColor TQuelLabel::FontColor() const
{
    return palette().color(QPalette::Active, foregroundRole());
}

void TQuelLabel::SetFontColor(const QColor &value)
{
    QPalette pal = palette();
    pal.setColor(foregroundRole(), value);
    setPalette(pal);
}

void TQuelLabel::DrawCaption(QPainter &p, const QRect &r, const QColor &c)
{
    // As a standard label: "&x" underlines x, "&&" shows one "&".
    int flags = int(alignment()) | Qt::TextShowMnemonic;
    if (wordWrap()) flags |= Qt::TextWordWrap;
    p.setPen(c);
    p.drawText(r, flags, text());
}

void TQuelLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    p.setLayoutDirection(layoutDirection());
    const int m = margin();
    const QRect r = contentsRect().adjusted(m, m, -m, -m);
    if (isEnabled()) {
        const int s = FShadowSize;
        QPoint shadow, caption;
        switch (FShadowPos) {
        case spLeftTop: shadow = {0, 0}; caption = {s, s}; break;
        case spLeftBottom: shadow = {0, s}; caption = {s, 0}; break;
        case spRightBottom: shadow = {s, s}; caption = {0, 0}; break;
        case spRightTop: shadow = {s, 0}; caption = {0, s}; break;
        }
        DrawCaption(p, r.translated(shadow), ToQColor(FShadowColor));
        DrawCaption(p, r.translated(caption), FontColor());
    } else if (FStyleKind != skCustom) {
        // Engraved look of a disabled caption.
        DrawCaption(p, r.translated(1, 1), ToQColor(clBtnHighlight));
        DrawCaption(p, r, ToQColor(clBtnShadow));
    } else {
        // A disabled custom-styled caption in the palette's disabled text colour, without its shadow.
        DrawCaption(p, r, palette().color(QPalette::Disabled, foregroundRole()));
    }
}

// A press and release on the label belong to it: they never reach the control beneath
// (a click on a link over a picture is not a click on the picture).
void TQuelLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    event->accept();
    if (event->button() == Qt::LeftButton) FPressed = true;
}

void TQuelLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    event->accept();
    if (event->button() != Qt::LeftButton || !FPressed) return;
    FPressed = false;
    if (rect().contains(event->position().toPoint())) Click();
}

void TQuelLabel::Click()
{
    if (OnClick) OnClick(this);
}
