#include "widgets/TVrProgressBar.h"
#include "widgets/VrAccessibility.h"
#include "widgets/VrDraw.h"
#include <QAccessible>
#include <QPainter>

TVrProgressBar::TVrProgressBar(QWidget *parent) : TVrGraphicImageControl(parent)
{
    InstallVrAccessibility();
    resize(200, 16);
    SetColor(clBlack);
    FBevel.SetInnerStyle(bsNone);
    FBevel.SetInnerSpace(0);
    FBevel.SetOuterStyle(bsLowered);
    FBevel.SetOuterOutline(osNone);
    FBevel.OnChange = [this](TVrPersistent *) { UpdateControl(); };
}

void TVrProgressBar::SetMinValue(int value)
{
    if (value == FMinValue || value >= FMaxValue) return;
    FMinValue = value;
    if (FPosition < FMinValue) SetPosition(FMinValue);
    else UpdateControl();
}

void TVrProgressBar::SetMaxValue(int value)
{
    if (value == FMaxValue || value <= FMinValue) return;
    FMaxValue = value;
    if (FPosition > FMaxValue) SetPosition(FMaxValue);
    else UpdateControl();
}

void TVrProgressBar::SetPosition(int value)
{
    value = std::clamp(value, FMinValue, FMaxValue);
    if (value == FPosition) return;
    FPosition = value;
    UpdateControl();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent e(this, FPosition);
        QAccessible::updateAccessibility(&e);
    }
    Changed();
}

void TVrProgressBar::Changed()
{
    if (OnChange) OnChange(this);
}

int TVrProgressBar::Percent() const
{
    if (FMaxValue == FMinValue) return 0;
    return int(100.0 * (double(FPosition) - FMinValue) / (double(FMaxValue) - FMinValue));
}

void TVrProgressBar::FillChanged()
{
    FFillDirty = true;
    UpdateControl();
}

void TVrProgressBar::SetStartColor(TColor value)
{
    if (value == FStartColor) return;
    FStartColor = value;
    FillChanged();
}

void TVrProgressBar::SetEndColor(TColor value)
{
    if (value == FEndColor) return;
    FEndColor = value;
    FillChanged();
}

void TVrProgressBar::SetSmooth(bool value)
{
    if (value == FSmooth) return;
    FSmooth = value;
    UpdateControl();
}

void TVrProgressBar::SetFromRight(bool value)
{
    if (value == FFromRight) return;
    FFromRight = value;
    UpdateControl();
}

void TVrProgressBar::SetOrientation(TVrOrientation value)
{
    if (value == FOrientation) return;
    FOrientation = value;
    if (!Loading()) resize(height(), width());
    FillChanged();
}

void TVrProgressBar::SetFillType(TVrProgressBarFill value)
{
    if (value == FFillType) return;
    FFillType = value;
    FillChanged();
}

void TVrProgressBar::SetBitmap(const QImage &value)
{
    FBitmap = value;
    if (FFillType == pfBitmap) FFillDirty = true;
    UpdateControl();
}

void TVrProgressBar::ColorChanged()
{
    // System colours may have changed: the fill is rebuilt from them.
    FFillDirty = true;
    UpdateControl();
}

void TVrProgressBar::BuildFillImage()
{
    const QSize size(std::max(0, FBarArea.Width()), std::max(0, FBarArea.Height()));
    FFillImage = QImage(size, QImage::Format_RGB32);
    FFillDirty = false;
    if (FFillImage.isNull()) return;
    QPainter p(&FFillImage);
    const TVrRect r(0, 0, size.width(), size.height());
    if (FFillType == pfPlain || (FFillType == pfBitmap && FBitmap.isNull())) {
        p.fillRect(r.ToQRect(), ToQColor(clHighlight));
    } else if (FFillType == pfGradient) {
        if (FOrientation == voHorizontal) FillGradientBands(p, r, FStartColor, FEndColor, 1, 1);
        else FillGradientBands(p, r, FEndColor, FStartColor, 0, 1);
    } else {
        TileBitmap(p, r, FBitmap);
    }
}

void TVrProgressBar::Paint(QPainter &canvas)
{
    PrepareBuffer(canvas);
    TVrRect area = TVrRect::FromQRect(rect());
    FBevel.PaintBevel(canvas, area);
    FBarArea = area;
    if (FFillDirty || FFillImage.size() != QSize(area.Width(), area.Height())) BuildFillImage();
    if (area.IsEmpty() || FFillImage.isNull()) return;

    const int percent = Percent();
    if (FOrientation == voHorizontal) {
        // Filled from the right: the same blocks, mirrored inside the bevel.
        if (FFromRight) {
            canvas.translate(area.Left + area.Right, 0);
            canvas.scale(-1, 1);
        }
        // Filled length: the truncation of extent x percent / 100.
        const int len = int(qint64(area.Width()) * percent / 100);
        const int w0 = (area.Height() / 3) * 2;
        TVrRect block(area.Left + (FSmooth ? 1 : 0), area.Top, 0, area.Bottom);
        block.Right = block.Left + w0;
        block.Top += 1;
        block.Bottom -= 1;
        if (!FSmooth) { block.Left += 1; block.Right -= 1; }
        if (FSmooth) block.Right = area.Left + len;
        while (block.Left < area.Left + len) {
            if (block.Right > area.Right - 1) block.Right = area.Right - 1;
            const TVrRect src(block.Left - area.Left, block.Top - area.Top, block.Right - area.Left, block.Bottom - area.Top);
            canvas.drawImage(block.ToQRect(), FFillImage, src.ToQRect());
            block.Offset(block.Width() + 2, 0);
        }
    } else {
        const int len = int(qint64(area.Height()) * percent / 100);
        const int w0 = (area.Width() / 3) * 2;
        TVrRect block(area.Left + 1, area.Bottom - w0, area.Right - 1, area.Bottom);
        if (!FSmooth) { block.Top += 1; block.Bottom -= 1; }
        if (FSmooth) block.Top = area.Bottom - len;
        while (block.Bottom > area.Bottom - len) {
            if (block.Top <= area.Top) block.Top = area.Top + 1;
            const QRect src(0, block.Top - area.Top - 1, FFillImage.width(), block.Height());
            canvas.drawImage(block.ToQRect(), FFillImage, src);
            block.Offset(0, -(block.Height() + 2));
        }
    }
}

void TVrProgressBar::SetFormStyle()
{
    FBevel.SetOuterStyle(bsLowered);
    SetSmooth(true);
    SetStartColor(clInfoBk);
    SetEndColor(clInfoBk);
    SetPosition(0);
}
