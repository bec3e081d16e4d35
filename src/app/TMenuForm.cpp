#include "app/TMenuForm.h"
#include "app/BookData.h"
#include "app/ButtonMenu.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/StartupSteps.h"
#include "app/TShape.h"
#include "app/TWebBrowser.h"
#include "app/WindowProtocol.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "pictures/TPicGalleryForm.h"
#include "platform/TInstallLayout.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "reader/TReadingHistory.h"
#include "reader/TReaderMemory.h"
#include "search/TSearchForm.h"
#include "skin/TsuiImageButton.h"
#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

TMenuForm *MenuForm = nullptr;

namespace {
QFont MenuFont()
{
    // Tahoma where installed, otherwise the book's font.
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Rederu"), QStringLiteral("Noto Naskh Arabic")});
    f.setPixelSize(11);
    return f;
}
}

TMenuForm::TMenuForm(QWidget *parent) : TForm(parent, Qt::Window | Qt::FramelessWindowHint)
{
    MenuForm = this;
    setObjectName(QStringLiteral("MenuForm"));
    setWindowTitle(QStringLiteral("كتاب"));
    setAccessibleName(QStringLiteral("كتاب"));
    setFixedSize(600, 440);
    setFont(MenuFont());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    BackImage = new QLabel(this);
    BackImage->setObjectName(QStringLiteral("BackImage"));
    BackImage->setAccessibleName(QStringLiteral("تصوير زمينه"));
    BackImage->setGeometry(0, 0, 600, 440);
    BackImage->setPixmap(QPixmap(QStringLiteral(":/SHELL_MENU_BACK")));

    Shape = new TShape(this);
    Shape->setObjectName(QStringLiteral("Shape"));
    Shape->setAccessibleName(QStringLiteral("قاب"));
    Shape->setGeometry(0, 0, 600, 440);
    Shape->SetPenColor(Qt::white);
    Shape->SetPenWidth(2);

    TntLabel1 = new QLabel(QStringLiteral("فهرست:"), this);
    TntLabel1->setObjectName(QStringLiteral("TntLabel1"));
    TntLabel1->setAccessibleName(TntLabel1->text());
    TntLabel1->setLayoutDirection(Qt::RightToLeft);
    TntLabel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont labelFont = font();
    labelFont.setBold(true);
    labelFont.setPixelSize(13);
    TntLabel1->setFont(labelFont);
    QPalette pal = TntLabel1->palette();
    pal.setColor(QPalette::WindowText, QColor(252, 238, 205));
    TntLabel1->setPalette(pal);
    TntLabel1->setGeometry(402, 228, 120, 22);

    const QString titles[5] = {QString::fromUtf8(SectionTitles[0]), QString::fromUtf8(SectionTitles[1]),
                               QString::fromUtf8(SectionTitles[2]), QString::fromUtf8(SectionTitles[3]),
                               QString::fromUtf8(SectionTitles[4])};
    LastButton = MakeButton("LastButton", titles[0], "SHELL_MENU_SECTION1", QRect(226, 253, 296, 22));
    suiImageButton1 = MakeButton("suiImageButton1", titles[1], "SHELL_MENU_SECTION2", QRect(226, 277, 296, 22));
    suiImageButton2 = MakeButton("suiImageButton2", titles[2], "SHELL_MENU_SECTION3", QRect(226, 301, 296, 22));
    suiImageButton3 = MakeButton("suiImageButton3", titles[3], "SHELL_MENU_SECTION4", QRect(226, 325, 296, 22));
    suiImageButton4 = MakeButton("suiImageButton4", titles[4], "SHELL_MENU_SECTION5", QRect(226, 349, 296, 22));
    SearchButton = MakeButton("SearchButton", QStringLiteral("جستجو"), "SHELL_MENU_SEARCH", QRect(72, 253, 90, 24));
    IndexButton = MakeButton("IndexButton", QStringLiteral("نمایه‌ها"), "SHELL_MENU_INDEX", QRect(72, 285, 90, 24));
    GaleryButton = MakeButton("GaleryButton", QStringLiteral("تصاویر"), "SHELL_MENU_GALLERY", QRect(72, 317, 90, 24));
    PrintButton = MakeButton("PrintButton", QStringLiteral("چاپ"), "SHELL_MENU_PRINT", QRect(72, 352, 90, 24));
    ExitButton = MakeButton("ExitButton", QStringLiteral("خروج"), "SHELL_MENU_EXIT", QRect(16, 405, 58, 24));
    CreditsButton = MakeButton("CreditsButton", QStringLiteral("سازندگان"), "SHELL_MENU_CREDITS", QRect(32, 133, 18, 66));
    HelpButton = MakeButton("HelpButton", QStringLiteral("راهنما"), "SHELL_MENU_HELP", QRect(8, 5, 33, 13));
    PrintButton->SetAutoSize(true);
    HelpButton->SetAutoSize(true);

    using G = TKetabApplication;
    LastButton->OnClick = G::Guard([this](TsuiCustomButton *s) { LastButtonClick(s); });
    suiImageButton1->OnClick = G::Guard([this](TsuiCustomButton *s) { suiImageButton1Click(s); });
    suiImageButton2->OnClick = G::Guard([this](TsuiCustomButton *s) { suiImageButton2Click(s); });
    suiImageButton3->OnClick = G::Guard([this](TsuiCustomButton *s) { suiImageButton3Click(s); });
    suiImageButton4->OnClick = G::Guard([this](TsuiCustomButton *s) { suiImageButton4Click(s); });
    SearchButton->OnClick = G::Guard([this](TsuiCustomButton *s) { SearchButtonClick(s); });
    IndexButton->OnClick = G::Guard([this](TsuiCustomButton *s) { IndexButtonClick(s); });
    GaleryButton->OnClick = G::Guard([this](TsuiCustomButton *s) { GaleryButtonClick(s); });
    PrintButton->OnClick = G::Guard([this](TsuiCustomButton *s) { PrintButtonClick(s); });
    HelpButton->OnClick = G::Guard([this](TsuiCustomButton *s) { HelpButtonClick(s); });
    CreditsButton->OnClick = G::Guard([this](TsuiCustomButton *s) { CreditsButtonClick(s); });
    ExitButton->OnClick = G::Guard([this](TsuiCustomButton *s) { ExitButtonClick(s); });

    // Below the sections' panel, in its colours; a first run has no place and does not show it.
    ContinueButton = new QPushButton(this);
    ContinueButton->setObjectName(QStringLiteral("ContinueButton"));
    ContinueButton->setAccessibleName(QStringLiteral("ادامه مطالعه"));
    ContinueButton->setGeometry(226, 392, 296, 24);
    ContinueButton->setCursor(Qt::PointingHandCursor);
    ContinueButton->setLayoutDirection(Qt::RightToLeft);
    ContinueButton->setStyleSheet(QStringLiteral(
        "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(24,78,134), stop:1 rgb(8,42,80));"
        " color: rgb(252,238,205); border: 1px solid rgb(214,172,86); border-radius: 6px; padding: 0 8px;"
        " font-size: 12px; font-weight: bold; }"
        "QPushButton:hover, QPushButton:focus { background: rgb(242,214,140); color: rgb(2,26,48); }"));
    ContinueButton->hide();
    G::Connect(ContinueButton, &QPushButton::clicked, this, [this] { ContinueButtonClick(); });

    // The button's child, so screen readers find the menu under the button that opens it.
    IndexMenu = new QMenu(IndexButton);
    IndexMenu->setObjectName(QStringLiteral("IndexMenu"));
    IndexMenu->setAccessibleName(QStringLiteral("نمایه‌ها"));
    IndexMenu->setLayoutDirection(Qt::RightToLeft);
    // In the start menu's colours: dark blue, cream text, gold for the item under the mouse.
    IndexMenu->setStyleSheet(QStringLiteral(
        "QMenu { background: rgb(4,50,88); color: rgb(252,238,205); border: 1px solid rgb(214,172,86);"
        " padding: 3px; font-size: 13px; }"
        "QMenu::item { padding: 4px 18px; }"
        "QMenu::item:selected { background: rgb(242,214,140); color: rgb(2,26,48); }"));
    N1 = IndexMenu->addAction(QStringLiteral("نمايه عمومی"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = IndexMenu->addAction(QStringLiteral("نمايه آثار"));
    N2->setObjectName(QStringLiteral("N2"));
    G::Connect(N1, &QAction::triggered, this, [this] { N1Click(); });
    G::Connect(N2, &QAction::triggered, this, [this] { N2Click(); });

    // Keyboard: the sections column, then the commands column, then help, credits and exit
    // at the left edge (right to left, top to bottom); the arrow keys step through the same order.
    TabChain({LastButton, suiImageButton1, suiImageButton2, suiImageButton3, suiImageButton4, ContinueButton, SearchButton,
              IndexButton, GaleryButton, PrintButton, HelpButton, CreditsButton, ExitButton});
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { TKetabApplication::Guarded([this] { HelpButtonClick(HelpButton); }); });

    FormCreate();
}

void TMenuForm::FormShow()
{
    UpdateContinueButton();
    // The first section has the focus, so Enter opens it and Tab or the arrows go on from there.
    if (!focusWidget() || !focusWidget()->isVisible()) LastButton->setFocus(Qt::OtherFocusReason);
}

void TMenuForm::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::NoModifier) {
        // Reading order is right to left: Left and Down go on, Right and Up go back.
        switch (event->key()) {
        case Qt::Key_Down:
        case Qt::Key_Left: focusNextChild(); return;
        case Qt::Key_Up:
        case Qt::Key_Right: focusPreviousChild(); return;
        default: break;
        }
    }
    TForm::keyPressEvent(event);
}

TsuiImageButton *TMenuForm::MakeButton(const char *name, const QString &caption, const char *picture, QRect place)
{
    auto *b = new TsuiImageButton(this);
    b->setObjectName(QString::fromLatin1(name));
    // The caption is drawn into the pictures; screen readers get it as the name.
    b->setAccessibleName(caption);
    b->setToolTip(QString());
    const QString key = QString::fromLatin1(picture);
    b->SetPictures(key, key + QStringLiteral("_HOT"));
    b->setGeometry(place);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

void TMenuForm::FormCreate()
{
    ReaderState.AppFolder = TInstallLayout::BookFolder();
    TStartupSteps::InstallBookFont(ReaderState.AppFolder, TStartupSteps::UserFontFolder());
    TStartupSteps::TMissingPart missing = TStartupSteps::mpDisplay;
    if (!TStartupSteps::PlatformCheck(&missing)) TStartupSteps::RefusePlatform(missing);
}

void TMenuForm::ShowSection(int section)
{
    MainForm->ShowContents(section);
    MainForm->ChMusic->trigger();
    SwitchToReadingWindow();
}

void TMenuForm::LastButtonClick(TsuiCustomButton *) { ShowSection(1); }
void TMenuForm::suiImageButton1Click(TsuiCustomButton *) { ShowSection(2); }
void TMenuForm::suiImageButton2Click(TsuiCustomButton *) { ShowSection(3); }
void TMenuForm::suiImageButton3Click(TsuiCustomButton *) { ShowSection(4); }
void TMenuForm::suiImageButton4Click(TsuiCustomButton *) { ShowSection(5); }

void TMenuForm::OpenIndex(const QString &file)
{
    MainForm->History->RecordJump();
    MainForm->PageBrowser->Navigate(ReaderState.AppFolder + file);
    MainForm->InfoLabel->setText(QString());
    MainForm->PageNumber->setText(QString());
    // The page commands do nothing until a page of a section is reached.
    ReaderState.CanForward = false;
    ReaderState.CanBack = false;
    SwitchToReadingWindow();
}

void TMenuForm::UpdateContinueButton()
{
    const TReadingPlace place = ReaderMemory ? ReaderMemory->ContinuePlace() : TReadingPlace{};
    if (!place.Page) {
        ContinueButton->hide();
        return;
    }
    // The volume and part, without the subtitle after the colon, so the line fits the button.
    const QString section = MainForm->SectionName(SectionOf(place.Page)).section(u':', 0, 0);
    const QString text = QStringLiteral("ادامه مطالعه: صفحه %1 - %2").arg(place.Page).arg(section);
    ContinueButton->setText(text);
    ContinueButton->setAccessibleName(text);
    ContinueButton->show();
}

void TMenuForm::ContinueButtonClick()
{
    const TReadingPlace place = ReaderMemory ? ReaderMemory->ContinuePlace() : TReadingPlace{};
    if (!place.Page) return;
    TReaderState &rs = ReaderState;
    MainForm->History->RecordJump();
    // As a section button: the section and its music, then the page itself.
    rs.CurSection = SectionOf(place.Page);
    rs.CurPage = place.Page;
    rs.ResultPending = false;
    rs.ContentsMode = false;
    rs.IndexMode = false;
    ReaderMemory->ScrollWhenShown(place);
    MainForm->RefreshPage->trigger();
    MainForm->ChMusic->trigger();
    SwitchToReadingWindow();
}

void TMenuForm::N1Click() { OpenIndex(QStringLiteral("datas/ind01.htm")); }
void TMenuForm::N2Click() { OpenIndex(QStringLiteral("datas/ind02.htm")); }

void TMenuForm::IndexButtonClick(TsuiCustomButton *) { PopupButtonMenu(IndexMenu, IndexButton); }

void TMenuForm::SearchButtonClick(TsuiCustomButton *)
{
    ShowOver(SearchForm, this);
    setEnabled(false);
}

void TMenuForm::PrintButtonClick(TsuiCustomButton *)
{
    ShowOver(PrintForm, this);
    setEnabled(false);
}

void TMenuForm::GaleryButtonClick(TsuiCustomButton *)
{
    ShowOver(PicGalleryForm, this);
    setEnabled(false);
}

void TMenuForm::CreditsButtonClick(TsuiCustomButton *)
{
    setEnabled(false);
    ShowOver(CreditsForm, this);
}

void TMenuForm::HelpButtonClick(TsuiCustomButton *) { if (HelpForm) HelpForm->OpenHelp(this); }

void TMenuForm::ExitButtonClick(TsuiCustomButton *) { close(); }

// The start menu is the application's main form: closing it ends the program.
void TMenuForm::closeEvent(QCloseEvent *event)
{
    // The notes live in the reading window; leaving from here offers to save them too.
    bool leave = false;
    TKetabApplication::Guarded([&] { leave = !MainForm || MainForm->Notes->MayLeave(this); });
    if (!leave) {
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
    if (event->isAccepted()) TKetabApplication::Terminate();
}
