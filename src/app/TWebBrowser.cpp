#include "app/TWebBrowser.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/THtmlEngine.h"
#include "app/THtmlEngineModule.h"
#include "app/TPageLayers.h"
#include "app/TPrintJobs.h"
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

TWebBrowser::TWebBrowser(QWidget *parent)
    : QWidget(parent), FLayers(std::make_unique<TPageLayers>()), FPrintJobs(new TPrintJobs(*this))
{
    setAccessibleName(QStringLiteral("صفحه"));
    // Focus taken before the engine is in passes to the engine's widget when it comes; the
    // engine acts on selection commands only in a focused page.
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TWebBrowser::~TWebBrowser()
{
    // The engine views go first, while this object is whole: their last reports must not reach it.
    delete std::exchange(FPrintJobs, nullptr);
    if (!FEngine) return;
    FEngine->OnLoadFinished = nullptr;
    FEngine->OnRenderCrashed = nullptr;
    FEngine->OnContextMenu = nullptr;
    FLayers->Attach(nullptr);
    delete FEngine->Widget();
}

THtmlEngineView &TWebBrowser::Engine()
{
    if (FEngine) return *FEngine;
    THtmlEngine *engine = THtmlEngineModule::Engine();
    engine->Start();
    for (QWidget *before = previousInFocusChain(); before != this; before = before->previousInFocusChain()) {
        if (before->focusPolicy() != Qt::NoFocus) {
            FTabBefore = before;
            break;
        }
    }
    FEngine = engine->NewView(this);
    QWidget *widget = FEngine->Widget();
    widget->setAccessibleName(accessibleName());
    layout()->addWidget(widget);
    setFocusProxy(widget);
    KeepInTabOrder();
    if (FZoomLevel != 2) FEngine->SetZoomFactor(ZoomFactorOf(FZoomLevel));
    FLayers->Attach(FEngine);
    if (OnContextMenu) {
        FEngine->SetOwnContextMenu(true);
        FEngine->OnContextMenu = TKetabApplication::Guard([this](const QPoint &at) {
            if (OnContextMenu) OnContextMenu(this, at);
        });
    }
    FEngine->OnScrolled = TKetabApplication::Guard([this] {
        if (OnScroll) OnScroll(this);
    });
    FEngine->OnLoadFinished = TKetabApplication::Guard([this](const QUrl &url, bool ok) { LoadFinished(url, ok); });
    // A crashed render process would leave a blank view: load the page again, a few times
    // in a row at most, so a page that kills every renderer is not retried for ever; and
    // not when the program has asked for another page meanwhile (the reload would cancel
    // that load and show the old page again).
    FEngine->OnRenderCrashed = TKetabApplication::Guard([this] {
        EmptyPageDone();
        if (FCrashReloads >= MaxCrashReloads) return;
        ++FCrashReloads;
        const int navigation = FNavigations;
        QTimer::singleShot(0, this, [this, navigation] {
            if (navigation == FNavigations) FEngine->Reload();
        });
    });
    return *FEngine;
}

QWidget *TWebBrowser::EngineWidget() const { return FEngine ? FEngine->Widget() : nullptr; }

void TWebBrowser::Warm(const QString &localPath, std::function<void()> warmed)
{
    THtmlEngineView &engine = Engine();
    if (!FWarmUrl.isEmpty() || !engine.Url().isEmpty()) return;
    FWarmUrl = QUrl::fromLocalFile(localPath);
    FWarmNavigations = FNavigations;
    FWarmed = std::move(warmed);
    engine.Load(FWarmUrl);
}

void TWebBrowser::DrawWhileHidden()
{
    if (FEngine) FEngine->DrawWhileHidden();
}

void TWebBrowser::Navigate(const QString &localPath)
{
    ++FNavigations;
    const QUrl url = QUrl::fromLocalFile(localPath);
    FRequestedUrl = url;
    // The engine prints the page it holds; loading another one halfway would lose the
    // print. The page loads when the job has ended.
    if (FPrintJobs->Printing()) FAfterPrintUrl = url;
    else if (FEmptyLoading) FHeldUrl = url;
    else Engine().Load(url);
}

// The engine's inner widget, made with the first page, takes the keyboard focus: a screen
// reader announces it by the view's name. Qt puts widgets made later at the end of the
// window's Tab order, and a widget given a child as focus proxy just before that child:
// gather the view with its engine and put them back in the view's place.
void TWebBrowser::KeepInTabOrder()
{
    QWidget *widget = FEngine->Widget();
    if (QWidget *inner = widget->focusProxy()) inner->setAccessibleName(accessibleName());
    setFocusProxy(nullptr);
    setFocusProxy(widget);
    if (FTabBefore && FTabBefore->window() == window()) setTabOrder(FTabBefore, this);
}

void TWebBrowser::LoadFinished(const QUrl &url, bool ok)
{
    // The warming load is nobody's page: its end, or its end when a real load cut it
    // short, is not reported.
    const bool warming = !FWarmUrl.isEmpty() && url == FWarmUrl;
    const QUrl empty(QStringLiteral("about:blank"));
    if (warming && url != empty && FNavigations == FWarmNavigations) {
        FWarmUrl = empty;
        // Asked for once the engine is done reporting this load, and only while no real
        // page has been asked for.
        QTimer::singleShot(0, this, [this, empty] {
            TKetabApplication::Guarded([this, empty] {
                if (FWarmUrl == empty && FNavigations == FWarmNavigations) {
                    FEmptyLoading = true;
                    FEngine->Load(empty);
                } else {
                    EndWarming();
                }
            });
        });
        return;
    }
    EndWarming();
    if (warming) {
        if (url == empty) EmptyPageDone();
        return;
    }
    if (ok) FCrashReloads = 0;
    FLoadSucceeded = ok;
    KeepInTabOrder();
    // Level other than 100 % stays across pages, as readers expect of a text size.
    if (FZoomLevel != 2) FEngine->SetZoomFactor(ZoomFactorOf(FZoomLevel));
    if (OnDownloadComplete) TKetabApplication::Guarded([this] { OnDownloadComplete(this); });
}

void TWebBrowser::EndWarming()
{
    FWarmUrl.clear();
    if (auto warmed = std::exchange(FWarmed, nullptr)) TKetabApplication::Guarded(warmed);
}

void TWebBrowser::EmptyPageDone()
{
    FEmptyLoading = false;
    if (!FHeldUrl.isEmpty()) FEngine->Load(std::exchange(FHeldUrl, QUrl()));
}

QUrl TWebBrowser::Url() const { return FEngine ? FEngine->Url() : QUrl(); }

QString TWebBrowser::LocationURL() const { return Url().toString(QUrl::FullyDecoded); }

void TWebBrowser::ExecWB(int command, int, int input)
{
    switch (command) {
    case OLECMDID_SELECTALL: SelectAll(); break;
    case OLECMDID_COPY: Copy(); break;
    case OLECMDID_ZOOM: SetZoomLevel(input); break;
    case OLECMDID_PRINTPREVIEW: FPrintJobs->PrintPreview(); break;
    case OLECMDID_PRINT: FPrintJobs->Print(); break;
    default: throw EKetabError(tr("The HTML view does not support command %1").arg(command));
    }
}

void TWebBrowser::SelectAll() { Engine().SelectAll(); }

void TWebBrowser::Copy() { Engine().Copy(); }

QString TWebBrowser::SelectedText() const { return FEngine ? FEngine->SelectedText() : QString(); }

double TWebBrowser::ZoomFactorOf(int level)
{
    static constexpr double factors[] = {0.7, 0.85, 1.0, 1.25, 1.5};
    return factors[std::clamp(level, 0, 4)];
}

void TWebBrowser::SetZoomLevel(int level)
{
    if (level < 0 || level > 4)
        throw EKetabError(tr("Zoom level %1 is out of range 0..4").arg(level));
    FZoomLevel = level;
    if (FEngine) FEngine->SetZoomFactor(ZoomFactorOf(level));
}

void TWebBrowser::PrintEnded()
{
    if (!FAfterPrintUrl.isEmpty()) Engine().Load(std::exchange(FAfterPrintUrl, QUrl()));
}

void TWebBrowser::AskScrollShare(std::function<void(double)> answer)
{
    AskScrollPlace([answer = std::move(answer)](const QUrl &, double share) { answer(share); });
}

void TWebBrowser::AskScrollPlace(std::function<void(const QUrl &page, double share)> answer)
{
    if (!FEngine || FEngine->Url().isEmpty()) return;
    // Between two pages there may be no document element yet: then no answer.
    FEngine->RunScript(QStringLiteral("(function () { var e = document.documentElement; if (!e) return null;"
                                      " var room = e.scrollHeight - window.innerHeight;"
                                      " return [location.href, room > 0 ? Math.min(1, window.scrollY / room) : 0]; })()"),
                       TKetabApplication::Guard([answer = std::move(answer)](const QVariant &value) {
                           const QVariantList pair = value.toList();
                           bool ok = false;
                           const double share = pair.size() == 2 ? pair[1].toDouble(&ok) : 0.0;
                           if (ok) answer(QUrl(pair[0].toString()), std::clamp(share, 0.0, 1.0));
                       }));
}

void TWebBrowser::ScrollToShare(double share)
{
    if (!FEngine) return;
    // To the nearest pixel, with the share in full: a page comes back on the very line it was left at.
    FEngine->RunScript(QStringLiteral("(function (e) { if (e) window.scrollTo(0, Math.round((e.scrollHeight - window.innerHeight) * %1)); })"
                                      "(document.documentElement);")
                           .arg(std::clamp(share, 0.0, 1.0), 0, 'g', 17),
                       {});
}
