#pragma once
#include <QString>
#include <QStringList>
#include <QtPlugin>
#include <functional>

// The speech service's side of read aloud: Qt's text-to-speech over the desktop's speech
// service (speech-dispatcher and its voices). It lives in a module the program loads the
// first time the reader asks for speech (TSpeechModule), so start-up never maps a speech
// library. The module talks to the service on a thread of its own: a service that is slow
// to start, hangs or dies never holds up the user-interface thread. Every event below is
// raised on the user-interface thread.
class TSpeechEngine {
public:
    enum TState { esReady, esSpeaking };
    // Why speech cannot start or go on.
    enum TFault {
        efNone,
        efNoPlugin,        // Qt has no speech-dispatcher plug-in
        efNoService,       // the service does not run and cannot be started
        efNoSynthesizer,   // the service has no voices at all (only its dummy module)
        efNoPersianVoice,  // the service's voices have no Persian one
        efLost             // the service ended or failed while in use
    };

    virtual ~TSpeechEngine() = default;
    // Connects to the service, starting it when it does not run, and looks for its Persian
    // voices; OnStarted follows. Starting again after a fault connects afresh.
    virtual void Start() = 0;
    // Says one sentence: OnState(esSpeaking) when its sound begins, esReady once it has
    // ended or was stopped.
    virtual void Say(const QString &text) = 0;
    virtual void Stop() = 0;
    // -1 the slowest, 0 the service's own pace, 1 the fastest; from the next sentence on.
    virtual void SetRate(double rate) = 0;
    // One of the voices OnStarted listed; an empty or unknown name takes the first.
    virtual void SetVoice(const QString &name) = 0;

    // The service is ready (efNone) with its Persian voices, the first being its own
    // choice, or cannot be used.
    std::function<void(TFault fault, const QStringList &voices)> OnStarted;
    std::function<void(TState state)> OnState;
    // The service failed or ended after it had started.
    std::function<void(TFault fault)> OnFault;
};

#define TSpeechEngine_iid "ketab.TSpeechEngine/1"
Q_DECLARE_INTERFACE(TSpeechEngine, TSpeechEngine_iid)
