#include "SearchTestBook.h"
#include "app/Errors.h"
#include "search/TPageScanner.h"
#include "search/TSearchEngine.h"
#include "search/TSearchRun.h"
#include <QRandomGenerator>
#include <QtTest>

class TestSearchEngine : public QObject {
    Q_OBJECT
private slots:
    void parsesTermsAndModes();
    void normalisesPersianLetters();
    void dropsMarkupAndOneLetterTerms();
    void keepsTenTerms();
    void scannerAgreesWithPlainScanInEveryEncoding();
    void scannerIgnoresTheHeadAndMissingPages();
    void countsAnyTermAndAllTerms();
    void listsAtMost999Pages();
    void scopeLimitsPages();
    void unreadablePageStopsTheRun();
    void sampleBookAgreesWithPlainScan();
};

void TestSearchEngine::parsesTermsAndModes()
{
    TSearchQuery q = TSearchQuery::Parse(QStringLiteral("ايران+ شاه "));
    QCOMPARE(q.Terms, (QStringList{QStringLiteral("ايران"), QStringLiteral(" شاه ")}));  // blanks stay
    QVERIFY(!q.AllTerms);
    q = TSearchQuery::Parse(QStringLiteral("aa+bb*cc"));
    QCOMPARE(q.Terms, (QStringList{QStringLiteral("aa"), QStringLiteral("bb"), QStringLiteral("cc")}));
    QVERIFY(q.AllTerms);
    q = TSearchQuery::Parse(QStringLiteral("+aa++"));
    QCOMPARE(q.TermCount(), 4);
    QCOMPARE(q.ActiveTermCount(), 1);
}

void TestSearchEngine::normalisesPersianLetters()
{
    const TSearchQuery q = TSearchQuery::Parse(QStringLiteral("\u06CC\u06A9\u0627"));
    QCOMPARE(q.Terms.first(), QStringLiteral("\u064A\u0643\u0627"));
}

void TestSearchEngine::dropsMarkupAndOneLetterTerms()
{
    const TSearchQuery q = TSearchQuery::Parse(QStringLiteral("font+FONT+Font+b+x+body+شا"));
    QCOMPARE(q.Terms, (QStringList{QString(), QString(), QStringLiteral("Font"), QString(), QString(), QString(),
                                   QStringLiteral("شا")}));
}

void TestSearchEngine::keepsTenTerms()
{
    TSearchQuery q = TSearchQuery::Parse(QStringLiteral("a1+a2+a3+a4+a5+a6+a7+a8+a9+a10+a11*a12"));
    QCOMPARE(q.TermCount(), 10);
    QCOMPARE(q.Terms.last(), QStringLiteral("a10"));
    QVERIFY(q.AllTerms);  // the '*' after the tenth term still counts
}

void TestSearchEngine::scannerAgreesWithPlainScanInEveryEncoding()
{
    TTestBook book;
    const QStringList words = {QStringLiteral("ايران"), QStringLiteral("كتاب"), QStringLiteral("Shah"),
                               QStringLiteral("shah"), QStringLiteral("نامه"), QStringLiteral("1380"),
                               QStringLiteral("ک"), QStringLiteral("\u200Cها")};
    const QStringList pieces = {QStringLiteral("ايران"), QStringLiteral("ايرانى"), QStringLiteral("كتاب"),
                                QStringLiteral(" "), QStringLiteral("Shahnameh"), QStringLiteral("SHAH"),
                                QStringLiteral("shah"), QStringLiteral("نامه"), QStringLiteral("<b>"),
                                QStringLiteral("1380"), QStringLiteral("\u200Cها"), QStringLiteral("\r\n"),
                                QStringLiteral("\n"), QStringLiteral("\r"), QStringLiteral("\u2028"), QStringLiteral("é")};
    QRandomGenerator rng(42);
    const TPageEncoding encodings[] = {peUtf8, peUtf8Bom, peUtf16Le, peUtf16Be, peAnsi};
    int page = 1;
    for (int round = 0; round < 8; ++round) {
        for (TPageEncoding enc : encodings) {
            QString body;
            for (int i = 0; i < 40; ++i) body += pieces[rng.bounded(int(pieces.size()))];
            const QString eol = round % 3 == 0 ? QStringLiteral("\n") : round % 3 == 1 ? QStringLiteral("\r") : QStringLiteral("\r\n");
            book.Write(page++, PageText(body, words[rng.bounded(int(words.size()))], eol), enc);
        }
    }
    // Broken bytes: invalid UTF-8 after a mark, and a short file.
    {
        QFile f(book.File(page++));
        f.open(QIODevice::WriteOnly);
        f.write("\xEF\xBB\xBF" + PageText(QStringLiteral("ايران \xC3 كتاب")).toUtf8() + "\xD8");
    }
    book.Write(page++, QStringLiteral("ايران\r\nكتاب"));
    const QList<QStringList> queries = {
        {QStringLiteral("ايران"), QStringLiteral("كتاب")}, {QStringLiteral("Shah"), QString()},
        {QStringLiteral("shah"), QStringLiteral("ايران كتاب")}, {QStringLiteral("\u200Cها"), QStringLiteral("1380")},
        {QStringLiteral("نامه"), QStringLiteral("ما\r\nك")}, {QStringLiteral("é"), QStringLiteral("ايرانى")}};
    for (const QStringList &terms : queries) {
        for (int options : {int(TScratchText::foMatchCase), int(TScratchText::foWholeWord)}) {
            TPageScanner scanner(terms, options);
            for (int p = 1; p < page; ++p) {
                quint32 mask = 0;
                QString error;
                QCOMPARE(scanner.Scan(book.File(p), mask, error), TPageScanner::psScanned);
                QVERIFY2(mask == PlainMask(book.File(p), terms, options),
                         qPrintable(QStringLiteral("page %1 terms %2 options %3").arg(p).arg(terms.join(u'|')).arg(options)));
            }
        }
    }
}

void TestSearchEngine::scannerIgnoresTheHeadAndMissingPages()
{
    TTestBook book;
    book.Write(1, PageText(QStringLiteral("متن"), QStringLiteral("سرلوحه")));
    TPageScanner scanner({QStringLiteral("سرلوحه"), QStringLiteral("متن")}, TScratchText::foMatchCase);
    quint32 mask = 0;
    QString error;
    QCOMPARE(scanner.Scan(book.File(1), mask, error), TPageScanner::psScanned);
    QCOMPARE(mask, 2u);
    QCOMPARE(scanner.Scan(book.File(2), mask, error), TPageScanner::psMissing);
}

void TestSearchEngine::countsAnyTermAndAllTerms()
{
    TTestBook book;
    book.Write(3, PageText(QStringLiteral("ايران و توران")));
    book.Write(5, PageText(QStringLiteral("ايران")));
    book.Write(8, PageText(QStringLiteral("توران")));
    const auto file = [&](int p) { return book.File(p); };
    TSearchRun any(TSearchQuery::Parse(QStringLiteral("ايران+توران")), 1, 10, TScratchText::foMatchCase, file);
    any.Run();
    QCOMPARE(any.FoundCount(), 4);  // page 3 adds two
    QCOMPARE(any.ListedPages(), (std::vector<int>{3, 5, 8}));
    QCOMPARE(any.Position(), (8 - 1) * 100 / 9);  // the last existing page
    TSearchRun all(TSearchQuery::Parse(QStringLiteral("ايران*توران")), 1, 10, TScratchText::foMatchCase, file);
    all.Run();
    QCOMPARE(all.FoundCount(), 1);
    QCOMPARE(all.ListedPages(), (std::vector<int>{3}));
    // An emptied slot is never found and is not required in all-terms mode.
    TSearchRun dropped(TSearchQuery::Parse(QStringLiteral("ايران*font*")), 1, 10, TScratchText::foMatchCase, file);
    dropped.Run();
    QCOMPARE(dropped.ListedPages(), (std::vector<int>{3, 5}));
    TSearchRun nothing(TSearchQuery::Parse(QStringLiteral("+")), 1, 10, TScratchText::foMatchCase, file);
    nothing.Run();
    QCOMPARE(nothing.ResultCount(), 0);
}

void TestSearchEngine::listsAtMost999Pages()
{
    TTestBook book;
    for (int p = 1; p <= 1005; ++p) book.Write(p, PageText(QStringLiteral("واژه")));
    TSearchRun run(TSearchQuery::Parse(QStringLiteral("واژه")), 1, 1005, TScratchText::foMatchCase,
                   [&](int p) { return book.File(p); });
    run.Run();
    QCOMPARE(int(run.ListedPages().size()), 999);
    QCOMPARE(run.ListedPages().back(), 999);
    QCOMPARE(run.FoundCount(), 1005);
    QCOMPARE(run.Position(), 100);
}

void TestSearchEngine::scopeLimitsPages()
{
    TTestBook book;
    for (int p : {765, 766, 1000, 1312, 1313}) book.Write(p, PageText(QStringLiteral("واژه")));
    TSearchRun run(TSearchQuery::Parse(QStringLiteral("واژه")), ReaderState.FirstPage[2], ReaderState.LastPage[2],
                   TScratchText::foMatchCase, [&](int p) { return book.File(p); });
    run.Run();
    QCOMPARE(run.ListedPages(), (std::vector<int>{766, 1000, 1312}));
}

void TestSearchEngine::unreadablePageStopsTheRun()
{
    TTestBook book;
    book.Write(1, PageText(QStringLiteral("واژه")));
    QVERIFY(QDir().mkpath(book.File(2)));  // exists, but cannot be read as a file (also not by the superuser)
    book.Write(3, PageText(QStringLiteral("واژه")));
    TSearchRun run(TSearchQuery::Parse(QStringLiteral("واژه")), 1, 3, TScratchText::foMatchCase,
                   [&](int p) { return book.File(p); });
    run.Start();
    QVERIFY_THROWS_EXCEPTION(EFileError, while (!run.Poll(50)) {});
    QCOMPARE(run.ListedPages(), (std::vector<int>{1}));
}

void TestSearchEngine::sampleBookAgreesWithPlainScan()
{
    const QString folder = QStringLiteral(KETAB_BOOK_DIR "/");
    QVERIFY2(QFile::exists(folder + QStringLiteral("datas/p010001.htm")), "the sample book is not built");
    ReaderState.AppFolder = folder;
    ReaderState.FillSectionTable();
    const auto file = [](int p) { return PageFile(SectionOf(p), p); };
    // Each query is found somewhere in its scope, except the words of markup, which a page
    // of the book holds only where the search drops them.
    const struct { const char *Query; int Scope; int Options; bool Found; } cases[] = {
        {"ايران+شاه", 0, TScratchText::foMatchCase, true},
        {"ايران*شاه", 2, TScratchText::foMatchCase, true},
        {"\u06A9\u0631\u062F", 5, TScratchText::foWholeWord, true},  // typed with keheh, found as a whole word
        {"class+span+div+h2+style", 0, TScratchText::foMatchCase, false}};
    for (const auto &c : cases) {
        const TSearchQuery q = TSearchQuery::Parse(QString::fromUtf8(c.Query));
        const int first = c.Scope ? ReaderState.FirstPage[c.Scope] : 1;
        const int last = c.Scope ? ReaderState.LastPage[c.Scope] : ReaderState.LastPage[5];
        TSearchRun run(q, first, last, c.Options);
        run.Run();
        const TPlainResult plain = PlainSearch(q, first, last, c.Options, file);
        QCOMPARE(run.FoundCount(), plain.FoundCount);
        QVERIFY2((run.FoundCount() > 0) == c.Found, c.Query);
        QCOMPARE(run.ResultCount(), int(plain.Pages.size()));
        const std::vector<int> listed(plain.Pages.begin(), plain.Pages.begin() + std::min<size_t>(999, plain.Pages.size()));
        QCOMPARE(run.ListedPages(), listed);
    }
}

QTEST_MAIN(TestSearchEngine)
#include "tst_searchengine.moc"
