#pragma once
// Non-visual music player: drives the decoder library loaded at run time, sends it
// commands and turns its notifications into events on the user-interface thread.
#include "widgets/EXAException.h"
#include "xaudio/XAudioInterface.h"
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class QSocketNotifier;
class TXAPlayer;

using TXA_NackInfo = quint32;       // the library's packed command and reason
using TXA_EqualizerInfo = quint32;  // the library's packed equalizer setting
struct TXA_AbsoluteTime {
    quint32 Seconds = 0;
    quint32 Microseconds = 0;
};
struct TXA_Property {
    QString Name;
    QVariant Value;  // int when the library marks it numeric, else text
};
// Always MaxStreamProperties entries; the first NBProperties are filled.
using TPropertyList = QList<TXA_Property>;
constexpr int MaxStreamProperties = 1025;

class TXAPlayer : public QObject {
    Q_OBJECT
public:
    explicit TXAPlayer(QObject *owner = nullptr);
    ~TXAPlayer() override;

    // File name of the decoder library; a name without a folder is one of the program's
    // private libraries (beside the executable, or where the install put them).
    QString DLLName() const { return FDLLName; }
    void SetDLLName(const QString &name) { FDLLName = name; }
    // Handle of the loaded library, 0 when none.
    quintptr DLLHandle() const { return reinterpret_cast<quintptr>(FDLLHandle); }
    // Scheduling priority of the library's work; 3 is normal.
    int Priority() const;
    void SetPriority(int value);

    // Loads the library, checks its version, makes the notification pipe and the
    // player object. False when the library is missing or refused; throws
    // EXAException when the pipe or the player object cannot be made.
    bool Initialize();
    void Play();
    // Stops where the track is: the next Play goes on from there.
    void Pause();
    void Stop();
    void InputOpen(const QString &path);
    // Deletes the player object, frees the library, closes the pipe.
    void Shutdown();

    // The process-wide function table shared by all instances.
    static int DecoderLoadCount();
    static bool DecoderFunctionsBound();

    using TPlayerEvent = std::function<void(TXAPlayer *Sender)>;
    using TIntEvent = std::function<void(TXAPlayer *Sender, int Value)>;
    using TCardinalEvent = std::function<void(TXAPlayer *Sender, quint32 Value)>;
    using TTextEvent = std::function<void(TXAPlayer *Sender, const QString &Text)>;
    using TPositionEvent = std::function<void(TXAPlayer *Sender, quint32 Offset, quint32 Range)>;
    using TEnvIntegerEvent = std::function<void(TXAPlayer *Sender, const QString &Name, qint32 Value)>;
    using TEnvStringEvent = std::function<void(TXAPlayer *Sender, const QString &Name, const QString &Value)>;
    using TTimecodeEvent = std::function<void(TXAPlayer *Sender, int Hours, int Minutes, int Seconds, int Fractions)>;
    using TModuleInfoEvent =
        std::function<void(TXAPlayer *Sender, int ID, int NBDevices, const QString &Name, const QString &Description)>;
    using TDeviceInfoEvent = std::function<void(TXAPlayer *Sender, int ModuleID, int Index, int Flags,
                                                const QString &Name, const QString &Description)>;
    using TFilterInfoEvent = std::function<void(TXAPlayer *Sender, int ID, const QString &Name)>;

    TPlayerEvent OnReady;
    TPlayerEvent OnExited;
    TIntEvent OnAck;                      // Command
    std::function<void(TXAPlayer *Sender, TXA_NackInfo Info)> OnNack;
    TCardinalEvent OnPong;                // Tag
    TIntEvent OnPlayerState;              // State
    TCardinalEvent OnPlayerMode;          // Mode
    TEnvIntegerEvent OnPlayerEnvironmentInteger;
    TEnvStringEvent OnPlayerEnvironmentString;
    TIntEvent OnInputState;               // State
    TTextEvent OnInputName;               // Name
    TCardinalEvent OnInputCaps;           // Caps
    TPositionEvent OnInputPosition;
    TCardinalEvent OnInputPositionRange;  // Range
    TTimecodeEvent OnInputTimecode;
    TCardinalEvent OnInputTimecodeGranularity;
    TIntEvent OnInputModule;              // ModuleID
    TModuleInfoEvent OnInputModuleInfo;
    TDeviceInfoEvent OnInputDeviceInfo;
    TFilterInfoEvent OnInputFilterInfo;
    TIntEvent OnOutputState;              // State
    TTextEvent OnOutputName;              // Name
    TCardinalEvent OnOutputCaps;          // Caps
    TPositionEvent OnOutputPosition;
    TTimecodeEvent OnOutputTimecode;
    std::function<void(TXAPlayer *Sender, int MasterLevel, int PCMLevel, int Balance)> OnOutputVolume;
    TIntEvent OnOutputBalance;            // Balance
    TIntEvent OnOutputPcmLevel;           // Level
    TIntEvent OnOutputMasterLevel;        // Level
    TIntEvent OnOutputChannels;           // Channels
    TIntEvent OnOutputPorts;              // Ports
    TIntEvent OnOutputModule;             // ModuleID
    TModuleInfoEvent OnOutputModuleInfo;
    TDeviceInfoEvent OnOutputDeviceInfo;
    TFilterInfoEvent OnOutputFilterInfo;
    TTextEvent OnStreamMimeType;          // MimeType
    TCardinalEvent OnStreamDuration;      // Duration
    std::function<void(TXAPlayer *Sender, quint32 Frequency, int Bitrate, int NBChannels)> OnStreamParameters;
    std::function<void(TXAPlayer *Sender, int NBProperties, const TPropertyList &Properties)> OnStreamProperties;
    TIntEvent OnCodecQuality;             // Quality
    std::function<void(TXAPlayer *Sender, TXA_EqualizerInfo Info)> OnCodecEqualizer;
    TIntEvent OnCodecModule;              // ModuleID
    TModuleInfoEvent OnCodecModuleInfo;
    TDeviceInfoEvent OnCodecDeviceInfo;
    TCardinalEvent OnNotificationMask;    // Mask
    TIntEvent OnDebugLevel;               // Level
    std::function<void(TXAPlayer *Sender, int Source, int Code, int Value, const QString &Msg)> OnProgress;
    std::function<void(TXAPlayer *Sender, int Source, int Level, const QString &Msg)> OnDebug;
    std::function<void(TXAPlayer *Sender, int Source, int Code, const QString &Msg)> OnError;
    std::function<void(TXAPlayer *Sender, int Source, int _Type, const void *Data, quint32 Size)> OnPrivateData;
    TIntEvent OnFeedbackAudioEventRate;   // Rate
    TIntEvent OnFeedbackHandlerState;     // State
    TIntEvent OnFeedbackHandlerModule;    // ModuleID
    TModuleInfoEvent OnFeedbackHandlerModuleInfo;
    TTextEvent OnFeedbackHandlerName;     // Name
    TDeviceInfoEvent OnFeedbackHandlerInfo;
    TEnvIntegerEvent OnFeedbackHandlerEnvironmentInteger;
    TEnvStringEvent OnFeedbackHandlerEnvironmentString;
    std::function<void(TXAPlayer *Sender, const TXA_AbsoluteTime &When, quint32 Frequency, int NBChannels,
                       int NBSamples, const void *Samples)>
        OnFeedbackAudioEvent;
    std::function<void(TXAPlayer *Sender, const TXA_AbsoluteTime &When, quint32 Tag)> OnFeedbackTagEvent;

private:
    bool LoadDecoderLibrary(const QString &name);
    void FreeDecoderLibrary();
    void CreateHiddenWindow();
    void DestroyHiddenWindow();
    void ReadNotifications();
    // One message that arrived through the pipe: converted by the library and dispatched.
    void HandleMessage(quint32 message, quint64 wParam, quint64 lParam);
    void Dispatch(const unsigned char *m);
    void DispatchStreamProperties(const unsigned char *m);

    XA_PlayerObject *PlayerObject = nullptr;
    int StoredPriority = 3;
    int HiddenWindow = -1;  // write end of the pipe, handed to the library
    int PipeReadEnd = -1;
    QSocketNotifier *Notifier = nullptr;
    void *FDLLHandle = nullptr;
    QString FDLLName = QStringLiteral("xaudio.so");
    QByteArray Unread;  // read from the pipe, not yet handled (a partial record waits for its rest)
    std::unique_ptr<XA_Message> Message;
    TPropertyList Properties;
};
