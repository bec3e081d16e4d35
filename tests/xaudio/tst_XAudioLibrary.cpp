// The decoder library itself, driven through the player component, playing into
// its silent output (no sound device is needed; a track still takes its length).
#include "widgets/TXAPlayer.h"
#include "xaudio/TestTrack.h"
#include <QElapsedTimer>
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
};

QTEST_MAIN(TestXAudioLibrary)
#include "tst_XAudioLibrary.moc"
