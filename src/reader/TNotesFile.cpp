#include "reader/TNotesFile.h"
#include "app/Errors.h"
#include "app/RegularFile.h"
#include "app/TextCodec.h"

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
    // Opened without waiting: a named pipe chosen as notes file is refused at once.
    const QByteArray bytes = TRegularFile::ReadAll(path, MaxFileSize);
    const QString text = TTextCodec::Decode(bytes);
    // Text never holds NUL characters; a file that does is binary data.
    if (text.contains(QChar(0)))
        throw EFileError(tr("The file \"%1\" is not a notes file.").arg(path));
    return Entries(text);
}

QStringList TNotesFile::Entries(const QString &text)
{
    QStringList entries = TTextCodec::NormalizeLineBreaks(text).split(QStringLiteral("\r\n"));
    if (!entries.isEmpty() && entries.last().isEmpty()) entries.removeLast();
    return entries;
}
