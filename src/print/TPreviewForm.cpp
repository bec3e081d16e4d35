#include "print/TPreviewForm.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TPrintJobs.h"
#include "app/TWebBrowser.h"
#include "app/WindowProtocol.h"
#include "print/TPrintDocument.h"
#include "widgets/TVrGradient.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
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
    PrintStatus = new QLabel(Panel);
    PrintStatus->setObjectName(QStringLiteral("PrintStatus"));
    PrintStatus->setText(tr("Preparing the print..."));
    PrintStatus->setAccessibleName(PrintStatus->text());
    // On the gradient's navy end: light text.
    PrintStatus->setStyleSheet(QStringLiteral("color: white; font-weight: bold"));
    PrintProgress = new QProgressBar(Panel);
    PrintProgress->setObjectName(QStringLiteral("PrintProgress"));
    PrintProgress->setAccessibleName(PrintStatus->text());
    // The engine tells nothing of its progress until it has finished: a busy bar.
    PrintProgress->setRange(0, 0);
    PrintProgress->setFixedWidth(160);
    PrintProgress->setTextVisible(false);
    buttons->addSpacing(18);
    buttons->addWidget(PrintStatus);
    buttons->addWidget(PrintProgress);
    buttons->addStretch(1);
    PrintStatus->hide();
    PrintProgress->hide();
    BackGradient->lower();

    // The commands wait for the document: printing a half-loaded page would lose pages.
    PrintBrowser->OnDownloadComplete = [this](TWebBrowser *) { PrintBrowserDownloadComplete(); };
    PrintBrowser->PrintJobs().OnPrintingChange = [this](TPrintJobs *) { UpdateButtons(); };
    using G = TKetabApplication;
    G::Connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
    OnEscape = [this] { ReturnButton->click(); };
    G::Connect(PreButton, &QPushButton::clicked, this, [this] { PreButtonClick(); });
    G::Connect(PrintButton, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    resize(900, 700);
}

void TPreviewForm::FormShow()
{
    setWindowState(windowState() | Qt::WindowMaximized);  // every opening is maximised
    FLoaded = false;
    UpdateButtons();
    PrintBrowser->Navigate(TPrintDocument::FileName(ReaderState.TempFolder));
}

void TPreviewForm::OpenDocument(QWidget *opener)
{
    // show() on a visible window sends no show event: the new document is loaded here.
    const bool open = isVisible();
    ShowOver(this, opener);
    if (open) FormShow();
}

void TPreviewForm::PrintBrowserDownloadComplete()
{
    // Only the document itself, loaded whole: a failed or stopped load, or a page a link
    // in it led to, is nothing to print.
    FLoaded = PrintBrowser->LoadSucceeded()
              && PrintBrowser->Url() == QUrl::fromLocalFile(TPrintDocument::FileName(ReaderState.TempFolder));
    UpdateButtons();
}

void TPreviewForm::UpdateButtons()
{
    const bool printing = PrintBrowser->PrintJobs().Printing();
    const bool ready = FLoaded && !PrintBrowser->PrintJobs().PrintBusy();
    PreButton->setEnabled(ready);
    PrintButton->setEnabled(ready);
    PrintStatus->setVisible(printing && isVisible());
    PrintProgress->setVisible(printing && isVisible());
}

void TPreviewForm::RunCommand(int command)
{
    // One click, one print: both buttons are off until the engine has finished.
    PreButton->setEnabled(false);
    PrintButton->setEnabled(false);
    const auto update = qScopeGuard([this] { UpdateButtons(); });
    PrintBrowser->ExecWB(command, TWebBrowser::OLECMDEXECOPT_DODEFAULT);
}

void TPreviewForm::FormHide()
{
    // Leaving the window drops a preview being prepared: nothing of it shows later over
    // the reading window. A print runs on, and tells when it fails.
    PrintBrowser->PrintJobs().AbandonPreview();
    UpdateButtons();
    EnableVisibleMainWindow();
}

void TPreviewForm::PreButtonClick() { RunCommand(TWebBrowser::OLECMDID_PRINTPREVIEW); }

void TPreviewForm::PrintButtonClick() { RunCommand(TWebBrowser::OLECMDID_PRINT); }

void TPreviewForm::ReturnButtonClick() { hide(); }
