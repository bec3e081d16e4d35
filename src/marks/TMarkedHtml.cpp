#include "marks/TMarkedHtml.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarksLayer.h"
#include <QHash>
#include <algorithm>

namespace {
// The character references the book's pages may use by name; others stay as written.
const QHash<QString, char16_t> &NamedReferences()
{
    static const QHash<QString, char16_t> names = {
        {QStringLiteral("amp"), u'&'},      {QStringLiteral("lt"), u'<'},       {QStringLiteral("gt"), u'>'},
        {QStringLiteral("quot"), u'"'},     {QStringLiteral("apos"), u'\''},    {QStringLiteral("nbsp"), 0x00a0},
        {QStringLiteral("zwnj"), 0x200c},   {QStringLiteral("zwj"), 0x200d},    {QStringLiteral("lrm"), 0x200e},
        {QStringLiteral("rlm"), 0x200f},    {QStringLiteral("laquo"), 0x00ab},  {QStringLiteral("raquo"), 0x00bb},
        {QStringLiteral("shy"), 0x00ad},    {QStringLiteral("ndash"), 0x2013},  {QStringLiteral("mdash"), 0x2014},
        {QStringLiteral("hellip"), 0x2026}, {QStringLiteral("copy"), 0x00a9},
    };
    return names;
}

bool StartsWithAt(const QString &s, qsizetype at, QLatin1String what)
{
    return QStringView(s).mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// The decoded reference at html[at] ('&'), its length in length; empty when it is none.
QString Reference(const QString &html, qsizetype at, qsizetype &length)
{
    const qsizetype n = html.size();
    qsizetype i = at + 1;
    if (i < n && html[i] == u'#') {
        const bool hex = i + 1 < n && (html[i + 1] == u'x' || html[i + 1] == u'X');
        i += hex ? 2 : 1;
        const qsizetype digits = i;
        while (i < n && i - digits < 8 && (hex ? isxdigit(html[i].unicode()) : html[i].isDigit())) ++i;
        if (i == digits) return {};
        bool ok = false;
        uint code = QStringView(html).mid(digits, i - digits).toUInt(&ok, hex ? 16 : 10);
        if (!ok) return {};
        if (i < n && html[i] == u';') ++i;
        length = i - at;
        if (code == 0 || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) code = 0xfffd;
        const char32_t c = code;
        return QString::fromUcs4(&c, 1);
    }
    while (i < n && i - at <= 10 && html[i].isLetterOrNumber() && html[i].unicode() < 128) ++i;
    if (i >= n || html[i] != u';') return {};
    const auto found = NamedReferences().constFind(html.mid(at + 1, i - at - 1));
    if (found == NamedReferences().constEnd()) return {};
    length = i + 1 - at;
    return QString(QChar(*found));
}
}

QString TMarkedHtml::Read(const QString &html, std::vector<TUnit> *units)
{
    QString text;
    const qsizetype n = html.size();
    // The text starts with the body; a part of a page has no body tag and is all body.
    bool inBody = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive) < 0;
    int run = 0;
    const auto add = [&](const QString &s, qsizetype begin, qsizetype end) {
        if (!inBody) return;
        text += s;
        if (units)
            for (qsizetype k = 0; k < s.size(); ++k) units->push_back(TUnit{begin, end, run});
    };
    qsizetype i = 0;
    while (i < n) {
        const QChar c = html[i];
        if (c == u'<') {
            if (StartsWithAt(html, i, QLatin1String("<!--"))) {
                const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
                i = close < 0 ? n : close + 3;
                ++run;
                continue;
            }
            const qsizetype nameAt = i + (i + 1 < n && html[i + 1] == u'/' ? 2 : 1);
            if (nameAt < n && (html[nameAt].isLetter() || html[nameAt] == u'!' || html[nameAt] == u'?')) {
                qsizetype end = nameAt;
                while (end < n && (html[end].isLetterOrNumber())) ++end;
                const QString name = html.mid(nameAt, end - nameAt).toLower();
                // The tag ends at the first '>' outside a quoted attribute value.
                QChar quote;
                while (end < n && (html[end] != u'>' || !quote.isNull())) {
                    if (quote.isNull() && (html[end] == u'"' || html[end] == u'\'')) quote = html[end];
                    else if (html[end] == quote) quote = QChar();
                    ++end;
                }
                i = std::min(end + 1, n);
                ++run;
                const bool closing = html[nameAt - 1] == u'/';
                if (!closing && name == QLatin1String("body")) inBody = true;
                if (!closing && (name == QLatin1String("script") || name == QLatin1String("style")
                                 || name == QLatin1String("title") || name == QLatin1String("noscript")
                                 || name == QLatin1String("template"))) {
                    const qsizetype close = html.indexOf(QStringLiteral("</") + name, i, Qt::CaseInsensitive);
                    const qsizetype after = close < 0 ? n : html.indexOf(u'>', close);
                    i = after < 0 ? n : after + 1;
                }
                continue;
            }
        }
        if (c == u'&') {
            qsizetype length = 0;
            const QString decoded = Reference(html, i, length);
            if (!decoded.isEmpty()) {
                add(decoded, i, i + length);
                i += length;
                continue;
            }
        }
        if (c == u'\r') {
            const qsizetype length = i + 1 < n && html[i + 1] == u'\n' ? 2 : 1;
            add(QStringLiteral("\n"), i, i + length);
            i += length;
            continue;
        }
        add(QString(c), i, i + 1);
        ++i;
    }
    return text;
}

QString TMarkedHtml::Text(const QString &html) { return Read(html, nullptr); }

QString TMarkedHtml::PrintStyle(TMark::TStyle style)
{
    // The print keeps the day's colours whatever the screen shows, backgrounds included.
    const QString exact = QStringLiteral("-webkit-print-color-adjust: exact; print-color-adjust: exact");
    if (style == TMark::msUnderline)
        return QStringLiteral("text-decoration: underline 0.12em %1; text-underline-offset: 0.2em; %2")
            .arg(TMarksLayer::UnderlineColour(false).name(), exact);
    return QStringLiteral("background-color: %1; %2").arg(TMarksLayer::DayColour(style).name(), exact);
}

QString TMarkedHtml::Mark(const QString &html, const QList<TStretch> &stretches)
{
    std::vector<TUnit> units;
    const QString text = Read(html, &units);
    const qsizetype count = static_cast<qsizetype>(units.size());
    std::vector<int> styleAt(count, -1);
    for (const TStretch &s : stretches)
        for (qsizetype u = std::max(0, s.Start); u < std::min<qsizetype>(s.End, count); ++u) styleAt[u] = s.Style;
    QString out;
    out.reserve(html.size() + stretches.size() * 160);
    qsizetype copied = 0;
    for (qsizetype u = 0; u < count;) {
        if (styleAt[u] < 0) {
            ++u;
            continue;
        }
        // The longest piece of one run of text in one style.
        qsizetype last = u;
        while (last + 1 < count && styleAt[last + 1] == styleAt[u] && units[last + 1].Run == units[u].Run) ++last;
        const bool blank = QStringView(text).mid(u, last + 1 - u).trimmed().isEmpty();
        // A unit decoded to two (a character outside the basic plane) is one piece of source.
        const qsizetype begin = units[u].Begin, end = units[last].End;
        if (!blank && begin >= copied) {
            out += QStringView(html).mid(copied, begin - copied);
            out += QStringLiteral("<span style=\"%1\">").arg(PrintStyle(static_cast<TMark::TStyle>(styleAt[u])));
            out += QStringView(html).mid(begin, end - begin);
            out += QStringLiteral("</span>");
            copied = end;
        }
        u = last + 1;
    }
    out += QStringView(html).mid(copied);
    return out;
}

QString TMarkedHtml::WithMarks(const QString &html, const QList<TMark> &marks, int *notFound)
{
    if (notFound) *notFound = 0;
    if (marks.isEmpty()) return html;
    const QString text = Text(html);
    QList<TStretch> stretches;
    for (const TMark &mark : marks) {
        const TMarkAnchor::TFound found = TMarkAnchor::Find(mark, text);
        if (found.Found) stretches.append(TStretch{found.Start, found.End, mark.Style});
        else if (notFound) ++*notFound;
    }
    return stretches.isEmpty() ? html : Mark(html, stretches);
}
