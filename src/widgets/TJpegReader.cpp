#include "widgets/TJpegReader.h"
#include "app/Errors.h"
#include "app/RegularFile.h"
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<TJpegError *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (level -1) mean damaged data, for instance a premature end of the file:
// they are counted and the picture is refused. Trace messages are dropped.
void EmitMessage(j_common_ptr cinfo, int level)
{
    auto *err = reinterpret_cast<TJpegError *>(cinfo->err);
    if (level >= 0) return;
    if (err->warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->message);
}

// why is libjpeg's own message, or one of ours marked for translation.
QString Damaged(const QString &name, const char *why)
{
    return TJpegReader::tr("Cannot read the picture \"%1\": %2.").arg(name, QCoreApplication::translate("TJpegReader", why));
}

} // namespace

QImage TJpegReader::LoadFromFile(const QString &path)
{
    return Decode(TRegularFile::ReadAll(path), path);
}

QImage TJpegReader::Decode(const QByteArray &data, const QString &name, qint64 maxPixels)
{
    // Everything that lives across setjmp is declared before it.
    jpeg_decompress_struct cinfo;
    TJpegError err;
    QImage image;
    bool tooLarge = false;
    err.warnings = 0;
    err.message[0] = 0;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = EmitMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        throw EFileError(Damaged(name, err.message));
    }
    jpeg_create_decompress(&cinfo);
    if (data.isEmpty()) {
        jpeg_destroy_decompress(&cinfo);
        throw EFileError(Damaged(name, QT_TRANSLATE_NOOP("TJpegReader", "the file is empty")));
    }
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (qint64(cinfo.image_width) * qint64(cinfo.image_height) > maxPixels) tooLarge = true;
    if (!tooLarge) {
        const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
#if defined(JCS_EXTENSIONS) && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
        const bool direct = !cmyk;
#else
        cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
        const bool direct = false;
#endif
        jpeg_start_decompress(&cinfo);
        const int w = int(cinfo.output_width), h = int(cinfo.output_height);
        image = QImage(w, h, QImage::Format_ARGB32);
        if (image.isNull()) tooLarge = true;
        else {
            JSAMPARRAY row = direct ? nullptr
                : (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                             cinfo.output_width * cinfo.output_components, 1);
            while (cinfo.output_scanline < cinfo.output_height) {
                const int y = int(cinfo.output_scanline);
                QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
                if (direct) {
                    JSAMPROW target = reinterpret_cast<JSAMPROW>(line);
                    jpeg_read_scanlines(&cinfo, &target, 1);
                    continue;
                }
                jpeg_read_scanlines(&cinfo, row, 1);
                const JSAMPLE *s = row[0];
                for (int x = 0; x < w; ++x) {
                    if (cmyk) {
                        // Pictures in CMYK are stored inverted by the programs that write them.
                        const int c = s[4 * x], m = s[4 * x + 1], ye = s[4 * x + 2], k = s[4 * x + 3];
                        line[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
                    } else {
                        line[x] = qRgb(s[3 * x], s[3 * x + 1], s[3 * x + 2]);
                    }
                }
            }
            jpeg_finish_decompress(&cinfo);
        }
    }
    const unsigned int width = cinfo.image_width, height = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    if (tooLarge)
        throw EFileError(tr("Cannot read the picture \"%1\": %2 x %3 pixels is too large.")
                             .arg(name).arg(width).arg(height));
    if (err.warnings > 0) throw EFileError(Damaged(name, err.message));
    return image;
}
