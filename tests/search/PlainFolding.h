#pragma once
// Folded matching written the slow, plain way, to check the search against: both sides
// become lists of characters, and every way of pairing them is tried.
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

namespace PlainFolding {

// The folded character; nothing when it is ignored.
inline std::optional<char16_t> Fold(char16_t c)
{
    static const std::map<char16_t, char16_t> sameLetter = {
        {u'ی', u'ي'}, {u'ى', u'ي'}, {u'ئ', u'ي'}, {u'ک', u'ك'}, {u'أ', u'ا'}, {u'إ', u'ا'}, {u'آ', u'ا'},
        {u'ٱ', u'ا'}, {u'ؤ', u'و'}, {u'ة', u'ه'}, {u'ۀ', u'ه'}};
    const auto in = [c](char16_t from, char16_t to) { return c >= from && c <= to; };
    if (in(0x064B, 0x065F) || c == 0x0670 || c == 0x0640 || c == 0x200D || c == 0x200E || c == 0x200F || c == 0x061C
        || in(0x0610, 0x061A) || in(0x06D6, 0x06DC) || in(0x06DF, 0x06E8) || in(0x06EA, 0x06ED))
        return std::nullopt;
    if (c >= 0x06F0 && c <= 0x06F9) return char16_t(u'0' + (c - 0x06F0));
    if (c >= 0x0660 && c <= 0x0669) return char16_t(u'0' + (c - 0x0660));
    if (const auto it = sameLetter.find(c); it != sameLetter.end()) return it->second;
    const QChar q(c);
    if (q.category() == QChar::Separator_Space) return u' ';
    if (q.isLetter() && q.script() == QChar::Script_Latin) return q.toLower().unicode();
    return c;
}

inline bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c.isMark() || c.unicode() == 0x200C; }

struct TChar {
    char16_t C;       // folded
    qsizetype Source;  // where it stands in the unfolded text
    bool Blank() const { return C == u' '; }
    bool Join() const { return C == 0x200C; }
    bool Letter() const { return !Blank() && !Join(); }
};

inline std::vector<TChar> Chars(const QString &s)
{
    std::vector<TChar> out;
    for (qsizetype i = 0; i < s.size(); ++i)
        if (const auto f = Fold(s[i].unicode())) out.push_back({*f, i});
    return out;
}

// Every match of term in text as [begin, end) of text: from the first character paired
// to the last, with the ignored characters that follow it.
inline std::set<std::pair<qsizetype, qsizetype>> Matches(const QString &text, const QString &term, bool wholeWord)
{
    const std::vector<TChar> page = Chars(text), want = Chars(term);
    std::set<std::pair<qsizetype, qsizetype>> found;
    bool hasLetter = false;
    for (const TChar &c : want) hasLetter = hasLetter || c.Letter();
    if (!hasLetter) return found;
    const auto record = [&](long first, long last) {
        const qsizetype begin = page[first].Source;
        const qsizetype end = size_t(last + 1) < page.size() ? page[last + 1].Source : text.size();
        if (wholeWord) {
            if (first > 0 && IsWordChar(text[page[first - 1].Source])) return;
            if (size_t(last + 1) < page.size() && IsWordChar(text[page[last + 1].Source])) return;
        }
        found.insert({begin, end});
    };
    // i: next page character, j: next term character, first/last: page characters paired so far.
    std::set<std::tuple<size_t, size_t, long, long>> tried;
    std::function<void(size_t, size_t, long, long)> pair = [&](size_t i, size_t j, long first, long last) {
        if (!tried.insert({i, j, first, last}).second) return;
        if (j == want.size()) {
            record(first, last);
            return;
        }
        if (i < page.size() && page[i].Join() && first >= 0) pair(i + 1, j, first, last);  // a page half-space: nothing
        if (want[j].Join()) pair(i, j + 1, first, last);                                   // a term half-space: nothing
        if (i < page.size()) {
            const bool same = want[j].Letter() ? page[i].C == want[j].C : !page[i].Letter();
            if (same) pair(i + 1, j + 1, first < 0 ? long(i) : first, long(i));
        }
    };
    for (size_t start = 0; start < page.size(); ++start) pair(start, 0, -1, -1);
    return found;
}

}  // namespace PlainFolding
