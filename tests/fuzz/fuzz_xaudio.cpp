// The music player component reading the decoder library's converted message records:
// random records (codes, fields, text and data offsets anywhere in the buffer) arrive
// through the real pipe and notifier and are dispatched to every event. Texts and data
// handed to an event must lie inside the record; the component must keep reading.
// Input: the message number (4 bytes), whether the conversion accepts it, then the record.
#include "FuzzSupport.h"
#include "widgets/TXAPlayer.h"
#include "xaudio/FakeLibrary.h"
#include <QCoreApplication>

namespace {
TXAPlayer *Player = nullptr;
FakeLibrary *Library = nullptr;
bool MarkerSeen = false;
constexpr quint32 Marker = 0xC0FFEEu;
volatile unsigned Sink = 0;

void Touch(const QString &text) { Sink = Sink + unsigned(text.size()); }

void AssignEvents(TXAPlayer &p)
{
    auto take = [](TXAPlayer *, auto...) {};
    p.OnReady = take; p.OnExited = take; p.OnAck = take; p.OnNack = take; p.OnPlayerState = take;
    p.OnPlayerMode = take; p.OnInputState = take; p.OnInputCaps = take; p.OnInputPosition = take;
    p.OnInputPositionRange = take; p.OnInputTimecode = take; p.OnInputTimecodeGranularity = take;
    p.OnInputModule = take; p.OnOutputState = take; p.OnOutputCaps = take; p.OnOutputPosition = take;
    p.OnOutputTimecode = take; p.OnOutputVolume = take; p.OnOutputBalance = take; p.OnOutputPcmLevel = take;
    p.OnOutputMasterLevel = take; p.OnOutputChannels = take; p.OnOutputPorts = take; p.OnOutputModule = take;
    p.OnStreamDuration = take; p.OnStreamParameters = take; p.OnCodecQuality = take; p.OnCodecEqualizer = take;
    p.OnCodecModule = take; p.OnNotificationMask = take; p.OnDebugLevel = take; p.OnFeedbackAudioEventRate = take;
    p.OnFeedbackHandlerState = take; p.OnFeedbackHandlerModule = take; p.OnFeedbackTagEvent = take;
    p.OnFeedbackAudioEvent = take;
    p.OnPong = [](TXAPlayer *, quint32 tag) { MarkerSeen = MarkerSeen || tag == Marker; };
    auto text1 = [](TXAPlayer *, const QString &a) { Touch(a); };
    p.OnInputName = text1; p.OnOutputName = text1; p.OnStreamMimeType = text1; p.OnFeedbackHandlerName = text1;
    auto textInt = [](TXAPlayer *, const QString &a, qint32) { Touch(a); };
    p.OnPlayerEnvironmentInteger = textInt; p.OnFeedbackHandlerEnvironmentInteger = textInt;
    auto text2 = [](TXAPlayer *, const QString &a, const QString &b) { Touch(a); Touch(b); };
    p.OnPlayerEnvironmentString = text2; p.OnFeedbackHandlerEnvironmentString = text2;
    auto module = [](TXAPlayer *, int, int, const QString &a, const QString &b) { Touch(a); Touch(b); };
    p.OnInputModuleInfo = module; p.OnOutputModuleInfo = module; p.OnCodecModuleInfo = module;
    p.OnFeedbackHandlerModuleInfo = module;
    auto device = [](TXAPlayer *, int, int, int, const QString &a, const QString &b) { Touch(a); Touch(b); };
    p.OnInputDeviceInfo = device; p.OnOutputDeviceInfo = device; p.OnCodecDeviceInfo = device;
    p.OnFeedbackHandlerInfo = device;
    auto filter = [](TXAPlayer *, int, const QString &a) { Touch(a); };
    p.OnInputFilterInfo = filter; p.OnOutputFilterInfo = filter;
    p.OnProgress = [](TXAPlayer *, int, int, int, const QString &m) { Touch(m); };
    p.OnDebug = [](TXAPlayer *, int, int, const QString &m) { Touch(m); };
    p.OnError = [](TXAPlayer *, int, int, const QString &m) { Touch(m); };
    // Every byte the component hands over is read, so data outside the record is caught.
    p.OnPrivateData = [](TXAPlayer *, int, int, const void *data, quint32 size) {
        FUZZ_CHECK(data || size == 0);
        const auto *b = static_cast<const unsigned char *>(data);
        for (quint32 i = 0; i < size; ++i) Sink = Sink + b[i];
    };
    p.OnStreamProperties = [](TXAPlayer *, int n, const TPropertyList &list) {
        FUZZ_CHECK(n >= 0 && n <= MaxStreamProperties);
        FUZZ_CHECK(list.size() == MaxStreamProperties);
        for (int i = 0; i < n; ++i) Touch(list[i].Name + list[i].Value.toString());
    };
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    new QCoreApplication(*argc, *argv);
    Library = new FakeLibrary;
    Player = new TXAPlayer;
    Player->SetDLLName(Library->Path);
    FUZZ_CHECK(Player->Initialize());
    AssignEvents(*Player);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const quint32 message = in.Long();
    const bool accept = in.Byte() & 1;
    const QByteArray record = in.Rest().left(XA_MESSAGE_SIZE);
    Library->Reset();
    FUZZ_CHECK(Library->Post(record, message, accept));
    // A marker behind it: once the marker's event has come, the record has been handled,
    // and the component is still reading its pipe.
    QByteArray marker = NotificationBytes(76);
    for (int i = 0; i < 4; ++i) marker[4 + i] = char((Marker >> (8 * i)) & 0xFF);
    MarkerSeen = false;
    FUZZ_CHECK(Library->Post(marker));
    for (int round = 0; round < 1000 && !MarkerSeen; ++round) QCoreApplication::processEvents();
    FUZZ_CHECK(MarkerSeen);
    return 0;
}
