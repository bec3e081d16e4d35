// The print document: range rule, exact bytes, picture addresses, noted pages.
#include "app/Errors.h"
#include "app/PageMarker.h"
#include "app/ReaderState.h"
#include "app/TPdfPageChoice.h"
#include "app/TextCodec.h"
#include "print/TNotedPages.h"
#include "print/TPrintDocument.h"
#include "print/TPrintRange.h"
#include <QtTest>

namespace {
QString HeadLines()
{
    QString h;
    for (int i = 1; i <= 15; ++i) h += QStringLiteral("<!-- head %1 -->\r\n").arg(i);
    return h;
}

void WritePage(const QString &appFolder, int section, int page, const QString &body)
{
    QFile f(appFolder + QStringLiteral("datas/p") + SectionNo2(section) + PageNo4(page) + QStringLiteral(".htm"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF");
    f.write((HeadLines() + body + QStringLiteral("\r\n</body></html>\r\n")).toUtf8());
}
}

class TestPrintDocument : public QObject {
    Q_OBJECT
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/ketab book #1 50%-XXXXXX")};
    QString app;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        app = dir.path() + QLatin1Char('/');
        QDir().mkpath(app + QStringLiteral("datas/pix"));
        ReaderState.AppFolder = app;
        ReaderState.FillSectionTable();
    }

    void rangeIsSwappedClampedAndCapped()
    {
        TPrintRange r = TPrintRange::For(2, 780, 700);
        QCOMPARE(r.First, 766);
        QCOMPARE(r.Last, 780);
        r = TPrintRange::For(2, 800, 850);  // 51 pages
        QCOMPARE(r.Last - r.First + 1, 50);
        QCOMPARE(r.Last, 849);
        r = TPrintRange::For(2, 800, 849);  // exactly 50
        QCOMPARE(r.Last, 849);
        r = TPrintRange::For(1, 12, 12);
        QCOMPARE(r.ProgressMax(), 1);
        QCOMPARE(r.PageFiles(), QStringList{app + QStringLiteral("datas/p010012.htm")});
        r = TPrintRange::For(5, 3983, 4200);
        QCOMPARE(r.Last, 3983);
        QVERIFY(!r.Empty());
        // A range wholly before or after its section clamps to an empty range: no page.
        const struct { int Section, From, To, First, Last; } outside[] = {
            {2, 10, 20, 766, 20}, {2, 5, 1, 766, 5}, {1, 800, 900, 800, 765}, {5, 3112, 3000, 3113, 3112}};
        for (const auto &c : outside) {
            r = TPrintRange::For(c.Section, c.From, c.To);
            QCOMPARE(r.First, c.First);
            QCOMPARE(r.Last, c.Last);
            QVERIFY(r.Empty());
            QVERIFY(r.PageFiles().isEmpty());
        }
    }

    void onePageDocumentBytes()
    {
        WritePage(app, 1, 12, QStringLiteral("<p>متن يك</p>\r\n<img src=\"pix/a.jpg\">"));
        const QString doc = TPrintDocument::Compose({PageFile(1, 12)}, app);
        TPrintDocument::Save(doc, app);
        QFile f(TPrintDocument::FileName(app));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xFF\xFE"));
        const QString expected =
            QStringLiteral("<html><head><meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">"
                           "<TITLE>PRINT</TITLE><META NAME=\"Generator\" CONTENT=\"Orvane v2.0\">\r\n"
                           "<LINK REL=STYLESHEET HREF=\"sheet1.css\" TYPE=\"text/css\">\r\n"
                           "<body dir=rtl link=\"#00FFFF\" vlink=\"#00FFFF\" alink=\"#00FFFF\">\r\n"
                           "<p>متن يك</p>\r\n<img src=\"")
            + TPageMarker::DataFolderUrl(app) + QStringLiteral("pix/a.jpg\">\r\n</body></html>");
        QCOMPARE(TTextCodec::Decode(bytes), expected);
    }

    void everyPictureOfEveryPageIsRewritten()
    {
        WritePage(app, 2, 800, QStringLiteral("<img src=\"pix/b.jpg\"><img src=\"pix/c.jpg\">"));
        WritePage(app, 2, 801, QStringLiteral("<img src=\"pix/d.jpg\"> <img src=\"/other/e.jpg\">"));
        const QString doc = TPrintDocument::Compose(TPrintRange::For(2, 800, 801).PageFiles(), app);
        const QString prefix = TPageMarker::DataFolderUrl(app);
        QCOMPARE(doc.count(QStringLiteral("src=\"") + prefix + QStringLiteral("pix/")), 3);
        QVERIFY(doc.contains(QStringLiteral("src=\"/other/e.jpg\"")));
        // The address survives the blank, "#" and "%" in the folder name.
        const QUrl url(prefix + QStringLiteral("pix/d.jpg"));
        QCOMPARE(url.toLocalFile(), app + QStringLiteral("datas/pix/d.jpg"));
    }

    void notedPagesKeepListOrderAndRepeats()
    {
        WritePage(app, 2, 800, QStringLiteral("PAGE-800"));
        WritePage(app, 1, 12, QStringLiteral("PAGE-12"));
        const QString e800 = QStringLiteral("جلد: 02 -- صفحه: 0800");
        const QString e12 = QStringLiteral("جلد: 01 -- صفحه: 0012");
        QCOMPARE(e800.size(), 21);
        const QStringList files{TNotedPages::PageFileOf(e800), TNotedPages::PageFileOf(e12), TNotedPages::PageFileOf(e800)};
        const QString doc = TPrintDocument::Compose(files, app);
        const auto a = doc.indexOf(QStringLiteral("PAGE-800")), b = doc.indexOf(QStringLiteral("PAGE-12"));
        QVERIFY(a >= 0 && b > a);
        QCOMPARE(doc.count(QStringLiteral("PAGE-800")), 2);
    }

    void entryWithoutDigitsIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(EConvertError, TNotedPages::PageFileOf(QStringLiteral("جلد: ../ -- صفحه: 0012")));
        QVERIFY_THROWS_EXCEPTION(EConvertError, TNotedPages::PageFileOf(QStringLiteral("short")));
    }

    void missingPageKeepsTheOldDocument()
    {
        TPrintDocument::Save(QStringLiteral("OLD"), app);
        int progress = 0;
        QVERIFY_THROWS_EXCEPTION(EFileError, TPrintDocument::Compose({PageFile(1, 12), PageFile(1, 13)}, app,
                                                                     [&](int n) { progress = n; }));
        QCOMPARE(progress, 1);
        QFile f(TPrintDocument::FileName(app));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(TTextCodec::Decode(f.readAll()), QStringLiteral("OLD"));
    }

    // The pages of a PDF file the printer dialog asked for, in a 5-page document.
    void pdfPagesFollowThePrinterDialog()
    {
        const auto choice = [](QList<QPageRanges::Range> ranges, int copies = 1, bool collate = true, bool lastFirst = false) {
            TPdfPageChoice c;
            c.Ranges = ranges;
            c.Copies = copies;
            c.Collate = collate;
            c.LastFirst = lastFirst;
            return c;
        };
        const struct {
            TPdfPageChoice Choice;
            QList<int> Pages;
            bool All;
        } rows[] = {
            {choice({}), {1, 2, 3, 4, 5}, true},
            {choice({{2, 3}}), {2, 3}, false},
            {choice({{4, 9}}), {4, 5}, false},  // past the end: dropped
            {choice({{7, 9}}), {}, false},
            {choice({{1, 1}, {4, 5}}), {1, 4, 5}, false},
            {choice({{1, 2}}, 2), {1, 2, 1, 2}, false},
            {choice({{1, 2}}, 2, false), {1, 1, 2, 2}, false},
            {choice({{1, 3}}, 1, true, true), {3, 2, 1}, false},
            {choice({}, 1, true, true), {5, 4, 3, 2, 1}, false},
        };
        for (const auto &row : rows) {
            QCOMPARE(row.Choice.Pages(5), row.Pages);
            QCOMPARE(row.Choice.All(), row.All);
        }
        QCOMPARE(TPdfPageChoice::PageList({1, 2, 3, 5, 5, 4}), QStringLiteral("1-3,5,5,4"));
    }

    void emptyBodyStillMakesADocument()
    {
        QCOMPARE(TPrintDocument::Compose({}, app), TPrintDocument::Head() + TPrintDocument::Tail());
    }
};

QTEST_MAIN(TestPrintDocument)
#include "tst_printdocument.moc"
