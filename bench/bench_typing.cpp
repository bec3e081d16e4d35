// Search as you type in the search window, over the whole book with its text read ahead
// (warm): 20 two-word queries taken from the book's pages, each typed a key every 50 ms,
// and a burst of 20 keys at 50 ms. Prints, as medians over the queries, the time from the
// last key to the updated count (the pause after the last key included, and the search
// alone after it), and for everything typed the longest time a key waited to be taken and
// the longest time the window's event loop went without answering (a 1 ms heartbeat).
// Usage: bench_typing [book folder]
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "search/TSearchForm.h"
#include "search/TTypedSearch.h"
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Queries = 20;
constexpr int KeyIntervalMs = 50;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Two neighbouring words of a page's first paragraph, each of two letters or more.
QString TwoWords(int page)
{
    QFile f(PageFile(SectionOf(page), page));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(f.readAll());
    const QString paragraph = QRegularExpression(QStringLiteral("<p align=\"justify\">([^<]+)</p>")).match(text).captured(1);
    const QStringList words = paragraph.split(QRegularExpression(QStringLiteral("[\\s،.,()]+")), Qt::SkipEmptyParts);
    for (int i = 2; i + 1 < words.size(); ++i)
        if (words[i].size() > 2 && words[i + 1].size() > 2) return words[i] + u' ' + words[i + 1];
    return {};
}

// Watches the window while text is typed into its query: each key is sent at its moment
// and its wait until the field takes it is kept; a 1 ms heartbeat keeps the longest gap.
class TTyping : public QObject {
public:
    explicit TTyping(QLineEdit *edit) : FEdit(edit)
    {
        edit->installEventFilter(this);
        FBeat.setTimerType(Qt::PreciseTimer);
        FBeat.setInterval(1);
        QObject::connect(&FBeat, &QTimer::timeout, [this] {
            const qint64 now = FClock.nsecsElapsed();
            if (FLastBeat) LongestGapMs = std::max(LongestGapMs, (now - FLastBeat) / 1e6);
            FLastBeat = now;
        });
    }

    // Types text a key every interval ms and returns when the typed search has shown its
    // count; gives the time from the last key taken to then.
    double Type(const QString &text, TTypedSearch *search, int interval = KeyIntervalMs)
    {
        FClock.start();
        FLastBeat = 0;
        FBeat.start();
        QEventLoop loop;
        double lastKeyMs = 0, doneMs = -1;
        search->OnFinished = [&] {
            if (FTaken == text.size()) {
                doneMs = FClock.nsecsElapsed() / 1e6;
                loop.quit();
            }
        };
        FTaken = 0;
        FSent.clear();
        for (int i = 0; i < text.size(); ++i) {
            FSent.push_back(i * interval);
            QTimer::singleShot(i * interval, Qt::PreciseTimer, this, [this, &text, i] {
                QCoreApplication::postEvent(FEdit, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(text[i])));
            });
        }
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        FBeat.stop();
        lastKeyMs = FTakenMs;
        search->OnFinished = nullptr;
        return doneMs < 0 ? -1 : doneMs - lastKeyMs;
    }

    double LongestGapMs = 0;
    double LongestKeyWaitMs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == FEdit && event->type() == QEvent::KeyPress && FTaken < static_cast<int>(FSent.size())) {
            FTakenMs = FClock.nsecsElapsed() / 1e6;
            LongestKeyWaitMs = std::max(LongestKeyWaitMs, FTakenMs - FSent[FTaken]);
            ++FTaken;
        }
        return false;
    }

private:
    QLineEdit *FEdit;
    QTimer FBeat;
    QElapsedTimer FClock;
    qint64 FLastBeat = 0;
    std::vector<double> FSent;
    int FTaken = 0;
    double FTakenMs = 0;
};
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TKetabApplication app(argc, argv);
    ReaderState.AppFolder = (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KETAB_BOOK_DIR)) + u'/';
    ReaderState.FillSectionTable();
    TSearchForm form;
    form.show();
    form.KeepBookText();
    form.KeptText.Wait();

    std::vector<QString> queries;
    for (int page = 800; static_cast<int>(queries.size()) < Queries && page < 3900; page += 97)
        if (const QString q = TwoWords(page); !q.isEmpty()) queries.push_back(q);
    TTyping typing(form.SearchEdit);
    // One untimed query first: the window and the engine's threads warm up.
    form.SearchEdit->clear();
    typing.Type(queries.front(), form.TypedSearch);
    typing.LongestGapMs = typing.LongestKeyWaitMs = 0;

    std::vector<double> total, search;
    for (const QString &q : queries) {
        form.SearchEdit->clear();
        form.TypedSearch->Cancel();
        const double ms = typing.Type(q, form.TypedSearch);
        if (ms < 0) {
            std::fprintf(stderr, "the search for %s did not end\n", qPrintable(q));
            return 1;
        }
        total.push_back(ms);
        search.push_back(ms - TTypedSearch::PauseMs);
    }
    const double queryGap = typing.LongestGapMs, queryKeyWait = typing.LongestKeyWaitMs;

    // The burst: twenty keys, then the search they lead to.
    typing.LongestGapMs = typing.LongestKeyWaitMs = 0;
    form.SearchEdit->clear();
    form.TypedSearch->Cancel();
    const QString burst = (queries[0] + u' ' + queries[1] + u' ' + queries[2]).left(20);
    typing.Type(burst, form.TypedSearch);

    // A slower hand: each key comes just after the pause, while the search it started runs.
    const double burstGap = typing.LongestGapMs, burstKeyWait = typing.LongestKeyWaitMs;
    typing.LongestGapMs = typing.LongestKeyWaitMs = 0;
    form.SearchEdit->clear();
    form.TypedSearch->Cancel();
    const int slow = TTypedSearch::PauseMs + 5;
    typing.Type(burst.left(10), form.TypedSearch, slow);

    std::printf("search as you type, %zu two-word queries over the whole book, warm (e.g. %s), a key every %d ms:\n",
                queries.size(), qPrintable(queries.front()), KeyIntervalMs);
    std::printf("  last key to updated count: median %.1f ms (of which the pause %d ms; the search after it "
                "%.1f ms median, %.1f ms max; goal 60 ms)\n",
                Median(total), TTypedSearch::PauseMs, Median(search), *std::max_element(search.begin(), search.end()));
    std::printf("  while typing the queries and searching: longest key wait %.1f ms, longest loop gap %.1f ms\n",
                queryKeyWait, queryGap);
    std::printf("  burst of %lld keys at %d ms and its search: longest key wait %.1f ms, longest loop gap %.1f ms "
                "(goal 50 ms)\n",
                static_cast<long long>(burst.size()), KeyIntervalMs, burstKeyWait, burstGap);
    std::printf("  10 keys at %d ms, each cancelling the search the last one started: longest key wait %.1f ms, "
                "longest loop gap %.1f ms\n",
                slow, typing.LongestKeyWaitMs, typing.LongestGapMs);
    return 0;
}
