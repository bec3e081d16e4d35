#pragma once
#include "widgets/VrTypes.h"
#include <QCoreApplication>
#include <QImage>
#include <QRecursiveMutex>
#include <functional>

enum TDrawMode { dmOpaque, dmBlend, dmCustom };
enum TStretchFilter { sfNearest, sfLinear, sfSpline, sfLanczos, sfMitchell };

// A 32-bit bitmap (alpha, red, green, blue from the high byte down) with the settings
// that say how it is drawn, telling its owner when its size or its pixels change.
class TBitmap32 {
    Q_DECLARE_TR_FUNCTIONS(TBitmap32)

public:
    TBitmap32() = default;
    TBitmap32(const TBitmap32 &) = delete;
    TBitmap32 &operator=(const TBitmap32 &) = delete;

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    bool Empty() const { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }
    const QImage &Image() const { return FImage; }
    QImage &Image() { return FImage; }

    // Sets the size (contents undefined); raises OnResize when it changes.
    void SetSize(int width, int height);
    // Takes a copy of `image` as the bitmap's pixels, every alpha 255.
    void SetImage(const QImage &image);
    // Copies pixels and draw settings of `source`.
    void Assign(const TBitmap32 &source);
    // Loads a picture file: JPEG through libjpeg, other formats through Qt's image reader,
    // chosen by the file's extension. On failure raises EFileError and keeps the old pixels.
    void LoadFromFile(const QString &path);
    void Clear(TColor color);

    TDrawMode DrawMode() const { return FDrawMode; }
    void SetDrawMode(TDrawMode value);
    int MasterAlpha() const { return FMasterAlpha; }
    void SetMasterAlpha(int value);
    QRgb OuterColor() const { return FOuterColor; }
    void SetOuterColor(QRgb value) { FOuterColor = value; }
    TStretchFilter StretchFilter() const { return FStretchFilter; }
    void SetStretchFilter(TStretchFilter value);

    // Raises OnChange: the pixels changed.
    void Changed();

    void Lock() { FLock.lock(); }
    void Unlock() { FLock.unlock(); }

    std::function<void(TBitmap32 *Sender)> OnResize;
    std::function<void(TBitmap32 *Sender)> OnChange;

private:
    void Resized();

    QImage FImage;
    TDrawMode FDrawMode = dmOpaque;
    int FMasterAlpha = 255;
    QRgb FOuterColor = 0;
    TStretchFilter FStretchFilter = sfNearest;
    QRecursiveMutex FLock;
};
