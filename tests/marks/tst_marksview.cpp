// What the reader sees of the marks without the page: their colours, a marked copy of a
// page for print, the list's filter and place, the note editor's place.
#include "app/ReaderState.h"
#include "app/TNightPage.h"
#include "marks/TMarkNoteEditor.h"
#include "marks/TMarkedHtml.h"
#include "marks/TMarksLayer.h"
#include "marks/TMarksList.h"
#include "marks/TReaderMarks.h"
#include <QRegularExpression>
#include <QtTest>

Q_DECLARE_METATYPE(QList<TMarkedHtml::TStretch>)

class TestMarksView : public QObject {
    Q_OBJECT
    static TMark Mark(const QString &id, int page, const QString &quote, TMark::TStyle style, const QString &note = {})
    {
        TMark m;
        m.Id = id;
        m.Page = page;
        m.Quote = quote;
        m.Style = style;
        m.Note = note;
        return m;
    }

private slots:
    void initTestCase() { ReaderState.FillSectionTable(); }

    // Text under a mark stays readable by day and at night, and no mark looks like the
    // search's or the index's marks (a channel apart by a quarter of its range at least).
    void coloursAreLegibleAndApart()
    {
        const auto apart = [](const QColor &a, const QColor &b) {
            return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())}) >= 64;
        };
        for (bool night : {false, true}) {
            const QString sheet = TMarksLayer::StyleSheet(night);
            QVERIFY(sheet.startsWith(QLatin1String("@media screen")));
            const QList<QColor> others = night ? QList<QColor>{TNightPage::SearchMark, TNightPage::IndexMark}
                                               : QList<QColor>{QColor(TNightPage::SearchMarkColour), QColor(TNightPage::IndexMarkColour)};
            for (int s = 0; s < TMark::msUnderline; ++s) {
                const auto style = TMark::TStyle(s);
                const QColor back = night ? TMarksLayer::NightColour(style) : TMarksLayer::DayColour(style);
                QVERIFY2(sheet.contains(back.name()), qPrintable(back.name()));
                for (const QColor &text : TMarksLayer::TextColours(night))
                    QVERIFY2(TNightPage::Contrast(text, back) >= TMarksLayer::MinContrast, qPrintable(back.name() + text.name()));
                for (const QColor &other : others) QVERIFY2(apart(back, other), qPrintable(back.name() + other.name()));
                // The styles apart from each other: at night by the line along their foot.
                const auto own = [night](int t) {
                    return night ? TMarksLayer::NightLine(TMark::TStyle(t)) : TMarksLayer::DayColour(TMark::TStyle(t));
                };
                for (int t = 0; t < s; ++t) QVERIFY(apart(own(s), own(t)));
            }
            // The underline's line stands out from the page it is drawn on, and from the search's orange.
            const QColor line = TMarksLayer::UnderlineColour(night);
            QVERIFY(TNightPage::Contrast(line, night ? TNightPage::Background : QColor(0xfb, 0xf7, 0xee)) >= 3);
            QVERIFY(apart(line, others[0]) && sheet.contains(line.name()));
        }
    }

    void markedCopyKeepsTheTextAndWrapsTheStretch_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QList<TMarkedHtml::TStretch>>("stretches");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("spans");
        using S = QList<TMarkedHtml::TStretch>;
        const auto y = TMark::msYellow;
        QTest::newRow("inside a word") << "<p>abc def</p>" << S{{5, 6, y}} << "abc def" << QStringList{"e"};
        QTest::newRow("across tags") << "<p>ab<b>cd</b>ef</p>" << S{{1, 5, y}} << "abcdef" << QStringList{"b", "cd", "e"};
        // The line break between paragraphs is counted, one LF for CR LF, but never wrapped.
        QTest::newRow("across paragraphs") << "<p>ab</p>\r\n<p>cd</p>" << S{{1, 4, y}} << "ab\ncd" << QStringList{"b", "c"};
        QTest::newRow("references, half-space") << "<p>a&amp;b&zwnj;c &#1740;</p>" << S{{1, 4, y}} << u"a&b\u200cc \u06cc"_qs
                                                << QStringList{"&amp;b&zwnj;"};
        QTest::newRow("head, script and comment skipped")
            << "<html><head><title>t</title></head><body><script>x<y</script><!-- z -->pq<br/>r</body></html>"
            << S{{1, 3, y}} << "pqr" << QStringList{"q", "r"};
        QTest::newRow("overlapping: the later shows")
            << "<p>abcdef</p>" << S{{0, 4, y}, {2, 6, TMark::msUnderline}} << "abcdef" << QStringList{"ab", "cdef"};
        QTest::newRow("past the end") << "<p>ab</p>" << S{{1, 99, y}} << "ab" << QStringList{"b"};
    }
    void markedCopyKeepsTheTextAndWrapsTheStretch()
    {
        QFETCH(QString, html);
        QFETCH(QList<TMarkedHtml::TStretch>, stretches);
        QFETCH(QString, text);
        QFETCH(QStringList, spans);
        QCOMPARE(TMarkedHtml::Text(html), text);
        const QString marked = TMarkedHtml::Mark(html, stretches);
        QCOMPARE(TMarkedHtml::Text(marked), text);
        QStringList seen;
        for (const auto &m : QRegularExpression(QStringLiteral("<span style=\"[^\"]*\">(.*?)</span>")).globalMatch(marked))
            seen << m.captured(1);
        QCOMPARE(seen, spans);
        if (stretches.size() == 2) QVERIFY(marked.contains(TMarkedHtml::PrintStyle(TMark::msUnderline)));
    }

    // The filter matches quotes and notes as the search window does: other yeh and kaf
    // forms, a blank for a half-space; and narrows by style.
    void listFiltersFoldedAndByStyle()
    {
        TMarksList list;
        list.SetMarks({Mark("a", 800, u"آنچه مي\u200cشود"_qs, TMark::msYellow), Mark("b", 900, u"كتاب تاريخ"_qs, TMark::msGreen, u"نكته\nدوم"_qs),
                       Mark("c", 901, QStringLiteral("سخن"), TMark::msGreen, QStringLiteral("درباره کتاب"))},
                      {QStringLiteral("c")});
        const auto ids = [&list] {
            QStringList out;
            for (const TMark &m : list.Shown()) out << m.Id;
            return out;
        };
        const struct {
            int Style;
            QString Text;
            QStringList Ids;
        } rows[] = {{TMarksList::AnyStyle, QString(), {"a", "b", "c"}},
                    {TMarksList::AnyStyle, QStringLiteral("میشود"), {"a"}},
                    {TMarksList::AnyStyle, QStringLiteral("کتاب"), {"b", "c"}},
                    {TMark::msGreen, QStringLiteral("نکته"), {"b"}},
                    {TMark::msYellow, QStringLiteral("کتاب"), {}},
                    {TMark::msGreen, QStringLiteral("  "), {"b", "c"}}};
        for (const auto &row : rows) {
            list.SetFilter(row.Style, row.Text);
            QCOMPARE(ids(), row.Ids);
        }
        list.SetFilter(TMarksList::AnyStyle, QString());
        QCOMPARE(list.data(list.index(1), TMarksList::NoteRole).toString(), QStringLiteral("نكته"));
        QCOMPARE(list.data(list.index(1), TMarksList::PlaceRole).toString(), QStringLiteral("جلد دوم، بخش يكم، صفحه 900"));
        QVERIFY(list.data(list.index(2), TMarksList::LostRole).toBool());
        QVERIFY(list.data(list.index(2), Qt::AccessibleDescriptionRole).toString().contains(TMarksList::LostText()));
    }

    void editorGoesBesideThePassage()
    {
        const QRect room(0, 100, 800, 500);  // 100..599
        const QSize size(300, 170);
        // Below, right edges aligned; above when below has no room; clamped into the room.
        QCOMPARE(TMarkNoteEditor::Place(QRect(400, 150, 200, 20), room, size), QRect(300, 173, 300, 170));
        QCOMPARE(TMarkNoteEditor::Place(QRect(400, 500, 200, 20), room, size), QRect(300, 327, 300, 170));
        QCOMPARE(TMarkNoteEditor::Place(QRect(10, 300, 100, 20), room, size), QRect(0, 323, 300, 170));
        QCOMPARE(TMarkNoteEditor::Place(QRect(10, 100, 100, 250), QRect(0, 0, 200, 400), size), QRect(0, 0, 200, 170));
    }

    void marksBelongToBookPages()
    {
        ReaderState.AppFolder = QStringLiteral("/book.x/");
        ReaderState.TempFolder = QStringLiteral("/run/ketab/");
        ReaderState.CurPage = 900;
        const auto page = [](const char *path) { return TReaderMarks::BookPageOf(QUrl::fromLocalFile(QString::fromUtf8(path))); };
        QCOMPARE(page("/book.x/datas/p020835.htm"), 835);
        QCOMPARE(page("/run/ketab/found.htm"), 900);  // the result page shows the current page
        QCOMPARE(page("/book.x/datas/dir02.htm"), 0);
        QCOMPARE(page("/book.x/datas/ind01.htm"), 0);
        QCOMPARE(page("/book.x/help.htm"), 0);
        QCOMPARE(page("/elsewhere/datas/p020835.htm"), 0);
        QCOMPARE(page("/book.x/found.htm"), 0);
    }
};

QTEST_MAIN(TestMarksView)
#include "tst_marksview.moc"
