#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The gallery's picture list "pix.txt": 8-bit text in windows-1256 (no byte-order mark is
// recognised), one line per gallery item, each line the base name of the item's JPEG file
// in the list's folder. A line ends at CR LF, a lone CR or a lone LF.
class TPictureList {
    Q_DECLARE_TR_FUNCTIONS(TPictureList)

public:
    static QStringList Parse(const QByteArray &bytes);
    // The lines of the list file; a list that cannot be read gives no lines, so the gallery
    // stays usable and each picture reports what is missing when it is asked for.
    static QStringList Load(const QString &path);
    // pixFolder + line item + ".jpg". Raises EFileError naming the list when it has no such
    // line, or when the line is not a base name (a folder separator or a control character
    // would lead the picture elsewhere, or cut the name short).
    static QString PictureFile(const QStringList &lines, int item, const QString &pixFolder, const QString &listPath);
};
