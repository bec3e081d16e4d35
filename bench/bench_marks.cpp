// The reader's marks at their largest: 10,000 marks spread over the book's pages.
// Usage: bench_marks [marks]
// Prints the time of a write of the marks file on the writing thread (alone, and joined
// with a file another program changed), what the user-interface thread spends handing
// the marks over, the time of a load, of the list in book order, and of finding a page's
// marks again (a page as it was, and a page with a word inserted at its top).
#include "marks/TMarkAnchor.h"
#include "marks/TMarkStore.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {
constexpr int Rounds = 9;
constexpr int MarksPerPage = 100;

double ThreadCpuMs()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Medians of the wall and processor times of fn in milliseconds (on the thread that runs
// it, or on the thread fn starts when it tells its own), after one untimed warm-up run.
struct TTimes {
    double Wall, Cpu;
};
TTimes Median(const std::function<void(double &cpu)> &fn)
{
    double cpu = 0;
    fn(cpu);
    std::vector<double> walls, cpus;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer t;
        t.start();
        const double before = ThreadCpuMs();
        cpu = -1;
        fn(cpu);
        walls.push_back(double(t.nsecsElapsed()) / 1e6);
        cpus.push_back(cpu >= 0 ? cpu : ThreadCpuMs() - before);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

TTimes Median(const std::function<void()> &fn)
{
    return Median([&fn](double &) { fn(); });
}

// Runs fn on a thread of its own, as the store writes, and tells its processor time.
void OnThread(double &cpu, const std::function<void()> &fn)
{
    std::thread writer([&] {
        const double before = ThreadCpuMs();
        fn();
        cpu = ThreadCpuMs() - before;
    });
    writer.join();
}

// A page of the book's kind of text: words with half-spaces, hamza forms and diacritics.
QString PageText(int page)
{
    static const QStringList words = {QStringLiteral("شاه"), QStringLiteral("مي\u200Cشود"), QStringLiteral("مسئله"),
                                      QStringLiteral("كتابِ"), QStringLiteral("و"), QStringLiteral("آمد"), QStringLiteral("در"),
                                      QStringLiteral("سپاه"), QStringLiteral("شهرها"), QStringLiteral("رفت"), QStringLiteral("روزگار"),
                                      QStringLiteral("ساسانيان"), QStringLiteral("\n")};
    QStringList text;
    quint32 seed = quint32(page) * 2654435761u;
    for (int i = 0; i < 700; ++i) {
        seed = seed * 1664525u + 1013904223u;
        text << words[int((seed >> 16) % quint32(words.size()))];
    }
    return text.join(u' ');
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("data")), book = home.path();

    QList<TMark> marks;
    for (int i = 0; i < count; ++i) {
        const int page = 1 + int((qint64(i) * 3983) / count);
        const QString text = PageText(page);
        const int start = (i * 97) % int(text.size() - 200);
        TMark m = TMarkAnchor::Make(page, text, start, start + 40 + i % 80, TMark::TStyle(i % TMark::StyleCount));
        if (i % 3 == 0) m.Note = QStringLiteral("يادداشتي درباره اين بخش، با چند واژه و سطر دوم\nو سوم.");
        marks << m;
    }

    TMarkStore::TStamp seen;
    const QString file = TMarkStore(folder, book).FileName(), canonical = TMarkStore(folder, book).BookFolder();
    const TTimes write = Median([&](double &cpu) { OnThread(cpu, [&] { seen = TMarkStore::Write(file, canonical, marks, seen).Stamp; }); });
    const TTimes joinWrite = Median([&](double &cpu) { OnThread(cpu, [&] { TMarkStore::Write(file, canonical, marks, TMarkStore::TStamp()); }); });
    const double bytes = double(QFileInfo(file).size());

    TMarkStore store(folder, book);
    const TTimes load = Median([&] { store.Load(); });
    // What a write is given: a copy of the marks as the store holds them, by Id.
    QHash<QString, TMark> byId;
    for (const TMark &m : std::as_const(marks)) byId.insert(m.Id, m);
    const TTimes handOver = Median([&] {
        store.Put(marks[0]);
        const QList<TMark> copy = byId.values();
        (void)copy;
    });
    store.SaveNow();
    const TTimes list = Median([&] { (void)store.Marks(); });

    // One page with MarksPerPage marks on it, found again as it was and after a change.
    const QString text = PageText(835), changed = QStringLiteral("واژه\u200Cاي نو ") + text;
    QList<TMark> onPage;
    for (int i = 0; i < MarksPerPage; ++i) {
        const int start = (i * 131) % int(text.size() - 200);
        onPage << TMarkAnchor::Make(835, text, start, start + 30 + i % 60, TMark::msYellow);
    }
    int found = 0;
    const TTimes same = Median([&] {
        for (const TMark &m : onPage) found += TMarkAnchor::Find(m, text).Found;
    });
    const TTimes moved = Median([&] {
        for (const TMark &m : onPage) found += TMarkAnchor::Find(m, changed).Found;
    });
    int refound = 0;
    for (const TMark &m : onPage) refound += TMarkAnchor::Find(m, changed).Found;

    // Wall times on a shared machine wait for other work; processor times do not.
    std::printf("marks: %d over the book, file %.1f MB; times in ms, wall (processor)\n", count, bytes / 1e6);
    std::printf("write on its thread: %.1f (%.1f); joined with a file another program changed: %.1f (%.1f)\n", write.Wall,
                write.Cpu, joinWrite.Wall, joinWrite.Cpu);
    std::printf("handed over by the user-interface thread (a change and the copy): %.2f (%.2f)\n", handOver.Wall, handOver.Cpu);
    std::printf("load: %.1f (%.1f); the list in book order: %.1f (%.1f)\n", load.Wall, load.Cpu, list.Wall, list.Cpu);
    std::printf("finding a page's %d marks again: page as it was %.3f (%.3f), page changed %.2f (%.2f), %d of %d found\n",
                MarksPerPage, same.Wall, same.Cpu, moved.Wall, moved.Cpu, refound, MarksPerPage);
    return found > 0 ? 0 : 1;
}
