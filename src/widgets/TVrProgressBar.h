#pragma once
#include "widgets/TVrBevel.h"
#include "widgets/TVrGraphicImageControl.h"
#include <QImage>

enum TVrProgressBarFill { pfPlain, pfGradient, pfBitmap };

// A progress bar in blocks or as one smooth bar, filled with a gradient, a plain colour
// or a tiled bitmap, inside a bevel. The fill is kept between paints and only revealed.
class TVrProgressBar : public TVrGraphicImageControl {
    Q_OBJECT
public:
    explicit TVrProgressBar(QWidget *parent = nullptr);
    // The look of the windows' progress bars: a lowered outer ring and one smooth bar
    // in the tooltip colour, from 0.
    void SetFormStyle();

    TVrBevel &Bevel() { return FBevel; }
    void SetBevel(const TVrBevel &value) { FBevel.Assign(value); }
    int MinValue() const { return FMinValue; }
    void SetMinValue(int value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    TColor StartColor() const { return FStartColor; }
    void SetStartColor(TColor value);
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool value);
    TVrOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TVrOrientation value);
    TVrProgressBarFill FillType() const { return FFillType; }
    void SetFillType(TVrProgressBarFill value);
    const QImage &Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage &value);
    // A horizontal bar filled from its right end, as a right-to-left reader goes.
    bool FromRight() const { return FFromRight; }
    void SetFromRight(bool value);

    // Share of the range covered by Position, 0..100.
    int Percent() const;
    // The area inside the bevel, as of the last paint.
    TVrRect BarArea() const { return FBarArea; }

    std::function<void(QObject *Sender)> OnChange;

protected:
    void Paint(QPainter &canvas) override;
    void ColorChanged() override;
    virtual void Changed();

private:
    void BuildFillImage();
    void FillChanged();

    TVrBevel FBevel;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FPosition = 100;
    TColor FStartColor = clNavy;
    TColor FEndColor = clAqua;
    bool FSmooth = false;
    bool FFromRight = false;
    TVrOrientation FOrientation = voHorizontal;
    TVrProgressBarFill FFillType = pfGradient;
    QImage FBitmap;
    TVrRect FBarArea;
    QImage FFillImage;
    bool FFillDirty = true;
};
