// The decoder library itself, driven through the player component, playing into
// its silent output (no sound device is needed; a track still takes its length).
#include "app/ReaderState.h"
#include "reader/TSectionMusic.h"
#include "widgets/TXAPlayer.h"
#include "xaudio/TestTrack.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestXAudioLibrary : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;
    QString Track;
    std::unique_ptr<TXAPlayer> Player;
    QList<int> States;
    QStringList Errors;
    QStringList Outputs;
    QList<QList<quint32>> Parameters;
    QList<quint32> Durations;

    void Clear()
    {
        States.clear();
        Errors.clear();
        Parameters.clear();
        Durations.clear();
    }

    // Opens a file and waits until the library has answered it (parameters or an error).
    void Open(const QString &path)
    {
        Clear();
        Player->InputOpen(path);
        QTRY_VERIFY(!Parameters.isEmpty() || !Errors.isEmpty());
        QTest::qWait(100);  // let a following parameter notification arrive too
    }

private slots:
    void initTestCase()
    {
        // Only the library reads this; without a device it chooses silence anyway.
        // (Set but empty, the library tries the real outputs first.)
        if (!qEnvironmentVariableIsSet("XAUDIO_OUTPUT")) qputenv("XAUDIO_OUTPUT", "silent");
        QVERIFY(Dir.isValid());
        Track = Dir.filePath(QStringLiteral("Music3.mp3"));
        const QByteArray mp3 = MakeMp3Track(1.5);
        QVERIFY(WriteFile(Track, mp3));
        QVERIFY(WriteFile(Dir.filePath(QStringLiteral("cut.mp3")), mp3.left(mp3.size() / 2)));
        QVERIFY(WriteFile(Dir.filePath(QStringLiteral("text.mp3")), QByteArray("not a track\n").repeated(100)));
        QVERIFY(WriteFile(Dir.filePath(QStringLiteral("empty.mp3")), QByteArray()));

        Player = std::make_unique<TXAPlayer>();
        Player->SetDLLName(QStringLiteral(KETAB_XAUDIO_LIBRARY));
        Player->OnPlayerState = [this](TXAPlayer *, int s) { States << s; };
        Player->OnError = [this](TXAPlayer *, int, int, const QString &m) { Errors << m; };
        Player->OnOutputName = [this](TXAPlayer *, const QString &n) { Outputs << n; };
        Player->OnStreamParameters = [this](TXAPlayer *, quint32 f, int b, int c) {
            Parameters << QList<quint32>{f, quint32(b), quint32(c)};
        };
        Player->OnStreamDuration = [this](TXAPlayer *, quint32 ms) { Durations << ms; };
        QVERIFY(Player->Initialize());
        QVERIFY(Player->DLLHandle() != 0);
    }

    void cleanupTestCase() { Player.reset(); }

    void playsATrackToItsEnd()
    {
        Open(Track);
        QCOMPARE(Errors, QStringList());
        QCOMPARE(Parameters, QList<QList<quint32>>({{44100, 128, 2}}));
        QCOMPARE(Durations.size(), 1);
        QVERIFY2(Durations[0] >= 1450 && Durations[0] <= 1600, qPrintable(QString::number(Durations[0])));

        QElapsedTimer clock;
        clock.start();
        Player->Play();
        QTRY_COMPARE_WITH_TIMEOUT(States, QList<int>({1, 3}), 15000);
        // Paced like a device: the track took its own length.
        QVERIFY(clock.elapsed() >= 1300);
        QCOMPARE(Outputs, QStringList("silent"));

        // Stop then play starts it again from the beginning, as the reading window does.
        States.clear();
        Player->Stop();
        Player->Play();
        QTRY_COMPARE(States, QList<int>({0, 1}));
        Player->Stop();
        QTRY_COMPARE(States, QList<int>({0, 1, 0}));
    }

    void badFilesReportAnErrorAndThePlayerStaysUsable_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "Music9.mp3" << "cannot open";
        QTest::newRow("not an MP3") << "text.mp3" << "not an MP3 file";
        QTest::newRow("empty") << "empty.mp3" << "not an MP3 file";
        QTest::newRow("cut short") << "cut.mp3" << "cut short";
    }

    void badFilesReportAnErrorAndThePlayerStaysUsable()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        const QString path = Dir.filePath(file);
        Open(path);
        QCOMPARE(Errors.size(), 1);
        QVERIFY2(Errors[0].contains(message) && Errors[0].contains(path), qPrintable(Errors[0]));
        // Whatever it was, a good track opens and starts afterwards.
        Open(Track);
        QCOMPARE(Errors, QStringList());
        QCOMPARE(Parameters.size(), 1);
        Player->Play();
        QTRY_VERIFY(States.contains(1));
        Player->Stop();
        QTRY_COMPARE(States.last(), 0);
    }

    // The reading window's sequence, seen through the player's events: a section's
    // track plays and repeats, another page of it changes nothing, a new section
    // switches the track, and Off stops it.
    void sectionMusicSequence()
    {
        const QString book = Dir.filePath(QStringLiteral("book")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(book + QStringLiteral("Musics")));
        const QByteArray mp3 = MakeMp3Track(0.8);
        QVERIFY(WriteFile(book + QStringLiteral("Musics/Music1.mp3"), mp3));
        QVERIFY(WriteFile(book + QStringLiteral("Musics/Music2.mp3"), mp3));
        TReaderState state;
        state.AppFolder = book;
        TSectionMusic music(*Player, state);
        QStringList seen;  // input names and states in the order they arrived
        Player->OnPlayerState = [&](TXAPlayer *sender, int s) {
            seen << QString::number(s);
            music.MusicPlayerPlayerState(sender, s);
        };
        Player->OnInputName = [&](TXAPlayer *, const QString &n) { seen << QFileInfo(n).fileName(); };
        const auto after = [&](const QString &name) { return seen.mid(seen.lastIndexOf(name) + 1).join(' '); };

        state.CurSection = 1;
        music.ChMusicExecute();
        // Played to its end, then started again by the section music.
        QTRY_VERIFY_WITH_TIMEOUT(after("Music1.mp3").startsWith("1 3 0 1"), 10000);
        music.ChMusicExecute();  // another page of the same section
        QCOMPARE(seen.count("Music1.mp3"), 1);
        state.CurSection = 2;
        music.ChMusicExecute();
        QTRY_VERIFY(seen.contains("Music2.mp3"));
        QTRY_VERIFY(after("Music2.mp3").contains("1"));  // the new track plays
        music.MusicOffClick();
        QTRY_COMPARE(seen.last(), QStringLiteral("0"));
        const int count = seen.size();
        QTest::qWait(1200);  // a stopped track does not come back
        QCOMPARE(seen.size(), count);
        QCOMPARE(seen.count("Music1.mp3") + seen.count("Music2.mp3"), 2);
        Player->OnPlayerState = [this](TXAPlayer *, int s) { States << s; };
        Player->OnInputName = nullptr;
    }
};

QTEST_MAIN(TestXAudioLibrary)
#include "tst_XAudioLibrary.moc"
