#include "htmlengine/TWebEngineModule.h"
#include "htmlengine/TWebEngineView.h"
#include <QCoreApplication>
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

QWebEngineProfile *TWebEngineModule::SharedProfile()
{
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(QCoreApplication::instance());  // off the record: nothing written to disk
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

void TWebEngineModule::Start() { SharedProfile(); }

THtmlEngineView *TWebEngineModule::NewView(QWidget *parent) { return new TWebEngineView(SharedProfile(), parent); }
