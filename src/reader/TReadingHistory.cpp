#include "reader/TReadingHistory.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "reader/TPageMenu.h"
#include "skin/TsuiImageButton.h"
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace {
QString LocalFile(const QUrl &url) { return url.isLocalFile() ? QDir::cleanPath(url.toLocalFile()) : QString(); }
}

TReadingHistory::TReadingHistory(TMainForm *form) : QObject(form), FForm(form), FHistory(ReaderState)
{
    using G = TKetabApplication;
    form->HistoryBackButton->OnClick = G::Guard([this](TsuiCustomButton *) { GoBack(); });
    form->HistoryForwardButton->OnClick = G::Guard([this](TsuiCustomButton *) { GoForward(); });
    TWebBrowser *view = form->PageBrowser;
    auto scrolled = view->OnScroll;
    view->OnScroll = [this, scrolled](TWebBrowser *sender) {
        if (scrolled) scrolled(sender);
        Scrolled();
    };
    form->PageMenu->Add(TPageMenu::poNavigation, [this](QMenu &menu, const TPageMenu::TContext &) {
        const auto item = [&](TsuiImageButton *button, const char *name, void (TReadingHistory::*go)()) {
            QAction *a = menu.addAction(button->accessibleName());
            a->setObjectName(QString::fromLatin1(name));
            a->setEnabled(button->isEnabled());
            G::Connect(a, &QAction::triggered, this, [this, go] { (this->*go)(); });
        };
        item(FForm->HistoryBackButton, "PageHistoryBack", &TReadingHistory::GoBack);
        item(FForm->HistoryForwardButton, "PageHistoryForward", &TReadingHistory::GoForward);
    });
    // The engine's widget takes the mouse over the page: its back and forward buttons
    // are caught before any widget of the window sees them.
    qApp->installEventFilter(this);
    UpdateButtons();
}

TReadingHistory::~TReadingHistory() { qApp->removeEventFilter(this); }

void TReadingHistory::RecordJump() { FHistory.Jump(); }

void TReadingHistory::GoBack() { Go(true); }

void TReadingHistory::GoForward() { Go(false); }

void TReadingHistory::Go(bool back)
{
    const TReaderState &rs = ReaderState;
    const auto prepare = [this, &rs](const TPagePlace &place) {
        // found.htm may hold another result by now, or be gone: it is written again.
        if (place.IsResult()) TResultPage::Write(FBuffer, place.Marking, rs.AppFolder, rs.TempFolder);
    };
    const std::optional<TPagePlace> place = back ? FHistory.Back(prepare) : FHistory.Forward(prepare);
    if (!place) return;
    FForm->InfoLabel->setText(place->Info);
    FForm->PageNumber->setText(place->PageNumber);
    FForm->ChMusic->trigger();
    FForm->PageBrowser->Navigate(place->File);
    UpdateButtons();
}

void TReadingHistory::LinkFollowed()
{
    const TWebBrowser *view = FForm->PageBrowser;
    if (LocalFile(view->Url()) != LocalFile(view->RequestedUrl())) RecordJump();
}

void TReadingHistory::PageShown()
{
    ++FShownPages;
    TWebBrowser *view = FForm->PageBrowser;
    TPagePlace place;
    place.File = LocalFile(view->Url());
    if (QFileInfo(place.File).fileName() == TResultPage::FileName()) place.Marking = TResultPage::LastWritten();
    place.Info = FForm->InfoLabel->text();
    place.PageNumber = FForm->PageNumber->text();
    if (const std::optional<double> scroll = FHistory.Shown(place); scroll && *scroll > 0) view->ScrollToShare(*scroll);
    UpdateButtons();
}

void TReadingHistory::Scrolled()
{
    if (!FHistory.Current()) return;
    // Only the place's own page says how far it is scrolled, not one that has replaced it,
    // nor the page as it came in (a new page starts at the top before it is shown).
    FForm->PageBrowser->AskScrollPlace([this, file = FHistory.Current()->File, shown = FShownPages](const QUrl &page, double share) {
        if (shown == FShownPages && LocalFile(page) == file && FHistory.Current() && FHistory.Current()->File == file)
            FHistory.Scrolled(share);
    });
}

void TReadingHistory::UpdateButtons()
{
    FForm->HistoryBackButton->setEnabled(CanGoBack());
    FForm->HistoryForwardButton->setEnabled(CanGoForward());
}

bool TReadingHistory::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
    if (button != Qt::BackButton && button != Qt::ForwardButton) return false;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != FForm) return false;
    // The press goes back or forward; the release and double-click go nowhere else either,
    // so the engine never moves in its own history.
    if (type == QEvent::MouseButtonPress && FForm->isEnabled())
        TKetabApplication::Guarded([this, button] { Go(button == Qt::BackButton); });
    return true;
}
