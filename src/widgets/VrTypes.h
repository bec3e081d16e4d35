#pragma once
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QtGlobal>

// Colours of the widget family: red in bits 0..7, green 8..15, blue 16..23.
// A value with the top bit set names a system colour by its low byte.
using TColor = quint32;

constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr bool IsSystemColor(TColor c) { return (c & 0x80000000u) != 0; }

constexpr TColor clBlack = RGBColor(0, 0, 0);
constexpr TColor clMaroon = RGBColor(128, 0, 0);
constexpr TColor clGreen = RGBColor(0, 128, 0);
constexpr TColor clOlive = RGBColor(128, 128, 0);
constexpr TColor clNavy = RGBColor(0, 0, 128);
constexpr TColor clPurple = RGBColor(128, 0, 128);
constexpr TColor clTeal = RGBColor(0, 128, 128);
constexpr TColor clGray = RGBColor(128, 128, 128);
constexpr TColor clSilver = RGBColor(192, 192, 192);
constexpr TColor clRed = RGBColor(255, 0, 0);
constexpr TColor clLime = RGBColor(0, 255, 0);
constexpr TColor clYellow = RGBColor(255, 255, 0);
constexpr TColor clBlue = RGBColor(0, 0, 255);
constexpr TColor clFuchsia = RGBColor(255, 0, 255);
constexpr TColor clAqua = RGBColor(0, 255, 255);
constexpr TColor clWhite = RGBColor(255, 255, 255);

// System colours, numbered as the desktop's colour table.
constexpr TColor clScrollBar = 0x80000000u;
constexpr TColor clBackground = 0x80000001u;
constexpr TColor clActiveCaption = 0x80000002u;
constexpr TColor clInactiveCaption = 0x80000003u;
constexpr TColor clMenu = 0x80000004u;
constexpr TColor clWindow = 0x80000005u;
constexpr TColor clWindowFrame = 0x80000006u;
constexpr TColor clMenuText = 0x80000007u;
constexpr TColor clWindowText = 0x80000008u;
constexpr TColor clCaptionText = 0x80000009u;
constexpr TColor clActiveBorder = 0x8000000Au;
constexpr TColor clInactiveBorder = 0x8000000Bu;
constexpr TColor clAppWorkSpace = 0x8000000Cu;
constexpr TColor clHighlight = 0x8000000Du;
constexpr TColor clHighlightText = 0x8000000Eu;
constexpr TColor clBtnFace = 0x8000000Fu;
constexpr TColor clBtnShadow = 0x80000010u;
constexpr TColor clGrayText = 0x80000011u;
constexpr TColor clBtnText = 0x80000012u;
constexpr TColor clInactiveCaptionText = 0x80000013u;
constexpr TColor clBtnHighlight = 0x80000014u;
constexpr TColor cl3DDkShadow = 0x80000015u;
constexpr TColor cl3DLight = 0x80000016u;
constexpr TColor clInfoText = 0x80000017u;
constexpr TColor clInfoBk = 0x80000018u;

// A rectangle whose right and bottom edges lie just outside it (Right = Left + width).
struct TVrRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr TVrRect() = default;
    constexpr TVrRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    static TVrRect FromQRect(const QRect &r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(QPoint p) const { return p.x() >= Left && p.x() < Right && p.y() >= Top && p.y() < Bottom; }
    void Inflate(int dx, int dy) { Left -= dx; Top -= dy; Right += dx; Bottom += dy; }
    void Offset(int dx, int dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
    bool operator==(const TVrRect &) const = default;
};

enum TVrOrientation { voVertical, voHorizontal };
enum TVrBevelStyle { bsNone, bsLowered, bsRaised };
enum TVrBevelOutlineStyle { osNone, osOuter, osInner };
