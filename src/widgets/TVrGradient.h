#pragma once
#include "widgets/TVrGraphicImageControl.h"

enum TVrGradDirection { gdUpDown, gdUpDownHalf, gdLeftRight, gdLeftRightHalf, gdChord1, gdChord2 };

// A panel painted with a two-colour gradient in bands. With FormDrag, dragging it moves its window.
class TVrCustomGradient : public TVrGraphicImageControl {
    Q_OBJECT
public:
    explicit TVrCustomGradient(QWidget *parent = nullptr);

    TColor StartColor() const { return FStartColor; }
    void SetStartColor(TColor value);
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor value);
    int ColorWidth() const { return FColorWidth; }
    void SetColorWidth(int value);
    TVrGradDirection Direction() const { return FDirection; }
    void SetDirection(TVrGradDirection value);
    bool SwapColors() const { return FSwapColors; }
    void SetSwapColors(bool value);
    bool FormDrag() const { return FFormDrag; }
    void SetFormDrag(bool value) { FFormDrag = value; }

protected:
    void Paint(QPainter &canvas) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    TColor FStartColor = clLime;
    TColor FEndColor = clBlack;
    int FColorWidth = 1;
    TVrGradDirection FDirection = gdUpDown;
    bool FSwapColors = false;
    bool FFormDrag = false;
};

class TVrGradient : public TVrCustomGradient {
    Q_OBJECT
public:
    using TVrCustomGradient::TVrCustomGradient;
};
