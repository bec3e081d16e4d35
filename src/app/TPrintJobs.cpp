#include "app/TPrintJobs.h"
#include "app/TWebBrowser.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/THtmlEngine.h"
#include "app/THtmlEngineModule.h"
#include "app/TPdfCutter.h"
#include "app/TextCodec.h"
#include <QDialog>
#include <QFile>
#include <QSaveFile>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTimer>

namespace {
// The document's first lines, closed: the pages they fill print as the whole document's
// first pages do, but for the last, which the whole document fills further. Empty when
// the document is no longer than that.
QString HeadOf(const QString &text, int lines)
{
    qsizetype at = 0;
    for (int i = 0; i < lines; ++i) {
        at = text.indexOf(u'\n', at);
        if (at < 0 || at + 1 == text.size()) return QString();
        ++at;
    }
    return text.left(at) + QStringLiteral("</body></html>");
}
}

TPrintJobs::TPrintJobs(TWebBrowser &view) : QObject(&view), FView(view) {}

TPrintJobs::~TPrintJobs()
{
    // The hidden view goes first, while this object is whole: its last reports must not reach it.
    if (!FHeadEngine) return;
    FHeadEngine->OnLoadFinished = nullptr;
    FHeadEngine->OnRenderCrashed = nullptr;
    delete FHeadEngine->Widget();
}

THtmlEngineView &TPrintJobs::Engine() { return FView.Engine(); }

void TPrintJobs::StartJob(std::unique_ptr<QPrinter> printer, std::function<void(bool)> done,
                           const std::function<void(std::function<void(bool)>)> &start)
{
    if (FJob) throw EKetabError(tr("A print of this page is already running."));
    Engine();  // the engine is in before the job is taken on
    FJob = std::make_unique<TPrintJob>();
    FJob->Printer = std::move(printer);
    FJob->Done = std::move(done);
    FFailure.clear();
    ++FJobNumber;
    // The engine reports from inside its own work: the job ends once that is over.
    start([this](bool ok) {
        QTimer::singleShot(0, this, [this, ok] { TKetabApplication::Guarded([this, ok] { JobEnded(ok); }); });
    });
    PrintingChanged();
}

void TPrintJobs::PrintingChanged()
{
    if (OnPrintingChange) TKetabApplication::Guarded([this] { OnPrintingChange(this); });
}

void TPrintJobs::JobEnded(bool ok)
{
    // The printer goes only now, when the engine is done with it.
    const std::unique_ptr<TPrintJob> job = std::move(FJob);
    if (!job) return;
    FView.PrintEnded();
    if (job->Abandoned || !job->Done) return PrintingChanged();
    FJobEnding = true;
    PrintingChanged();
    const auto ended = qScopeGuard([this] {
        FJobEnding = false;
        PrintingChanged();
    });
    job->Done(ok);
}

void TPrintJobs::StartPrint(std::unique_ptr<QPrinter> printer, std::function<void(bool ok)> done)
{
    QPrinter *target = printer.get();
    StartJob(std::move(printer), std::move(done),
             [this, target](std::function<void(bool)> ended) { Engine().Print(target, std::move(ended)); });
}

void TPrintJobs::StartPrintToPdf(const QString &fileName, const QPageLayout &layout, std::function<void(bool ok)> done)
{
    StartJob(nullptr, std::move(done), [this, fileName, layout](std::function<void(bool)> ended) {
        Engine().PrintToPdf(fileName, layout, std::move(ended));
    });
}

void TPrintJobs::StartPrintWith(std::unique_ptr<QPrinter> printer, std::function<void(bool ok)> done)
{
    if (printer->outputFormat() != QPrinter::PdfFormat || printer->outputFileName().isEmpty())
        return StartPrint(std::move(printer), std::move(done));
    // A PDF file keeps its text as text when the engine writes it itself. The engine
    // writes every page once: other pages, copies or order are cut from its PDF, or,
    // without the PDF tool, drawn by the printer path, which honours them.
    const TPdfPageChoice choice = TPdfPageChoice::Of(*printer);
    const QString target = printer->outputFileName();
    const QPageLayout layout = printer->pageLayout();
    if (choice.All()) return StartPrintToPdf(target, layout, std::move(done));
    if (!TPdfCutter::Available()) return StartPrint(std::move(printer), std::move(done));
    const QString whole = ReaderState.TempFolder + QStringLiteral("print-whole.pdf");
    StartJob(std::move(printer), std::move(done), [this, whole, target, choice, layout](std::function<void(bool)> ended) {
        Engine().PrintToPdf(whole, layout, [this, whole, target, choice, ended](bool ok) {
            if (!ok) return ended(false);
            // Cut once the engine is done reporting; the job ends when the cut has.
            QTimer::singleShot(0, this, TKetabApplication::Guard([this, whole, target, choice, ended] {
                TPdfCutter::Cut(whole, target, choice, this, [this, whole, ended](const QString &why) {
                    QFile::remove(whole);
                    FFailure = why;
                    ended(why.isEmpty());
                });
            }));
        });
    });
}

void TPrintJobs::AbandonPreview()
{
    if (FJob && FJob->Preview) FJob->Abandoned = true;
}

void TPrintJobs::PrintPreview()
{
    // Laid out as the printer dialog's first choice would print it.
    const QPageLayout layout = QPrinter().pageLayout();
    const QString pdf = ReaderState.TempFolder + QStringLiteral("preview.pdf");
    const QString headPdf = ReaderState.TempFolder + QStringLiteral("preview-head.pdf");
    auto shown = std::make_shared<TPdfPreview *>(nullptr);
    const auto done = [this, pdf, shown](bool ok) {
        if (TPdfPreview *preview = *shown) {
            if (ok) return preview->ShowPdf(pdf, true);
            preview->Dialog()->reject();
        }
        if (!ok) throw EFileError(tr("The print preview could not be prepared in \"%1\".").arg(pdf));
        ShowPreview(pdf, true, shown);
    };
    StartJob(nullptr, done, [this, pdf, headPdf, layout, shown](std::function<void(bool)> ended) {
        FJob->Preview = true;
        const auto whole = [this, pdf, layout, ended] { Engine().PrintToPdf(pdf, layout, ended); };
        const int job = FJobNumber;
        // The whole document waits for its first pages: both share the engine's renderer.
        const bool head = StartHead(headPdf, layout, [this, job, whole, ended, headPdf, shown](bool ok) {
            if (!FJob || FJobNumber != job) return;
            if (FJob->Abandoned) return ended(false);
            whole();
            if (ok) ShowPreview(headPdf, false, shown);
        });
        if (!head) whole();
    });
}

bool TPrintJobs::StartHead(const QString &headPdf, const QPageLayout &layout, std::function<void(bool)> done)
{
    QFile shownFile(FView.Url().toLocalFile());
    if (!shownFile.open(QIODevice::ReadOnly)) return false;
    const QString head = HeadOf(TTextCodec::Decode(shownFile.readAll()), PreviewHeadLines);
    if (head.isEmpty()) return false;
    // Beside the shown document in the temporary folder, so its relative links hold.
    QSaveFile file(ReaderState.TempFolder + QStringLiteral("preview-head.htm"));
    if (!file.open(QIODevice::WriteOnly) || file.write(TTextCodec::EncodeUtf16LeWithMark(head)) < 0 || !file.commit())
        return false;
    if (!FHeadEngine) {
        FHeadEngine = THtmlEngineModule::Engine()->NewView(&FView);
        FHeadEngine->Widget()->hide();
        FHeadEngine->OnLoadFinished = TKetabApplication::Guard([this](const QUrl &url, bool ok) { HeadLoaded(url, ok); });
        // A load that killed its renderer never ends: the whole document follows without it.
        FHeadEngine->OnRenderCrashed = TKetabApplication::Guard([this] { HeadLoaded(FHeadUrl, false); });
    }
    FHeadEngine->DrawWhileHidden();
    FHeadUrl = QUrl::fromLocalFile(file.fileName());
    // Reported from the engine's work: the caller goes on once that is over.
    const auto reported = [this, done](bool ok) {
        QTimer::singleShot(0, this, [done, ok] { TKetabApplication::Guarded([&] { done(ok); }); });
    };
    FHeadLoaded = [this, headPdf, layout, reported](bool ok) {
        if (ok) FHeadEngine->PrintToPdf(headPdf, layout, reported);
        else reported(false);
    };
    FHeadEngine->Load(FHeadUrl);
    return true;
}

void TPrintJobs::HeadLoaded(const QUrl &url, bool ok)
{
    if (url != FHeadUrl || !FHeadLoaded) return;
    std::exchange(FHeadLoaded, nullptr)(ok);
}

void TPrintJobs::ShowPreview(const QString &pdf, bool whole, const std::shared_ptr<TPdfPreview *> &shown)
{
    const std::unique_ptr<TPdfPreview> preview(THtmlEngineModule::Engine()->NewPdfPreview(FView.window()));
    preview->ShowPdf(pdf, whole);
    *shown = preview.get();
    FPreviewShowing = true;
    int result = QDialog::Rejected;
    {
        const auto closed = qScopeGuard([this, &shown] {
            *shown = nullptr;
            FPreviewShowing = false;
            PrintingChanged();
        });
        result = Dialogs().Exec(preview->Dialog());
        // Closed before the whole document came: the reader is done with this preview.
        if (!whole && FJob) FJob->Abandoned = true;
    }
    if (result == THtmlEngine::PreviewPrintChosen) Print();
}

void TPrintJobs::Print()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::PrinterResolution);
    QPrintDialog dialog(printer.get(), FView.window());
    dialog.setLayoutDirection(Qt::RightToLeft);
    if (Dialogs().Exec(&dialog) != QDialog::Accepted) return;
    const QString file = printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
    StartPrintWith(std::move(printer), [this, file](bool ok) {
        if (ok) return;
        if (!FFailure.isEmpty()) throw EFileError(std::exchange(FFailure, QString()));
        if (!file.isEmpty()) throw EFileError(tr("Cannot write the PDF file \"%1\".").arg(file));
        throw EKetabError(tr("The page could not be printed."));
    });
}
