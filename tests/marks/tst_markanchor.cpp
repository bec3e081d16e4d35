#include "marks/TMarkAnchor.h"
#include "search/PlainFolding.h"
#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

namespace {
// The re-finding rule written plainly: every folded match of the quote (the widest of those
// nested in one another, with the quote's blanks and half-spaces at its ends), the one whose context agrees in the most letters outward from
// it, then the nearest to the old place; a short quote needs some of its context.
TMarkAnchor::TFound PlainFind(const TMark &m, const QString &page)
{
    if (m.Start < m.End && page.mid(m.Start - m.Prefix.size(), m.Prefix.size() + m.Quote.size() + m.Suffix.size()) == m.Prefix + m.Quote + m.Suffix)
        return {true, m.Start, m.End};
    const auto gaps = [](const QString &s, qsizetype from, qsizetype to, bool atEnd) {
        int n = 0;
        for (qsizetype i = atEnd ? to - 1 : from; i >= from && i < to; i += atEnd ? -1 : 1) {
            const char16_t c = PlainFolding::Fold(s[i].unicode()).value_or(0);
            if (c != u' ' && c != 0x200C && (c || !atEnd)) break;
            n += c != 0;
        }
        return n;
    };
    const auto folded = [](const QString &s) {
        QString out;
        for (const PlainFolding::TChar &c : PlainFolding::Chars(s))
            if (!c.Join()) out += QChar(c.C);
        return out;
    };
    // The letters, blanks not counted, of the longest common start (or end) of two keys.
    const auto agree = [](QString a, QString b, bool backwards) {
        if (backwards) {
            std::reverse(a.begin(), a.end());
            std::reverse(b.begin(), b.end());
        }
        qsizetype n = 0;
        while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
        return int(n - a.left(n).count(u' '));
    };
    const QString prefix = folded(m.Prefix), suffix = folded(m.Suffix);
    const bool lone = QString(folded(m.Quote)).remove(u' ').size() < TMarkAnchor::MinLoneQuote;
    TMarkAnchor::TFound best{false, 0, 0};
    int bestScore = -1;
    // A match takes at its ends no more of the page's blanks and half-spaces than the quote has.
    auto matches = PlainFolding::Matches(page, m.Quote, false);
    std::erase_if(matches, [&](const auto &o) {
        return gaps(page, o.first, o.second, false) > gaps(m.Quote, 0, m.Quote.size(), false)
            || gaps(page, o.first, o.second, true) > gaps(m.Quote, 0, m.Quote.size(), true);
    });
    for (const auto &[start, end] : matches) {
        if (std::any_of(matches.begin(), matches.end(), [&, s = start, e = end](const auto &o) {
                return o != std::pair{s, e} && o.first <= s && e <= o.second;
            }))
            continue;
        const int score = agree(prefix, folded(page.left(start)), true) + agree(suffix, folded(page.mid(end)), false);
        if (lone && score < TMarkAnchor::MinLoneContext) continue;
        if (score > bestScore || (score == bestScore && std::abs(start - m.Start) < std::abs(best.Start - m.Start)))
            best = {true, int(start), int(end)}, bestScore = score;
    }
    return best;
}

// A page with the marked stretch in brackets; the brackets taken out.
std::pair<QString, int> Unbracket(QString page, int &end)
{
    const int start = int(page.indexOf(u'['));
    end = int(page.indexOf(u']')) - 1;
    return {page.remove(u'[').remove(u']'), start};
}
}

class TestMarkAnchor : public QObject {
    Q_OBJECT
private slots:
    void findsTheMarkAgain();
    void agreesWithPlainFinderOnChangedPages();
};

void TestMarkAnchor::findsTheMarkAgain()
{
    // The page when marked, the page now; the brackets show the mark, and where it is to
    // be found now (none: not found).
    const struct { const char *Case, *Then, *Now; } rows[] = {
        {"unchanged page", "آغاز سخن [در اين روزگار] پايان", "آغاز سخن [در اين روزگار] پايان"},
        {"word inserted before", "آغاز سخن [در اين روزگار] پايان", "آغاز نو و سخن [در اين روزگار] پايان"},
        {"hamza corrected", "گفتند كه [تاثير شاه اين بود] و رفتند", "گفتند كه [تأثير شاه اين بود] و رفتند"},
        {"half-space for a blank", "گفتند كه [كار مي\u200Cشود اكنون] و رفتند", "گفتند كه [كار مي شود اكنون] و رفتند"},
        {"half-space dropped", "گفتند كه [كار مي\u200Cشود اكنون] و رفتند", "گفتند كه [كار ميشود اكنون] و رفتند"},
        {"diacritics added after", "سخن از [كتاب شاهان] است", "سخن از [كتاب شاهانِ] است"},
        {"duplicated: context decides", "نخست [شاه به شهر بزرگ آمد] و سپس رفت",
         "شاه به شهر بزرگ آمد نخست [شاه به شهر بزرگ آمد] و سپس رفت"},
        {"duplicated, context gone: nearest", "ديگر سخن [شاه به شهر بزرگ آمد] و سپس رفت",
         "گفته [شاه به شهر بزرگ آمد] و شاه به شهر بزرگ آمد ديگر بار"},
        {"passage deleted", "آغاز سخن [در اين روزگار] پايان", "آغاز سخن پايان"},
        {"words changed", "آغاز سخن [در اين روزگار] پايان", "آغاز سخن در آن روزگار پايان"},
        {"short word elsewhere", "ديدند [شاه] را", "آمد و رفت و شاه كجاست"},
        {"short word, context kept", "ديدند [شاه] را", "آنها ديدند [شاه] را"},
        {"lines reflowed", "آغاز سخن [در اين\nروزگار] پايان", "آغاز سخن\n[در اين روزگار]\n\n پايان"},
    };
    for (const auto &r : rows) {
        int end = 0, nowEnd = 0;
        const auto [then, start] = Unbracket(QString::fromUtf8(r.Then), end);
        const auto [now, nowStart] = Unbracket(QString::fromUtf8(r.Now), nowEnd);
        const TMark m = TMarkAnchor::Make(835, then, end, start, TMark::msGreen);  // ends in either order
        QCOMPARE(m.Quote, then.mid(start, end - start));
        QVERIFY(m.Prefix.size() <= TMark::ContextLength && then.left(start).endsWith(m.Prefix));
        const TMarkAnchor::TFound f = TMarkAnchor::Find(m, now);
        const QByteArray what = QByteArray(r.Case) + ": " + r.Now;
        QVERIFY2(f.Found == (nowStart >= 0), what);
        if (f.Found) QVERIFY2(f.Start == nowStart && f.End == nowEnd, what + " at " + QByteArray::number(f.Start));
        if (!now.contains(u'\n')) {  // the plain finder knows no runs of white space
            const TMarkAnchor::TFound p = PlainFind(m, now);
            QVERIFY2(p.Found == f.Found && p.Start == f.Start && p.End == f.End, "plain finder: " + what);
        }
    }
}

void TestMarkAnchor::agreesWithPlainFinderOnChangedPages()
{
    const QStringList words = {QStringLiteral("شاه"), QStringLiteral("مي\u200Cشود"), QStringLiteral("مسئله"),
                               QStringLiteral("كتاب"), QStringLiteral("و"), QStringLiteral("آمد"), QStringLiteral("در"),
                               QStringLiteral("سپاه"), QStringLiteral("شهر"), QStringLiteral("رفت"), QStringLiteral("ها")};
    // Edits a new edition makes: other spellings of a letter, a half-space for a blank, a
    // diacritic, words inserted or deleted, the passage written twice.
    const std::pair<QString, QString> respell[] = {{QStringLiteral("ئ"), QStringLiteral("ي")},
                                                   {QStringLiteral("ك"), QStringLiteral("ک")},
                                                   {QStringLiteral("\u200C"), QStringLiteral(" ")},
                                                   {QStringLiteral("ه "), QStringLiteral("هِ ")}};
    QRandomGenerator rng(26);
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        QStringList page;
        for (int i = 0; i < 24; ++i) page << words[rng.bounded(int(words.size()))];
        const QString then = page.join(u' ');
        const int start = rng.bounded(int(then.size()) - 1);
        const TMark m = TMarkAnchor::Make(1, then, start, start + 1 + rng.bounded(std::min(30, int(then.size()) - start)), TMark::msPink);
        QString now = then;
        const auto &[from, to] = respell[rng.bounded(4)];
        switch (rng.bounded(4)) {
        case 0: now.replace(from, to); break;
        case 1: now.insert(int(now.indexOf(u' ', rng.bounded(int(now.size()))) + 1), words[rng.bounded(int(words.size()))] + u' '); break;
        case 2: now.remove(rng.bounded(int(now.size()) - 8), 8); break;
        case 3: now.insert(int(now.indexOf(u' ', rng.bounded(int(now.size())))) + 1, m.Quote + u' '); break;
        }
        while (now.contains(QStringLiteral("  "))) now.replace(QStringLiteral("  "), QStringLiteral(" "));
        const TMarkAnchor::TFound f = TMarkAnchor::Find(m, now), p = PlainFind(m, now);
        QVERIFY2(f.Found == p.Found && f.Start == p.Start && f.End == p.End,
                 qPrintable(QStringLiteral("«%1» in «%2»: %3..%4, plain %5..%6").arg(m.Quote, now).arg(f.Start).arg(f.End).arg(p.Start).arg(p.End)));
        QVERIFY(!f.Found || (0 <= f.Start && f.Start < f.End && f.End <= now.size()));
        found += f.Found;
    }
    QVERIFY(found > 100 && found < 400);  // both outcomes drawn
}

QTEST_APPLESS_MAIN(TestMarkAnchor)
#include "tst_markanchor.moc"
