// Pages loaded ahead into the HTML view's spare page: a navigation to a prefetched page is a
// swap that still completes exactly once with the right address and text size, loads on the
// spare page stay silent, and the swapped page is drawn at the view's size.
#include "app/TWebBrowser.h"
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void Write(const QString &path, const QString &html)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(html.toUtf8());
}

QVariant RunJs(TWebBrowser &view, const QString &script)
{
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000)) return QVariant();
    return result;
}
}

class TestPrefetch : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    TWebBrowser *view = nullptr;
    int completions = 0;

    QString File(int n) const { return dir.filePath(QStringLiteral("p%1.htm").arg(n)); }
    bool LoadAndWait(const QString &path)
    {
        const int before = completions;
        view->Navigate(path);
        return QTest::qWaitFor([&] { return completions > before; }, 20000);
    }

public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        for (int n = 1; n <= 4; ++n)
            Write(File(n), QStringLiteral("<!DOCTYPE html><html dir=\"rtl\"><head><meta charset=\"utf-8\"></head>"
                                          "<body style=\"margin:0;background:#0000ff\"><p id=\"t\">صفحه %1</p>"
                                          "</body></html>").arg(n));
        view = new TWebBrowser;
        view->resize(600, 400);
        view->OnDownloadComplete = [this](TWebBrowser *sender) {
            QCOMPARE(sender, view);
            ++completions;
        };
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QVERIFY(LoadAndWait(File(1)));
    }
    void cleanupTestCase() { delete view; }

    void spareLoadRaisesNothing()
    {
        const int before = completions;
        view->Prefetch(File(2));
        QTest::qWait(1500);
        QCOMPARE(completions, before);
        QVERIFY(view->LocationURL().endsWith(QStringLiteral("/p1.htm")));
    }

    void prefetchedNavigationCompletesOnceAfterReturning()
    {
        view->Prefetch(File(2));
        QTest::qWait(1000);
        const int before = completions;
        view->Navigate(File(2));
        QCOMPARE(completions, before);  // never inside Navigate
        // A swap, not a fresh load: the completion is already queued.
        QCoreApplication::processEvents();
        QCOMPARE(completions, before + 1);
        QTest::qWait(500);
        QCOMPARE(completions, before + 1);
        QVERIFY2(view->LocationURL().endsWith(QStringLiteral("/p2.htm")), qPrintable(view->LocationURL()));
        QCOMPARE(RunJs(*view, QStringLiteral("document.getElementById('t').textContent")).toString(),
                 QStringLiteral("صفحه 2"));
    }

    void navigationWhileSpareStillLoadsCompletesOnce()
    {
        view->Prefetch(File(3));
        const int before = completions;
        view->Navigate(File(3));
        QVERIFY(QTest::qWaitFor([&] { return completions > before; }, 20000));
        QTest::qWait(500);
        QCOMPARE(completions, before + 1);
        QVERIFY(view->LocationURL().endsWith(QStringLiteral("/p3.htm")));
    }

    void swapKeepsTextSize()
    {
        view->SetZoomLevel(4);
        view->Prefetch(File(4));
        QTest::qWait(1000);
        QVERIFY(LoadAndWait(File(4)));
        QCOMPARE(view->zoomFactor(), TWebBrowser::ZoomFactorOf(4));
        QTRY_VERIFY_WITH_TIMEOUT(RunJs(*view, QStringLiteral("window.innerWidth")).toInt() < 450, 5000);
        // And back through a swap the other way at the normal size.
        view->SetZoomLevel(2);
        view->Prefetch(File(1));
        QTest::qWait(1000);
        QVERIFY(LoadAndWait(File(1)));
        QTRY_COMPARE_WITH_TIMEOUT(RunJs(*view, QStringLiteral("window.innerWidth")).toInt(), 600, 5000);
    }

    void swappedPageIsDrawnAtTheViewSize()
    {
        view->Prefetch(File(2));
        QTest::qWait(1000);
        QVERIFY(LoadAndWait(File(2)));
        QCOMPARE(RunJs(*view, QStringLiteral("window.innerHeight")).toInt(), 400);
        // The page's blue fills the view once drawn: not blank, not a stale frame.
        const auto blueAt = [this](int x, int y) {
            const QImage shot = view->grab().toImage();
            if (qEnvironmentVariableIsSet("KETAB_PREFETCH_SHOT")) shot.save(qEnvironmentVariable("KETAB_PREFETCH_SHOT"));
            return shot.pixelColor(x, y) == QColor(0, 0, 255);
        };
        QTRY_VERIFY_WITH_TIMEOUT(blueAt(590, 390) && blueAt(5, 390), 5000);
    }

    void failedPrefetchFallsBackToARealLoad()
    {
        const QString absent = dir.filePath(QStringLiteral("absent.htm"));
        view->Prefetch(absent);
        QTest::qWait(1000);
        const int before = completions;
        view->Navigate(absent);
        QVERIFY(QTest::qWaitFor([&] { return completions > before; }, 20000));
        QTest::qWait(500);
        QCOMPARE(completions, before + 1);
        QVERIFY(view->LocationURL().endsWith(QStringLiteral("absent.htm")));
    }
};

QTEST_MAIN(TestPrefetch)
#include "tst_prefetch.moc"
