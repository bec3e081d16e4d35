// Start-up, measured from outside as whole processes on the running X display: launch to
// the first viewable window at least 500 pixels wide, for the program, a peer reader of
// the same kind (when installed) and two floors, an empty Qt window with and without the
// browser engine linked. One warm-up round, then the programs in turn, round after round;
// medians, the ratio program / peer last.
// Then, from children that start the way the program does (TProgramStart): the time at
// which each start-up stage ends (with the user-interface thread's CPU time), and a section
// button clicked 1 s after the start menu was painted, timed to the contents page's
// load-complete, step by step, with the CPU time the program's user-interface thread, its
// other threads and the engine's helper processes spent on it (CPU time varies less than
// wall time on a machine that others load).
// Usage: bench_startup [runs] [--ketab PATH] [--stages] [--click-after MS]
//   --stages: only the children (no launch race); --click-after: the click's delay (1000).
// Needs an X display, e.g. Xvfb.
#include "app/ReaderState.h"
#include "app/TMenuForm.h"
#include "app/TProgramStart.h"
#include "app/TSettingsStore.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "skin/TsuiImageButton.h"
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <xcb/xcb.h>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <set>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int MinWidth = 500;
constexpr double TimeoutMs = 30000;
const char *const PeerProgram = "kchmviewer";

double NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// A started program in a process group of its own, so everything it started ends with it.
struct TLaunched {
    pid_t Pid = -1;
    int Output = -1;  // its stderr, when asked for
    double StartMs = 0;

    void End()
    {
        if (Pid > 0) {
            kill(-Pid, SIGKILL);
            waitpid(Pid, nullptr, 0);
        }
        if (Output >= 0) close(Output);
        Pid = -1;
        Output = -1;
    }
};

TLaunched Launch(const std::vector<std::string> &command, bool keepStderr)
{
    int pipeFds[2] = {-1, -1};
    if (keepStderr && pipe(pipeFds) != 0) return {};
    TLaunched launched;
    launched.StartMs = NowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(keepStderr ? pipeFds[1] : null, 2);
        std::vector<char *> argv;
        for (const std::string &a : command) argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    launched.Pid = pid;
    if (keepStderr) {
        close(pipeFds[1]);
        launched.Output = pipeFds[0];
    }
    return launched;
}

// Watches the display for newly mapped top-level windows.
class TWindowWatch {
public:
    TWindowWatch()
    {
        FConnection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(FConnection)) return;
        FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(FConnection, FRoot, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(FConnection);
    }
    ~TWindowWatch() { xcb_disconnect(FConnection); }
    bool Usable() const { return !xcb_connection_has_error(FConnection); }

    // Milliseconds from start until a window at least MinWidth wide is mapped, or -1.
    double WaitForWindow(double startMs)
    {
        Drain();
        while (NowMs() - startMs < TimeoutMs) {
            pollfd fd{xcb_get_file_descriptor(FConnection), POLLIN, 0};
            poll(&fd, 1, 100);
            while (xcb_generic_event_t *event = xcb_poll_for_event(FConnection)) {
                const double at = NowMs();
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                free(event);
                if (mapped && Width(window) >= MinWidth) return at - startMs;
            }
        }
        return -1;
    }

private:
    int Width(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(FConnection, xcb_get_geometry(FConnection, window), nullptr);
        const int width = g ? g->width : 0;
        free(g);
        return width;
    }
    void Drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(FConnection)) free(event);
    }
    xcb_connection_t *FConnection = nullptr;
    xcb_window_t FRoot = 0;
};

struct TContender {
    std::string Name;
    std::vector<std::string> Command;
    std::vector<double> Ms;
};

// Milliseconds of CPU time this thread has used.
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// CPU milliseconds used so far by this process (all its threads) and by the other
// processes of its process group: the engine's helpers that it started.
struct TGroupCpu {
    double Program = 0;
    double Helpers = 0;
};

TGroupCpu GroupCpuMs()
{
    TGroupCpu ms;
    const pid_t self = getpid();
    const pid_t group = getpgrp();
    DIR *proc = opendir("/proc");
    if (!proc) return ms;
    while (dirent *e = readdir(proc)) {
        const pid_t pid = pid_t(std::atoi(e->d_name));
        if (pid <= 0 || getpgid(pid) != group) continue;
        const std::string tasks = std::string("/proc/") + e->d_name + "/task";
        DIR *dir = opendir(tasks.c_str());
        if (!dir) continue;
        while (dirent *t = readdir(dir)) {
            if (t->d_name[0] == '.') continue;
            // The first figure of schedstat: nanoseconds on a CPU.
            FILE *f = std::fopen((tasks + "/" + t->d_name + "/schedstat").c_str(), "r");
            if (!f) continue;
            unsigned long long ns = 0;
            if (std::fscanf(f, "%llu", &ns) == 1) (pid == self ? ms.Program : ms.Helpers) += ns / 1e6;
            std::fclose(f);
        }
        closedir(dir);
    }
    closedir(proc);
    return ms;
}

// The click's steps as they reach the windows, each noted once through Mark.
class TClickWatch : public QObject {
public:
    std::function<void(const char *)> Mark;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto once = [&](const char *name) {
            if (FSeen.insert(name).second) Mark(name);
        };
        if (watched == MenuForm && event->type() == QEvent::Hide) once("start menu hidden");
        else if (watched == MainForm && event->type() == QEvent::Show) once("reading window shown");
        else if (watched == MainForm && event->type() == QEvent::Paint) once("reading window painted");
        return false;
    }

private:
    std::set<std::string> FSeen;
};

// The program's start in this process, reporting each stage on stderr as milliseconds
// since launchMs (the parent's clock reading just before it started this process) and
// the user-interface thread's CPU milliseconds, then the click's steps.
int Child(char *argv[], double launchMs, int clickAfterMs)
{
    const auto stage = [launchMs](const char *name) {
        std::fprintf(stderr, "stage %s|%.1f %.1f\n", name, NowMs() - launchMs, ThreadCpuMs());
        std::fflush(stderr);
    };
    stage("main");
    static double clickMs = 0;
    static double clickCpuMs = 0;
    static TGroupCpu clickGroup;
    static TClickWatch watch;
    watch.Mark = [](const char *name) { std::fprintf(stderr, "click-step %s|%.1f\n", name, NowMs() - clickMs); };
    // The program's command line names the built book; the child's own arguments are not the program's.
    char book[] = "--book", folder[] = KETAB_BOOK_DIR;
    char *arguments[] = {argv[0], book, folder, nullptr};
    return TProgramStart::Run(3, arguments, [&](const char *name) {
        stage(name);
        if (std::strcmp(name, "start menu painted")) return;
        QTimer::singleShot(clickAfterMs, [] {
            TWebBrowser *view = MainForm->PageBrowser;
            auto processing = view->OnDownloadComplete;
            view->OnDownloadComplete = [processing](TWebBrowser *sender) {
                processing(sender);
                const double ms = NowMs() - clickMs;
                const double cpu = ThreadCpuMs() - clickCpuMs;
                const TGroupCpu group = GroupCpuMs();
                std::fprintf(stderr, "click-cpu user-interface thread|%.1f\n", cpu);
                std::fprintf(stderr, "click-cpu program's other threads|%.1f\n", group.Program - clickGroup.Program - cpu);
                std::fprintf(stderr, "click-cpu engine's helper processes|%.1f\n", group.Helpers - clickGroup.Helpers);
                std::fprintf(stderr, "click %.1f\n", ms);
                std::fflush(stderr);
                _exit(0);
            };
            qApp->installEventFilter(&watch);
            QWidget *button = MenuForm->LastButton;
            const QPointF at(button->width() / 2.0, button->height() / 2.0);
            const QPointF global = button->mapToGlobal(at);
            QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            clickGroup = GroupCpuMs();
            clickCpuMs = ThreadCpuMs();
            clickMs = NowMs();
            QCoreApplication::sendEvent(button, &press);
            QCoreApplication::sendEvent(button, &release);
            std::fprintf(stderr, "click-step handler returned|%.1f\n", NowMs() - clickMs);
            std::fprintf(stderr, "click-cpu of which the handler|%.1f\n", ThreadCpuMs() - clickCpuMs);
        });
    });
}

// One child start: each stage's time and CPU time and the click's figures, read from its stderr.
std::map<std::string, double> StagesOfOneStart(const std::string &self, int clickAfterMs)
{
    char launch[32];
    std::map<std::string, double> figures;
    std::snprintf(launch, sizeof launch, "%.3f", NowMs());
    TLaunched child = Launch({self, "--child", launch, std::to_string(clickAfterMs)}, true);
    std::string text;
    char buffer[4096];
    const double start = NowMs();
    while (text.find("\nclick ") == std::string::npos && NowMs() - start < TimeoutMs) {
        pollfd fd{child.Output, POLLIN, 0};
        if (poll(&fd, 1, 200) <= 0) continue;
        const ssize_t n = read(child.Output, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, size_t(n));
    }
    // The last lines may still be on their way.
    for (pollfd fd{child.Output, POLLIN, 0}; poll(&fd, 1, 100) > 0;) {
        const ssize_t n = read(child.Output, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, size_t(n));
    }
    child.End();
    size_t begin = 0;
    for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        const std::string line = text.substr(begin, end - begin);
        const size_t bar = line.find('|');
        const size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        const std::string kind = line.substr(0, space);
        if (kind == "click") {
            figures["click"] = std::atof(line.c_str() + space + 1);
        } else if (bar != std::string::npos) {
            const std::string name = line.substr(space + 1, bar - space - 1);
            double wall = 0, cpu = 0;
            const int read = std::sscanf(line.c_str() + bar + 1, "%lf %lf", &wall, &cpu);
            figures[kind + ":" + name] = wall;
            if (read == 2) figures["cpu:" + name] = cpu;
        }
    }
    return figures;
}

// The text-to-speech libraries in a process's maps (Qt's, the speech service's client, the
// program's speech module), one line each.
std::string SpeechLibraries(pid_t pid)
{
    std::string found;
    FILE *maps = std::fopen(("/proc/" + std::to_string(pid) + "/maps").c_str(), "r");
    if (!maps) return "(maps unreadable)";
    char line[4096];
    std::set<std::string> seen;
    while (std::fgets(line, sizeof line, maps)) {
        const std::string l(line);
        if (l.find("texttospeech") == std::string::npos && l.find("libspeechd") == std::string::npos
            && l.find("/speech.so") == std::string::npos)
            continue;
        const std::string path = l.substr(l.find('/'), l.size() - l.find('/') - 1);
        if (seen.insert(path).second) found += (found.empty() ? "" : ", ") + path;
    }
    std::fclose(maps);
    return found;
}

void PrintSpread(const char *label, const std::vector<double> &v)
{
    std::printf("%s median %.1f ms (min %.1f, max %.1f)\n", label, Median(v), *std::min_element(v.begin(), v.end()),
                *std::max_element(v.begin(), v.end()));
}
}

int main(int argc, char *argv[])
{
    if (argc > 3 && !std::strcmp(argv[1], "--child")) return Child(argv, std::atof(argv[2]), std::atoi(argv[3]));
    int runs = 5;
    int clickAfterMs = 1000;
    bool launches = true;
    std::string ketab = KETAB_BOOK_DIR "/ketab";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--ketab") && i + 1 < argc) ketab = argv[++i];
        else if (!std::strcmp(argv[i], "--click-after") && i + 1 < argc) clickAfterMs = std::max(0, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--stages")) launches = false;
        else runs = std::max(1, std::atoi(argv[i]));
    }
    // Every start finds a place to continue from and kept choices, as a reader's returning
    // start does; in folders of the benchmark's own, never the user's.
    QTemporaryDir kept;
    const QString configFolder = kept.filePath(QStringLiteral("config")), stateFolder = kept.filePath(QStringLiteral("state"));
    TSettingsStore store(configFolder + QStringLiteral("/ketab"), stateFolder + QStringLiteral("/ketab"),
                         QFileInfo(QString::fromStdString(ketab)).absolutePath());
    store.SavePlace({2144, 0.5});
    store.SaveChoices(TKeptChoices{});
    setenv("XDG_CONFIG_HOME", configFolder.toLocal8Bit().constData(), 1);
    setenv("XDG_STATE_HOME", stateFolder.toLocal8Bit().constData(), 1);
    std::printf("kept between runs: a place to continue from (page 2144) and the choices, in %s\n",
                qPrintable(kept.path()));
    TWindowWatch watch;
    if (!watch.Usable()) {
        std::printf("no X display to start the programs on\n");
        return 1;
    }
    double loads[3] = {0, 0, 0};
    if (getloadavg(loads, 3) > 0) std::printf("load average at start: %.2f %.2f %.2f\n", loads[0], loads[1], loads[2]);
    const std::string floors = KETAB_BENCH_DIR "/";
    std::vector<TContender> contenders{
        {"ketab, start menu", {ketab}, {}},
        {"empty Qt 6 Widgets window", {floors + "floor_window"}, {}},
        {"empty Qt 6 window, engine linked", {floors + "floor_window_webengine"}, {}}};
    const QString peer = QStandardPaths::findExecutable(QString::fromLatin1(PeerProgram));
    if (launches) {
        if (peer.isEmpty()) std::printf("peer missing: %s is not installed; the program's figures alone\n", PeerProgram);
        else contenders.insert(contenders.begin() + 1, {std::string("peer (") + PeerProgram + ")", {peer.toStdString()}, {}});
        std::printf("launch to first viewable window >= %d px wide, median of %d after a warm-up\n", MinWidth, runs);
    }
    for (int round = 0; launches && round <= runs; ++round) {
        for (TContender &c : contenders) {
            TLaunched p = Launch(c.Command, false);
            const double ms = watch.WaitForWindow(p.StartMs);
            // Once start-up has warmed the engine too, no speech library may be mapped.
            if (round == runs && &c == &contenders.front()) {
                usleep(3000000);
                const std::string mapped = SpeechLibraries(p.Pid);
                std::printf("speech libraries mapped 3 s after the start menu showed: %s\n", mapped.empty() ? "none" : mapped.c_str());
            }
            p.End();
            if (round > 0 && ms >= 0) c.Ms.push_back(ms);
            if (ms < 0) std::printf("  %s: no window within %.0f s\n", c.Name.c_str(), TimeoutMs / 1000);
        }
    }
    for (const TContender &c : contenders)
        if (!c.Ms.empty())
            std::printf("  %-36s median %6.1f ms  (min %.1f, max %.1f)\n", c.Name.c_str(), Median(c.Ms),
                        *std::min_element(c.Ms.begin(), c.Ms.end()), *std::max_element(c.Ms.begin(), c.Ms.end()));

    std::map<std::string, std::vector<double>> byName;
    const std::string self = KETAB_BENCH_DIR "/bench_startup";
    int warmBeforeClick = 0;
    for (int round = 0; round <= runs; ++round) {
        const auto figures = StagesOfOneStart(self, clickAfterMs);
        if (round == 0) continue;
        for (const auto &[name, ms] : figures) byName[name].push_back(ms);
        const auto warm = figures.find("stage:engine warm");
        const auto painted = figures.find("stage:start menu painted");
        if (warm != figures.end() && painted != figures.end() && warm->second <= painted->second + clickAfterMs)
            ++warmBeforeClick;
    }
    // Stages in the order they ended (by median), with the user-interface thread's CPU time.
    std::vector<std::pair<double, std::string>> stages;
    for (const auto &[name, ms] : byName)
        if (name.rfind("stage:", 0) == 0) stages.push_back({Median(ms), name.substr(6)});
    std::sort(stages.begin(), stages.end());
    std::printf("start-up stages, median of %d: ms since launch (+ since the stage before); user-interface "
                "thread CPU ms\n", runs);
    double previous = 0, previousCpu = 0;
    for (const auto &[at, name] : stages) {
        const double cpu = byName.count("cpu:" + name) ? Median(byName["cpu:" + name]) : 0;
        std::printf("  %-26s %7.1f (+%6.1f)   cpu %6.1f (+%5.1f)\n", name.c_str(), at, at - previous, cpu, cpu - previousCpu);
        previous = at;
        previousCpu = cpu;
    }
    char label[160];
    std::snprintf(label, sizeof label, "section click %d ms after the start menu painted -> contents load-complete:",
                  clickAfterMs);
    if (byName.count("click")) PrintSpread(label, byName["click"]);
    else std::printf("section click: the contents page did not report its load\n");
    std::printf("  engine warm before the click in %d of %d runs\n", warmBeforeClick, runs);
    std::printf("  the click's steps, ms after the click (median):\n");
    std::vector<std::pair<double, std::string>> steps;
    for (const auto &[name, ms] : byName)
        if (name.rfind("click-step:", 0) == 0) steps.push_back({Median(ms), name.substr(11)});
    std::sort(steps.begin(), steps.end());
    for (const auto &[at, name] : steps) std::printf("    %-30s %6.1f\n", name.c_str(), at);
    if (byName.count("click")) std::printf("    %-30s %6.1f\n", "contents load-complete", Median(byName["click"]));
    std::printf("  CPU ms from the click to load-complete (median):\n");
    for (const char *name : {"user-interface thread", "of which the handler", "program's other threads",
                             "engine's helper processes"})
        if (byName.count(std::string("click-cpu:") + name))
            std::printf("    %-30s %6.1f\n", name, Median(byName[std::string("click-cpu:") + name]));

    const auto ratioOf = [&](const std::string &name) -> const TContender * {
        for (const TContender &c : contenders)
            if (c.Name == name && !c.Ms.empty()) return &c;
        return nullptr;
    };
    const TContender *program = ratioOf(contenders.front().Name);
    const TContender *other = peer.isEmpty() || !launches ? nullptr : ratioOf(contenders[1].Name);
    if (program && other) std::printf("ratio ketab / peer: %.2f\n", Median(program->Ms) / Median(other->Ms));
    if (getloadavg(loads, 3) > 0) std::printf("load average at end: %.2f %.2f %.2f\n", loads[0], loads[1], loads[2]);
    return 0;
}
