// The window protocol on the real nine windows: who disables whom, every hide handler's
// rule, the main-window switch, the start menu's hand-over, and the end of the program.
#include "ProgramWindows.h"
#include "EngineView.h"
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/StartupSteps.h"
#include "app/THtmlEngineModule.h"
#include "app/TMenuForm.h"
#include "app/TProgramStart.h"
#include "app/TWebBrowser.h"
#include "app/WindowProtocol.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "pictures/TPicGalleryForm.h"
#include "pictures/TShowPicForm.h"
#include "print/TPreviewForm.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "search/TSearchForm.h"
#include "reader/TNotesPanel.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiImageButton.h"
#include "skin/TsuiSideChannel.h"
#include "widgets/TImage32.h"
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

namespace {
void Press(TsuiImageButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(3, 3));
}

// A click on a button of a skinned title bar, by its index.
void PressTitleButton(TsuiForm *frame, int index)
{
    TsuiTitleBar *bar = frame->TitleBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->Layout().ButtonRects[size_t(index)].center());
}

QWindow *OpenerOf(QWidget *window) { return window->windowHandle() ? window->windowHandle()->transientParent() : nullptr; }
}

class TestProtocol : public QObject {
    Q_OBJECT
    QTemporaryDir data;
    TQuietDialogs *dialogs = nullptr;

    void BackToStartMenu()
    {
        HideSecondaryWindows();
        if (!MenuForm->isVisible()) SwitchToStartMenu();
        MenuForm->setEnabled(true);
        MainForm->setEnabled(true);
    }

public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QVERIFY(MakeProgramWindows());
        dialogs = &static_cast<TQuietDialogs &>(Dialogs());
    }

    void startMenuLayout()
    {
        QCOMPARE(MenuForm->size(), QSize(600, 440));
        QVERIFY(MenuForm->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(MenuForm->layoutDirection(), Qt::RightToLeft);
        const struct {
            const char *name;
            QRect place;
        } buttons[] = {
            {"LastButton", {226, 253, 296, 22}},     {"suiImageButton1", {226, 277, 296, 22}},
            {"suiImageButton2", {226, 301, 296, 22}}, {"suiImageButton3", {226, 325, 296, 22}},
            {"suiImageButton4", {226, 349, 296, 22}}, {"SearchButton", {72, 253, 90, 24}},
            {"IndexButton", {72, 285, 90, 24}},       {"GaleryButton", {72, 317, 90, 24}},
            {"PrintButton", {72, 352, 90, 24}},       {"ExitButton", {16, 405, 58, 24}},
            {"CreditsButton", {32, 133, 18, 66}},     {"HelpButton", {8, 5, 33, 13}},
        };
        for (const auto &b : buttons) {
            auto *button = MenuForm->findChild<TsuiImageButton *>(QString::fromLatin1(b.name));
            QVERIFY2(button, b.name);
            QCOMPARE(button->geometry(), b.place);
            // Both pictures are there, of the button's own size.
            QCOMPARE(button->PicNormal().size(), b.place.size());
            QCOMPARE(button->PicMouseOn().size(), b.place.size());
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
            QCOMPARE(iface->role(), QAccessible::Button);
            QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), b.name);
        }
        // Every control of the start menu has an accessible name and a role.
        for (QWidget *w : MenuForm->findChildren<QWidget *>()) {
            if (qobject_cast<QMenu *>(w)) continue;
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(iface && !iface->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(iface->role() != QAccessible::NoRole, qPrintable(w->objectName()));
        }
        QCOMPARE(MenuForm->TntLabel1->text(), QStringLiteral("فهرست:"));
        QCOMPARE(MenuForm->TntLabel1->palette().color(QPalette::WindowText), QColor(252, 238, 205));
        QCOMPARE(MenuForm->N1->text(), QStringLiteral("نمايه عمومی"));
        QCOMPARE(MenuForm->N2->text(), QStringLiteral("نمايه آثار"));
        // The white two-pixel frame lies over the picture.
        const QImage shot = MenuForm->grab().toImage();
        QCOMPARE(shot.pixelColor(0, 200), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(1, 200), QColor(Qt::white));
        QVERIFY(shot.pixelColor(2, 200) != QColor(Qt::white));
        QCOMPARE(shot.pixelColor(599, 439), QColor(Qt::white));
    }

    // Once the start menu has been painted, start-up loads the engine, warms the reading
    // window's view with a page nobody asked for and prepares the reading window's first
    // show, then reads the marks: the warming load is not reported, the reading window stays hidden with its
    // native window made, the start menu stays the one window shown, and the first section
    // chosen then opens as usual. (Before any other test gives a view a page.)
    void engineAndReadingWindowArePreparedUnseen()
    {
        QVERIFY(!THtmlEngineModule::Loaded());
        QVERIFY(!MainForm->PageBrowser->EngineWidget());
        QVERIFY(!MainForm->testAttribute(Qt::WA_WState_Created));
        int reported = 0;
        const auto processing = MainForm->PageBrowser->OnDownloadComplete;
        MainForm->PageBrowser->OnDownloadComplete = [&](TWebBrowser *b) {
            ++reported;
            processing(b);
        };
        const auto restore = qScopeGuard([&] { MainForm->PageBrowser->OnDownloadComplete = processing; });
        QStringList stages;
        TProgramStart::AfterFirstPaint([&](const char *stage) { stages << QString::fromLatin1(stage); });
        QTRY_VERIFY_WITH_TIMEOUT(stages.contains(QStringLiteral("engine warm")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(stages.contains(QStringLiteral("marks read")), 20000);
        QCOMPARE(stages.mid(0, 3), (QStringList{"start menu painted", "engine module loaded", "engine started"}));
        QVERIFY(stages.indexOf(QStringLiteral("reading window prepared")) < stages.indexOf(QStringLiteral("marks read")));
        QCOMPARE(stages.size(), 6);
        QWidget *engine = MainForm->PageBrowser->EngineWidget();
        QVERIFY(engine);
        QCOMPARE(engine->parentWidget(), MainForm->PageBrowser);  // in the window's accessibility tree
        // Warmed on a page of the book, then left on an empty page the reading window may show.
        QCOMPARE(MainForm->PageBrowser->LocationURL(), QStringLiteral("about:blank"));
        QVERIFY(!MainForm->isVisible());
        QVERIFY(MainForm->testAttribute(Qt::WA_WState_Created));
        QVERIFY(MenuForm->isVisible() && MenuForm->isEnabled());
        QTest::qWait(500);
        QCOMPARE(reported, 0);
        QVERIFY(!ReaderState.ContentsMode && !ReaderState.IndexMode);
        Press(MenuForm->LastButton);
        QVERIFY(MainForm->isVisible() && !MenuForm->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
        QTRY_COMPARE_WITH_TIMEOUT(reported, 1, 20000);
        QVERIFY(ReaderState.ContentsMode);
        QVERIFY(MainForm->PageBrowser->LocationURL().endsWith(QStringLiteral("datas/dir01.htm")));
    }

    void searchReEnablesTheWindowItWasOpenedFrom()
    {
        BackToStartMenu();
        Press(MenuForm->SearchButton);
        QVERIFY(SearchForm->isVisible());
        QVERIFY(!MenuForm->isEnabled());
        SearchForm->hide();
        QVERIFY(MenuForm->isEnabled());

        // From the reading window: it is disabled, then search shows; hiding enables it again.
        SwitchToReadingWindow();
        QVERIFY(MainForm->isVisible() && !MenuForm->isVisible());
        MainForm->setEnabled(false);
        SearchForm->show();
        SearchForm->hide();
        QVERIFY(MainForm->isEnabled());
        QVERIFY(!MenuForm->isVisible());
    }

    void printAndPreviewFollowTheRule()
    {
        BackToStartMenu();
        Press(MenuForm->PrintButton);
        QVERIFY(PrintForm->isVisible());
        QVERIFY(!MenuForm->isEnabled());
        // The print window hides itself first, then shows the preview: the opener stays enabled.
        PrintForm->hide();
        PreviewForm->show();
        QVERIFY(MenuForm->isEnabled());
        PreviewForm->hide();
        QVERIFY(MenuForm->isEnabled());
    }

    void helpLeavesTheStartMenuEnabled()
    {
        BackToStartMenu();
        Press(MenuForm->HelpButton);
        QVERIFY(HelpForm->isVisible());
        QVERIFY(MenuForm->isEnabled());
        HelpForm->hide();
        QVERIFY(MenuForm->isEnabled());
    }

    void galleryCreditsAndViewerDisableTheirOpener()
    {
        BackToStartMenu();
        Press(MenuForm->GaleryButton);
        QVERIFY(PicGalleryForm->isVisible());
        QVERIFY(!MenuForm->isEnabled());
        PicGalleryForm->setEnabled(false);
        ShowPicForm->show();
        ShowPicForm->hide();
        QVERIFY(PicGalleryForm->isEnabled());
        PicGalleryForm->hide();
        QVERIFY(MenuForm->isEnabled());

        Press(MenuForm->CreditsButton);
        QVERIFY(CreditsForm->isVisible());
        QVERIFY(!MenuForm->isEnabled());
        CreditsForm->hide();
        QVERIFY(MenuForm->isEnabled());
    }

    // The desktop keeps each secondary window over the window it was opened from, and
    // each opens where it belongs.
    void secondaryWindowsStayOverTheirOpener()
    {
        const QRect work = MenuForm->screen()->availableGeometry();
        BackToStartMenu();
        Press(MenuForm->SearchButton);
        QCOMPARE(OpenerOf(SearchForm), MenuForm->windowHandle());
        QCOMPARE(SearchForm->geometry().center(), work.center());
        SearchForm->hide();

        Press(MenuForm->PrintButton);
        QCOMPARE(OpenerOf(PrintForm), MenuForm->windowHandle());
        QVERIFY((PrintForm->geometry().center() - work.center()).manhattanLength() <= 1);
        // Printing hides the print window and opens the preview, maximised, over the start menu.
        QTest::mouseClick(PrintForm->PrintButton, Qt::LeftButton);
        QVERIFY(PreviewForm->isVisible());
        QCOMPARE(OpenerOf(PreviewForm), MenuForm->windowHandle());
        QTRY_VERIFY(PreviewForm->isMaximized());
        PreviewForm->showNormal();
        PreviewForm->hide();

        Press(MenuForm->GaleryButton);
        QCOMPARE(OpenerOf(PicGalleryForm), MenuForm->windowHandle());
        QTest::mouseClick(PicGalleryForm->Picture, Qt::LeftButton, {}, QPoint(60, 80));
        QVERIFY(ShowPicForm->isVisible());
        QCOMPARE(OpenerOf(ShowPicForm), PicGalleryForm->windowHandle());
        ShowPicForm->hide();
        PicGalleryForm->hide();

        Press(MenuForm->CreditsButton);
        QCOMPARE(OpenerOf(CreditsForm), MenuForm->windowHandle());
        QCOMPARE(CreditsForm->geometry().center(), MenuForm->geometry().center());
        CreditsForm->hide();

        // The same windows opened from the reading window stay over it.
        SwitchToReadingWindow();
        Press(MainForm->SearchButton);
        QCOMPARE(OpenerOf(SearchForm), MainForm->windowHandle());
        SearchForm->hide();
        PressTitleButton(MainForm->suiForm, 4);
        QVERIFY(HelpForm->isVisible());
        QCOMPARE(OpenerOf(HelpForm), MainForm->windowHandle());
        QVERIFY(MainForm->isEnabled());
        HelpForm->hide();
    }

    // The reading window's minimise button takes the whole program to the task bar, and
    // restoring one window brings the others back.
    void minimiseTakesEveryWindowAlong()
    {
        BackToStartMenu();
        SwitchToReadingWindow();
        PressTitleButton(MainForm->suiForm, 4);
        QVERIFY(HelpForm->isVisible());
        PressTitleButton(MainForm->suiForm, 3);
        QTRY_VERIFY(MainForm->isMinimized());
        QTRY_VERIFY(HelpForm->isMinimized());
        QVERIFY(!MenuForm->isVisible());
        HelpForm->setWindowState(HelpForm->windowState() & ~Qt::WindowMinimized);
        QTRY_VERIFY(!MainForm->isMinimized());
        QVERIFY(!HelpForm->isMinimized());
        HelpForm->hide();
    }

    void sectionButtonHandsOverToTheReadingWindow()
    {
        BackToStartMenu();
        Press(MenuForm->suiImageButton1);
        QCOMPARE(ReaderState.CurSection, 2);
        QCOMPARE(ReaderState.CurPage, 766);
        QVERIFY(MainForm->isVisible());
        QVERIFY(!MenuForm->isVisible());
        QTRY_VERIFY(MainForm->PageBrowser->Url().toLocalFile().endsWith(QStringLiteral("datas/dir02.htm")));
    }

    void indexEntryClearsPageCommands()
    {
        BackToStartMenu();
        MainForm->InfoLabel->setText(QStringLiteral("x"));
        MainForm->PageNumber->setText(QStringLiteral("12"));
        const int section = ReaderState.CurSection;
        MenuForm->N2->trigger();
        QVERIFY(!ReaderState.CanForward);
        QVERIFY(!ReaderState.CanBack);
        QVERIFY(MainForm->InfoLabel->text().isEmpty());
        QVERIFY(MainForm->PageNumber->text().trimmed().isEmpty());
        QCOMPARE(ReaderState.CurSection, section);
        QVERIFY(MainForm->isVisible() && !MenuForm->isVisible());
        QTRY_VERIFY(MainForm->PageBrowser->Url().toLocalFile().endsWith(QStringLiteral("datas/ind02.htm")));
    }

    void exactlyOneMainWindowIsVisible()
    {
        BackToStartMenu();
        QVERIFY(MenuForm->isVisible() != MainForm->isVisible());
        SwitchToReadingWindow();
        QVERIFY(MenuForm->isVisible() != MainForm->isVisible());
        SwitchToStartMenu();
        QVERIFY(MenuForm->isVisible() && !MainForm->isVisible());
    }

    // A contents page left for an index: the page reached from the index is an ordinary
    // page again, for Next and for Print.
    void indexLinkAfterContentsIsAnOrdinaryPage()
    {
        // The file of the last page the reading window has finished loading (and processed).
        QString loaded;
        const auto processing = MainForm->PageBrowser->OnDownloadComplete;
        MainForm->PageBrowser->OnDownloadComplete = [&](TWebBrowser *b) {
            processing(b);
            loaded = b->Url().fileName();
        };
        const auto restore = qScopeGuard([&] { MainForm->PageBrowser->OnDownloadComplete = processing; });
        const auto waitLoaded = [&](const char *file) {
            return QTest::qWaitFor([&] { return loaded == QLatin1String(file); }, 60000);
        };
        BackToStartMenu();
        Press(MenuForm->suiImageButton1);
        QVERIFY(waitLoaded("dir02.htm"));
        QVERIFY(ReaderState.ContentsMode);
        Press(MainForm->MenuButton);
        QVERIFY(MenuForm->isVisible());
        Press(MenuForm->IndexButton);
        QTRY_VERIFY(MenuForm->IndexMenu->isVisible());
        QTest::mouseClick(MenuForm->IndexMenu, Qt::LeftButton, {}, MenuForm->IndexMenu->actionGeometry(MenuForm->N1).center());
        QVERIFY(waitLoaded("ind01.htm"));
        QVERIFY(ReaderState.IndexMode);
        QVERIFY(!ReaderState.ContentsMode);
        // The first entry of the index that leads into section 2, below its last page.
        QString href;
        EngineView(MainForm->PageBrowser)->page()->runJavaScript(
            QStringLiteral("(() => { const a = Array.from(document.links).find(a => /p02(0[89]|1[0-2])\\d\\d\\.htm#/.test(a.href));"
                           " a.click(); return a.getAttribute('href'); })()"),
            [&](const QVariant &v) { href = v.toString(); });
        QVERIFY(waitLoaded("found.htm"));
        QVERIFY(!href.isEmpty());
        const int page = href.mid(3, 4).toInt();
        QVERIFY(!ReaderState.ResultPending);
        QCOMPARE(ReaderState.CurPage, page);
        Press(MainForm->NextButton);
        QCOMPARE(ReaderState.CurPage, page + 1);
        QCOMPARE(ReaderState.CurSection, 2);
        Press(MainForm->PrintButton);
        QVERIFY(PrintForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        PrintForm->hide();
        QVERIFY(MainForm->isEnabled());
    }

    // Last: it ends the program. Notes that were never saved are offered for saving first.
    void closingTheReadingWindowEndsTheProgram()
    {
        SwitchToReadingWindow();
        MainForm->BookMarkChannel->SetStayOn(true);
        QTest::mouseClick(MainForm->NotesPanel->InsertButton, Qt::LeftButton);
        QCOMPARE(MainForm->BookMarkBox->count(), 1);
        MainForm->close();  // answered: cancel
        QCOMPARE(dialogs->questions.size(), 1);
        QVERIFY(!TKetabApplication::Terminated());
        QVERIFY(MainForm->isVisible());

        const QString notes = data.filePath(QStringLiteral("notes.bmk"));
        dialogs->saveName = notes;
        QTest::mouseClick(MainForm->NotesPanel->SaveButton, Qt::LeftButton);
        QVERIFY(QFile::exists(notes));
        MainForm->close();
        QCOMPARE(dialogs->questions.size(), 1);  // saved: nothing to ask
        QVERIFY(TKetabApplication::Terminated());
    }
};

QTEST_MAIN(TestProtocol)
#include "tst_protocol.moc"
