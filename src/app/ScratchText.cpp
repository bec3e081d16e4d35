#include "app/ScratchText.h"
#include "app/Errors.h"
#include "app/RegularFile.h"
#include "app/TextCodec.h"
#include "platform/UserTempFolder.h"

void TScratchText::LoadFromFile(const QString &path)
{
    LoadFromBytes(TRegularFile::ReadAll(path));
}

void TScratchText::LoadFromBytes(const QByteArray &bytes)
{
    FText = TTextCodec::NormalizeLineBreaks(TTextCodec::Decode(bytes));
}

void TScratchText::SaveToFile(const QString &path) const
{
    TRegularFile::Replace(path, TTextCodec::EncodeUtf16LeWithMark(FText));
}

void TScratchText::SaveToTempFolder(const QString &folder, const QString &name) const
{
    TUserTempFolder::Write(folder, name, TTextCodec::EncodeUtf16LeWithMark(FText));
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
