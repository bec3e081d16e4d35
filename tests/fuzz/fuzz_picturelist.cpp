// The gallery's picture list: any bytes as the list, and the picture file of every item
// of the gallery, which must be a JPEG file named inside the pictures folder or a refusal.
#include "FuzzSupport.h"
#include "app/Errors.h"
#include "pictures/TGalleryItems.h"
#include "pictures/TPictureList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = TPictureList::Parse(bytes);
    // One line more than there are line breaks, none holding a break.
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) ++breaks;
    FUZZ_CHECK(lines.size() == breaks + 1);
    for (const QString &line : lines) FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    const QString folder = QStringLiteral("/book/datas/pix/");
    // The gallery's items, and one on either side of them.
    static const int items = int(TGalleryItems::Items().size());
    for (int item = -1; item <= items; ++item) {
        QString file;
        try {
            file = TPictureList::PictureFile(lines, item, folder, QStringLiteral("/book/datas/pix/pix.txt"));
        } catch (const EFileError &e) {
            FUZZ_CHECK(e.Message().contains(QStringLiteral("pix.txt")));
            continue;
        }
        FUZZ_CHECK(item >= 0 && item < lines.size());
        FUZZ_CHECK(file == folder + lines[item] + QStringLiteral(".jpg"));
        const QString name = file.mid(folder.size());
        FUZZ_CHECK(!name.contains(u'/') && !name.contains(QChar(0)));
    }
    return 0;
}
