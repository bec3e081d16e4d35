// Read aloud in the reading window, over the real speech service and espeak-ng's Persian
// voice, on section 2's page 800 of the sample book:
// - the read-aloud key's handler to the engine's "speaking" state for the first sentence:
//   in a fresh program with the service not running (it must start), in a fresh program with
//   it running, and again in the same program once reading was stopped;
// - the end of one sentence to the beginning of the next, median over the page.
// The service runs from a private home made here: its sound goes to ALSA's null device, so
// no sentence takes a listener's time, and it ends a few seconds after the last program.
// Usage: bench_speech [book folder]
#include "LoadWaiter.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "reader/TMainForm.h"
#include "speech/TReadAloudControl.h"
#include "speech/TSpeechModule.h"
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {
constexpr int Page = 800;
const char *const Child = "--once";
const char *const PreparedChild = "--prepared";

void Write(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(text);
}

// A home of its own for the speech service: sound to the null device, no log.
void PrivateService(const QString &home)
{
    Write(home + QStringLiteral("/.config/speech-dispatcher/speechd.conf"),
          "LogLevel 0\nAudioOutputMethod \"alsa\"\nTimeout 10\n"
          "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\nDefaultModule espeak-ng\n");
    Write(home + QStringLiteral("/.asoundrc"), "pcm.!default { type null }\n");
    QDir().mkpath(home + QStringLiteral("/run"));
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home + QStringLiteral("/run")));
}

double Median(std::vector<double> v)
{
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs the event loop until done() holds or ms have passed; false on time out.
bool RunUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

struct TRun {
    std::vector<double> Begins, Ends;  // ms since the press
    double FirstCpuMs = -1;            // the program's CPU time (all its threads) to the first beginning
};

double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Presses the read-aloud key's handler and follows the page to its end (or only its first
// sentence); the times of each sentence's beginning and end.
TRun ReadPage(TMainForm &form, bool wholePage)
{
    TReadAloud &reader = form.ReadAloud->Reader();
    TRun run;
    QElapsedTimer t;
    const double cpu = CpuMs();
    reader.OnSentenceBegun = [&](int) {
        if (run.Begins.empty()) run.FirstCpuMs = CpuMs() - cpu;
        run.Begins.push_back(t.nsecsElapsed() / 1e6);
    };
    t.start();
    reader.Press();
    // The engine's own "ready" after each sentence, seen beside the reader's handler.
    static std::function<void()> ended;
    ended = [&run, &t] { run.Ends.push_back(t.nsecsElapsed() / 1e6); };
    static bool watching = false;
    QString why;
    TSpeechEngine *engine = TSpeechModule::Engine(&why);
    if (engine && !watching) {
        watching = true;
        engine->OnState = [handler = engine->OnState](TSpeechEngine::TState state) {
            if (state == TSpeechEngine::esReady) ended();
            if (handler) handler(state);
        };
    }
    const int pageBefore = ReaderState.CurPage;
    RunUntil([&] { return reader.Phase() == TReadAloud::rpIdle || !run.Begins.empty(); }, 120000);
    if (wholePage) RunUntil([&] { return reader.Phase() == TReadAloud::rpIdle || ReaderState.CurPage != pageBefore; }, 120000);
    if (!reader.Note().isEmpty()) std::printf("  the note: %s\n", qPrintable(reader.Note()));
    reader.Stop();
    RunUntil([] { return false; }, 300);
    ended = [] {};
    return run;
}

std::vector<double> Gaps(const TRun &run)
{
    // The end of sentence i and the beginning of sentence i + 1.
    std::vector<double> gaps;
    for (size_t i = 0; i + 1 < run.Begins.size() && i < run.Ends.size(); ++i) gaps.push_back(run.Begins[i + 1] - run.Ends[i]);
    return gaps;
}
}

int main(int argc, char **argv)
{
    const bool child = argc > 1 && (qstrcmp(argv[argc - 1], Child) == 0 || qstrcmp(argv[argc - 1], PreparedChild) == 0);
    const bool prepared = argc > 1 && qstrcmp(argv[argc - 1], PreparedChild) == 0;
    QTemporaryDir home;
    if (!child) PrivateService(home.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TKetabApplication app(argc, argv);
    ReaderState.AppFolder = (argc > 1 && !child ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KETAB_BOOK_DIR)) + u'/';
    TMainForm form;
    form.show();
    TLoadWaiter view(form.PageBrowser);
    ReaderState.CurSection = 2;
    ReaderState.CurPage = Page;
    if (!view.Run([&] { form.RefreshPage->trigger(); })) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    if (child) {
        if (prepared) {
            // As for a reader who read aloud in an earlier run: the service is started once
            // the window shows, and the reader presses the key some seconds later.
            TReadAloud &reader = form.ReadAloud->Reader();
            reader.Prepare();
            RunUntil([&] { return !reader.Voices().isEmpty(); }, 120000);
        }
        const TRun run = ReadPage(form, false);
        std::printf("%.1f\n", run.Begins.empty() ? -1.0 : run.Begins.front());
        return 0;
    }

    std::printf("read aloud on page %d, the service from a private home, sound to the null device\n", Page);
    const TRun cold = ReadPage(form, true);
    std::printf("key to speaking, the service not running (module, service start, its voice list): %.1f ms (goal 1500 ms)\n",
                cold.Begins.empty() ? -1.0 : cold.Begins.front());
    std::printf("  of which CPU time in the program, all its threads: %.1f ms\n", cold.FirstCpuMs);
    const std::vector<double> gaps = Gaps(cold);
    if (!gaps.empty())
        std::printf("end of a sentence to the next one speaking, %zu sentences: median %.1f ms, max %.1f ms (goal 150 ms)\n",
                    gaps.size() + 1, Median(gaps), *std::max_element(gaps.begin(), gaps.end()));
    ReaderState.CurPage = Page;
    view.Run([&] { form.RefreshPage->trigger(); });
    std::vector<double> again;
    for (int i = 0; i < 5; ++i) {
        const TRun run = ReadPage(form, false);
        if (!run.Begins.empty()) again.push_back(run.Begins.front());
    }
    std::printf("key to speaking again in the same program, the service up: median of %zu %.1f ms (goal 300 ms)\n",
                again.size(), Median(again));
    // Fresh programs, each pressing the key once: its time to the first sentence's sound.
    const auto freshRuns = [](const char *mode) {
        std::vector<double> times;
        for (int i = 0; i < 3; ++i) {
            QProcess p;
            p.start(QCoreApplication::applicationFilePath(), {QLatin1String(mode)});
            p.waitForFinished(180000);
            const double ms = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().split(u'\n').last().toDouble();
            if (ms > 0) times.push_back(ms);
        }
        return times;
    };
    const std::vector<double> fresh = freshRuns(Child);
    std::printf("key to speaking in a fresh program, the service running: median of %zu %.1f ms (goal 300 ms)\n",
                fresh.size(), Median(fresh));
    const std::vector<double> ready = freshRuns(PreparedChild);
    std::printf("key to speaking in a fresh program of a reader who read aloud before (the service started when the "
                "window showed): median of %zu %.1f ms (goal 300 ms)\n",
                ready.size(), Median(ready));
    // The service started here ends with its last client; it is not left waiting for the next.
    QFile pid(home.filePath(QStringLiteral("run/speech-dispatcher/pid/speech-dispatcher.pid")));
    if (pid.open(QIODevice::ReadOnly)) ::kill(pid.readAll().trimmed().toInt(), SIGTERM);
    return 0;
}
