// The music player component against stand-in decoder libraries.
#include "app/KetabApplication.h"
#include "widgets/TXAPlayer.h"
#include "xaudio/FakeLibrary.h"
#include <QThread>
#include <QtEndian>
#include <QtTest>

namespace {
void PutU32(QByteArray &r, int at, quint32 v) { qToLittleEndian<quint32>(v, r.data() + at); }
void PutU16(QByteArray &r, int at, quint16 v) { qToLittleEndian<quint16>(v, r.data() + at); }

QString Fmt(const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); }
QString Fmt(const void *p) { return p ? QLatin1Char('@') + QString::fromUtf8(static_cast<const char *>(p)) : QStringLiteral("@null"); }
QString Fmt(const TXA_AbsoluteTime &t) { return QString::number(t.Seconds) + QLatin1Char('.') + QString::number(t.Microseconds); }
template <class T> requires std::is_integral_v<T> QString Fmt(T v) { return QString::number(qint64(v)); }
}

class TestXAPlayer : public QObject {
    Q_OBJECT

    QStringList Shown;
    QStringList Events;

    // Every event of the component, recording its name and arguments.
    void RecordAll(TXAPlayer &p)
    {
        auto rec = [this](const char *name) {
            return [this, name](TXAPlayer *sender, auto... args) {
                QStringList parts{Fmt(args)...};
                Events << QString::fromLatin1(name) + QLatin1Char('(') + parts.join(QLatin1Char(',')) + QLatin1Char(')');
                Q_UNUSED(sender);
            };
        };
#define REC(e) p.e = rec(#e)
        REC(OnReady); REC(OnExited); REC(OnAck); REC(OnNack); REC(OnPong); REC(OnPlayerState); REC(OnPlayerMode);
        REC(OnPlayerEnvironmentInteger); REC(OnPlayerEnvironmentString); REC(OnInputState); REC(OnInputName);
        REC(OnInputCaps); REC(OnInputPosition); REC(OnInputPositionRange); REC(OnInputTimecode);
        REC(OnInputTimecodeGranularity); REC(OnInputModule); REC(OnInputModuleInfo); REC(OnInputDeviceInfo);
        REC(OnInputFilterInfo); REC(OnOutputState); REC(OnOutputName); REC(OnOutputCaps); REC(OnOutputPosition);
        REC(OnOutputTimecode); REC(OnOutputVolume); REC(OnOutputBalance); REC(OnOutputPcmLevel);
        REC(OnOutputMasterLevel); REC(OnOutputChannels); REC(OnOutputPorts); REC(OnOutputModule);
        REC(OnOutputModuleInfo); REC(OnOutputDeviceInfo); REC(OnOutputFilterInfo); REC(OnStreamMimeType);
        REC(OnStreamDuration); REC(OnStreamParameters); REC(OnCodecQuality); REC(OnCodecEqualizer);
        REC(OnCodecModule); REC(OnCodecModuleInfo); REC(OnCodecDeviceInfo); REC(OnNotificationMask);
        REC(OnDebugLevel); REC(OnProgress); REC(OnDebug); REC(OnError); REC(OnPrivateData);
        REC(OnFeedbackAudioEventRate); REC(OnFeedbackHandlerState); REC(OnFeedbackHandlerModule);
        REC(OnFeedbackHandlerModuleInfo); REC(OnFeedbackHandlerName); REC(OnFeedbackHandlerInfo);
        REC(OnFeedbackHandlerEnvironmentInteger); REC(OnFeedbackHandlerEnvironmentString);
        REC(OnFeedbackAudioEvent); REC(OnFeedbackTagEvent);
#undef REC
        p.OnStreamProperties = [this](TXAPlayer *, int n, const TPropertyList &list) {
            Events << QStringLiteral("OnStreamProperties(%1,%2)").arg(n).arg(list.size());
        };
    }

    // Posts a marker the component answers with an event, and waits for it: every
    // message posted before it has then been handled.
    void Settle(FakeLibrary &lib, TXAPlayer &p)
    {
        bool seen = false;
        auto old = p.OnPong;
        p.OnPong = [&seen](TXAPlayer *, quint32 tag) { seen = seen || tag == 0xC0FFEEu; };
        QByteArray r = NotificationBytes(76);
        PutU32(r, 4, 0xC0FFEEu);
        QVERIFY(lib.Post(r));
        QTRY_VERIFY(seen);
        p.OnPong = old;
    }

    std::unique_ptr<TXAPlayer> Ready(FakeLibrary &lib)
    {
        auto p = std::make_unique<TXAPlayer>();
        p->SetDLLName(lib.Path);
        if (!p->Initialize()) qFatal("stand-in library refused");
        return p;
    }

private slots:
    void init()
    {
        Shown.clear();
        Events.clear();
        SetDialogs(std::make_unique<RecordingDialogs>(Shown));
    }

    void freshComponentAndMissingLibrary()
    {
        TXAPlayer p;
        QCOMPARE(p.DLLName(), QStringLiteral("xaudio.so"));
        QCOMPARE(p.DLLHandle(), quintptr(0));
        QCOMPARE(p.Priority(), 3);
        p.SetDLLName(QStringLiteral(KETAB_FAKE_XAUDIO_DIR "/no-such-library.so"));
        QVERIFY(!p.Initialize());
        QCOMPARE(p.DLLHandle(), quintptr(0));
        QVERIFY(Shown.isEmpty());
        // The reading window calls these without checking.
        p.InputOpen(QStringLiteral("/nowhere/Music1.mp3"));
        p.Play();
        p.Stop();
        p.Shutdown();
        QCOMPARE(TXAPlayer::DecoderLoadCount(), 0);
    }

    void initializeCommandsAndShutdown()
    {
        FakeLibrary lib;
        auto p = Ready(lib);
        QVERIFY(p->DLLHandle() != 0);
        QVERIFY(p->Initialize());  // a second call makes nothing new
        p->InputOpen(QStringLiteral("/book/Musics/Music3.mp3"));
        p->Play();
        p->Stop();
        p->Shutdown();
        QCOMPARE(p->DLLHandle(), quintptr(0));
        QCOMPARE(lib.Log(), QStringList({"xaudio_get_version 2", "player_new",
                                         "control_message_send_S 8 /book/Musics/Music3.mp3",
                                         "control_message_send_N 4", "control_message_send_N 6", "player_delete"}));
        lib.Reset();
        p->Play();  // after shutdown nothing reaches the library
        QVERIFY(lib.Log().isEmpty());
    }

    void versionEntries_data()
    {
        QTest::addColumn<QString>("library");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("found");
        QTest::newRow("api version only") << "fake_xaudio_api" << true << "xaudio_get_api_version 2" << "";
        QTest::newRow("no version entry") << "fake_xaudio_noversion" << false << "" << "00.00";
        QTest::newRow("older version") << "fake_xaudio_old" << false << "xaudio_get_version 2" << "03.07";
    }

    void versionEntries()
    {
        QFETCH(QString, library);
        QFETCH(bool, accepted);
        QFETCH(QString, call);
        QFETCH(QString, found);
        FakeLibrary lib(library);
        TXAPlayer p;
        p.SetDLLName(lib.Path);
        QCOMPARE(p.Initialize(), accepted);
        const QStringList log = lib.Log();
        if (!call.isEmpty()) QCOMPARE(log.value(0), call);
        if (accepted) {
            QVERIFY(Shown.isEmpty());
            QVERIFY(log.contains("player_new"));
        } else {
            QCOMPARE(Shown, QStringList(QStringLiteral("Error|XAudio decoder API version mismatch:\r\n"
                                                       "Version expected: 03.08\r\nVersion found: ") + found));
            QVERIFY(!log.contains("player_new"));
            QCOMPARE(p.DLLHandle(), quintptr(0));
            QCOMPARE(TXAPlayer::DecoderLoadCount(), 0);
            QVERIFY(!TXAPlayer::DecoderFunctionsBound());
        }
    }

    void priority()
    {
        FakeLibrary lib;
        lib.SetPriorityAnswer(7);
        {
            TXAPlayer p;
            p.SetDLLName(lib.Path);
            p.SetPriority(3);
            QVERIFY(p.Initialize());
            QVERIFY(!lib.Log().join(' ').contains("player_set_priority"));
        }
        lib.Reset();
        lib.SetPriorityAnswer(7);
        TXAPlayer p;
        p.SetDLLName(lib.Path);
        p.SetPriority(5);
        QCOMPARE(p.Priority(), 5);
        QVERIFY(lib.Log().isEmpty());
        QVERIFY(p.Initialize());
        QCOMPARE(lib.Log().mid(1), QStringList({"player_new", "player_set_priority 5"}));
        // With a player object the library is asked, and a write goes to it.
        QCOMPARE(p.Priority(), 7);
        p.SetPriority(9);
        QCOMPARE(lib.Log().mid(3), QStringList({"player_get_priority", "player_set_priority 9"}));
        p.Shutdown();
        QCOMPARE(p.Priority(), 5);  // the stored value was left alone
    }

    void playerObjectRefused()
    {
        FakeLibrary lib;
        lib.SetPlayerNewResult(-1);
        TXAPlayer p;
        p.SetDLLName(lib.Path);
        try {
            p.Initialize();
            QFAIL("no exception");
        } catch (const EXAException &e) {
            QCOMPARE(e.Message(), QStringLiteral("Unable to create XAudio player-object"));
        }
        QVERIFY(p.DLLHandle() != 0);  // what was made stays until shutdown
        QVERIFY(!p.Initialize());     // and is not reported as ready
        p.Play();
        QVERIFY(!lib.Log().contains("control_message_send_N 4"));
        p.Shutdown();
        QCOMPARE(TXAPlayer::DecoderLoadCount(), 0);
    }

    void defaultHandlingAndCodesWithoutEvent()
    {
        FakeLibrary lib;
        auto p = Ready(lib);
        RecordAll(*p);
        // Below the library's range: not even offered for conversion.
        QVERIFY(lib.Post(NotificationBytes(78), 0x8FFF));
        // Refused by the conversion.
        QVERIFY(lib.Post(NotificationBytes(78), 0x9100, false));
        // Codes without a row.
        for (int code : {0, 72, 97, 99, 125, 137, 149, 160, 255, -1, 0x10000 + 78}) QVERIFY(lib.Post(NotificationBytes(code)));
        Settle(lib, *p);
        QCOMPARE(Events, QStringList());
        const QStringList log = lib.Log();
        QVERIFY(!log.contains("control_message_send_N 36863"));
        QCOMPARE(log.count("control_win32_params_to_message 36864"), 0);
        QCOMPARE(log.count("control_win32_params_to_message 37120"), 1 + 11 + 1);
    }

    // Every row of the dispatch table: each argument is taken from its own offset
    // with its own width and sign. Values are chosen so that a wrong offset, width
    // or sign extension shows.
    void dispatchTable()
    {
        enum Kind { B, S16, U16, U32, I32, T, A, Time, Size };
        struct Field { Kind kind; int at; };
        struct Row { int code; const char *event; QList<Field> fields; };
        const QList<Row> table = {
            {73, "OnReady", {}}, {77, "OnExited", {}},
            {74, "OnAck", {{B, 4}}}, {78, "OnPlayerState", {{B, 4}}}, {82, "OnInputState", {{B, 4}}},
            {93, "OnOutputState", {{B, 4}}}, {103, "OnOutputMasterLevel", {{B, 4}}},
            {104, "OnOutputChannels", {{B, 4}}}, {105, "OnOutputPorts", {{B, 4}}}, {114, "OnCodecQuality", {{B, 4}}},
            {120, "OnDebugLevel", {{B, 4}}}, {150, "OnFeedbackAudioEventRate", {{B, 4}}},
            {151, "OnFeedbackHandlerState", {{B, 4}}},
            {102, "OnOutputPcmLevel", {{B, 5}}}, {101, "OnOutputBalance", {{B, 6}}},
            {100, "OnOutputVolume", {{B, 4}, {B, 5}, {B, 6}}},
            {75, "OnNack", {{U32, 4}}}, {76, "OnPong", {{U32, 4}}}, {79, "OnPlayerMode", {{U32, 4}}},
            {84, "OnInputCaps", {{U32, 4}}}, {86, "OnInputPositionRange", {{U32, 4}}},
            {88, "OnInputTimecodeGranularity", {{U32, 4}}}, {95, "OnOutputCaps", {{U32, 4}}},
            {111, "OnStreamDuration", {{U32, 4}}}, {115, "OnCodecEqualizer", {{U32, 4}}},
            {119, "OnNotificationMask", {{U32, 4}}},
            {89, "OnInputModule", {{S16, 4}}}, {106, "OnOutputModule", {{S16, 4}}}, {116, "OnCodecModule", {{S16, 4}}},
            {152, "OnFeedbackHandlerModule", {{S16, 4}}},
            {83, "OnInputName", {{T, 4}}}, {94, "OnOutputName", {{T, 4}}}, {110, "OnStreamMimeType", {{T, 4}}},
            {154, "OnFeedbackHandlerName", {{T, 4}}},
            {85, "OnInputPosition", {{U32, 4}, {U32, 8}}}, {96, "OnOutputPosition", {{U32, 4}, {U32, 8}}},
            {80, "OnPlayerEnvironmentInteger", {{T, 4}, {I32, 8}}},
            {156, "OnFeedbackHandlerEnvironmentInteger", {{T, 4}, {I32, 8}}},
            {81, "OnPlayerEnvironmentString", {{T, 4}, {T, 8}}},
            {157, "OnFeedbackHandlerEnvironmentString", {{T, 4}, {T, 8}}},
            {87, "OnInputTimecode", {{B, 4}, {B, 5}, {B, 6}, {B, 7}}},
            {98, "OnOutputTimecode", {{B, 4}, {B, 5}, {B, 6}, {B, 7}}},
            {90, "OnInputModuleInfo", {{B, 4}, {B, 5}, {T, 8}, {T, 12}}},
            {107, "OnOutputModuleInfo", {{B, 4}, {B, 5}, {T, 8}, {T, 12}}},
            {117, "OnCodecModuleInfo", {{B, 4}, {B, 5}, {T, 8}, {T, 12}}},
            {153, "OnFeedbackHandlerModuleInfo", {{B, 4}, {B, 5}, {T, 8}, {T, 12}}},
            {91, "OnInputDeviceInfo", {{B, 4}, {B, 5}, {B, 6}, {T, 8}, {T, 12}}},
            {108, "OnOutputDeviceInfo", {{B, 4}, {B, 5}, {B, 6}, {T, 8}, {T, 12}}},
            {118, "OnCodecDeviceInfo", {{B, 4}, {B, 5}, {B, 6}, {T, 8}, {T, 12}}},
            {155, "OnFeedbackHandlerInfo", {{B, 4}, {B, 5}, {B, 6}, {T, 8}, {T, 12}}},
            {92, "OnInputFilterInfo", {{S16, 4}, {T, 8}}}, {109, "OnOutputFilterInfo", {{S16, 4}, {T, 8}}},
            {112, "OnStreamParameters", {{U32, 4}, {U16, 8}, {B, 10}}},
            {121, "OnProgress", {{B, 4}, {B, 5}, {S16, 6}, {T, 8}}},
            {122, "OnDebug", {{B, 4}, {B, 5}, {T, 8}}},
            {123, "OnError", {{B, 4}, {S16, 6}, {T, 8}}},
            {124, "OnPrivateData", {{B, 4}, {S16, 6}, {A, 8}, {Size, 12}}},
            {158, "OnFeedbackAudioEvent", {{Time, 4}, {U32, 12}, {U16, 16}, {U16, 18}, {A, 20}}},
            {159, "OnFeedbackTagEvent", {{Time, 4}, {U32, 12}}},
        };
        QCOMPARE(table.size(), 59);  // with OnStreamProperties, below: 60 events

        FakeLibrary lib;
        auto p = Ready(lib);
        RecordAll(*p);
        QStringList expected;
        for (const Row &row : table) {
            // Bytes the row does not name hold a pattern that would show if read.
            QByteArray r = NotificationBytes(row.code, 256);
            for (int i = 4; i < 256; ++i) r[i] = char(0xA5);
            QStringList args;
            int tail = 128;
            for (const Field &f : row.fields) {
                switch (f.kind) {
                case B: r[f.at] = char(0x80 + f.at); args << Fmt(0x80 + f.at); break;
                case S16: PutU16(r, f.at, quint16(0xFF00 + f.at)); args << Fmt(-256 + f.at); break;
                case U16: PutU16(r, f.at, quint16(0x8000 + f.at)); args << Fmt(0x8000 + f.at); break;
                case U32: PutU32(r, f.at, 0x80000000u + quint32(f.at)); args << Fmt(0x80000000u + quint32(f.at)); break;
                case I32: PutU32(r, f.at, quint32(-1000 - f.at)); args << Fmt(-1000 - f.at); break;
                case Size: PutU32(r, f.at, 3); args << Fmt(3); break;
                case Time:
                    PutU32(r, f.at, 0x80000000u + quint32(f.at));
                    PutU32(r, f.at + 4, 0x80000000u + quint32(f.at + 4));
                    args << QStringLiteral("%1.%2").arg(0x80000000u + quint32(f.at)).arg(0x80000000u + quint32(f.at + 4));
                    break;
                case T:
                case A: {
                    const QByteArray text = "v" + QByteArray::number(row.code) + "at" + QByteArray::number(f.at);
                    PutU32(r, f.at, quint32(tail));
                    r.replace(tail, text.size() + 1, text + '\0');
                    tail += 32;
                    args << (f.kind == T ? Fmt(QString::fromLatin1(text)) : QStringLiteral("@") + QString::fromLatin1(text));
                    break;
                }
                }
            }
            QVERIFY(lib.Post(r));
            expected << QString::fromLatin1(row.event) + QLatin1Char('(') + args.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        QTRY_COMPARE(Events.size(), expected.size());
        QCOMPARE(Events, expected);
    }

    void streamProperties()
    {
        FakeLibrary lib;
        auto p = Ready(lib);
        QList<int> counts;
        QList<TXA_Property> first;
        p->OnStreamProperties = [&](TXAPlayer *, int n, const TPropertyList &list) {
            counts << n;
            QCOMPARE(list.size(), MaxStreamProperties);
            first = list.mid(0, 3);
        };
        // Two entries: a number and a text.
        QByteArray r = NotificationBytes(113, 256);
        PutU32(r, 4, 2);
        PutU32(r, 8, 64);
        PutU32(r, 64, 200); r[68] = 1; PutU32(r, 72, quint32(-42));
        PutU32(r, 76, 210); r[80] = 0; PutU32(r, 84, 220);
        r.replace(200, 6, QByteArray("bits\0\0", 6));
        r.replace(210, 6, QByteArray("title\0", 6));
        r.replace(220, 6, QByteArray("song\0\0", 6));
        QVERIFY(lib.Post(r));
        QTRY_COMPARE(counts.size(), 1);
        QCOMPARE(counts[0], 2);
        QCOMPARE(first[0].Name, QStringLiteral("bits"));
        QCOMPARE(first[0].Value, QVariant(-42));
        QCOMPARE(first[1].Name, QStringLiteral("title"));
        QCOMPARE(first[1].Value, QVariant(QStringLiteral("song")));
        QCOMPARE(first[2].Name, QString());  // cleared from the previous message
        // More entries than the list holds: 1025 are delivered.
        QByteArray big = NotificationBytes(113, 64 + 2000 * XA_PROPERTY_ENTRY_SIZE);
        PutU32(big, 4, 2000);
        PutU32(big, 8, 64);
        for (int i = 0; i < 2000; ++i) big[64 + i * 12 + 4] = 1;
        QVERIFY(lib.Post(big));
        // A count the buffer cannot hold is cut at the buffer's end.
        QByteArray overrun = NotificationBytes(113, 64);
        PutU32(overrun, 4, 0x7FFFFFFF);
        PutU32(overrun, 8, XA_MESSAGE_SIZE - 24);
        QVERIFY(lib.Post(overrun));
        QTRY_COMPARE(counts.size(), 3);
        QCOMPARE(counts[1], MaxStreamProperties);
        QCOMPARE(counts[2], 2);
    }

    void textsStayInsideTheBuffer()
    {
        FakeLibrary lib;
        auto p = Ready(lib);
        QStringList texts;
        p->OnError = [&](TXAPlayer *, int, int, const QString &msg) { texts << msg; };
        QByteArray r = NotificationBytes(123, 64);
        PutU32(r, 8, 0xFFFFFFF0u);  // past the end: no text
        QVERIFY(lib.Post(r));
        QByteArray unterminated = NotificationBytes(123, XA_MESSAGE_SIZE);
        PutU32(unterminated, 8, XA_MESSAGE_SIZE - 3);
        unterminated[XA_MESSAGE_SIZE - 3] = 'a';
        unterminated[XA_MESSAGE_SIZE - 2] = 'b';
        unterminated[XA_MESSAGE_SIZE - 1] = 'c';
        QVERIFY(lib.Post(unterminated));
        QTRY_COMPARE(texts.size(), 2);
        QCOMPARE(texts, QStringList({QString(), QStringLiteral("abc")}));
    }

    void eventsArriveOnTheInterfaceThread()
    {
        FakeLibrary lib;
        auto p = Ready(lib);
        QThread *seenOn = nullptr;
        p->OnPlayerState = [&](TXAPlayer *sender, int state) {
            QCOMPARE(sender, p.get());
            QCOMPARE(state, 3);
            seenOn = QThread::currentThread();
        };
        QByteArray r = NotificationBytes(78);
        r[4] = 3;
        QVERIFY(lib.Post(r, 0x9100, true, true));
        QTRY_VERIFY(seenOn);
        QCOMPARE(seenOn, QThread::currentThread());
    }

    void handlerMayShutThePlayerDown()
    {
        FakeLibrary lib;
        auto p = Ready(lib);
        int seen = 0;
        p->OnPlayerState = [&](TXAPlayer *sender, int) {
            ++seen;
            sender->Shutdown();
        };
        QByteArray r = NotificationBytes(78);
        QVERIFY(lib.Post(r));
        QVERIFY(lib.Post(r));
        QTRY_COMPARE(seen, 1);
        QTest::qWait(50);
        QCOMPARE(seen, 1);
        QCOMPARE(p->DLLHandle(), quintptr(0));
    }

    // A handler that raises is reported by the application's handler; the
    // messages after it are still delivered.
    void raisingHandlerDoesNotStopTheEvents()
    {
        FakeLibrary lib;
        auto p = Ready(lib);
        QList<int> states;
        p->OnPlayerState = [&](TXAPlayer *, int state) {
            states << state;
            if (state == 1) throw EKetabError(QStringLiteral("handler failed"));
        };
        for (int state : {1, 2, 3}) {
            QByteArray r = NotificationBytes(78);
            r[4] = char(state);
            QVERIFY(lib.Post(r));
        }
        QTRY_COMPARE(states, QList<int>({1, 2, 3}));
        QCOMPARE(Shown, QStringList("Error|handler failed"));
        QByteArray r = NotificationBytes(78);
        r[4] = 0;
        QVERIFY(lib.Post(r));
        QTRY_COMPARE(states, QList<int>({1, 2, 3, 0}));
    }

    void instancesShareTheFunctionTable()
    {
        FakeLibrary lib;
        auto a = Ready(lib);
        auto b = Ready(lib);
        QCOMPARE(TXAPlayer::DecoderLoadCount(), 2);
        a.reset();
        QCOMPARE(TXAPlayer::DecoderLoadCount(), 1);
        QVERIFY(TXAPlayer::DecoderFunctionsBound());
        lib.Reset();
        b->Play();
        QCOMPARE(lib.Log(), QStringList("control_message_send_N 4"));
        b.reset();
        QCOMPARE(TXAPlayer::DecoderLoadCount(), 0);
        QVERIFY(!TXAPlayer::DecoderFunctionsBound());
    }
};

// The program's application object, so a raising handler meets its failure handler.
int main(int argc, char **argv)
{
    TKetabApplication app(argc, argv);
    TestXAPlayer test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_XAPlayer.moc"
