#pragma once
#include "speech/TSentenceCutter.h"
#include "speech/TSpeechEngine.h"
#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <functional>

class TWebBrowser;

// Reads the page in a view aloud, one sentence at a time: the page tells its text, the
// cutter cuts it, each sentence is marked on the page (kept in view) and given to the
// speech engine alone, and the next follows once the engine says this one has ended (the
// engine reports no word positions). Reading starts at the selection, else at the first
// sentence in view, or at a place asked for. At a page's end the next page is asked for
// (TurnPage) and reading goes on from its top once it has loaded; without a next page it
// stops. Any other page that loads meanwhile (the reader moved) stops it.
// Pausing stops the voice at once and keeps the sentence marked; resuming says that sentence
// again from its start.
// The engine's module is loaded and the service started on the first request; until the
// service is up, reading shows as starting. A service that is missing, refuses, has no
// Persian voice, does not answer within the limits below or ends while in use stops
// reading, and Note() says why and what to install.
class TReadAloud {
    Q_DECLARE_TR_FUNCTIONS(TReadAloud)

public:
    enum TPhase { rpIdle, rpStarting, rpReading, rpPaused };
    // The page answers at once; an unanswered question means there is no page to read.
    static constexpr int PageAnswerMs = 5000;
    // Starting the service lists all its voices, seconds on a busy machine.
    static constexpr int StartMs = 90000;
    // A sentence given to the service begins within this time, and ends within EndMs plus
    // EndMsPerChar for each of its characters (at the slowest rate).
    static constexpr int BeginMs = 10000;
    static constexpr int EndMs = 10000;
    static constexpr int EndMsPerChar = 250;
    static constexpr int TurnMs = 20000;
    // Start's place: the one where the page's menu was last asked for.
    static constexpr int FromMenuPlace = -2;

    explicit TReadAloud(TWebBrowser &view);
    ~TReadAloud();
    TReadAloud(const TReadAloud &) = delete;
    TReadAloud &operator=(const TReadAloud &) = delete;

    // Loads the module and starts the service before the reader asks, quietly: connecting
    // lists every voice the service has, seconds of work the first request then need not
    // wait for. What fails is told when the reader asks.
    void Prepare();
    // What the read-aloud control does: start, pause or resume; while starting, stop.
    void Press();
    // Starts reading at the sentence that holds a place of the page's text (or FromMenuPlace);
    // -1: at the selection's start, else at the first sentence in view.
    void Start(int place = -1);
    void Pause();
    void Resume();
    void Stop();
    // A page has loaded in the view.
    void PageLoaded();
    // From the next sentence on; -1 the slowest, 1 the fastest.
    void SetRate(double rate);
    void SetVoice(const QString &name);
    // The night look for the mark.
    std::function<bool()> Night;

    TPhase Phase() const { return FPhase; }
    QString Note() const { return FNote; }
    QStringList Voices() const { return FVoices; }
    // The sentence being read (or paused on), or null.
    const TSentence *Current() const;

    // Opens the next page of the section; false when there is none.
    std::function<bool()> TurnPage;
    // On while the voice reads, off once reading has stopped.
    std::function<void(bool on)> HoldMusic;
    // The phase, the note or the voices changed.
    std::function<void()> OnChanged;
    // The engine began a sentence (benchmarks time it).
    std::function<void(int index)> OnSentenceBegun;

    // Why the engine cannot speak, in the reader's words, the package to install first: the
    // bottom bar may show only the note's beginning.
    static QString FaultText(TSpeechEngine::TFault fault);

private:
    void EnsureEngine();
    void AskPage(int place, bool fromTop);
    void PageAnswered(const QString &json, int place, bool fromTop);
    void Go();
    void SayCurrent();
    void EngineStarted(TSpeechEngine::TFault fault, const QStringList &voices);
    void EngineState(TSpeechEngine::TState state);
    void Ended();
    void Fail(const QString &why);
    void Halt();
    void SetPhase(TPhase phase, const QString &note = QString());
    // Fails with why unless stopped within ms; an empty why stops quietly.
    void Watch(int ms, const QString &why);

    TWebBrowser &FView;
    TSpeechEngine *FEngine = nullptr;
    bool FEngineUp = false;
    bool FEngineStarting = false;
    TPhase FPhase = rpIdle;
    QString FNote;
    QStringList FVoices;
    double FRate = 0;
    QString FVoice;
    QList<TSentence> FSentences;
    int FIndex = -1;
    bool FPageReady = false;
    int FAsked = 0;          // counts the questions to the page: an old answer is dropped
    bool FSaying = false;    // a sentence was given to the engine
    bool FBegun = false;     // ... and the engine has begun it
    bool FTurning = false;   // the next page was asked for
    bool FMusicHeld = false;
    QTimer FWatchdog;
    QString FWatchWhy;
};
