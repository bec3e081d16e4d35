// Where the sentences read aloud begin and end, and what the voice is given for each.
#include "speech/TSentenceCutter.h"
#include <QtTest>

class TestSentenceCutter : public QObject {
    Q_OBJECT
private slots:
    void cuttingRules();
    void readingFromAPlace();
};

namespace {
// A page written with ¶ where a block or a line begins: its text without them, and the breaks.
std::pair<QString, QList<int>> Page(const QString &written)
{
    QString text;
    QList<int> breaks;
    for (QChar c : written) {
        if (c == u'¶') breaks << int(text.size());
        else text += c;
    }
    return {text, breaks};
}

QString Said(const QList<TSentence> &sentences)
{
    QStringList said;
    for (const TSentence &s : sentences) said << s.Spoken;
    return said.join(QStringLiteral(" | "));
}
}

void TestSentenceCutter::cuttingRules()
{
    // Rule, the page (¶ a break), what is said, sentence by sentence.
    const struct { const char *Rule, *Page, *Said; } rules[] = {
        {"Persian full stop", "او آمد. ما رفتيم.", "او آمد. | ما رفتيم."},
        {"Arabic full stop", "او آمد۔ ما رفتيم", "او آمد۔ | ما رفتيم"},
        {"question mark", "آيا او آمد؟ بله", "آيا او آمد؟ | بله"},
        {"marks together, quotes closing", "گفت «كجايي؟!» و رفت! «آري.» سپس", "گفت «كجايي؟!» | و رفت! | «آري.» | سپس"},
        {"Persian semicolon and ellipsis", "نخست اين؛ سپس آن… و ديگر", "نخست اين؛ | سپس آن… | و ديگر"},
        {"Latin full stop", "He came. Darius ruled.", "He came. | Darius ruled."},
        {"decimal point", "وزن آن 3.5 من و ۳٫۵ بود.", "وزن آن 3.5 من و ۳٫۵ بود."},
        {"dotted date", "در 1374.05.25 آمد. رفت", "در 1374.05.25 آمد. | رفت"},
        {"slashed date said with pauses", "در ۱۳۷۴/۰۵/۲۵ آمد.", "در ۱۳۷۴، ۰۵، ۲۵ آمد."},
        {"abbreviations", "در ۲۲۵ ق.م. درگذشت. J. R. Tolkien نوشت.", "در ۲۲۵ ق.م. درگذشت. | J. R. Tolkien نوشت."},
        {"a word of one letter ending a sentence", "آمدند و. رفتند", "آمدند و. | رفتند"},
        {"a number ending a sentence", "سپاه او در سال 1374. سپس رفت", "سپاه او در سال 1374. | سپس رفت"},
        {"half-spaces", "كتاب‌ها را مي‌خواند. نامه‌اي", "كتاب‌ها را مي‌خواند. | نامه‌اي"},
        {"diacritics", "كِتابٌ عَلَى المَكْتَبِ. قَرَأَ", "كِتابٌ عَلَى المَكْتَبِ. | قَرَأَ"},
        {"tatweel left out, blanks as one", "كتـــاب  بزرگ\n  است.", "كتاب بزرگ است."},
        {"paragraphs and lines", "نخستين بند¶دومين بند¶سطري\u2028سطر ديگر", "نخستين بند | دومين بند | سطري | سطر ديگر"},
        {"page heading and page number", "جلد دوم، بخش يكم - صفحه 766¶متن صفحه.¶766",
         "صفحه 766 | متن صفحه."},
        {"heading only first, number only last", "متن¶جلد دوم - صفحه 766¶12¶پايان", "متن | جلد دوم - صفحه 766 | 12 | پايان"},
        {"caption under a picture", "متن.¶شكل 1. نقشه دروازه شهر¶متن", "متن. | شكل 1. نقشه دروازه شهر | متن"},
        {"list items", "¶1. نخست.¶2. دوم", "1. نخست. | 2. دوم"},
        {"nothing to say", "***¶. . .¶ \u200C ¶متن", "متن"},
    };
    for (const auto &r : rules) {
        const auto [text, breaks] = Page(QString::fromUtf8(r.Page));
        const QList<TSentence> sentences = TSentenceCutter::Cut(text, breaks);
        const QString said = Said(sentences);
        QVERIFY2(said == QString::fromUtf8(r.Said), qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(r.Rule), said)));
        // Each sentence is a stretch of the page, in order, without blanks at its ends.
        int after = 0;
        for (const TSentence &s : sentences) {
            QVERIFY2(s.Start >= after && s.Start < s.End && s.End <= text.size(), r.Rule);
            QVERIFY2(!text[s.Start].isSpace() && !text[s.End - 1].isSpace(), r.Rule);
            after = s.End;
        }
    }

    // A sentence too long for one message is cut at its last comma before the limit, else
    // at a blank.
    const QString clause = QStringLiteral("واژه ").repeated(40).trimmed();
    const QString longer = clause + QStringLiteral("، ") + clause + QStringLiteral("، ") + clause + u'.';
    const QList<TSentence> parts = TSentenceCutter::Cut(longer, {});
    QCOMPARE(parts.size(), 3);
    QVERIFY(parts[0].Spoken.endsWith(QStringLiteral("واژه،")) && parts[0].Spoken.size() <= TSentenceCutter::MaxLength);
    const QList<TSentence> unbroken = TSentenceCutter::Cut(QStringLiteral("واژه ").repeated(200), {});
    QCOMPARE(unbroken.size(), 4);
    QVERIFY(std::all_of(unbroken.begin(), unbroken.end(),
                        [](const TSentence &s) { return s.End - s.Start <= TSentenceCutter::MaxLength; }));
}

void TestSentenceCutter::readingFromAPlace()
{
    const QString text = QStringLiteral("او آمد. ما رفتيم و نشستيم. پايان");
    const QList<TSentence> all = TSentenceCutter::Cut(text, {});
    QCOMPARE(TSentenceCutter::At(all, 0), 0);
    QCOMPARE(TSentenceCutter::At(all, text.indexOf(QStringLiteral("رفتيم"))), 1);
    // A place in the blank between two sentences belongs to the next.
    QCOMPARE(TSentenceCutter::At(all, text.indexOf(QStringLiteral(" ما"))), 1);
    QCOMPARE(TSentenceCutter::At(all, int(text.size())), -1);
    // From a selection's start: that sentence is said from there on, the others whole.
    const QList<TSentence> from = TSentenceCutter::From(all, text, text.indexOf(QStringLiteral("نشستيم")));
    QCOMPARE(Said(from), QStringLiteral("نشستيم. | پايان"));
    QCOMPARE(from[0].Start, text.indexOf(QStringLiteral("نشستيم")));
}

QTEST_MAIN(TestSentenceCutter)
#include "tst_sentencecutter.moc"
