#include "htmlengine/TWebEngineView.h"
#include "htmlengine/TWebEngineModule.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {
const QString OverlayScriptName = QStringLiteral("ketab-overlay");
// The overlay's own world: the page's scripts can neither see nor change what runs there.
constexpr quint32 OverlayWorld = QWebEngineScript::ApplicationWorld;

// Puts css over the page as a style sheet of its own, taking back one put there before;
// empty css only takes it back. A constructed sheet needs no element, so it applies from
// the document's creation, before anything is drawn, and the page's markup stays as it is.
QString StyleScript(const QString &css)
{
    const QString text = QString::fromUtf8(QJsonDocument(QJsonArray{css}).toJson(QJsonDocument::Compact));
    return QStringLiteral("(function (css) {"
                          " var d = document; if (!d || !d.adoptedStyleSheets) return;"
                          " var kept = d.adoptedStyleSheets.filter(function (s) { return !s.ketabOverlay; });"
                          " if (css) { var s = new CSSStyleSheet(); s.replaceSync(css); s.ketabOverlay = true; kept.push(s); }"
                          " d.adoptedStyleSheets = kept;"
                          "})(%1[0]);\n")
        .arg(text);
}

// The web channel's client library, which the engine's channel speaks to: the overlay's
// script reaches the program's bridge through it.
const QString &ChannelLibrary()
{
    static const QString library = [] {
        QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return library;
}

// Connects the overlay's world to the bridge; messages told before the channel is up wait.
const char ChannelStart[] = R"JS(
(function () {
  if (window.ketabBridge) return;
  var waiting = [];
  window.ketabBridge = { tell: function (kind, data) { waiting.push([kind, data]); } };
  if (typeof QWebChannel === 'undefined' || typeof qt === 'undefined') return;
  new QWebChannel(qt.webChannelTransport, function (channel) {
    var bridge = channel.objects.ketab;
    window.ketabBridge.tell = function (kind, data) { bridge.tell(kind, JSON.stringify(data === undefined ? null : data)); };
    waiting.forEach(function (m) { window.ketabBridge.tell(m[0], m[1]); });
    waiting = [];
  });
})();
)JS";
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
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (OnContextMenu) OnContextMenu(mapToGlobal(at));
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

void TWebEngineView::SetOverlay(const QString &css, const QString &script, const QColor &background)
{
    FOverlayCss = css;
    FOverlayScript = script;
    InstallOverlay();
    page()->setBackgroundColor(background);
    // The shown page gets the style at once; its script, already run there, is told what
    // changed by whoever changed it.
    if (!url().isEmpty()) page()->runJavaScript(StyleScript(css), OverlayWorld);
}

void TWebEngineView::SetBridge(QObject *bridge)
{
    auto *channel = new QWebChannel(this);
    channel->registerObject(QStringLiteral("ketab"), bridge);
    page()->setWebChannel(channel, OverlayWorld);
    FBridged = true;
    InstallOverlay();
}

void TWebEngineView::InstallOverlay()
{
    QWebEngineScriptCollection &scripts = page()->scripts();
    for (const QWebEngineScript &old : scripts.find(OverlayScriptName)) scripts.remove(old);
    if (FOverlayCss.isEmpty() && FOverlayScript.isEmpty() && !FBridged) return;
    QString source;
    if (FBridged) source = ChannelLibrary() + QLatin1String(ChannelStart);
    source += StyleScript(FOverlayCss) + FOverlayScript;
    QWebEngineScript script;
    script.setName(OverlayScriptName);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(OverlayWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(source);
    scripts.insert(script);
}

void TWebEngineView::RunScript(const QString &script, std::function<void(const QVariant &)> done)
{
    if (done) page()->runJavaScript(script, std::move(done));
    else page()->runJavaScript(script);
}

void TWebEngineView::RunOverlayScript(const QString &script, std::function<void(const QVariant &)> done)
{
    if (done) page()->runJavaScript(script, OverlayWorld, std::move(done));
    else page()->runJavaScript(script, OverlayWorld);
}

void TWebEngineView::SetOwnContextMenu(bool on) { setContextMenuPolicy(on ? Qt::CustomContextMenu : Qt::DefaultContextMenu); }

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
