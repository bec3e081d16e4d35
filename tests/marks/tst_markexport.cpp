#include "marks/TCitation.h"
#include "marks/TMarkExport.h"
#include "marks/TMarkFile.h"
#include "marks/TMarkStore.h"
#include "marks/TMarkStyle.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
TMark Mark(int page, const QString &quote, TMark::TStyle style, const QString &note)
{
    TMark m;
    m.Id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m.Page = page;
    m.Quote = quote;
    m.Prefix = QStringLiteral("پيش از آن ");
    m.Suffix = QStringLiteral(" و پس از آن");
    m.Start = 40;
    m.End = 40 + int(quote.size());
    m.Style = style;
    m.Note = note;
    m.Created = QDateTime(QDate(2026, 5, 1), QTime(10, 0), Qt::UTC);
    m.Changed = m.Created.addSecs(90);
    return m;
}
}

class TestMarkExport : public QObject {
    Q_OBJECT
private slots:
    void citesInTheBookTerms();
    void exportsGroupedByVolumeAndPart();
    void importsWhatItExportsAndRefusesForeignJson();
};

void TestMarkExport::citesInTheBookTerms()
{
    QCOMPARE(TCitation::For(835, QStringLiteral("...")), QStringLiteral("«...» (کتاب، جلد دوم، بخش يكم، صفحه 835)"));
    QCOMPARE(TCitation::For(765, QStringLiteral(" شاه\nآمد ")), QStringLiteral("«شاه آمد» (کتاب، جلد اول، صفحه 765)"));
    QCOMPARE(TCitation::For(3983, QStringLiteral("{page}")), QStringLiteral("«{page}» (کتاب، جلد سوم، بخش دوم، صفحه 3983)"));
}

void TestMarkExport::exportsGroupedByVolumeAndPart()
{
    const TCitationNames names = TCitationNames::OfBook();
    const QList<TMark> marks = {Mark(835, QStringLiteral("شاه به شهر *آمد*"), TMark::msGreen, QStringLiteral("چرا آمد؟\nEnglish too")),
                                Mark(12, QStringLiteral("آغاز سخن"), TMark::msYellow, QString())};
    const QString green = TMarkStyle::Caption(TMark::msGreen), yellow = TMarkStyle::Caption(TMark::msYellow);
    QCOMPARE(TMarkExport::Markdown(marks, names).split(u'\n'),
             (QStringList{QStringLiteral("# ") + TMarkExport::tr("Marks and notes"), QString(),
                          QStringLiteral("## جلد اول: از آغاز تا برآمدن ساسانيان"), QString(),
                          QStringLiteral("- «آغاز سخن» (کتاب، جلد اول، صفحه 12) — ") + yellow, QString(),
                          QStringLiteral("## جلد دوم"), QString(), QStringLiteral("### بخش يكم: روزگار ساسانيان"), QString(),
                          QStringLiteral("- «شاه به شهر \\*آمد\\*» (کتاب، جلد دوم، بخش يكم، صفحه 835) — ") + green,
                          QStringLiteral("  > چرا آمد؟"), QStringLiteral("  > English too"), QString()}));

    const QString html = TMarkExport::Html(marks, names);
    QVERIFY(html.contains(QStringLiteral("<html lang=\"fa\" dir=\"rtl\">")));
    QVERIFY(html.contains(QStringLiteral("font-family: \"Rederu\"")));
    const qsizetype one = html.indexOf(QStringLiteral("<h2>جلد اول: از آغاز تا برآمدن ساسانيان</h2>")),
                    first = html.indexOf(QStringLiteral("آغاز سخن")), two = html.indexOf(QStringLiteral("<h2>جلد دوم</h2>")),
                    part = html.indexOf(QStringLiteral("<h3>بخش يكم: روزگار ساسانيان</h3>")),
                    second = html.indexOf(QStringLiteral("<mark class=\"green\">شاه به شهر *آمد*</mark>"));
    QVERIFY(0 < one && one < first && first < two && two < part && part < second);
    QVERIFY(html.contains(QStringLiteral("mark.green { background-color: ") + TMarkStyle::Colour(TMark::msGreen)));
    QVERIFY(html.contains(QStringLiteral("چرا آمد؟\nEnglish too</p>")));

    const QJsonObject collection = QJsonDocument::fromJson(TMarkExport::WebAnnotation(marks, names)).object();
    QCOMPARE(collection.value(QStringLiteral("type")).toString(), QStringLiteral("AnnotationCollection"));
    const QJsonArray items = collection.value(QStringLiteral("first")).toObject().value(QStringLiteral("items")).toArray();
    QCOMPARE(items.size(), 2);
    const QJsonObject target = items[1].toObject().value(QStringLiteral("target")).toObject();
    QCOMPARE(target.value(QStringLiteral("source")).toString(), QStringLiteral("datas/p020835.htm"));
    QCOMPARE(target.value(QStringLiteral("styleClass")).toString(), QStringLiteral("green"));
    const QJsonArray selectors = target.value(QStringLiteral("selector")).toArray();
    QCOMPARE(selectors[0].toObject().toVariantMap(),
             (QVariantMap{{"type", "TextQuoteSelector"}, {"exact", marks[0].Quote}, {"prefix", marks[0].Prefix}, {"suffix", marks[0].Suffix}}));
    QCOMPARE(selectors[1].toObject().toVariantMap(), (QVariantMap{{"type", "TextPositionSelector"}, {"start", 40}, {"end", 40 + 16}}));
    QCOMPARE(items[1].toObject().value(QStringLiteral("body")).toObject().value(QStringLiteral("value")).toString(), marks[0].Note);
}

void TestMarkExport::importsWhatItExportsAndRefusesForeignJson()
{
    const TCitationNames names = TCitationNames::OfBook();
    const QList<TMark> marks = {Mark(12, QStringLiteral("آغاز سخن"), TMark::msUnderline, QString()),
                                Mark(3113, QStringLiteral("شاه"), TMark::msPink, QStringLiteral("يادداشت"))};
    for (const QByteArray &json : {TMarkExport::WebAnnotation(marks, names), TMarkFile::Write(QStringLiteral("/b"), marks)}) {
        const TImported back = TMarkExport::Import(json);
        QCOMPARE(back.Error, QString());
        QCOMPARE(back.Marks, marks);
    }
    // Into a store: once, whatever the Id of a mark already there at that place.
    QTemporaryDir home;
    TMarkStore store(home.path(), home.path());
    store.Load();
    TMark same = marks[1];
    same.Id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    store.Put(same);
    QCOMPARE(store.Merge(TMarkExport::Import(TMarkExport::WebAnnotation(marks, names)).Marks), 1);
    QCOMPARE(store.Merge(TMarkExport::Import(TMarkExport::WebAnnotation(marks, names)).Marks), 0);
    QCOMPARE(store.Marks().size(), 2);

    // Another reader's annotation of a page: read; the rest refused with a message.
    const QByteArray other = R"({"type":"Annotation","id":"https://example.org/a/1","bodyValue":"note",
        "target":{"source":"file:///book/datas/p050835.htm","selector":{"type":"TextQuoteSelector","exact":"شاه"}}})";
    const TImported one = TMarkExport::Import(other);
    QCOMPARE(one.Marks.size(), 1);
    QCOMPARE(one.Marks[0].Page, 835);
    QCOMPARE(one.Marks[0].Note, QStringLiteral("note"));
    QCOMPARE(TMarkExport::Import(other).Marks[0].Id, one.Marks[0].Id);
    for (const QByteArray &foreign : {QByteArray("not json"), QByteArray("{}"), QByteArray("[1, 2]"),
                                      QByteArray(other).replace("p050835", "index"), QByteArray(other).replace("شاه", ""),
                                      QByteArray(R"({"format":"ketab-marks","version":1,"book":"/b","marks":[{"page":1}]})")}) {
        const TImported refused = TMarkExport::Import(foreign);
        QVERIFY2(refused.Marks.isEmpty() && !refused.Error.isEmpty(), foreign);
    }
}

QTEST_GUILESS_MAIN(TestMarkExport)
#include "tst_markexport.moc"
