#include "print/TPreviewForm.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "app/WindowProtocol.h"
#include "print/TPrintDocument.h"
#include "widgets/TVrGradient.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TPreviewForm *PreviewForm = nullptr;

TPreviewForm::TPreviewForm(QWidget *parent) : TForm(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint)
{
    PreviewForm = this;
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("پيشنمايش چاپ"));
    FormCreate();
}

void TPreviewForm::FormCreate()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PrintBrowser = new TWebBrowser(this);
    PrintBrowser->setObjectName(QStringLiteral("PrintBrowser"));
    PrintBrowser->setAccessibleName(QStringLiteral("سند چاپ"));
    layout->addWidget(PrintBrowser, 1);

    Panel = new QWidget(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFixedHeight(55);
    layout->addWidget(Panel);
    BackGradient = new TVrGradient(Panel);
    BackGradient->setObjectName(QStringLiteral("BackGradient"));
    BackGradient->SetStartColor(clWhite);
    BackGradient->SetEndColor(clNavy);
    BackGradient->SetDirection(gdLeftRight);

    const auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, Panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(caption);
        b->setMinimumWidth(90);
        return b;
    };
    ReturnButton = button("ReturnButton", QStringLiteral("بازگشت"));
    PreButton = button("PreButton", QStringLiteral("پيشنمايش"));
    PrintButton = button("PrintButton", QStringLiteral("چاپ"));
    // Right to left: the first widget stands at the right edge.
    auto *panelGrid = new QGridLayout(Panel);
    panelGrid->setContentsMargins(0, 0, 0, 0);
    panelGrid->addWidget(BackGradient, 0, 0);  // fills the panel, under the buttons
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 0, 12, 0);
    panelGrid->addLayout(buttons, 0, 0, Qt::AlignVCenter);  // the gradient keeps the whole panel
    buttons->addWidget(ReturnButton);
    buttons->addWidget(PreButton);
    buttons->addWidget(PrintButton);
    buttons->addStretch(1);
    BackGradient->lower();

    // The commands wait for the document: printing a half-loaded page would lose pages.
    PrintBrowser->OnDownloadComplete = [this](TWebBrowser *) {
        PreButton->setEnabled(true);
        PrintButton->setEnabled(true);
    };
    connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
    OnEscape = [this] { ReturnButton->click(); };
    connect(PreButton, &QPushButton::clicked, this, [this] { PreButtonClick(); });
    connect(PrintButton, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    resize(900, 700);
}

void TPreviewForm::FormShow()
{
    setWindowState(windowState() | Qt::WindowMaximized);  // every opening is maximised
    PreButton->setEnabled(false);
    PrintButton->setEnabled(false);
    PrintBrowser->Navigate(TPrintDocument::FileName(ReaderState.TempFolder));
}

void TPreviewForm::FormHide() { EnableVisibleMainWindow(); }

void TPreviewForm::PreButtonClick()
{
    PrintBrowser->ExecWB(TWebBrowser::OLECMDID_PRINTPREVIEW, TWebBrowser::OLECMDEXECOPT_DODEFAULT);
}

void TPreviewForm::PrintButtonClick()
{
    PrintBrowser->ExecWB(TWebBrowser::OLECMDID_PRINT, TWebBrowser::OLECMDEXECOPT_DODEFAULT);
}

void TPreviewForm::ReturnButtonClick() { hide(); }
