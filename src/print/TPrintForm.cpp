#include "print/TPrintForm.h"
#include "app/KetabApplication.h"
#include "app/BookData.h"
#include "app/Dialogs.h"
#include "app/ReaderState.h"
#include "app/WindowProtocol.h"
#include "print/TNotedPages.h"
#include "print/TPreviewForm.h"
#include "print/TPrintDocument.h"
#include "print/TPrintRange.h"
#include "marks/TReaderMarks.h"
#include "reader/TMainForm.h"
#include "skin/TsuiBookFrames.h"
#include "widgets/TVrProgressBar.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>

TPrintForm *PrintForm = nullptr;

namespace {
template <class W> W *Named(W *w, const char *name, const QString &accessible)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setAccessibleName(accessible);
    return w;
}
}

TPrintForm::TPrintForm(QWidget *parent) : TForm(parent, Qt::Dialog)
{
    PrintForm = this;
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("چاپ"));
    FormCreate();
}

void TPrintForm::FormCreate()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(18, 12, 18, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);

    TitleLabel = Named(new QLabel(QStringLiteral("چاپ"), this), "TitleLabel", QStringLiteral("چاپ"));
    QFont title = TitleLabel->font();
    title.setPixelSize(22);
    title.setBold(true);
    TitleLabel->setFont(title);
    grid->addWidget(TitleLabel, 0, 0, 1, 4);

    VolLabel = Named(new QLabel(QStringLiteral("جلد:"), this), "VolLabel", QStringLiteral("جلد:"));
    VolComboBox = Named(new QComboBox(this), "VolComboBox", QStringLiteral("جلد"));
    for (const char *t : SectionTitles) VolComboBox->addItem(QString::fromUtf8(t));
    VolComboBox->setCurrentIndex(0);
    VolLabel->setBuddy(VolComboBox);
    grid->addWidget(VolLabel, 1, 0);
    grid->addWidget(VolComboBox, 1, 1, 1, 3);

    // The bounds are read as shown; what they are is the label's description.
    LimitLabel = new QLabel(QStringLiteral("1 - 765"), this);
    LimitLabel->setObjectName(QStringLiteral("LimitLabel"));
    LimitLabel->setAccessibleDescription(QStringLiteral("محدوده صفحات"));
    LimitLabel->setLayoutDirection(Qt::LeftToRight);
    LimitLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(LimitLabel, 2, 1, 1, 3);

    const auto spin = [this](const char *name, const QString &caption) {
        auto *s = Named(new QSpinBox(this), name, caption);
        s->setRange(1, 9999);
        s->setValue(1);
        s->setLayoutDirection(Qt::LeftToRight);
        return s;
    };
    FromLabel = Named(new QLabel(QStringLiteral("از صفحه"), this), "FromLabel", QStringLiteral("از صفحه"));
    Spinfirst = spin("Spinfirst", QStringLiteral("از صفحه"));
    ToLabel = Named(new QLabel(QStringLiteral("تا صفحه"), this), "ToLabel", QStringLiteral("تا صفحه"));
    Spinlast = spin("Spinlast", QStringLiteral("تا صفحه"));
    FromLabel->setBuddy(Spinfirst);
    ToLabel->setBuddy(Spinlast);
    grid->addWidget(FromLabel, 3, 0);
    grid->addWidget(Spinfirst, 3, 1);
    grid->addWidget(ToLabel, 3, 2);
    grid->addWidget(Spinlast, 3, 3);

    ProgressBar = Named(new TVrProgressBar(this), "ProgressBar", QStringLiteral("پيشرفت"));
    ProgressBar->setFixedSize(344, 9);
    ProgressBar->SetFormStyle();
    grid->addWidget(ProgressBar, 4, 0, 1, 4, Qt::AlignHCenter);
    RangeNote = new QLabel(this);
    RangeNote->setObjectName(QStringLiteral("RangeNote"));
    RangeNote->setWordWrap(true);
    RangeNote->setStyleSheet(QStringLiteral("color: #a00000"));
    // Room for two lines kept when it is hidden, so its showing moves nothing.
    RangeNote->setMinimumHeight(RangeNote->fontMetrics().lineSpacing() * 2 + 2);
    QSizePolicy keep = RangeNote->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    RangeNote->setSizePolicy(keep);
    RangeNote->hide();
    grid->addWidget(RangeNote, 5, 0, 1, 4);

    WithMarksBox = Named(new QCheckBox(QStringLiteral("با علامت‌ها"), this), "WithMarksBox", QStringLiteral("با علامت‌ها"));
    grid->addWidget(WithMarksBox, 6, 0, 1, 4);

    PrintButton = Named(new QPushButton(QStringLiteral("چاپ"), this), "PrintButton", QStringLiteral("چاپ"));
    BMPrintButton = Named(new QPushButton(QStringLiteral("چاپ صفحههای يادداشت شده"), this), "BMPrintButton",
                          QStringLiteral("چاپ صفحههای يادداشت شده"));
    ReturnButton = Named(new QPushButton(QStringLiteral("بازگشت"), this), "ReturnButton", QStringLiteral("بازگشت"));
    PrintButton->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(PrintButton);
    buttons->addWidget(BMPrintButton);
    buttons->addStretch(1);
    buttons->addWidget(ReturnButton);
    grid->addLayout(buttons, 7, 0, 1, 4);

    using G = TKetabApplication;
    G::Connect(VolComboBox, &QComboBox::currentIndexChanged, this, [this] { VolComboBoxChange(); });
    // A new choice of pages makes the note about the last one stale.
    G::Connect(Spinfirst, &QSpinBox::valueChanged, this, [this] { HideRangeNote(); });
    G::Connect(Spinlast, &QSpinBox::valueChanged, this, [this] { HideRangeNote(); });
    G::Connect(PrintButton, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    G::Connect(BMPrintButton, &QPushButton::clicked, this, [this] { BMPrintButtonClick(); });
    G::Connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
    OnEscape = [this] { ReturnButton->click(); };
    resize(sizeHint().expandedTo(QSize(386, 250)));
    TsuiBookFrames::Dialog(this, TFormBorderStyle::bsSizeable);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TPrintForm::FormShow()
{
    HideRangeNote();
    if (!MainForm || !MainForm->isVisible()) return;
    Spinfirst->setValue(ReaderState.CurPage);
    Spinlast->setValue(ReaderState.CurPage);
    // A page outside every section leaves no section to choose: take the first.
    const int section = ReaderState.CurSection >= 1 && ReaderState.CurSection <= SectionCount ? ReaderState.CurSection : 1;
    VolComboBox->setCurrentIndex(section - 1);
    VolComboBoxChange();
}

void TPrintForm::FormHide() { EnableVisibleMainWindow(); }

void TPrintForm::VolComboBoxChange()
{
    const int s = VolComboBox->currentIndex() + 1;
    HideRangeNote();
    if (s < 1 || s > SectionCount) return;
    LimitLabel->setText(QString::number(ReaderState.FirstPage[s]) + QStringLiteral(" - ")
                        + QString::number(ReaderState.LastPage[s]));
}

void TPrintForm::PrintButtonClick()
{
    const int s = VolComboBox->currentIndex() + 1;
    const TPrintRange range = TPrintRange::For(s, Spinfirst->value(), Spinlast->value());
    Spinfirst->setValue(range.First);
    Spinlast->setValue(range.Last);
    Spinfirst->repaint();
    Spinlast->repaint();
    if (range.Empty()) {
        RangeNote->setText(tr("The chosen pages hold no page of this section; its pages are %1 - %2.")
                               .arg(ReaderState.FirstPage[s])
                               .arg(ReaderState.LastPage[s]));
        RangeNote->setAccessibleName(RangeNote->text());
        RangeNote->show();
        Dialogs().Beep();
        return;
    }
    PrintPages(range.PageFiles(), range.ProgressMax());
}

void TPrintForm::BMPrintButtonClick()
{
    const QStringList files = TNotedPages::PageFiles();
    PrintPages(files, static_cast<int>(files.size()));
}

void TPrintForm::PrintPages(const QStringList &pageFiles, int progressMax)
{
    ProgressBar->SetMinValue(0);
    ProgressBar->SetMaxValue(std::max(progressMax, 1));
    ProgressBar->SetPosition(0);
    const QString document = TPrintDocument::Compose(pageFiles, ReaderState.AppFolder, [this](int n) {
        ProgressBar->SetPosition(n);
        ProgressBar->repaint();
    }, Dress());
    TPrintDocument::Save(document, ReaderState.TempFolder);
    hide();
    PreviewForm->OpenDocument(VisibleMainWindow());
}

std::function<QString(const QString &, const QString &)> TPrintForm::Dress()
{
    if (!PrintForm || !PrintForm->WithMarksBox->isChecked() || !MainForm) return {};
    return [](const QString &file, const QString &body) { return MainForm->Marks->PrintBody(file, body); };
}

void TPrintForm::HideRangeNote()
{
    // A screen reader keeps a hidden label's name: the name goes with it.
    RangeNote->hide();
    RangeNote->setAccessibleName(QString());
}

void TPrintForm::ReturnButtonClick() { hide(); }
