// The HTML view adapter on the real engine: a missing engine module refused with a message,
// commands given before the engine is in, warming, a hidden view that keeps its page drawn,
// load completion, the page on screen, the shown address with a Persian fragment, missing
// files, select all and copy, zoom, and no network access.
#include "EngineView.h"
#include "app/Errors.h"
#include "app/StartupSteps.h"
#include "app/THtmlEngineModule.h"
#include "app/TPageLayers.h"
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonValue>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QtTest>

namespace {
void Write(const QString &path, const QString &html)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(html.toUtf8());
}

QString Page(const QString &body)
{
    return QStringLiteral("<!DOCTYPE html><html dir=\"rtl\"><head><meta charset=\"utf-8\"></head><body>") + body
           + QStringLiteral("</body></html>");
}

QVariant RunJs(TWebBrowser &view, const QString &script)
{
    QVariant result;
    bool done = false;
    EngineView(&view)->page()->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000)) return QVariant();
    return result;
}
}

class TestWebBrowser : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    TWebBrowser *view = nullptr;
    int completions = 0;

    bool LoadAndWait(const QString &path)
    {
        const int before = completions;
        view->Navigate(path);
        return QTest::qWaitFor([&] { return completions > before; }, 20000);
    }

public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private slots:
    // First, while no view has loaded the module.
    void missingModuleIsRefusedWithAMessage()
    {
        QTemporaryDir empty;
        const QStringList folders = THtmlEngineModule::SearchFolders();
        THtmlEngineModule::SearchFolders() = {empty.path()};
        TStartupSteps::TMissingPart missing = TStartupSteps::mpDisplay;
        QVERIFY(!TStartupSteps::HtmlViewCanRun(&missing));
        QCOMPARE(missing, TStartupSteps::mpEngineModule);
        const QString refusal = TStartupSteps::RefusalText(missing);
        QVERIFY2(refusal.contains(QLatin1String("htmlengine.so")), qPrintable(refusal));
        TWebBrowser lonely;
        QString message;
        try {
            lonely.Navigate(QStringLiteral("/nowhere.htm"));
        } catch (const EKetabError &e) {
            message = e.Message();
        }
        QVERIFY2(message.contains(QLatin1String("htmlengine.so")) && message.contains(empty.path()), qPrintable(message));
        QVERIFY(lonely.LocationURL().isEmpty());
        QVERIFY(!lonely.EngineWidget());
        // A file that is no module is refused the same way, naming the file.
        QFile junk(empty.filePath(QStringLiteral("htmlengine.so")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a module");
        junk.close();
        message.clear();
        try {
            lonely.SelectAll();
        } catch (const EKetabError &e) {
            message = e.Message();
        }
        QVERIFY2(message.contains(junk.fileName()), qPrintable(message));
        QVERIFY(!THtmlEngineModule::Loaded());
        THtmlEngineModule::SearchFolders() = folders;
    }

    // A command given before the engine is in waits for it: nothing is lost.
    void commandsBeforeTheEngineAreKept()
    {
        QVERIFY(!THtmlEngineModule::Loaded());
        Write(dir.filePath(QStringLiteral("early.htm")), Page(QStringLiteral("<p>زود</p>")));
        TWebBrowser early;
        early.resize(600, 400);
        int done = 0;
        early.OnDownloadComplete = [&](TWebBrowser *) { ++done; };
        early.SetZoomLevel(4);
        early.show();
        early.Navigate(dir.filePath(QStringLiteral("early.htm")));
        QVERIFY(THtmlEngineModule::Loaded());
        QVERIFY(QTest::qWaitFor([&] { return done > 0; }, 20000));
        QTest::qWait(300);
        QCOMPARE(done, 1);
        QVERIFY(early.LocationURL().endsWith(QStringLiteral("/early.htm")));
        QCOMPARE(EngineView(&early)->zoomFactor(), TWebBrowser::ZoomFactorOf(4));
    }

    // Warming loads a page unreported, leaves the view on an empty page (shown, it has none
    // of the warming page's pixels) and says once that it is done; the first real load
    // after it is reported once, also when it cuts the warming page or the empty page short.
    void warmingLoadIsNotReported()
    {
        Write(dir.filePath(QStringLiteral("warm.htm")),
              QStringLiteral("<!DOCTYPE html><html><body style=\"margin:0;background:#1e8c3c\">گرم</body></html>"));
        enum { WarmedFirst, CutsWarmingPage, CutsEmptyPage };
        for (const int when : {WarmedFirst, CutsWarmingPage, CutsEmptyPage}) {
            TWebBrowser warm;
            warm.resize(300, 200);
            int done = 0;
            int warmed = 0;
            bool asked = false; // outlives the branch below: the engine reports on until the view goes
            warm.OnDownloadComplete = [&](TWebBrowser *) { ++done; };
            warm.Warm(dir.filePath(QStringLiteral("warm.htm")), [&] { ++warmed; });
            warm.DrawWhileHidden();
            const QString page = dir.filePath(QStringLiteral("p2.htm"));
            if (when == WarmedFirst) {
                QTRY_COMPARE_WITH_TIMEOUT(warmed, 1, 20000);
                QCOMPARE(warm.LocationURL(), QStringLiteral("about:blank"));
                warm.show();
                QVERIFY(QTest::qWaitForWindowExposed(&warm));
                QTest::qWait(200);
                QCOMPARE(warm.grab().toImage().pixelColor(150, 100), QColor(Qt::white));
                QCOMPARE(done, 0);
                warm.Navigate(page);
            } else if (when == CutsWarmingPage) {
                QCOMPARE(done, 0);
                warm.Navigate(page);
            } else {
                QObject::connect(EngineView(&warm)->page(), &QWebEnginePage::loadingChanged, &warm,
                                 [&](const QWebEngineLoadingInfo &info) {
                                     if (asked || info.url() != QUrl(QStringLiteral("about:blank"))) return;
                                     asked = true;
                                     // As a click would come: from the event loop, not inside the engine's report.
                                     QTimer::singleShot(0, &warm, [&] { warm.Navigate(page); });
                                 });
                QTRY_VERIFY_WITH_TIMEOUT(asked, 20000);
            }
            QVERIFY(QTest::qWaitFor([&] { return done > 0; }, 20000));
            QTest::qWait(300);
            QCOMPARE(done, 1);
            QCOMPARE(warmed, 1);
            QVERIFY(warm.LocationURL().endsWith(QStringLiteral("/p2.htm")));
        }
    }

    // A hidden view asked to keep drawing has its page visible to the engine (the page
    // itself reads "visible"), loads as usual, and its own hide ends it.
    void hiddenViewKeepsItsPageDrawnUntilItHides()
    {
        TWebBrowser hidden;
        hidden.resize(400, 300);
        int done = 0;
        hidden.OnDownloadComplete = [&](TWebBrowser *) { ++done; };
        hidden.Navigate(dir.filePath(QStringLiteral("p2.htm")));
        QTRY_COMPARE_WITH_TIMEOUT(done, 1, 20000);
        QWebEnginePage *page = EngineView(&hidden)->page();
        QVERIFY(!page->isVisible());
        QCOMPARE(RunJs(hidden, QStringLiteral("document.visibilityState")).toString(), QStringLiteral("hidden"));
        hidden.DrawWhileHidden();
        QVERIFY(page->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(RunJs(hidden, QStringLiteral("document.visibilityState")).toString(),
                                  QStringLiteral("visible"), 5000);
        hidden.Navigate(dir.filePath(QStringLiteral("p1.htm")));
        QTRY_COMPARE_WITH_TIMEOUT(done, 2, 20000);
        QTest::qWait(200);
        QCOMPARE(done, 2);
        QVERIFY(page->isVisible());
        hidden.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hidden));
        hidden.hide();
        QVERIFY(!page->isVisible());
    }

    void initTestCase()
    {
        QVERIFY(dir.isValid());
        Write(dir.filePath(QStringLiteral("p1.htm")),
              Page(QStringLiteral("<p id=\"t\">سلام بر شما</p><a id=\"l\" href=\"p2.htm#واژه نو\">برو</a>")));
        Write(dir.filePath(QStringLiteral("p2.htm")), Page(QStringLiteral("<p>صفحه دوم</p><p id=\"واژه نو\">واژه</p>")));
        view = new TWebBrowser;
        view->resize(600, 400);
        view->OnDownloadComplete = [this](TWebBrowser *sender) {
            QCOMPARE(sender, view);
            ++completions;
        };
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    void cleanupTestCase() { delete view; }

    void loadRaisesCompleteOnce()
    {
        const int before = completions;
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("p1.htm"))));
        QTest::qWait(300);
        QCOMPARE(completions, before + 1);
        QVERIFY(view->LocationURL().endsWith(QStringLiteral("/p1.htm")));
    }

    // What the engine drew reaches the view's own pixels.
    void pageShowsInTheView()
    {
        Write(dir.filePath(QStringLiteral("green.htm")),
              QStringLiteral("<!DOCTYPE html><html><body style=\"margin:0;background:#1e8c3c\"></body></html>"));
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("green.htm"))));
        const QPoint middle(view->width() / 2, view->height() / 2);
        QTRY_COMPARE_WITH_TIMEOUT(view->grab().toImage().pixelColor(middle), QColor(0x1e, 0x8c, 0x3c), 5000);
    }

    void clickedLinkKeepsPersianFragment()
    {
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("p1.htm"))));
        const int before = completions;
        RunJs(*view, QStringLiteral("document.getElementById('l').click()"));
        QVERIFY(QTest::qWaitFor([&] { return completions > before; }, 20000));
        QTest::qWait(200);
        QCOMPARE(completions, before + 1);
        QVERIFY2(view->LocationURL().endsWith(QStringLiteral("/p2.htm#واژه نو")), qPrintable(view->LocationURL()));
    }

    void missingFileStillCompletes()
    {
        const int before = completions;
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("absent.htm"))));
        QTest::qWait(300);
        QCOMPARE(completions, before + 1);
        QVERIFY(view->LocationURL().endsWith(QStringLiteral("absent.htm")));
    }

    void selectAllThenCopyPutsTextOnClipboard()
    {
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("p1.htm"))));
        QApplication::clipboard()->clear();
        // The engine selects only in the focused page; earlier tests showed other windows.
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        view->ExecWB(TWebBrowser::OLECMDID_SELECTALL, TWebBrowser::OLECMDEXECOPT_PROMPTUSER);
        QVERIFY(QTest::qWaitFor([&] { return !view->SelectedText().isEmpty(); }, 5000));
        view->ExecWB(TWebBrowser::OLECMDID_COPY, TWebBrowser::OLECMDEXECOPT_PROMPTUSER);
        QVERIFY(QTest::qWaitFor([] { return QApplication::clipboard()->text().contains(QStringLiteral("سلام بر شما")); },
                                5000));
    }

    void zoomChangesRenderedSize()
    {
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("p1.htm"))));
        const auto cssWidth = [this] { return RunJs(*view, QStringLiteral("window.innerWidth")).toInt(); };
        view->ExecWB(TWebBrowser::OLECMDID_ZOOM, TWebBrowser::OLECMDEXECOPT_PROMPTUSER, 2);
        QTRY_COMPARE_WITH_TIMEOUT(cssWidth(), 600, 5000);
        view->ExecWB(TWebBrowser::OLECMDID_ZOOM, TWebBrowser::OLECMDEXECOPT_PROMPTUSER, 4);
        QTRY_VERIFY_WITH_TIMEOUT(cssWidth() < 450, 5000);  // larger text: fewer CSS pixels across
        view->ExecWB(TWebBrowser::OLECMDID_ZOOM, TWebBrowser::OLECMDEXECOPT_PROMPTUSER, 0);
        QTRY_VERIFY_WITH_TIMEOUT(cssWidth() > 800, 5000);
        // The level holds for the next page.
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("p2.htm"))));
        QTRY_VERIFY_WITH_TIMEOUT(cssWidth() > 800, 5000);
        view->SetZoomLevel(2);
        QVERIFY_THROWS_EXCEPTION(std::exception, view->SetZoomLevel(5));
    }

    // Layers over the page: styles composed by order (a later layer wins), a script that
    // runs in every page in a world the page's own scripts never see, a message from the
    // page reaching its listener, the page core's places in the text (a stretch wrapped
    // across elements and a half-space leaves the text as it was), and a layer taken away.
    void layersComposeOverThePageAndHearIt()
    {
        TPageLayers &layers = view->Layers();
        QJsonValue told;
        layers.Listen(QStringLiteral("test-text"), [&](const QJsonValue &v) { told = v; });
        layers.Set(QStringLiteral("late"), TPageLayer{TPageLayer::loMarks, QStringLiteral("p { color: rgb(1, 2, 3); }"),
                                                      QStringLiteral("ketab.ready(function () { ketab.tell('test-text', ketab.text()); });"),
                                                      {}});
        layers.Set(QStringLiteral("early"), TPageLayer{TPageLayer::loNight, QStringLiteral("p { color: rgb(9, 9, 9); }"), {}, {}});
        Write(dir.filePath(QStringLiteral("layers.htm")),
              Page(QStringLiteral("<p id=\"t\">سلام <b>دنیا</b></p><p>می‌روم</p><script>window.own = typeof ketab;</script>")));
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("layers.htm"))));
        const QString text = QStringLiteral("سلام دنیامی‌روم");
        QTRY_COMPARE_WITH_TIMEOUT(told.toString(), text, 10000);
        QCOMPARE(RunJs(*view, QStringLiteral("getComputedStyle(document.getElementById('t')).color")).toString(),
                 QStringLiteral("rgb(1, 2, 3)"));
        QCOMPARE(RunJs(*view, QStringLiteral("window.own + ' ' + typeof window.ketab")).toString(), QStringLiteral("undefined undefined"));
        // From inside the second word of the first paragraph into the half-space compound.
        QVariant wrapped;
        layers.Run(QStringLiteral("var spans = ketab.wrap('t', [{start: 7, end: 12, attrs: {'data-x': '1'}}])[0];"
                                  " [spans.map(function (s) { return s.textContent; }).join(''), ketab.text(), spans.length]"),
                   [&](const QVariant &v) { wrapped = v; });
        QTRY_VERIFY_WITH_TIMEOUT(wrapped.isValid(), 10000);
        QCOMPARE(wrapped.toList().value(0).toString(), text.mid(7, 5));
        QCOMPARE(wrapped.toList().value(1).toString(), text);
        QCOMPARE(wrapped.toList().value(2).toInt(), 2);
        QVariant after;
        layers.Run(QStringLiteral("ketab.unwrap('t'); [document.querySelectorAll('[data-ketab-layer]').length, document.body.innerHTML.indexOf('<b>دنیا</b>') >= 0]"),
                   [&](const QVariant &v) { after = v; });
        QTRY_VERIFY_WITH_TIMEOUT(after.isValid(), 10000);
        QCOMPARE(after.toList().value(0).toInt(), 0);
        QVERIFY(after.toList().value(1).toBool());
        layers.Remove(QStringLiteral("late"));
        QTRY_COMPARE_WITH_TIMEOUT(RunJs(*view, QStringLiteral("getComputedStyle(document.getElementById('t')).color")).toString(),
                                  QStringLiteral("rgb(9, 9, 9)"), 5000);
        layers.Remove(QStringLiteral("early"));
    }

    void pagesNeverReachTheNetwork()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString address = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
        Write(dir.filePath(QStringLiteral("net.htm")),
              Page(QStringLiteral("<img src=\"%1pic.png\"><link rel=\"stylesheet\" href=\"%1s.css\"><iframe src=\"%1f\"></iframe>")
                       .arg(address)));
        QVERIFY(LoadAndWait(dir.filePath(QStringLiteral("net.htm"))));
        QTest::qWait(500);
        QVERIFY(!server.hasPendingConnections());
        QVERIFY(!server.waitForNewConnection(200));
    }
};

QTEST_MAIN(TestWebBrowser)
#include "tst_webbrowser.moc"
