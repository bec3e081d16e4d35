#include "reader/TMainForm.h"
#include "app/BookData.h"
#include "app/ButtonMenu.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "app/StartupSteps.h"
#include "app/TWebBrowser.h"
#include "app/TApplicationMinimizer.h"
#include "app/TNightPage.h"
#include "app/WindowProtocol.h"
#include "info/THelpForm.h"
#include "marks/TMarksPanel.h"
#include "marks/TReaderMarks.h"
#include "print/TNotedPages.h"
#include "print/TPrintForm.h"
#include "reader/TLayoutOptions.h"
#include "reader/TLoadedPageClassifier.h"
#include "reader/TNoteEntry.h"
#include "reader/TNotesPanel.h"
#include "reader/TOptionsPanel.h"
#include "reader/TPageLayout.h"
#include "reader/TPageMenu.h"
#include "reader/TReadingHistory.h"
#include "reader/TReadingKeys.h"
#include "reader/TReadingProgress.h"
#include "search/TResultPage.h"
#include "search/TSearchForm.h"
#include "skin/TsuiBookFrames.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiImageButton.h"
#include "skin/TsuiImagePanel.h"
#include "skin/TsuiSideChannel.h"
#include "speech/TReadAloudControl.h"
#include "speech/TSpeechOptions.h"
#include "widgets/TXAPlayer.h"
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

TMainForm *MainForm = nullptr;

namespace {
const QString IndexWordColor = QStringLiteral("#3399FF");

// Bounds of the current section; a section outside the book is a program fault. Section
// 0 (none chosen yet) passes unless `lowest` is 1.
int CheckedSection(int section, int lowest = 0)
{
    if (section < lowest || section > SectionCount)
        throw EKetabError(TMainForm::tr("There is no section %1 in the book").arg(section));
    return section;
}
}

TMainForm::TMainForm(QWidget *parent) : TForm(parent)
{
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("كتاب"));
    setAccessibleName(QStringLiteral("كتاب"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(232, 232, 232));
    setPalette(pal);
    setAutoFillBackground(true);

    // Hidden text fragments the labels and notes entries are composed of.
    const auto fragment = [this](QLabel *&l, const char *name, const QString &caption) {
        l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(caption);
        l->hide();
    };
    fragment(PageLabel, "PageLabel", TNoteEntry::PageCaption);
    fragment(OfLabel, "OfLabel", QStringLiteral("از"));
    fragment(VolLabel, "VolLabel", TNoteEntry::VolCaption);
    fragment(DirLabel, "DirLabel", QStringLiteral("فهرست"));
    DirList = new QListWidget(this);
    DirList->setObjectName(QStringLiteral("DirList"));
    DirList->setAccessibleName(QStringLiteral("نام بخشها"));
    for (const char *title : SectionTitles) DirList->addItem(QString::fromUtf8(title));
    DirList->hide();

    BuildActions();
    BuildTopPanel();
    BuildBottomPanel();
    Progress = new TReadingProgress(this);
    PageBrowser = new TWebBrowser(this);
    PageBrowser->setObjectName(QStringLiteral("PageBrowser"));
    PageBrowser->OnDownloadComplete = [this](TWebBrowser *sender) { PageBrowserDownloadComplete(sender); };  // guarded by the view
    BuildSidePanels();
    BuildPageMenu();
    History = new TReadingHistory(this);
    Marks = std::make_unique<TReaderMarks>(*this);
    new TReadingKeys(this);
    const TOptionsPanel *o = OptionsPanel;
    const TNotesPanel *n = NotesPanel;
    TabChain({o->Pages, o->MusicOn, o->MusicOff, o->FontSizeComboBox, o->AllTopCheckBox, o->BookMarkShow, o->NightPageCheckBox,
              o->SpeechOptions->RateBox, o->SpeechOptions->VoiceBox, o->LayoutOptions->SpacingBox, o->LayoutOptions->WidthBox,
              o->LayoutOptions->TypefaceBox, o->LayoutOptions->JustifiedBox, o->SelAllButton,
              o->CopyButton, o->CopToSearchButton, o->ExitButton, RHidePanel->PinButton(), PageBrowser,
              NotesPages->tabBar(), n->BookMarkBox, n->InsertButton, n->DeleteButton, n->NewButton, n->GotoButton, n->LoadButton,
              n->SaveButton, n->PrintBMButton, n->PrintListButton, MarksPanel->FilterEdit, MarksPanel->StyleBox,
              MarksPanel->List, MarksPanel->GotoButton, MarksPanel->RemoveButton, MarksPanel->ExportButton,
              MarksPanel->ImportButton, BookMarkChannel->PinButton(), MenuButton, DirButton, HistoryBackButton, HistoryForwardButton, FirstButton, BackButton, PageNumber, NextButton,
              LastButton, SpeakButton, SearchButton, PrintButton});

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    // Right to left: the options panel at the right edge, the notes panel at the left.
    middle->addWidget(RHidePanel);
    middle->addWidget(PageBrowser, 1);
    middle->addWidget(BookMarkChannel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopPanel);
    layout->addLayout(middle, 1);
    layout->addWidget(Progress);
    layout->addWidget(BottomPanel);

    if (QScreen *screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
    suiForm = TsuiBookFrames::Reading(this);
    suiForm->SetContentsMinimumSize(MinimumContentsSize());
    suiForm->OnTitleBarCustomBtnsClick = TKetabApplication::Guard([this](TsuiTitleBar *sender, int index) {
        suiFormTitleBarCustomBtnsClick(sender, index);
    });
    MusicPlayer = new TXAPlayer(this);
    MusicPlayer->setObjectName(QStringLiteral("MusicPlayer"));
    MusicPlayer->SetPriority(3);
    MusicPlayer->OnPlayerState =
        TKetabApplication::Guard([this](TXAPlayer *sender, int state) { MusicPlayerPlayerState(sender, state); });
    SectionMusic = std::make_unique<TSectionMusic>(*MusicPlayer, ReaderState);
    // The music stops with the program, before the library's thread could outlive it.
    TKetabApplication::Connect(qApp, &QCoreApplication::aboutToQuit, MusicPlayer, [this] { MusicPlayer->Shutdown(); });
    ReadAloud = new TReadAloudControl(this);
    TKetabApplication::Guarded([this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate()
{
    // What cannot fail comes first, so a failure below still leaves every page readable.
    ReaderState.FillSectionTable();
    ReaderState.ResetFlags();
    // A temp folder that cannot be made safe is reported on its own; the pages the program
    // generates are then refused instead of being written elsewhere.
    TKetabApplication::Guarded([] { ReaderState.TempFolder = TempFolderPath(); });
    // Generated pages in the temp folder refer to the style sheet by its bare name. A copy
    // that cannot be written is reported, and the window is still made in full.
    if (!ReaderState.TempFolder.isEmpty())
        TKetabApplication::Guarded([] { TStartupSteps::CopyStyleSheet(ReaderState.AppFolder, ReaderState.TempFolder); });
    // A missing or refused library leaves the book without music; a failure to make
    // the player raises.
    MusicPlayer->Initialize();
}

QString TMainForm::SectionName(int section) const
{
    return section >= 1 && section <= SectionCount && DirList ? DirList->item(section - 1)->text() : QString();
}

QString TMainForm::PageInfoText() const
{
    const int s = CheckedSection(ReaderState.CurSection);
    return PageLabel->text() + u' ' + QString::number(ReaderState.CurPage) + u' ' + OfLabel->text() + u' '
        + QString::number(ReaderState.LastPage[s]) + QStringLiteral(" - ") + SectionName(s);
}

void TMainForm::ShowPageInfo()
{
    InfoLabel->setText(PageInfoText());
    PageNumber->setText(QString::number(ReaderState.CurPage));
}

// ---- navigation ----

void TMainForm::ShowContents(int section)
{
    CheckedSection(section, 1);
    History->RecordJump();
    ReaderState.CurSection = section;
    ChMusic->trigger();
    ReaderState.CurPage = ReaderState.FirstPage[section];
    PageBrowser->Navigate(ContentsFile(section));
}

void TMainForm::RefreshPageExecute()
{
    TReaderState &rs = ReaderState;
    if (rs.ResultPending) {
        PageBrowser->Navigate(rs.TempFolder + QStringLiteral("found.htm"));
        rs.CurSection = SectionOf(rs.CurPage);
    } else {
        PageBrowser->Navigate(PageFile(rs.CurSection, rs.CurPage));
    }
    ChMusic->trigger();
    ShowPageInfo();
    const int s = CheckedSection(rs.CurSection);
    rs.CanBack = rs.FirstPage[s] < rs.CurPage;
    rs.CanForward = rs.CurPage < rs.LastPage[s];
}

void TMainForm::NextPageExecute()
{
    TReaderState &rs = ReaderState;
    const int s = CheckedSection(rs.CurSection);
    if (rs.ContentsMode) {
        rs.CurPage = rs.FirstPage[s];
        RefreshPageExecute();
    } else if (rs.CurPage < rs.LastPage[s] && rs.CanForward) {
        Progress->TurningNext();
        ++rs.CurPage;
        RefreshPageExecute();
    }
}

void TMainForm::PreviousPageExecute()
{
    TReaderState &rs = ReaderState;
    if (rs.FirstPage[CheckedSection(rs.CurSection)] < rs.CurPage && rs.CanBack) {
        --rs.CurPage;
        RefreshPageExecute();
    }
}

void TMainForm::FirstPageExecute()
{
    TReaderState &rs = ReaderState;
    if (rs.CanBack) {
        rs.CurPage = rs.FirstPage[CheckedSection(rs.CurSection)];
        RefreshPageExecute();
    }
}

void TMainForm::LastPageExecute()
{
    TReaderState &rs = ReaderState;
    if (rs.CanForward) {
        rs.CurPage = rs.LastPage[CheckedSection(rs.CurSection)];
        RefreshPageExecute();
    }
}

void TMainForm::PageNumber_KeyPress(QChar key)
{
    if (key != QChar(13)) return;
    TReaderState &rs = ReaderState;
    // Before a section is chosen there are no bounds to clamp to: the entry is ignored.
    if (rs.CurSection < 1 || rs.CurSection > SectionCount) return;
    const int n = StrToInt(PageNumber->text());
    const int f = rs.FirstPage[rs.CurSection];
    const int l = rs.LastPage[rs.CurSection];
    History->RecordJump();
    rs.CurPage = n > l ? l : n < f ? f : n;
    RefreshPageExecute();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PageNumber && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            TKetabApplication::Guarded([this] { PageNumber_KeyPress(QChar(13)); });
            return true;
        }
    }
    if (BookMarkBox && watched == BookMarkBox->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) TKetabApplication::Guarded([this] { BookMarkBoxDblClick(); });
        // A press on the list's empty part would clear the selection the double-click goes to.
        if (event->type() == QEvent::MouseButtonPress
            && !BookMarkBox->itemAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            return true;
    }
    return TForm::eventFilter(watched, event);
}

void TMainForm::DirButtonClick() { PopupButtonMenu(DirMenu, DirButton); }

void TMainForm::MenuButtonClick() { SwitchToStartMenu(); }

void TMainForm::SearchButtonClick()
{
    setEnabled(false);
    ShowOver(SearchForm, this);
}

void TMainForm::PrintButtonClick()
{
    if (ReaderState.ContentsMode) return;
    setEnabled(false);
    ShowOver(PrintForm, this);
}

// ---- loaded-page processing ----

void TMainForm::PageBrowserDownloadComplete(TWebBrowser *)
{
    TReaderState &rs = ReaderState;
    const TLoadedPageClassifier::TResult r =
        TLoadedPageClassifier::Classify(PageBrowser->Url(), rs.ResultPending, rs.ContentsMode, rs.IndexMode);
    if (r.Kind == TLoadedPageClassifier::lpIndexLink || r.Kind == TLoadedPageClassifier::lpContentsLink)
        History->LinkFollowed();
    switch (r.Kind) {
    case TLoadedPageClassifier::lpResultPage:
        rs.ResultPending = false;
        break;
    case TLoadedPageClassifier::lpContentsPage:
        rs.ContentsMode = true;
        rs.IndexMode = false;
        rs.CanForward = true;
        rs.CanBack = false;
        InfoLabel->setText(DirLabel->text() + u' ' + SectionName(rs.CurSection));
        PageNumber->clear();
        ChMusic->trigger();
        break;
    case TLoadedPageClassifier::lpIndexPage:
        rs.IndexMode = true;
        // A contents page left before no longer decides what Next and Print do.
        rs.ContentsMode = false;
        ChMusic->trigger();
        break;
    case TLoadedPageClassifier::lpIntroPage:
        InfoLabel->setText(DirLabel->text() + u' ' + SectionName(rs.CurSection));
        PageNumber->clear();
        ChMusic->trigger();
        break;
    case TLoadedPageClassifier::lpIndexLink:
        FollowIndexLink(r.Section, r.Page, r.Word);
        break;
    case TLoadedPageClassifier::lpContentsLink:
        // The view already shows the page the reader clicked; only the state follows it.
        rs.CurPage = r.Page;
        rs.CurSection = r.Section;
        ShowPageInfo();
        rs.ContentsMode = false;
        rs.CanForward = true;
        rs.CanBack = true;
        ChMusic->trigger();
        break;
    case TLoadedPageClassifier::lpIgnored:
        break;
    case TLoadedPageClassifier::lpOtherPage:
        ChMusic->trigger();
        break;
    }
    History->PageShown();
    Progress->PageShown();
}

void TMainForm::FollowIndexLink(int section, int page, const QString &word)
{
    TReaderState &rs = ReaderState;
    rs.IndexMode = false;
    rs.ContentsMode = false;
    rs.CanForward = true;
    rs.CanBack = true;
    TScratchText text;
    // The copy lies in the temp folder: its pictures are pointed back at the data folder.
    TResultPage::Write(text, {PageFile(section, page), {word}, TScratchText::foMatchCase, false, IndexWordColor},
                       rs.AppFolder, rs.TempFolder);
    rs.CurPage = page;
    rs.CurSection = section;
    ShowPageInfo();
    rs.ResultPending = true;
    RefreshPageExecute();
    rs.IndexMode = false;
    ChMusic->trigger();
}

// ---- notes ----

QStringList TMainForm::BookMarks() const { return Notes->Entries(); }

void TMainForm::InsertBMExecute()
{
    BookMarkBox->addItem(TNoteEntry::Compose(ReaderState.CurSection, ReaderState.CurPage));
}

void TMainForm::DeleteButtonClick()
{
    const QList<QListWidgetItem *> selected = BookMarkBox->selectedItems();
    if (!selected.isEmpty()) delete selected.first();
}

void TMainForm::NewButtonClick() { BookMarkBox->clear(); }

void TMainForm::SaveButtonClick() { Notes->Save(this); }

void TMainForm::LoadButtonClick() { Notes->Load(this); }

void TMainForm::GotoEntry(const QString &entry)
{
    const int page = TNoteEntry::Page(entry);
    const int section = TNoteEntry::Section(entry);
    if (section < 1 || section > SectionCount)
        throw EConvertError(tr("The notes entry \"%1\" names no section of the book").arg(entry));
    // A page outside its section would show a missing page under that section's name.
    if (page < ReaderState.FirstPage[section] || page > ReaderState.LastPage[section])
        throw EConvertError(tr("The notes entry \"%1\" names page %2, which is not in section %3 of the book")
                                .arg(entry)
                                .arg(page)
                                .arg(section));
    History->RecordJump();
    ReaderState.CurPage = page;
    ReaderState.CurSection = section;
    RefreshPageExecute();
}

void TMainForm::GotoButtonClick()
{
    const QList<QListWidgetItem *> selected = BookMarkBox->selectedItems();
    if (!selected.isEmpty()) GotoEntry(selected.first()->text());
}

void TMainForm::BookMarkBoxDblClick() { GotoButtonClick(); }

void TMainForm::PrintBMButtonClick() { TNotedPages::PrintFromNotesPanel(); }

void TMainForm::BookMarkShowClick() { BookMarkChannel->SetStayOn(OptionsPanel->BookMarkShow->Checked()); }

void TMainForm::BookMarkChannelPush(TsuiSideChannel *) { OptionsPanel->BookMarkShow->SetChecked(BookMarkChannel->StayOn()); }

void TMainForm::BookMarkChannelPop(TsuiSideChannel *) { OptionsPanel->BookMarkShow->SetChecked(BookMarkChannel->StayOn()); }

// ---- options ----

void TMainForm::ChMusicExecute() { SectionMusic->ChMusicExecute(); }

void TMainForm::MusicOnClick() { SectionMusic->MusicOnClick(); }

void TMainForm::MusicOffClick() { SectionMusic->MusicOffClick(); }

void TMainForm::MusicPlayerPlayerState(QObject *sender, int state)
{
    SectionMusic->MusicPlayerPlayerState(qobject_cast<TXAPlayer *>(sender), state);
}

void TMainForm::FontSizeComboBoxChange()
{
    const int index = OptionsPanel->FontSizeComboBox->currentIndex();
    const int level = index == 0 ? 0 : index == 1 ? 2 : index == 2 ? 4 : index;
    PageBrowser->ExecWB(TWebBrowser::OLECMDID_ZOOM, TWebBrowser::OLECMDEXECOPT_PROMPTUSER, level);
    (void)PageBrowser->RegisterAsDropTarget();
    PageBrowser->updateGeometry();
}

void TMainForm::AllTopCheckBoxClick()
{
    if (OptionsPanel->AllTopCheckBox->Checked()) {
        showFullScreen();
    } else {
        showNormal();
        if (QScreen *s = screen()) setGeometry(s->availableGeometry());
    }
}

void TMainForm::NightPageCheckBoxClick()
{
    const bool night = OptionsPanel->NightPageCheckBox->Checked();
    for (TWebBrowser *view : {PageBrowser, HelpForm ? HelpForm->PageBrowser : nullptr}) {
        if (!view) continue;
        if (night) view->Layers().Set(QLatin1String(TNightPage::LayerName), TNightPage::Layer());
        else view->Layers().Remove(QLatin1String(TNightPage::LayerName));
    }
    Marks->SetNight(night);
}

void TMainForm::PageLayoutChange() { TPageLayout::Apply(PageBrowser->Layers(), OptionsPanel->LayoutOptions->Choice()); }

void TMainForm::SelAllButtonClick()
{
    PageBrowser->ExecWB(TWebBrowser::OLECMDID_SELECTALL, TWebBrowser::OLECMDEXECOPT_PROMPTUSER);
}

void TMainForm::CopyButtonClick()
{
    PageBrowser->ExecWB(TWebBrowser::OLECMDID_COPY, TWebBrowser::OLECMDEXECOPT_PROMPTUSER);
}

void TMainForm::CopToSearchButtonClick() { if (SearchForm) SearchForm->SearchSelectedText(PageBrowser); }

void TMainForm::ExitButtonClick() { ExitPrgExecute(); }

void TMainForm::suiFormTitleBarCustomBtnsClick(TsuiTitleBar *, int buttonIndex)
{
    switch (buttonIndex) {
    case 1: ExitPrg->trigger(); break;
    case 3: TApplicationMinimizer::Minimize(); break;
    case 4:
        if (HelpForm) HelpForm->OpenHelp(this);  // opened without disabling this window
        break;
    default: break;
    }
}

void TMainForm::EditButtonClick()
{
    // Opens the current page file with the desktop's program for it; never through a shell.
    QProcess::startDetached(QStringLiteral("xdg-open"),
                            {PageFile(ReaderState.CurSection, ReaderState.CurPage)});
}

void TMainForm::ExitPrgExecute()
{
    if (Notes->MayLeave(this)) TKetabApplication::Terminate();
}

void TMainForm::FormShow()
{
    // The page takes the keys first: arrows and PageUp/PageDown scroll it at once.
    PageBrowser->setFocus(Qt::OtherFocusReason);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // The window stays until ExitPrg ends the program; the reader may still cancel there.
    event->ignore();
    ExitPrg->trigger();
}
