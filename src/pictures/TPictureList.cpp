#include "pictures/TPictureList.h"
#include "app/Errors.h"
#include "app/RegularFile.h"
#include "app/TextCodec.h"
#include <vector>

QStringList TPictureList::Parse(const QByteArray &bytes)
{
    return TTextCodec::NormalizeLineBreaks(TTextCodec::DecodeWindows1256(bytes.constData(), bytes.size()))
        .split(QStringLiteral("\r\n"));
}

QStringList TPictureList::Load(const QString &path)
{
    std::vector<char> buffer;
    qsizetype size = 0;
    QString error;
    if (TRegularFile::Read(path, buffer, size, error) != TRegularFile::rfRead) return {};
    return Parse(QByteArray::fromRawData(buffer.data(), size));
}

QString TPictureList::PictureFile(const QStringList &lines, int item, const QString &pixFolder, const QString &listPath)
{
    if (item < 0 || item >= lines.size())
        throw EFileError(tr("The picture list \"%1\" has no line for picture %2.").arg(listPath).arg(item + 1));
    const QString &name = lines.at(item);
    for (const QChar c : name)
        if (c == u'/' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            throw EFileError(tr("The picture list \"%1\" names no picture file for picture %2: \"%3\".")
                                 .arg(listPath).arg(item + 1).arg(name));
    return pixFolder + name + QStringLiteral(".jpg");
}
