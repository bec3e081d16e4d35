#include "htmlengine/TWebEngineView.h"
#include "htmlengine/TWebEngineModule.h"
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

TWebEngineView::TWebEngineView(QWidget *parent) : QWebEngineView(parent)
{
    setPage(TWebEngineModule::NewPage(this));
    connect(page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) return;
        if (OnLoadFinished) OnLoadFinished(info.url(), info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
    });
    connect(page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus && OnRenderCrashed) OnRenderCrashed();
            });
    connect(this, &QWebEngineView::printFinished, this, [this](bool ok) {
        if (auto done = std::exchange(FPrintDone, nullptr)) done(ok);
    });
    connect(page(), &QWebEnginePage::pdfPrintingFinished, this, [this](const QString &, bool ok) {
        if (auto done = std::exchange(FPdfDone, nullptr)) done(ok);
    });
}

void TWebEngineView::DrawWhileHidden()
{
    // The page's visibility follows the view's show and hide; set here, it holds until the
    // view is next hidden.
    if (!isVisible()) page()->setVisible(true);
}

void TWebEngineView::SelectAll() { page()->triggerAction(QWebEnginePage::SelectAll); }

void TWebEngineView::Copy() { page()->triggerAction(QWebEnginePage::Copy); }

void TWebEngineView::Print(QPrinter *printer, std::function<void(bool)> done)
{
    FPrintDone = std::move(done);
    print(printer);
}

void TWebEngineView::PrintToPdf(const QString &fileName, const QPageLayout &layout, std::function<void(bool)> done)
{
    FPdfDone = std::move(done);
    page()->printToPdf(fileName, layout);
}
