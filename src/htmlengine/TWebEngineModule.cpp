#include "htmlengine/TWebEngineModule.h"
#include "htmlengine/TPdfPreviewDialog.h"
#include "htmlengine/TWebEngineView.h"
#include <QCoreApplication>
#include <QList>
#include <QLoggingCategory>
#include <QPointer>
#include <QQuickWindow>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <algorithm>

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

// The engine reports its set-up on every start: a dump as info of this category and, in
// Qt's default category, that it found no OpenGL to draw with (Start chose none) and that
// its sandbox is off when the environment asks for that. A reader has no use for either;
// all of it shows when the category's info is asked for, as QT_LOGGING_RULES can, whose
// rules win over the one Start sets.
Q_LOGGING_CATEGORY(EngineContext, "qt.webenginecontext")

QtMessageHandler EarlierHandler = nullptr;

void LeaveOutStartReport(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    static const QLatin1StringView reportLines[] = {QLatin1StringView("No suitable graphics backend found"),
                                                    QLatin1StringView("Sandboxing disabled by user.")};
    if (!EngineContext().isInfoEnabled() && qstrcmp(context.category, "default") == 0
        && std::find(std::begin(reportLines), std::end(reportLines), text.trimmed()) != std::end(reportLines))
        return;
    EarlierHandler(type, context, text);
}

void QuietStartReport()
{
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    EarlierHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(LeaveOutStartReport);
}

// The pages made on the shared profile, while they live.
QList<QPointer<QWebEnginePage>> &LivePages()
{
    static QList<QPointer<QWebEnginePage>> pages;
    return pages;
}

// The engine takes a page down through its profile, so no page may outlive it. The
// program's windows live as long as the application, and the engine ends its profiles
// first thing when the application object goes; this runs just before that and deletes
// the pages still alive.
void DeleteLivePages()
{
    for (const QPointer<QWebEnginePage> &page : std::exchange(LivePages(), {})) delete page.data();
}
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
        // Clean-ups run in the reverse order of their adding: this one before the engine's own.
        qAddPostRoutine(DeleteLivePages);
        return p;
    }();
    return profile;
}

void TWebEngineModule::Start()
{
    // Before the engine's first start and its first view: pages are composed by the
    // engine's software compositor and shown by Qt Quick's software renderer, as on a
    // machine without a graphics card, and the window system is asked for no OpenGL at
    // all (the engine's start would otherwise load the OpenGL driver just to ask about
    // it). Without a graphics card that driver is a software rasteriser whose set-up costs
    // more than the rest of the engine's start, and which spends tens of milliseconds on
    // every full-window frame.
    static const bool chosen = [] {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        qputenv("QT_XCB_GL_INTEGRATION", "none");
        QuietStartReport();
        return true;
    }();
    (void)chosen;
    SharedProfile();
}

THtmlEngineView *TWebEngineModule::NewView(QWidget *parent) { return new TWebEngineView(parent); }

TPdfPreview *TWebEngineModule::NewPdfPreview(QWidget *parent) { return new TPdfPreviewDialog(parent); }

QWebEnginePage *TWebEngineModule::NewPage(QObject *owner)
{
    auto *page = new QWebEnginePage(SharedProfile(), owner);
    LivePages().removeIf([](const QPointer<QWebEnginePage> &p) { return p.isNull(); });
    LivePages().append(page);
    return page;
}
