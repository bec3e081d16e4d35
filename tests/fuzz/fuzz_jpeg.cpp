// The JPEG reader on any bytes: truncated and damaged pictures, huge dimensions,
// progressive and CMYK pictures, data that only draws warnings. A picture is either
// refused with a message naming the file or decoded whole into opaque 32-bit pixels.
#include "FuzzSupport.h"
#include "app/Errors.h"
#include "widgets/TJpegReader.h"
#include <QImage>

namespace {
// Small enough that every input decodes in well under a millisecond (a few header bytes
// can claim a picture of the limit's size, which is then decoded whole); the limit's own
// check is the same whatever its value.
constexpr qint64 FuzzMaxPixels = 512 * 512;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QImage image;
    try {
        image = TJpegReader::Decode(bytes, QStringLiteral("picture.jpg"), FuzzMaxPixels);
    } catch (const EFileError &e) {
        FUZZ_CHECK(e.Message().contains(QStringLiteral("picture.jpg")));
        return 0;
    }
    FUZZ_CHECK(!image.isNull());
    FUZZ_CHECK(image.format() == QImage::Format_ARGB32);
    FUZZ_CHECK(qint64(image.width()) * image.height() <= FuzzMaxPixels);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) FUZZ_CHECK(qAlpha(line[x]) == 255);
    }
    return 0;
}
