#pragma once
#include <functional>

// The program's start, from the entry point to the run loop: the command line, the
// display check, the application object, the nine windows in their order, the start
// menu on screen, and, once it has been painted, the browser engine loaded and warmed
// while the reader looks at the menu.
class TProgramStart {
public:
    // Called with the name of each stage as it ends (benchmarks time them).
    using TStageReport = std::function<void(const char *stage)>;
    static int Run(int argc, char *argv[], const TStageReport &report = {});
    // The nine windows, created once in their order, each creation handler run to the end
    // first, also when one has asked the program to end; afterMenu runs between the start
    // menu and the rest unless the menu ended it. False when the program is ending.
    static bool CreateWindows(const TStageReport &report, const std::function<void()> &afterMenu = {});
    // The start menu and the reading window: what the start menu's first paint waits for.
    static bool CreateFirstWindows(const TStageReport &report, const std::function<void()> &afterMenu = {});
    // The other seven, given the kept choices that concern them; once only.
    static void CreateOtherWindows(const TStageReport &report);
    // What runs once the start menu has been painted; each step a turn of the event
    // loop of its own, so input between them is taken.
    static void AfterFirstPaint(const TStageReport &report);
};
