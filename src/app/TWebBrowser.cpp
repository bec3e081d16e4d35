#include "app/TWebBrowser.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <utility>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace {
// Refuses everything but local content, so no page ever reaches a network.
class TLocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QString scheme = info.requestUrl().scheme();
        if (scheme != QLatin1String("file") && scheme != QLatin1String("data") && scheme != QLatin1String("qrc")
            && scheme != QLatin1String("about") && scheme != QLatin1String("blob"))
            info.block(true);
    }
};
}

QWebEngineProfile *TWebBrowser::SharedProfile()
{
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(qApp);  // off the record: nothing written to disk
        p->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        p->setUrlRequestInterceptor(new TLocalOnlyInterceptor(p));
        QWebEngineSettings *s = p->settings();
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
        s->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
        return p;
    }();
    return profile;
}

void TWebBrowser::Prewarm() { SharedProfile(); }

TWebBrowser::TWebBrowser(QWidget *parent) : QWebEngineView(parent)
{
    setAccessibleName(QStringLiteral("صفحه"));
}

void TWebBrowser::showEvent(QShowEvent *event)
{
    EnsurePage();
    QWebEngineView::showEvent(event);
}

void TWebBrowser::EnsurePage()
{
    if (FPageMade) return;
    FPageMade = true;
    FPages = new QObject(this);
    setPage(MakePage());
    if (FZoomLevel != 2) setZoomFactor(ZoomFactorOf(FZoomLevel));
}

QWebEnginePage *TWebBrowser::MakePage()
{
    auto *p = new QWebEnginePage(SharedProfile(), FPages);
    // Each page reports only while it is the one shown; the spare page's own loads are silent.
    connect(p, &QWebEnginePage::loadStarted, this, [this, p] {
        if (p == page()) FCurrentLoading = true;
    });
    connect(p, &QWebEnginePage::loadFinished, this, [this, p](bool ok) {
        if (p == page()) LoadFinished(ok);
    });
    // The spare follows its one prefetched address only: the end of a load it abandoned is ignored.
    connect(p, &QWebEnginePage::loadingChanged, this, [this, p](const QWebEngineLoadingInfo &info) {
        if (p != FSpare || p == page() || !FSpareLoading || info.url() != FSpareUrl
            || info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            return;
        SpareFinished(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
    });
    // A crashed render process would leave a blank view: load the page again.
    connect(p, &QWebEnginePage::renderProcessTerminated, this,
            [this, p](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (p != page()) {
                    // A spare whose renderer died is of no use any more.
                    if (p == FSpare && FSpareLoading) SpareFinished(false);
                    else if (p == FSpare) FSpareReady = false;
                    return;
                }
                // Twice in a row at most: a page that kills every renderer is not retried for ever.
                if (status != QWebEnginePage::NormalTerminationStatus && FCrashReloads < 2) {
                    ++FCrashReloads;
                    QTimer::singleShot(0, this, [this] { reload(); });
                }
            });
    return p;
}

void TWebBrowser::Navigate(const QString &localPath)
{
    EnsurePage();
    const QUrl url = QUrl::fromLocalFile(localPath);
    FSwapPending = false;  // a newer address replaces a swap still waiting
    if (FSpare && url == FSpareUrl && (FSpareReady || FSpareLoading)) {
        // A load still running on the page going out of sight is dropped, as a new load would drop it.
        if (FCurrentLoading) page()->triggerAction(QWebEnginePage::Stop);
        if (FSpareReady) {
            ShowSpare();
            // As for a real load: raised once, after Navigate has returned.
            QWebEnginePage *shown = page();
            QTimer::singleShot(0, this, [this, shown] {
                if (shown == page()) RaiseDownloadComplete();
            });
        } else {
            FSwapPending = true;
        }
        return;
    }
    if (!FDeferredPrefetch.isEmpty()) Prefetch(std::exchange(FDeferredPrefetch, QString()));
    load(url);
}

void TWebBrowser::Prefetch(const QString &localPath)
{
    EnsurePage();
    if (FSwapPending) {
        FDeferredPrefetch = localPath;
        return;
    }
    const QUrl url = QUrl::fromLocalFile(localPath);
    if (url == page()->url() || (url == FSpareUrl && (FSpareReady || FSpareLoading))) return;
    if (!FSpare) FSpare = MakePage();
    FSpareUrl = url;
    FSpareReady = false;
    FSpareLoading = true;
    FSpare->load(url);
}

void TWebBrowser::SpareFinished(bool ok)
{
    FSpareLoading = false;
    FSpareReady = ok;
    // Laid out at the text size already, so the swap shows it as it will stay.
    if (ok) FSpare->setZoomFactor(ZoomFactorOf(FZoomLevel));
    if (!FSwapPending) return;
    FSwapPending = false;
    if (ok) {
        ShowSpare();
        RaiseDownloadComplete();
    } else {
        // The prefetch failed: a real load gives the usual outcome, error page included.
        const QUrl url = FSpareUrl;
        FSpareUrl.clear();
        load(url);
    }
    if (!FDeferredPrefetch.isEmpty()) Prefetch(std::exchange(FDeferredPrefetch, QString()));
}

void TWebBrowser::ShowSpare()
{
    QWebEnginePage *old = page();
    FCurrentLoading = false;
    setPage(FSpare);
    FSpare = old;
    FSpareUrl.clear();
    FSpareReady = false;
    FSpareLoading = false;
    setZoomFactor(ZoomFactorOf(FZoomLevel));
    FCrashReloads = 0;
}

void TWebBrowser::RaiseDownloadComplete()
{
    if (OnDownloadComplete) TKetabApplication::Guarded([this] { OnDownloadComplete(this); });
}

void TWebBrowser::LoadFinished(bool ok)
{
    FCurrentLoading = false;
    if (ok) FCrashReloads = 0;
    // Level other than 100 % stays across pages, as readers expect of a text size.
    if (FZoomLevel != 2) setZoomFactor(ZoomFactorOf(FZoomLevel));
    RaiseDownloadComplete();
}

QString TWebBrowser::LocationURL() const
{
    if (!FPageMade) return QString();
    return url().toString(QUrl::FullyDecoded);
}

void TWebBrowser::ExecWB(int command, int, int input)
{
    EnsurePage();
    switch (command) {
    case OLECMDID_SELECTALL: SelectAll(); break;
    case OLECMDID_COPY: Copy(); break;
    case OLECMDID_ZOOM: SetZoomLevel(input); break;
    case OLECMDID_PRINTPREVIEW: PrintPreview(); break;
    case OLECMDID_PRINT: Print(); break;
    default: throw EKetabError(QStringLiteral("The HTML view does not support command %1").arg(command));
    }
}

void TWebBrowser::SelectAll()
{
    EnsurePage();
    page()->triggerAction(QWebEnginePage::SelectAll);
}

void TWebBrowser::Copy()
{
    EnsurePage();
    page()->triggerAction(QWebEnginePage::Copy);
}

double TWebBrowser::ZoomFactorOf(int level)
{
    static constexpr double factors[] = {0.7, 0.85, 1.0, 1.25, 1.5};
    return factors[std::clamp(level, 0, 4)];
}

void TWebBrowser::SetZoomLevel(int level)
{
    if (level < 0 || level > 4)
        throw EKetabError(QStringLiteral("Zoom level %1 is out of range 0..4").arg(level));
    FZoomLevel = level;
    if (FPageMade) setZoomFactor(ZoomFactorOf(level));
    if (FSpare && FSpareReady) FSpare->setZoomFactor(ZoomFactorOf(level));
}
