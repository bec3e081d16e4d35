// The reading window when its music player cannot be made at start-up: the failure is
// reported, and the window still turns pages and writes its generated pages into the
// temp folder. The window's own start-up loads a stand-in library that refuses to make
// a player.
#include "EngineView.h"
#include "TestReaderBook.h"
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "skin/TsuiImageButton.h"
#include <QDir>
#include <QtTest>
#include <dlfcn.h>

namespace {
class TRecordedDialogs : public TDialogs {
public:
    QStringList Messages;
    void Beep() override {}
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { Messages << text; }
};
}

class TestFailedStart : public QObject {
    Q_OBJECT
    TTestReaderBook book;
    TRecordedDialogs *dialogs = nullptr;
    TMainForm *form = nullptr;
    void *library = nullptr;

    // Waits until the view has finished loading file (the window has processed the load).
    bool WaitFor(const QString &file)
    {
        return QTest::qWaitFor([&] { return shown == file; }, 20000);
    }
    QString shown;
    void ClickLink(const QString &id)
    {
        EngineView(form->PageBrowser)->page()->runJavaScript(QStringLiteral("document.getElementById('%1').click()").arg(id));
    }

private slots:
    void initTestCase()
    {
        library = dlopen(QFile::encodeName(QCoreApplication::applicationDirPath() + QStringLiteral("/xaudio.so")).constData(),
                         RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(library, dlerror());  // kept open to the end, as the window's player keeps it
        auto setResult = reinterpret_cast<void (*)(int)>(dlsym(library, "fake_set_player_new_result"));
        QVERIFY(setResult);
        setResult(-1);
        auto d = std::make_unique<TRecordedDialogs>();
        dialogs = d.get();
        SetDialogs(std::move(d));
        ReaderState.AppFolder = book.Folder();
        form = new TMainForm;
        auto processing = form->PageBrowser->OnDownloadComplete;
        form->PageBrowser->OnDownloadComplete = [this, processing](TWebBrowser *b) {
            processing(b);
            shown = b->Url().fileName();
        };
        form->show();
    }

    void failureIsReportedAndTheBookStillReads()
    {
        QCOMPARE(dialogs->Messages, QStringList{QStringLiteral("Unable to create XAudio player-object")});
        dialogs->Messages.clear();
        QVERIFY(!ReaderState.TempFolder.isEmpty());
        form->ShowContents(2);
        QVERIFY(WaitFor(QStringLiteral("dir02.htm")));
        QTest::mouseClick(form->NextButton, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(WaitFor(QStringLiteral("p020766.htm")));
        QTest::mouseClick(form->NextButton, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(WaitFor(QStringLiteral("p020767.htm")));
        QCOMPARE(ReaderState.CurPage, 767);
        QVERIFY(dialogs->Messages.isEmpty());
    }

    void generatedPagesGoToTheTempFolderOrNowhere()
    {
        const QString found = QDir::current().filePath(QStringLiteral("found.htm"));
        QFile::remove(found);
        form->PageBrowser->Navigate(book.Folder() + QStringLiteral("datas/ind01.htm"));
        QVERIFY(WaitFor(QStringLiteral("ind01.htm")));
        ClickLink(QStringLiteral("w"));
        QVERIFY(WaitFor(QStringLiteral("found.htm")));
        QVERIFY(QFile::exists(ReaderState.TempFolder + QStringLiteral("found.htm")));
        QVERIFY(!QFile::exists(found));

        // Without a temp folder the link is refused with a message that says why.
        const QString tempFolder = ReaderState.TempFolder;
        ReaderState.TempFolder.clear();
        form->PageBrowser->Navigate(book.Folder() + QStringLiteral("datas/ind01.htm"));
        QVERIFY(WaitFor(QStringLiteral("ind01.htm")));
        ClickLink(QStringLiteral("w"));
        QVERIFY(QTest::qWaitFor([&] { return !dialogs->Messages.isEmpty(); }, 20000));
        QVERIFY2(dialogs->Messages.first().contains(QStringLiteral("temporary folder")), qPrintable(dialogs->Messages.first()));
        QVERIFY(!QFile::exists(found));
        ReaderState.TempFolder = tempFolder;
    }

};

int main(int argc, char **argv)
{
    TKetabApplication app(argc, argv);
    TestFailedStart test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_failedstart.moc"
