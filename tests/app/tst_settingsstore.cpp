#include "app/ReaderState.h"
#include "app/TNightPage.h"
#include "speech/TSpokenSentence.h"
#include "app/TSettingsStore.h"
#include "reader/TReaderMemory.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

namespace {
// What the code under test writes on stderr while fn runs.
template <class F> QByteArray Stderr(F fn)
{
    QTemporaryFile sink;
    sink.open();
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(sink.handle(), STDERR_FILENO);
    fn();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    sink.seek(0);
    return sink.readAll();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
}

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void roundTripsEveryKeptValueAndKeepsBooksApart();
    void damagedFileGivesDefaultsAndOneLine_data();
    void damagedFileGivesDefaultsAndOneLine();
    void unwritableFolderLeavesDefaultsSilently();
    void placeWhosePageIsGoneIsNotOffered();
    void nightPageColoursAreLegible();

private:
    QTemporaryDir FHome;
    QString Config() const { return FHome.filePath(QStringLiteral("config/ketab")); }
    QString State() const { return FHome.filePath(QStringLiteral("state/ketab")); }
};

void TestSettingsStore::roundTripsEveryKeptValueAndKeepsBooksApart()
{
    const QString bookA = FHome.filePath(QStringLiteral("bookA")), bookB = FHome.filePath(QStringLiteral("bookB"));
    QDir().mkpath(bookA);
    QDir().mkpath(bookB);
    // Every value away from its default, so a value not written or not read shows.
    TKeptChoices c;
    c.TextSize = 2;
    c.MusicOn = false;
    c.FullScreen = true;
    c.NotesPinned = true;
    c.NightPage = true;
    c.NotesFolder = QStringLiteral("/tmp/یادداشت ها");
    c.SpeechRate = 4;
    c.SpeechVoice = QStringLiteral("Persian+female2");
    c.SpeechUsed = true;
    c.SearchChecks = {{QStringLiteral("WholeCase"), true}, {QStringLiteral("FoldedCase"), false}};
    TSettingsStore(Config(), State(), bookA).SaveChoices(c);
    TSettingsStore(Config(), State(), bookA).SavePlace({2144, 0.375});
    // The other book reached through a link: its canonical path is the same book.
    QFile::link(bookB, FHome.filePath(QStringLiteral("linkB")));
    TSettingsStore(Config(), State(), FHome.filePath(QStringLiteral("linkB"))).SavePlace({12, 1.0});

    TSettingsStore a(Config(), State(), bookA), b(Config(), State(), bookB);
    QCOMPARE(a.Choices(), c);
    QCOMPARE(a.Place(), (TReadingPlace{2144, 0.375}));
    QCOMPARE(b.Place(), (TReadingPlace{12, 1.0}));
    QCOMPARE(TSettingsStore(Config(), State(), FHome.filePath(QStringLiteral("elsewhere"))).Place(), TReadingPlace{});
    // Choices and places in their own folders, nothing in the book's.
    QVERIFY(QFile::exists(a.ChoicesFile()) && a.ChoicesFile().startsWith(Config()));
    QVERIFY(QFile::exists(a.PlacesFile()) && a.PlacesFile().startsWith(State()));
    QCOMPARE(QDir(bookA).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    // Two programs on one book, each with the store it opened at its start: the last write
    // wins, the other book's place stays.
    TSettingsStore first(Config(), State(), bookA), second(Config(), State(), bookA);
    first.SavePlace({800, 0.25});
    second.SavePlace({801, 0.5});
    QCOMPARE(first.Place(), (TReadingPlace{801, 0.5}));
    QCOMPARE(b.Place(), (TReadingPlace{12, 1.0}));
    // Each writes only what it changed: the night page one turned off stays off.
    TKeptChoices night = first.Choices(), size = second.Choices();
    night.NightPage = false;
    size.TextSize = night.TextSize = 0;
    first.SaveChoices(night);
    second.SaveChoices(size);
    QCOMPARE(a.Choices(), night);
    // A byte-order mark, as some editors write, leaves the file whole.
    QFile file(a.ChoicesFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    WriteFile(a.ChoicesFile(), "\xEF\xBB\xBF" + file.readAll());
    QCOMPARE(a.Choices(), night);
}

void TestSettingsStore::damagedFileGivesDefaultsAndOneLine_data()
{
    // The choices file as it stands; the places file as written for this book, with one
    // piece replaced (nothing to replace: the whole file).
    QTest::addColumn<QByteArray>("choices");
    QTest::addColumn<QByteArray>("placeFrom");
    QTest::addColumn<QByteArray>("placeTo");
    QTest::newRow("binary garbage") << QByteArray("\x00\xff[\x01=\n\x7f[[", 9) << QByteArray()
                                    << QByteArray("\xfe\x00==[", 5);
    QTest::newRow("cut in a section name") << QByteArray("[General]\nTextSize=2\n[Sea") << QByteArray()
                                           << QByteArray("[book-");
    QTest::newRow("values out of range") << QByteArray("[General]\nTextSize=7\nMusicOn=false\n")
                                         << QByteArray("Page=5") << QByteArray("Page=99999");
    QTest::newRow("values of another kind") << QByteArray("[General]\nTextSize=2\nMusicOn=maybe\n")
                                            << QByteArray("Scroll=0.5") << QByteArray("Scroll=lots");
}

void TestSettingsStore::damagedFileGivesDefaultsAndOneLine()
{
    QFETCH(QByteArray, choices);
    QFETCH(QByteArray, placeFrom);
    QFETCH(QByteArray, placeTo);
    QTemporaryDir home;
    const QString book = home.filePath(QStringLiteral("book"));
    QDir().mkpath(book);
    TSettingsStore store(home.filePath(QStringLiteral("c")), home.filePath(QStringLiteral("s")), book);
    WriteFile(store.ChoicesFile(), choices);
    store.SavePlace({5, 0.5});
    QFile placesFile(store.PlacesFile());
    QVERIFY(placesFile.open(QIODevice::ReadOnly));
    QByteArray text = placesFile.readAll();
    placesFile.close();
    QVERIFY(placeFrom.isEmpty() || text.contains(placeFrom));
    text = placeFrom.isEmpty() ? placeTo : text.replace(placeFrom, placeTo);
    WriteFile(store.PlacesFile(), text);

    TKeptChoices read;
    TReadingPlace place{1, 1};
    const QByteArray said = Stderr([&] {
        read = store.Choices();
        place = store.Place();
        read = store.Choices();  // asked again: told once a file
    });
    QCOMPARE(read, TKeptChoices());
    QCOMPARE(place, TReadingPlace());
    QCOMPARE(said.count('\n'), 2);
    QVERIFY2(said.contains("damaged"), said.constData());
    // The next write replaces the damaged file with a whole one.
    TKeptChoices c;
    c.NightPage = true;
    store.SaveChoices(c);
    store.SavePlace({7, 0.25});
    QCOMPARE(store.Choices(), c);
    QCOMPARE(store.Place(), (TReadingPlace{7, 0.25}));
}

void TestSettingsStore::unwritableFolderLeavesDefaultsSilently()
{
    // A plain file where the folders should be: no one can write below it, root included.
    QTemporaryDir home;
    WriteFile(home.filePath(QStringLiteral("blocked")), "a file");
    const QString blocked = home.filePath(QStringLiteral("blocked/ketab"));
    TSettingsStore store(blocked, blocked, home.path());
    TKeptChoices c;
    c.MusicOn = false;
    const QByteArray said = Stderr([&] {
        store.SaveChoices(c);
        store.SavePlace({100, 0.5});
        QCOMPARE(store.Choices(), TKeptChoices());
        QCOMPARE(store.Place(), TReadingPlace());
    });
    QCOMPARE(said, QByteArray());
}

void TestSettingsStore::placeWhosePageIsGoneIsNotOffered()
{
    QTemporaryDir book;
    ReaderState.AppFolder = book.path() + u'/';
    ReaderState.FillSectionTable();
    WriteFile(PageFile(4, 2144), "<html></html>");
    for (const auto &[page, offered] : {std::pair{2144, true}, std::pair{2145, false}}) {
        QTemporaryDir home;
        TSettingsStore(home.path(), home.path(), book.path()).SavePlace({page, 0.5});
        TReaderMemory memory(TSettingsStore(home.path(), home.path(), book.path()));
        const TReadingPlace expected = offered ? TReadingPlace{page, 0.5} : TReadingPlace{};
        QCOMPARE(memory.ContinuePlace(), expected);
    }
}

void TestSettingsStore::nightPageColoursAreLegible()
{
    QCOMPARE(TNightPage::Contrast(Qt::black, Qt::white), 21.0);
    const QColor colours[] = {TNightPage::Text, TNightPage::Heading, TNightPage::Link, TNightPage::SearchMark,
                              TNightPage::IndexMark};
    for (const QColor &c : colours) {
        QVERIFY2(TNightPage::Contrast(c, TNightPage::Background) >= TNightPage::MinContrast, qPrintable(c.name()));
        QVERIFY2(TNightPage::StyleSheet().contains(c.name()), qPrintable(c.name()));
        // The sentence read aloud keeps every night colour legible under its fill.
        QVERIFY2(TNightPage::Contrast(c, TSpokenSentence::NightFill) >= TNightPage::MinContrast, qPrintable(c.name()));
    }
    QVERIFY(TNightPage::Contrast(TSpokenSentence::DayText, TSpokenSentence::DayFill) >= TNightPage::MinContrast);
    // The marks are found by the colours the pages write them in, and only on screen.
    const QString sheet = TNightPage::StyleSheet();
    QVERIFY(sheet.contains(QLatin1String(TNightPage::SearchMarkColour)) && sheet.contains(QLatin1String(TNightPage::IndexMarkColour)));
    QVERIFY(sheet.startsWith(QLatin1String("@media screen")));
}

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
