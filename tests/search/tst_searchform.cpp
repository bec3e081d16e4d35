#include "SearchTestBook.h"
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/PageMarker.h"
#include "app/TMenuForm.h"
#include "EngineView.h"
#include "reader/TMainForm.h"
#include "search/TSearchForm.h"
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include "widgets/TVrProgressBar.h"
#include <QScopeGuard>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QtTest>

// The search window over a small book in a folder whose name holds a blank, "#" and "%".
class TestSearchForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsPagesWithCount();
    void emptyQueryChangesNothing();
    void showTakesScopeFromReadingWindow();
    void resultPageMarksEveryOccurrenceAndShowsPictures();
    void resultFollowsTheSearchThatRan();
    void sendsResultsToNotes();
    void listsAtMost999Lines();
    void searchesSelectedText();
    void failuresAreReportedAndKeepWhatWasThere();

private:
    void Search(const QString &query, bool wholeWord = false, int scope = 0);
    void Open(int line);
    QString FoundPage() const;
    QString CountLine(int n) const { return QStringLiteral(" تعداد عبارت\u200Cهای پيدا شده = ") + QString::number(n); }
    QTemporaryDir FBook{QDir::tempPath() + QStringLiteral("/ketab book #1 %XXXXXX")};
    QTemporaryDir FTemp;
    QTemporaryDir FFonts;
    QString FFolder;
    TMenuForm *FMenu = nullptr;
    TMainForm *FMain = nullptr;
    TSearchForm *FSearch = nullptr;
};

namespace {
class TRecordedDialogs : public TDialogs {
public:
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { Messages << text; }
    QStringList &Messages;
    explicit TRecordedDialogs(QStringList &messages) : Messages(messages) {}
};

void WritePage(const QString &folder, int page, const QString &text)
{
    QFile f(folder + QStringLiteral("datas/p") + SectionNo2(SectionOf(page)) + PageNo4(page) + QStringLiteral(".htm"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}
}

void TestSearchForm::initTestCase()
{
    qputenv("XDG_DATA_HOME", FFonts.path().toUtf8());
    FFolder = FBook.path() + QLatin1Char('/');
    QDir(FFolder).mkpath(QStringLiteral("datas/pix"));
    FMenu = new TMenuForm;
    FMain = new TMainForm;
    FSearch = new TSearchForm;
    ReaderState.AppFolder = FFolder;
    ReaderState.TempFolder = FTemp.path() + QLatin1Char('/');
    ReaderState.FillSectionTable();
    QImage pic(40, 30, QImage::Format_RGB32);
    pic.fill(Qt::darkGreen);
    QVERIFY(pic.save(FFolder + QStringLiteral("datas/pix/a1.png")));
    QVERIFY(pic.save(FFolder + QStringLiteral("datas/pix/a2.png")));
    WritePage(FFolder, 3, PageText(QStringLiteral("ايران و توران و ايران <img src=\"pix/a1.png\"> Shahnameh "
                                                  "<img src=\"pix/a2.png\"> <img src=\"other/pix.png\">"),
                                   QStringLiteral("ايران")));
    WritePage(FFolder, 5, PageText(QStringLiteral("ايران")));
    WritePage(FFolder, 800, PageText(QStringLiteral("توران")));
    FMenu->show();
}

void TestSearchForm::Search(const QString &query, bool wholeWord, int scope)
{
    FSearch->WholeCase->setChecked(wholeWord);
    FSearch->LookinComboBox->setCurrentIndex(scope);
    FSearch->SearchEdit->setText(query);
    QTest::keyClick(FSearch->SearchEdit, Qt::Key_Return);  // Enter runs the search like the button
}

void TestSearchForm::Open(int line)
{
    FSearch->ResultListBox->setCurrentRow(line);
    FSearch->GotoButtonClick();
}

QString TestSearchForm::FoundPage() const
{
    TScratchText text;
    text.LoadFromFile(ReaderState.TempFolder + QStringLiteral("found.htm"));
    return text.Text();
}

void TestSearchForm::listsPagesWithCount()
{
    Search(QStringLiteral("\u06CC\u0631\u0627\u0646+توران"));  // typed with Persian yeh
    QCOMPARE(FSearch->ResultListBox->count(), 3);
    QCOMPARE(FSearch->ResultListBox->item(0)->text(), QStringLiteral(" صفحه: 0003 - ") + FMain->SectionName(1));
    QCOMPARE(FSearch->ResultListBox->item(2)->text().mid(7, 4), QStringLiteral("0800"));
    QCOMPARE(FSearch->ResultLabel->text(), CountLine(4));
    QCOMPARE(FSearch->TermCount, 2);
    QCOMPARE(FSearch->ResultPages[1], 5);
    QCOMPARE(FSearch->ProgressBar->Position(), (800 - 1) * 100 / (3983 - 1));
    Search(QStringLiteral("ايران*توران"));
    QCOMPARE(FSearch->ResultListBox->count(), 1);
    QCOMPARE(FSearch->ResultLabel->text(), CountLine(1));
}

void TestSearchForm::emptyQueryChangesNothing()
{
    Search(QStringLiteral("توران"));
    const int progress = FSearch->ProgressBar->Position();
    Search(QString());
    QCOMPARE(FSearch->ResultListBox->count(), 2);
    QCOMPARE(FSearch->ResultLabel->text(), CountLine(2));
    QCOMPARE(FSearch->ProgressBar->Position(), progress);
    QCOMPARE(FSearch->SearchTerms[0], QStringLiteral("توران"));
}

void TestSearchForm::showTakesScopeFromReadingWindow()
{
    ReaderState.CurSection = 2;
    FSearch->show();
    QCOMPARE(FSearch->LookinComboBox->currentIndex(), 0);  // over the start menu: whole book
    Search(QStringLiteral("توران"), false, 2);
    QCOMPARE(FSearch->ResultListBox->count(), 1);  // only page 800 lies in section 2
    FSearch->hide();
    FMain->show();
    FSearch->show();
    QCOMPARE(FSearch->LookinComboBox->currentIndex(), 2);
    FSearch->hide();
    FMain->hide();
    FMenu->show();
}

void TestSearchForm::resultPageMarksEveryOccurrenceAndShowsPictures()
{
    FMenu->show();
    FMenu->setEnabled(false);
    FSearch->show();
    Search(QStringLiteral("ايران+nt"));  // "nt" also occurs in the marks themselves
    ReaderState.ContentsMode = true;
    bool loaded = false;
    const auto processing = FMain->PageBrowser->OnDownloadComplete;
    FMain->PageBrowser->OnDownloadComplete = [&](TWebBrowser *b) {
        processing(b);
        loaded = true;
    };
    const auto restore = qScopeGuard([&] { FMain->PageBrowser->OnDownloadComplete = processing; });
    Open(0);
    const QString page = FoundPage();
    const QString open = TPageMarker::OpenMark(QStringLiteral("#FF8000"));
    QCOMPARE(page.count(open), 3 + 24);  // "ايران" twice in the body and once in the head; "nt" twice in 12 head lines
    QVERIFY(page.contains(QStringLiteral("<title>") + open + QStringLiteral("ايران</u></font></title>")));
    QVERIFY(!page.contains(QStringLiteral("<fo") + open));  // no mark inside a mark
    const QString data = TPageMarker::DataFolderUrl(FFolder);
    QVERIFY(page.contains(QStringLiteral("src=\"") + data + QStringLiteral("pix/a1.png\"")));
    QVERIFY(page.contains(QStringLiteral("src=\"") + data + QStringLiteral("pix/a2.png\"")));
    QVERIFY(page.contains(QStringLiteral("src=\"other/pix.png\"")));
    QCOMPARE(ReaderState.CurPage, 3);
    QVERIFY(!ReaderState.ContentsMode);
    QVERIFY(!FSearch->isVisible());
    QVERIFY(FMain->isVisible());  // opened from the start menu: the reading window takes over
    QVERIFY(!FMenu->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(loaded, 20000);
    QVERIFY(FMain->PageBrowser->Url().toLocalFile().endsWith(QStringLiteral("found.htm")));
    int shown = -1;
    EngineView(FMain->PageBrowser)->page()->runJavaScript(
        QStringLiteral("Array.from(document.images).filter(i => i.complete && i.naturalWidth > 0).length"),
        [&](const QVariant &v) { shown = v.toInt(); });
    QTRY_VERIFY_WITH_TIMEOUT(shown >= 0, 10000);
    QCOMPARE(shown, 2);
}

void TestSearchForm::resultFollowsTheSearchThatRan()
{
    // Boxes changed after a search change neither the context nor the opened page's marks;
    // a change of the selection that keeps the current line reads no page again.
    const QString page = FFolder + QStringLiteral("datas/p010003.htm");
    const struct { const char *Query; bool Whole, Folded; const char *Match; } rows[] = {
        {"Shah", false, false, "Shah"},          // a substring of "Shahnameh", letter case kept
        {"SHAHNAMEH", true, true, "Shahnameh"},  // folded: letter case ignored
    };
    for (const auto &r : rows) {
        FSearch->FoldedCase->setChecked(r.Folded);
        Search(QString::fromLatin1(r.Query), r.Whole);
        QCOMPARE(FSearch->ResultListBox->count(), 1);
        FSearch->WholeCase->setChecked(!r.Whole);
        FSearch->FoldedCase->setChecked(!r.Folded);
        FSearch->ResultListBox->setCurrentRow(0);
        const QString context = FSearch->ContextLabel->text(), match = QString::fromLatin1(r.Match);
        QVERIFY2(context.contains(QStringLiteral("<b>") + match + QStringLiteral("</b>")), qPrintable(context));
        QVERIFY(QFile::rename(page, page + QStringLiteral(".away")));
        FSearch->ResultListBox->clearSelection();
        const QString after = FSearch->ContextLabel->text();
        QVERIFY(QFile::rename(page + QStringLiteral(".away"), page));
        QCOMPARE(after, context);
        Open(0);
        QVERIFY2(FoundPage().contains(QStringLiteral("<u>") + match + QStringLiteral("</u></font>")), r.Query);
    }
    FSearch->FoldedCase->setChecked(false);
}

void TestSearchForm::sendsResultsToNotes()
{
    Search(QStringLiteral("ايران+توران"));
    FMain->BookMarkBox->clear();
    FMain->BookMarkBox->addItem(QStringLiteral("جلد: 01 -- صفحه: 0005"));
    FSearch->AddtoBKButtonClick();
    QCOMPARE(FMain->BookMarkBox->count(), 4);
    QCOMPARE(FMain->BookMarkBox->item(1)->text(), QStringLiteral("جلد: 01 -- صفحه: 0003"));
    QCOMPARE(FMain->BookMarkBox->item(2)->text(), QStringLiteral("جلد: 01 -- صفحه: 0005"));
    QCOMPARE(FMain->BookMarkBox->item(3)->text(), QStringLiteral("جلد: 02 -- صفحه: 0800"));
}

void TestSearchForm::listsAtMost999Lines()
{
    for (int p = 1000; p < 2010; ++p) WritePage(FFolder, p, PageText(QStringLiteral("انبوه")));
    Search(QStringLiteral("انبوه"));
    QCOMPARE(FSearch->ResultListBox->count(), 999);
    QCOMPARE(FSearch->ResultLabel->text(), CountLine(1010));
    QCOMPARE(FSearch->ResultPages[998], 1998);
    for (int p = 1000; p < 2010; ++p)
        QFile::remove(FFolder + QStringLiteral("datas/p") + SectionNo2(SectionOf(p)) + PageNo4(p) + QStringLiteral(".htm"));
}

void TestSearchForm::searchesSelectedText()
{
    FSearch->hide();
    FMain->show();
    FMain->setEnabled(true);
    QGuiApplication::clipboard()->clear();
    FSearch->SearchSelectedText(FMain->PageBrowser);  // nothing selected, nothing on the clipboard
    QVERIFY(!FSearch->isVisible());
    QVERIFY(FMain->isEnabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("واژه"));
    FMain->CopToSearchButtonClick();
    QCOMPARE(FSearch->SearchEdit->text(), QStringLiteral("واژه"));
    QVERIFY(FSearch->isVisible());
    QVERIFY(!FMain->isEnabled());
    FSearch->ReturnButtonClick();
    QVERIFY(FMain->isEnabled());
}

void TestSearchForm::failuresAreReportedAndKeepWhatWasThere()
{
    QStringList messages;
    auto previous = SetDialogs(std::make_unique<TRecordedDialogs>(messages));
    FMain->setEnabled(true);
    FSearch->show();
    // A page that exists but cannot be read stops the run after the pages before it.
    const QString blocked = FFolder + QStringLiteral("datas/p010004.htm");
    QVERIFY(QDir().mkpath(blocked));
    Search(QStringLiteral("ايران"));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains(QStringLiteral("p010004.htm")));
    QCOMPARE(FSearch->ResultListBox->count(), 1);  // page 3 only
    QVERIFY(QDir().rmdir(blocked));
    // Opening a result whose page has gone: reported, the old result page stays.
    Search(QStringLiteral("ايران"));
    const QString before = FoundPage();
    QVERIFY(QFile::rename(FFolder + QStringLiteral("datas/p010005.htm"), FFolder + QStringLiteral("datas/moved.htm")));
    FSearch->ResultListBox->setCurrentRow(1);
    emit FSearch->ResultListBox->itemDoubleClicked(FSearch->ResultListBox->item(1));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(FoundPage(), before);
    QVERIFY(FSearch->isVisible());
    QVERIFY(QFile::rename(FFolder + QStringLiteral("datas/moved.htm"), FFolder + QStringLiteral("datas/p010005.htm")));
    FSearch->hide();
    SetDialogs(std::move(previous));
}

QTEST_MAIN(TestSearchForm)
#include "tst_searchform.moc"
