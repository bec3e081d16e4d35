#include "PlainFolding.h"
#include "SearchTestBook.h"
#include "app/Errors.h"
#include "app/PageMarker.h"
#include "search/TBookText.h"
#include "search/TFoldedText.h"
#include "search/TPageScanner.h"
#include "search/TResultContext.h"
#include "search/TResultPage.h"
#include "search/TSearchRun.h"
#include <QRandomGenerator>
#include <QtTest>
#include <string_view>

class TestFoldedSearch : public QObject {
    Q_OBJECT
private slots:
    void foldingRules();
    void dropsTermsJudgedFolded();
    void scanAgreesWithPlainMatcher();
    void keptTextFollowsTheFiles();
    void marksThePageOwnCharacters();
    void contextLineAroundTheFirstMatch();
};

namespace {
const bool Substring = false, WholeWord = true;

bool ProgramFinds(const QString &page, const QString &term, bool whole)
{
    return TFoldedTerm(term).Occurs(TFoldedText(page), whole);
}
}

void TestFoldedSearch::foldingRules()
{
    using namespace std::string_view_literals;
    // Rule, page text, term, found as a substring, found as a whole word.
    const struct { const char *Rule; std::string_view Page, Term; bool Found, Whole; } rules[] = {
        {"yeh", "علي آمد", "علی", true, true},
        {"yeh", "مصطفى", "مصطفي", true, true},
        {"yeh", "هيئت", "هییت", true, true},
        {"yeh", "كتابي", "كتابى", true, true},
        {"kaf", "كتاب", "کتاب", true, true},
        {"kaf", "کتاب", "كتاب", true, true},
        {"alef", "أحمد", "احمد", true, true},
        {"alef", "إيران", "ايران", true, true},
        {"alef", "آب", "اب", true, true},
        {"alef", "ٱلله", "الله", true, true},
        {"alef", "احمد", "أحمد", true, true},
        {"waw", "مؤمن", "مومن", true, true},
        {"heh", "مدرسة", "مدرسه", true, true},
        {"heh", "خانۀ ما", "خانه", true, true},
        {"diacritics", "كِتابُ", "كتاب", true, true},
        {"diacritics", "كتاب", "كَتاب", true, true},
        {"diacritics", "رحمٰن", "رحمن", true, true},
        {"tatweel", "كتـــاب", "كتاب", true, true},
        {"joiner and direction marks", "كتا\u200Dب \u200Fدر", "كتاب در", true, true},
        {"joiner and direction marks", "\u061Cكتاب", "كتاب", true, true},
        {"Quranic marks", "الْكِتَابُ\u06D6 لَا رَيْبَ\u06DB فِيهِ\u06DC", "الكتاب لا ريب فيه", true, true},
        {"Quranic marks", "محمد\u0610\u0612 و\u06DFمالك\u06E5\u06E8 ملك\u06EA\u06ED", "محمد ومالك ملك", true, true},
        {"no-break space", "مي\u00A0شود", "مي شود", true, true},
        {"no-break space", "مي\u00A0شود", "ميشود", false, false},
        {"other spaces", "مي\u202Fشود و\u2009نه\u3000آن", "مي\u00A0شود و نه آن", true, true},
        {"U+0000 is a character", "s\0h\0a\0h"sv, "shah", false, false},
        {"U+0000 is a character", "s\0hah"sv, "s\0hah"sv, true, true},
        {"half-space", "مي\u200Cشود", "مي\u200Cشود", true, true},
        {"half-space", "مي\u200Cشود", "ميشود", true, true},
        {"half-space", "مي\u200Cشود", "مي شود", true, true},
        {"half-space", "ميشود", "مي\u200Cشود", true, true},
        {"half-space", "مي شود", "مي\u200Cشود", true, true},
        {"blank never nothing", "ميشود", "مي شود", false, false},
        {"blank never nothing", "مي شود", "ميشود", false, false},
        {"blank never nothing", "مي  شود", "مي شود", false, false},
        {"half-space joins a word", "كتاب\u200Cها", "كتاب", true, false},
        {"digits", "سال 1357", "۱۳۵۷", true, true},
        {"digits", "سال ۱۳۵۷", "1357", true, true},
        {"digits", "سال ١٣٥٧", "۱۳۵۷", true, true},
        {"Latin case", "(Persepolis)", "PERSEPOLIS", true, true},
        {"Latin case", "PERSEPOLIS", "persepolis", true, true},
        {"other letters stay apart", "بار", "پار", false, false},
        {"other letters stay apart", "كتاب", "كتب", false, false},
        {"whole word", "كتابخانه", "كتاب", true, false},
    };
    for (const auto &r : rules) {
        const QByteArray pageBytes(r.Page.data(), r.Page.size()), termBytes(r.Term.data(), r.Term.size());
        const QString page = QString::fromUtf8(pageBytes), term = QString::fromUtf8(termBytes);
        for (const bool whole : {Substring, WholeWord}) {
            const bool expected = whole ? r.Whole : r.Found;
            const QByteArray what = QByteArray(r.Rule) + ": " + termBytes + (whole ? " (whole word) in " : " in ") + pageBytes;
            QVERIFY2(!PlainFolding::Matches(page, term, whole).empty() == expected, "plain matcher: " + what);
            QVERIFY2(ProgramFinds(page, term, whole) == expected, what);
        }
    }
}

void TestFoldedSearch::dropsTermsJudgedFolded()
{
    const TSearchQuery q = TSearchQuery::Parse(QStringLiteral("Html+بِ+ \u200C+ها+BODY+Font+مي شود"), true);
    QCOMPARE(q.Terms, (QStringList{QString(), QString(), QString(), QStringLiteral("ها"), QString(), QString(),
                                   QStringLiteral("مي شود")}));
    QVERIFY(q.Folded);
    // Unticked, the same query keeps what the exact rules keep.
    QCOMPARE(TSearchQuery::Parse(QStringLiteral("Html+بِ")).Terms, (QStringList{QStringLiteral("Html"), QStringLiteral("بِ")}));
}

void TestFoldedSearch::scanAgreesWithPlainMatcher()
{
    TTestBook book;
    const QStringList pieces = {QStringLiteral("مي"), QStringLiteral("شود"), QStringLiteral("\u200C"), QStringLiteral(" "),
                                QStringLiteral("  "), QStringLiteral("كتاب"), QStringLiteral("کتاب"), QStringLiteral("ها"),
                                QStringLiteral("\u064E"), QStringLiteral("ـ"), QStringLiteral("آ"), QStringLiteral("ة"),
                                QStringLiteral("۱۳"), QStringLiteral("13"), QStringLiteral("Ab"), QStringLiteral("aB"),
                                QStringLiteral("<b>"), QStringLiteral("\r\n"), QStringLiteral("\u200F"), QStringLiteral("،"),
                                QStringLiteral("\u00A0"), QStringLiteral("\u06D6"), QStringLiteral("\u3000")};
    QRandomGenerator rng(7);
    const auto draw = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i) s += pieces[rng.bounded(int(pieces.size()))];
        return s;
    };
    const TPageEncoding encodings[] = {peUtf8, peUtf8Bom, peUtf16Le, peUtf16Be};
    std::vector<QString> bodies;
    for (int page = 1; page <= 60; ++page) {
        bodies.push_back(draw(30));
        book.Write(page, PageText(bodies.back(), QStringLiteral("كتاب")), encodings[page % 4]);
    }
    TBookText kept;
    kept.Start(1, 60, [&](int p) { return book.File(p); });
    kept.Wait();
    for (int round = 0; round < 40; ++round) {
        const QStringList terms = {draw(1 + rng.bounded(3)), draw(2), QStringLiteral("مي شود")};
        for (const int options : {int(TScratchText::foMatchCase), int(TScratchText::foWholeWord)}) {
            const bool whole = options & TScratchText::foWholeWord;
            TPageScanner scanner(terms, options, true);
            for (int page = 1; page <= 60; ++page) {
                quint32 plain = 0;
                // The page's searched text: the lines below its head.
                const QString searched = QStringLiteral("<body>\r\n") + bodies[page - 1] + QStringLiteral("\r\n</body></html>\r\n");
                for (int k = 0; k < terms.size(); ++k)
                    if (!PlainFolding::Matches(searched, terms[k], whole).empty()) plain |= 1u << k;
                quint32 mask = 0;
                QString error;
                scanner.Scan(book.File(page), mask, error);
                const QByteArray what = QStringLiteral("page %1, terms %2, whole %3").arg(page).arg(terms.join(u'|')).arg(whole).toUtf8();
                QVERIFY2(mask == plain, "file: " + what);
                QVERIFY2(kept.Page(page) && scanner.ScanKept(*kept.Page(page)) == plain, "kept: " + what);
            }
        }
    }
}

void TestFoldedSearch::keptTextFollowsTheFiles()
{
    TTestBook book;
    for (int page = 1; page <= 6; ++page) book.Write(page, PageText(QStringLiteral("واژه")));
    TBookText kept;
    kept.Start(1, 6, [&](int p) { return book.File(p); });
    kept.Wait();
    qint64 files = 0;
    for (int page = 1; page <= 6; ++page) files += QFileInfo(book.File(page)).size();
    QVERIFY(kept.Page(1) && kept.Page(6));  // read in the tick of their writing, and again once settled
    QVERIFY(kept.MemorySize() > 0);
    QVERIFY2(kept.MemorySize() < 2 * files, qPrintable(QStringLiteral("%1 bytes kept for %2").arg(kept.MemorySize()).arg(files)));

    // At once after the reading: page 2 changed, page 3 vanished, page 4 became unreadable,
    // page 5 was replaced by a file of the same size. Read in the tick of its change, a page's
    // stamp might not tell the next change.
    book.Write(2, PageText(QStringLiteral("ديگر")));
    QVERIFY(!TBookText::Read(book.File(2))->Settled);
    QFile::remove(book.File(3));
    QFile::remove(book.File(5));
    book.Write(5, PageText(QStringLiteral("ديگر")));
    const auto run = [&](const QString &query, bool folded) {
        TSearchRun r(TSearchQuery::Parse(query, folded), 1, 6, TScratchText::foMatchCase, [&](int p) { return book.File(p); }, &kept);
        r.Run();
        return r.ListedPages();
    };
    for (const bool folded : {false, true}) {
        QCOMPARE(run(QStringLiteral("واژه"), folded), (std::vector<int>{1, 4, 6}));
        QCOMPARE(run(QStringLiteral("ديگر"), folded), (std::vector<int>{2, 5}));
    }
    QVERIFY(QFile::remove(book.File(4)));
    QVERIFY(QDir().mkpath(book.File(4)));
    QVERIFY_THROWS_EXCEPTION(EFileError, run(QStringLiteral("واژه"), true));
}

void TestFoldedSearch::marksThePageOwnCharacters()
{
    const QString open = TPageMarker::OpenMark(QStringLiteral("#FF8000")), close = TPageMarker::CloseMark();
    const QString page = QStringLiteral("<p title=\"مي شود\">اين كار مي\u200Cشود و مِي شُود &amp;مي&#8204;شود</p>");
    int marked = 0;
    const QString result = TResultPage::MarkTerms(page, {QStringLiteral("ميشود")}, TScratchText::foMatchCase, true,
                                                  QStringLiteral("#FF8000"), &marked);
    // The half-space and the diacritics inside the marks; the attribute and the character
    // reference untouched ("مي شود" with a blank is not "ميشود").
    QCOMPARE(result, QStringLiteral("<p title=\"مي شود\">اين كار ") + open + QStringLiteral("مي\u200Cشود") + close
                         + QStringLiteral(" و مِي شُود &amp;مي&#8204;شود</p>"));
    QCOMPARE(marked, 1);
    const QString blanks = TResultPage::MarkTerms(page, {QStringLiteral("مي شود")}, TScratchText::foMatchCase, true,
                                                  QStringLiteral("#FF8000"), &marked);
    QCOMPARE(marked, 2);  // not inside the tag
    QVERIFY(blanks.contains(open + QStringLiteral("مِي شُود") + close));
    QCOMPARE(QString(blanks).remove(open).remove(close), page);
}

void TestFoldedSearch::contextLineAroundTheFirstMatch()
{
    const QString body = QStringLiteral("<p align=\"justify\">آغاز سخن. ") + QStringLiteral("واژه ").repeated(20)
        + QStringLiteral("در اين كتاب مي\u200Cشود &amp; بود</p>\r\n<p>") + QStringLiteral("پايان ").repeated(20) + QStringLiteral("</p>");
    const QString page = PageText(body, QStringLiteral("مي شود"));
    // The first term found is the second slot's; the head's occurrence does not count.
    const TResultContext::TLine line = TResultContext::Of(page, {QStringLiteral("ناياب"), QStringLiteral("مي شود")},
                                                          TScratchText::foMatchCase, true);
    QCOMPARE(line.Text.mid(line.MatchFrom, line.MatchLength), QStringLiteral("مي\u200Cشود"));
    QVERIFY2(line.Text.startsWith(QStringLiteral("… واژه")), qPrintable(line.Text));
    QVERIFY(line.Text.contains(QStringLiteral("در اين كتاب مي\u200Cشود & بود پايان")));
    QVERIFY(line.Text.endsWith(QStringLiteral("پايان …")));
    QVERIFY(line.Text.size() <= 2 * TResultContext::Reach + 16);
    QVERIFY(line.Html().contains(QStringLiteral("<b>مي\u200Cشود</b> &amp; بود")));
    QVERIFY(TResultContext::Of(page, {QStringLiteral("مي شود")}, TScratchText::foMatchCase, false).Text.isEmpty());
}

QTEST_MAIN(TestFoldedSearch)
#include "tst_foldedsearch.moc"
