#pragma once
#include "widgets/TCustomPaintBox32.h"
#include "widgets/VrTypes.h"
#include <functional>
#include <vector>

enum TBitmapAlign { baTopLeft, baCenter, baTile, baCustom };
enum TScaleMode { smNormal, smStretch, smScale, smResize };

// Paint stages of the image view.
enum {
    PST_CUSTOM = 1, PST_CLEAR_BUFFER, PST_CLEAR_BACKGND, PST_DRAW_BITMAP, PST_DRAW_LAYERS,
    PST_CONTROL_FRAME, PST_BITMAP_FRAME
};
struct TPaintStage {
    bool DsgnTime = false;
    bool RunTime = true;
    int Stage = PST_CUSTOM;
    int Parameter = 0;
};

// Shows one 32-bit bitmap placed by BitmapAlign and scaled by ScaleMode/Scale,
// composed in the paint buffer by a list of paint stages.
class TCustomImage32 : public TCustomPaintBox32 {
    Q_OBJECT
public:
    explicit TCustomImage32(QWidget *parent = nullptr);

    TBitmap32 &Bitmap() { return FBitmap; }
    void SetBitmap(const TBitmap32 &value) { FBitmap.Assign(value); }
    TBitmapAlign BitmapAlign() const { return FBitmapAlign; }
    void SetBitmapAlign(TBitmapAlign value);
    float Scale() const { return FScale; }
    void SetScale(float value);
    TScaleMode ScaleMode() const { return FScaleMode; }
    void SetScaleMode(TScaleMode value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // Background around the bitmap; while ParentColor is set, the parent's background.
    TColor Color() const;
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    float OffsetHorz() const { return FOffsetHorz; }
    void SetOffsetHorz(float value);
    float OffsetVert() const { return FOffsetVert; }
    void SetOffsetVert(float value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    std::vector<TPaintStage> &PaintStages() { return FPaintStages; }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    virtual void Changed();

    // Displayed size of the bitmap, and the rectangle it is drawn in.
    QSize ComputeBitmapSize() const;
    TVrRect ComputeBitmapRect() const;
    TVrRect GetBitmapRect();

    QSize sizeHint() const override;

    std::function<void(QObject *Sender)> OnChange;
    std::function<void(QObject *Sender)> OnClick;
    std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Layer)> OnMouseDown;
    std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Layer)> OnMouseUp;
    std::function<void(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Layer)> OnMouseMove;
    std::function<void(QObject *Sender, TBitmap32 &Buffer, int StageNum)> OnPaintStage;

protected:
    virtual void HandleBitmapResize();
    virtual void InitDefaultStages();
    void DoPaintBuffer() override;
    virtual void ExecClearBackgnd(TBitmap32 &dest);
    virtual void ExecDrawBitmap(TBitmap32 &dest);
    virtual void ExecCustom(TBitmap32 &dest, int stageNum);
    virtual void Click();
    void InvalidateBitmapRect() { FBitmapRectValid = false; }

    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void MouseDown(QMouseEvent *event);
    QSize AutoSizeFromBitmap() const;

    TBitmap32 FBitmap;
    TBitmapAlign FBitmapAlign = baTopLeft;
    float FScale = 1.0f;
    TScaleMode FScaleMode = smNormal;
    bool FAutoSize = false;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    float FOffsetHorz = 0;
    float FOffsetVert = 0;
    bool FTabStop = false;
    int FUpdateCount = 0;
    TVrRect FBitmapRect;
    bool FBitmapRectValid = false;
    bool FClicked = false;
    std::vector<TPaintStage> FPaintStages;
};
