#include "info/THelpForm.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "app/WindowProtocol.h"
#include "skin/TsuiBookFrames.h"
#include "widgets/TVrGradient.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

THelpForm *HelpForm = nullptr;

THelpForm::THelpForm(QWidget *parent) : TForm(parent, Qt::Dialog)
{
    HelpForm = this;
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("راهنما"));
    FormCreate();
}

void THelpForm::FormCreate()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PageBrowser = new TWebBrowser(this);
    PageBrowser->setObjectName(QStringLiteral("PageBrowser"));
    PageBrowser->setAccessibleName(QStringLiteral("راهنما"));
    layout->addWidget(PageBrowser, 1);

    Panel = new QWidget(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFixedHeight(55);
    layout->addWidget(Panel);
    auto *panelGrid = new QGridLayout(Panel);
    panelGrid->setContentsMargins(0, 0, 0, 0);
    BackGradient = new TVrGradient(Panel);
    BackGradient->setObjectName(QStringLiteral("BackGradient"));
    BackGradient->SetStartColor(clWhite);
    BackGradient->SetEndColor(clNavy);
    BackGradient->SetDirection(gdLeftRight);
    panelGrid->addWidget(BackGradient, 0, 0);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 0, 12, 0);
    panelGrid->addLayout(buttons, 0, 0, Qt::AlignVCenter);  // the gradient keeps the whole panel
    DirButton = new QPushButton(QStringLiteral("فهرست راهنما"), Panel);
    DirButton->setObjectName(QStringLiteral("DirButton"));
    DirButton->setAccessibleName(DirButton->text());
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), Panel);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(ReturnButton->text());
    for (QPushButton *b : {DirButton, ReturnButton}) b->setMinimumWidth(100);
    buttons->addWidget(DirButton);
    buttons->addWidget(ReturnButton);
    buttons->addStretch(1);

    TKetabApplication::Connect(DirButton, &QPushButton::clicked, this, [this] { DirButtonClick(); });
    TKetabApplication::Connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
    OnEscape = [this] { ReturnButton->click(); };
    TsuiBookFrames::Help(this);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
}

QString THelpForm::HelpFile() const { return ReaderState.AppFolder + QStringLiteral("help.htm"); }

void THelpForm::FormShow()
{
    // The page is loaded once, on the first showing rather than at start-up, so the
    // browser engine does not delay the start menu; later showings keep the reader's place.
    if (!FLoaded) {
        FLoaded = true;
        PageBrowser->Navigate(HelpFile());
    }
}

void THelpForm::OpenHelp(QWidget *opener) { ShowOver(this, opener); }

void THelpForm::DirButtonClick() { PageBrowser->Navigate(HelpFile()); }

void THelpForm::ReturnButtonClick() { hide(); }
