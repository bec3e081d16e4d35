#include "widgets/TBitmap32.h"
#include "app/Errors.h"
#include "widgets/TJpegReader.h"
#include "widgets/VrDraw.h"
#include <QFileInfo>
#include <QImageReader>

namespace {
QImage Opaque(const QImage &image)
{
    // RGB32 keeps 0xFF in the alpha byte, so the pixels read as ARGB with alpha 255.
    QImage img = image.convertToFormat(QImage::Format_RGB32);
    img.reinterpretAsFormat(QImage::Format_ARGB32);
    return img;
}
}

void TBitmap32::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height() && !FImage.isNull()) return;
    FImage = (width > 0 && height > 0) ? QImage(width, height, QImage::Format_ARGB32) : QImage();
    Resized();
}

void TBitmap32::SetImage(const QImage &image)
{
    FImage = image.isNull() ? QImage() : Opaque(image);
    Resized();
    Changed();
}

void TBitmap32::Assign(const TBitmap32 &source)
{
    if (&source == this) return;
    FImage = source.FImage;
    FDrawMode = source.FDrawMode;
    FMasterAlpha = source.FMasterAlpha;
    FOuterColor = source.FOuterColor;
    FStretchFilter = source.FStretchFilter;
    Resized();
    Changed();
}

void TBitmap32::LoadFromFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) throw EFileError(tr("The picture file \"%1\" does not exist.").arg(path));
    if (!info.isFile()) throw EFileError(tr("\"%1\" is not a picture file.").arg(path));
    const QString ext = info.suffix().toLower();
    QImage picture;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("jpe")
        || ext == QLatin1String("jfif")) {
        picture = TJpegReader::LoadFromFile(path);
    } else {
        if (ext.isEmpty() || !QImageReader::supportedImageFormats().contains(ext.toLatin1()))
            throw EFileError(tr("Cannot read the picture \"%1\": unknown picture file extension.").arg(path));
        QImageReader reader(path, ext.toLatin1());
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() > TJpegReader::MaxPixels)
            throw EFileError(tr("Cannot read the picture \"%1\": %2 x %3 pixels is too large.")
                                 .arg(path).arg(size.width()).arg(size.height()));
        if (!reader.read(&picture) || picture.isNull())
            throw EFileError(tr("Cannot read the picture \"%1\": %2.").arg(path, reader.errorString()));
    }
    SetImage(picture);
}

void TBitmap32::Clear(TColor color)
{
    if (FImage.isNull()) return;
    FImage.fill(ToQColor(color));
    Changed();
}

void TBitmap32::SetDrawMode(TDrawMode value)
{
    if (value == FDrawMode) return;
    FDrawMode = value;
    Changed();
}

void TBitmap32::SetMasterAlpha(int value)
{
    if (value == FMasterAlpha) return;
    FMasterAlpha = value;
    Changed();
}

void TBitmap32::SetStretchFilter(TStretchFilter value)
{
    if (value == FStretchFilter) return;
    FStretchFilter = value;
    Changed();
}

void TBitmap32::Changed()
{
    if (OnChange) OnChange(this);
}

void TBitmap32::Resized()
{
    if (OnResize) OnResize(this);
}
