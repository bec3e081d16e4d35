#include "widgets/TCustomImage32.h"
#include "widgets/VrAccessibility.h"
#include "widgets/VrDraw.h"
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Nearest integer, halves to even; kept within the range of a size.
int RoundEven(double v)
{
    if (!(v > -1e9)) return v > 0 ? 1000000000 : -1000000000;
    return int(std::nearbyint(std::min(v, 1e9)));
}

// Draws `src` scaled into `r` on `dst`, only where `clip` allows. Nearest neighbour samples
// the source pixel under the centre of each target pixel; other filters interpolate.
void StretchDraw(QImage &dst, const QRect &clip, const TVrRect &r, const TBitmap32 &src)
{
    const QImage &s = src.Image();
    const QRect target = r.ToQRect().intersected(clip).intersected(dst.rect());
    if (target.isEmpty() || s.isNull()) return;
    if (src.StretchFilter() != sfNearest || src.DrawMode() != dmOpaque) {
        QPainter p(&dst);
        p.setClipRect(target);
        p.setRenderHint(QPainter::SmoothPixmapTransform, src.StretchFilter() != sfNearest);
        if (src.DrawMode() == dmOpaque) p.setCompositionMode(QPainter::CompositionMode_Source);
        else p.setOpacity(src.MasterAlpha() / 255.0);
        p.drawImage(r.ToQRect(), s);
        return;
    }
    const qint64 dw = r.Width(), dh = r.Height(), sw = s.width(), sh = s.height();
    std::vector<int> xs(size_t(target.width()));
    for (int x = target.left(); x <= target.right(); ++x)
        xs[size_t(x - target.left())] = int(((2 * (x - r.Left) + 1) * sw) / (2 * dw));
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const int sy = int(((2 * (y - r.Top) + 1) * sh) / (2 * dh));
        const QRgb *in = reinterpret_cast<const QRgb *>(s.constScanLine(sy));
        QRgb *out = reinterpret_cast<QRgb *>(dst.scanLine(y)) + target.left();
        for (size_t i = 0; i < xs.size(); ++i) out[i] = in[xs[i]];
    }
}

} // namespace

TCustomImage32::TCustomImage32(QWidget *parent) : TCustomPaintBox32(parent)
{
    InstallVrAccessibility();
    resize(192, 192);
    setFocusPolicy(Qt::NoFocus);
    FBitmap.OnResize = [this](TBitmap32 *) { HandleBitmapResize(); };
    FBitmap.OnChange = [this](TBitmap32 *) { Changed(); };
    InitDefaultStages();
}

void TCustomImage32::InitDefaultStages()
{
    FPaintStages = {
        {false, true, PST_CLEAR_BACKGND, 0},
        {true, false, PST_CONTROL_FRAME, 0},
        {false, true, PST_DRAW_BITMAP, 0},
        {true, false, PST_BITMAP_FRAME, 0},
        {false, true, PST_DRAW_LAYERS, 0},
    };
}

void TCustomImage32::SetBitmapAlign(TBitmapAlign value)
{
    FBitmapAlign = value;
    InvalidateBitmapRect();
    Changed();
}

void TCustomImage32::SetScale(float value)
{
    if (!(value >= 0.001f)) value = 0.001f;  // also catches a value that is not a number
    if (value == FScale) return;
    FScale = value;
    InvalidateBitmapRect();
    Changed();
}

void TCustomImage32::SetScaleMode(TScaleMode value)
{
    if (value == FScaleMode) return;
    FScaleMode = value;
    InvalidateBitmapRect();
    Changed();
}

void TCustomImage32::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (value) HandleBitmapResize();
}

TColor TCustomImage32::Color() const
{
    if (FParentColor && parentWidget()) {
        const QColor c = parentWidget()->palette().color(parentWidget()->backgroundRole());
        return RGBColor(c.red(), c.green(), c.blue());
    }
    return FColor;
}

void TCustomImage32::SetColor(TColor value)
{
    if (!FParentColor && value == FColor) return;
    FColor = value;
    FParentColor = false;
    Changed();
}

void TCustomImage32::SetParentColor(bool value)
{
    if (value == FParentColor) return;
    FParentColor = value;
    Changed();
}

void TCustomImage32::SetOffsetHorz(float value)
{
    if (value == FOffsetHorz) return;
    FOffsetHorz = value;
    InvalidateBitmapRect();
    Changed();
}

void TCustomImage32::SetOffsetVert(float value)
{
    if (value == FOffsetVert) return;
    FOffsetVert = value;
    InvalidateBitmapRect();
    Changed();
}

void TCustomImage32::SetTabStop(bool value)
{
    FTabStop = value;
    setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}

void TCustomImage32::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TCustomImage32::Changed()
{
    if (FUpdateCount != 0) return;
    Invalidate();
    if (OnChange) OnChange(this);
}

QSize TCustomImage32::AutoSizeFromBitmap() const
{
    int w = FBitmap.Width(), h = FBitmap.Height();
    if (FScaleMode == smScale) {
        w = RoundEven(double(w) * double(FScale));
        h = RoundEven(double(h) * double(FScale));
    }
    return QSize(w, h);
}

void TCustomImage32::HandleBitmapResize()
{
    if (FAutoSize) {
        const QSize s = AutoSizeFromBitmap();
        if (s.width() > 0 && s.height() > 0) resize(s);
    }
    InvalidateBitmapRect();
    Invalidate();
}

QSize TCustomImage32::sizeHint() const
{
    if (FBitmap.Empty()) return TCustomPaintBox32::sizeHint();
    return AutoSizeFromBitmap();
}

QSize TCustomImage32::ComputeBitmapSize() const
{
    const int W = width(), H = height();
    if (FBitmap.Empty() || W == 0 || H == 0) return QSize(0, 0);
    const int bw = FBitmap.Width(), bh = FBitmap.Height();
    int w = 0, h = 0;
    switch (FScaleMode) {
    case smNormal: w = bw; h = bh; break;
    case smStretch: w = W; h = H; break;
    case smScale:
        w = RoundEven(double(bw) * double(FScale));
        h = RoundEven(double(bh) * double(FScale));
        break;
    case smResize: {
        // The factors are held in single precision, as the drawing depends on them.
        const float sx = float(W) / float(bw), sy = float(H) / float(bh);
        if (sx >= sy) { w = RoundEven(double(bw) * double(sy)); h = H; }
        else { w = W; h = RoundEven(double(sx) * double(bh)); }
        break;
    }
    }
    return QSize(std::max(0, w), std::max(0, h));
}

TVrRect TCustomImage32::ComputeBitmapRect() const
{
    if (FBitmap.Empty()) return TVrRect();
    const QSize s = ComputeBitmapSize();
    TVrRect r(0, 0, s.width(), s.height());
    switch (FBitmapAlign) {
    case baCenter: r.Offset((width() - s.width()) / 2, (height() - s.height()) / 2); break;
    case baCustom: r.Offset(RoundEven(FOffsetHorz), RoundEven(FOffsetVert)); break;
    default: break;
    }
    return r;
}

TVrRect TCustomImage32::GetBitmapRect()
{
    if (!FBitmapRectValid) {
        FBitmapRect = ComputeBitmapRect();
        FBitmapRectValid = true;
    }
    return FBitmapRect;
}

void TCustomImage32::DoPaintBuffer()
{
    TBitmap32 &buffer = Buffer();
    GetBitmapRect();
    for (size_t i = 0; i < FPaintStages.size(); ++i) {
        const TPaintStage &stage = FPaintStages[i];
        if (!stage.RunTime) continue;
        switch (stage.Stage) {
        case PST_CUSTOM: ExecCustom(buffer, int(i)); break;
        case PST_CLEAR_BUFFER: buffer.Image().fill(ToQColor(Color())); break;
        case PST_CLEAR_BACKGND: ExecClearBackgnd(buffer); break;
        case PST_DRAW_BITMAP: ExecDrawBitmap(buffer); break;
        default: break;  // layers (none here) and design-time frames
        }
    }
}

void TCustomImage32::ExecClearBackgnd(TBitmap32 &dest)
{
    QImage &img = dest.Image();
    const QColor c = ToQColor(Color());
    const TVrRect r = FBitmapRect;
    if (FBitmap.Empty() || FBitmap.DrawMode() != dmOpaque || r.IsEmpty()) {
        img.fill(c);
        return;
    }
    const int W = width(), H = height();
    if (!(r.Left > 0 || r.Right < W || r.Top > 0 || (FBitmapAlign != baTile && r.Bottom < H))) return;
    QPainter p(&img);
    const TVrRect bands[4] = {
        {0, 0, W, r.Top}, {0, r.Bottom, W, H}, {0, r.Top, r.Left, r.Bottom}, {r.Right, r.Top, W, r.Bottom}};
    for (const TVrRect &b : bands)
        if (!b.IsEmpty()) p.fillRect(b.ToQRect(), c);
}

void TCustomImage32::ExecDrawBitmap(TBitmap32 &dest)
{
    const TVrRect r = FBitmapRect;
    if (FBitmap.Empty() || r.IsEmpty()) return;
    QImage &img = dest.Image();
    const QRect clip(0, 0, width(), height());
    FBitmap.Lock();
    if (FBitmapAlign == baTile) {
        const int cols = img.width() / r.Width(), rows = img.height() / r.Height();
        for (int cx = 0; cx <= cols; ++cx)
            for (int cy = 0; cy <= rows; ++cy)
                StretchDraw(img, clip, TVrRect(cx * r.Width(), cy * r.Height(), (cx + 1) * r.Width(), (cy + 1) * r.Height()), FBitmap);
    } else {
        StretchDraw(img, clip, r, FBitmap);
    }
    FBitmap.Unlock();
}

void TCustomImage32::ExecCustom(TBitmap32 &dest, int stageNum)
{
    if (OnPaintStage) OnPaintStage(this, dest, stageNum);
}

void TCustomImage32::resizeEvent(QResizeEvent *event)
{
    TCustomPaintBox32::resizeEvent(event);
    InvalidateBitmapRect();
}

void TCustomImage32::changeEvent(QEvent *event)
{
    TCustomPaintBox32::changeEvent(event);
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::ApplicationPaletteChange)
        Invalidate();
}

void TCustomImage32::MouseDown(QMouseEvent *event)
{
    if (FTabStop && focusPolicy() != Qt::NoFocus && isEnabled()) setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y(), nullptr);
}

void TCustomImage32::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) FClicked = true;
    MouseDown(event);
}

void TCustomImage32::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a mouse-down only; it adds no click.
    MouseDown(event);
}

void TCustomImage32::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (OnMouseMove) OnMouseMove(this, event->modifiers(), pos.x(), pos.y(), nullptr);
}

void TCustomImage32::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && FClicked) {
        FClicked = false;
        if (rect().contains(pos)) Click();
    }
    if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y(), nullptr);
}

void TCustomImage32::Click()
{
    if (OnClick) OnClick(this);
}
