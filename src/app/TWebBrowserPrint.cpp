// Print preview and printing of the HTML view.
#include "app/TWebBrowser.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/THtmlEngine.h"
#include <QEventLoop>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTimer>
#include <memory>

namespace {
constexpr int PrintTimeoutMs = 120000;

// Starts an engine print job and runs a local event loop until it has finished or the
// time runs out; the engine prints asynchronously and a printer must not be used again
// before it has finished. A job that ends after the time ran out reaches nothing.
// Returns whether the job finished and succeeded. A second job asked for meanwhile
// (busy still set) is refused.
bool RunPrintJob(bool &busy, const std::function<void(std::function<void(bool)>)> &start)
{
    if (busy) throw EKetabError(TWebBrowser::tr("A print of this page is already running."));
    busy = true;
    const auto idle = qScopeGuard([&busy] { busy = false; });
    struct TJob {
        QEventLoop *Loop = nullptr;
        bool Finished = false;
        bool Ok = false;
    };
    auto job = std::make_shared<TJob>();
    QEventLoop loop;
    start([job](bool ok) {
        job->Finished = true;
        job->Ok = ok;
        if (job->Loop) job->Loop->quit();
    });
    if (!job->Finished) {
        job->Loop = &loop;
        QTimer::singleShot(PrintTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        job->Loop = nullptr;
    }
    return job->Finished && job->Ok;
}
}

void TWebBrowser::PaintTo(QPrinter *printer)
{
    THtmlEngineView &engine = Engine();
    if (!RunPrintJob(FPrinting, [&](std::function<void(bool)> done) { engine.Print(printer, std::move(done)); }))
        throw EKetabError(tr("The page could not be printed."));
}

void TWebBrowser::PrintToPdfFile(const QString &fileName, const QPageLayout &layout)
{
    THtmlEngineView &engine = Engine();
    if (!RunPrintJob(FPrinting, [&](std::function<void(bool)> done) { engine.PrintToPdf(fileName, layout, std::move(done)); }))
        throw EFileError(tr("Cannot write the PDF file \"%1\".").arg(fileName));
}

void TWebBrowser::PrintPreview()
{
    // The engine rasterises every page at the printer's resolution; a screen-like
    // resolution keeps the preview quick while showing the pages as they will print.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setResolution(150);
    QPrintPreviewDialog preview(&printer, window());
    preview.setWindowTitle(QStringLiteral("پيشنمايش چاپ"));
    preview.setLayoutDirection(Qt::RightToLeft);
    TKetabApplication::Connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) { PaintTo(p); });
    Dialogs().Exec(&preview);
}

void TWebBrowser::PrintWith(QPrinter *printer)
{
    // A PDF file keeps its text as text when the engine writes it itself.
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        PrintToPdfFile(printer->outputFileName(), printer->pageLayout());
    else
        PaintTo(printer);
}

void TWebBrowser::Print()
{
    QPrinter printer(QPrinter::PrinterResolution);
    QPrintDialog dialog(&printer, window());
    dialog.setLayoutDirection(Qt::RightToLeft);
    if (Dialogs().Exec(&dialog) != QDialog::Accepted) return;
    PrintWith(&printer);
}
