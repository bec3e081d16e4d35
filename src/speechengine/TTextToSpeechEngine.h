#pragma once
#include "speech/TSpeechEngine.h"
#include <QObject>
#include <functional>

class QThread;
class TSpeaker;

// The module's entry: QTextToSpeech over speech-dispatcher, kept on a thread of its own.
// Qt's speech-dispatcher engine connects, starts the service when it does not run and
// lists every voice as it is made, which takes a second or more; each call to the service
// waits for its answer. All of that happens on the speech thread, and what it reports
// comes back to the user-interface thread as queued calls.
class TTextToSpeechEngine : public QObject, public TSpeechEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TSpeechEngine_iid)
    Q_INTERFACES(TSpeechEngine)
public:
    // How long the program's end waits for the speech thread to close its connection.
    static constexpr int CloseWaitMs = 1000;

    TTextToSpeechEngine();
    ~TTextToSpeechEngine() override;

    void Start() override;
    void Say(const QString &text) override;
    void Stop() override;
    void SetRate(double rate) override;
    void SetVoice(const QString &name) override;

    // Runs fn on the user-interface thread, unless a newer start has made it stale.
    void Report(int connection, std::function<void()> fn);

private:
    void OnSpeechThread(std::function<void()> fn);
    void Close();
    QThread *FThread = nullptr;
    TSpeaker *FSpeaker = nullptr;
    int FConnection = 0;  // counts the starts: what an older connection reports is dropped
};
