#include "widgets/TVrGraphicControl.h"
#include "widgets/VrDraw.h"
#include <QEvent>
#include <QPainter>

TVrGraphicControl::TVrGraphicControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TVrGraphicControl::Loaded()
{
    FLoading = false;
    UpdateControl();
}

void TVrGraphicControl::UpdateControl()
{
    if (FLoading) return;
    // Inside a paint a synchronous repaint would recurse; queue it instead.
    if (FPainting) update();
    else repaint();
}

TColor TVrGraphicControl::Color() const
{
    if (FParentColor && parentWidget()) {
        if (auto *vr = qobject_cast<const TVrGraphicControl *>(parentWidget())) return vr->Color();
        const QColor c = parentWidget()->palette().color(parentWidget()->backgroundRole());
        return RGBColor(c.red(), c.green(), c.blue());
    }
    return FColor;
}

void TVrGraphicControl::SetColor(TColor value)
{
    const bool changed = FParentColor || FColor != value;
    FColor = value;
    FParentColor = false;
    if (changed) ColorChanged();
}

void TVrGraphicControl::SetParentColor(bool value)
{
    if (FParentColor == value) return;
    FParentColor = value;
    ColorChanged();
}

void TVrGraphicControl::CMMouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}

void TVrGraphicControl::CMMouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}

void TVrGraphicControl::PaintThroughBuffer(QImage &buffer, const std::function<void(QPainter &)> &paint)
{
    if (buffer.size() != size()) buffer = QImage(size(), QImage::Format_RGB32);
    if (buffer.isNull()) return;
    FPainting = true;
    {
        QPainter bp(&buffer);
        paint(bp);
    }
    FPainting = false;
    // A paint may trim the control's size: copy only what is still the control.
    QPainter wp(this);
    wp.drawImage(QPoint(0, 0), buffer, QRect(QPoint(0, 0), size()));
}

void TVrGraphicControl::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    CMMouseEnter();
}

void TVrGraphicControl::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    CMMouseLeave();
}

void TVrGraphicControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) CMFontChanged();
    else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange) ColorChanged();
}
