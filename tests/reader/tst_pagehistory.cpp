#include "app/ReaderState.h"
#include "reader/TPageHistory.h"
#include "reader/TReadingPace.h"
#include <QtTest>

class TestPageHistory : public QObject {
    Q_OBJECT
private slots:
    void historyRules();
    void paceRules();
};

namespace {
// A place as the reading window would be in it once its page has loaded.
TPagePlace Place(const QString &name, TReaderState &s)
{
    s.ResultPending = false;
    s.ContentsMode = name.startsWith(u"dir");
    s.IndexMode = name.startsWith(u"ind");
    s.CanBack = !s.ContentsMode && !s.IndexMode;
    s.CanForward = !s.IndexMode;
    const int page = name.mid(name.startsWith(u"found") ? 5 : 1).toInt();
    if (page) s.CurPage = page;
    TPagePlace p;
    p.File = name.startsWith(u"found") ? QStringLiteral("found.htm") : name;
    if (name.startsWith(u"found")) p.Marking = {QStringLiteral("p%1").arg(page), {QStringLiteral("w")}, 0, false, {}};
    return p;
}

QString Name(const TPagePlace &p) { return p.IsResult() ? QStringLiteral("found") + p.Marking.PageFile.mid(1) : p.File; }
}

void TestPageHistory::historyRules()
{
    // Steps: a name shows that place (the window's state set as it would be there, "*"
    // on its way to a result page), J jumps, S<share> scrolls, B and F go back and forward
    // and load the place; then the place on screen, the places behind and ahead, and the
    // scroll the last B or F restored.
    const struct { const char *Rule, *Steps, *Current; int Behind, Ahead; double Restored; } rules[] = {
        {"moves are no jumps", "dir2 p766 p767 p768", "p768", 0, 0, -1},
        {"a jump keeps the place left", "dir2 J p800 p801", "p801", 1, 0, -1},
        {"back to the place left, scrolled", "ind1 S0.4 J p800 B", "ind1", 0, 1, 0.4},
        {"back then forward", "ind1 J p800 S0.25 p801 S0.5 B F", "p801", 1, 0, 0.5},
        {"back twice", "dir2 J p800 J ind1 J found900 B B", "p800", 1, 2, 0},
        {"a jump after back drops the places ahead", "dir2 J p800 J p900 B B J ind1", "ind1", 1, 0, 0},
        {"a jump to the same place keeps nothing", "p800 J p800", "p800", 0, 0, -1},
        {"a page on its way to a result page is no place", "p800 J p800* found800 B", "p800", 0, 1, 0},
        {"scrolling after the jump stays with the page it leads to", "ind1 S0.3 J S0.9 p800 B", "ind1", 0, 1, 0.3},
        {"back to a result page sets it to load", "found800 J p900 B", "found800", 0, 1, 0},
        {"nowhere to go", "p800 B F", "p800", 0, 0, -1},
    };
    for (const auto &r : rules) {
        TReaderState s;
        s.CurSection = 2;
        TPageHistory h(s);
        double restored = -1;
        for (const QString &step : QString::fromLatin1(r.Steps).split(u' ')) {
            if (step == u"J") {
                h.Jump();
            } else if (step.startsWith(u'S')) {
                h.Scrolled(step.mid(1).toDouble());
            } else if (step == u"B" || step == u"F") {
                const std::optional<TPagePlace> to = step == u"B" ? h.Back() : h.Forward();
                if (!to) continue;
                // The state is the place's own, as if the reader had come there directly.
                TReaderState direct = s;
                Place(Name(*to), direct);
                QVERIFY2(s.CurPage == direct.CurPage && s.ContentsMode == direct.ContentsMode
                             && s.IndexMode == direct.IndexMode && s.CanBack == direct.CanBack
                             && s.CanForward == direct.CanForward && s.ResultPending == to->IsResult(),
                         r.Rule);
                // The page going away may still tell its scroll; the page loads.
                h.Scrolled(0.99);
                s.ResultPending = false;
                restored = h.Shown(*to).value_or(-2);
            } else {
                const bool onItsWay = step.endsWith(u'*');
                TPagePlace p = Place(onItsWay ? step.chopped(1) : step, s);
                s.ResultPending = onItsWay;
                h.Shown(p);
            }
        }
        QCOMPARE_EQ(h.Current() ? Name(*h.Current()) : QString(), QString::fromLatin1(r.Current));
        QVERIFY2(h.Places() == r.Behind + r.Ahead && h.CanGoBack() == (r.Behind > 0) && h.CanGoForward() == (r.Ahead > 0), r.Rule);
        QVERIFY2(qFuzzyCompare(restored + 10, r.Restored + 10), r.Rule);
        // Back as often as there are places behind reaches the first, and no further.
        for (int k = 0; k < r.Behind; ++k) QVERIFY2(h.Back(), r.Rule);
        QVERIFY2(!h.Back(), r.Rule);
    }

    // The bound: the oldest places go first.
    TReaderState s;
    TPageHistory h(s);
    for (int page = 1; page <= TPageHistory::MaxPlaces + 20; ++page) {
        h.Shown(Place(QStringLiteral("p%1").arg(page), s));
        h.Jump();
    }
    QCOMPARE(h.Places(), TPageHistory::MaxPlaces);
    while (h.CanGoBack()) h.Back();
    QCOMPARE(h.Current()->File, QStringLiteral("p20"));
}

void TestPageHistory::paceRules()
{
    // Seconds on the pages turned with Next; the pace they give.
    const struct { const char *Rule; QList<double> Turns; double Pace; } rules[] = {
        {"fixed before ten pages", {30, 30, 30, 30, 30, 30, 30, 30, 30}, TReadingPace::FixedSecondsPerPage},
        {"the median from ten pages on", {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, 55},
        {"an odd count", {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 300}, 60},
        {"too short and too long do not count", {1.9, 700, 30, 30, 30, 30, 30, 30, 30, 30, 30}, TReadingPace::FixedSecondsPerPage},
        {"two seconds and ten minutes count", {2, 600, 2, 600, 2, 600, 2, 600, 2, 600, 2}, 2},
        {"only the last twenty", {900, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500,
                                  10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, 10},
    };
    for (const auto &r : rules) {
        TReadingPace pace;
        for (double t : r.Turns) pace.Turned(t);
        QVERIFY2(pace.SecondsPerPage() == r.Pace, r.Rule);
        // What is kept comes back as the same pace on the next run.
        TReadingPace next;
        next.SetKept(pace.Kept());
        QVERIFY2(next.SecondsPerPage() == r.Pace, r.Rule);
    }
    // The words: section 2 is pages 766..1312; the time counts this page too.
    QCOMPARE(TReadingPace::Words(835, 766, 1312, 3983, 60),
             QStringLiteral("Page 835 of 1312 · 13% of this section · 21% of the book · about 7 hours and 58 minutes to the end of the section"));
    QCOMPARE(TReadingPace::Percent(1, 1, 2), 50);
    QCOMPARE(TReadingPace::TimeLeft(20), QStringLiteral("less than a minute"));
    QCOMPARE(TReadingPace::TimeLeft(2390), QStringLiteral("about 40 minutes"));
    QCOMPARE(TReadingPace::TimeLeft(3 * 3600 + 29), QStringLiteral("about 3 hours"));
}

QTEST_GUILESS_MAIN(TestPageHistory)
#include "tst_pagehistory.moc"
