#include "app/TProgramStart.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/StartupSteps.h"
#include "app/TCommandLine.h"
#include "app/THtmlEngineModule.h"
#include "app/TMenuForm.h"
#include "app/TWebBrowser.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "pictures/TPicGalleryForm.h"
#include "pictures/TShowPicForm.h"
#include "platform/TDisplayProbe.h"
#include "platform/TInstallLayout.h"
#include "print/TPreviewForm.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "reader/TOptionsPanel.h"
#include "skin/TsuiCheckBox.h"
#include "marks/TReaderMarks.h"
#include "reader/TReaderMemory.h"
#include "search/TSearchForm.h"
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

namespace {
// What the start menu's choices open first: the sections' contents pages and music, the
// index pages and the style sheet they all use.
QStringList FirstChoiceFiles()
{
    QStringList files;
    for (int s = 1; s <= SectionCount; ++s)
        files << ContentsFile(s) << TSectionMusic::TrackFile(ReaderState, s);
    for (const char *name : {"datas/ind01.htm", "datas/ind02.htm", "datas/sheet1.css"})
        files << ReaderState.AppFolder + QLatin1String(name);
    return files;
}

void Report(const TProgramStart::TStageReport &report, const char *stage)
{
    if (report) report(stage);
}

// Sees the start menu's first paint and starts what waits for it.
class TFirstPaintWatch : public QObject {
public:
    explicit TFirstPaintWatch(TProgramStart::TStageReport report) : FReport(std::move(report)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After this paint has reached the screen.
            QTimer::singleShot(0, [report = FReport] { TProgramStart::AfterFirstPaint(report); });
        }
        return false;
    }

private:
    TProgramStart::TStageReport FReport;
};
}

void TProgramStart::AfterFirstPaint(const TStageReport &report)
{
    Report(report, "start menu painted");
    // The windows the start menu's choices open come once it is on screen: its first
    // paint does not wait for them, and no input can reach it before this turn.
    TKetabApplication::Guarded([report] { CreateOtherWindows(report); });
    // The files a first choice opens, read into the page cache by another thread.
    TStartupSteps::ReadAhead(FirstChoiceFiles());
    QTimer::singleShot(0, [report] {
        try {
            THtmlEngineModule::Engine();
        } catch (const EKetabError &) {
            return;  // reported when a page is asked for
        }
        Report(report, "engine module loaded");
        QTimer::singleShot(0, [report] {
            // The reading window's view starts the engine and its render process on a
            // page of the book that window never shows, so the first section opens warm.
            TKetabApplication::Guarded([report] {
                MainForm->PageBrowser->Warm(ReaderState.AppFolder + QStringLiteral("help.htm"),
                                            [report] { Report(report, "engine warm"); });
            });
            Report(report, "engine started");
            QTimer::singleShot(0, [report] {
                // The reading window's first show, done off screen while its render process
                // starts; the engine then keeps its page drawn for the real show.
                TKetabApplication::Guarded([] {
                    MainForm->PrepareFirstShow();
                    MainForm->PageBrowser->DrawWhileHidden();
                });
                Report(report, "reading window prepared");
                // The searched text, read ahead on its own thread while the reader chooses.
                if (SearchForm) SearchForm->KeepBookText();
                // The reader's marks, off the start menu's way to the screen.
                QTimer::singleShot(0, [report] {
                    TKetabApplication::Guarded([] { MainForm->Marks->Load(); });
                    Report(report, "marks read");
                });
            });
        });
    });
}

bool TProgramStart::CreateWindows(const TStageReport &report, const std::function<void()> &afterMenu)
{
    CreateFirstWindows(report, afterMenu);
    CreateOtherWindows(report);
    return !TKetabApplication::Terminated();
}

bool TProgramStart::CreateFirstWindows(const TStageReport &report, const std::function<void()> &afterMenu)
{
    new TMenuForm;
    Report(report, "TMenuForm");
    if (afterMenu && !TKetabApplication::Terminated()) afterMenu();
    new TMainForm;
    Report(report, "TMainForm");
    return !TKetabApplication::Terminated();
}

void TProgramStart::CreateOtherWindows(const TStageReport &report)
{
    if (SearchForm) return;
    new TSearchForm;
    new TPrintForm;
    new TPreviewForm;
    new THelpForm;
    new TCreditsForm;
    new TPicGalleryForm;
    new TShowPicForm;
    // What the kept choices and the night page set in them.
    if (ReaderMemory) ReaderMemory->ApplySearchChoices();
    if (MainForm->OptionsPanel->NightPageCheckBox->Checked()) MainForm->NightPageCheckBoxClick();
    Report(report, "other windows");
}

int TProgramStart::Run(int argc, char *argv[], const TStageReport &report)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const TCommandLine::TOutcome command = TCommandLine::Apply(arguments);
    const auto displayAnswers = [&command] { return TDisplayProbe::Reachable(command.Platform, command.Display); };
    if (command.ExitCode >= 0) {
        // Started from a menu, nobody reads stderr: a display that answers shows it too.
        if (command.BookMissing && displayAnswers()) {
            TKetabApplication app(argc, argv);
            // A platform that draws nowhere would leave the box waiting for a click forever.
            const QString platform = QGuiApplication::platformName();
            if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
                Dialogs().ShowMessage(TStartupSteps::NoBookText(TInstallLayout::BookFolder()), QStringLiteral("كتاب"));
        }
        return command.ExitCode;
    }
    // Without a display Qt's plugin would abort the process: refuse before it is loaded.
    if (!displayAnswers()) {
        TStartupSteps::RefuseWithoutDisplay();
        return TStartupSteps::RefusalExitCode;
    }
    TKetabApplication app(argc, argv);
    // The program speaks Persian; tests that make the windows themselves see the English texts.
    TKetabApplication::LoadProgramTranslation(&app);
    Report(report, "application");
    if (!CreateFirstWindows(report)) return TKetabApplication::ExitCode();
    TReaderMemory memory(TSettingsStore::ForUser(ReaderState.AppFolder));
    memory.Apply();
    Report(report, "kept choices applied");
    TFirstPaintWatch watch(report);
    MenuForm->installEventFilter(&watch);
    MenuForm->show();
    return app.exec();
}
