// Soak: 10,000 page turns and 1,000 searches in one running reading window over the sample
// book, printing the resident memory of the program and of its browser engine processes at
// the start, every 1,000 turns and at the end, and the growth after the first 1,000 turns
// (goal: under 10 %). A search runs after every tenth turn through the search window, over
// one section; every fifth search opens its first result as the highlighted result page.
// Usage: bench_soak [book folder] [turns]
#include "LoadWaiter.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "search/TSearchForm.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace {
constexpr int DefaultTurns = 10000;
constexpr int TurnsPerSearch = 10;
constexpr int SearchesPerResultPage = 5;
constexpr int ReportEvery = 1000;

const char *const Queries[] = {"ايران", "شاه+سپاه", "ايران*شاه", "كتاب", "پادشاه+نامه", "شهر"};

// Resident set of a process in kilobytes, from /proc; 0 when it has gone.
long ResidentKb(int pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Every process below this one (the engine's zygotes, render and utility processes).
std::vector<int> Descendants()
{
    std::map<int, std::vector<int>> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (!ok) continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1) children[fields[1].toInt()].push_back(pid);
    }
    std::vector<int> out, todo{int(getpid())};
    while (!todo.empty()) {
        const int pid = todo.back();
        todo.pop_back();
        for (int child : children[pid]) {
            out.push_back(child);
            todo.push_back(child);
        }
    }
    return out;
}

struct TSample {
    long Program = 0;
    long Engine = 0;
    int EngineProcesses = 0;
    long Total() const { return Program + Engine; }
};

TSample Measure()
{
    TSample s;
    s.Program = ResidentKb(int(getpid()));
    for (int pid : Descendants()) {
        s.Engine += ResidentKb(pid);
        ++s.EngineProcesses;
    }
    return s;
}

void Print(const char *when, int turns, int searches, const TSample &s, double seconds)
{
    std::printf("%-6s turns %5d searches %4d: program %7.1f MB, engine %7.1f MB in %d processes, total %7.1f MB (%.0f s)\n",
                when, turns, searches, s.Program / 1024.0, s.Engine / 1024.0, s.EngineProcesses, s.Total() / 1024.0,
                seconds);
    std::fflush(stdout);
}

double Growth(long from, long to) { return from > 0 ? 100.0 * double(to - from) / double(from) : 0.0; }
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TKetabApplication app(argc, argv);
    ReaderState.AppFolder = (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KETAB_BOOK_DIR)) + u'/';
    const int turnsWanted = argc > 2 ? std::max(ReportEvery, atoi(argv[2])) : DefaultTurns;
    auto *form = new TMainForm;
    auto *search = new TSearchForm;
    form->show();

    TLoadWaiter view(form->PageBrowser);
    const auto run = [&](const std::function<void()> &command) { return view.Run(command); };

    QElapsedTimer clock;
    clock.start();
    int section = 1;
    ReaderState.CurSection = section;
    ReaderState.CurPage = ReaderState.FirstPage[section];
    if (!run([&] { form->RefreshPage->trigger(); })) {
        std::fprintf(stderr, "the first page did not load\n");
        return 1;
    }
    const TSample start = Measure();
    Print("start", 0, 0, start, 0);
    TSample atFirstReport;
    int searches = 0;
    for (int turn = 1; turn <= turnsWanted; ++turn) {
        // Through the book: Next within a section, then the next section's first page.
        const bool ok = ReaderState.CanForward ? run([&] { form->NextPage->trigger(); }) : run([&] {
            section = section % SectionCount + 1;
            ReaderState.CurSection = section;
            ReaderState.CurPage = ReaderState.FirstPage[section];
            form->RefreshPage->trigger();
        });
        if (!ok) {
            std::fprintf(stderr, "turn %d did not load\n", turn);
            return 1;
        }
        if (turn % TurnsPerSearch == 0) {
            search->WholeCase->setChecked(searches % 2 == 1);
            search->LookinComboBox->setCurrentIndex(1 + searches % SectionCount);
            search->SearchEdit->setText(QString::fromUtf8(Queries[searches % std::size(Queries)]));
            TKetabApplication::Guarded([&] { search->SearchButtonClick(); });
            ++searches;
            if (searches % SearchesPerResultPage == 0 && search->ResultListBox->count() > 0) {
                search->ResultListBox->setCurrentRow(0);
                run([&] { TKetabApplication::Guarded([&] { search->GotoButtonClick(); }); });
                section = ReaderState.CurSection;
            }
        }
        if (turn % ReportEvery == 0) {
            const TSample s = Measure();
            if (turn == ReportEvery) atFirstReport = s;
            Print("", turn, searches, s, clock.elapsed() / 1000.0);
        }
    }
    const TSample end = Measure();
    Print("end", turnsWanted, searches, end, clock.elapsed() / 1000.0);
    std::printf("growth after the first %d turns: program %+.1f %%, engine %+.1f %%, total %+.1f %% (goal under 10 %%)\n",
                ReportEvery, Growth(atFirstReport.Program, end.Program), Growth(atFirstReport.Engine, end.Engine),
                Growth(atFirstReport.Total(), end.Total()));
    return 0;
}
