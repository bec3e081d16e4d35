// Print preview and printing of the HTML view.
#include "app/TWebBrowser.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include <QEventLoop>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>

namespace {
// Runs a local event loop until done() is true or the time runs out; the engine prints
// asynchronously and a printer must not be used again before it has finished.
bool WaitFor(QObject *context, const std::function<void(const std::function<void()> &)> &start, int timeoutMs)
{
    QEventLoop loop;
    bool finished = false;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    start([&] {
        finished = true;
        loop.quit();
    });
    if (!finished) {
        timeout.start(timeoutMs);
        loop.exec();
    }
    Q_UNUSED(context);
    return finished;
}
}

void TWebBrowser::PaintTo(QPrinter *printer)
{
    bool success = false;
    QMetaObject::Connection c;
    const bool finished = WaitFor(this, [&](const std::function<void()> &done) {
        c = connect(this, &QWebEngineView::printFinished, this, [&success, done](bool ok) {
            success = ok;
            done();
        });
        print(printer);
    }, 120000);
    disconnect(c);
    if (!finished || !success) throw EKetabError(QStringLiteral("The page could not be printed."));
}

void TWebBrowser::PrintToPdfFile(const QString &fileName, const QPageLayout &layout)
{
    bool success = false;
    QMetaObject::Connection c;
    const bool finished = WaitFor(this, [&](const std::function<void()> &done) {
        c = connect(page(), &QWebEnginePage::pdfPrintingFinished, this,
                    [&success, done](const QString &, bool ok) {
                        success = ok;
                        done();
                    });
        page()->printToPdf(fileName, layout);
    }, 120000);
    disconnect(c);
    if (!finished || !success)
        throw EFileError(QStringLiteral("Cannot write the PDF file \"%1\".").arg(fileName));
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
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) {
        TKetabApplication::Guarded([this, p] { PaintTo(p); });
    });
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
