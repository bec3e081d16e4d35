#include "search/TFoldedText.h"
#include "app/ScratchText.h"
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {
constexpr char16_t Vanishes = 0;

// The Arabic block folded, one entry per character from U+0600.
const std::array<char16_t, 256> &ArabicBlock()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int i = 0; i < 256; ++i) t[i] = static_cast<char16_t>(0x0600 + i);
        auto set = [&t](char16_t from, char16_t to) { t[from - 0x0600] = to; };
        for (char16_t c : {u'\u06CC', u'\u0649', u'\u0626'}) set(c, u'\u064A');  // yeh
        set(u'\u06A9', u'\u0643');                                              // kaf
        for (char16_t c : {u'\u0623', u'\u0625', u'\u0622', u'\u0671'}) set(c, u'\u0627');  // alef
        set(u'\u0624', u'\u0648');                                              // waw with hamza
        set(u'\u0629', u'\u0647');                                              // teh marbuta
        set(u'\u06C0', u'\u0647');                                              // heh with yeh
        for (char16_t c = 0x064B; c <= 0x065F; ++c) set(c, Vanishes);           // diacritics
        set(u'\u0670', Vanishes);
        // The Quranic annotation marks, and the Arabic letter mark (a direction mark).
        const std::pair<char16_t, char16_t> marks[] = {{0x0610, 0x061A}, {0x06D6, 0x06DC}, {0x06DF, 0x06E8}, {0x06EA, 0x06ED}};
        for (const auto &[from, to] : marks)
            for (char16_t c = from; c <= to; ++c) set(c, Vanishes);
        set(u'\u061C', Vanishes);
        set(u'\u0640', Vanishes);                                               // tatweel
        for (int d = 0; d < 10; ++d) {
            set(static_cast<char16_t>(0x0660 + d), static_cast<char16_t>(u'0' + d));
            set(static_cast<char16_t>(0x06F0 + d), static_cast<char16_t>(u'0' + d));
        }
        return t;
    }();
    return table;
}

bool IsLatinLetter(char16_t c)
{
    if (c < 0x80) return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    const QChar q(c);
    return q.isLetter() && q.script() == QChar::Script_Latin;
}

char *PutUtf8(char *out, char32_t u)
{
    if (u < 0x80) {
        *out++ = static_cast<char>(u);
    } else if (u < 0x800) {
        *out++ = static_cast<char>(0xC0 | (u >> 6));
        *out++ = static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (u >> 12));
        *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (u & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (u >> 18));
        *out++ = static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (u & 0x3F));
    }
    return out;
}

// Word characters of the folded text, read from its UTF-8 (the character ending at or
// beginning at a byte offset), judged as on the page: a split pair is no word character.
bool WordCharBefore(const char *d, qsizetype pos)
{
    qsizetype q = pos - 1;
    while (q > 0 && (static_cast<uchar>(d[q]) & 0xC0) == 0x80) --q;
    const QString s = QString::fromUtf8(d + q, pos - q);
    return !s.isEmpty() && TScratchText::IsWordChar(s.back());
}

bool WordCharAt(const char *d, qsizetype n, qsizetype pos)
{
    const uchar c = static_cast<uchar>(d[pos]);
    const qsizetype len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const QString s = QString::fromUtf8(d + pos, std::min(len, n - pos));
    return !s.isEmpty() && TScratchText::IsWordChar(s.front());
}

struct TElement {
    bool Join;
    qsizetype Element;
};
}

char16_t TFoldedText::FoldChar(char16_t c)
{
    if (c >= 0x0600 && c <= 0x06FF) return ArabicBlock()[c - 0x0600];
    if (c == 0x200D || c == 0x200E || c == 0x200F) return Vanishes;
    // The other spaces of Unicode (no-break, wide, narrow, ideographic) are blanks.
    if (c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000) return u' ';
    if (IsLatinLetter(c)) return QChar::toLower(c);
    return c;
}

QString TFoldedText::Fold(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        // U+0000 folds to itself, as in a page, and does not vanish.
        const char16_t f = FoldChar(c.unicode());
        if (f != Vanishes || c.isNull()) out += QChar(f);
    }
    return out;
}

TFoldedText::TFoldedText(QStringView text, std::vector<qsizetype> *map)
{
    const qsizetype n = text.size();
    FBytes.resize(n * 3);  // no character takes more (a pair: four bytes for two)
    char *const start = FBytes.data();
    char *out = start;
    if (map) {
        map->clear();
        map->reserve(n * 2 + 1);
    }
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        // ASCII other than letters folds to itself.
        if (c < 0x80 && !((c | 0x20) >= u'a' && (c | 0x20) <= u'z')) {
            *out++ = static_cast<char>(c);
            if (map) map->push_back(i);
            continue;
        }
        const char16_t f = FoldChar(c);
        if (f == Vanishes) continue;
        if (f == HalfSpace) {
            FJoins.push_back(static_cast<quint32>(out - start));
            if (map) map->push_back(i);
            continue;
        }
        char32_t u = f;
        const qsizetype at = i;
        if (QChar::isHighSurrogate(f) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(f, text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(f)) {
            u = 0xFFFD;
        }
        char *const before = out;
        out = PutUtf8(out, u);
        if (map) map->insert(map->end(), out - before, at);
    }
    FBytes.resize(out - start);
    if (map) map->push_back(n);
}

void TFoldedText::Squeeze()
{
    FBytes.squeeze();
    FJoins.shrink_to_fit();
}

int TFoldedText::JoinsBetween(qsizetype from, qsizetype to) const
{
    const auto lo = std::lower_bound(FJoins.begin(), FJoins.end(), static_cast<quint32>(from));
    const auto hi = std::upper_bound(lo, FJoins.end(), static_cast<quint32>(to));
    return static_cast<int>(hi - lo);
}

qsizetype TFoldedText::ByteElement(qsizetype b) const
{
    return b + (std::upper_bound(FJoins.begin(), FJoins.end(), static_cast<quint32>(b)) - FJoins.begin());
}

size_t TFoldedText::FirstJoinAt(qsizetype b) const
{
    return std::lower_bound(FJoins.begin(), FJoins.end(), static_cast<quint32>(b)) - FJoins.begin();
}

TFoldedTerm::TFoldedTerm(const QString &term)
{
    const QString folded = TFoldedText::Fold(term);
    TRun run;
    QString piece;
    auto endPiece = [&] {
        if (piece.isEmpty()) return;
        if (FPieces.empty()) FLead = run;
        else FGaps.push_back(run);
        run = TRun();
        // The folded text's bytes, so a piece compares with a page byte for byte.
        FPieces.push_back(TFoldedText(piece).Bytes());
        piece.clear();
    };
    for (const QChar c : folded) {
        if (c == u' ' || c.unicode() == TFoldedText::HalfSpace) {
            endPiece();
            ++(c == u' ' ? run.Blanks : run.Joins);
        } else {
            piece += c;
        }
    }
    endPiece();
    FTrail = run;
    for (size_t k = 1; k < FPieces.size(); ++k)
        if (FPieces[k].size() > FPieces[FLongest].size()) FLongest = k;
}

bool TFoldedTerm::MatchAt(const TFoldedText &text, qsizetype c, bool wholeWord, bool needSpan, TSpan &span) const
{
    const char *d = text.Bytes().constData();
    const qsizetype n = text.Bytes().size();
    const auto gapOk = [](const TRun &q, qsizetype blanks, int joins) { return q.Blanks <= blanks + joins && blanks <= q.Size(); };
    const auto matches = [&](qsizetype at, const QByteArray &p) {
        return at >= 0 && at + p.size() <= n && std::memcmp(d + at, p.constData(), static_cast<size_t>(p.size())) == 0;
    };

    // The letters fix the alignment: every blank between two pieces belongs to the gap.
    qsizetype end = c + FPieces[FLongest].size();
    for (size_t g = FLongest; g + 1 < FPieces.size(); ++g) {
        qsizetype blanks = 0;
        while (end + blanks < n && d[end + blanks] == ' ') ++blanks;
        if (!gapOk(FGaps[g], blanks, text.JoinsBetween(end, end + blanks)) || !matches(end + blanks, FPieces[g + 1])) return false;
        end += blanks + FPieces[g + 1].size();
    }
    qsizetype begin = c;
    for (size_t g = FLongest; g-- > 0;) {
        qsizetype blanks = 0;
        while (begin - blanks > 0 && d[begin - blanks - 1] == ' ') ++blanks;
        const qsizetype at = begin - blanks - FPieces[g].size();
        if (!gapOk(FGaps[g], blanks, text.JoinsBetween(begin - blanks, begin)) || !matches(at, FPieces[g])) return false;
        begin = at;
    }

    // Without blanks or half-spaces at its ends, the term ends where its letters do: only
    // the whole-word test looks past them.
    const auto joinAt = [&text](qsizetype b) { return text.JoinsBetween(b, b) > 0; };
    if (!needSpan && FLead.Size() == 0 && FTrail.Size() == 0) {
        if (!wholeWord) return true;
        const bool wordBefore = joinAt(begin) || (begin > 0 && d[begin - 1] != ' ' && WordCharBefore(d, begin));
        const bool wordAfter = joinAt(end) || (end < n && d[end] != ' ' && WordCharAt(d, n, end));
        return !wordBefore && !wordAfter;
    }

    // The page's blanks and half-spaces from byte a to byte b, in page order.
    std::vector<TElement> run;
    const auto gatherRun = [&](qsizetype a, qsizetype b) {
        run.clear();
        size_t k = text.FirstJoinAt(a);
        for (qsizetype x = a; x <= b; ++x) {
            for (; k < text.Joins().size() && text.Joins()[k] == x; ++k) run.push_back({true, text.JoinElement(k)});
            if (x < b) run.push_back({false, text.ByteElement(x)});
        }
    };

    // The term's leading blanks and half-spaces take the end of the page's run before it.
    {
        qsizetype from = begin;
        while (from > 0 && d[from - 1] == ' ') --from;
        gatherRun(from, begin);
        const int size = static_cast<int>(run.size());
        int blanks = 0;
        int chosen = -1;
        for (int len = 0; len <= size && chosen < 0; ++len) {
            if (len > 0 && !run[size - len].Join) ++blanks;
            const int firstJoin = len > 0 && run[size - len].Join ? 1 : 0;
            if (std::max(FLead.Blanks, blanks + firstJoin) > std::min(FLead.Size(), len)) continue;
            if (wholeWord) {
                const bool wordBefore = len < size ? run[size - len - 1].Join : from > 0 && WordCharBefore(d, from);
                if (wordBefore) continue;
            }
            chosen = len;
        }
        if (chosen < 0) return false;
        span.Begin = chosen == 0 ? text.ByteElement(begin) : run[size - chosen].Element;
    }
    {
        qsizetype to = end;
        while (to < n && d[to] == ' ') ++to;
        gatherRun(end, to);
        const int size = static_cast<int>(run.size());
        int blanks = 0;
        int chosen = -1;
        for (int len = 0; len <= size && chosen < 0; ++len) {
            if (len > 0 && !run[len - 1].Join) ++blanks;
            const int lastJoin = len > 0 && run[len - 1].Join ? 1 : 0;
            if (std::max(FTrail.Blanks, blanks + lastJoin) > std::min(FTrail.Size(), len)) continue;
            if (wholeWord) {
                const bool wordAfter = len < size ? run[len].Join : to < n && WordCharAt(d, n, to);
                if (wordAfter) continue;
            }
            chosen = len;
        }
        if (chosen < 0) return false;
        span.End = chosen == 0 ? end + static_cast<qsizetype>(text.FirstJoinAt(end)) : run[chosen - 1].Element + 1;
    }
    return true;
}

template <class F>
void TFoldedTerm::EachMatch(const TFoldedText &text, bool wholeWord, bool needSpan, F &&found) const
{
    if (FPieces.empty()) return;
    const QByteArray &needle = FPieces[FLongest];
    const char *d = text.Bytes().constData();
    const qsizetype n = text.Bytes().size();
    qsizetype from = 0;
    TSpan span;
    while (from + needle.size() <= n) {
        const void *hit = memmem(d + from, static_cast<size_t>(n - from), needle.constData(), static_cast<size_t>(needle.size()));
        if (!hit) return;
        const qsizetype c = static_cast<const char *>(hit) - d;
        if (MatchAt(text, c, wholeWord, needSpan, span) && !found(span)) return;
        from = c + 1;
    }
}

bool TFoldedTerm::Occurs(const TFoldedText &text, bool wholeWord) const
{
    bool occurs = false;
    EachMatch(text, wholeWord, false, [&occurs](const TSpan &) { return !(occurs = true); });
    return occurs;
}

std::vector<TFoldedTerm::TSpan> TFoldedTerm::FindAll(const TFoldedText &text, bool wholeWord) const
{
    std::vector<TSpan> spans;
    EachMatch(text, wholeWord, true, [&spans](const TSpan &span) {
        spans.push_back(span);
        return true;
    });
    std::sort(spans.begin(), spans.end(), [](const TSpan &a, const TSpan &b) { return a.Begin < b.Begin; });
    return spans;
}
