#include "app/TWebBrowser.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include <QApplication>
#include <QTimer>
#include <QUrl>
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
        // A book page needs no page icon; looking for one costs every load a file request.
        s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        s->setAttribute(QWebEngineSettings::TouchIconsEnabled, false);
        s->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled, false);
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
    setPage(new QWebEnginePage(SharedProfile(), this));
    if (FZoomLevel != 2) setZoomFactor(ZoomFactorOf(FZoomLevel));
    connect(page(), &QWebEnginePage::loadFinished, this, &TWebBrowser::LoadFinished);
    // A crashed render process would leave a blank view: load the page again.
    connect(page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                // Twice in a row at most: a page that kills every renderer is not retried for ever.
                if (status != QWebEnginePage::NormalTerminationStatus && FCrashReloads < 2) {
                    ++FCrashReloads;
                    QTimer::singleShot(0, this, [this] { reload(); });
                }
            });
}

void TWebBrowser::Navigate(const QString &localPath)
{
    EnsurePage();
    load(QUrl::fromLocalFile(localPath));
}

void TWebBrowser::LoadFinished(bool ok)
{
    if (ok) FCrashReloads = 0;
    // Level other than 100 % stays across pages, as readers expect of a text size.
    if (FZoomLevel != 2) setZoomFactor(ZoomFactorOf(FZoomLevel));
    if (OnDownloadComplete) TKetabApplication::Guarded([this] { OnDownloadComplete(this); });
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
}
