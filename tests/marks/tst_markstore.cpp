#include "marks/TMarkAnchor.h"
#include "marks/TMarkFile.h"
#include "marks/TMarkStore.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString Page = QStringLiteral("در آن روزگار شاه به شهر آمد و مردم مي\u200Cگفتند كه مسئله حل شد. پايان سخن.");

TMark MarkOn(int page, int start, int end, const QString &note = QString())
{
    TMark m = TMarkAnchor::Make(page, Page, start, end, TMark::msBlue);
    m.Note = note;
    return m;
}

QByteArray Bytes(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList Ids(const QList<TMark> &marks)
{
    QStringList ids;
    for (const TMark &m : marks) ids << m.Id;
    ids.sort();
    return ids;
}
}

class TestMarkStore : public QObject {
    Q_OBJECT
private slots:
    void roundTripsInTheBackgroundAndKeepsTheVersionBefore();
    void damagedOrForeignFileIsMovedAsideNeverWrittenOver_data();
    void damagedOrForeignFileIsMovedAsideNeverWrittenOver();
    void unwritableFolderOrUnreadableFileKeepsMarksInMemory();
    void twoProgramsOnOneBookLoseNoMark();
};

void TestMarkStore::roundTripsInTheBackgroundAndKeepsTheVersionBefore()
{
    QTemporaryDir home;
    const QString book = home.filePath(QStringLiteral("book")), folder = home.filePath(QStringLiteral("data/ketab"));
    QDir().mkpath(book);
    QFile::link(book, home.filePath(QStringLiteral("link")));
    TMarkStore store(folder, home.filePath(QStringLiteral("link")));
    QCOMPARE(store.FileName(), TMarkStore(folder, book).FileName());  // the book by its canonical path
    QVERIFY(store.FileName() != TMarkStore(folder, home.path()).FileName());
    store.Load();
    QCOMPARE(store.TakeProblem(), QString());
    int changes = 0;
    store.OnChanged = [&changes] { ++changes; };
    TMark late = MarkOn(2144, 4, 13, QStringLiteral("يادداشت بلند\nبا دو سطر و English و 🙂"));
    late.Style = TMark::msUnderline;
    const TMark early = MarkOn(12, 14, 30), gone = MarkOn(12, 0, 2);
    for (const TMark &m : {late, early, gone}) store.Put(m);
    store.Remove(gone.Id);
    QCOMPARE(changes, 4);
    QVERIFY(!store.Find(gone.Id) && store.Find(late.Id) && *store.Find(late.Id) == late);
    QCOMPARE(store.Marks(), (QList<TMark>{early, late}));  // book order
    // Written a moment later, on its own thread, without the caller asking.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(store.FileName()), 5000);
    QTRY_COMPARE(TMarkFile::Read(Bytes(store.FileName())).Marks.size(), 3);
    const TMarkFile::TRead read = TMarkFile::Read(Bytes(store.FileName()));
    QCOMPARE(read.Book, QFileInfo(book).canonicalFilePath());
    const QByteArray first = Bytes(store.FileName());
    const auto tombstone = std::find_if(read.Marks.cbegin(), read.Marks.cend(), [&](const TMark &m) { return m.Id == gone.Id; });
    QVERIFY(tombstone->Removed && tombstone->Quote.isEmpty() && tombstone->Prefix.isEmpty());  // it keeps no words

    TMark changed = early;
    changed.Note = QStringLiteral("دوم");
    changed.Changed = early.Changed.addSecs(1);
    store.Put(changed);
    store.SaveNow();
    QCOMPARE(Bytes(store.FileName() + QStringLiteral(".bak")), first);
    TMarkStore again(folder, book);
    again.Load();
    QCOMPARE(again.Marks(), (QList<TMark>{changed, late}));
    QCOMPARE(again.TakeProblem(), QString());
}

void TestMarkStore::damagedOrForeignFileIsMovedAsideNeverWrittenOver_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray mark = R"({"id":"0d5e9a8e-1d2b-4a7c-9a51-0c2d4e8b1f03","page":12,"quote":"شاه","start":14,"end":17,)"
                            R"("style":"blue","created":"2026-01-01T00:00:00.000Z","changed":"2026-01-01T00:00:00.000Z"})";
    const auto file = [&](const QByteArray &book, const QByteArray &entry, const QByteArray &version = "1") {
        return R"({"format":"ketab-marks","version":)" + version + R"(,"book":")" + book + R"(","marks":[)" + entry + "]}";
    };
    QTest::newRow("binary garbage") << QByteArray("\x00\xff{\x01\"", 5);
    QTest::newRow("cut short") << file("BOOK", mark).left(120);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another format") << QByteArray(R"({"format":"notes","marks":[]})");
    QTest::newRow("a later version") << file("BOOK", mark, "2");
    QTest::newRow("another book") << file("/elsewhere", mark);
    QTest::newRow("page outside the book") << file("BOOK", QByteArray(mark).replace("\"page\":12", "\"page\":4000"));
    QTest::newRow("place runs backwards") << file("BOOK", QByteArray(mark).replace("\"end\":17", "\"end\":3"));
    QTest::newRow("unknown style") << file("BOOK", QByteArray(mark).replace("blue", "plaid"));
    QTest::newRow("time unreadable") << file("BOOK", QByteArray(mark).replace("2026-01-01T00:00:00.000Z\",\"changed", "soon\",\"changed"));
    QTest::newRow("no id") << file("BOOK", QByteArray(mark).replace("\"id\"", "\"di\""));
}

void TestMarkStore::damagedOrForeignFileIsMovedAsideNeverWrittenOver()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir home;
    TMarkStore store(home.filePath(QStringLiteral("data")), home.path());
    // The same entry, whole, is read: the damage is what the row changed.
    QDir().mkpath(home.filePath(QStringLiteral("data")));
    bytes.replace("BOOK", QFileInfo(home.path()).canonicalFilePath().toUtf8());
    WriteFile(store.FileName(), bytes);
    store.Load();
    QCOMPARE(store.Marks(), QList<TMark>());
    const QString problem = store.TakeProblem();
    const QStringList aside = QDir(home.filePath(QStringLiteral("data"))).entryList({QStringLiteral("*.damaged-*.json")});
    QCOMPARE(aside.size(), 1);
    QVERIFY2(problem.contains(aside[0]), qPrintable(problem));
    QCOMPARE(store.TakeProblem(), QString());  // told once
    store.Put(MarkOn(12, 14, 17));
    store.SaveNow();
    QCOMPARE(Bytes(home.filePath(QStringLiteral("data/")) + aside[0]), bytes);
    QCOMPARE(TMarkFile::Read(Bytes(store.FileName())).Marks.size(), 1);
}

void TestMarkStore::unwritableFolderOrUnreadableFileKeepsMarksInMemory()
{
    // A plain file where the folder should be: no one can write below it, root included;
    // a folder where the file should be: no one can read it as a file.
    QTemporaryDir home;
    WriteFile(home.filePath(QStringLiteral("blocked")), "a file");
    TMarkStore blocked(home.filePath(QStringLiteral("blocked/ketab")), home.path());
    TMarkStore unreadable(home.filePath(QStringLiteral("data")), home.path());
    QDir().mkpath(unreadable.FileName());
    for (TMarkStore *store : {&blocked, &unreadable}) {
        store->Load();
        QVERIFY(!store->Keeps());
        QVERIFY(store->TakeProblem().contains(QStringLiteral("will not be kept")));
        const TMark m = MarkOn(12, 14, 17);
        store->Put(m);
        store->SaveNow();
        QCOMPARE(store->Marks(), QList<TMark>{m});
        QCOMPARE(store->TakeProblem(), QString());
    }
    QVERIFY(QFileInfo(unreadable.FileName()).isDir());
    QCOMPARE(QDir(home.filePath(QStringLiteral("data"))).entryList(QDir::Files), QStringList());
}

void TestMarkStore::twoProgramsOnOneBookLoseNoMark()
{
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("data"));
    TMarkStore a(folder, home.path()), b(folder, home.path());
    a.Load();
    b.Load();
    const TMark first = MarkOn(12, 0, 2), second = MarkOn(835, 3, 10), third = MarkOn(835, 14, 17);
    a.Put(first);
    a.Put(second);
    a.SaveNow();
    b.Put(third);
    b.SaveNow();  // reads a's marks in, and brings them here
    QCOMPARE(Ids(b.Marks()), Ids({first, second, third}));

    // a removes one, b changes it earlier than that and notes another later: the removal
    // and the later note both hold, in either program and in the file.
    TMark stale = second, noted = first;
    stale.Note = QStringLiteral("قديمي");
    stale.Changed = second.Changed.addMSecs(1);
    noted.Note = QStringLiteral("تازه");
    noted.Changed = QDateTime::currentDateTimeUtc().addSecs(60);
    b.Put(stale);
    a.Remove(second.Id);
    a.SaveNow();
    b.Put(noted);
    b.SaveNow();
    a.SaveNow();
    for (TMarkStore *s : {&a, &b}) {
        QVERIFY(!s->Find(second.Id));
        QCOMPARE(Ids(s->Marks()), Ids({first, third}));
    }
    a.Put(MarkOn(13, 0, 2));  // a writes again, with b's note read in
    a.SaveNow();
    QCOMPARE(a.Find(first.Id)->Note, noted.Note);
    TMarkStore c(folder, home.path());
    c.Load();
    QCOMPARE(c.Marks().size(), 3);
    QCOMPARE(c.Find(first.Id)->Note, noted.Note);

    // A tombstone old enough is forgotten at the next write; a younger one stays.
    TMark old = MarkOn(14, 0, 2);
    old.Removed = true;
    old.Changed = QDateTime::currentDateTimeUtc().addDays(-TMarkStore::TombstoneDays - 1);
    c.Put(old);
    c.SaveNow();
    const QByteArray written = Bytes(c.FileName());
    QVERIFY(!written.contains(old.Id.toUtf8()) && written.contains(second.Id.toUtf8()));
}

QTEST_GUILESS_MAIN(TestMarkStore)
#include "tst_markstore.moc"
