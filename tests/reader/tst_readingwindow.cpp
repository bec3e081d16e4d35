// The reading window through its real view: navigation, followed links, the index
// word, notes and options. The book is a small folder whose path holds a dot.
#include "TestReaderBook.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "EngineView.h"
#include "app/TPageLayers.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarkExport.h"
#include "marks/TMarkStore.h"
#include "marks/TMarksList.h"
#include "marks/TMarksPanel.h"
#include "marks/TMarkedHtml.h"
#include "marks/TReaderMarks.h"
#include "reader/TMainForm.h"
#include "reader/TNoteEntry.h"
#include "reader/TNotesFile.h"
#include "reader/TNotesList.h"
#include "reader/TNotesPanel.h"
#include "reader/TOptionsPanel.h"
#include <QTabBar>
#include "widgets/TXAPlayer.h"
#include "xaudio/FakeLibrary.h"
#include "skin/TsuiSideChannel.h"
#include <QAction>
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiImageButton.h"
#include "skin/TsuiRadioButton.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QWebEnginePage>
#include <QtTest>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
// Scripted dialogs: file names are taken from a queue, messages are recorded.
class TScriptedDialogs : public TDialogs {
public:
    QStringList Messages;
    QStringList FileNames;
    QList<QMessageBox::StandardButton> Answers;  // to the questions, in turn
    int Questions = 0;
    void Beep() override {}
    QMessageBox::StandardButton Ask(const QString &, const QString &, QMessageBox::StandardButtons) override
    {
        ++Questions;
        return Answers.isEmpty() ? QMessageBox::Cancel : Answers.takeFirst();
    }
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { Messages << text; }
    QString OpenFileName(QWidget *, const QString &) override { return FileNames.isEmpty() ? QString() : FileNames.takeFirst(); }
    QString SaveFileName(QWidget *, const QString &) override { return FileNames.isEmpty() ? QString() : FileNames.takeFirst(); }
    int Exec(QDialog *) override { return 0; }
};
}

class TestReadingWindow : public QObject {
    Q_OBJECT
    TTestReaderBook book;
    QTemporaryDir temp;
    TMainForm *form = nullptr;
    TScriptedDialogs *dialogs = nullptr;
    int loads = 0;

    QString Name(int s) const { return form->SectionName(s); }
    QString Info(int page, int last, int s) const
    {
        return QStringLiteral("صفحه: ") + QString::number(page) + QStringLiteral(" از ") + QString::number(last)
            + QStringLiteral(" - ") + Name(s);
    }
    QString ShownFile() const { return form->PageBrowser->Url().fileName(); }
    // Runs the event loop until the view has reported `count` loads in all. (A polling
    // wait that sleeps between its rounds would slow every load of the engine down.)
    QEventLoop *waiting = nullptr;
    int waitingFor = 0;
    bool WaitLoads(int count)
    {
        if (loads >= count) return true;
        QEventLoop loop;
        waiting = &loop;
        waitingFor = count;
        QTimer::singleShot(15000, &loop, &QEventLoop::quit);
        loop.exec();
        waiting = nullptr;
        return loads >= count;
    }
    // Runs fn and waits until the view has finished the load it starts.
    bool Load(const std::function<void()> &fn)
    {
        const int before = loads;
        fn();
        return WaitLoads(before + 1);
    }
    bool Click(const QString &id)
    {
        return Load([&] {
            EngineView(form->PageBrowser)->page()->runJavaScript(QStringLiteral("document.getElementById('%1').click()").arg(id));
        });
    }
    bool Contents(int s) { return Load([&] { form->ShowContents(s); }); }
    bool Page(int s, int p)
    {
        ReaderState.CurSection = s;
        ReaderState.CurPage = p;
        ReaderState.ContentsMode = ReaderState.IndexMode = false;
        return Load([&] { form->RefreshPage->trigger(); });
    }
    // Runs script in the page's overlay world and gives its value.
    QVariant Overlay(const QString &script)
    {
        QVariant out;
        bool done = false;
        form->PageBrowser->Layers().Run(script, [&](const QVariant &v) { out = v, done = true; });
        if (!QTest::qWaitFor([&] { return done; }, 5000)) qWarning("no answer to %s", qPrintable(script));
        return out;
    }
    bool EnterPage(const QString &text)
    {
        form->PageNumber->setText(text);
        return Load([&] { QTest::keyClick(form->PageNumber, Qt::Key_Return); });
    }

private slots:
    void initTestCase()
    {
        // The reader's marks go into a folder of the test's.
        qputenv("XDG_DATA_HOME", temp.filePath("data").toLocal8Bit());
        dialogs = new TScriptedDialogs;
        SetDialogs(std::unique_ptr<TDialogs>(dialogs));
        ReaderState.AppFolder = book.Folder();
        form = new TMainForm;
        ReaderState.TempFolder = temp.path() + u'/';
        auto processing = form->PageBrowser->OnDownloadComplete;
        form->PageBrowser->OnDownloadComplete = [this, processing](TWebBrowser *b) {
            processing(b);
            if (++loads >= waitingFor && waiting) waiting->quit();
        };
        form->show();
        // A damaged marks file is told of once, when the marks are first read.
        const QString marks = TMarkStore(TMarkStore::UserFolder(), book.Folder()).FileName();
        QVERIFY(QDir().mkpath(QFileInfo(marks).path()));
        QFile damaged(marks);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("{\"format\": \"ketab-marks\", ") > 0);
        damaged.close();
        form->Marks->Load();
        form->Marks->Load();
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY(!QFile::exists(marks));
    }
    void init()
    {
        dialogs->Messages.clear();
        dialogs->Questions = 0;
    }
    void cleanup() { QVERIFY2(dialogs->Messages.isEmpty(), qPrintable(dialogs->Messages.join("; "))); }

    void windowHasTheNamedParts()
    {
        QCOMPARE(form->InfoLabel->text(), QStringLiteral("صفحه:"));
        QCOMPARE(form->DirList->count(), 5);
        QCOMPARE(form->findChild<QWidget *>("BookMarkChannel")->width(), TsuiSideChannel::PushedWidth);
        QCOMPARE(form->findChild<QWidget *>("RHidePanel")->width(), TsuiSideChannel::PushedWidth);
        QVERIFY(form->findChild<QAction *>("N22"));
        QCOMPARE(form->layoutDirection(), Qt::RightToLeft);
    }

    // The bottom bar's picture buttons take their designed sizes; the options panel
    // shows both music switches and both check boxes, and a click on one reaches it.
    void barAndOptionsAtTheirDesignedSizes()
    {
        QVERIFY(QTest::qWaitForWindowExposed(form));
        const QRect bar = form->BottomPanel->rect();
        for (TsuiImageButton *b : {form->MenuButton, form->DirButton, form->SearchButton, form->PrintButton}) {
            QCOMPARE(b->size(), QSize(76, 23));
            QVERIFY(bar.contains(b->geometry()));
        }
        for (TsuiImageButton *b : {form->FirstButton, form->BackButton, form->NextButton, form->LastButton}) {
            QCOMPARE(b->size(), QSize(32, 24));
            QVERIFY(bar.contains(b->geometry()));
        }

        TOptionsPanel *o = form->OptionsPanel;
        form->RHidePanel->SetStayOn(true);
        QCOMPARE(form->RHidePanel->width(), 160);
        const QRect inside = form->RHidePanel->rect();
        for (TsuiCheckBox *b : {static_cast<TsuiCheckBox *>(o->MusicOn), static_cast<TsuiCheckBox *>(o->MusicOff),
                                o->AllTopCheckBox, o->BookMarkShow}) {
            QVERIFY2(b->isVisible() && b->height() == 19, qPrintable(b->objectName()));
            QVERIFY2(inside.contains(b->geometry()), qPrintable(b->objectName()));
        }
        // The switches reach the player: the decoder library is told to stop, then to play.
        FakeLibrary decoder;
        form->MusicPlayer->SetDLLName(decoder.Path);
        QVERIFY(form->MusicPlayer->Initialize());
        decoder.Reset();
        QTest::mouseClick(o->MusicOff, Qt::LeftButton, {}, o->MusicOff->rect().center());
        QVERIFY(o->MusicOff->Checked() && !o->MusicOn->Checked());
        QVERIFY(!ReaderState.MusicEnabled);
        QCOMPARE(decoder.Log().filter("send"), QStringList{"control_message_send_N 6"});  // stop
        decoder.Reset();
        QTest::mouseClick(o->MusicOn, Qt::LeftButton, {}, o->MusicOn->rect().center());
        QVERIFY(o->MusicOn->Checked() && ReaderState.MusicEnabled);
        QCOMPARE(decoder.Log().filter("send"), QStringList{"control_message_send_N 4"});  // play

        // The channel passes its style on to the switches and boxes it holds.
        form->RHidePanel->SetUIStyle(TsuiUIStyle::MacOS);
        QCOMPARE(o->MusicOff->UIStyle(), TsuiUIStyle::MacOS);
        QCOMPARE(o->BookMarkShow->UIStyle(), TsuiUIStyle::MacOS);
        form->RHidePanel->SetUIStyle(TsuiUIStyle::DeepBlue);
        QCOMPARE(o->AllTopCheckBox->UIStyle(), TsuiUIStyle::DeepBlue);
        form->RHidePanel->SetStayOn(false);
    }

    // Sized down as far as it goes, the window still shows every control of its bottom bar
    // at its size, and both side panels open beside each other with all their controls
    // at full height (the panels' widths are fixed: so are their controls').
    void leastSizeKeepsEveryControl()
    {
        const QRect was = form->geometry();
        form->resize(1, 1);
        QCOMPARE(form->size(), form->minimumSize());
        QTest::qWait(50);
        const auto shown = [this](const QWidget *w, bool fullWidth) {
            const QRect r(w->mapTo(form, QPoint()), w->size());
            const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
            return w->isVisible() && form->rect().contains(r) && (!fullWidth || w->width() >= least.width()) &&
                w->height() >= least.height();
        };
        for (QWidget *w : form->BottomPanel->findChildren<QWidget *>())
            if (w->isVisibleTo(form)) QVERIFY2(shown(w, true), qPrintable(w->objectName()));
        form->BookMarkChannel->Pop(true);
        form->RHidePanel->Pop(true);
        QTest::qWait(50);
        QCOMPARE(form->BookMarkChannel->width(), 169);
        QCOMPARE(form->RHidePanel->width(), 160);
        // The notes panel's two pages (the notes, the list of marks) and the options panel's
        // two (the options, the page's layout), each in turn.
        for (QWidget *page : {static_cast<QWidget *>(form->NotesPanel), static_cast<QWidget *>(form->MarksPanel)})
            for (int options : {0, 1}) {
                form->NotesPages->setCurrentWidget(page);
                form->OptionsPanel->Pages->setCurrentIndex(options);
                QTest::qWait(20);
                for (QWidget *panel : {page, static_cast<QWidget *>(form->OptionsPanel)})
                    for (QWidget *w : panel->findChildren<QWidget *>())
                        if (w->isVisibleTo(form)) QVERIFY2(shown(w, false), qPrintable(w->objectName()));
            }
        form->NotesPages->setCurrentWidget(form->NotesPanel);
        form->OptionsPanel->Pages->setCurrentIndex(0);
        form->BookMarkChannel->Push(true);
        form->RHidePanel->Push(true);
        form->setGeometry(was);
    }

    void contentsPageAndItsLink()
    {
        QVERIFY(Contents(1));
        QCOMPARE(ShownFile(), QStringLiteral("dir01.htm"));
        QVERIFY(ReaderState.ContentsMode);
        QVERIFY(!ReaderState.CanBack);
        QCOMPARE(form->InfoLabel->text(), QStringLiteral("فهرست ") + Name(1));
        QCOMPARE(form->PageNumber->text(), QString());
        // A link with a fragment names no page: nothing changes.
        QVERIFY(Click("frag"));
        QVERIFY(ReaderState.ContentsMode);
        QCOMPARE(ReaderState.CurPage, 1);
        QVERIFY(Contents(1));
        // The book folder's path holds a dot; the link is followed all the same.
        QVERIFY(Click("l376"));
        QCOMPARE(ShownFile(), QStringLiteral("p010376.htm"));
        QCOMPARE(ReaderState.CurPage, 376);
        QCOMPARE(ReaderState.CurSection, 1);
        QCOMPARE(form->InfoLabel->text(), Info(376, 765, 1));
        QCOMPARE(form->PageNumber->text(), QStringLiteral("376"));
        QVERIFY(!ReaderState.ContentsMode);
        QVERIFY(ReaderState.CanBack && ReaderState.CanForward);
    }

    void nextFromContentsAndBounds()
    {
        // Every page refresh runs ChMusic: on a contents page First and Previous run none.
        QSignalSpy refreshes(form->ChMusic, &QAction::triggered);
        QVERIFY(Contents(2));
        refreshes.clear();
        form->FirstPage->trigger();
        form->PreviousPage->trigger();
        QCOMPARE(refreshes.count(), 0);
        QCOMPARE(form->PageNumber->text(), QString());
        QVERIFY(ReaderState.ContentsMode);
        QVERIFY(Load([&] { form->NextPage->trigger(); }));
        QCOMPARE(ShownFile(), QStringLiteral("p020766.htm"));
        QCOMPARE(form->InfoLabel->text(), Info(766, 1312, 2));
        QVERIFY(!ReaderState.ContentsMode);
        // The first page of the section is a hard bound.
        form->PreviousPage->trigger();
        QCOMPARE(ReaderState.CurPage, 766);
        QVERIFY(Load([&] { form->NextPage->trigger(); }));
        QCOMPARE(ReaderState.CurPage, 767);
        QVERIFY(Load([&] { form->PreviousPage->trigger(); }));
        QCOMPARE(ReaderState.CurPage, 766);
        QVERIFY(!ReaderState.CanBack);
        refreshes.clear();
        form->PreviousPage->trigger();
        form->FirstPage->trigger();
        QCOMPARE(refreshes.count(), 0);
        QCOMPARE(ReaderState.CurPage, 766);
        QVERIFY(Load([&] { form->NextPage->trigger(); }));
        QVERIFY(Load([&] { form->LastPage->trigger(); }));
        QCOMPARE(ShownFile(), QStringLiteral("p021312.htm"));
        QVERIFY(!ReaderState.CanForward);
        // On the last page Next and Last each do nothing, not even a refresh.
        refreshes.clear();
        form->NextPage->trigger();
        QCOMPARE(ReaderState.CurPage, 1312);
        form->LastPage->trigger();
        QCOMPARE(refreshes.count(), 0);
        QCOMPARE(ReaderState.CurPage, 1312);
        QVERIFY(Load([&] { form->PreviousPage->trigger(); }));
        QCOMPARE(ReaderState.CurPage, 1311);
        QVERIFY(Load([&] { form->FirstPage->trigger(); }));
        QCOMPARE(ReaderState.CurPage, 766);
        // A contents link sets CanForward: on a section's last page only its bound stops Next.
        QVERIFY(Contents(1) && Click("l765") && ReaderState.CanForward);
        refreshes.clear();
        form->NextPage->trigger();
        form->LastPage->trigger();
        QCOMPARE(ReaderState.CurPage, 765);
        QVERIFY(WaitLoads(loads + int(refreshes.count())));  // the page shown again, if it was
    }

    // A section outside the book is named as it was asked for.
    void missingSectionIsNamedInTheMessage()
    {
        QString message;
        try {
            form->ShowContents(7);
        } catch (const EKetabError &e) {
            message = e.Message();
        }
        QCOMPARE(message, QStringLiteral("There is no section 7 in the book"));
    }

    void typedPageNumberIsClampedToTheSection()
    {
        QVERIFY(Page(2, 767));
        QVERIFY(EnterPage("5"));
        QCOMPARE(ReaderState.CurPage, 766);
        QVERIFY(EnterPage("9999"));
        QCOMPARE(ReaderState.CurPage, 1312);
        QVERIFY(EnterPage("800"));
        QCOMPARE(ReaderState.CurPage, 800);
        QCOMPARE(ShownFile(), QStringLiteral("p020800.htm"));
        QCOMPARE(ReaderState.CurSection, 2);
        // A blank entry is a conversion error; the page stays.
        form->PageNumber->clear();
        QTest::keyClick(form->PageNumber, Qt::Key_Return);
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY(dialogs->Messages.first().contains("not a valid integer"));
        dialogs->Messages.clear();
        QCOMPARE(ReaderState.CurPage, 800);
        // Before a section is chosen the entry is ignored.
        ReaderState.CurSection = 0;
        form->PageNumber->setText("900");
        form->PageNumber_KeyPress(QChar(13));
        QCOMPARE(ReaderState.CurPage, 800);
        ReaderState.CurSection = 2;
    }

    void indexLinkMarksTheWord()
    {
        QVERIFY(Load([&] { form->PageBrowser->Navigate(book.Folder() + "datas/ind01.htm"); }));
        QVERIFY(ReaderState.IndexMode);
        // The link load, then the result page's load.
        const int before = loads;
        EngineView(form->PageBrowser)->page()->runJavaScript("document.getElementById('w').click()");
        QVERIFY(WaitLoads(before + 2));
        QCOMPARE(ShownFile(), QStringLiteral("found.htm"));
        QVERIFY(!ReaderState.ResultPending);
        QVERIFY(!ReaderState.IndexMode);
        QCOMPARE(ReaderState.CurPage, 800);
        QCOMPARE(ReaderState.CurSection, 2);
        QCOMPARE(form->InfoLabel->text(), Info(800, 1312, 2));
        TScratchText found;
        found.LoadFromFile(ReaderState.TempFolder + "found.htm");
        const QString mark = QStringLiteral("<font color=\"#3399FF\"><u>ايران</u></font>");
        QCOMPARE(found.Text().count(mark), 4);  // every occurrence, "Iran" untouched
        QVERIFY(found.Text().contains(QStringLiteral("Iran ")));
        QCOMPARE(found.Text().count(QStringLiteral("<u>")), 4);
    }

    void indexWordThatOccursInTheMark()
    {
        QVERIFY(Load([&] { form->PageBrowser->Navigate(book.Folder() + "datas/ind01.htm"); }));
        const int before = loads;
        EngineView(form->PageBrowser)->page()->runJavaScript("document.getElementById('nt').click()");
        QVERIFY(WaitLoads(before + 2));
        TScratchText found;
        found.LoadFromFile(ReaderState.TempFolder + "found.htm");
        // Every "nt" of the page is marked (also the one in "font"), none inside a mark.
        TScratchText page;
        page.LoadFromFile(book.Folder() + "datas/p020801.htm");
        const QString open = QStringLiteral("<font color=\"#3399FF\"><u>"), close = QStringLiteral("</u></font>");
        QCOMPARE(found.Text().count(open + "nt" + close), page.Text().count("nt"));
        QString unmarked = found.Text();
        unmarked.remove(open).remove(close);
        QCOMPARE(unmarked, page.Text());
        QCOMPARE(ReaderState.CurPage, 801);
    }

    void contentsPageWhileResultPendingOnlyRunsMusic()
    {
        QVERIFY(Page(1, 376));
        const QString info = form->InfoLabel->text();
        QSignalSpy music(form->ChMusic, &QAction::triggered);
        ReaderState.ResultPending = true;
        QVERIFY(Load([&] { form->PageBrowser->Navigate(book.Folder() + "datas/dir01.htm"); }));
        QCOMPARE(music.count(), 1);
        QVERIFY(!ReaderState.ContentsMode);
        QCOMPARE(form->InfoLabel->text(), info);
        // The result page itself only clears the request.
        ReaderState.CurPage = 800;
        music.clear();
        QVERIFY(Load([&] { form->RefreshPage->trigger(); }));
        QCOMPARE(ShownFile(), QStringLiteral("found.htm"));
        QCOMPARE(ReaderState.CurSection, 2);
        QVERIFY(!ReaderState.ResultPending);
        QCOMPARE(music.count(), 1);  // the refresh's own
    }

    void notesSaveLoadAndGoTo()
    {
        form->NewButtonClick();
        ReaderState.CurSection = 1;
        ReaderState.CurPage = 376;
        form->InsertBM->trigger();
        ReaderState.CurSection = 3;
        ReaderState.CurPage = 1500;
        form->InsertBM->trigger();
        QCOMPARE(form->BookMarks(), QStringList({TNoteEntry::Compose(1, 376), TNoteEntry::Compose(3, 1500)}));
        const QString notes = temp.filePath("notes");
        dialogs->FileNames = {notes, notes + ".bmk"};
        form->SaveButtonClick();
        QVERIFY(QFile::exists(notes + ".bmk"));
        QFile::remove(notes + ".bmk");
        form->SaveButtonClick();
        QVERIFY(QFile::exists(notes + ".bmk"));
        QVERIFY(!QFile::exists(notes + ".bmk.bmk"));

        // A chosen name that gains ".bmk" and so names an existing file asks first: No
        // goes back to the dialog, Yes replaces the file.
        const QString dotted = temp.filePath("my.notes");
        const QStringList kept{TNoteEntry::Compose(5, 3983)};
        TNotesFile::Save(dotted + ".bmk", kept);
        const int asked = dialogs->Questions;
        dialogs->FileNames = {dotted, temp.filePath("other")};
        dialogs->Answers = {QMessageBox::No};
        form->SaveButtonClick();
        QCOMPARE(dialogs->Questions, asked + 1);
        QCOMPARE(TNotesFile::Load(dotted + ".bmk"), kept);
        QCOMPARE(TNotesFile::Load(temp.filePath("other.bmk")), form->BookMarks());
        dialogs->FileNames = {dotted};
        dialogs->Answers = {QMessageBox::Yes};
        form->SaveButtonClick();
        QCOMPARE(dialogs->Questions, asked + 2);
        QCOMPARE(TNotesFile::Load(dotted + ".bmk"), form->BookMarks());

        // Loading replaces the list, whatever it held.
        form->NewButtonClick();
        form->BookMarkBox->addItem(TNoteEntry::Compose(2, 800));
        dialogs->FileNames = {notes + ".bmk"};
        form->LoadButtonClick();
        QCOMPARE(form->BookMarks(), QStringList({TNoteEntry::Compose(1, 376), TNoteEntry::Compose(3, 1500)}));

        // A failed load keeps the list and says why.
        QFile garbage(temp.filePath("bad.bmk"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray("\x00\x01\x02\xFF\x00", 5).repeated(100));
        garbage.close();
        dialogs->FileNames = {garbage.fileName()};
        QVERIFY_THROWS_EXCEPTION(EFileError, form->LoadButtonClick());
        QCOMPARE(form->BookMarkBox->count(), 2);

        // Go to the entry of section 3 while section 1 is current.
        ReaderState.CurSection = 1;
        form->BookMarkBox->setCurrentRow(1);
        QVERIFY(Load([&] { form->GotoButtonClick(); }));
        QCOMPARE(ReaderState.CurSection, 3);
        QCOMPARE(ReaderState.CurPage, 1500);
        QCOMPARE(ShownFile(), QStringLiteral("p031500.htm"));

        // An entry of another form, of no section, or of a page outside its section
        // raises and changes nothing.
        for (const QString &entry : {QStringLiteral("جلد: xx -- صفحه: 0012"), TNoteEntry::Compose(6, 12),
                                     TNoteEntry::Compose(1, 9999), TNoteEntry::Compose(1, 766),
                                     TNoteEntry::Compose(2, 765), TNoteEntry::Compose(5, 0)}) {
            form->BookMarkBox->addItem(entry);
            form->BookMarkBox->setCurrentRow(2);
            QVERIFY_THROWS_EXCEPTION(EConvertError, form->GotoButtonClick());
            QCOMPARE(ReaderState.CurSection, 3);
            QCOMPARE(ReaderState.CurPage, 1500);
            form->DeleteButtonClick();
        }
        QCOMPARE(form->BookMarkBox->count(), 2);
    }

    void pinningFollowsTheCheckBox()
    {
        TsuiCheckBox *show = form->OptionsPanel->BookMarkShow;
        show->Click();
        QVERIFY(form->BookMarkChannel->StayOn());
        QCOMPARE(form->BookMarkChannel->width(), 169);
        show->Click();
        QVERIFY(!form->BookMarkChannel->StayOn());
        QCOMPARE(form->BookMarkChannel->width(), TsuiSideChannel::PushedWidth);
        form->BookMarkChannel->SetStayOn(true);
        QVERIFY(show->Checked());
        form->BookMarkChannel->SetStayOn(false);
        QVERIFY(!show->Checked());
    }

    void fullScreenAndBack()
    {
        const QRect work = form->screen()->availableGeometry();
        form->OptionsPanel->AllTopCheckBox->Click();
        QTRY_VERIFY(form->isFullScreen());
        form->OptionsPanel->AllTopCheckBox->Click();
        QTRY_VERIFY(!form->isFullScreen());
        QTRY_COMPARE(form->geometry(), work);
    }

    void textSizeStaysAcrossPages()
    {
        QVERIFY(Page(1, 2));
        form->OptionsPanel->FontSizeComboBox->setCurrentIndex(2);
        QCOMPARE(form->PageBrowser->ZoomLevel(), 4);
        QVERIFY(Load([&] { form->PreviousPage->trigger(); }));
        QCOMPARE(EngineView(form->PageBrowser)->zoomFactor(), TWebBrowser::ZoomFactorOf(4));
        form->OptionsPanel->FontSizeComboBox->setCurrentIndex(0);
        QCOMPARE(form->PageBrowser->ZoomLevel(), 0);
        form->OptionsPanel->FontSizeComboBox->setCurrentIndex(1);
        QCOMPARE(EngineView(form->PageBrowser)->zoomFactor(), 1.0);
    }

    // A named pipe chosen as notes file is refused at once, through the Load button,
    // and the list stays; a double-click anywhere in the list goes to the selected entry.
    void notesPipeIsRefusedAndDoubleClickGoesToTheSelection()
    {
        form->BookMarkChannel->SetStayOn(true);
        form->NewButtonClick();
        form->BookMarkBox->addItems({TNoteEntry::Compose(1, 376), TNoteEntry::Compose(2, 767)});
        const QString pipe = temp.filePath("pipe.bmk");
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        // Should the load wait for a writer, this opens the other end so the test ends.
        std::atomic<bool> done = false;
        std::thread unblock([&] {
            for (int i = 0; i < 100 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (done) return;
            const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        });
        dialogs->FileNames = {pipe};
        QTest::mouseClick(form->NotesPanel->LoadButton, Qt::LeftButton);
        done = true;
        unblock.join();
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY2(dialogs->Messages.first().contains(QStringLiteral("not a regular file")), qPrintable(dialogs->Messages.first()));
        dialogs->Messages.clear();
        QCOMPARE(form->BookMarks(), QStringList({TNoteEntry::Compose(1, 376), TNoteEntry::Compose(2, 767)}));

        QListWidget *box = form->BookMarkBox;
        QVERIFY(Page(1, 2));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(1)).center());
        const QPoint below = box->visualItemRect(box->item(1)).center() + QPoint(0, 3 * box->visualItemRect(box->item(1)).height());
        QVERIFY(box->viewport()->rect().contains(below));
        QVERIFY(!box->itemAt(below));
        // A double-click's first press comes as a press of its own, as from a real mouse.
        QVERIFY(Load([&] {
            QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, below);
            QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, below);
        }));
        QCOMPARE(ReaderState.CurSection, 2);
        QCOMPARE(ReaderState.CurPage, 767);
        QCOMPARE(ShownFile(), QStringLiteral("p020767.htm"));
        form->BookMarkChannel->SetStayOn(false);
    }

    // Leaving with notes that differ from those last saved or loaded asks first.
    void leavingWithChangedNotesAsksToSave()
    {
        form->NewButtonClick();
        dialogs->FileNames = {temp.filePath("empty")};
        form->SaveButtonClick();
        QVERIFY(form->Notes->MayLeave(form));
        QCOMPARE(dialogs->Questions, 0);
        ReaderState.CurSection = 1;
        ReaderState.CurPage = 376;
        form->InsertBM->trigger();
        form->DeleteButtonClick();  // nothing selected: nothing deleted
        form->BookMarkBox->setCurrentRow(0);
        form->DeleteButtonClick();
        QVERIFY(form->Notes->MayLeave(form));  // back to what it was
        QCOMPARE(dialogs->Questions, 0);

        // Through the options panel's Exit button: cancel, and a cancelled save dialog, keep the program.
        form->InsertBM->trigger();
        dialogs->Answers = {QMessageBox::Cancel, QMessageBox::Save};
        dialogs->FileNames = {QString()};
        form->RHidePanel->SetStayOn(true);
        QTest::mouseClick(form->OptionsPanel->ExitButton, Qt::LeftButton);
        QTest::mouseClick(form->OptionsPanel->ExitButton, Qt::LeftButton);
        form->RHidePanel->SetStayOn(false);
        QCOMPARE(dialogs->Questions, 2);
        QVERIFY(!TKetabApplication::Terminated());
        QVERIFY(form->isVisible());

        // Saving writes the list and lets the program go; leaving it unsaved lets it go too.
        const QString file = temp.filePath("onexit");
        dialogs->Answers = {QMessageBox::Save};
        dialogs->FileNames = {file};
        QVERIFY(form->Notes->MayLeave(form));
        QCOMPARE(TNotesFile::Load(file + ".bmk"), QStringList{TNoteEntry::Compose(1, 376)});
        QVERIFY(form->Notes->MayLeave(form));  // saved: nothing to ask
        QCOMPARE(dialogs->Questions, 3);
        form->InsertBM->trigger();
        dialogs->Answers = {QMessageBox::Discard};
        QVERIFY(form->Notes->MayLeave(form));
        QCOMPARE(dialogs->Questions, 4);
        QCOMPARE(TNotesFile::Load(file + ".bmk"), QStringList{TNoteEntry::Compose(1, 376)});
        form->NewButtonClick();
        QVERIFY(!TKetabApplication::Terminated());
    }

    // A mark made on a page is drawn on its words as a mark with its note, on the page and
    // on its result page, found again when the page's file changed, written into the print.
    // The page core reads the text a print or an import reads from the file.
    void marksOnBookAndResultPages()
    {
        const QString marked = QStringLiteral("Array.from(document.querySelectorAll('span[role=mark]'))"
                                              ".map(function (s) { return s.textContent; }).join('')");
        TScratchText real;
        for (const QString &file : {QStringLiteral(KETAB_BOOK_DIR "/datas/p042144.htm"), book.Folder() + "datas/dir02.htm"}) {
            QVERIFY(Load([&] { form->PageBrowser->Navigate(file); }));
            real.LoadFromFile(file);
            QCOMPARE(Overlay("ketab.text()").toString(), TMarkedHtml::Text(real.Text()));
        }
        QVERIFY(Page(2, 800));
        Overlay("(function () { var at = ketab.text().indexOf('ايرانيان'), s = document.getSelection();"
                " s.removeAllRanges(); s.addRange(ketab.range(at + 1, at + 8)); })()");
        form->Marks->MarkSelection(TMark::msGreen, false);
        QTRY_COMPARE(Overlay(marked).toString(), QStringLiteral("يرانيان"));
        TMark mark = form->Marks->MarksOf(800).value(0);
        mark.Note = QStringLiteral("نكته");
        form->Marks->Store().Put(mark);
        QTRY_COMPARE(Overlay("document.querySelector('span[role=mark]').getAttribute('aria-description')").toString(), mark.Note);
        QVERIFY(Overlay("!!document.querySelector('[data-ketab-mark-sign]:last-child, span[role=mark] + [data-ketab-mark-sign]')").toBool());
        // The index word's result page of page 800 shows it too, across the word's own mark.
        QVERIFY(Load([&] { form->PageBrowser->Navigate(book.Folder() + "datas/ind01.htm"); }));
        const int before = loads;
        EngineView(form->PageBrowser)->page()->runJavaScript("document.getElementById('w').click()");
        QVERIFY(WaitLoads(before + 2));
        QTRY_COMPARE(Overlay(marked).toString(), QStringLiteral("يرانيان"));
        real.LoadFromFile(book.Folder() + "datas/p020800.htm");
        QVERIFY(form->Marks->PrintBody(book.Folder() + "datas/p020800.htm", real.Text())
                    .contains(TMarkedHtml::PrintStyle(TMark::msGreen) + QStringLiteral("\">يرانيان</span>")));
        // Words put before it and a hamza changed in it: the same words, a new place.
        book.WritePage(2, 800, QStringLiteral("<p>سخن نو: ايران و ايرانيأن؛ ايران زمين. Iran ايران</p>"));
        QVERIFY(Page(2, 800));
        QTRY_COMPARE(Overlay(marked).toString(), QStringLiteral("يرانيأن"));
        QTRY_VERIFY(form->Marks->MarksOf(800).value(0).Start > mark.Start);
        book.WritePage(2, 800, QStringLiteral("<p>ايران و ايرانيان؛ ايران زمين. Iran ايران</p>"));
        form->Marks->Remove(mark.Id);
        QVERIFY(form->Marks->MarksOf(800).isEmpty());
    }

    // A mark whose passage left its page stays, listed as not found there; removals come
    // back (the last ten at least); marks exported as web annotations come back by import
    // without doubles, and a file of other JSON changes nothing.
    void marksLostUndoneExportedAndImported()
    {
        TMarkStore &store = form->Marks->Store();
        TMarksPanel *panel = form->MarksPanel;
        book.WritePage(3, 1500, QStringLiteral("<p>يك دو سه چهار پنج شش هفت هشت نه ده يازده دوازده</p>"));
        QVERIFY(Page(3, 1500));
        const QString text = Overlay("ketab.text()").toString();
        const QStringList words = text.mid(text.indexOf(QStringLiteral("يك"))).split(u' ');
        for (const QString &w : words) store.Put(TMarkAnchor::Make(1500, text, text.indexOf(w), text.indexOf(w) + w.size(), TMark::msBlue));
        const auto count = [&] { return form->Marks->MarksOf(1500).size(); };
        QCOMPARE(count(), 12);
        book.WritePage(3, 1500, QStringLiteral("<p>يك دو سه چهار پنج شش هفت هشت نه ده يازده</p>"));
        QVERIFY(Page(3, 1500));
        const QString lost = store.Marks().constLast().Id;
        QTRY_VERIFY(form->Marks->IsLost(lost));
        QCOMPARE(count(), 12);
        panel->OnShowing();
        QVERIFY(panel->Model()->data(panel->Model()->index(11), Qt::AccessibleDescriptionRole).toString().contains(TMarksList::LostText()));
        QVERIFY(!panel->Model()->data(panel->Model()->index(10), TMarksList::LostRole).toBool());

        const QString file = temp.filePath("marks.jsonld"), more = temp.filePath("more.jsonld"), foreign = temp.filePath("other.json");
        dialogs->FileNames = {file};
        panel->OnExport(TMarksPanel::efJsonLd);
        for (const TMark &m : store.Marks()) form->Marks->Remove(m.Id);
        QCOMPARE(count(), 0);
        for (int i = 0; i < 12; ++i) QVERIFY(form->Marks->UndoRemove());
        QCOMPARE(count(), 12);
        // Two marks the store does not hold, and a file of other JSON.
        const QList<TMark> two{TMarkAnchor::Make(1500, text, text.indexOf(words[0]), text.indexOf(words[2]), TMark::msPink),
                               TMarkAnchor::Make(1500, text, text.indexOf(words[3]), text.indexOf(words[5]), TMark::msPink)};
        for (const auto &[name, bytes] : {std::pair{more, TMarkExport::WebAnnotation(two, TCitationNames::OfBook())},
                                          std::pair{foreign, QByteArray("{\"@context\": 1, \"items\": []}")}}) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        // The export again: no doubles; the new marks added; the other JSON changes nothing.
        for (const auto &[from, after] : {std::pair{file, 12}, std::pair{more, 14}, std::pair{foreign, 14}}) {
            dialogs->FileNames = {from};
            panel->OnImport();
            QCOMPARE(count(), after);
            QCOMPARE(dialogs->Messages.size(), 1);
            QCOMPARE(dialogs->Messages.takeFirst().contains(QLatin1String("nothing was changed"), Qt::CaseInsensitive), from == foreign);
        }
        for (const TMark &m : store.Marks()) store.Remove(m.Id);
    }
};

int main(int argc, char **argv)
{
    TKetabApplication app(argc, argv);
    TestReadingWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_readingwindow.moc"
