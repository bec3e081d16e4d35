#include "search/TResultContext.h"
#include "app/ScratchText.h"
#include "search/TFoldedText.h"
#include "search/TPageScanner.h"
#include <algorithm>
#include <vector>

namespace {
// The character a reference stands for, or 0 for one this line does not read.
char32_t Reference(QStringView name)
{
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint v = name.size() > 1 && (name[1] == u'x' || name[1] == u'X') ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
        return ok && v > 0 && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF) ? v : 0;
    }
    static const struct { const char16_t *Name; char32_t Char; } named[] = {
        {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"nbsp", u' '}, {u"zwnj", 0x200C}, {u"zwj", 0x200D}};
    for (const auto &n : named)
        if (name == QStringView(n.Name)) return n.Char;
    return 0;
}

// The running text of html, with for every character of it the offset in html it came from.
QString PlainText(QStringView html, std::vector<qsizetype> &from)
{
    QString out;
    bool blank = false;  // a blank is owed before the next character
    const auto put = [&](QStringView chars, qsizetype at) {
        if (blank && !out.isEmpty()) {
            out += u' ';
            from.push_back(at - 1);  // before the character it stands before
        }
        blank = false;
        out += chars;
        from.insert(from.end(), chars.size(), at);
    };
    const qsizetype n = html.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype close = html.indexOf(u'>', i);
            if (close < 0) break;
            i = close;
            blank = true;
        } else if (c == u' ' || c == u'\r' || c == u'\n' || c == u'\t') {
            blank = true;
        } else if (c == u'&') {
            const qsizetype semi = html.indexOf(u';', i);
            const char32_t r = semi > i + 1 && semi - i <= 12 ? Reference(html.mid(i + 1, semi - i - 1)) : 0;
            if (r == u' ') {
                blank = true;
                i = semi;
            } else if (r) {
                const char32_t chars[1] = {r};
                put(QString::fromUcs4(chars, 1), i);
                i = semi;
            } else {
                put(html.mid(i, 1), i);
            }
        } else {
            put(html.mid(i, 1), i);
        }
    }
    return out;
}
}

QString TResultContext::TLine::Html() const
{
    return Text.left(MatchFrom).toHtmlEscaped() + QStringLiteral("<b>") + Text.mid(MatchFrom, MatchLength).toHtmlEscaped()
        + QStringLiteral("</b>") + Text.mid(MatchFrom + MatchLength).toHtmlEscaped();
}

TResultContext::TLine TResultContext::Of(const QString &pageText, const QStringList &terms, int findOptions, bool folded)
{
    const QStringView searched = QStringView(pageText).mid(TPageScanner::SearchedFrom(pageText));
    qsizetype a = -1, b = -1;
    if (folded) {
        std::vector<qsizetype> map;
        const TFoldedText text(searched, &map);
        for (const QString &t : terms) {
            const std::vector<TFoldedTerm::TSpan> spans = TFoldedTerm(t).FindAll(text, findOptions & TScratchText::foWholeWord);
            if (spans.empty()) continue;
            a = map[spans.front().Begin];
            b = map[spans.front().End];
            break;
        }
    } else {
        const QString s = searched.toString();
        for (const QString &t : terms) {
            const qsizetype c = TScratchText::FindIn(s, t, 0, s.size(), findOptions);
            if (c < 0) continue;
            a = c;
            b = c + t.size();
            break;
        }
    }
    TLine line;
    if (a < 0) return line;
    std::vector<qsizetype> from;
    const QString plain = PlainText(searched, from);
    const auto plainAt = [&from](qsizetype src) {
        return static_cast<qsizetype>(std::lower_bound(from.begin(), from.end(), src) - from.begin());
    };
    const qsizetype pa = plainAt(a);
    const qsizetype pb = std::max(pa, plainAt(b));
    qsizetype start = std::max<qsizetype>(0, pa - Reach);
    qsizetype end = std::min(plain.size(), pb + Reach);
    // Whole words only at the cut ends.
    if (start > 0) {
        const qsizetype blank = plain.indexOf(u' ', start);
        if (blank >= 0 && blank < pa) start = blank + 1;
    }
    if (end < plain.size()) {
        const qsizetype blank = plain.lastIndexOf(u' ', end);
        if (blank >= pb) end = blank;
    }
    const QString before = start > 0 ? QStringLiteral("… ") : QString();
    line.Text = before + plain.mid(start, end - start) + (end < plain.size() ? QStringLiteral(" …") : QString());
    line.MatchFrom = before.size() + pa - start;
    line.MatchLength = pb - pa;
    return line;
}
