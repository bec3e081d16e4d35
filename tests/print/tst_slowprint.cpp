// Print jobs that take longer than anyone waits for, with an engine that ends them when
// the test says so: the printer lives until the engine reports, the preview takes no new
// document meanwhile, leaving the preview drops the job's outcome, and the preview's
// commands come on only for its document loaded whole.
#include "ScriptedDialogs.h"
#include "app/ReaderState.h"
#include "app/THtmlEngine.h"
#include "app/THtmlEngineModule.h"
#include "app/TPrintJobs.h"
#include "app/TWebBrowser.h"
#include "print/TPreviewForm.h"
#include "print/TPrintDocument.h"
#include "reader/TMainForm.h"
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {
// An engine view that loads at once and prints only when told to finish.
class TSlowView : public QWidget, public THtmlEngineView {
public:
    using QWidget::QWidget;
    QWidget *Widget() override { return this; }
    void Load(const QUrl &url) override
    {
        Loads << url;
        FUrl = url;
        QTimer::singleShot(0, this, [this, url] {
            if (OnLoadFinished) OnLoadFinished(url, !FailLoads);
        });
    }
    void Reload() override { Load(FUrl); }
    QUrl Url() const override { return FUrl; }
    void SetZoomFactor(double) override {}
    double ZoomFactor() const override { return 1; }
    void SelectAll() override {}
    void Copy() override {}
    QString SelectedText() const override { return {}; }
    void DrawWhileHidden() override {}
    void SetOverlay(const QString &, const QString &, const QColor &) override {}
    void SetBridge(QObject *) override {}
    void RunScript(const QString &, std::function<void(const QVariant &)>) override {}
    void RunOverlayScript(const QString &, std::function<void(const QVariant &)>) override {}
    void SetOwnContextMenu(bool) override {}
    void Print(QPrinter *printer, std::function<void(bool)> done) override
    {
        Printer = printer;
        Done = std::move(done);
    }
    void PrintToPdf(const QString &fileName, const QPageLayout &, std::function<void(bool)> done) override
    {
        PdfFile = fileName;
        Done = std::move(done);
    }
    bool Running() const { return bool(Done); }
    // The job's end: the engine draws into the printer it was given (or writes its PDF),
    // then reports.
    void Finish(bool ok)
    {
        if (Printer) {
            QPainter painter(Printer);
            painter.drawText(QPointF(20, 20), QStringLiteral("the last page"));
        } else {
            QPdfWriter pdf(PdfFile);
            QPainter painter(&pdf);
            painter.drawText(QPointF(20, 20), QStringLiteral("the first page"));
        }
        Printer = nullptr;
        std::exchange(Done, nullptr)(ok);
    }

    QList<QUrl> Loads;
    bool FailLoads = false;
    QPrinter *Printer = nullptr;
    QString PdfFile;
    std::function<void(bool)> Done;

private:
    QUrl FUrl;
};

class TSlowEngine : public THtmlEngine {
public:
    void Start() override {}
    THtmlEngineView *NewView(QWidget *parent) override { return View = new TSlowView(parent); }
    class TPreview : public QDialog, public TPdfPreview {
    public:
        using QDialog::QDialog;
        QDialog *Dialog() override { return this; }
        void ShowPdf(const QString &file, bool) override { setProperty("pdf", file); }
    };
    TPdfPreview *NewPdfPreview(QWidget *parent) override
    {
        auto *dialog = new TPreview(parent);
        dialog->setObjectName(QStringLiteral("PdfPreview"));
        return dialog;
    }
    TSlowView *View = nullptr;
};
}

class TestSlowPrint : public QObject {
    Q_OBJECT
    QTemporaryDir temp;
    TSlowEngine engine;
    TScriptedDialogs *dialogs = nullptr;
    QStringList shown;  // the dialogs the program ran, by object name

    TSlowView *View() const { return engine.View; }
    static bool Ready() { return PreviewForm->PreButton->isEnabled() && PreviewForm->PrintButton->isEnabled(); }
    static bool ProgressShows() { return PreviewForm->PrintStatus->isVisible() && PreviewForm->PrintProgress->isVisible(); }
    void OpenPreview()
    {
        PreviewForm->OpenDocument(MainForm);
        QTRY_VERIFY(Ready());
    }

private slots:
    void initTestCase()
    {
        THtmlEngineModule::Use(&engine);
        dialogs = TScriptedDialogs::Install();
        dialogs->OnExec = [this](QDialog *dialog) {
            shown << dialog->objectName();
            // The printer dialog sends the print to the printer it was given.
            return qobject_cast<QPrintDialog *>(dialog) ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
        ReaderState.TempFolder = temp.path() + u'/';
        ReaderState.FillSectionTable();
        new TMainForm;
        new TPreviewForm;
        TPrintDocument::Save(TPrintDocument::Head() + TPrintDocument::Tail(), ReaderState.TempFolder);
        MainForm->show();
    }

    // A print that outlasts every wait: the printer stays the engine's until it reports, a
    // new document waits for the job's end, and a print the reader asked for that fails
    // says so, also once its window is gone.
    void leavingTheJobToFinishAlone()
    {
        OpenPreview();
        QTest::mouseClick(PreviewForm->PrintButton, Qt::LeftButton);
        QVERIFY(View()->Running());
        QVERIFY(View()->Printer);
        QVERIFY(ProgressShows());
        QVERIFY(!PreviewForm->PreButton->isEnabled() && !PreviewForm->PrintButton->isEnabled());
        QTest::qWait(200);
        QVERIFY(PreviewForm->PrintBrowser->PrintJobs().Printing());

        QTest::mouseClick(PreviewForm->ReturnButton, Qt::LeftButton);
        QVERIFY(!PreviewForm->isVisible());
        QVERIFY(MainForm->isEnabled());
        // A new document composed meanwhile: the view keeps the page it prints.
        const int loads = View()->Loads.size();
        PreviewForm->OpenDocument(MainForm);
        QTest::qWait(100);
        QCOMPARE(View()->Loads.size(), loads);
        QVERIFY(ProgressShows());
        QVERIFY(!Ready());
        QTest::mouseClick(PreviewForm->ReturnButton, Qt::LeftButton);

        View()->Finish(false);  // draws into the printer: freed already, the sanitizers say so
        QTRY_VERIFY(!PreviewForm->PrintBrowser->PrintJobs().Printing());
        QCOMPARE(View()->Loads.size(), loads + 1);  // the held document, now
        QTRY_COMPARE(dialogs->Messages, QStringList{QStringLiteral("The page could not be printed.")});
        QCOMPARE(shown, QStringList{QString()});  // the printer dialog, once
        dialogs->Messages.clear();
        OpenPreview();
        QVERIFY(!ProgressShows());
        PreviewForm->hide();
        shown.clear();
    }

    // With the preview open the job's end is told: a failed print says so, and the
    // preview's PDF, once written, opens in the preview dialog; left while being
    // written, it never opens.
    void theJobsEndWhileThePreviewStays()
    {
        OpenPreview();
        QTest::mouseClick(PreviewForm->PrintButton, Qt::LeftButton);
        View()->Finish(false);
        QTRY_COMPARE(dialogs->Messages.size(), 1);
        QVERIFY(Ready());
        QVERIFY(!ProgressShows());

        QTest::mouseClick(PreviewForm->PreButton, Qt::LeftButton);
        QVERIFY(ProgressShows());
        QCOMPARE(View()->PdfFile, ReaderState.TempFolder + QStringLiteral("preview.pdf"));
        View()->Finish(true);
        QTRY_COMPARE(shown, (QStringList{QString(), QStringLiteral("PdfPreview")}));
        QTRY_VERIFY(Ready());

        QTest::mouseClick(PreviewForm->PreButton, Qt::LeftButton);
        QTest::mouseClick(PreviewForm->ReturnButton, Qt::LeftButton);
        View()->Finish(true);
        QTRY_VERIFY(!PreviewForm->PrintBrowser->PrintJobs().Printing());
        QTest::qWait(100);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(dialogs->Messages.size(), 1);
        dialogs->Messages.clear();
        shown.clear();
    }

    // The commands come on for the document loaded whole, never after a failed load nor
    // for another page the view was led to.
    void commandsOnlyForTheLoadedDocument()
    {
        View()->FailLoads = true;
        PreviewForm->OpenDocument(MainForm);
        QTRY_VERIFY(View()->Loads.last() == QUrl::fromLocalFile(TPrintDocument::FileName(ReaderState.TempFolder)));
        QTest::qWait(100);
        QVERIFY(!Ready());
        View()->FailLoads = false;
        OpenPreview();
        PreviewForm->PrintBrowser->Navigate(ReaderState.AppFolder + QStringLiteral("datas/p010012.htm"));
        QTRY_VERIFY(!Ready());
        PreviewForm->hide();
    }
};

QTEST_MAIN(TestSlowPrint)
#include "tst_slowprint.moc"
