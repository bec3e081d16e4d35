#pragma once
#include "widgets/TVrPersistent.h"
#include "widgets/VrTypes.h"

class QPainter;

// The frame description shared by the widgets: an outer border, an outer and an inner
// 3-D ring with optional black outlines, and two plain rings.
class TVrBevel : public TVrPersistent {
public:
    void Assign(const TVrBevel &source);

    int BorderWidth() const { return FBorderWidth; }
    TColor BorderColor() const { return FBorderColor; }
    TColor InnerShadow() const { return FInnerShadow; }
    TColor InnerHighlight() const { return FInnerHighlight; }
    int InnerWidth() const { return FInnerWidth; }
    TVrBevelStyle InnerStyle() const { return FInnerStyle; }
    TVrBevelOutlineStyle InnerOutline() const { return FInnerOutline; }
    int InnerSpace() const { return FInnerSpace; }
    TColor InnerColor() const { return FInnerColor; }
    TColor OuterShadow() const { return FOuterShadow; }
    TColor OuterHighlight() const { return FOuterHighlight; }
    int OuterWidth() const { return FOuterWidth; }
    TVrBevelStyle OuterStyle() const { return FOuterStyle; }
    TVrBevelOutlineStyle OuterOutline() const { return FOuterOutline; }
    int OuterSpace() const { return FOuterSpace; }
    TColor OuterColor() const { return FOuterColor; }
    bool Visible() const { return FVisible; }

    void SetBorderWidth(int v) { Set(FBorderWidth, v); }
    void SetBorderColor(TColor v) { Set(FBorderColor, v); }
    void SetInnerShadow(TColor v) { Set(FInnerShadow, v); }
    void SetInnerHighlight(TColor v) { Set(FInnerHighlight, v); }
    void SetInnerWidth(int v) { Set(FInnerWidth, v); }
    void SetInnerStyle(TVrBevelStyle v) { Set(FInnerStyle, v); }
    void SetInnerOutline(TVrBevelOutlineStyle v) { Set(FInnerOutline, v); }
    void SetInnerSpace(int v) { Set(FInnerSpace, v); }
    void SetInnerColor(TColor v) { Set(FInnerColor, v); }
    void SetOuterShadow(TColor v) { Set(FOuterShadow, v); }
    void SetOuterHighlight(TColor v) { Set(FOuterHighlight, v); }
    void SetOuterWidth(int v) { Set(FOuterWidth, v); }
    void SetOuterStyle(TVrBevelStyle v) { Set(FOuterStyle, v); }
    void SetOuterOutline(TVrBevelOutlineStyle v) { Set(FOuterOutline, v); }
    void SetOuterSpace(int v) { Set(FOuterSpace, v); }
    void SetOuterColor(TColor v) { Set(FOuterColor, v); }
    void SetVisible(bool v) { Set(FVisible, v); }

    // Total width of all rings; 0 when hidden.
    int BevelWidth() const;
    // Paints the rings from the outside in; `r` comes back as the area inside them.
    void PaintBevel(QPainter &p, TVrRect &r) const;

private:
    template <class T> void Set(T &field, T value)
    {
        if (field == value) return;
        field = value;
        Changed();
    }

    int FBorderWidth = 0;
    TColor FBorderColor = clBtnFace;
    TColor FInnerShadow = clBtnShadow;
    TColor FInnerHighlight = clBtnHighlight;
    int FInnerWidth = 1;
    TVrBevelStyle FInnerStyle = bsLowered;
    TVrBevelOutlineStyle FInnerOutline = osNone;
    int FInnerSpace = 1;
    TColor FInnerColor = clBtnFace;
    TColor FOuterShadow = clBtnShadow;
    TColor FOuterHighlight = clBtnHighlight;
    int FOuterWidth = 1;
    TVrBevelStyle FOuterStyle = bsRaised;
    TVrBevelOutlineStyle FOuterOutline = osOuter;
    int FOuterSpace = 0;
    TColor FOuterColor = clBtnFace;
    bool FVisible = true;
};
