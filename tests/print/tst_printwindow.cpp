// The print window, the preview and printing through the real view on the sample book.
#include "EngineView.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include "app/TPrintJobs.h"
#include "app/TWebBrowser.h"
#include "app/ScratchText.h"
#include "app/TextCodec.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarkStore.h"
#include "marks/TMarkedHtml.h"
#include "marks/TReaderMarks.h"
#include "print/TNotedPages.h"
#include "print/TPreviewForm.h"
#include "print/TPrintDocument.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "reader/TNotesPanel.h"
#include "skin/TsuiImageButton.h"
#include "skin/TsuiSideChannel.h"
#include "widgets/TVrProgressBar.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPushButton>
#include <QPrinter>
#include <QSpinBox>
#include <QtTest>

namespace {
class TScriptedDialogs : public TDialogs {
public:
    QStringList Messages;
    std::function<int(QDialog *)> OnExec;
    void Beep() override {}
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { Messages << text; }
    int Exec(QDialog *dialog) override { return OnExec ? OnExec(dialog) : QDialog::Rejected; }
};

QString ReadDocument(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? TTextCodec::Decode(f.readAll()) : QString();
}

int PdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}
}

class TestPrintWindow : public QObject {
    Q_OBJECT
    QTemporaryDir temp;
    TScriptedDialogs *dialogs = nullptr;

    QString PrintFile() const { return TPrintDocument::FileName(ReaderState.TempFolder); }
    void LoadPreview()
    {
        PreviewForm->hide();
        PreviewForm->show();
        WaitPreviewLoaded();
    }
    // The preview's commands wait for its document.
    static void WaitPreviewLoaded() { QTRY_VERIFY_WITH_TIMEOUT(PreviewForm->PrintButton->isEnabled(), 20000); }
    // The text the preview's view shows.
    static QString PreviewText()
    {
        QString text;
        bool done = false;
        EngineView(PreviewForm->PrintBrowser)->page()->toPlainText([&](const QString &t) {
            text = t;
            done = true;
        });
        QTest::qWaitFor([&] { return done; }, 10000);
        return text;
    }
    static void Click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        auto d = std::make_unique<TScriptedDialogs>();
        dialogs = d.get();
        SetDialogs(std::move(d));
        ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
        // The reader's marks go into a folder of the test's.
        qputenv("XDG_DATA_HOME", temp.filePath("data").toLocal8Bit());
        new TMainForm;
        new TPrintForm;
        new TPreviewForm;
        ReaderState.TempFolder = temp.path() + u'/';
        QFile::copy(ReaderState.AppFolder + QStringLiteral("datas/sheet1.css"), ReaderState.TempFolder + QStringLiteral("sheet1.css"));
        ReaderState.FillSectionTable();
    }

    void showTakesTheReadingWindowsPage()
    {
        MainForm->show();
        ReaderState.CurSection = 2;
        ReaderState.CurPage = 800;
        PrintForm->show();
        QCOMPARE(PrintForm->Spinfirst->value(), 800);
        QCOMPARE(PrintForm->Spinlast->value(), 800);
        QCOMPARE(PrintForm->VolComboBox->currentIndex(), 1);
        QCOMPARE(PrintForm->LimitLabel->text(), QStringLiteral("766 - 1312"));
        PrintForm->hide();
        // A page outside every section: the first section is chosen.
        ReaderState.CurSection = 0;
        PrintForm->show();
        QCOMPARE(PrintForm->VolComboBox->currentIndex(), 0);
        QCOMPARE(PrintForm->LimitLabel->text(), QStringLiteral("1 - 765"));
        PrintForm->hide();
        // Hidden reading window: the dialog keeps its values.
        MainForm->hide();
        PrintForm->Spinfirst->setValue(1234);
        PrintForm->show();
        QCOMPARE(PrintForm->Spinfirst->value(), 1234);
        PrintForm->hide();
    }

    void rangePrintComposesAndOpensThePreview()
    {
        PrintForm->show();
        PrintForm->VolComboBox->setCurrentIndex(1);
        PrintForm->Spinfirst->setValue(780);
        PrintForm->Spinlast->setValue(700);
        PrintForm->PrintButtonClick();
        QCOMPARE(PrintForm->Spinfirst->value(), 766);
        QCOMPARE(PrintForm->Spinlast->value(), 780);
        QCOMPARE(PrintForm->ProgressBar->MaxValue(), 14);
        QVERIFY(!PrintForm->isVisible());
        QVERIFY(PreviewForm->isVisible());
        const QString doc = ReadDocument(PrintFile());
        QVERIFY(doc.startsWith(TPrintDocument::Head()));
        QVERIFY(doc.endsWith(TPrintDocument::Tail()));
        QCOMPARE(doc.count(QStringLiteral("</body>")), 1);  // every page's closing line dropped
        PreviewForm->hide();

        // Wholly before the section: the window says so, nothing is written or previewed.
        PrintForm->show();
        PrintForm->Spinfirst->setValue(10);
        PrintForm->Spinlast->setValue(20);
        Click(PrintForm->PrintButton);
        QCOMPARE(PrintForm->Spinfirst->value(), 766);
        QCOMPARE(PrintForm->Spinlast->value(), 20);
        QVERIFY(PrintForm->RangeNote->isVisible());
        QVERIFY2(PrintForm->RangeNote->text().contains(QStringLiteral("766 - 1312")), qPrintable(PrintForm->RangeNote->text()));
        QVERIFY(PrintForm->isVisible() && !PreviewForm->isVisible());
        QCOMPARE(ReadDocument(PrintFile()), doc);
        PrintForm->Spinlast->setValue(766);
        QVERIFY(!PrintForm->RangeNote->isVisible());
        PrintForm->hide();
    }

    // "With marks" ticked, the print's copy of each page shows the reader's marks in their
    // colours; unticked (as the window opens), the pages as they are.
    void marksPrintedWhenAsked()
    {
        TScratchText page;
        page.LoadFromFile(PageFile(2, 800));
        const QString text = TMarkedHtml::Text(page.Text());
        const qsizetype at = text.indexOf(u' ', text.size() / 2) + 1;
        const TMark mark = TMarkAnchor::Make(800, text, at, text.indexOf(u' ', at), TMark::msPink);
        MainForm->Marks->Store().Put(mark);
        const QString marked = TMarkedHtml::PrintStyle(TMark::msPink) + QStringLiteral("\">") + mark.Quote + QStringLiteral("</span>");
        QVERIFY(!PrintForm->WithMarksBox->isChecked());
        for (const bool with : {false, true}) {
            PrintForm->show();
            PrintForm->WithMarksBox->setChecked(with);
            PrintForm->VolComboBox->setCurrentIndex(1);
            PrintForm->Spinfirst->setValue(799);
            PrintForm->Spinlast->setValue(801);
            PrintForm->PrintButtonClick();
            PreviewForm->hide();
            const QString doc = ReadDocument(PrintFile());
            QCOMPARE(doc.count(marked), int(with));
            QCOMPARE(doc.contains(QStringLiteral("<span style=")), with);
        }
        PrintForm->WithMarksBox->setChecked(false);
        MainForm->Marks->Store().Remove(mark.Id);
    }

    void emptyNotesListPrintsAnEmptyDocumentOnlyFromThePrintWindow()
    {
        MainForm->BookMarkBox->clear();
        QFile::remove(PrintFile());
        TNotedPages::PrintFromNotesPanel();
        QVERIFY(!QFile::exists(PrintFile()));
        PrintForm->show();
        PrintForm->BMPrintButtonClick();
        QCOMPARE(ReadDocument(PrintFile()), TPrintDocument::Head() + TPrintDocument::Tail());
        QVERIFY(PreviewForm->isVisible());
        PreviewForm->hide();
    }

    void notesPanelPrintsNotedPagesInListOrder()
    {
        MainForm->show();
        MainForm->setEnabled(true);
        MainForm->BookMarkBox->clear();
        MainForm->BookMarkBox->addItems({QStringLiteral("جلد: 02 -- صفحه: 0800"), QStringLiteral("جلد: 01 -- صفحه: 0012"),
                                         QStringLiteral("جلد: 02 -- صفحه: 0800")});
        MainForm->PrintBMButtonClick();
        const QString doc = ReadDocument(PrintFile());
        const auto first = doc.indexOf(QStringLiteral("صفحه 800")), second = doc.indexOf(QStringLiteral("صفحه 12<"));
        QVERIFY(first >= 0);
        QVERIFY(second > first);
        QVERIFY(doc.indexOf(QStringLiteral("صفحه 800"), second) > second);  // noted twice, printed twice
        QVERIFY(PreviewForm->isVisible());
        QVERIFY(MainForm->isEnabled());
        PreviewForm->hide();
        // An edited entry that names no page is refused; the old document stays.
        MainForm->BookMarkBox->addItem(QStringLiteral("جلد: .. -- صفحه: /etc"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, MainForm->PrintBMButtonClick());
        QCOMPARE(ReadDocument(PrintFile()), doc);
        MainForm->BookMarkBox->clear();
        MainForm->hide();
    }

    void printToPdfKeepsTextAndPages()
    {
        PrintForm->VolComboBox->setCurrentIndex(1);
        PrintForm->Spinfirst->setValue(800);
        PrintForm->Spinlast->setValue(810);
        PrintForm->PrintButtonClick();
        LoadPreview();
        const QString pdfFile = temp.path() + QStringLiteral("/out.pdf");
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
        int ended = -1;
        PreviewForm->PrintBrowser->PrintJobs().StartPrintWith(std::move(printer), [&](bool ok) { ended = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(ended >= 0, 60000);
        QCOMPARE(ended, 1);
        QFile pdf(pdfFile);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(PdfPageCount(bytes) >= 4, qPrintable(QString::number(PdfPageCount(bytes))));
        QVERIFY(bytes.contains("/FontFile"));  // text as text, with its font
        pdf.close();
        // Pages 2 to 3 as the printer dialog's range asks: those only, text still text; a
        // range past the document's end fails and leaves the file as it was.
        for (const int from : {2, 90}) {
            auto ranged = std::make_unique<QPrinter>(QPrinter::HighResolution);
            ranged->setOutputFormat(QPrinter::PdfFormat);
            ranged->setOutputFileName(pdfFile);
            ranged->setPrintRange(QPrinter::PageRange);
            QPageRanges ranges;
            ranges.addRange(from, from + 1);
            ranged->setPageRanges(ranges);
            ended = -1;
            PreviewForm->PrintBrowser->PrintJobs().StartPrintWith(std::move(ranged), [&](bool ok) { ended = ok; });
            QTRY_VERIFY_WITH_TIMEOUT(ended >= 0, 60000);
            QCOMPARE(ended, int(from == 2));
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            const QByteArray cut = pdf.readAll();
            pdf.close();
            QCOMPARE(PdfPageCount(cut), 2);
            QVERIFY(cut.contains("/FontFile"));
        }
        PreviewForm->hide();
    }

    // A long range: the first pages show before the engine has written the whole
    // document, which then takes their place.
    void previewShowsTheFirstPagesThenTheWhole()
    {
        PrintForm->VolComboBox->setCurrentIndex(3);
        PrintForm->Spinfirst->setValue(2144);
        PrintForm->Spinlast->setValue(2183);
        PrintForm->PrintButtonClick();
        LoadPreview();
        int execs = 0, firstPages = 0, pages = 0, inked = 0;
        bool firstPartial = false;
        dialogs->OnExec = [&](QDialog *dialog) -> int {
            ++execs;
            QObject *document = nullptr;
            for (QObject *child : dialog->children())
                if (child->property("pageCount").isValid()) document = child;
            auto *view = dialog->findChild<QWidget *>(QStringLiteral("PagesView"));
            auto *print = dialog->findChild<QPushButton *>(QStringLiteral("PrintButton"));
            if (!view || !document || !print) return int(QDialog::Rejected);
            dialog->show();
            firstPartial = !print->isEnabled();
            firstPages = document->property("pageCount").toInt();
            (void)QTest::qWaitFor([&] {
                const QImage shot = view->grab().toImage();
                inked = 0;
                for (int y = 0; y < shot.height(); y += 2)
                    for (int x = 0; x < shot.width(); x += 2)
                        if (qGray(shot.pixel(x, y)) < 100) ++inked;
                return inked > 50;
            }, 20000);
            if (QTest::qWaitFor([&] { return print->isEnabled(); }, 60000)) pages = document->property("pageCount").toInt();
            dialog->close();
            return int(QDialog::Rejected);
        };
        PreviewForm->PreButtonClick();
        QTRY_VERIFY_WITH_TIMEOUT(!PreviewForm->PrintBrowser->PrintJobs().PrintBusy(), 90000);
        dialogs->OnExec = nullptr;
        QCOMPARE(execs, 1);
        QVERIFY(firstPartial);
        QVERIFY2(inked > 50, qPrintable(QString::number(inked)));
        QVERIFY2(firstPages >= 1 && pages > firstPages, qPrintable(QStringLiteral("%1 then %2").arg(firstPages).arg(pages)));
        QVERIFY(dialogs->Messages.isEmpty());
        PreviewForm->hide();
    }

    // The reader composes a range, then the noted pages, while the preview stays open:
    // the preview shows each new document, never the one before.
    void openPreviewShowsEachNewDocument()
    {
        MainForm->show();
        MainForm->setEnabled(true);
        ReaderState.CurSection = 2;
        ReaderState.CurPage = 800;
        ReaderState.ContentsMode = false;
        QTest::mouseClick(MainForm->PrintButton, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(PrintForm->isVisible());
        PrintForm->Spinlast->setValue(801);
        Click(PrintForm->PrintButton);
        QVERIFY(PreviewForm->isVisible());
        WaitPreviewLoaded();
        QVERIFY(PreviewText().contains(QStringLiteral("صفحه 801")));
        QVERIFY(MainForm->isEnabled());

        MainForm->BookMarkBox->clear();
        MainForm->BookMarkBox->addItem(QStringLiteral("جلد: 01 -- صفحه: 0012"));
        MainForm->BookMarkChannel->SetStayOn(true);
        Click(MainForm->NotesPanel->PrintBMButton);
        WaitPreviewLoaded();
        const QString shown = PreviewText();
        QVERIFY2(shown.contains(QStringLiteral("صفحه 12\n")) && !shown.contains(QStringLiteral("صفحه 801")), qPrintable(shown.left(200)));
        MainForm->BookMarkChannel->SetStayOn(false);
        MainForm->BookMarkBox->clear();
    }

    // Preview and Print are off while a print runs: a click meanwhile starts nothing.
    void onePrintPerClick()
    {
        QVERIFY(PreviewForm->isVisible());
        const QString pdf = temp.filePath(QStringLiteral("once.pdf"));
        int execs = 0;
        bool offDuringPrint = false, clickedWhilePrinting = false;
        dialogs->OnExec = [&](QDialog *dialog) -> int {
            auto *printDialog = qobject_cast<QPrintDialog *>(dialog);
            if (!printDialog) return QDialog::Rejected;
            ++execs;
            offDuringPrint = !PreviewForm->PrintButton->isEnabled() && !PreviewForm->PreButton->isEnabled();
            printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            printDialog->printer()->setOutputFileName(pdf);
            QTimer::singleShot(0, PreviewForm, [&] {
                clickedWhilePrinting = PreviewForm->PrintBrowser->PrintJobs().Printing();
                Click(PreviewForm->PrintButton);
                Click(PreviewForm->PreButton);
            });
            return QDialog::Accepted;
        };
        Click(PreviewForm->PrintButton);
        QTRY_VERIFY_WITH_TIMEOUT(!PreviewForm->PrintBrowser->PrintJobs().Printing(), 60000);
        dialogs->OnExec = nullptr;
        QCOMPARE(execs, 1);
        QVERIFY(offDuringPrint);
        QVERIFY(clickedWhilePrinting);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(PreviewForm->PrintButton->isEnabled() && PreviewForm->PreButton->isEnabled());
        QVERIFY(dialogs->Messages.isEmpty());
        PreviewForm->hide();
    }

    // A missing page file or a failed print, met through the windows' own buttons: the
    // message names what failed and the window goes on working.
    void failuresAreReportedAndTheWindowsGoOn()
    {
        QTemporaryDir book;
        QVERIFY(QDir(book.path()).mkpath(QStringLiteral("datas")));
        QVERIFY(QFile::copy(QStringLiteral(KETAB_BOOK_DIR "/datas/p010003.htm"), book.filePath(QStringLiteral("datas/p010003.htm"))));
        const QString bookFolder = ReaderState.AppFolder;
        ReaderState.AppFolder = book.path() + u'/';
        MainForm->hide();
        dialogs->Messages.clear();
        PrintForm->show();
        PrintForm->VolComboBox->setCurrentIndex(0);
        PrintForm->Spinfirst->setValue(3);
        PrintForm->Spinlast->setValue(4);
        const QString before = ReadDocument(PrintFile());
        Click(PrintForm->PrintButton);
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY2(dialogs->Messages.first().contains(QStringLiteral("p010004.htm")), qPrintable(dialogs->Messages.first()));
        QCOMPARE(ReadDocument(PrintFile()), before);
        QVERIFY(PrintForm->isVisible() && PrintForm->isEnabled());
        QVERIFY(!PreviewForm->isVisible());
        PrintForm->Spinlast->setValue(3);
        Click(PrintForm->PrintButton);
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY(PreviewForm->isVisible());
        ReaderState.AppFolder = bookFolder;

        WaitPreviewLoaded();
        dialogs->OnExec = [&](QDialog *dialog) -> int {
            auto *printDialog = qobject_cast<QPrintDialog *>(dialog);
            if (!printDialog) return QDialog::Rejected;
            printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            printDialog->printer()->setOutputFileName(temp.filePath(QStringLiteral("no-such-folder/out.pdf")));
            return QDialog::Accepted;
        };
        Click(PreviewForm->PrintButton);
        QTRY_COMPARE_WITH_TIMEOUT(dialogs->Messages.size(), 2, 60000);
        dialogs->OnExec = nullptr;
        QVERIFY2(dialogs->Messages.last().contains(QStringLiteral("out.pdf")), qPrintable(dialogs->Messages.last()));
        QVERIFY(PreviewForm->isVisible());
        QVERIFY(PreviewForm->PrintButton->isEnabled() && PreviewForm->PreButton->isEnabled());
        PreviewForm->hide();
        dialogs->Messages.clear();
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
