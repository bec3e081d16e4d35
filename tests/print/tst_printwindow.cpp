// The print window, the preview and printing through the real view on the sample book.
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "app/TextCodec.h"
#include "print/TNotedPages.h"
#include "print/TPreviewForm.h"
#include "print/TPrintDocument.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "widgets/TVrProgressBar.h"
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
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
        bool loaded = false;
        PreviewForm->PrintBrowser->OnDownloadComplete = [&](TWebBrowser *) { loaded = true; };
        PreviewForm->hide();
        PreviewForm->show();
        QTRY_VERIFY_WITH_TIMEOUT(loaded, 20000);
    }

private slots:
    void initTestCase()
    {
        auto d = std::make_unique<TScriptedDialogs>();
        dialogs = d.get();
        SetDialogs(std::move(d));
        ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
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
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        PreviewForm->PrintBrowser->PrintWith(&printer);
        QFile pdf(pdfFile);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(PdfPageCount(bytes) >= 2, qPrintable(QString::number(PdfPageCount(bytes))));
        QVERIFY(bytes.contains("/FontFile"));  // text as text, with its font
        PreviewForm->hide();
    }

    void previewPaintsTheDocument()
    {
        PrintForm->VolComboBox->setCurrentIndex(3);
        PrintForm->Spinfirst->setValue(2144);
        PrintForm->Spinlast->setValue(2145);
        PrintForm->PrintButtonClick();
        LoadPreview();
        int pages = 0;
        int inked = 0;
        dialogs->OnExec = [&](QDialog *dialog) -> int {
            auto *widget = dialog->findChild<QPrintPreviewWidget *>();
            if (!widget) return int(QDialog::Rejected);
            dialog->show();
            if (!QTest::qWaitFor([&] { return widget->pageCount() > 0; }, 20000)) return QDialog::Rejected;
            pages = widget->pageCount();
            widget->fitInView();
            const QImage shot = widget->grab().toImage();
            for (int y = 0; y < shot.height(); y += 2)
                for (int x = 0; x < shot.width(); x += 2)
                    if (qGray(shot.pixel(x, y)) < 100) ++inked;
            dialog->close();
            return int(QDialog::Accepted);
        };
        PreviewForm->PreButtonClick();
        dialogs->OnExec = nullptr;
        QVERIFY(pages >= 2);
        QVERIFY2(inked > 50, qPrintable(QString::number(inked)));
        PreviewForm->hide();
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
