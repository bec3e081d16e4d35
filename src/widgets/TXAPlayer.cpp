#include "widgets/TXAPlayer.h"
#include "app/KetabApplication.h"
#include "app/Dialogs.h"
#include "platform/TInstallLayout.h"
#include <QFile>
#include <QPointer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {
// The library functions the component calls, bound by name when the first
// instance loads the library and cleared when the last one frees it.
struct TDecoderFunctions {
    XA_GetVersionFn GetVersion = nullptr;
    XA_PlayerNewFn PlayerNew = nullptr;
    XA_PlayerSetPriorityFn PlayerSetPriority = nullptr;
    XA_PlayerGetPriorityFn PlayerGetPriority = nullptr;
    XA_PlayerDeleteFn PlayerDelete = nullptr;
    XA_ControlMessageSendNFn ControlMessageSendN = nullptr;
    XA_ControlMessageSendSFn ControlMessageSendS = nullptr;
    XA_ControlWin32ParamsToMessageFn ControlWin32ParamsToMessage = nullptr;
};
TDecoderFunctions DecoderFunctions;
int DecoderLoadCount = 0;

template <class F> void Bind(F &fn, void *handle, const char *name)
{
    fn = reinterpret_cast<F>(dlsym(handle, name));
}

void BindDecoderFunctions(void *handle)
{
    Bind(DecoderFunctions.GetVersion, handle, "xaudio_get_version");
    if (!DecoderFunctions.GetVersion) Bind(DecoderFunctions.GetVersion, handle, "xaudio_get_api_version");
    Bind(DecoderFunctions.PlayerNew, handle, "player_new");
    Bind(DecoderFunctions.PlayerSetPriority, handle, "player_set_priority");
    Bind(DecoderFunctions.PlayerGetPriority, handle, "player_get_priority");
    Bind(DecoderFunctions.PlayerDelete, handle, "player_delete");
    Bind(DecoderFunctions.ControlMessageSendN, handle, "control_message_send_N");
    Bind(DecoderFunctions.ControlMessageSendS, handle, "control_message_send_S");
    Bind(DecoderFunctions.ControlWin32ParamsToMessage, handle, "control_win32_params_to_message");
}

// Readers of the converted record: fixed offsets, little-endian, references as
// 32-bit offsets into the same buffer. Nothing outside the buffer is ever read.
int U8(const unsigned char *m, int at) { return m[at]; }
int U16(const unsigned char *m, int at) { return qFromLittleEndian<quint16>(m + at); }
int S16(const unsigned char *m, int at) { return qFromLittleEndian<qint16>(m + at); }
quint32 U32(const unsigned char *m, int at) { return qFromLittleEndian<quint32>(m + at); }
qint32 S32(const unsigned char *m, int at) { return qFromLittleEndian<qint32>(m + at); }

const unsigned char *Address(const unsigned char *m, quint32 offset)
{
    return offset != 0 && offset < XA_MESSAGE_SIZE ? m + offset : nullptr;
}

QString TextAt(const unsigned char *m, quint32 offset)
{
    const unsigned char *p = Address(m, offset);
    if (!p) return QString();
    const auto *s = reinterpret_cast<const char *>(p);
    return QString::fromUtf8(s, qsizetype(strnlen(s, XA_MESSAGE_SIZE - offset)));
}

QString Text(const unsigned char *m, int at) { return TextAt(m, U32(m, at)); }

TXA_AbsoluteTime Time(const unsigned char *m, int at)
{
    TXA_AbsoluteTime t;
    t.Seconds = U32(m, at);
    t.Microseconds = U32(m, at + 4);
    return t;
}
}

TXAPlayer::TXAPlayer(QObject *owner) : QObject(owner), Message(std::make_unique<XA_Message>())
{
    Properties.resize(MaxStreamProperties);
}

TXAPlayer::~TXAPlayer() { Shutdown(); }

int TXAPlayer::DecoderLoadCount() { return ::DecoderLoadCount; }

bool TXAPlayer::DecoderFunctionsBound()
{
    const auto &f = DecoderFunctions;
    return f.GetVersion || f.PlayerNew || f.PlayerSetPriority || f.PlayerGetPriority || f.PlayerDelete ||
           f.ControlMessageSendN || f.ControlMessageSendS || f.ControlWin32ParamsToMessage;
}

int TXAPlayer::Priority() const
{
    if (PlayerObject && DecoderFunctions.PlayerGetPriority) return DecoderFunctions.PlayerGetPriority(PlayerObject);
    return StoredPriority;
}

void TXAPlayer::SetPriority(int value)
{
    if (PlayerObject) {
        if (DecoderFunctions.PlayerSetPriority) DecoderFunctions.PlayerSetPriority(PlayerObject, value);
    } else {
        StoredPriority = value;
    }
}

bool TXAPlayer::LoadDecoderLibrary(const QString &name)
{
    if (!FDLLHandle && !name.isEmpty()) {
        // A bare file name is one of the program's private libraries.
        const QString path = name.contains(QLatin1Char('/')) ? name : TInstallLayout::PrivateLibrary(name);
        FDLLHandle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (FDLLHandle) {
            if (::DecoderLoadCount == 0) BindDecoderFunctions(FDLLHandle);
            ++::DecoderLoadCount;
        }
    }
    return FDLLHandle != nullptr;
}

void TXAPlayer::FreeDecoderLibrary()
{
    if (!FDLLHandle) return;
    dlclose(FDLLHandle);
    FDLLHandle = nullptr;
    if (--::DecoderLoadCount == 0) DecoderFunctions = TDecoderFunctions();
}

bool TXAPlayer::Initialize()
{
    // A second call while the library is held makes nothing new; it answers whether
    // the player is ready (an earlier attempt may have failed to make its parts).
    if (FDLLHandle) return HiddenWindow >= 0 && PlayerObject;

    if (LoadDecoderLibrary(FDLLName)) {
        const int version = DecoderFunctions.GetVersion ? DecoderFunctions.GetVersion(XA_API_ID) : 0;
        const int major = (version >> 16) & 0xFF;
        const int minor = (version >> 8) & 0xFF;
        if (major != XA_VERSION_MAJOR || minor != XA_VERSION_MINOR) {
            Dialogs().ShowMessage(
                QString::asprintf("XAudio decoder API version mismatch:\r\nVersion expected: %.2d.%.2d\r\n"
                                  "Version found: %.2d.%.2d",
                                  XA_VERSION_MAJOR, XA_VERSION_MINOR, major, minor),
                QStringLiteral("Error"));
            FreeDecoderLibrary();
        }
    }
    if (FDLLHandle) {
        CreateHiddenWindow();
        if (!DecoderFunctions.PlayerNew || DecoderFunctions.PlayerNew(&PlayerObject, &HiddenWindow) != 0) {
            PlayerObject = nullptr;
            throw EXAException(QStringLiteral("Unable to create XAudio player-object"));
        }
        if (StoredPriority != 3 && DecoderFunctions.PlayerSetPriority)
            DecoderFunctions.PlayerSetPriority(PlayerObject, StoredPriority);
    }
    return FDLLHandle && HiddenWindow >= 0 && PlayerObject;
}

// The "hidden window" is a pipe: the library's thread writes its message records to
// the write end, and the notifier reads them here on the user-interface thread.
// Both ends are non-blocking, so a busy reader never stalls the library's thread.
void TXAPlayer::CreateHiddenWindow()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw EXAException(QStringLiteral("Unable to create hidden window"));
    PipeReadEnd = fds[0];
    HiddenWindow = fds[1];
    Notifier = new QSocketNotifier(PipeReadEnd, QSocketNotifier::Read, this);
    TKetabApplication::Connect(Notifier, &QSocketNotifier::activated, this, [this] { ReadNotifications(); });
}

void TXAPlayer::DestroyHiddenWindow()
{
    if (Notifier) {
        Notifier->setEnabled(false);
        Notifier->deleteLater();
        Notifier = nullptr;
    }
    if (PipeReadEnd >= 0) close(PipeReadEnd);
    if (HiddenWindow >= 0) close(HiddenWindow);
    PipeReadEnd = -1;
    HiddenWindow = -1;
    Unread.clear();
}

void TXAPlayer::Shutdown()
{
    if (PlayerObject && DecoderFunctions.PlayerDelete) DecoderFunctions.PlayerDelete(PlayerObject);
    PlayerObject = nullptr;
    FreeDecoderLibrary();
    DestroyHiddenWindow();
}

void TXAPlayer::Play()
{
    if (PlayerObject && DecoderFunctions.ControlMessageSendN)
        DecoderFunctions.ControlMessageSendN(PlayerObject, XA_MSG_COMMAND_PLAY);
}

void TXAPlayer::Pause()
{
    if (PlayerObject && DecoderFunctions.ControlMessageSendN)
        DecoderFunctions.ControlMessageSendN(PlayerObject, XA_MSG_COMMAND_PAUSE);
}

void TXAPlayer::Stop()
{
    if (PlayerObject && DecoderFunctions.ControlMessageSendN)
        DecoderFunctions.ControlMessageSendN(PlayerObject, XA_MSG_COMMAND_STOP);
}

void TXAPlayer::InputOpen(const QString &path)
{
    if (PlayerObject && DecoderFunctions.ControlMessageSendS)
        DecoderFunctions.ControlMessageSendS(PlayerObject, XA_MSG_COMMAND_INPUT_OPEN, QFile::encodeName(path).constData());
}

void TXAPlayer::ReadNotifications()
{
    const int fd = PipeReadEnd;
    // Events run one at a time: while a handler runs (it may open a dialog with its
    // own event loop), the notifier is off so no later message overtakes it.
    if (fd < 0 || !Notifier->isEnabled()) return;
    char chunk[64 * sizeof(XA_PipeRecord)];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n > 0) {
            Unread.append(chunk, n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    constexpr qsizetype RecordSize = sizeof(XA_PipeRecord);
    QPointer<TXAPlayer> self(this);
    Notifier->setEnabled(false);
    // However the dispatch ends (a handler may raise, shut the player down or free
    // the component), a live pipe is watched again and what is left is handled next.
    const auto resume = qScopeGuard([self, fd] {
        if (!self || self->PipeReadEnd != fd) return;
        self->Notifier->setEnabled(true);
        if (self->Unread.size() >= RecordSize)
            QMetaObject::invokeMethod(self.data(), [self] { if (self) self->ReadNotifications(); }, Qt::QueuedConnection);
    });
    while (Unread.size() >= RecordSize) {
        XA_PipeRecord r;
        std::memcpy(&r, Unread.constData(), sizeof r);
        Unread.remove(0, RecordSize);
        HandleMessage(r.message, r.wparam, r.lparam);
        if (!self || PipeReadEnd != fd) return;
    }
}

void TXAPlayer::HandleMessage(quint32 message, quint64 wParam, quint64 lParam)
{
    // Anything else gets the default handling, which here is to drop it.
    if (HiddenWindow < 0 || !PlayerObject || message < 0x9000u) return;
    if (!DecoderFunctions.ControlWin32ParamsToMessage ||
        DecoderFunctions.ControlWin32ParamsToMessage(PlayerObject, Message.get(), message, wParam, lParam) != 0)
        return;
    Dispatch(Message->bytes);
}

void TXAPlayer::Dispatch(const unsigned char *m)
{
    TXAPlayer *const s = this;
    switch (S32(m, 0)) {
    case 73: if (OnReady) OnReady(s); break;
    case 77: if (OnExited) OnExited(s); break;
    case 74: if (OnAck) OnAck(s, U8(m, 4)); break;
    case 78: if (OnPlayerState) OnPlayerState(s, U8(m, 4)); break;
    case 82: if (OnInputState) OnInputState(s, U8(m, 4)); break;
    case 93: if (OnOutputState) OnOutputState(s, U8(m, 4)); break;
    case 103: if (OnOutputMasterLevel) OnOutputMasterLevel(s, U8(m, 4)); break;
    case 104: if (OnOutputChannels) OnOutputChannels(s, U8(m, 4)); break;
    case 105: if (OnOutputPorts) OnOutputPorts(s, U8(m, 4)); break;
    case 114: if (OnCodecQuality) OnCodecQuality(s, U8(m, 4)); break;
    case 120: if (OnDebugLevel) OnDebugLevel(s, U8(m, 4)); break;
    case 150: if (OnFeedbackAudioEventRate) OnFeedbackAudioEventRate(s, U8(m, 4)); break;
    case 151: if (OnFeedbackHandlerState) OnFeedbackHandlerState(s, U8(m, 4)); break;
    case 102: if (OnOutputPcmLevel) OnOutputPcmLevel(s, U8(m, 5)); break;
    case 101: if (OnOutputBalance) OnOutputBalance(s, U8(m, 6)); break;
    case 100: if (OnOutputVolume) OnOutputVolume(s, U8(m, 4), U8(m, 5), U8(m, 6)); break;
    case 75: if (OnNack) OnNack(s, U32(m, 4)); break;
    case 76: if (OnPong) OnPong(s, U32(m, 4)); break;
    case 79: if (OnPlayerMode) OnPlayerMode(s, U32(m, 4)); break;
    case 84: if (OnInputCaps) OnInputCaps(s, U32(m, 4)); break;
    case 86: if (OnInputPositionRange) OnInputPositionRange(s, U32(m, 4)); break;
    case 88: if (OnInputTimecodeGranularity) OnInputTimecodeGranularity(s, U32(m, 4)); break;
    case 95: if (OnOutputCaps) OnOutputCaps(s, U32(m, 4)); break;
    case 111: if (OnStreamDuration) OnStreamDuration(s, U32(m, 4)); break;
    case 115: if (OnCodecEqualizer) OnCodecEqualizer(s, U32(m, 4)); break;
    case 119: if (OnNotificationMask) OnNotificationMask(s, U32(m, 4)); break;
    case 89: if (OnInputModule) OnInputModule(s, S16(m, 4)); break;
    case 106: if (OnOutputModule) OnOutputModule(s, S16(m, 4)); break;
    case 116: if (OnCodecModule) OnCodecModule(s, S16(m, 4)); break;
    case 152: if (OnFeedbackHandlerModule) OnFeedbackHandlerModule(s, S16(m, 4)); break;
    case 83: if (OnInputName) OnInputName(s, Text(m, 4)); break;
    case 94: if (OnOutputName) OnOutputName(s, Text(m, 4)); break;
    case 110: if (OnStreamMimeType) OnStreamMimeType(s, Text(m, 4)); break;
    case 154: if (OnFeedbackHandlerName) OnFeedbackHandlerName(s, Text(m, 4)); break;
    case 85: if (OnInputPosition) OnInputPosition(s, U32(m, 4), U32(m, 8)); break;
    case 96: if (OnOutputPosition) OnOutputPosition(s, U32(m, 4), U32(m, 8)); break;
    case 80: if (OnPlayerEnvironmentInteger) OnPlayerEnvironmentInteger(s, Text(m, 4), S32(m, 8)); break;
    case 156:
        if (OnFeedbackHandlerEnvironmentInteger) OnFeedbackHandlerEnvironmentInteger(s, Text(m, 4), S32(m, 8));
        break;
    case 81: if (OnPlayerEnvironmentString) OnPlayerEnvironmentString(s, Text(m, 4), Text(m, 8)); break;
    case 157:
        if (OnFeedbackHandlerEnvironmentString) OnFeedbackHandlerEnvironmentString(s, Text(m, 4), Text(m, 8));
        break;
    case 87: if (OnInputTimecode) OnInputTimecode(s, U8(m, 4), U8(m, 5), U8(m, 6), U8(m, 7)); break;
    case 98: if (OnOutputTimecode) OnOutputTimecode(s, U8(m, 4), U8(m, 5), U8(m, 6), U8(m, 7)); break;
    case 90: if (OnInputModuleInfo) OnInputModuleInfo(s, U8(m, 4), U8(m, 5), Text(m, 8), Text(m, 12)); break;
    case 107: if (OnOutputModuleInfo) OnOutputModuleInfo(s, U8(m, 4), U8(m, 5), Text(m, 8), Text(m, 12)); break;
    case 117: if (OnCodecModuleInfo) OnCodecModuleInfo(s, U8(m, 4), U8(m, 5), Text(m, 8), Text(m, 12)); break;
    case 153:
        if (OnFeedbackHandlerModuleInfo) OnFeedbackHandlerModuleInfo(s, U8(m, 4), U8(m, 5), Text(m, 8), Text(m, 12));
        break;
    case 91:
        if (OnInputDeviceInfo) OnInputDeviceInfo(s, U8(m, 4), U8(m, 5), U8(m, 6), Text(m, 8), Text(m, 12));
        break;
    case 108:
        if (OnOutputDeviceInfo) OnOutputDeviceInfo(s, U8(m, 4), U8(m, 5), U8(m, 6), Text(m, 8), Text(m, 12));
        break;
    case 118:
        if (OnCodecDeviceInfo) OnCodecDeviceInfo(s, U8(m, 4), U8(m, 5), U8(m, 6), Text(m, 8), Text(m, 12));
        break;
    case 155:
        if (OnFeedbackHandlerInfo) OnFeedbackHandlerInfo(s, U8(m, 4), U8(m, 5), U8(m, 6), Text(m, 8), Text(m, 12));
        break;
    case 92: if (OnInputFilterInfo) OnInputFilterInfo(s, S16(m, 4), Text(m, 8)); break;
    case 109: if (OnOutputFilterInfo) OnOutputFilterInfo(s, S16(m, 4), Text(m, 8)); break;
    case 112: if (OnStreamParameters) OnStreamParameters(s, U32(m, 4), U16(m, 8), U8(m, 10)); break;
    case 113: if (OnStreamProperties) DispatchStreamProperties(m); break;
    case 121: if (OnProgress) OnProgress(s, U8(m, 4), U8(m, 5), S16(m, 6), Text(m, 8)); break;
    case 122: if (OnDebug) OnDebug(s, U8(m, 4), U8(m, 5), Text(m, 8)); break;
    case 123: if (OnError) OnError(s, U8(m, 4), S16(m, 6), Text(m, 8)); break;
    case 124:
        if (OnPrivateData) {
            const quint32 offset = U32(m, 8);
            const unsigned char *data = Address(m, offset);
            // The size is kept within the buffer the data lies in.
            const quint32 size = data ? qMin<quint32>(U32(m, 12), XA_MESSAGE_SIZE - offset) : 0;
            OnPrivateData(s, U8(m, 4), S16(m, 6), data, size);
        }
        break;
    case 158:
        if (OnFeedbackAudioEvent)
            OnFeedbackAudioEvent(s, Time(m, 4), U32(m, 12), U16(m, 16), U16(m, 18), Address(m, U32(m, 20)));
        break;
    case 159: if (OnFeedbackTagEvent) OnFeedbackTagEvent(s, Time(m, 4), U32(m, 12)); break;
    default: break;  // codes without an event
    }
}

void TXAPlayer::DispatchStreamProperties(const unsigned char *m)
{
    for (TXA_Property &p : Properties) p = TXA_Property();
    const qint32 count = S32(m, 4);
    const quint32 array = U32(m, 8);
    int n = 0;
    if (array != 0) {
        // At most the list's size, and never past the end of the buffer.
        const qint64 room = (qint64(XA_MESSAGE_SIZE) - array) / XA_PROPERTY_ENTRY_SIZE;
        const qint64 limit = qMin<qint64>(qMin<qint64>(count, MaxStreamProperties), room);
        for (; n < limit; ++n) {
            const int e = int(array) + n * XA_PROPERTY_ENTRY_SIZE;
            Properties[n].Name = TextAt(m, U32(m, e));
            if (U8(m, e + 4) != 0)
                Properties[n].Value = QVariant(S32(m, e + 8));
            else
                Properties[n].Value = QVariant(TextAt(m, U32(m, e + 8)));
        }
    }
    OnStreamProperties(this, n, Properties);
}
