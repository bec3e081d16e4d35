// Print preview and printing of the HTML view.
#include "app/TWebBrowser.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/THtmlEngine.h"
#include "app/THtmlEngineModule.h"
#include <QDialog>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTimer>

void TWebBrowser::StartJob(std::unique_ptr<QPrinter> printer, std::function<void(bool)> done,
                           const std::function<void(std::function<void(bool)>)> &start)
{
    if (FJob) throw EKetabError(tr("A print of this page is already running."));
    Engine();  // the engine is in before the job is taken on
    FJob = std::make_unique<TPrintJob>();
    FJob->Printer = std::move(printer);
    FJob->Done = std::move(done);
    // The engine reports from inside its own work: the job ends once that is over.
    start([this](bool ok) {
        QTimer::singleShot(0, this, [this, ok] { TKetabApplication::Guarded([this, ok] { JobEnded(ok); }); });
    });
    if (OnPrintingChange) OnPrintingChange(this);
}

void TWebBrowser::JobEnded(bool ok)
{
    // The printer goes only now, when the engine is done with it.
    const std::unique_ptr<TPrintJob> job = std::move(FJob);
    if (!job) return;
    if (!FAfterPrintUrl.isEmpty()) Engine().Load(std::exchange(FAfterPrintUrl, QUrl()));
    const auto changed = [this] {
        if (OnPrintingChange) TKetabApplication::Guarded([this] { OnPrintingChange(this); });
    };
    if (job->Abandoned || !job->Done) return changed();
    FJobEnding = true;
    changed();
    const auto ended = qScopeGuard([this, changed] {
        FJobEnding = false;
        changed();
    });
    job->Done(ok);
}

void TWebBrowser::StartPrint(std::unique_ptr<QPrinter> printer, std::function<void(bool ok)> done)
{
    QPrinter *target = printer.get();
    StartJob(std::move(printer), std::move(done),
             [this, target](std::function<void(bool)> ended) { FEngine->Print(target, std::move(ended)); });
}

void TWebBrowser::StartPrintToPdf(const QString &fileName, const QPageLayout &layout, std::function<void(bool ok)> done)
{
    StartJob(nullptr, std::move(done), [this, fileName, layout](std::function<void(bool)> ended) {
        FEngine->PrintToPdf(fileName, layout, std::move(ended));
    });
}

void TWebBrowser::StartPrintWith(std::unique_ptr<QPrinter> printer, std::function<void(bool ok)> done)
{
    // A PDF file keeps its text as text when the engine writes it itself.
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        StartPrintToPdf(printer->outputFileName(), printer->pageLayout(), std::move(done));
    else
        StartPrint(std::move(printer), std::move(done));
}

void TWebBrowser::AbandonPrint()
{
    if (FJob) FJob->Abandoned = true;
}

void TWebBrowser::PrintPreview()
{
    // Laid out as the printer dialog's first choice would print it.
    const QPageLayout layout = QPrinter().pageLayout();
    const QString pdf = ReaderState.TempFolder + QStringLiteral("preview.pdf");
    StartPrintToPdf(pdf, layout, [this, pdf](bool ok) {
        if (!ok) throw EFileError(tr("The print preview could not be prepared in \"%1\".").arg(pdf));
        const std::unique_ptr<QDialog> preview(THtmlEngineModule::Engine()->NewPdfPreview(pdf, window()));
        if (Dialogs().Exec(preview.get()) == THtmlEngine::PreviewPrintChosen) Print();
    });
}

void TWebBrowser::Print()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::PrinterResolution);
    QPrintDialog dialog(printer.get(), window());
    dialog.setLayoutDirection(Qt::RightToLeft);
    if (Dialogs().Exec(&dialog) != QDialog::Accepted) return;
    const QString file = printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
    StartPrintWith(std::move(printer), [file](bool ok) {
        if (ok) return;
        if (!file.isEmpty()) throw EFileError(tr("Cannot write the PDF file \"%1\".").arg(file));
        throw EKetabError(tr("The page could not be printed."));
    });
}
