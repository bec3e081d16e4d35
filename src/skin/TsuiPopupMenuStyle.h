#pragma once
#include "skin/TsuiUIStyle.h"
#include <QColor>
#include <QPixmap>
#include <QProxyStyle>

class TsuiFileTheme;

// Measures and draws the items of a skinned pop-up menu from a theme: a coloured bar
// on the left, the item background, selection fill and frame, separators, check marks.
class TsuiPopupMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    TsuiPopupMenuStyle();

    void SetTheme(TsuiUIStyle style, TsuiFileTheme *fileTheme);

    QColor BarColor;
    QColor Color;
    QColor FontColor;
    QColor SelectedBorderColor;
    QColor SelectedColor;
    QColor SelectedFontColor;
    QColor SeparatorColor = QColor(132, 130, 132);
    int BarWidth = 26;
    int ItemHeight = 21;
    int SeparatorHeight = 5;
    // Item backgrounds under MacOS (empty otherwise).
    QPixmap SelectedBackground;
    QPixmap ItemBackground;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
