#include "skin/TsuiImagePanel.h"
#include "skin/TsuiButtonAccessible.h"
#include <QMouseEvent>
#include <QPainter>

TsuiImagePanel::TsuiImagePanel(QWidget *parent) : QWidget(parent)
{
    InstallSkinAccessibleFactory();
    FColor = palette().color(QPalette::Window);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TsuiImagePanel::SetPicture(const QImage &picture)
{
    FPicture = picture;
    if (!FPicture.isNull()) ApplyAutoSize();
    update();
}

void TsuiImagePanel::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    update();
}

void TsuiImagePanel::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    ApplyAutoSize();
}

void TsuiImagePanel::SetDrawStyle(TsuiDrawStyle value)
{
    if (value == FDrawStyle) return;
    FDrawStyle = value;
    update();
}

void TsuiImagePanel::SetAlignment(Qt::Alignment value)
{
    if (value == FAlignment) return;
    FAlignment = value;
    update();
}

void TsuiImagePanel::SetCaption(const QString &caption)
{
    if (caption == FCaption) return;
    FCaption = caption;
    setAccessibleName(caption.trimmed());
    update();
}

void TsuiImagePanel::SetColor(const QColor &color)
{
    if (color == FColor) return;
    FColor = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::Button, color);
    setPalette(pal);
    update();
}

void TsuiImagePanel::SetBorderWidth(int value)
{
    FBorderWidth = std::max(value, 0);
    setContentsMargins(FBorderWidth, FBorderWidth, FBorderWidth, FBorderWidth);
    update();
}

void TsuiImagePanel::SetAlign(TAlign value)
{
    FAlign = value;
    ApplyAutoSize();
}

void TsuiImagePanel::ApplyAutoSize()
{
    if (!FAutoSize || FPicture.isNull()) return;
    QSize s = size();
    if (FAlign != alTop && FAlign != alBottom && FAlign != alClient) s.setWidth(FPicture.width());
    if (FAlign != alLeft && FAlign != alRight && FAlign != alClient) s.setHeight(FPicture.height());
    resize(s);
    updateGeometry();
}

QSize TsuiImagePanel::sizeHint() const
{
    return FAutoSize && !FPicture.isNull() ? FPicture.size() : QWidget::sizeHint();
}

QImage TsuiImagePanel::ComposeImage() const
{
    QImage surface(size(), QImage::Format_ARGB32_Premultiplied);
    // Transparent: what the parent painted under the panel shows through.
    surface.fill(FTransparent ? QColor(Qt::transparent) : FColor);
    QPainter p(&surface);
    if (!FPicture.isNull()) {
        switch (FDrawStyle) {
        case suiNormal: p.drawImage(0, 0, FPicture); break;
        case suiStretch: p.drawImage(rect(), FPicture); break;
        case suiTile:
            for (int y = 0; y < height(); y += FPicture.height())
                for (int x = 0; x < width(); x += FPicture.width()) p.drawImage(x, y, FPicture);
            break;
        }
    }
    if (!FCaption.trimmed().isEmpty()) {
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(contentsRect(), int(FAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextSingleLine,
                   FCaption.trimmed());
    }
    return surface;
}

void TsuiImagePanel::paintEvent(QPaintEvent *)
{
    const QImage composed = ComposeImage();
    QPainter(this).drawImage(0, 0, composed);
}

void TsuiImagePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
    if (OnResize) OnResize(this);
}

void TsuiImagePanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) FLeftDown = true;
    const QPoint pt = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), pt.x(), pt.y());
}

void TsuiImagePanel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pt = event->position().toPoint();
    const bool clicks = event->button() == Qt::LeftButton && FLeftDown && rect().contains(pt);
    if (event->button() == Qt::LeftButton) FLeftDown = false;
    if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), pt.x(), pt.y());
    if (clicks && OnClick) OnClick(this);
}

void TsuiImagePanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (OnDblClick) OnDblClick(this);
    else mousePressEvent(event);
}

void TsuiImagePanel::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pt = event->position().toPoint();
    if (OnMouseMove) OnMouseMove(this, event->modifiers(), pt.x(), pt.y());
}
