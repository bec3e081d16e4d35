#pragma once
#include <QWebEngineView>
#include <functional>

class QWebEngineProfile;
class QPrinter;
class QPageLayout;

// The one HTML view of the program, over the browser engine. Loads local files only:
// every request that is not a local file, embedded data or a program resource is refused.
class TWebBrowser : public QWebEngineView {
    Q_OBJECT
public:
    // Command numbers of ExecWB.
    enum TCommand { OLECMDID_PRINT = 6, OLECMDID_PRINTPREVIEW = 7, OLECMDID_COPY = 12,
                    OLECMDID_SELECTALL = 17, OLECMDID_ZOOM = 19 };
    enum TCommandOption { OLECMDEXECOPT_DODEFAULT = 0, OLECMDEXECOPT_PROMPTUSER = 1 };

    explicit TWebBrowser(QWidget *parent = nullptr);

    // Starts loading a local file; returns at once. OnDownloadComplete follows.
    void Navigate(const QString &localPath);
    // Raised once when a load has finished, successful or not, also for links the reader clicked.
    std::function<void(TWebBrowser *sender)> OnDownloadComplete;
    // The address now shown, fragment included, percent-decoded (a Persian fragment reads as written).
    QString LocationURL() const;

    // Runs one of the commands above; input is the zoom level for OLECMDID_ZOOM.
    void ExecWB(int command, int option, int input = 0);
    void SelectAll();
    void Copy();
    // Text size levels 0..4, 2 being 100 %.
    void SetZoomLevel(int level);
    int ZoomLevel() const { return FZoomLevel; }
    static double ZoomFactorOf(int level);
    void PrintPreview();
    void Print();
    // Prints the shown document into printer and waits until the engine has finished;
    // a PDF file printer gets a PDF written by the engine, text kept as text.
    void PrintWith(QPrinter *printer);
    void PaintTo(QPrinter *printer);
    void PrintToPdfFile(const QString &fileName, const QPageLayout &layout);
    bool RegisterAsDropTarget() const { return true; }

    // The private profile all views share: no cache on disk, no network.
    static QWebEngineProfile *SharedProfile();
    // Starts the browser engine ahead of the first page (start-up calls it once the
    // start menu is on screen, so the first page does not pay for it).
    static void Prewarm();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The engine page is made on first use (Navigate, show, a command), not with the view:
    // making the windows must not start the browser engine.
    void EnsurePage();
    void LoadFinished(bool ok);
    bool FPageMade = false;
    int FCrashReloads = 0;
    int FZoomLevel = 2;
};
