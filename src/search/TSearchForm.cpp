#include "search/TSearchForm.h"
#include "app/BookData.h"
#include "app/KetabApplication.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include "app/TKeyAction.h"
#include "app/TWebBrowser.h"
#include "app/WindowProtocol.h"
#include "platform/TPersianKeyboard.h"
#include "reader/TMainForm.h"
#include "reader/TNoteEntry.h"
#include "search/TResultContext.h"
#include "search/TResultPage.h"
#include "search/TSearchQuery.h"
#include "search/TSearchRun.h"
#include "skin/TsuiBookFrames.h"
#include "widgets/TVrProgressBar.h"
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TSearchForm *SearchForm = nullptr;

namespace {
QString SectionTitle(int section)
{
    if (MainForm) return MainForm->SectionName(section);
    return section >= 1 && section <= SectionCount ? QString::fromUtf8(SectionTitles[section - 1]) : QString();
}

QLabel *MakeLabel(QWidget *parent, const QString &text, const char *name = nullptr)
{
    auto *label = new QLabel(text, parent);
    if (name) label->setObjectName(QString::fromLatin1(name));
    // No accessible name of its own: a label's text is its name, and a change of it is announced.
    return label;
}

QPushButton *MakeButton(QWidget *parent, const QString &text, const char *name)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(text);
    return button;
}
}

TSearchForm::TSearchForm(QWidget *parent)
    : TForm(parent, Qt::Dialog)
{
    SearchForm = this;
    setObjectName(QStringLiteral("SearchForm"));
    setWindowTitle(QStringLiteral("جستجو"));
    setAccessibleName(windowTitle());
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
    FormCreate();
}

void TSearchForm::FormCreate()
{
    auto *title = MakeLabel(this, QStringLiteral("جستجو"), "TitleLabel");
    QFont tf = title->font();
    tf.setPixelSize(27);
    tf.setBold(true);
    title->setFont(tf);

    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setAccessibleName(QStringLiteral("متن جستجو"));
    LookinComboBox = new QComboBox(this);
    LookinComboBox->setObjectName(QStringLiteral("LookinComboBox"));
    LookinComboBox->setAccessibleName(QStringLiteral("جستجو در"));
    LookinComboBox->addItems({QStringLiteral("كل كتاب"), QStringLiteral("جلد اول "), QStringLiteral("جلد دوم - بخش 1 "),
                              QStringLiteral("جلد دوم - بخش 2 "), QStringLiteral("جلد سوم - بخش 1 "),
                              QStringLiteral("جلد سوم - بخش 2 ")});
    LookinComboBox->setCurrentIndex(0);
    WholeCase = new QCheckBox(QStringLiteral("تطابق كامل"), this);
    WholeCase->setObjectName(QStringLiteral("WholeCase"));
    WholeCase->setAccessibleName(WholeCase->text());
    FoldedCase = new QCheckBox(QStringLiteral("چشم‌پوشي از شيوه نگارش"), this);
    FoldedCase->setObjectName(QStringLiteral("FoldedCase"));
    FoldedCase->setAccessibleName(FoldedCase->text());
    SearchButton = MakeButton(this, QStringLiteral("جستجو"), "SearchButton");
    SearchButton->setDefault(false);
    SearchButton->setAutoDefault(false);
    AddtoBKButton = MakeButton(this, QStringLiteral("ارسال نتايج به يادداشت"), "AddtoBKButton");
    ResultListBox = new QListWidget(this);
    ResultListBox->setObjectName(QStringLiteral("ResultListBox"));
    ResultListBox->setAccessibleName(QStringLiteral("نتايج جستجو"));
    ProgressBar = new TVrProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setAccessibleName(QStringLiteral("پيشرفت جستجو"));
    ProgressBar->SetMinValue(0);
    ProgressBar->SetMaxValue(100);
    ProgressBar->SetFormStyle();
    ProgressBar->setFixedHeight(9);
    FoundLabel = MakeLabel(this, QStringLiteral(" تعداد عبارت\u200Cهای پيدا شده"), "FoundLabel");
    FoundLabel->hide();
    ResultLabel = MakeLabel(this, QString(), "ResultLabel");
    ResultLabel->setAccessibleDescription(QStringLiteral("تعداد"));
    ContextLabel = MakeLabel(this, QString(), "ContextLabel");
    ContextLabel->setTextFormat(Qt::RichText);
    ContextLabel->setWordWrap(true);
    ContextLabel->setAlignment(Qt::AlignTop | Qt::AlignLeading);
    ContextLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    ContextLabel->setFixedHeight(2 * ContextLabel->fontMetrics().lineSpacing() + 2);
    GotoButton = MakeButton(this, QStringLiteral("رجوع"), "GotoButton");
    ReturnButton = MakeButton(this, QStringLiteral("بازگشت"), "ReturnButton");

    auto *grid = new QGridLayout;
    grid->addWidget(MakeLabel(this, QStringLiteral("متن جستجو"), "QueryLabel"), 0, 0);
    grid->addWidget(SearchEdit, 1, 0);
    grid->addWidget(MakeLabel(this, QStringLiteral("جستجو در"), "LookinLabel"), 0, 1);
    grid->addWidget(LookinComboBox, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    auto *options = new QHBoxLayout;
    options->addWidget(WholeCase);
    options->addWidget(FoldedCase);
    options->addStretch(1);
    options->addWidget(SearchButton);
    auto *count = new QHBoxLayout;
    count->addWidget(ResultLabel, 1);
    count->addWidget(ProgressBar, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(GotoButton);
    buttons->addWidget(AddtoBKButton);
    buttons->addStretch(1);
    buttons->addWidget(ReturnButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addWidget(MakeLabel(this, QStringLiteral("نتايج جستجو"), "ResultsCaption"));
    layout->addWidget(ResultListBox, 1);
    layout->addWidget(ContextLabel);
    layout->addLayout(count);
    layout->addLayout(buttons);
    resize(386, 362);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    TsuiBookFrames::Dialog(this, TFormBorderStyle::bsSizeable);

    // Handlers that fail report through the application's handler and the window goes on.
    using G = TKetabApplication;
    G::Connect(SearchButton, &QPushButton::clicked, this, [this] { SearchButtonClick(); });
    G::Connect(SearchEdit, &QLineEdit::returnPressed, this, [this] { SearchEditKeyPress(QChar(13)); });
    G::Connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
    G::Connect(GotoButton, &QPushButton::clicked, this, [this] { GotoButtonClick(); });
    G::Connect(ResultListBox, &QListWidget::itemDoubleClicked, this, [this] { ResultListBoxDblClick(); });
    G::Connect(AddtoBKButton, &QPushButton::clicked, this, [this] { AddtoBKButtonClick(); });
    // The context follows the current line alone: a change of the selection that keeps it
    // reads no page.
    G::Connect(ResultListBox, &QListWidget::currentRowChanged, this, [this] { ResultListBoxCurrentChange(); });

    // Keyboard: Enter on a result opens it, as a double click does; Escape returns.
    TKeyAction::OpenLineOnEnter(ResultListBox, [this] { ResultListBoxDblClick(); });
    OnEscape = [this] { ReturnButton->click(); };
    TabChain({SearchEdit, LookinComboBox, WholeCase, FoldedCase, SearchButton, ResultListBox, GotoButton, AddtoBKButton,
              ReturnButton});
}

void TSearchForm::FormShow()
{
    TPersianKeyboard::Activate();
    const bool overReader = MainForm && MainForm->isVisible();
    const int section = ReaderState.CurSection;
    LookinComboBox->setCurrentIndex(overReader && section >= 1 && section <= SectionCount ? section : 0);
}

void TSearchForm::FormHide() { EnableVisibleMainWindow(); }

void TSearchForm::ReturnButtonClick() { hide(); }

int TSearchForm::FindOptions() const
{
    return WholeCase->isChecked() ? TScratchText::foWholeWord : TScratchText::foMatchCase;
}

QStringList TSearchForm::Terms() const
{
    QStringList terms;
    for (int k = 0; k < TermCount; ++k) terms << SearchTerms[k];
    return terms;
}

QString TSearchForm::CountText() const
{
    return FoundLabel->text() + QStringLiteral(" = ") + QString::number(FoundCount);
}

void TSearchForm::SearchEditKeyPress(QChar key)
{
    if (key.unicode() == 13) SearchButtonClick();
}

// Brings the list, the count and the bar up to what the run has taken so far.
void TSearchForm::ShowRun(const TSearchRun &run)
{
    const std::vector<int> &listed = run.ListedPages();
    const bool grew = ResultListBox->count() < static_cast<int>(listed.size());
    for (int k = ResultListBox->count(); k < static_cast<int>(listed.size()); ++k) {
        ResultListBox->addItem(TResultPage::ResultLine(listed[k], SectionTitle(SectionOf(listed[k]))));
        ResultPages[k] = listed[k];
    }
    FoundCount = run.FoundCount();
    ResultLabel->setText(CountText());
    ProgressBar->SetPosition(run.Position());
    ResultLabel->repaint();
    ProgressBar->repaint();
    if (grew) ResultListBox->repaint();
}

void TSearchForm::SearchButtonClick()
{
    if (FSearching) return;
    const QString query = SearchEdit->text();
    if (query.isEmpty()) return;
    const TSearchQuery parsed = TSearchQuery::Parse(query, FoldedCase->isChecked());
    const int scope = LookinComboBox->currentIndex();
    const int first = scope >= 1 && scope <= SectionCount ? ReaderState.FirstPage[scope] : 1;
    const int last = scope >= 1 && scope <= SectionCount ? ReaderState.LastPage[scope] : ReaderState.LastPage[SectionCount];

    FoundCount = 0;
    ResultLabel->setText(CountText());
    ResultLabel->repaint();
    ResultListBox->clear();
    ResultListBox->repaint();
    FSearchFolded = parsed.Folded;
    FSearchOptions = FindOptions();
    SearchTerms.fill(QString());
    for (int k = 0; k < parsed.TermCount(); ++k) SearchTerms[k] = parsed.Terms[k];
    TermCount = parsed.TermCount();
    ResultPages.fill(0);
    ProgressBar->SetPosition(0);

    // The pages are scanned on worker threads; this handler takes their results in
    // page order and redraws the count, the list and the bar between waits. Input
    // stays blocked until the run ends.
    FSearching = true;
    TSearchRun run(parsed, first, last, FSearchOptions, {}, &KeptText);
    try {
        run.Start();
        while (!run.Poll(TSearchRun::ProgressIntervalMs)) {
            ShowRun(run);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        ShowRun(run);
    } catch (...) {
        ShowRun(run);
        FSearching = false;
        throw;
    }
    FSearching = false;
}

void TSearchForm::GotoButtonClick()
{
    QListWidgetItem *item = ResultListBox->currentItem();
    if (!item || !item->isSelected()) return;
    const int k = ResultListBox->row(item);
    ReaderState.ContentsMode = false;
    const int page = ResultPages[k];
    // Marked as the search that listed it matched, as its context line was.
    TResultPage::Write(ScratchText, PageFile(SectionOf(page), page), Terms(), FSearchOptions, FSearchFolded,
                       ReaderState.AppFolder, ReaderState.TempFolder);
    ReaderState.CurPage = page;
    ReaderState.ResultPending = true;
    hide();
    if (MainForm && !MainForm->isVisible()) SwitchToReadingWindow();
    if (MainForm) MainForm->RefreshPageExecute();
}

void TSearchForm::ResultListBoxDblClick() { GotoButtonClick(); }

void TSearchForm::ResultListBoxCurrentChange()
{
    QListWidgetItem *item = ResultListBox->currentItem();
    const int k = item ? ResultListBox->row(item) : -1;
    if (k < 0 || k >= static_cast<int>(ResultPages.size()) || ResultPages[k] <= 0) {
        ContextLabel->clear();
        ContextLabel->setAccessibleName(QString());
        return;
    }
    const int page = ResultPages[k];
    TResultContext::TLine line;
    QString shown;
    try {
        TScratchText text;
        text.LoadFromFile(PageFile(SectionOf(page), page));
        line = TResultContext::Of(text.Text(), Terms(), FSearchOptions, FSearchFolded);
        shown = line.Html();
    } catch (const EKetabError &) {
        // Only a hint: a page gone since the search says so here and nowhere else.
        line.Text = tr("Page %1 cannot be read.").arg(page);
        shown = line.Text.toHtmlEscaped();
    }
    ContextLabel->setText(shown);
    ContextLabel->setAccessibleName(line.Text);
    item->setData(Qt::AccessibleDescriptionRole, line.Text);
}

void TSearchForm::KeepBookText()
{
    // The windows outlive the event loop; the reading must not outlive it.
    TKetabApplication::Connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { KeptText.Stop(); });
    KeptText.Start(1, ReaderState.LastPage[SectionCount], [](int page) { return PageFile(SectionOf(page), page); });
}

void TSearchForm::AddtoBKButtonClick()
{
    if (!MainForm) return;
    for (int k = 0; k < ResultListBox->count(); ++k) {
        const int page = TResultPage::PageOfLine(ResultListBox->item(k)->text());
        MainForm->BookMarkBox->addItem(TNoteEntry::Compose(SectionOf(page), page));
    }
}

void TSearchForm::SearchSelectedText(TWebBrowser *view)
{
    const QString selected = view->SelectedText();
    view->Copy();
    // The view copies in its own process; the clipboard is given the same text now so
    // the paste below sees it. With nothing selected the clipboard stays as it was.
    if (!selected.isEmpty()) QGuiApplication::clipboard()->setText(selected);
    SearchEdit->clear();
    SearchEdit->paste();
    if (SearchEdit->text().isEmpty()) return;
    if (MainForm) MainForm->setEnabled(false);
    ShowOver(this, MainForm);
}
