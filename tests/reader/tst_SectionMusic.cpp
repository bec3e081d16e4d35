// Per-section music over the player component and a stand-in decoder library.
#include "app/ReaderState.h"
#include "reader/TSectionMusic.h"
#include "widgets/TXAPlayer.h"
#include "xaudio/FakeLibrary.h"
#include <QtTest>

class TestSectionMusic : public QObject {
    Q_OBJECT

    // The calls the library received since the last look.
    static QStringList Take(FakeLibrary &lib)
    {
        const QStringList log = lib.Log();
        lib.Reset();
        return log;
    }

    static void EndOfTrack(FakeLibrary &lib, TXAPlayer &p, int state)
    {
        bool seen = false;
        p.OnPong = [&seen](TXAPlayer *, quint32) { seen = true; };
        QByteArray r = NotificationBytes(78);
        r[4] = char(state);
        QVERIFY(lib.Post(r));
        QVERIFY(lib.Post(NotificationBytes(76)));  // a marker after it
        QTRY_VERIFY(seen);
    }

private slots:
    void sectionsOnAndOff()
    {
        FakeLibrary lib;
        TXAPlayer player;
        player.SetDLLName(lib.Path);
        QVERIFY(player.Initialize());
        TReaderState state;
        state.AppFolder = QStringLiteral("/book/");
        TSectionMusic music(player, state);
        player.OnPlayerState = [&](TXAPlayer *s, int st) { music.MusicPlayerPlayerState(s, st); };
        lib.Reset();

        // Section 3 with music on: its track is opened and played.
        state.CurSection = 3;
        state.CurPage = 1313;
        music.ChMusicExecute();
        QCOMPARE(state.MusicSection, 3);
        QCOMPARE(Take(lib), QStringList({"control_message_send_S 8 /book/Musics/Music3.mp3", "control_message_send_N 4"}));

        // Another page of the same section: nothing is reopened.
        state.CurPage = 1400;
        music.ChMusicExecute();
        QCOMPARE(Take(lib), QStringList());

        // Section 4 switches the track.
        state.CurSection = 4;
        music.ChMusicExecute();
        QCOMPARE(Take(lib), QStringList({"control_message_send_S 8 /book/Musics/Music4.mp3", "control_message_send_N 4"}));

        // The end of the track with music on starts it again.
        EndOfTrack(lib, player, 3);
        QCOMPARE(Take(lib).filter("send"), QStringList({"control_message_send_N 6", "control_message_send_N 4"}));
        // Other states are ignored.
        EndOfTrack(lib, player, 1);
        EndOfTrack(lib, player, 0);
        QCOMPARE(Take(lib).filter("send"), QStringList());

        // Music off: stopped; a section change opens the new track without playing it.
        music.MusicOffClick();
        QVERIFY(!state.MusicEnabled);
        QCOMPARE(Take(lib), QStringList("control_message_send_N 6"));
        state.CurSection = 5;
        music.ChMusicExecute();
        QCOMPARE(state.MusicSection, 5);
        QCOMPARE(Take(lib), QStringList("control_message_send_S 8 /book/Musics/Music5.mp3"));
        // With music off the end of a track leaves it stopped.
        EndOfTrack(lib, player, 3);
        QCOMPARE(Take(lib).filter("send"), QStringList());

        // Music on plays the new section's track.
        music.MusicOnClick();
        QVERIFY(state.MusicEnabled);
        QCOMPARE(Take(lib), QStringList("control_message_send_N 4"));
        state.CurSection = 4;
        music.ChMusicExecute();
        QCOMPARE(Take(lib), QStringList({"control_message_send_S 8 /book/Musics/Music4.mp3", "control_message_send_N 4"}));

        // Read aloud holds the music: paused (5), then played on; with music off, neither.
        music.Hold();
        music.Hold();
        QCOMPARE(Take(lib), QStringList("control_message_send_N 5"));
        music.Release();
        music.Release();
        QCOMPARE(Take(lib), QStringList("control_message_send_N 4"));
        music.MusicOffClick();
        Take(lib);
        music.Hold();
        music.Release();
        QCOMPARE(Take(lib), QStringList());
    }

    void withoutLibraryTheBookStillReads()
    {
        TXAPlayer player;
        player.SetDLLName(QStringLiteral(KETAB_FAKE_XAUDIO_DIR "/missing.so"));
        QVERIFY(!player.Initialize());
        TReaderState state;
        TSectionMusic music(player, state);
        state.CurSection = 2;
        music.ChMusicExecute();
        QCOMPARE(state.MusicSection, 2);
        music.MusicOffClick();
        music.MusicOnClick();
        music.MusicPlayerPlayerState(&player, 3);
        QVERIFY(state.MusicEnabled);
    }

    void trackFileNames()
    {
        TReaderState state;
        state.AppFolder = QStringLiteral("/opt/ketab/");
        QCOMPARE(TSectionMusic::TrackFile(state, 1), QStringLiteral("/opt/ketab/Musics/Music1.mp3"));
        QCOMPARE(TSectionMusic::TrackFile(state, 5), QStringLiteral("/opt/ketab/Musics/Music5.mp3"));
    }
};

QTEST_MAIN(TestSectionMusic)
#include "tst_SectionMusic.moc"
