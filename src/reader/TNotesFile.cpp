#include "reader/TNotesFile.h"
#include "app/Errors.h"
#include "app/RegularFile.h"
#include "app/TextCodec.h"
#include <QFile>

const QString TNotesFile::Extension = QStringLiteral(".bmk");

QString TNotesFile::SaveName(const QString &chosen)
{
    return chosen.endsWith(Extension, Qt::CaseInsensitive) ? chosen : chosen + Extension;
}

void TNotesFile::Save(const QString &path, const QStringList &entries)
{
    QString text;
    for (const QString &e : entries) text += e + QStringLiteral("\r\n");
    TRegularFile::Replace(path, TTextCodec::EncodeUtf16LeWithMark(text));
}

QStringList TNotesFile::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    if (file.size() > MaxFileSize)
        throw EFileError(QStringLiteral("The file \"%1\" is too large to be a notes file.").arg(path));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    if (bytes.size() > MaxFileSize)
        throw EFileError(QStringLiteral("The file \"%1\" is too large to be a notes file.").arg(path));
    const QString text = TTextCodec::Decode(bytes);
    // Text never holds NUL characters; a file that does is binary data.
    if (text.contains(QChar(0)))
        throw EFileError(QStringLiteral("The file \"%1\" is not a notes file.").arg(path));
    return Entries(text);
}

QStringList TNotesFile::Entries(const QString &text)
{
    QStringList entries = TTextCodec::NormalizeLineBreaks(text).split(QStringLiteral("\r\n"));
    if (!entries.isEmpty() && entries.last().isEmpty()) entries.removeLast();
    return entries;
}
