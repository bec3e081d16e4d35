#include "reader/TReadingProgress.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "search/TResultPage.h"
#include "skin/TsuiThemes.h"
#include "widgets/TVrProgressBar.h"
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QHBoxLayout>
#include <QVBoxLayout>

TReadingProgress::TReadingProgress(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ReadingProgress"));
    setAccessibleName(tr("Where you are"));
    Words = new QLabel(this);
    Words->setObjectName(QStringLiteral("ProgressWords"));
    Words->setAccessibleDescription(accessibleName());
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Rederu")});
    font.setPixelSize(11);
    Words->setFont(font);
    // The words keep the room of the longest: the bars beside them do not move.
    Words->setMinimumWidth(LongestWidth());

    // Thin bars in the reading window's theme: its progress picture on its control colour.
    const TsuiTheme theme = TsuiThemes::ResolveTheme(TsuiUIStyle::DeepBlue);
    QPixmap fill;
    TsuiThemes::LoadBitmap(theme, TsuiEntry::ProgressBarImage, fill);
    const QColor track = TsuiThemes::GetColor(theme, TsuiEntry::ControlBackgroundColor);
    const auto bar = [&](TVrProgressBar *&b, const char *name, const QString &does) {
        b = new TVrProgressBar(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(does);
        b->SetFormStyle();
        b->SetColor(RGBColor(track.red(), track.green(), track.blue()));
        b->SetBitmap(fill.toImage());
        b->SetFillType(pfBitmap);
        b->SetFromRight(true);
        b->setFixedHeight(6);
        b->setMinimumWidth(MinimumBarWidth);
    };
    bar(SectionBar, "SectionProgress", tr("Place in the section"));
    bar(BookBar, "BookProgress", tr("Place in the book"));
    // Right to left: the words at the right, the bars filling the rest, the section's over the book's.
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 1, 8, 1);
    row->setSpacing(8);
    row->addWidget(Words);
    auto *bars = new QVBoxLayout;
    bars->setSpacing(1);
    bars->addWidget(SectionBar);
    bars->addWidget(BookBar);
    row->addLayout(bars, 1);
    setFixedHeight(Height);
    QSizePolicy keep = sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    setSizePolicy(keep);
    hide();
}

int TReadingProgress::LongestWidth() const
{
    // Four-digit pages, whole shares and a three-digit count of hours with minutes.
    return Words->fontMetrics().horizontalAdvance(TReadingPace::Words(8888, 1, 8888, 8888, (888 * 60 + 58) * 60.0));
}

void TReadingProgress::PageShown()
{
    const TReaderState &rs = ReaderState;
    const QUrl url = MainForm->PageBrowser->Url();
    const QString file = url.isLocalFile() ? QDir::cleanPath(url.toLocalFile()) : QString();
    const bool inSection = rs.CurSection >= 1 && rs.CurSection <= SectionCount;
    // A book page, or the result page of one: contents, index and introduction pages
    // have no place in the section.
    const bool page = inSection && !rs.ResultPending
        && (file == QDir::cleanPath(PageFile(rs.CurSection, rs.CurPage)) || QFileInfo(file).fileName() == TResultPage::FileName());
    setVisible(page);
    if (!page) {
        FOnPage.invalidate();
        return;
    }
    FOnPage.start();
    const int first = rs.FirstPage[rs.CurSection], last = rs.LastPage[rs.CurSection];
    Words->setText(TReadingPace::Words(rs.CurPage, first, last, BookPageCount, FPace.SecondsPerPage()));
    SectionBar->SetPosition(TReadingPace::Percent(rs.CurPage, first, last));
    BookBar->SetPosition(TReadingPace::Percent(rs.CurPage, 1, BookPageCount));
}

void TReadingProgress::TurningNext()
{
    if (FOnPage.isValid()) FPace.Turned(FOnPage.elapsed() / 1000.0);
    FOnPage.invalidate();
}
