#pragma once
#include <QUrl>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class THtmlEngineView;
class TPageLayers;
class TPrintJobs;

// The one HTML view of the program. The browser engine behind it is loaded at run time
// (THtmlEngineModule): the view exists as a widget from the start and gets its engine
// view on the first command, or earlier when start-up warms it. A command given before
// the engine is in waits for it, so nothing is lost. Loads local files only: every
// request that is not a local file, embedded data or a program resource is refused.
class TWebBrowser : public QWidget {
    Q_OBJECT
public:
    // Command numbers of ExecWB.
    enum TCommand { OLECMDID_PRINT = 6, OLECMDID_PRINTPREVIEW = 7, OLECMDID_COPY = 12,
                    OLECMDID_SELECTALL = 17, OLECMDID_ZOOM = 19 };
    enum TCommandOption { OLECMDEXECOPT_DODEFAULT = 0, OLECMDEXECOPT_PROMPTUSER = 1 };
    // A page that keeps killing its render process is reloaded this many times in a row.
    static constexpr int MaxCrashReloads = 2;

    explicit TWebBrowser(QWidget *parent = nullptr);
    ~TWebBrowser() override;

    // Starts loading a local file; returns at once. OnDownloadComplete follows.
    void Navigate(const QString &localPath);
    // Raised once when a load has finished, successful or not, also for links the reader clicked.
    std::function<void(TWebBrowser *sender)> OnDownloadComplete;
    // The address now shown, fragment included, percent-decoded (a Persian fragment reads as written).
    QString LocationURL() const;
    QUrl Url() const;
    // The address last given to Navigate: a page shown at another one came by a link.
    QUrl RequestedUrl() const { return FRequestedUrl; }

    // Runs one of the commands above; input is the zoom level for OLECMDID_ZOOM.
    void ExecWB(int command, int option, int input = 0);
    void SelectAll();
    void Copy();
    QString SelectedText() const;
    // Text size levels 0..4, 2 being 100 %.
    void SetZoomLevel(int level);
    int ZoomLevel() const { return FZoomLevel; }
    static double ZoomFactorOf(int level);
    // What is laid over the pages this view shows (the night page, the reader's marks, ...).
    TPageLayers &Layers() { return *FLayers; }
    // Raised when the shown page was scrolled.
    std::function<void(TWebBrowser *sender)> OnScroll;
    // How far down the shown page is scrolled, as a share of what can be scrolled (0 top,
    // 1 bottom), handed to answer once the page has said; nothing without a page.
    void AskScrollShare(std::function<void(double share)> answer);
    // The same with the address of the page that answered, which may be one that has
    // come in since the question.
    void AskScrollPlace(std::function<void(const QUrl &page, double share)> answer);
    // Scrolls the shown page to that share.
    void ScrollToShare(double share);
    // The print preview and printing of the shown document (ExecWB's print commands).
    TPrintJobs &PrintJobs() { return *FPrintJobs; }
    // Raised when the reader asks for the page's menu (a right click, the menu key); while
    // it is assigned when the engine comes in, the engine shows no menu of its own.
    std::function<void(TWebBrowser *sender, const QPoint &globalPos)> OnContextMenu;
    // The last load reported was a success.
    bool LoadSucceeded() const { return FLoadSucceeded; }
    bool RegisterAsDropTarget() const { return true; }

    // Gives the view its engine ahead of the first command and loads localPath into it
    // unreported, so the engine's render process, file loading and fonts are ready
    // before the reader asks for a page; then an empty page, also unreported, so the view
    // shows nothing until its first real page, as a view never used. warmed runs when
    // warming has ended (or was cut short by a real load). Start-up calls it once the
    // start menu is up.
    void Warm(const QString &localPath, std::function<void()> warmed = {});
    // While the view is hidden, the engine keeps the shown page drawn as if on screen, so
    // the view's next show is quick; ends with the view's next hide. Nothing without an engine.
    void DrawWhileHidden();
    // The engine's widget once the engine is in, else null.
    QWidget *EngineWidget() const;

private:
    // Loads the engine module if needed and makes this view's engine view; raises
    // EKetabError when the module is missing or refused.
    THtmlEngineView &Engine();
    void LoadFinished(const QUrl &url, bool ok);
    void KeepInTabOrder();
    // Warming is over: no later load is taken for it, and warmed runs.
    void EndWarming();
    // The warming's empty page is in, or will never come: the page held meanwhile loads.
    void EmptyPageDone();
    THtmlEngineView *FEngine = nullptr;
    QPointer<QWidget> FTabBefore;  // the control Tab visits before the view
    QUrl FWarmUrl;
    std::function<void()> FWarmed;
    // The engine drops a load asked for while its empty page commits: such a page waits
    // here until the empty page is in.
    bool FEmptyLoading = false;
    QUrl FHeldUrl;
    // A print job has ended: the page asked for meanwhile loads.
    void PrintEnded();
    friend class TPrintJobs;
    std::unique_ptr<TPageLayers> FLayers;
    TPrintJobs *FPrintJobs = nullptr;
    QUrl FAfterPrintUrl;  // the page asked for while a job ran
    QUrl FRequestedUrl;
    bool FLoadSucceeded = false;
    int FCrashReloads = 0;
    int FNavigations = 0;  // Navigate calls so far
    int FWarmNavigations = 0;  // FNavigations when warming began
    int FZoomLevel = 2;
};
