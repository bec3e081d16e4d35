#include "search/TPageScanner.h"
#include "app/RegularFile.h"
#include "app/ScratchText.h"
#include "app/TextCodec.h"
#include "search/TBookText.h"
#include <QSysInfo>
#include <algorithm>
#include <cstring>

namespace {
enum TUtf8Check { ucValid, ucInvalid, ucUnsure };

// Whether bytes are UTF-8 the way the text codec's decoder judges it. Sequences whose
// treatment could differ between decoders (noncharacters) answer "unsure".
TUtf8Check CheckUtf8(const uchar *s, qsizetype n)
{
    qsizetype i = 0;
    while (i < n) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= n) {
            quint64 w;
            std::memcpy(&w, s + i, 8);
            if (w & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i >= n) break;
        const uchar c = s[i];
        if (c < 0x80) { ++i; continue; }
        int len;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
        else return ucInvalid;
        if (i + len > n) return ucInvalid;
        for (int k = 1; k < len; ++k) {
            const uchar t = s[i + k];
            if ((t & 0xC0) != 0x80) return ucInvalid;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return ucInvalid;
        if (cp >= 0xD800 && cp <= 0xDFFF) return ucInvalid;
        if ((cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE) return ucUnsure;
        i += len;
    }
    return ucValid;
}

// Offset just after the n-th line break (CR LF, lone CR, lone LF, and U+2028 in
// UTF-8 when utf8 is set), or size when there are fewer breaks: deleting the first
// n lines leaves exactly the bytes from there.
qsizetype SkipLinesBytes(const char *d, qsizetype size, int n, bool utf8)
{
    qsizetype i = 0;
    int breaks = 0;
    while (breaks < n && i < size) {
        const char c = d[i];
        if (c == '\r') {
            ++breaks;
            i += (i + 1 < size && d[i + 1] == '\n') ? 2 : 1;
        } else if (c == '\n') {
            ++breaks;
            ++i;
        } else if (utf8 && static_cast<uchar>(c) == 0xE2 && i + 2 < size && static_cast<uchar>(d[i + 1]) == 0x80
                   && static_cast<uchar>(d[i + 2]) == 0xA8) {
            ++breaks;
            i += 3;
        } else {
            ++i;
        }
    }
    return breaks < n ? size : i;
}

qsizetype SkipLinesUtf16(const QChar *d, qsizetype size, int n)
{
    qsizetype i = 0;
    int breaks = 0;
    while (breaks < n && i < size) {
        const char16_t c = d[i].unicode();
        if (c == u'\r') {
            ++breaks;
            i += (i + 1 < size && d[i + 1].unicode() == u'\n') ? 2 : 1;
        } else if (c == u'\n' || c == 0x2028) {
            ++breaks;
            ++i;
        } else {
            ++i;
        }
    }
    return breaks < n ? size : i;
}

bool HasBreakChar(const QString &s)
{
    for (const QChar c : s)
        if (c == u'\r' || c == u'\n' || c.unicode() == 0x2028 || c.unicode() == 0xFFFD) return true;
    return false;
}

// Characters that no other character equals when letter case is ignored: ASCII other
// than letters, and the Arabic-script letters and joiners the book is written in.
bool IsCaselessChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80) return !((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'));
    return (u >= 0x0600 && u <= 0x06FF) || (u >= 0x0750 && u <= 0x077F) || u == 0x200C || u == 0x200D
        || (u >= 0xFB50 && u <= 0xFDFF) || (u >= 0xFE70 && u <= 0xFEFF);
}

// windows-1256 bytes of s, or empty when a character has no byte there.
QByteArray EncodeAnsi(const QString &s)
{
    static const QString table = [] {
        char all[256];
        for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
        return TTextCodec::DecodeWindows1256(all, 256);
    }();
    QByteArray out;
    out.reserve(s.size());
    for (const QChar c : s) {
        const qsizetype b = table.indexOf(c);
        if (b < 0) return QByteArray();
        out += static_cast<char>(b);
    }
    return out;
}

bool ContainsBytes(const char *d, qsizetype size, const QByteArray &needle)
{
    if (needle.isEmpty() || needle.size() > size) return false;
    return memmem(d, static_cast<size_t>(size), needle.constData(), static_cast<size_t>(needle.size())) != nullptr;
}
}

TPageScanner::TPageScanner(const QStringList &terms, int findOptions, bool folded)
    : FOptions(findOptions), FMatchCase(!(findOptions & TScratchText::foWholeWord) && (findOptions & TScratchText::foMatchCase)),
      FFolded(folded)
{
    for (const QString &t : terms.mid(0, MaxTerms)) {
        TTerm term;
        term.Text = t;
        if (folded) {
            term.Folded = std::make_unique<TFoldedTerm>(t);
            FTerms.push_back(std::move(term));
            continue;
        }
        if (std::none_of(t.begin(), t.end(), [](QChar c) { return c.isSurrogate(); })) term.KeptUtf8 = t.toUtf8();
        if (!t.isEmpty() && !HasBreakChar(t)) {
            term.Utf8 = t.toUtf8();
            term.Ansi = EncodeAnsi(t);
            term.ByteExact = FMatchCase;
            term.ByteFilter = !FMatchCase && std::all_of(t.begin(), t.end(), IsCaselessChar);
        }
        FTerms.push_back(std::move(term));
    }
}

qsizetype TPageScanner::SearchedFrom(QStringView text)
{
    return SkipLinesUtf16(text.constData(), text.size(), SkippedLines);
}

quint32 TPageScanner::ScanFolded(const TFoldedText &text) const
{
    const bool whole = FOptions & TScratchText::foWholeWord;
    quint32 mask = 0;
    for (size_t k = 0; k < FTerms.size(); ++k)
        if (FTerms[k].Folded->Occurs(text, whole)) mask |= 1u << k;
    return mask;
}

quint32 TPageScanner::ScanKept(const TKeptPage &page) const
{
    if (FFolded) return ScanFolded(page.Folded);
    const char *d = page.Exact.constData();
    const qsizetype n = page.Exact.size();
    quint32 mask = 0;
    QString decoded;
    bool haveDecoded = false;
    for (size_t k = 0; k < FTerms.size(); ++k) {
        const TTerm &t = FTerms[k];
        if (t.Text.isEmpty()) continue;
        // The kept text is the decoded text's UTF-8: a byte match is a match.
        if (FMatchCase) {
            if (ContainsBytes(d, n, t.KeptUtf8)) mask |= 1u << k;
            continue;
        }
        if (t.ByteFilter && !ContainsBytes(d, n, t.Utf8)) continue;
        if (!haveDecoded) {
            decoded = QString::fromUtf8(page.Exact);
            haveDecoded = true;
        }
        if (TScratchText::FindIn(decoded, t.Text, 0, decoded.size(), FOptions) >= 0) mask |= 1u << k;
    }
    return mask;
}

quint32 TPageScanner::ScanDecoded(const QString &text, qsizetype from) const
{
    quint32 mask = 0;
    for (size_t k = 0; k < FTerms.size(); ++k) {
        const QString &t = FTerms[k].Text;
        if (t.isEmpty()) continue;
        if (TScratchText::FindIn(text, t, from, text.size() - from, FOptions) >= 0) mask |= 1u << k;
    }
    return mask;
}

quint32 TPageScanner::ScanBytePage(const char *d, qsizetype size, bool utf8) const
{
    const qsizetype from = SkipLinesBytes(d, size, SkippedLines, utf8);
    const char *rest = d + from;
    const qsizetype restSize = size - from;
    quint32 mask = 0;
    QString decoded;  // the rest as text, made only when a term needs it
    bool haveDecoded = false;
    for (size_t k = 0; k < FTerms.size(); ++k) {
        const TTerm &t = FTerms[k];
        if (t.Text.isEmpty()) continue;
        const QByteArray &bytes = utf8 ? t.Utf8 : t.Ansi;
        if (t.ByteExact || t.ByteFilter) {
            // An unrepresentable or absent term cannot occur in the decoded text either.
            if (bytes.isEmpty() || !ContainsBytes(rest, restSize, bytes)) continue;
            if (t.ByteExact) {
                mask |= 1u << k;
                continue;
            }
        }
        if (!haveDecoded) {
            decoded = utf8 ? QString::fromUtf8(rest, restSize) : TTextCodec::DecodeWindows1256(rest, restSize);
            haveDecoded = true;
        }
        if (TScratchText::FindIn(decoded, t.Text, 0, decoded.size(), FOptions) >= 0) mask |= 1u << k;
    }
    return mask;
}

quint32 TPageScanner::ScanBytes(const char *d, qsizetype n) const
{
    const auto u = [d](qsizetype i) { return static_cast<uchar>(d[i]); };
    bool anyLineTerm = FFolded;  // a term with a line break, and folding, need the normalised text
    for (const TTerm &t : FTerms)
        if (!t.Text.isEmpty() && t.Utf8.isEmpty()) anyLineTerm = true;
    if (!anyLineTerm) {
        if (n >= 2 && u(0) == 0xFF && u(1) == 0xFE && (reinterpret_cast<quintptr>(d + 2) % alignof(char16_t)) == 0
            && QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            const qsizetype count = (n - 2) / 2;
            const auto *chars = reinterpret_cast<const QChar *>(d + 2);
            const qsizetype from = SkipLinesUtf16(chars, count, SkippedLines);
            return ScanDecoded(QString::fromRawData(chars + from, count - from), 0);
        }
        const bool bom8 = n >= 3 && u(0) == 0xEF && u(1) == 0xBB && u(2) == 0xBF;
        const bool bom16 = n >= 2 && ((u(0) == 0xFF && u(1) == 0xFE) || (u(0) == 0xFE && u(1) == 0xFF));
        if (!bom16) {
            const qsizetype off = bom8 ? 3 : 0;
            const TUtf8Check check = CheckUtf8(reinterpret_cast<const uchar *>(d + off), n - off);
            if (check == ucValid) return ScanBytePage(d + off, n - off, true);
            if (check == ucInvalid && !bom8) return ScanBytePage(d, n, false);
        }
    }
    // Everything else exactly as the text buffer reads it.
    const QString text = TTextCodec::NormalizeLineBreaks(TTextCodec::Decode(QByteArray::fromRawData(d, n)));
    const qsizetype from = SkipLinesUtf16(text.constData(), text.size(), SkippedLines);
    if (FFolded) return ScanFolded(TFoldedText(QStringView(text).mid(from)));
    return ScanDecoded(text, from);
}

TPageScanner::TStatus TPageScanner::Scan(const QString &path, quint32 &foundMask, QString &error)
{
    foundMask = 0;
    qsizetype size = 0;
    switch (TRegularFile::Read(path, FBuffer, size, error)) {
    case TRegularFile::rfMissing: return psMissing;
    case TRegularFile::rfFailed: return psFailed;
    case TRegularFile::rfRead: break;
    }
    foundMask = ScanBytes(FBuffer.data(), size);
    return psScanned;
}
