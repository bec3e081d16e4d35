// Placeholder reading window: replaced by the window's own implementation.
#include "reader/TMainForm.h"
#include "app/BookData.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

TMainForm *MainForm = nullptr;

TMainForm::TMainForm(QWidget *parent) : TForm(parent)
{
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    resize(1000, 700);
    auto *layout = new QVBoxLayout(this);
    InfoLabel = new QLabel(QStringLiteral("صفحه:"), this);
    PageBrowser = new TWebBrowser(this);
    PageNumber = new QLineEdit(this);
    BookMarkBox = new QListWidget(this);
    layout->addWidget(InfoLabel);
    layout->addWidget(PageBrowser, 1);
    layout->addWidget(PageNumber);
    PageLabel = new QLabel(QStringLiteral("صفحه:"), this);
    OfLabel = new QLabel(QStringLiteral("از"), this);
    VolLabel = new QLabel(QStringLiteral("جلد:"), this);
    DirLabel = new QLabel(QStringLiteral("فهرست"), this);
    for (QLabel *l : {PageLabel, OfLabel, VolLabel, DirLabel}) l->hide();
    BookMarkBox->hide();
    const auto action = [this](QAction *&a, const char *name, void (TMainForm::*fn)()) {
        a = new QAction(QString::fromLatin1(name), this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, fn] { (this->*fn)(); });
    };
    action(RefreshPage, "RefreshPage", &TMainForm::RefreshPageExecute);
    action(NextPage, "NextPage", &TMainForm::NextPageExecute);
    action(PreviousPage, "PreviousPage", &TMainForm::PreviousPageExecute);
    action(FirstPage, "FirstPage", &TMainForm::FirstPageExecute);
    action(LastPage, "LastPage", &TMainForm::LastPageExecute);
    action(ChMusic, "ChMusic", &TMainForm::ChMusicExecute);
    action(InsertBM, "InsertBM", &TMainForm::InsertBMExecute);
    action(ExitPrg, "ExitPrg", &TMainForm::ExitPrgExecute);
    FormCreate();
}

void TMainForm::FormCreate()
{
    ReaderState.TempFolder = TempFolderPath();
    ReaderState.FillSectionTable();
    ReaderState.ResetFlags();
}

QString TMainForm::SectionName(int section) const
{
    return section >= 1 && section <= SectionCount ? QString::fromUtf8(SectionTitles[section - 1]) : QString();
}

void TMainForm::ShowContents(int section)
{
    ReaderState.CurSection = section;
    ChMusicExecute();
    ReaderState.CurPage = ReaderState.FirstPage[section];
    PageBrowser->Navigate(ContentsFile(section));
}

void TMainForm::RefreshPageExecute()
{
    if (ReaderState.ResultPending) {
        PageBrowser->Navigate(ReaderState.TempFolder + QStringLiteral("found.htm"));
        ReaderState.CurSection = SectionOf(ReaderState.CurPage);
    } else {
        PageBrowser->Navigate(PageFile(ReaderState.CurSection, ReaderState.CurPage));
    }
}

void TMainForm::NextPageExecute() {}
void TMainForm::PreviousPageExecute() {}
void TMainForm::FirstPageExecute() {}
void TMainForm::LastPageExecute() {}
void TMainForm::ChMusicExecute() {}
void TMainForm::InsertBMExecute() {}
void TMainForm::ExitPrgExecute() { TKetabApplication::Terminate(); }
