#include "htmlengine/TWebEngineView.h"
#include "htmlengine/TWebEngineModule.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {
const QString UserStyleScriptName = QStringLiteral("ketab-user-style");

// Puts css over the page as a style sheet of its own, taking back one put there before;
// empty css only takes it back. A constructed sheet needs no element, so it applies from
// the document's creation, before anything is drawn, and the page's markup stays as it is.
QString UserStyleScript(const QString &css)
{
    const QString text = QString::fromUtf8(QJsonDocument(QJsonArray{css}).toJson(QJsonDocument::Compact));
    return QStringLiteral("(function (css) {"
                          " var d = document; if (!d || !d.adoptedStyleSheets) return;"
                          " var kept = d.adoptedStyleSheets.filter(function (s) { return !s.ketabUserStyle; });"
                          " if (css) { var s = new CSSStyleSheet(); s.replaceSync(css); s.ketabUserStyle = true; kept.push(s); }"
                          " d.adoptedStyleSheets = kept;"
                          "})(%1[0]);")
        .arg(text);
}
}

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
    connect(page(), &QWebEnginePage::scrollPositionChanged, this, [this] {
        if (OnScrolled) OnScrolled();
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

void TWebEngineView::SetUserStyleSheet(const QString &css, const QColor &background)
{
    QWebEngineScriptCollection &scripts = page()->scripts();
    for (const QWebEngineScript &old : scripts.find(UserStyleScriptName)) scripts.remove(old);
    if (!css.isEmpty()) {
        QWebEngineScript script;
        script.setName(UserStyleScriptName);
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::MainWorld);
        script.setRunsOnSubFrames(true);
        script.setSourceCode(UserStyleScript(css));
        scripts.insert(script);
    }
    page()->setBackgroundColor(background);
    if (!url().isEmpty()) page()->runJavaScript(UserStyleScript(css));
}

void TWebEngineView::RunScript(const QString &script, std::function<void(const QVariant &)> done)
{
    if (done) page()->runJavaScript(script, std::move(done));
    else page()->runJavaScript(script);
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
