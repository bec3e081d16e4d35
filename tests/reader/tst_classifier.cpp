#include "app/Errors.h"
#include "app/ReaderState.h"
#include "reader/TLoadedPageClassifier.h"
#include <QtTest>

using C = TLoadedPageClassifier;

class TestClassifier : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ReaderState.FillSectionTable(); }

    void pageKinds_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("resultPending");
        QTest::addColumn<bool>("contentsMode");
        QTest::addColumn<bool>("indexMode");
        QTest::addColumn<int>("kind");
        QTest::newRow("result page") << "/b/datas/found.htm" << true << false << false << int(C::lpResultPage);
        QTest::newRow("result page upper") << "/b/FOUND.HTM" << false << true << false << int(C::lpResultPage);
        QTest::newRow("contents") << "/b/datas/dir02.htm" << false << false << true << int(C::lpContentsPage);
        QTest::newRow("contents while result pending") << "/b/datas/dir02.htm" << true << true << false << int(C::lpOtherPage);
        QTest::newRow("index") << "/b/datas/ind01.htm" << false << false << false << int(C::lpIndexPage);
        QTest::newRow("intro") << "/b/datas/int01.htm" << false << true << false << int(C::lpIntroPage);
        QTest::newRow("book page, no mode") << "/b/datas/p010376.htm" << false << false << false << int(C::lpOtherPage);
        QTest::newRow("contents link") << "/b/datas/p010376.htm" << false << true << false << int(C::lpContentsLink);
        QTest::newRow("index link wins over contents") << "/b/datas/p010376.htm" << false << true << true << int(C::lpIndexLink);
        QTest::newRow("link while result pending") << "/b/datas/p010376.htm" << true << true << true << int(C::lpOtherPage);
        QTest::newRow("help page is no book page") << "/b/help.htm" << false << true << false << int(C::lpIgnored);
        QTest::newRow("name with b") << "/b/datas/pab12.htm" << false << true << false << int(C::lpIgnored);
        QTest::newRow("section outside the book") << "/b/datas/p090800.htm" << false << true << false << int(C::lpIgnored);
        QTest::newRow("no dot") << "/b/datas/readme" << false << true << false << int(C::lpIgnored);
    }
    void pageKinds()
    {
        QFETCH(QString, path);
        QFETCH(bool, resultPending);
        QFETCH(bool, contentsMode);
        QFETCH(bool, indexMode);
        QFETCH(int, kind);
        QCOMPARE(int(C::Classify(QUrl::fromLocalFile(path), resultPending, contentsMode, indexMode).Kind), kind);
    }

    // Folders with dots, "#" or a name key of their own never change what a page is.
    void onlyTheFileNameCounts()
    {
        for (const QString folder : {"/home/a.b/book v1.2/datas/", "/x#y/dir01.htm/datas/", "/found.htm/datas/"}) {
            const C::TResult r = C::Classify(QUrl::fromLocalFile(folder + "p010376.htm"), false, true, false);
            QCOMPARE(int(r.Kind), int(C::lpContentsLink));
            QCOMPARE(r.Section, 1);
            QCOMPARE(r.Page, 376);
        }
    }

    void contentsLinkWithFragmentChangesNothing()
    {
        QUrl u = QUrl::fromLocalFile("/b.c/datas/p010376.htm");
        u.setFragment("x");
        QCOMPARE(int(C::Classify(u, false, true, false).Kind), int(C::lpIgnored));
    }

    void indexLinkCarriesTheWord()
    {
        QUrl u = QUrl::fromLocalFile("/b.c/datas/p020800.htm");
        u.setFragment(QStringLiteral("ايران زمين"));
        const C::TResult r = C::Classify(u, false, false, true);
        QCOMPARE(int(r.Kind), int(C::lpIndexLink));
        QCOMPARE(r.Section, 2);
        QCOMPARE(r.Page, 800);
        QCOMPARE(r.Word, QStringLiteral("ايران زمين"));
        // A word that happens to hold a name key at the key's place stays a word.
        const C::TResult found = C::ClassifyName("p020800.htm", true, "xfound", false, false, true);
        QCOMPARE(int(found.Kind), int(C::lpIndexLink));
        QCOMPARE(found.Word, QStringLiteral("xfound"));
        // An anchor inside an index page is still that index page.
        QCOMPARE(int(C::ClassifyName("ind01.htm", true, "alef", false, false, true).Kind), int(C::lpIndexPage));
    }

    void digitsThatAreNoNumberRaise()
    {
        QVERIFY_THROWS_EXCEPTION(EConvertError, C::ClassifyName("px1y376.htm", false, {}, false, true, false));
        QVERIFY_THROWS_EXCEPTION(EConvertError, C::ClassifyName("a.htm", false, {}, false, true, false));
    }
};

QTEST_GUILESS_MAIN(TestClassifier)
#include "tst_classifier.moc"
