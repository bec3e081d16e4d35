// The program without a mouse or without sight, on the real nine windows and the built
// book. Key events go to the control that has the focus, as a keyboard sends them: Tab
// order, visible focus, the start menu's keys, the reading window's keys and side panels,
// Enter and Escape in the secondary windows, a Tab that reaches every control. What a
// screen reader reads: labels that change read what they show; standard dialogs in Persian.
#include "EngineView.h"
#include "ProgramWindows.h"
#include "app/TWebBrowser.h"
#include "reader/TNotesPanel.h"
#include "reader/TOptionsPanel.h"
#include "search/TSearchForm.h"
#include "skin/TsuiImageButton.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiSideChannel.h"
#include "widgets/TImage32.h"
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QWidget *Focus() { return QApplication::focusWidget(); }

// A key as the keyboard sends it: to the focused control of the active window.
void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = Focus() ? Focus() : QApplication::activeWindow();
    QVERIFY2(target, "no window has the keyboard");
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

// The control that holds the focus, counting the view's inner widget as the view.
QWidget *FocusedControl()
{
    QWidget *w = Focus();
    for (QWidget *p = w; p; p = p->parentWidget())
        if (qobject_cast<TWebBrowser *>(p)) return p;
    return w;
}

// A page load on a busy machine: the engine may take its time.
constexpr int PageLoadMs = 30000;

QString PageFileShown() { return MainForm->PageBrowser->Url().fileName(); }

QString Name(QObject *o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); }
QString Description(QObject *o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Description); }
}

// A helper's failed check ends the test that called it.
#define STEP(call)                                                                                 \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed()) return;                                                    \
    } while (0)

class TestAccess : public QObject {
    Q_OBJECT
    QTemporaryDir data;
    QString completed;  // the page file whose load the reading window has processed last

    // Each step ends with its page loaded and processed, so no load is under way when the
    // next one starts (the engine may drop a navigation that overtakes a late finish).
    bool Loaded(const QString &file)
    {
        return QTest::qWaitFor([&] { return completed == file; }, PageLoadMs);
    }

    // A window whose window-system window is made anew as its first page loads (the help,
    // the reading window) may lose the activation again: ask until it keeps it.
    bool Activate(QWidget *window)
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            window->activateWindow();
            if (QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 500)) {
                QTest::qWait(50);
                if (QApplication::activeWindow() == window) return true;
            }
        }
        return false;
    }
    void StartMenu()
    {
        HideSecondaryWindows();
        if (!MenuForm->isVisible()) SwitchToStartMenu();
        MenuForm->setEnabled(true);
        MainForm->setEnabled(true);
        QVERIFY(Activate(MenuForm));
    }
    // Section s from the start menu with the keys alone; the contents page is on screen after it.
    void OpenSection(int s)
    {
        STEP(StartMenu());
        MenuForm->LastButton->setFocus(Qt::TabFocusReason);
        for (int k = 1; k < s; ++k) Key(Qt::Key_Down);
        Key(Qt::Key_Return);
        QVERIFY(MainForm->isVisible());
        QCOMPARE(ReaderState.CurSection, s);
        QTRY_VERIFY2_WITH_TIMEOUT(ReaderState.ContentsMode && PageFileShown() == QStringLiteral("dir0%1.htm").arg(s),
                                  qPrintable(PageFileShown() + (ReaderState.ContentsMode ? " contents" : " page")), PageLoadMs);
        QVERIFY(Activate(MainForm));
    }
    // Tab from the focused control until the focus comes round again; the controls in order.
    // Inside a page Tab goes from link to link before the view hands the focus on. (Without
    // a desktop the engine keeps it: the view is then left as the engine leaves it.)
    QList<QWidget *> TabCycle(int limit = 80)
    {
        QList<QWidget *> seen;
        QWidget *first = FocusedControl();
        for (int k = 0; k < limit; ++k) {
            QWidget *now = FocusedControl();
            seen << now;
            Key(Qt::Key_Tab);
            if (qobject_cast<TWebBrowser *>(now) && !QTest::qWaitFor([&] { return FocusedControl() != now; }, 300)) {
                QWidget *next = now->nextInFocusChain();
                while (next != now && (now->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus)
                                       || !next->isVisible() || !next->isEnabled()))
                    next = next->nextInFocusChain();
                next->setFocus(Qt::TabFocusReason);
            }
            if (FocusedControl() == first) break;
        }
        return seen;
    }

public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        qputenv("XAUDIO_OUTPUT", "silent");
        QVERIFY(MakeProgramWindows());
        auto processing = MainForm->PageBrowser->OnDownloadComplete;
        MainForm->PageBrowser->OnDownloadComplete = [this, processing](TWebBrowser *b) {
            processing(b);
            completed = b->Url().fileName();
        };
    }
    void cleanup()
    {
        QStringList &messages = QuietMessages();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'|')));
    }

    void startMenuButtonsFollowTabAndArrowsAndShowTheirFocus()
    {
        STEP(StartMenu());
        QCOMPARE(Focus(), MenuForm->LastButton);
        const QList<QWidget *> order{MenuForm->LastButton, MenuForm->suiImageButton1, MenuForm->suiImageButton2,
                                     MenuForm->suiImageButton3, MenuForm->suiImageButton4, MenuForm->SearchButton,
                                     MenuForm->IndexButton, MenuForm->GaleryButton, MenuForm->PrintButton,
                                     MenuForm->HelpButton, MenuForm->CreditsButton, MenuForm->ExitButton};
        QCOMPARE(TabCycle(), order);
        // Down and Left go on, Up and Right go back, round the same order.
        Key(Qt::Key_Down);
        Key(Qt::Key_Left);
        QCOMPARE(Focus(), MenuForm->suiImageButton2);
        Key(Qt::Key_Up);
        Key(Qt::Key_Right);
        Key(Qt::Key_Up);
        QCOMPARE(Focus(), MenuForm->ExitButton);

        // Keyboard focus is framed on the picture; the frame goes with the focus.
        TsuiImageButton *search = MenuForm->SearchButton;
        const QImage plain = search->ComposeImage();
        search->setFocus(Qt::TabFocusReason);
        const QImage framed = search->ComposeImage();
        QVERIFY(framed != plain);
        const QRgb corner = framed.pixel(search->FocusedRectMargin(), search->FocusedRectMargin());
        QVERIFY(corner == qRgb(0, 0, 0) || corner == qRgb(255, 255, 255));
        Key(Qt::Key_Down);
        QCOMPARE(search->ComposeImage(), plain);
    }

    void startMenuButtonsPressWithEnterOrSpace()
    {
        STEP(StartMenu());
        MenuForm->HelpButton->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Space);
        QVERIFY(HelpForm->isVisible());
        QVERIFY(MenuForm->isEnabled());
        QVERIFY(Activate(HelpForm));
        Key(Qt::Key_Escape);
        QTRY_VERIFY(!HelpForm->isVisible());

        // The index menu opens at its button with its first entry active; Enter takes it.
        QVERIFY(Activate(MenuForm));
        MenuForm->IndexButton->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return);
        QTRY_VERIFY(MenuForm->IndexMenu->isVisible());
        QCOMPARE(MenuForm->IndexMenu->activeAction(), MenuForm->N1);
        QTest::keyClick(MenuForm->IndexMenu, Qt::Key_Down);
        QTest::keyClick(MenuForm->IndexMenu, Qt::Key_Return);
        QVERIFY(MainForm->isVisible() && !MenuForm->isVisible());
        QVERIFY(Loaded(QStringLiteral("ind02.htm")));
    }

    void readingWindowKeysRunThePageActions()
    {
        STEP(OpenSection(2));
        // The page has the keys: the moves reach the actions through the view.
        QTRY_COMPARE_WITH_TIMEOUT(FocusedControl(), MainForm->PageBrowser, PageLoadMs);
        Key(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(PageFileShown(), QStringLiteral("dir02.htm"));
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(ReaderState.CurPage, 766);
        QTRY_VERIFY_WITH_TIMEOUT(!ReaderState.ContentsMode && PageFileShown() == QStringLiteral("p020766.htm"), PageLoadMs);
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(ReaderState.CurPage, 767);
        QCOMPARE(MainForm->InfoLabel->text(), MainForm->PageInfoText());
        Key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(ReaderState.CurPage, 1312);
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(ReaderState.CurPage, 1312);
        Key(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(ReaderState.CurPage, 766);
        Key(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(ReaderState.CurPage, 766);

        // Ctrl+G: the number box, its text selected, so typing replaces it.
        Key(Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(Focus(), MainForm->PageNumber);
        QTest::keyClicks(MainForm->PageNumber, QStringLiteral("800"));
        Key(Qt::Key_Return);
        QCOMPARE(ReaderState.CurPage, 800);
        QVERIFY(Loaded(QStringLiteral("p020800.htm")));
    }

    void readingWindowKeysOpenWindowsAndRestWhileDisabled()
    {
        STEP(OpenSection(3));
        // On a contents page Ctrl+P does nothing, as the Print button does.
        Key(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!PrintForm->isVisible());
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!ReaderState.ContentsMode, PageLoadMs);
        const int page = ReaderState.CurPage;

        Key(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(SearchForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        QVERIFY(Activate(SearchForm));
        // The reading window's keys rest while it waits for the search window.
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        Key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(ReaderState.CurPage, page);
        Key(Qt::Key_Escape);
        QVERIFY(!SearchForm->isVisible());
        QVERIFY(MainForm->isEnabled());

        QVERIFY(Activate(MainForm));
        Key(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(PrintForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        QVERIFY(Activate(PrintForm));
        Key(Qt::Key_Escape);
        QVERIFY(!PrintForm->isVisible());
        QVERIFY(MainForm->isEnabled());

        QVERIFY(Activate(MainForm));
        Key(Qt::Key_F1);
        QVERIFY(HelpForm->isVisible());
        HelpForm->hide();
    }

    void textSizeKeysMoveTheOptionsPanelsSize()
    {
        STEP(OpenSection(1));
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!ReaderState.ContentsMode, PageLoadMs);
        QComboBox *sizes = MainForm->OptionsPanel->FontSizeComboBox;
        QCOMPARE(sizes->currentIndex(), 1);
        Key(Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(sizes->currentIndex(), 2);
        QCOMPARE(MainForm->PageBrowser->ZoomLevel(), 4);
        Key(Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(sizes->currentIndex(), 2);
        // The size stays on the next page, as one picked in the panel does.
        Key(Qt::Key_PageDown, Qt::ControlModifier);
        QVERIFY(Loaded(QStringLiteral("p010002.htm")));
        QTRY_COMPARE_WITH_TIMEOUT(EngineView(MainForm->PageBrowser)->zoomFactor(), TWebBrowser::ZoomFactorOf(4), PageLoadMs);
        Key(Qt::Key_Minus, Qt::ControlModifier);
        Key(Qt::Key_Minus, Qt::ControlModifier);
        Key(Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(sizes->currentIndex(), 0);
        QCOMPARE(MainForm->PageBrowser->ZoomLevel(), 0);
        Key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(sizes->currentIndex(), 1);
        QCOMPARE(MainForm->PageBrowser->ZoomLevel(), 2);
    }

    void sidePanelsOpenForTheKeyboardAndCloseWhenItLeaves()
    {
        STEP(OpenSection(1));
        TsuiSideChannel *options = MainForm->RHidePanel;
        TsuiSideChannel *notes = MainForm->BookMarkChannel;
        QCOMPARE(options->ActualWidth(), TsuiSideChannel::PushedWidth);
        // Round from the last button of the bar into the options panel at the right edge.
        MainForm->PrintButton->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Tab);
        QCOMPARE(Focus(), MainForm->OptionsPanel->Pages);  // the panel's pages, then the first page's options
        Key(Qt::Key_Tab);
        QCOMPARE(Focus(), MainForm->OptionsPanel->MusicOn);
        QCOMPARE(options->ActualWidth(), 160);
        // Space chooses a radio button.
        Key(Qt::Key_Tab);
        Key(Qt::Key_Space);
        QVERIFY(MainForm->OptionsPanel->MusicOff->Checked());
        QVERIFY(!MainForm->OptionsPanel->MusicOn->Checked());
        QVERIFY(!ReaderState.MusicEnabled);
        Key(Qt::Key_Backtab);
        Key(Qt::Key_Space);
        QVERIFY(ReaderState.MusicEnabled);
        // The cursor far away does not close a panel the keyboard works in.
        QCursor::setPos(MainForm->mapToGlobal(MainForm->rect().center()));
        QTest::qWait(TsuiSideChannel::AutoHideInterval + 300);
        QVERIFY(options->Popped());
        // Escape hands the focus on (to the page) and the panel closes.
        Key(Qt::Key_Escape);
        QCOMPARE(FocusedControl(), MainForm->PageBrowser);
        QCOMPARE(options->ActualWidth(), TsuiSideChannel::PushedWidth);

        // The notes panel at the left edge, entered backwards from the bar below it; Enter on
        // its buttons presses them.
        MainForm->MenuButton->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Backtab);
        QCOMPARE(Focus(), MainForm->NotesPanel->PrintListButton);
        QCOMPARE(notes->ActualWidth(), 169);
        for (int k = 0; k < 7; ++k) Key(Qt::Key_Backtab);
        QCOMPARE(Focus(), MainForm->NotesPanel->InsertButton);
        const int entries = MainForm->BookMarkBox->count();
        Key(Qt::Key_Return);
        QCOMPARE(MainForm->BookMarkBox->count(), entries + 1);
        // Out again past the panel's pin: it closes.
        for (int k = 0; k < 12 && Focus() != MainForm->MenuButton; ++k) Key(Qt::Key_Tab);
        QCOMPARE(Focus(), MainForm->MenuButton);
        QCOMPARE(notes->ActualWidth(), TsuiSideChannel::PushedWidth);
    }

    void secondaryWindowsTakeEnterAndEscape()
    {
        // Print: Enter in a page box presses the default Print button; Escape leaves the preview.
        STEP(StartMenu());
        MenuForm->PrintButton->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Space);
        QVERIFY(PrintForm->isVisible());
        QVERIFY(Activate(PrintForm));
        PrintForm->VolComboBox->setCurrentIndex(1);
        PrintForm->Spinfirst->setValue(766);
        PrintForm->Spinlast->setValue(767);
        PrintForm->Spinfirst->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return);
        QVERIFY(!PrintForm->isVisible());
        QVERIFY(PreviewForm->isVisible());
        QVERIFY(Activate(PreviewForm));
        Key(Qt::Key_Escape);
        QTRY_VERIFY(!PreviewForm->isVisible());
        QVERIFY(MenuForm->isEnabled());

        // Gallery: Enter on the thumbnail shows it large; Escape there comes back.
        QVERIFY(Activate(MenuForm));
        MenuForm->GaleryButton->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return);
        QVERIFY(PicGalleryForm->isVisible());
        QVERIFY(Activate(PicGalleryForm));
        PicGalleryForm->GalleryListBox->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Down);
        Key(Qt::Key_Tab);
        QCOMPARE(Focus(), PicGalleryForm->Picture);
        Key(Qt::Key_Return);
        QVERIFY(ShowPicForm->isVisible());
        QVERIFY(!PicGalleryForm->isEnabled());
        QVERIFY(Activate(ShowPicForm));
        Key(Qt::Key_Escape);
        QVERIFY(!ShowPicForm->isVisible());
        QVERIFY(PicGalleryForm->isEnabled());
        QCOMPARE(PicGalleryForm->GalleryListBox->currentRow(), 1);
        QVERIFY(Activate(PicGalleryForm));
        Key(Qt::Key_Escape);
        QVERIFY(!PicGalleryForm->isVisible());

        // Search: Enter runs it, Enter on a result opens it in the reading window.
        QVERIFY(Activate(MenuForm));
        MenuForm->SearchButton->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return);
        QVERIFY(Activate(SearchForm));
        SearchForm->LookinComboBox->setCurrentIndex(2);
        SearchForm->SearchEdit->setFocus(Qt::TabFocusReason);
        SearchForm->SearchEdit->clear();
        SearchForm->SearchEdit->setText(QStringLiteral("ايران"));
        Key(Qt::Key_Return);
        QVERIFY(SearchForm->ResultListBox->count() > 0);
        QVERIFY(SearchForm->isVisible());
        for (int i = 0; i < 6; ++i) Key(Qt::Key_Tab);  // recent searches, scope, the two check boxes, the button, the list
        QCOMPARE(Focus(), SearchForm->ResultListBox);
        Key(Qt::Key_Down);
        const int line = SearchForm->ResultListBox->currentRow();
        QVERIFY(line >= 0);
        Key(Qt::Key_Return);
        QVERIFY(!SearchForm->isVisible());
        QVERIFY(MainForm->isVisible() && !MenuForm->isVisible());
        QCOMPARE(ReaderState.CurPage, SearchForm->ResultPages[line]);
        QVERIFY(Loaded(QStringLiteral("found.htm")));
    }

    // Whatever a mouse can press, Tab reaches: push buttons, check and radio boxes, lists,
    // edits, links and the picture-only controls that show the hand cursor.
    void tabReachesEveryControlOfEveryWindow()
    {
        const auto pressable = [](QWidget *w) {
            static const QList<QAccessible::Role> roles{QAccessible::Button, QAccessible::CheckBox,
                                                         QAccessible::RadioButton, QAccessible::ComboBox,
                                                         QAccessible::EditableText, QAccessible::SpinBox,
                                                         QAccessible::List, QAccessible::Link, QAccessible::ToolBar};
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            return (iface && roles.contains(iface->role())) || w->cursor().shape() == Qt::PointingHandCursor;
        };
        const auto check = [&](QWidget *window, QWidget *start) {
            QVERIFY(Activate(window));
            start->setFocus(Qt::TabFocusReason);
            const QList<QWidget *> reached = TabCycle();
            for (QWidget *w : window->findChildren<QWidget *>()) {
                if (!w->isVisibleTo(window) || !w->isEnabled() || w->window() != window || !pressable(w)) continue;
                const bool inView = std::any_of(reached.begin(), reached.end(), [w](QWidget *r) { return r == w || r->isAncestorOf(w); });
                QVERIFY2(inView, qPrintable(window->objectName() + u'.' + w->objectName() + u' '
                                            + QString::fromLatin1(w->metaObject()->className())));
            }
        };
        STEP(StartMenu());
        check(MenuForm, MenuForm->LastButton);
        SwitchToReadingWindow();
        check(MainForm, MainForm->MenuButton);
        for (TForm *f : std::initializer_list<TForm *>{SearchForm, PrintForm, PicGalleryForm, CreditsForm, HelpForm}) {
            f->show();
            QWidget *first = f->nextInFocusChain();
            while (!(first->focusPolicy() & Qt::TabFocus) || !first->isVisibleTo(f)) first = first->nextInFocusChain();
            check(f, first);
            f->hide();
        }
    }

    void changingLabelsReadWhatTheyShow()
    {
        // The page status line: its text is its name (Qt announces a change of it), what it is its description.
        SwitchToReadingWindow();
        ReaderState.CurSection = 2;
        ReaderState.CurPage = 800;
        ReaderState.ContentsMode = ReaderState.ResultPending = false;
        MainForm->RefreshPage->trigger();
        QVERIFY(Loaded(QStringLiteral("p020800.htm")));
        QLabel *status = MainForm->InfoLabel;
        QVERIFY(status->text().contains(QStringLiteral("800")));
        QCOMPARE(Name(status), status->text());
        QCOMPARE(Description(status), QStringLiteral("وضعيت صفحه"));

        // The search count.
        SearchForm->show();
        SearchForm->LookinComboBox->setCurrentIndex(2);
        SearchForm->SearchEdit->setText(QStringLiteral("ايران"));
        SearchForm->SearchButtonClick();
        QVERIFY(SearchForm->FoundCount > 0);
        QCOMPARE(Name(SearchForm->ResultLabel), SearchForm->ResultLabel->text());
        QVERIFY(Name(SearchForm->ResultLabel).endsWith(QString::number(SearchForm->FoundCount)));
        SearchForm->hide();

        // The print range's bounds.
        PrintForm->show();
        PrintForm->VolComboBox->setCurrentIndex(1);
        QCOMPARE(Name(PrintForm->LimitLabel), QStringLiteral("766 - 1312"));
        QCOMPARE(Description(PrintForm->LimitLabel), QStringLiteral("محدوده صفحات"));
        PrintForm->hide();

        // The gallery's thumbnail keeps its "what a click does" name and tells which figure it shows.
        const QString does = Name(PicGalleryForm->Picture);
        PicGalleryForm->show();
        PicGalleryForm->GalleryListBox->setCurrentRow(3);
        QCOMPARE(Description(PicGalleryForm->Picture), PicGalleryForm->GalleryListBox->item(3)->text());
        QCOMPARE(Name(PicGalleryForm->Picture), does);
        PicGalleryForm->hide();
        MainForm->setEnabled(true);
        MenuForm->setEnabled(true);
    }

    void standardDialogsSpeakPersian()
    {
        QVERIFY(TKetabApplication::LoadQtTranslations(qApp));
        const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        QVERIFY(!cancel.isEmpty() && cancel != QStringLiteral("Cancel"));
        QCOMPARE(qApp->layoutDirection(), Qt::RightToLeft);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
