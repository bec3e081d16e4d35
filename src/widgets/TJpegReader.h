#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

// Decodes JPEG pictures with libjpeg into 32-bit images (alpha 255).
// A damaged, truncated or oversized picture raises EFileError naming the file;
// nothing is returned half-decoded.
class TJpegReader {
    Q_DECLARE_TR_FUNCTIONS(TJpegReader)

public:
    // Largest picture accepted, in pixels (a 4-byte pixel each once decoded).
    static constexpr qint64 MaxPixels = 50'000'000;

    static QImage LoadFromFile(const QString &path);
    // `name` is the file named in error messages; a picture above maxPixels is refused.
    static QImage Decode(const QByteArray &data, const QString &name, qint64 maxPixels = MaxPixels);
};
