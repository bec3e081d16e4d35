// Files that fail the reader while it works, through the real windows: notes saved where
// they cannot be, generated pages whose place in the private folder is taken by something
// else, and page files that turn into something else under the search and the print
// document. Each time the reader gets a message naming the file, nothing of theirs is lost,
// nothing is written through a link, and no half-made page is shown.
#include "FaultKit.h"
#include "ScriptedDialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "print/TPreviewForm.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "reader/TNoteEntry.h"
#include "reader/TNotesPanel.h"
#include "search/SearchTestBook.h"
#include "search/TSearchForm.h"
#include "widgets/TVrProgressBar.h"
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {
const QString Word = QStringLiteral("واژه");
const QByteArray Victim = "a file of someone else's";

// Breaks one page file when the print window's progress shows the pages before it done.
class TBreakAtProgress : public QObject {
public:
    TBreakAtProgress(TVrProgressBar *bar, int position, QString file, TFileFault fault)
        : FBar(bar), FPosition(position), FFile(std::move(file)), FFault(fault) { bar->installEventFilter(this); }
    bool Broken = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !Broken && FBar->Position() == FPosition) Broken = BreakFile(FFile, FFault);
        return false;
    }

private:
    TVrProgressBar *FBar;
    int FPosition;
    QString FFile;
    TFileFault FFault;
};
}

class TestFileFaults : public QObject {
    Q_OBJECT
    TTestBook book;
    QTemporaryDir runtime, temp, outside;
    TScriptedDialogs *dialogs = nullptr;
    QStringList creationMessages;

    QStringList Entries(int count) const
    {
        QStringList entries;
        for (int i = 0; i < count; ++i) entries << TNoteEntry::Compose(1 + i % 5, 1 + i);
        return entries;
    }
    void SetList(const QStringList &entries)
    {
        MainForm->BookMarkBox->clear();
        MainForm->BookMarkBox->addItems(entries);
    }
    // The reader chooses the name and, when the file is there, says to replace it.
    void SaveNotes(const QString &chosen)
    {
        dialogs->FileNames = {chosen};
        dialogs->Answers = {QMessageBox::Yes};
        Press(MainForm->NotesPanel->SaveButton);
    }
    // The real button's click, straight to its connection: a failure its handler raises
    // must be caught by the guard the connection carries, as the application's own
    // event handler is not on the way.
    static void Press(QAbstractButton *button) { button->click(); }
    QString PageFile(int page) const { return book.File(page); }
    QByteArray PageBytes(int page) const { return PageText(page % 2 == 0 ? Word : QStringLiteral("متن")).toUtf8(); }
    std::vector<int> Search()
    {
        SearchForm->WholeCase->setChecked(false);
        SearchForm->LookinComboBox->setCurrentIndex(1);
        SearchForm->SearchEdit->setText(Word);
        QTest::keyClick(SearchForm->SearchEdit, Qt::Key_Return);
        std::vector<int> pages;
        for (int k = 0; k < SearchForm->ResultListBox->count(); ++k) pages.push_back(SearchForm->ResultPages[k]);
        return pages;
    }
    // A folder that the ordinary user can reach and read (the test folders are private).
    static void OpenToReaders(const QString &path) { QVERIFY(SetMode(path, 0755)); }

private slots:
    void initTestCase();
    void styleSheetCopyRefusesALinkAndTheWindowIsStillMade();
    void notesSaveIntoReadOnlyFolder();
    void notesSaveOntoFullDisk();
    void generatedPagesRefusePlantedFiles_data();
    void generatedPagesRefusePlantedFiles();
    void searchMeetsPagesThatAreNoFilesAnyMore_data() { FaultRows(); }
    void searchMeetsPagesThatAreNoFilesAnyMore();
    void printMeetsPagesThatAreNoFilesAnyMore_data() { FaultRows(); }
    void printMeetsPagesThatAreNoFilesAnyMore();
    void init() { dialogs->Messages.clear(); }

private:
    static void FaultRows()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("vanished") << int(ffVanished);
        QTest::newRow("unreadable") << int(ffUnreadable);
        QTest::newRow("directory") << int(ffDirectory);
        QTest::newRow("named pipe") << int(ffNamedPipe);
    }
};

void TestFileFaults::initTestCase()
{
    dialogs = TScriptedDialogs::Install();
    OpenToReaders(book.Folder());
    QVERIFY(TAsOrdinaryUser::Give(book.Folder() + QStringLiteral("datas")));
    for (int page = 1; page <= 8; ++page) {
        book.Write(page, PageText(page % 2 == 0 ? Word : QStringLiteral("متن")));
        QVERIFY(TAsOrdinaryUser::Give(PageFile(page)));
    }
    ReaderState.AppFolder = book.Folder();
    WriteBytes(book.Folder() + QStringLiteral("datas/sheet1.css"), "body { color: black; }");
    // The reading window's creation finds a link planted at the style sheet copy's name.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QVERIFY(QDir(runtime.path()).mkdir(QStringLiteral("ketab")));
    QVERIFY(SetMode(runtime.filePath(QStringLiteral("ketab")), 0700));
    QVERIFY(WriteBytes(outside.filePath(QStringLiteral("victim")), Victim));
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("victim")), runtime.filePath(QStringLiteral("ketab/sheet1.css"))));
    new TMainForm;
    creationMessages = dialogs->Messages;
    new TSearchForm;
    new TPrintForm;
    new TPreviewForm;
    ReaderState.TempFolder = temp.path() + u'/';
}

void TestFileFaults::styleSheetCopyRefusesALinkAndTheWindowIsStillMade()
{
    QCOMPARE(creationMessages.size(), 1);
    QVERIFY2(creationMessages[0].contains(QStringLiteral("sheet1.css")), qPrintable(creationMessages[0]));
    QCOMPARE(ReadBytes(outside.filePath(QStringLiteral("victim"))), Victim);
    QVERIFY(QFileInfo(runtime.filePath(QStringLiteral("ketab/sheet1.css"))).isSymLink());
    // The rest of the window's creation ran: the temp folder and the section table are set.
    QCOMPARE(ReaderState.LastPage[5], 3983);
    QCOMPARE(ReaderState.FirstPage[2], 766);
    QCOMPARE(QDir(runtime.filePath(QStringLiteral("ketab"))).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::System),
             QStringList{QStringLiteral("sheet1.css")});
}

void TestFileFaults::notesSaveIntoReadOnlyFolder()
{
    QTemporaryDir dir;
    OpenToReaders(dir.path());
    const QString notes = dir.filePath(QStringLiteral("notes"));
    SetList(Entries(3));
    SaveNotes(notes);
    QVERIFY(dialogs->Messages.isEmpty());
    const QByteArray before = ReadBytes(notes + QStringLiteral(".bmk"));
    QVERIFY(before.startsWith("\xFF\xFE"));

    const QStringList changed = Entries(5);
    SetList(changed);
    QVERIFY(SetMode(dir.path(), 0555));
    {
        TAsOrdinaryUser user;
        SaveNotes(notes);
    }
    QVERIFY(SetMode(dir.path(), 0755));
    QCOMPARE(dialogs->Messages.size(), 1);
    QVERIFY2(dialogs->Messages[0].contains(QStringLiteral("notes.bmk")), qPrintable(dialogs->Messages[0]));
    QCOMPARE(MainForm->BookMarks(), changed);
    QCOMPARE(ReadBytes(notes + QStringLiteral(".bmk")), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("notes.bmk")});
}

// The disk fills up under a save: the save runs in a child process whose files may not grow
// past a few kilobytes. The child reports its messages and its notes list back.
void TestFileFaults::notesSaveOntoFullDisk()
{
    QTemporaryDir dir;
    const QString notes = dir.filePath(QStringLiteral("notes"));
    SetList(Entries(3));
    SaveNotes(notes);
    const QByteArray before = ReadBytes(notes + QStringLiteral(".bmk"));
    QCOMPARE(before.size(), 2 + 3 * 23 * 2);
    const QStringList changed = Entries(400);  // about 18 kB
    SetList(changed);

    int fds[2];
    QVERIFY(pipe(fds) == 0);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of ending the process
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limit);
        dialogs->Messages.clear();
        SaveNotes(notes);
        const QByteArray report =
            (dialogs->Messages.join(u'\x1e') + u'\x1f' + MainForm->BookMarks().join(u'\x1e')).toUtf8();
        const ssize_t written = ::write(fds[1], report.constData(), size_t(report.size()));
        _exit(written == report.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray report;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) report.append(chunk, n);
    ::close(fds[0]);
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const QStringList parts = QString::fromUtf8(report).split(u'\x1f');
    QCOMPARE(parts.size(), 2);
    const QStringList messages = parts[0].split(u'\x1e', Qt::SkipEmptyParts);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QStringLiteral("notes.bmk")), qPrintable(messages[0]));
    QCOMPARE(parts[1].split(u'\x1e'), changed);
    QCOMPARE(ReadBytes(notes + QStringLiteral(".bmk")), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("notes.bmk")});
}

void TestFileFaults::generatedPagesRefusePlantedFiles_data()
{
    QTest::addColumn<QString>("planted");
    QTest::newRow("link at the file's name") << QStringLiteral("link");
    QTest::newRow("folder at the file's name") << QStringLiteral("folder");
    QTest::newRow("private folder replaced by a link") << QStringLiteral("folder link");
    QTest::newRow("private folder open to the group") << QStringLiteral("group-writable");
}

// found.htm from a search result and print.htm from a page range.
void TestFileFaults::generatedPagesRefusePlantedFiles()
{
    QFETCH(QString, planted);
    for (const QString &name : {QStringLiteral("found.htm"), QStringLiteral("print.htm")}) {
        QTemporaryDir work, elsewhere;
        QString folder = work.filePath(QStringLiteral("ketab"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(SetMode(folder, 0700));
        const QString victim = outside.filePath(QStringLiteral("victim"));
        QVERIFY(WriteBytes(victim, Victim));
        if (planted == QLatin1String("link")) {
            QVERIFY(QFile::link(victim, folder + u'/' + name));
        } else if (planted == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(folder + u'/' + name));
        } else if (planted == QLatin1String("folder link")) {
            folder = work.filePath(QStringLiteral("link"));
            QVERIFY(QFile::link(elsewhere.path(), folder));
        } else {
            QVERIFY(SetMode(folder, 0770));
        }
        ReaderState.TempFolder = folder + u'/';
        ReaderState.ResultPending = false;
        ReaderState.CurPage = 1;
        dialogs->Messages.clear();
        if (name == QLatin1String("found.htm")) {
            QCOMPARE(Search(), (std::vector<int>{2, 4, 6, 8}));
            SearchForm->show();
            SearchForm->ResultListBox->setCurrentRow(1);
            SearchForm->GotoButton->click();
            // The result was not opened: no result page pending, the search still on screen.
            QVERIFY(!ReaderState.ResultPending);
            QCOMPARE(ReaderState.CurPage, 1);
            QVERIFY(SearchForm->isVisible());
            QVERIFY(!MainForm->isVisible());
            SearchForm->hide();
        } else {
            PrintForm->show();
            PrintForm->VolComboBox->setCurrentIndex(0);
            PrintForm->Spinfirst->setValue(2);
            PrintForm->Spinlast->setValue(4);
            Press(PrintForm->PrintButton);
            QVERIFY(!PreviewForm->isVisible());
            PrintForm->hide();
        }
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY2(dialogs->Messages[0].contains(name), qPrintable(dialogs->Messages[0]));
        QCOMPARE(ReadBytes(victim), Victim);
        QVERIFY(QDir(elsewhere.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        if (planted == QLatin1String("link")) QVERIFY(QFileInfo(folder + u'/' + name).isSymLink());
        if (planted != QLatin1String("folder link")) {
            const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
            QVERIFY2(left.size() <= 1, qPrintable(left.join(u',')));  // no new file beside what was planted
        }
    }
}

void TestFileFaults::searchMeetsPagesThatAreNoFilesAnyMore()
{
    QFETCH(int, fault);
    ReaderState.TempFolder = temp.path() + u'/';
    QVERIFY(BreakFile(PageFile(4), TFileFault(fault)));
    std::vector<int> found;
    {
        TAsOrdinaryUser user;  // so that a file without read rights is one
        found = Search();
    }
    if (fault == ffVanished) {
        // A missing page is passed over without a word.
        QVERIFY(dialogs->Messages.isEmpty());
        QCOMPARE(found, (std::vector<int>{2, 6, 8}));
    } else {
        // The run stops at the page with a message naming it; the pages before it stay listed.
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY2(dialogs->Messages[0].contains(QStringLiteral("p010004.htm")), qPrintable(dialogs->Messages[0]));
        QCOMPARE(found, (std::vector<int>{2}));
    }
    // The window searches again once the page is back.
    QVERIFY(RepairFile(PageFile(4), PageBytes(4)) && TAsOrdinaryUser::Give(PageFile(4)));
    dialogs->Messages.clear();
    QCOMPARE(Search(), (std::vector<int>{2, 4, 6, 8}));
    QVERIFY(dialogs->Messages.isEmpty());
}

void TestFileFaults::printMeetsPagesThatAreNoFilesAnyMore()
{
    QFETCH(int, fault);
    ReaderState.TempFolder = temp.path() + u'/';
    const QString document = temp.filePath(QStringLiteral("print.htm"));
    QVERIFY(WriteBytes(document, "the document printed before"));
    if (!PrintForm->isVisible()) {
        PrintForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(PrintForm));  // so that its progress bar paints
    }
    PrintForm->VolComboBox->setCurrentIndex(0);
    PrintForm->Spinfirst->setValue(2);
    PrintForm->Spinlast->setValue(6);
    // Page 4 turns into something else once pages 2 and 3 are in the document.
    TBreakAtProgress breaker(PrintForm->ProgressBar, 2, PageFile(4), TFileFault(fault));
    {
        TAsOrdinaryUser user;
        Press(PrintForm->PrintButton);
    }
    QVERIFY(breaker.Broken);
    QCOMPARE(dialogs->Messages.size(), 1);
    QVERIFY2(dialogs->Messages[0].contains(QStringLiteral("p010004.htm")), qPrintable(dialogs->Messages[0]));
    QCOMPARE(ReadBytes(document), QByteArray("the document printed before"));
    QVERIFY(!PreviewForm->isVisible());
    QVERIFY(PrintForm->isVisible());
    QVERIFY(RepairFile(PageFile(4), PageBytes(4)) && TAsOrdinaryUser::Give(PageFile(4)));
}

int main(int argc, char **argv)
{
    TKetabApplication app(argc, argv);
    TestFileFaults test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_filefaults.moc"
