#pragma once
// Waits for the reading window's view to finish loads, running the event loop meanwhile
// (never a sleeping poll, which would slow every load of the engine down).
#include "app/TWebBrowser.h"
#include <QEventLoop>
#include <QTimer>
#include <functional>

class TLoadWaiter {
public:
    // Counts the view's completed loads from now on; the view's own handler still runs first.
    explicit TLoadWaiter(TWebBrowser *view)
    {
        auto processing = view->OnDownloadComplete;
        view->OnDownloadComplete = [this, processing](TWebBrowser *b) {
            if (processing) processing(b);
            if (++Loads >= FWaitingFor && FWaiting) FWaiting->quit();
        };
    }

    // Runs command and waits up to 20 s for the load it starts; false when none came.
    bool Run(const std::function<void()> &command)
    {
        const int before = Loads;
        command();
        if (Loads > before) return true;
        QEventLoop loop;
        FWaiting = &loop;
        FWaitingFor = before + 1;
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
        FWaiting = nullptr;
        return Loads > before;
    }

    int Loads = 0;

private:
    QEventLoop *FWaiting = nullptr;
    int FWaitingFor = 0;
};
