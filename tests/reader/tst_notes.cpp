#include "app/Errors.h"
#include "reader/TNoteEntry.h"
#include "reader/TNotesFile.h"
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

class TestNotes : public QObject {
    Q_OBJECT
    static rlimit FileSizeLimit()
    {
        rlimit now{};
        getrlimit(RLIMIT_FSIZE, &now);
        return now;
    }
    QTemporaryDir dir;
    QString Path(const QString &name) { return dir.filePath(name); }
    void WriteBytes(const QString &name, const QByteArray &bytes)
    {
        QFile f(Path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void entryHasFixedPlaces()
    {
        const QString e = TNoteEntry::Compose(1, 376);
        QCOMPARE(e, QStringLiteral("جلد: 01 -- صفحه: 0376"));
        QCOMPARE(e.size(), 21);
        QCOMPARE(TNoteEntry::Section(e), 1);
        QCOMPARE(TNoteEntry::Page(e), 376);
        QCOMPARE(TNoteEntry::Page(TNoteEntry::Compose(5, 3983)), 3983);
        QCOMPARE(TNoteEntry::PageDigits(TNoteEntry::Compose(2, 7)), QStringLiteral("0007"));
    }

    void entryOfAnotherFormRaises()
    {
        QVERIFY_THROWS_EXCEPTION(EConvertError, TNoteEntry::Page(QStringLiteral("جلد: 01 -- صفحه: 03x6")));
        QVERIFY_THROWS_EXCEPTION(EConvertError, TNoteEntry::Section(QStringLiteral("جلد: -1 -- صفحه: 0376")));
        QVERIFY_THROWS_EXCEPTION(EConvertError, TNoteEntry::Page(QStringLiteral("short")));
    }

    void saveNameAppendsTheExtensionOnce()
    {
        QCOMPARE(TNotesFile::SaveName("/a/notes"), QStringLiteral("/a/notes.bmk"));
        QCOMPARE(TNotesFile::SaveName("/a/notes.bmk"), QStringLiteral("/a/notes.bmk"));
        QCOMPARE(TNotesFile::SaveName("/a.bmk/notes"), QStringLiteral("/a.bmk/notes.bmk"));
    }

    void saveWritesUtf16WithMarkAndLoadsBack()
    {
        const QStringList entries{TNoteEntry::Compose(1, 376), TNoteEntry::Compose(2, 800), TNoteEntry::Compose(1, 376)};
        TNotesFile::Save(Path("round.bmk"), entries);
        QFile f(Path("round.bmk"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xFF\xFE"));
        QVERIFY(bytes.endsWith(QByteArray("\r\0\n\0", 4)));
        QCOMPARE(bytes.size(), 2 + 3 * 23 * 2);
        QCOMPARE(TNotesFile::Load(Path("round.bmk")), entries);
    }

    void otherEncodingsLoad()
    {
        const QString a = TNoteEntry::Compose(3, 1500), b = TNoteEntry::Compose(5, 3113);
        WriteBytes("utf8.bmk", "\xEF\xBB\xBF" + (a + "\n" + b + "\n").toUtf8());
        QCOMPARE(TNotesFile::Load(Path("utf8.bmk")), QStringList({a, b}));
        WriteBytes("nomark.bmk", (a + "\r\n" + b).toUtf8());
        QCOMPARE(TNotesFile::Load(Path("nomark.bmk")), QStringList({a, b}));
        QByteArray be("\xFE\xFF");
        for (QChar c : a + "\r\n") be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        WriteBytes("be.bmk", be);
        QCOMPARE(TNotesFile::Load(Path("be.bmk")), QStringList({a}));
    }

    void damagedFilesGiveAMessageOrTheirLines()
    {
        // Cut inside the second entry, at an odd byte: the whole first entry survives.
        TNotesFile::Save(Path("cut.bmk"), {TNoteEntry::Compose(1, 1), TNoteEntry::Compose(1, 2)});
        QFile cut(Path("cut.bmk"));
        QVERIFY(cut.resize(2 + 23 * 2 + 9));
        const QStringList lines = TNotesFile::Load(Path("cut.bmk"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.first(), TNoteEntry::Compose(1, 1));

        QByteArray garbage;
        for (int i = 0; i < 4096; ++i) garbage.append(char((i * 7919) % 256));
        WriteBytes("garbage.bmk", garbage);
        QVERIFY_THROWS_EXCEPTION(EFileError, TNotesFile::Load(Path("garbage.bmk")));

        QFile big(Path("big.bmk"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(100LL * 1024 * 1024));  // sparse: cheap to make
        big.close();
        QVERIFY_THROWS_EXCEPTION(EFileError, TNotesFile::Load(Path("big.bmk")));
        QVERIFY_THROWS_EXCEPTION(EFileError, TNotesFile::Load(Path("missing.bmk")));
    }

    void failedSaveKeepsTheOldFile()
    {
        const QStringList old{TNoteEntry::Compose(1, 5)};
        TNotesFile::Save(Path("keep.bmk"), old);
        // A save over that same file stops short, as on a full disk (the file size limit
        // stands in for it, also for the superuser): the old file stays as it was.
        QStringList many;
        for (int page = 1; page <= 765; ++page) many << TNoteEntry::Compose(1, page);
        const rlimit unlimited = FileSizeLimit(), limited{4096, unlimited.rlim_max};
        const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        bool refused = false;
        try {
            TNotesFile::Save(Path("keep.bmk"), many);
        } catch (const EFileError &) {
            refused = true;
        }
        setrlimit(RLIMIT_FSIZE, &unlimited);
        signal(SIGXFSZ, oldSignal);
        QVERIFY(refused);
        QCOMPARE(TNotesFile::Load(Path("keep.bmk")), old);
        QCOMPARE(QDir(dir.path()).entryList({"keep.bmk*"}, QDir::Files | QDir::Hidden), QStringList{"keep.bmk"});
    }
};

QTEST_GUILESS_MAIN(TestNotes)
#include "tst_notes.moc"
