#include "app/ScratchText.h"
#include "app/Errors.h"
#include "app/TextCodec.h"
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

void TScratchText::LoadFromFile(const QString &path)
{
    // Only regular files: reading a pipe or a device could block or never end.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw EFileError(QStringLiteral("Cannot open file \"%1\". It is not a regular file.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    FText = TTextCodec::NormalizeLineBreaks(TTextCodec::Decode(bytes));
}

void TScratchText::SaveToFile(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    file.write(TTextCodec::EncodeUtf16LeWithMark(FText));
    if (!file.commit())
        throw EFileError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}

void TScratchText::SetText(const QString &text)
{
    FText = TTextCodec::NormalizeLineBreaks(text);
}

int TScratchText::LineCount() const
{
    if (FText.isEmpty()) return 0;
    const int breaks = static_cast<int>(FText.count(QLatin1String("\r\n")));
    return FText.endsWith(QLatin1String("\r\n")) ? breaks : breaks + 1;
}

void TScratchText::DeleteLine(int n)
{
    if (n < 0) return;
    qsizetype start = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype br = FText.indexOf(QLatin1String("\r\n"), start);
        if (br < 0) return;  // no such line
        start = br + 2;
    }
    if (start >= FText.size()) return;
    const qsizetype br = FText.indexOf(QLatin1String("\r\n"), start);
    FText.remove(start, br < 0 ? FText.size() - start : br + 2 - start);
}

bool TScratchText::IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c.unicode() == 0x200C;
}

qsizetype TScratchText::Find(const QString &term, qsizetype start, qsizetype length, int options) const
{
    return FindIn(FText, term, start, length, options);
}

qsizetype TScratchText::FindIn(const QString &text, const QString &term, qsizetype start, qsizetype length, int options)
{
    if (term.isEmpty() || start < 0 || start >= text.size()) return -1;
    // The range ends at the text's end; a length past it is clamped without overflow.
    const qsizetype end = length >= text.size() - start ? text.size() : start + std::max<qsizetype>(length, 0);
    const bool whole = options & foWholeWord;
    const Qt::CaseSensitivity cs = (options & foMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QStringView range(text.constData(), end);
    qsizetype pos = start;
    while (pos + term.size() <= end) {
        const qsizetype hit = range.indexOf(term, pos, cs);
        if (hit < 0) return -1;
        if (!whole) return hit;
        const qsizetype after = hit + term.size();
        const bool leftOk = hit == 0 || !IsWordChar(text.at(hit - 1));
        const bool rightOk = after >= text.size() || !IsWordChar(text.at(after));
        if (leftOk && rightOk) return hit;
        pos = hit + 1;
    }
    return -1;
}
