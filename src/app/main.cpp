#include "app/KetabApplication.h"
#include "app/StartupSteps.h"
#include "app/TMenuForm.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "pictures/TPicGalleryForm.h"
#include "pictures/TShowPicForm.h"
#include "print/TPreviewForm.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "search/TSearchForm.h"
#include "app/TWebBrowser.h"
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
// Without any display the application object cannot even be made; refuse before it.
bool HasDisplay()
{
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char *value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

// Starts the browser engine once the start menu has been painted, so the menu comes up
// first and the first page does not wait for the engine.
class TPrewarmAfterPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] { TWebBrowser::Prewarm(); });
        }
        return false;
    }
};
}

int main(int argc, char *argv[])
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "%s\n", TStartupSteps::RefusalText);
        return TStartupSteps::RefusalExitCode;
    }
    TKetabApplication::PrepareStart();
    TKetabApplication app(argc, argv);
    // The nine windows, created once in this order; each creation handler runs to completion first.
    new TMenuForm;
    new TMainForm;
    new TSearchForm;
    new TPrintForm;
    new TPreviewForm;
    new THelpForm;
    new TCreditsForm;
    new TPicGalleryForm;
    new TShowPicForm;
    if (TKetabApplication::Terminated()) return TKetabApplication::ExitCode();
    TPrewarmAfterPaint prewarm;
    MenuForm->installEventFilter(&prewarm);
    MenuForm->show();
    return app.exec();
}
