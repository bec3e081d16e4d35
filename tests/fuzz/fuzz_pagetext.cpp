// The page text buffer's load (mark detection, UTF-8, windows-1256, UTF-16 LE/BE, line
// breaks) and find, and the search's byte-level page scanner checked against a plain
// load, fifteen line deletions and a find per term; its folded matching against the
// plain folded matcher of the search's tests.
// Input: one byte of options, four terms (a length byte and UTF-8 each), then the page.
#include "FuzzSupport.h"
#include "app/ScratchText.h"
#include "app/TextCodec.h"
#include "search/PlainFolding.h"
#include "search/TBookText.h"
#include "search/TPageScanner.h"
#include <QTemporaryFile>
#include <QStringList>

namespace {
bool IsBreak(QChar c) { return c == u'\r' || c == u'\n' || c.unicode() == 0x2028; }

// Whether term stands at pos in text under the find options, compared the plain way.
bool MatchesAt(const QString &text, qsizetype pos, const QString &term, int options)
{
    const bool whole = options & TScratchText::foWholeWord;
    const Qt::CaseSensitivity cs = (options & TScratchText::foMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (pos + term.size() > text.size()) return false;
    if (QStringView(text).mid(pos, term.size()).compare(term, cs) != 0) return false;
    if (!whole) return true;
    const qsizetype after = pos + term.size();
    return (pos == 0 || !TScratchText::IsWordChar(text.at(pos - 1)))
        && (after >= text.size() || !TScratchText::IsWordChar(text.at(after)));
}

void CheckFind(const TScratchText &buffer, const QString &term, int options)
{
    const QString &text = buffer.Text();
    const qsizetype hit = buffer.Find(term, 0, text.size(), options);
    if (term.isEmpty()) {
        FUZZ_CHECK(hit == -1);
        return;
    }
    const qsizetype end = hit < 0 ? text.size() - term.size() + 1 : hit;
    if (hit >= 0) FUZZ_CHECK(MatchesAt(text, hit, term, options));
    for (qsizetype p = 0; p < end; ++p) FUZZ_CHECK(!MatchesAt(text, p, term, options));
    // A search that starts past the first match finds the next one or nothing earlier.
    if (hit >= 0) {
        const qsizetype next = buffer.Find(term, hit + 1, text.size(), options);
        FUZZ_CHECK(next == -1 || next > hit);
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const int options = (in.Byte() & 1) ? TScratchText::foWholeWord : TScratchText::foMatchCase;
    QStringList terms;
    for (int k = 0; k < 4; ++k) terms << QString::fromUtf8(in.Piece());
    const QByteArray page = in.Rest();

    TScratchText buffer;
    buffer.LoadFromBytes(page);
    const QString text = buffer.Text();
    // Every line break is CR LF, and only there do CR and LF occur.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\r') FUZZ_CHECK(i + 1 < text.size() && text.at(i + 1) == u'\n');
        else if (text.at(i) == u'\n') FUZZ_CHECK(i > 0 && text.at(i - 1) == u'\r');
        else FUZZ_CHECK(!IsBreak(text.at(i)));
    }
    // Setting the text back changes nothing; a saved copy loads to the same text.
    TScratchText copy;
    copy.SetText(text);
    FUZZ_CHECK(copy.Text() == text);
    copy.LoadFromBytes(TTextCodec::EncodeUtf16LeWithMark(text));
    FUZZ_CHECK(copy.Text() == text);

    for (const QString &term : terms) CheckFind(buffer, term, options);

    // The search's way: delete the head lines one by one, each deletion one line less.
    for (int i = 0; i < TPageScanner::SkippedLines; ++i) {
        const int lines = buffer.LineCount();
        buffer.DeleteLine(0);
        FUZZ_CHECK(buffer.LineCount() == (lines > 0 ? lines - 1 : 0));
    }
    quint32 plain = 0;
    for (int k = 0; k < terms.size(); ++k)
        if (!terms[k].isEmpty() && buffer.Find(terms[k], 0, buffer.Text().size(), options) >= 0) plain |= 1u << k;
    const TPageScanner scanner(terms, options);
    FUZZ_CHECK(scanner.ScanBytes(page.constData(), page.size()) == plain);

    // Folded: the plain matcher tries every pairing, so only pages of modest size.
    if (buffer.Text().size() > 600) return 0;
    quint32 folded = 0;
    for (int k = 0; k < terms.size(); ++k)
        if (!PlainFolding::Matches(buffer.Text(), terms[k], options & TScratchText::foWholeWord).empty()) folded |= 1u << k;
    const TPageScanner foldedScanner(terms, options, true);
    FUZZ_CHECK(foldedScanner.ScanBytes(page.constData(), page.size()) == folded);
    // The same page kept in memory, as the search keeps the book.
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open()) return 0;
    file.resize(0);
    file.write(page);
    file.flush();
    if (const std::unique_ptr<TKeptPage> kept = TBookText::Read(file.fileName())) {
        FUZZ_CHECK(foldedScanner.ScanKept(*kept) == folded);
        FUZZ_CHECK(scanner.ScanKept(*kept) == plain);
    }
    return 0;
}
