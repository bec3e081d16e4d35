#include "reader/TReaderMemory.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "reader/TLayoutOptions.h"
#include "reader/TMainForm.h"
#include "reader/TOptionsPanel.h"
#include "reader/TReadingProgress.h"
#include "search/TSearchForm.h"
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiSideChannel.h"
#include "speech/TSpeechOptions.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <memory>
#include <optional>

TReaderMemory *ReaderMemory = nullptr;

namespace {
// Sets a skinned box without running its handler.
void SetQuietly(TsuiCheckBox *box, bool checked)
{
    box->SetLoading(true);
    box->SetChecked(checked);
    box->SetLoading(false);
}

// The search window's check boxes that have a name: each is kept by it.
QList<QCheckBox *> SearchChecks()
{
    QList<QCheckBox *> boxes;
    if (SearchForm)
        for (QCheckBox *box : SearchForm->findChildren<QCheckBox *>())
            if (!box->objectName().isEmpty()) boxes << box;
    return boxes;
}
}

TReaderMemory::TReaderMemory(TSettingsStore store) : FStore(std::move(store))
{
    ReaderMemory = this;
    FKeptChoices = FStore.Choices();
    FKept = FStore.Place();
    FSaveTimer.setSingleShot(true);
    FSaveTimer.setInterval(SaveDelayMs);
    TKetabApplication::Connect(&FSaveTimer, &QTimer::timeout, &FSaveTimer, [this] {
        if (!FShown.Page) return;
        const int page = FShown.Page;
        MainForm->PageBrowser->AskScrollShare([this, page](double share) {
            if (FShown.Page != page) return;
            FShown.Scroll = share;
            Save(FShown);
        });
    });
    TKetabApplication::Connect(qApp, &QCoreApplication::aboutToQuit, &FSaveTimer, [this] { SaveNow(); });
}

TReaderMemory::~TReaderMemory()
{
    if (ReaderMemory == this) ReaderMemory = nullptr;
}

void TReaderMemory::Apply()
{
    const TKeptChoices &c = FKeptChoices;
    const TKeptChoices first;
    TOptionsPanel *o = MainForm->OptionsPanel;
    if (c.TextSize != first.TextSize) o->FontSizeComboBox->setCurrentIndex(c.TextSize);
    if (c.MusicOn != first.MusicOn) {
        // No track is open yet: the switch only decides whether the first one plays.
        SetQuietly(c.MusicOn ? o->MusicOn : o->MusicOff, true);
        ReaderState.MusicEnabled = c.MusicOn;
    }
    if (c.FullScreen != first.FullScreen) {
        SetQuietly(o->AllTopCheckBox, c.FullScreen);
        // The window is hidden: it takes the state now and shows in it.
        MainForm->setWindowState(MainForm->windowState() | Qt::WindowFullScreen);
    }
    if (c.NotesPinned != first.NotesPinned) {
        // At once, not sliding: the window is not on screen yet.
        MainForm->BookMarkChannel->SetQuickMove(true);
        o->BookMarkShow->SetChecked(c.NotesPinned);
        MainForm->BookMarkChannel->SetQuickMove(false);
    }
    if (c.NightPage != first.NightPage) o->NightPageCheckBox->SetChecked(c.NightPage);
    o->LayoutOptions->SetChoice({c.LineSpacing, c.TextWidth, c.Typeface, c.Justified});
    if (!o->LayoutOptions->Choice().IsBook()) MainForm->PageLayoutChange();
    MainForm->Notes->SetFolder(c.NotesFolder);
    MainForm->Progress->Pace().SetKept(c.PageSeconds);
    o->SpeechOptions->SetRateStep(c.SpeechRate);
    o->SpeechOptions->SetVoice(c.SpeechVoice);
    o->SpeechOptions->Used = c.SpeechUsed;
    ApplySearchChoices();

    TWebBrowser *view = MainForm->PageBrowser;
    auto processing = view->OnDownloadComplete;
    view->OnDownloadComplete = [this, processing](TWebBrowser *sender) {
        if (processing) processing(sender);
        PageLoaded(sender);
    };
    auto scrolled = view->OnScroll;
    view->OnScroll = [this, scrolled](TWebBrowser *sender) {
        if (scrolled) scrolled(sender);
        if (FShown.Page) SaveSoon();
    };
}

void TReaderMemory::ApplySearchChoices()
{
    if (!SearchForm) return;
    const TKeptChoices &c = FKeptChoices;
    SearchForm->SetRecentSearches(c.RecentSearches);
    for (QCheckBox *box : SearchChecks())
        if (c.SearchChecks.contains(box->objectName())) box->setChecked(c.SearchChecks.value(box->objectName()));
}

TReadingPlace TReaderMemory::ContinuePlace() const
{
    const int section = SectionOf(FKept.Page);
    if (FKept.Page < 1 || section < 1 || !QFileInfo(PageFile(section, FKept.Page)).isFile()) return {};
    return FKept;
}

void TReaderMemory::ScrollWhenShown(const TReadingPlace &place) { FToRestore = place; }

void TReaderMemory::PageLoaded(TWebBrowser *view)
{
    const TReaderState &rs = ReaderState;
    const QUrl url = view->Url();
    // A book page is the page file of the current page itself: not a contents, index or
    // result page, nor a part of a page reached by its fragment.
    const bool bookPage = rs.CurSection >= 1 && rs.CurSection <= SectionCount && url.isLocalFile() && !url.hasFragment()
        && QDir::cleanPath(url.toLocalFile()) == QDir::cleanPath(PageFile(rs.CurSection, rs.CurPage));
    if (!bookPage) {
        FShown = {};
        FToRestore = {};
        return;
    }
    FShown = {rs.CurPage, 0.0};
    if (FToRestore.Page == rs.CurPage) {
        view->ScrollToShare(FToRestore.Scroll);
        FShown.Scroll = FToRestore.Scroll;
    }
    FToRestore = {};
    SaveSoon();
}

void TReaderMemory::SaveSoon()
{
    if (!FSaveTimer.isActive()) FSaveTimer.start();
}

void TReaderMemory::Save(const TReadingPlace &place)
{
    if (place.Page && !(place == FKept)) {
        FStore.SavePlace(place);
        FKept = place;
    }
    const TKeptChoices now = CurrentChoices();
    if (!(now == FKeptChoices)) {
        FStore.SaveChoices(now);
        FKeptChoices = now;
    }
}

void TReaderMemory::ReadPresentScroll()
{
    if (!FShown.Page) return;
    // Shared: an answer later than the wait finds the wait gone.
    const auto answer = std::make_shared<std::optional<double>>();
    MainForm->PageBrowser->AskScrollShare([answer](double share) { *answer = share; });
    // A loop of its own, not a QEventLoop: on the way out the application's repeated
    // exit would end that at once. The bound's timeout also wakes the wait.
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(ExitScrollWaitMs);
    while (!*answer && bound.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    if (*answer) FShown.Scroll = **answer;
}

void TReaderMemory::SaveNow()
{
    FSaveTimer.stop();
    ReadPresentScroll();
    Save(FShown);
}

TKeptChoices TReaderMemory::CurrentChoices() const
{
    TKeptChoices c;
    const TOptionsPanel *o = MainForm->OptionsPanel;
    const int size = o->FontSizeComboBox->currentIndex();
    c.TextSize = size >= 0 && size < TKeptChoices::TextSizeCount ? size : c.TextSize;
    c.MusicOn = ReaderState.MusicEnabled;
    c.FullScreen = o->AllTopCheckBox->Checked();
    c.NotesPinned = MainForm->BookMarkChannel->StayOn();
    c.NightPage = o->NightPageCheckBox->Checked();
    c.NotesFolder = MainForm->Notes->Folder();
    c.PageSeconds = MainForm->Progress->Pace().Kept();
    c.SpeechRate = o->SpeechOptions->RateStep();
    c.SpeechVoice = o->SpeechOptions->Voice();
    c.SpeechUsed = o->SpeechOptions->Used;
    // Before the search window is made, its choices are those read.
    c.SearchChecks = SearchForm ? QMap<QString, bool>() : FKeptChoices.SearchChecks;
    for (QCheckBox *box : SearchChecks()) c.SearchChecks[box->objectName()] = box->isChecked();
    const TPageLayout::TChoice layout = o->LayoutOptions->Choice();
    c.LineSpacing = layout.Spacing;
    c.TextWidth = layout.Width;
    c.Typeface = layout.Typeface;
    c.Justified = layout.Justified;
    c.RecentSearches = SearchForm ? SearchForm->RecentSearches() : FKeptChoices.RecentSearches;
    return c;
}
