#include "marks/TMarkAnchor.h"
#include "search/TFoldedText.h"
#include <QUuid>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
// How far either side of a place its context is read: the mark's 32 characters may stand
// among diacritics and runs of white space the folding drops.
constexpr int ContextWindow = 3 * TMark::ContextLength;

// The text with each run of white space as one blank; At[i] is where character i of it
// begins in the text, At[size] the text's size.
struct TSquashed {
    QString Text;
    std::vector<int> At;
};

TSquashed Squash(QStringView text)
{
    TSquashed s;
    s.Text.reserve(text.size());
    s.At.reserve(size_t(text.size()) + 1);
    bool blank = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool space = text[i].isSpace();
        if (space && blank) continue;
        blank = space;
        s.Text += space ? QChar(u' ') : text[i];
        s.At.push_back(int(i));
    }
    s.At.push_back(int(text.size()));
    return s;
}

// Context as it is compared: folded, without half-spaces, each run of white space one blank.
QString Key(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace()) {
            if (!out.endsWith(u' ')) out += u' ';
        } else if (const char16_t f = TFoldedText::FoldChar(c.unicode()); f && f != TFoldedText::HalfSpace) {
            out += QChar(f);
        }
    }
    return out;
}

// The letters two keys agree in from their ends (backwards) or their beginnings, up to
// the first difference; blanks must agree too but are not counted.
int Agreement(const QString &a, const QString &b, bool backwards)
{
    int letters = 0;
    for (qsizetype i = 0; i < a.size() && i < b.size(); ++i) {
        const QChar x = backwards ? a[a.size() - 1 - i] : a[i], y = backwards ? b[b.size() - 1 - i] : b[i];
        if (x != y) break;
        letters += x != u' ';
    }
    return letters;
}

bool IsGap(QChar c)
{
    return c == u' ' || c.unicode() == TFoldedText::HalfSpace;
}

// Blanks and half-spaces at the beginning (or end) of a squashed text.
int EdgeGaps(const QString &text, bool atEnd)
{
    int n = 0;
    while (n < text.size() && IsGap(atEnd ? text[text.size() - 1 - n] : text[n])) ++n;
    return n;
}

int Letters(const QString &key)
{
    return int(key.size() - key.count(u' '));
}
}

TMarkAnchor::TFound TMarkAnchor::Find(const TMark &mark, const QString &pageText)
{
    const TFound none{false, 0, 0};
    const int size = int(pageText.size());
    // Unchanged: the quote and the context either side where they were.
    const QStringView text(pageText);
    if (mark.Start >= mark.Prefix.size() && mark.Start < mark.End && mark.End + mark.Suffix.size() <= size
        && text.sliced(mark.Start, mark.End - mark.Start) == mark.Quote
        && text.sliced(mark.Start - mark.Prefix.size(), mark.Prefix.size()) == mark.Prefix
        && text.sliced(mark.End, mark.Suffix.size()) == mark.Suffix)
        return {true, mark.Start, mark.End};

    const TSquashed page = Squash(pageText);
    const QString quote = Squash(mark.Quote).Text;
    const TFoldedTerm term(quote);
    if (term.IsEmpty()) return none;
    const int leading = EdgeGaps(quote, false), trailing = EdgeGaps(quote, true);
    const int squashedSize = int(page.Text.size());
    std::vector<qsizetype> map;
    const TFoldedText folded(page.Text, &map);

    const QString prefix = Key(mark.Prefix), suffix = Key(mark.Suffix);
    const bool lone = Letters(Key(mark.Quote)) < MinLoneQuote;
    TFound best = none;
    int bestScore = -1, bestDistance = 0;
    for (const TFoldedTerm::TSpan &span : term.FindAll(folded, false)) {
        // The match takes as many of the page's blanks and half-spaces at its ends as the
        // quote has there, so the mark covers what the reader marked.
        int from = int(map[size_t(span.Begin)]), to = int(map[size_t(span.End)]);
        while (from < to && IsGap(page.Text[from])) ++from;
        while (to > from && IsGap(page.Text[to - 1])) --to;
        if (from >= to) continue;
        for (int n = 0; n < leading && from > 0 && IsGap(page.Text[from - 1]); ++n) --from;
        for (int n = 0; n < trailing && to < squashedSize && IsGap(page.Text[to]); ++n) ++to;
        const int start = page.At[size_t(from)], end = page.At[size_t(to)];
        const int before = std::max(0, start - ContextWindow);
        const int score = Agreement(prefix, Key(QStringView(pageText).sliced(before, start - before)), true)
            + Agreement(suffix, Key(QStringView(pageText).sliced(end, std::min(ContextWindow, size - end))), false);
        if (lone && score < MinLoneContext) continue;
        const int distance = std::abs(start - mark.Start);
        if (score > bestScore || (score == bestScore && distance < bestDistance)) {
            best = {true, start, end};
            bestScore = score;
            bestDistance = distance;
        }
    }
    return best;
}

TMark TMarkAnchor::Make(int page, const QString &pageText, int start, int end, TMark::TStyle style)
{
    const int size = int(pageText.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, 0, size);
    if (end < start) std::swap(start, end);
    TMark m;
    m.Id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m.Page = page;
    m.Start = start;
    m.End = end;
    m.Quote = pageText.sliced(start, end - start);
    m.Prefix = PrefixOf(QStringView(pageText).first(start));
    m.Suffix = SuffixOf(QStringView(pageText).sliced(end));
    m.Style = style;
    m.Created = m.Changed = QDateTime::currentDateTimeUtc();
    return m;
}

QString TMarkAnchor::PrefixOf(QStringView before)
{
    QStringView context = before.last(std::min<qsizetype>(TMark::ContextLength, before.size()));
    if (!context.isEmpty() && context.front().isLowSurrogate()) context = context.sliced(1);
    return context.toString();
}

QString TMarkAnchor::SuffixOf(QStringView after)
{
    QStringView context = after.first(std::min<qsizetype>(TMark::ContextLength, after.size()));
    if (!context.isEmpty() && context.back().isHighSurrogate()) context.chop(1);
    return context.toString();
}
