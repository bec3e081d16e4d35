#include "widgets/TVrBevel.h"
#include "widgets/VrDraw.h"

void TVrBevel::Assign(const TVrBevel &source)
{
    if (&source == this) return;
    BeginUpdate();
    SetBorderWidth(source.FBorderWidth);
    SetBorderColor(source.FBorderColor);
    SetInnerShadow(source.FInnerShadow);
    SetInnerHighlight(source.FInnerHighlight);
    SetInnerWidth(source.FInnerWidth);
    SetInnerStyle(source.FInnerStyle);
    SetInnerOutline(source.FInnerOutline);
    SetInnerSpace(source.FInnerSpace);
    SetInnerColor(source.FInnerColor);
    SetOuterShadow(source.FOuterShadow);
    SetOuterHighlight(source.FOuterHighlight);
    SetOuterWidth(source.FOuterWidth);
    SetOuterStyle(source.FOuterStyle);
    SetOuterOutline(source.FOuterOutline);
    SetOuterSpace(source.FOuterSpace);
    SetOuterColor(source.FOuterColor);
    SetVisible(source.FVisible);
    EndUpdate();
}

int TVrBevel::BevelWidth() const
{
    if (!FVisible) return 0;
    int w = FBorderWidth + FInnerSpace + FOuterSpace;
    if (FInnerOutline != osNone) ++w;
    if (FOuterOutline != osNone) ++w;
    if (FInnerStyle != bsNone) w += FInnerWidth;
    if (FOuterStyle != bsNone) w += FOuterWidth;
    return w;
}

void TVrBevel::PaintBevel(QPainter &p, TVrRect &r) const
{
    if (!FVisible) return;
    auto styled = [&](TVrBevelStyle style, TColor shadow, TColor highlight, int width) {
        if (style == bsLowered) DrawFrame3D(p, r, shadow, highlight, width);
        else if (style == bsRaised) DrawFrame3D(p, r, highlight, shadow, width);
    };
    if (FBorderWidth > 0) DrawFrame3D(p, r, FBorderColor, FBorderColor, FBorderWidth);
    if (FOuterOutline == osOuter) DrawFrame3D(p, r, clBlack, clBlack, 1);
    styled(FOuterStyle, FOuterShadow, FOuterHighlight, FOuterWidth);
    if (FOuterOutline == osInner) DrawFrame3D(p, r, clBlack, clBlack, 1);
    DrawFrame3D(p, r, FOuterColor, FOuterColor, FOuterSpace);
    if (FInnerOutline == osOuter) DrawFrame3D(p, r, clBlack, clBlack, 1);
    styled(FInnerStyle, FInnerShadow, FInnerHighlight, FInnerWidth);
    if (FInnerOutline == osInner) DrawFrame3D(p, r, clBlack, clBlack, 1);
    DrawFrame3D(p, r, FInnerColor, FInnerColor, FInnerSpace);
}
