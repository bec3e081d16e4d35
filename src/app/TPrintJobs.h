#pragma once
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QPrinter;
class QPageLayout;
class THtmlEngineView;
class TPdfPreview;
class TWebBrowser;

// The print jobs of one view and their preview. The engine takes one job at a time and
// may take minutes; the printer stays the engine's until it reports, and the view takes
// no new page meanwhile (a page asked for waits for the job's end).
// The preview: the engine writes the shown document to a PDF in the temporary folder,
// and the preview dialog shows it; printing from there opens the printer dialog. A long
// document takes the engine minutes: its first pages come first, from a short document
// of its first lines that a second, hidden engine view prints.
class TPrintJobs : public QObject {
    Q_OBJECT
public:
    static constexpr int PreviewHeadLines = 60;

    explicit TPrintJobs(TWebBrowser &view);
    ~TPrintJobs() override;

    void PrintPreview();
    // The printer dialog, then the print.
    void Print();
    // Each starts the engine and returns at once. done(ok) runs once the engine has
    // reported (and a PDF's pages are cut), unless the job was abandoned.
    void StartPrint(std::unique_ptr<QPrinter> printer, std::function<void(bool ok)> done);
    // A PDF file printer gets a PDF written by the engine, text kept as text.
    void StartPrintWith(std::unique_ptr<QPrinter> printer, std::function<void(bool ok)> done);
    void StartPrintToPdf(const QString &fileName, const QPageLayout &layout, std::function<void(bool ok)> done);
    // The reader left the preview's window: a preview being prepared is dropped (it shows
    // nothing later). A print the reader asked for runs on, and a failure of it is still
    // told. The engine cannot be stopped, so the job runs to its end either way.
    void AbandonPreview();
    // The engine is printing the view.
    bool Printing() const { return FJob != nullptr; }
    // A print job runs, or what follows its end (the preview it shows, its message).
    bool PrintBusy() const { return FJob != nullptr || FJobEnding || FPreviewShowing; }
    // Raised when a print job starts, when the engine has finished it and when what
    // follows has ended.
    std::function<void(TPrintJobs *sender)> OnPrintingChange;

private:
    struct TPrintJob {
        std::unique_ptr<QPrinter> Printer;  // the engine's until it reports
        std::function<void(bool)> Done;
        bool Preview = false;
        bool Abandoned = false;
    };
    THtmlEngineView &Engine();
    void StartJob(std::unique_ptr<QPrinter> printer, std::function<void(bool)> done,
                  const std::function<void(std::function<void(bool)>)> &start);
    void JobEnded(bool ok);
    void PrintingChanged();
    // Prints the first lines of the shown document to headPdf in the hidden view; false
    // when the document is no longer than that.
    bool StartHead(const QString &headPdf, const QPageLayout &layout, std::function<void(bool)> done);
    void HeadLoaded(const QUrl &url, bool ok);
    // Shows the preview dialog; *shown is the dialog while it shows.
    void ShowPreview(const QString &pdf, bool whole, const std::shared_ptr<TPdfPreview *> &shown);
    TWebBrowser &FView;
    THtmlEngineView *FHeadEngine = nullptr;
    QUrl FHeadUrl;
    std::function<void(bool)> FHeadLoaded;
    bool FPreviewShowing = false;
    int FJobNumber = 0;
    std::unique_ptr<TPrintJob> FJob;
    bool FJobEnding = false;
    QString FFailure;  // why the last job failed, when more is known than that it did
};
