// The page layout's rules: the style each choice lays over the book, the book's own step of
// each choice against the book's own sheet, and which typefaces qualify.
#include "reader/TPageLayout.h"
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestPageLayout : public QObject {
    Q_OBJECT
private slots:
    void bookStepsAreTheBooksOwnSheet()
    {
        QFile sheet(QStringLiteral(KETAB_BOOK_DIR "/datas/sheet1.css"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        const QString css = QString::fromUtf8(sheet.readAll());
        const auto number = [&](const char *pattern) {
            return QRegularExpression(QLatin1String(pattern)).match(css).captured(1).toDouble();
        };
        QCOMPARE(TPageLayout::LineHeights[TPageLayout::BookSpacing], number(R"(html, body \{[^}]*line-height: ([\d.]+))"));
        QCOMPARE(TPageLayout::ColumnEms[TPageLayout::BookWidth], number(R"(body \{[^}]*max-width: ([\d.]+)em)"));
        QVERIFY(TPageLayout::LineHeights[0] < TPageLayout::LineHeights[1] && TPageLayout::LineHeights[1] < TPageLayout::LineHeights[2]);
        QVERIFY(TPageLayout::ColumnEms[0] < TPageLayout::ColumnEms[1] && TPageLayout::ColumnEms[2] == 0);
    }

    void styleLaysEachChoiceOverTheBook_data()
    {
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("typeface");
        QTest::addColumn<bool>("justified");
        QTest::addColumn<QStringList>("rules");  // empty: no style at all
        const QString sans = QStringLiteral("Noto Sans Arabic");
        QTest::newRow("the book's own") << 1 << 1 << QString() << true << QStringList();
        QTest::newRow("tight lines") << 0 << 1 << QString() << true << QStringList{"line-height: 1.55 !important"};
        QTest::newRow("wide lines, full width")
            << 2 << 2 << QString() << true << QStringList{"line-height: 2.4 !important", "max-width: none !important"};
        QTest::newRow("narrow column") << 1 << 0 << QString() << true << QStringList{"body { max-width: 30em !important; }"};
        QTest::newRow("a typeface, the book's behind it")
            << 1 << 1 << sans << true << QStringList{"font-family: \"Noto Sans Arabic\", \"Rederu\", serif !important"};
        QTest::newRow("ragged, what the book aligns itself stays")
            << 1 << 1 << QString() << false
            << QStringList{"p:not([align=\"left\"], [align=\"right\"], [align=\"center\"]), [align=\"justify\"] { text-align: start !important; }"};
    }

    void styleLaysEachChoiceOverTheBook()
    {
        QFETCH(int, spacing);
        QFETCH(int, width);
        QFETCH(QString, typeface);
        QFETCH(bool, justified);
        QFETCH(QStringList, rules);
        const QString css = TPageLayout::StyleSheet({spacing, width, typeface, justified});
        QCOMPARE(css.isEmpty(), rules.isEmpty());
        if (rules.isEmpty()) return;
        // Only the screen: a print, its preview and a PDF keep the book's layout.
        QVERIFY(css.startsWith(QLatin1String("@media screen {")) && css.trimmed().endsWith(u'}'));
        for (const QString &rule : rules) QVERIFY2(css.contains(rule), qPrintable(css));
        QCOMPARE(css.count(QLatin1String("!important")), rules.size());  // nothing the choice did not ask for
    }

    void typefacesQualifyByTheirOwnPersianLetters_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("qualifies");
        QTest::newRow("Naskh") << QStringLiteral("Noto Naskh Arabic") << true;
        QTest::newRow("Sans Arabic") << QStringLiteral("Noto Sans Arabic") << true;
        QTest::newRow("Latin only, installed") << QStringLiteral("Noto Sans") << false;
        QTest::newRow("Latin only, serif") << QStringLiteral("DejaVu Serif") << false;
        QTest::newRow("not installed") << QStringLiteral("Nastaliq Nowhere") << false;
        QTest::newRow("no name") << QString() << false;
    }

    void typefacesQualifyByTheirOwnPersianLetters()
    {
        QFETCH(QString, family);
        QFETCH(bool, qualifies);
        QCOMPARE(TPageLayout::Qualifies(family), qualifies);
        QCOMPARE(TPageLayout::Typefaces().contains(family), qualifies);
        // A kept choice the font database no longer offers falls back to the book's own.
        QCOMPARE(TPageLayout::Checked({7, -1, family, false}), (TPageLayout::TChoice{1, 1, qualifies ? family : QString(), false}));
    }
};

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
