#include "speech/TSentenceCutter.h"
#include <QRegularExpression>
#include <algorithm>

namespace {
constexpr char16_t Tatweel = u'\u0640';

bool Blank(QChar c) { return c.isSpace(); }

bool EndMark(QChar c)
{
    switch (c.unicode()) {
    case u'.': case u'\u06D4': case u'\u061F': case u'?': case u'!': case u'\u061B': case u'\u2026': return true;
    default: return false;
    }
}

bool Dot(QChar c) { return c == u'.' || c == u'\u06D4' || c == u'\u2026'; }

bool Closer(QChar c)
{
    switch (c.unicode()) {
    case u'\u00BB': case u'\u201D': case u'\u2019': case u'"': case u'\'': case u')': case u']': case u'}': case u'\u203A':
        return true;
    default: return false;
    }
}

bool LineEnd(QChar c) { return c == u'\u2028' || c == u'\u2029'; }

bool Sayable(QStringView piece)
{
    return std::any_of(piece.begin(), piece.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// The word that ends just before `at`, within [from, at).
QStringView WordBefore(const QString &text, int from, int at)
{
    int s = at;
    while (s > from && !Blank(text[s - 1])) --s;
    return QStringView(text).mid(s, at - s);
}

bool AllDigits(QStringView word)
{
    return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
}

// Whether the mark at `at` ends a sentence of the block that begins at `from`.
bool EndsSentence(const QString &text, int from, int end, int at)
{
    if (!Dot(text[at])) return true;
    int next = at + 1;
    while (next < end && (EndMark(text[next]) || Closer(text[next]))) ++next;
    // Something other than a blank right after the dot: a number, an abbreviation, an address.
    if (next < end && !Blank(text[next])) return false;
    const QStringView word = WordBefore(text, from, at);
    // A lone letter after another dot (ق.م.) or a Latin capital (J. R.): an abbreviation or
    // an initial. A Persian word of one letter (و) may well end a sentence.
    const qsizetype dot = word.lastIndexOf(u'.');
    const QStringView lastPart = word.mid(dot + 1);
    if (lastPart.size() == 1 && ((dot >= 0 && lastPart[0].isLetter()) || (lastPart[0] >= u'A' && lastPart[0] <= u'Z')))
        return false;
    // A number among the first two words labels a caption or a list item.
    if (AllDigits(word)) {
        const QStringView before = QStringView(text).mid(from, at - word.size() - from).trimmed();
        if (before.isEmpty() || !before.contains(u' ')) return false;
    }
    return true;
}

void Add(QList<TSentence> &out, const QString &text, int start, int end)
{
    while (start < end && Blank(text[start])) ++start;
    while (end > start && Blank(text[end - 1])) --end;
    while (end - start > TSentenceCutter::MaxLength) {
        // The last comma or colon in the second half of the allowed length, else the last blank.
        const int limit = start + TSentenceCutter::MaxLength;
        int cut = -1;
        for (int i = limit; i > start + TSentenceCutter::MaxLength / 2 && cut < 0; --i)
            if (QStringView(u"\u060C,:").contains(text[i - 1]) && Blank(text[i])) cut = i;
        for (int i = limit; i > start && cut < 0; --i)
            if (Blank(text[i])) cut = i;
        if (cut < 0) cut = limit;
        Add(out, text, start, cut);
        start = cut;
        while (start < end && Blank(text[start])) ++start;
    }
    if (end > start && Sayable(QStringView(text).mid(start, end - start)))
        out.append({start, end, TSentenceCutter::Spoken(text.mid(start, end - start))});
}
}

QString TSentenceCutter::Spoken(const QString &piece)
{
    QString said;
    said.reserve(piece.size());
    for (int i = 0; i < piece.size(); ++i) {
        const QChar c = piece[i];
        if (c == Tatweel) continue;
        if (Blank(c)) {
            if (!said.isEmpty() && !said.endsWith(u' ')) said += u' ';
            continue;
        }
        if (c == u'/' && i > 0 && i + 1 < piece.size() && piece[i - 1].isDigit() && piece[i + 1].isDigit()) {
            said += QStringLiteral("\u060C ");
            continue;
        }
        said += c;
    }
    return said.trimmed();
}

QList<TSentence> TSentenceCutter::Cut(const QString &text, const QList<int> &breaks)
{
    QList<int> bounds{0, int(text.size())};
    for (int b : breaks)
        if (b > 0 && b < text.size()) bounds << b;
    for (int i = 0; i < text.size(); ++i)
        if (LineEnd(text[i])) bounds << i + 1;
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());

    // The blocks that hold something to say: the first may be the heading, the last the page number.
    QList<std::pair<int, int>> blocks;
    for (int i = 0; i + 1 < bounds.size(); ++i)
        if (Sayable(QStringView(text).mid(bounds[i], bounds[i + 1] - bounds[i]))) blocks.append({bounds[i], bounds[i + 1]});
    static const QRegularExpression heading(QStringLiteral("^\\s*\\S.*\\s-\\s*صفحه\\s*(\\d+)\\s*$"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression number(QStringLiteral("^\\s*\\d+\\s*$"), QRegularExpression::UseUnicodePropertiesOption);

    QList<TSentence> out;
    for (int b = 0; b < blocks.size(); ++b) {
        const auto [from, end] = blocks[b];
        const QString whole = text.mid(from, end - from);
        if (b == 0) {
            const QRegularExpressionMatch m = heading.match(whole);
            if (m.hasMatch()) {
                Add(out, text, from, end);
                out.last().Spoken = QStringLiteral("صفحه ") + m.captured(1);
                continue;
            }
        }
        if (b == blocks.size() - 1 && b > 0 && number.match(whole).hasMatch()) continue;
        int start = from;
        for (int at = from; at < end; ++at) {
            if (!EndMark(text[at]) || !EndsSentence(text, from, end, at)) continue;
            int after = at + 1;
            while (after < end && (EndMark(text[after]) || Closer(text[after]))) ++after;
            Add(out, text, start, after);
            start = after;
            at = after - 1;
        }
        Add(out, text, start, end);
    }
    return out;
}

int TSentenceCutter::At(const QList<TSentence> &sentences, int place)
{
    for (int i = 0; i < sentences.size(); ++i)
        if (place < sentences[i].End) return i;
    return -1;
}

QList<TSentence> TSentenceCutter::From(const QList<TSentence> &sentences, const QString &text, int place)
{
    const int first = At(sentences, place);
    if (first < 0) return {};
    QList<TSentence> out = sentences.mid(first);
    TSentence &s = out.first();
    if (place > s.Start) {
        QList<TSentence> rest;
        Add(rest, text, place, s.End);
        if (rest.isEmpty()) out.removeFirst();
        else s = rest.first();
    }
    return out;
}
