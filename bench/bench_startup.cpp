// Start-up, measured from outside as whole processes on the running X display: launch to
// the first viewable window at least 500 pixels wide, for the program, a peer reader of
// the same kind (when installed) and two floors, an empty Qt window with and without the
// browser engine linked. One warm-up round, then the programs in turn, round after round;
// medians, the ratio program / peer last.
// Then, from children that start the way the program does (TProgramStart): the time at
// which each start-up stage ends, and a section button clicked 1 s after the start menu
// was painted, timed to the contents page's load-complete.
// Usage: bench_startup [runs] [--ketab PATH]   (needs an X display, e.g. Xvfb)
#include "app/ReaderState.h"
#include "app/TMenuForm.h"
#include "app/TProgramStart.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "skin/TsuiImageButton.h"
#include <QCoreApplication>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTimer>
#include <xcb/xcb.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
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

// The program's start in this process, reporting each stage on stderr as milliseconds
// since launchMs (the parent's clock reading just before it started this process).
int Child(int argc, char *argv[], double launchMs)
{
    const auto stage = [launchMs](const char *name) {
        std::fprintf(stderr, "stage %s %.1f\n", name, NowMs() - launchMs);
        std::fflush(stderr);
    };
    stage("main");
    double clickMs = 0;
    return TProgramStart::Run(argc, argv, [&](const char *name) {
        stage(name);
        if (!std::strcmp(name, "TMenuForm")) ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR "/");
        if (std::strcmp(name, "start menu painted")) return;
        QTimer::singleShot(1000, [&clickMs] {
            TWebBrowser *view = MainForm->PageBrowser;
            auto processing = view->OnDownloadComplete;
            view->OnDownloadComplete = [&clickMs, processing](TWebBrowser *sender) {
                processing(sender);
                std::fprintf(stderr, "click %.1f\n", NowMs() - clickMs);
                std::fflush(stderr);
                _exit(0);
            };
            QWidget *button = MenuForm->LastButton;
            const QPointF at(button->width() / 2.0, button->height() / 2.0);
            const QPointF global = button->mapToGlobal(at);
            QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            clickMs = NowMs();
            QCoreApplication::sendEvent(button, &press);
            QCoreApplication::sendEvent(button, &release);
            std::fprintf(stderr, "handled %.1f\n", NowMs() - clickMs);
        });
    });
}

// One child start: each stage's time and the click figure, read from its stderr.
std::map<std::string, double> StagesOfOneStart(const std::string &self)
{
    char launch[32];
    std::map<std::string, double> figures;
    std::snprintf(launch, sizeof launch, "%.3f", NowMs());
    TLaunched child = Launch({self, "--child", launch}, true);
    std::string text;
    char buffer[4096];
    const double start = NowMs();
    while (text.find("click ") == std::string::npos && NowMs() - start < TimeoutMs) {
        pollfd fd{child.Output, POLLIN, 0};
        if (poll(&fd, 1, 200) <= 0) continue;
        const ssize_t n = read(child.Output, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, size_t(n));
    }
    child.End();
    size_t begin = 0;
    for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        const std::string line = text.substr(begin, end - begin);
        const size_t space = line.rfind(' ');
        if (space == std::string::npos) continue;
        const double value = std::atof(line.c_str() + space + 1);
        if (line.rfind("stage ", 0) == 0) figures[line.substr(6, space - 6)] = value;
        else if (line.rfind("click ", 0) == 0) figures["click"] = value;
        else if (line.rfind("handled ", 0) == 0) figures["handled"] = value;
    }
    return figures;
}
}

int main(int argc, char *argv[])
{
    if (argc > 2 && !std::strcmp(argv[1], "--child")) return Child(argc, argv, std::atof(argv[2]));
    int runs = 5;
    std::string ketab = KETAB_BOOK_DIR "/ketab";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--ketab") && i + 1 < argc) ketab = argv[++i];
        else runs = std::max(1, std::atoi(argv[i]));
    }
    TWindowWatch watch;
    if (!watch.Usable()) {
        std::printf("no X display to start the programs on\n");
        return 1;
    }
    const std::string floors = KETAB_BENCH_DIR "/";
    std::vector<TContender> contenders{
        {"ketab, start menu", {ketab}, {}},
        {"empty Qt 6 Widgets window", {floors + "floor_window"}, {}},
        {"empty Qt 6 window, engine linked", {floors + "floor_window_webengine"}, {}}};
    const QString peer = QStandardPaths::findExecutable(QString::fromLatin1(PeerProgram));
    if (peer.isEmpty()) std::printf("peer missing: %s is not installed; the program's figures alone\n", PeerProgram);
    else contenders.insert(contenders.begin() + 1, {std::string("peer (") + PeerProgram + ")", {peer.toStdString()}, {}});

    std::printf("launch to first viewable window >= %d px wide, median of %d after a warm-up\n", MinWidth, runs);
    for (int round = 0; round <= runs; ++round) {
        for (TContender &c : contenders) {
            TLaunched p = Launch(c.Command, false);
            const double ms = watch.WaitForWindow(p.StartMs);
            p.End();
            if (round > 0 && ms >= 0) c.Ms.push_back(ms);
            if (ms < 0) std::printf("  %s: no window within %.0f s\n", c.Name.c_str(), TimeoutMs / 1000);
        }
    }
    for (const TContender &c : contenders)
        if (!c.Ms.empty())
            std::printf("  %-36s median %6.1f ms  (min %.1f, max %.1f)\n", c.Name.c_str(), Median(c.Ms),
                        *std::min_element(c.Ms.begin(), c.Ms.end()), *std::max_element(c.Ms.begin(), c.Ms.end()));

    // Stages, in the order the program passes them.
    const char *const stages[] = {"main", "application", "TMenuForm", "TMainForm", "other windows",
                                  "start menu painted", "engine module loaded", "engine started"};
    std::map<std::string, std::vector<double>> byStage;
    const std::string self = KETAB_BENCH_DIR "/bench_startup";
    for (int round = 0; round <= runs; ++round) {
        const auto figures = StagesOfOneStart(self);
        if (round == 0) continue;
        for (const auto &[name, ms] : figures) byStage[name].push_back(ms);
    }
    std::printf("start-up stages, ms since launch (median of %d):", runs);
    double previous = 0;
    for (const char *s : stages) {
        if (!byStage.count(s)) continue;
        const double at = Median(byStage[s]);
        std::printf("\n  %-24s %7.1f  (+%.1f)", s, at, at - previous);
        previous = at;
    }
    std::printf("\n");
    if (byStage.count("click"))
        std::printf("section click 1 s after the start menu painted -> contents load-complete: median %.1f ms "
                    "(min %.1f, max %.1f)\n",
                    Median(byStage["click"]), *std::min_element(byStage["click"].begin(), byStage["click"].end()),
                    *std::max_element(byStage["click"].begin(), byStage["click"].end()));
    else
        std::printf("section click: the contents page did not report its load\n");
    if (byStage.count("handled"))
        std::printf("  of which the click's own handler (reading window shown, page asked for): median %.1f ms\n",
                    Median(byStage["handled"]));

    const auto ratioOf = [&](const std::string &name) -> const TContender * {
        for (const TContender &c : contenders)
            if (c.Name == name && !c.Ms.empty()) return &c;
        return nullptr;
    };
    const TContender *program = ratioOf(contenders.front().Name);
    const TContender *other = peer.isEmpty() ? nullptr : ratioOf(contenders[1].Name);
    if (program && other) std::printf("ratio ketab / peer: %.2f\n", Median(program->Ms) / Median(other->Ms));
    return 0;
}
