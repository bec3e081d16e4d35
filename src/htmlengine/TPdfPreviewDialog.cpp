#include "htmlengine/TPdfPreviewDialog.h"
#include "app/THtmlEngine.h"
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

TPdfPreviewDialog::TPdfPreviewDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PdfPreview"));
    setWindowTitle(QStringLiteral("پيشنمايش چاپ"));
    setLayoutDirection(Qt::RightToLeft);
    setAccessibleName(windowTitle());

    Document = new QPdfDocument(this);
    PagesView = new QPdfView(this);
    PagesView->setObjectName(QStringLiteral("PagesView"));
    PagesView->setAccessibleName(tr("Pages to print"));
    // The pages read from left to right whatever the window's direction: a right-to-left
    // scroll area would mirror the page positions, not the pages.
    PagesView->setLayoutDirection(Qt::LeftToRight);
    PagesView->setPageMode(QPdfView::PageMode::MultiPage);
    PagesView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    PagesView->setPageSpacing(12);
    PagesView->setDocument(Document);

    PagesLabel = new QLabel(this);
    PagesLabel->setObjectName(QStringLiteral("PagesLabel"));
    PrintButton = new QPushButton(QStringLiteral("چاپ"), this);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    PrintButton->setAccessibleName(PrintButton->text());
    CloseButton = new QPushButton(QStringLiteral("بازگشت"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAccessibleName(CloseButton->text());
    // The preview's print goes through the printer dialog, which its opener shows.
    connect(PrintButton, &QPushButton::clicked, this, [this] { done(THtmlEngine::PreviewPrintChosen); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(PrintButton);
    buttons->addWidget(CloseButton);
    buttons->addStretch(1);
    buttons->addWidget(PagesLabel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PagesView, 1);
    layout->addLayout(buttons);
    PrintButton->setDefault(true);
    PrintButton->setFocus();

    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1024, 768);
    resize(std::min(900, screen.width()), screen.height() * 9 / 10);
}

void TPdfPreviewDialog::ShowPdf(const QString &file, bool whole)
{
    // The view stays where the reader scrolled to when the whole document replaces its
    // first pages.
    const QPoint place(PagesView->horizontalScrollBar()->value(), PagesView->verticalScrollBar()->value());
    Document->load(file);
    PagesView->horizontalScrollBar()->setValue(place.x());
    PagesView->verticalScrollBar()->setValue(place.y());
    PagesLabel->setText(whole ? tr("Pages: %1").arg(Document->pageCount()) : tr("The other pages are being prepared..."));
    PagesLabel->setAccessibleName(PagesLabel->text());
    PrintButton->setEnabled(whole);
}
