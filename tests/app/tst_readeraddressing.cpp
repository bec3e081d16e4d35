#include "app/Errors.h"
#include "app/ReaderState.h"
#include "platform/UserTempFolder.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

// Page and section numbers to file names, the section table, and the private
// temporary folder.
class TestReaderAddressing : public QObject {
    Q_OBJECT

    static mode_t ModeOf(const QString &path)
    {
        struct stat st {};
        if (lstat(QFile::encodeName(path).constData(), &st) != 0) return 0;
        return st.st_mode & 07777;
    }

private slots:
    void init()
    {
        ReaderState = TReaderState();
        ReaderState.FillSectionTable();
        ReaderState.AppFolder = QStringLiteral("/book/");
    }

    void pageAndSectionNumbers()
    {
        QCOMPARE(PageNo4(7), QStringLiteral("0007"));
        QCOMPARE(PageNo4(0), QStringLiteral("0000"));
        QCOMPARE(PageNo4(9), QStringLiteral("0009"));
        QCOMPARE(PageNo4(10), QStringLiteral("0010"));
        QCOMPARE(PageNo4(42), QStringLiteral("0042"));
        QCOMPARE(PageNo4(99), QStringLiteral("0099"));
        QCOMPARE(PageNo4(100), QStringLiteral("0100"));
        QCOMPARE(PageNo4(765), QStringLiteral("0765"));
        QCOMPARE(PageNo4(1000), QStringLiteral("1000"));
        QCOMPARE(PageNo4(3983), QStringLiteral("3983"));
        QCOMPARE(PageNo4(12345), QStringLiteral("12345"));
        QCOMPARE(SectionNo2(0), QStringLiteral("00"));
        QCOMPARE(SectionNo2(5), QStringLiteral("05"));
        QCOMPARE(SectionNo2(10), QStringLiteral("10"));
    }

    void sectionTable()
    {
        const int first[6] = {0, 1, 766, 1313, 1993, 3113};
        const int last[6] = {0, 765, 1312, 1992, 3112, 3983};
        for (int s = 1; s <= 5; ++s) {
            QCOMPARE(ReaderState.FirstPage[s], first[s]);
            QCOMPARE(ReaderState.LastPage[s], last[s]);
            QCOMPARE(SectionOf(first[s]), s);
            QCOMPARE(SectionOf(last[s]), s);
            if (s < 5) QCOMPARE(ReaderState.FirstPage[s + 1], ReaderState.LastPage[s] + 1);  // contiguous
        }
        QCOMPARE(SectionOf(765), 1);
        QCOMPARE(SectionOf(766), 2);
        QCOMPARE(SectionOf(3983), 5);
        QCOMPARE(SectionOf(0), 0);
        QCOMPARE(SectionOf(-1), 0);
        QCOMPARE(SectionOf(3984), 0);
        // A fresh state has no sections until the table is filled.
        ReaderState = TReaderState();
        QCOMPARE(SectionOf(1), 0);
    }

    void fileNames()
    {
        QCOMPARE(PageFile(SectionOf(1), 1), QStringLiteral("/book/datas/p010001.htm"));
        QCOMPARE(PageFile(SectionOf(765), 765), QStringLiteral("/book/datas/p010765.htm"));
        QCOMPARE(PageFile(SectionOf(766), 766), QStringLiteral("/book/datas/p020766.htm"));
        QCOMPARE(PageFile(SectionOf(3113), 3113), QStringLiteral("/book/datas/p053113.htm"));
        QCOMPARE(PageFile(SectionOf(3983), 3983), QStringLiteral("/book/datas/p053983.htm"));
        // The section in the name is the caller's, not recomputed from the page.
        QCOMPARE(PageFile(1, 800), QStringLiteral("/book/datas/p010800.htm"));
        // Pages outside the book compose names of files the book does not have.
        QCOMPARE(PageFile(SectionOf(0), 0), QStringLiteral("/book/datas/p000000.htm"));
        QCOMPARE(PageFile(SectionOf(3984), 3984), QStringLiteral("/book/datas/p003984.htm"));
        for (int s = 1; s <= 5; ++s)
            QCOMPARE(ContentsFile(s), QStringLiteral("/book/datas/dir0%1.htm").arg(s));
        QCOMPARE(ContentsFile(0), QStringLiteral("/book/datas/dir00.htm"));
    }

    void namesExistInTheBuiltBook()
    {
        ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR "/");
        QVERIFY2(QFile::exists(ReaderState.AppFolder + QStringLiteral("datas/p010001.htm")), "the sample book is not built");
        for (int page : {1, 765, 766, 1312, 1313, 1992, 1993, 3112, 3113, 3983})
            QVERIFY2(QFile::exists(PageFile(SectionOf(page), page)), qPrintable(PageFile(SectionOf(page), page)));
        for (int s = 1; s <= 5; ++s) QVERIFY(QFile::exists(ContentsFile(s)));
        QVERIFY(!QFile::exists(PageFile(SectionOf(0), 0)));
        QVERIFY(!QFile::exists(PageFile(SectionOf(3984), 3984)));
        QVERIFY(!QFile::exists(PageFile(1, 766)));  // page 766 lives in section 2's name only
    }

    void privateTempFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A new folder is made with mode 0700.
        const QString fresh = dir.filePath(QStringLiteral("fresh"));
        QCOMPARE(TUserTempFolder::Ensure(fresh), fresh + QLatin1Char('/'));
        QCOMPARE(ModeOf(fresh), mode_t(0700));
        // An existing folder open to others is made private.
        const QString open = dir.filePath(QStringLiteral("open"));
        QVERIFY(QDir().mkdir(open));
        QVERIFY(chmod(QFile::encodeName(open).constData(), 0777) == 0);
        TUserTempFolder::Ensure(open + QLatin1Char('/'));
        QCOMPARE(ModeOf(open), mode_t(0700));
        // TempFolderPath follows the runtime folder and ends with "/".
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
        const QString temp = TempFolderPath();
        QCOMPARE(temp, dir.path() + QStringLiteral("/ketab/"));
        QCOMPARE(ModeOf(temp), mode_t(0700));
        QCOMPARE(TempFolderPath(), temp);  // a second call accepts what the first made
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
    }

    void tempFolderRefusesWhatIsNotAPrivateFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A link planted where the folder should be, pointing at someone's folder.
        const QString target = dir.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkdir(target));
        QVERIFY(chmod(QFile::encodeName(target).constData(), 0755) == 0);
        const QString link = dir.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(target, link));
        QVERIFY_THROWS_EXCEPTION(EFileError, TUserTempFolder::Ensure(link));
        QVERIFY_THROWS_EXCEPTION(EFileError, TUserTempFolder::Ensure(link + QStringLiteral("/")));  // "/" would follow it
        QCOMPARE(ModeOf(target), mode_t(0755));  // the link's target is left untouched

        // The same through TempFolderPath with a link at RUNTIME/ketab.
        const QString runtime = dir.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkdir(runtime));
        QVERIFY(QFile::link(target, runtime + QStringLiteral("/ketab")));
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        QVERIFY_THROWS_EXCEPTION(EFileError, TempFolderPath());
        qputenv("XDG_RUNTIME_DIR", oldRuntime);

        // A plain file, and a folder whose parent does not exist.
        const QString file = dir.filePath(QStringLiteral("file"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY_THROWS_EXCEPTION(EFileError, TUserTempFolder::Ensure(file));
        QVERIFY_THROWS_EXCEPTION(EFileError, TUserTempFolder::Ensure(dir.filePath(QStringLiteral("no/such/parent"))));

        // A folder that belongs to another user (only root can make one).
        if (getuid() == 0) {
            const QString foreign = dir.filePath(QStringLiteral("foreign"));
            QVERIFY(QDir().mkdir(foreign));
            QVERIFY(chmod(QFile::encodeName(foreign).constData(), 0700) == 0);
            if (chown(QFile::encodeName(foreign).constData(), 65534, 65534) == 0)
                QVERIFY_THROWS_EXCEPTION(EFileError, TUserTempFolder::Ensure(foreign));
        }
    }
};

QTEST_MAIN(TestReaderAddressing)
#include "tst_readeraddressing.moc"
