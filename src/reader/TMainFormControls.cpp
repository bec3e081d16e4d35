// The reading window's controls: its actions, the top and bottom bars and the two side
// channels, each wired to its handler.
#include "reader/TMainForm.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TKeyAction.h"
#include "reader/TLayoutOptions.h"
#include "reader/TNotesList.h"
#include "marks/TMarksPanel.h"
#include "reader/TNotesPanel.h"
#include "reader/TOptionsPanel.h"
#include "reader/TPageMenu.h"
#include "reader/TReadingProgress.h"
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiImageButton.h"
#include "skin/TsuiImagePanel.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiSideChannel.h"
#include "speech/TReadAloudControl.h"
#include "speech/TSpeechNote.h"
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QColor PanelBlue(4, 50, 88);
// What the page keeps beside both open side panels in the smallest window.
constexpr int MinimumPageWidth = 200;

QFont LabelFont(int pixelSize)
{
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Rederu")});
    f.setPixelSize(pixelSize);
    return f;
}
}

void TMainForm::BuildActions()
{
    const auto action = [this](QAction *&a, const char *name, const char *category, void (TMainForm::*fn)()) {
        a = new QAction(QString::fromLatin1(name), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setProperty("category", QString::fromLatin1(category));
        TKetabApplication::Connect(a, &QAction::triggered, this, [this, fn] { (this->*fn)(); });
    };
    action(NextPage, "NextPage", "Navigation", &TMainForm::NextPageExecute);
    action(RefreshPage, "RefreshPage", "Navigation", &TMainForm::RefreshPageExecute);
    action(PreviousPage, "PreviousPage", "Navigation", &TMainForm::PreviousPageExecute);
    action(FirstPage, "FirstPage", "Navigation", &TMainForm::FirstPageExecute);
    action(LastPage, "LastPage", "Navigation", &TMainForm::LastPageExecute);
    action(ChMusic, "ChMusic", "Navigation", &TMainForm::ChMusicExecute);
    action(InsertBM, "InsertBM", "BookMark", &TMainForm::InsertBMExecute);
    action(ExitPrg, "ExitPrg", "", &TMainForm::ExitPrgExecute);
}

void TMainForm::BuildTopPanel()
{
    TopPanel = new TsuiImagePanel(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    TopPanel->setAccessibleName(QStringLiteral("سرصفحه"));
    TopPanel->setFixedHeight(50);
    TopPanel->SetColor(PanelBlue);
    InfoLabel = new QLabel(PageLabel->text(), TopPanel);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    // Screen readers read the status line itself (its text is its name) and hear each change.
    InfoLabel->setAccessibleDescription(QStringLiteral("وضعيت صفحه"));
    InfoLabel->setFont(LabelFont(13));
    QPalette white = InfoLabel->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    InfoLabel->setPalette(white);
    HeaderImage = new QLabel(TopPanel);
    HeaderImage->setObjectName(QStringLiteral("HeaderImage"));
    HeaderImage->setAccessibleName(QStringLiteral("تصوير سرصفحه"));
    HeaderImage->setPixmap(QPixmap(QStringLiteral(":/SHELL_HEADER")));
    auto *row = new QHBoxLayout(TopPanel);
    row->setContentsMargins(12, 0, 0, 0);
    // Right to left: the picture at the right, the info line at the left.
    row->addWidget(HeaderImage, 0, Qt::AlignTop);
    row->addStretch(1);
    row->addWidget(InfoLabel);
}

void TMainForm::BuildBottomPanel()
{
    BottomPanel = new QWidget(this);
    BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    BottomPanel->setFixedHeight(40);
    // Picture buttons: the caption is drawn into the picture; screen readers get it as the name.
    const auto button = [this](TsuiImageButton *&b, const char *name, const char *picture, const QString &does) {
        b = new TsuiImageButton(BottomPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(does);
        b->setToolTip(does);
        const QString key = QString::fromLatin1(picture);
        b->SetPictures(key, key + QStringLiteral("_HOT"), QFile::exists(QStringLiteral(":/") + key + QStringLiteral("_DOWN")) ? key + QStringLiteral("_DOWN") : QString());
        b->setCursor(Qt::PointingHandCursor);
    };
    button(MenuButton, "MenuButton", "SHELL_BAR_MENU", QStringLiteral("بازگشت به منو"));
    button(DirButton, "DirButton", "SHELL_BAR_CONTENTS", QStringLiteral("فهرست بخشها"));
    button(HistoryBackButton, "HistoryBackButton", "SHELL_HISTORY_BACK", tr("Back"));
    button(HistoryForwardButton, "HistoryForwardButton", "SHELL_HISTORY_FORWARD", tr("Forward"));
    HistoryBackButton->SetPicDisabled(QImage(QStringLiteral(":/SHELL_HISTORY_BACK_DISABLED")));
    HistoryForwardButton->SetPicDisabled(QImage(QStringLiteral(":/SHELL_HISTORY_FORWARD_DISABLED")));
    button(FirstButton, "FirstButton", "SHELL_PAGE_FIRST", QStringLiteral("صفحه اول"));
    button(BackButton, "BackButton", "SHELL_PAGE_PREVIOUS", QStringLiteral("صفحه قبلی"));
    button(NextButton, "NextButton", "SHELL_PAGE_NEXT", QStringLiteral("صفحه بعدی"));
    button(LastButton, "LastButton", "SHELL_PAGE_LAST", QStringLiteral("صفحه آخر"));
    button(SearchButton, "SearchButton", "SHELL_BAR_SEARCH", QStringLiteral("جستجو"));
    button(PrintButton, "PrintButton", "SHELL_BAR_PRINT", QStringLiteral("چاپ"));
    button(SpeakButton, "SpeakButton", "SHELL_BAR_SPEAK", TReadAloudControl::StartName());
    SpeechNote = new TSpeechNote(BottomPanel);
    // The page buttons are a pixel wider and taller than their pictures: the bar's colour
    // shows along their right and bottom edges. The others take their pictures' size.
    for (TsuiImageButton *b : {HistoryBackButton, HistoryForwardButton, FirstButton, BackButton, NextButton, LastButton})
        b->setFixedSize(32, 24);
    PageNumber = new QLineEdit(BottomPanel);
    PageNumber->setObjectName(QStringLiteral("PageNumber"));
    PageNumber->setAccessibleName(QStringLiteral("شماره صفحه"));
    PageNumber->setMaxLength(4);
    PageNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), PageNumber));
    PageNumber->setFixedWidth(56);
    PageNumber->setAlignment(Qt::AlignCenter);
    PageNumber->installEventFilter(this);

    // The button's child, so screen readers find the menu under the button that opens it.
    DirMenu = new QMenu(DirButton);
    DirMenu->setObjectName(QStringLiteral("DirMenu"));
    DirMenu->setAccessibleName(DirButton->accessibleName());
    DirMenu->setLayoutDirection(Qt::RightToLeft);
    const char *items[] = {"N1", "N11", "N21", "N12", "N22"};
    for (int s = 1; s <= SectionCount; ++s) {
        QAction *a = DirMenu->addAction(SectionName(s));
        a->setObjectName(QString::fromLatin1(items[s - 1]));
        TKetabApplication::Connect(a, &QAction::triggered, this, [this, s] { ShowContents(s); });
    }

    using G = TKetabApplication;
    MenuButton->OnClick = G::Guard([this](TsuiCustomButton *) { MenuButtonClick(); });
    DirButton->OnClick = G::Guard([this](TsuiCustomButton *) { DirButtonClick(); });
    FirstButton->OnClick = G::Guard([this](TsuiCustomButton *) { FirstPage->trigger(); });
    BackButton->OnClick = G::Guard([this](TsuiCustomButton *) { PreviousPage->trigger(); });
    NextButton->OnClick = G::Guard([this](TsuiCustomButton *) { NextPage->trigger(); });
    LastButton->OnClick = G::Guard([this](TsuiCustomButton *) { LastPage->trigger(); });
    SearchButton->OnClick = G::Guard([this](TsuiCustomButton *) { SearchButtonClick(); });
    PrintButton->OnClick = G::Guard([this](TsuiCustomButton *) { PrintButtonClick(); });

    auto *row = new QHBoxLayout(BottomPanel);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(4);
    // Right to left, as the reader sees them.
    row->addWidget(MenuButton, 0, Qt::AlignVCenter);
    row->addWidget(DirButton, 0, Qt::AlignVCenter);
    row->addSpacing(4);
    row->addWidget(HistoryBackButton, 0, Qt::AlignVCenter);
    row->addWidget(HistoryForwardButton, 0, Qt::AlignVCenter);
    row->addWidget(SpeechNote, 1);
    for (QWidget *w : std::initializer_list<QWidget *>{FirstButton, BackButton, PageNumber, NextButton, LastButton})
        row->addWidget(w, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(SpeakButton, 0, Qt::AlignVCenter);
    row->addWidget(SearchButton, 0, Qt::AlignVCenter);
    row->addWidget(PrintButton, 0, Qt::AlignVCenter);
}

void TMainForm::BuildSidePanels()
{
    // Both channels: DeepBlue, black outline, 232 grey, pin button shown, not pinned, sliding.
    const auto channel = [this](TsuiSideChannel *&c, const char *name, TsuiSideChannelAlign align, int width,
                                TsuiSideChannelPopupMode mode) {
        c = new TsuiSideChannel(this);
        c->setObjectName(QString::fromLatin1(name));
        c->SetUIStyle(TsuiUIStyle::DeepBlue);
        c->SetBorderColor(QColor(0, 0, 0));
        c->SetColor(QColor(232, 232, 232));
        c->SetSideBarColor(QColor(232, 232, 232));
        c->SetShowButton(true);
        c->SetQuickMove(false);
        c->SetAlign(align);
        c->SetWidth(width);
        c->SetPopupMode(mode);
        auto *inside = new QVBoxLayout(c);
        inside->setContentsMargins(0, 0, 0, 0);
    };
    channel(BookMarkChannel, "BookMarkChannel", TsuiSideChannelAlign::suiLeft, 169,
            TsuiSideChannelPopupMode::suiMouseClick);
    BookMarkChannel->setAccessibleName(QStringLiteral("يادداشتها"));
    BookMarkChannel->setToolTip(QStringLiteral("BookMark"));
    // The notes panel's two pages: the noted pages and the list of marks. Its tab bar takes
    // the focus in its place in the window's order; the pages' holder is no stop of Tab.
    NotesPages = new QTabWidget(BookMarkChannel);
    NotesPages->setObjectName(QStringLiteral("NotesPages"));
    NotesPages->setAccessibleName(BookMarkChannel->accessibleName());
    NotesPages->setLayoutDirection(Qt::RightToLeft);
    NotesPages->setDocumentMode(true);
    NotesPages->setFocusProxy(nullptr);
    NotesPages->setFocusPolicy(Qt::NoFocus);
    NotesPages->tabBar()->setFocusPolicy(Qt::TabFocus);
    // Two tabs always fit: the bar's scroll buttons never show, nor take the focus.
    NotesPages->tabBar()->setUsesScrollButtons(false);
    for (QToolButton *scroll : NotesPages->tabBar()->findChildren<QToolButton *>()) scroll->setFocusPolicy(Qt::NoFocus);
    NotesPanel = new TNotesPanel(NotesPages);
    MarksPanel = new TMarksPanel(NotesPages);
    NotesPages->addTab(NotesPanel, QStringLiteral("يادداشتها"));
    NotesPages->addTab(MarksPanel, tr("Marks"));
    BookMarkChannel->layout()->addWidget(NotesPages);
    BookMarkBox = NotesPanel->BookMarkBox;
    Notes = std::make_unique<TNotesList>(BookMarkBox);
    using G = TKetabApplication;
    BookMarkChannel->OnPush = G::Guard([this](TsuiSideChannel *s) { BookMarkChannelPush(s); });
    BookMarkChannel->OnPop = G::Guard([this](TsuiSideChannel *s) { BookMarkChannelPop(s); });
    TNotesPanel *n = NotesPanel;
    G::Connect(n->InsertButton, &QPushButton::clicked, this, [this] { InsertBM->trigger(); });
    G::Connect(n->DeleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    G::Connect(n->NewButton, &QPushButton::clicked, this, [this] { NewButtonClick(); });
    G::Connect(n->LoadButton, &QPushButton::clicked, this, [this] { LoadButtonClick(); });
    G::Connect(n->SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    G::Connect(n->GotoButton, &QPushButton::clicked, this, [this] { GotoButtonClick(); });
    G::Connect(n->PrintBMButton, &QPushButton::clicked, this, [this] { PrintBMButtonClick(); });
    // A double-click anywhere in the list goes to the selected entry, also below the last one.
    BookMarkBox->viewport()->installEventFilter(this);
    TKeyAction::OpenLineOnEnter(BookMarkBox, [this] { BookMarkBoxDblClick(); });

    channel(RHidePanel, "RHidePanel", TsuiSideChannelAlign::suiRight, 160, TsuiSideChannelPopupMode::suiMouseOn);
    RHidePanel->setAccessibleName(QStringLiteral("تنظيمات"));
    OptionsPanel = new TOptionsPanel(RHidePanel);
    RHidePanel->layout()->addWidget(OptionsPanel);
    TOptionsPanel *o = OptionsPanel;
    o->MusicOn->OnClick = G::Guard([this](QObject *) { MusicOnClick(); });
    o->MusicOff->OnClick = G::Guard([this](QObject *) { MusicOffClick(); });
    G::Connect(o->FontSizeComboBox, &QComboBox::currentIndexChanged, this, [this] { FontSizeComboBoxChange(); });
    G::Connect(o->TntComboBox1, &QComboBox::currentIndexChanged, this, [this] { FontSizeComboBoxChange(); });
    o->AllTopCheckBox->OnClick = G::Guard([this](QObject *) { AllTopCheckBoxClick(); });
    o->BookMarkShow->OnClick = G::Guard([this](QObject *) { BookMarkShowClick(); });
    o->NightPageCheckBox->OnClick = G::Guard([this](QObject *) { NightPageCheckBoxClick(); });
    o->LayoutOptions->OnChange = G::Guard([this](TLayoutOptions *) { PageLayoutChange(); });
    G::Connect(o->SelAllButton, &QPushButton::clicked, this, [this] { SelAllButtonClick(); });
    G::Connect(o->CopyButton, &QPushButton::clicked, this, [this] { CopyButtonClick(); });
    G::Connect(o->CopToSearchButton, &QPushButton::clicked, this, [this] { CopToSearchButtonClick(); });
    G::Connect(o->ExitButton, &QPushButton::clicked, this, [this] { ExitButtonClick(); });
    G::Connect(o->EditButton, &QPushButton::clicked, this, [this] { EditButtonClick(); });
}

void TMainForm::BuildPageMenu()
{
    PageMenu = std::make_unique<TPageMenu>(*PageBrowser);
    PageMenu->Add(TPageMenu::poEdit, [this](QMenu &menu, const TPageMenu::TContext &context) {
        const auto item = [&](const QString &caption, const char *name, bool enabled, auto handler) {
            QAction *a = menu.addAction(caption);
            a->setObjectName(QString::fromLatin1(name));
            a->setEnabled(enabled);
            TKetabApplication::Connect(a, &QAction::triggered, this, handler);
        };
        const bool selected = !context.Selected.isEmpty();
        item(OptionsPanel->CopyButton->text(), "PageCopy", selected, [this] { CopyButtonClick(); });
        item(OptionsPanel->SelAllButton->text(), "PageSelectAll", true, [this] { SelAllButtonClick(); });
        item(OptionsPanel->CopToSearchButton->text(), "PageSearch", selected, [this] { CopToSearchButtonClick(); });
    });
}

QSize TMainForm::MinimumContentsSize() const
{
    const auto least = [](const QWidget *w) { return w->minimumSize().expandedTo(w->minimumSizeHint()); };
    const auto openHeight = [&least](const TsuiSideChannel *channel, const QWidget *panel) {
        const QMargins m = channel->contentsMargins();
        return m.top() + least(panel).height() + m.bottom();
    };
    // The status line at its longest: a four-digit page of the section with the longest name.
    int status = 0;
    for (int s = 1; s <= SectionCount; ++s)
        status = std::max(status, InfoLabel->fontMetrics().horizontalAdvance(
                                      PageLabel->text() + QStringLiteral(" 0000 ") + OfLabel->text() +
                                      QStringLiteral(" 0000 - ") + SectionName(s)));
    const QMargins top = TopPanel->layout()->contentsMargins();
    const int header = top.left() + HeaderImage->sizeHint().width() + TopPanel->layout()->spacing() + status + top.right();
    const int width = std::max({least(BottomPanel).width(), header, least(Progress).width(),
                                BookMarkChannel->Width() + RHidePanel->Width() + MinimumPageWidth});
    const int middle = std::max(openHeight(BookMarkChannel, NotesPages), openHeight(RHidePanel, OptionsPanel));
    return {width, least(TopPanel).height() + middle + least(Progress).height() + least(BottomPanel).height()};
}
