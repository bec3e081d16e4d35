#pragma once
#include "widgets/VrTypes.h"
#include <QLabel>

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
enum TStyleKind { skRaised, skLowered, skShadow, skNone, skCustom };

// A label that draws its caption twice: a shadow copy offset by ShadowSize in
// ShadowColor, then the caption in the font colour. Named styles set the shadow.
class TQuelLabel : public QLabel {
    Q_OBJECT
public:
    explicit TQuelLabel(QWidget *parent = nullptr);

    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    TShadowPosition ShadowPos() const { return FShadowPos; }
    void SetShadowPos(TShadowPosition value);
    int ShadowSize() const { return FShadowSize; }
    void SetShadowSize(quint8 value);
    TStyleKind StyleKind() const { return FStyleKind; }
    void SetStyleKind(TStyleKind value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    // The font colour (the palette's window text colour).
    QColor FontColor() const;
    void SetFontColor(const QColor &value);

    QSize sizeHint() const override;

    std::function<void(QObject *Sender)> OnClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The standard click: raises OnClick.
    virtual void Click();

private:
    void DrawCaption(QPainter &p, const QRect &r, const QColor &c);

    TColor FShadowColor = clBtnHighlight;
    TShadowPosition FShadowPos = spRightBottom;
    int FShadowSize = 1;
    TStyleKind FStyleKind = skLowered;
    bool FAutoSize = false;
    bool FPressed = false;
};
