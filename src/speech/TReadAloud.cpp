#include "speech/TReadAloud.h"
#include "app/KetabApplication.h"
#include "app/TPageLayers.h"
#include "app/TWebBrowser.h"
#include "speech/TSpeechModule.h"
#include "speech/TSpokenSentence.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using G = TKetabApplication;

TReadAloud::TReadAloud(TWebBrowser &view) : FView(view)
{
    // The layer is there from the start (a style and a small script, no speech library), so
    // the page shown at the first request already knows where its menu was asked for.
    view.Layers().Set(QLatin1String(TSpokenSentence::LayerName), TSpokenSentence::Layer());
    FWatchdog.setSingleShot(true);
    G::Connect(&FWatchdog, &QTimer::timeout, &FWatchdog, [this] {
        // A service that does not answer in time is connected afresh next time.
        if (!FWatchWhy.isEmpty()) FEngineUp = FEngineStarting = false;
        Fail(FWatchWhy);
    });
}

TReadAloud::~TReadAloud()
{
    if (!FEngine) return;
    FEngine->OnStarted = {};
    FEngine->OnState = {};
    FEngine->OnFault = {};
    if (FSaying) FEngine->Stop();
}

QString TReadAloud::FaultText(TSpeechEngine::TFault fault)
{
    switch (fault) {
    case TSpeechEngine::efNone: return QString();
    case TSpeechEngine::efNoPlugin:
        return tr("Install the package qt6-speech-speechd-plugin to read aloud.");
    case TSpeechEngine::efNoService:
        return tr("Install the package speech-dispatcher: the speech service does not run.");
    case TSpeechEngine::efNoSynthesizer:
        return tr("Install the package speech-dispatcher-espeak-ng: the speech service has no voice.");
    case TSpeechEngine::efNoPersianVoice:
        return tr("Install the packages espeak-ng-data and speech-dispatcher-espeak-ng: there is no Persian voice.");
    case TSpeechEngine::efLost:
        return tr("Reading stopped: the speech service has ended.");
    }
    return QString();
}

const TSentence *TReadAloud::Current() const
{
    return FPhase != rpIdle && FIndex >= 0 && FIndex < FSentences.size() ? &FSentences[FIndex] : nullptr;
}

void TReadAloud::Press()
{
    switch (FPhase) {
    case rpIdle: Start(); break;
    case rpStarting: Stop(); break;
    case rpReading: Pause(); break;
    case rpPaused: Resume(); break;
    }
}

void TReadAloud::EnsureEngine()
{
    if (FEngine) return;
    QString why;
    FEngine = TSpeechModule::Engine(&why);
    if (!FEngine) return Fail(why);
    FEngine->OnStarted = G::Guard([this](TSpeechEngine::TFault fault, const QStringList &voices) {
        EngineStarted(fault, voices);
    });
    FEngine->OnState = G::Guard([this](TSpeechEngine::TState state) { EngineState(state); });
    FEngine->OnFault = G::Guard([this](TSpeechEngine::TFault fault) {
        FEngineUp = FEngineStarting = false;
        if (FPhase != rpIdle) Fail(FaultText(fault));
    });
}

void TReadAloud::Prepare()
{
    if (FEngine || FPhase != rpIdle) return;
    QString why;
    if (!TSpeechModule::Engine(&why)) return;
    EnsureEngine();
    FEngineStarting = true;
    FEngine->Start();
}

void TReadAloud::Start(int place)
{
    Halt();
    EnsureEngine();
    if (!FEngine) return;
    if (FEngineUp) {
        SetPhase(rpReading);
    } else {
        SetPhase(rpStarting, tr("Starting the speech service…"));
        if (!FEngineStarting) {
            FEngineStarting = true;
            FEngine->Start();
        }
        Watch(StartMs, tr("Reading stopped: the speech service does not answer."));
    }
    AskPage(place, false);
}

void TReadAloud::AskPage(int place, bool fromTop)
{
    FPageReady = false;
    FSentences.clear();
    FIndex = -1;
    const int asked = ++FAsked;
    FView.Layers().Run(TSpokenSentence::AskPage(), [this, asked, place, fromTop](const QVariant &answer) {
        if (asked == FAsked) PageAnswered(answer.toString(), place, fromTop);
    });
    QTimer::singleShot(PageAnswerMs, &FWatchdog, G::Guard([this, asked] {
        if (asked == FAsked && !FPageReady && FPhase != rpIdle) Fail(tr("There is nothing to read on this page."));
    }));
}

void TReadAloud::PageAnswered(const QString &json, int place, bool fromTop)
{
    const QJsonObject page = QJsonDocument::fromJson(json.toUtf8()).object();
    const QString text = page.value(QLatin1String("text")).toString();
    QList<int> breaks;
    for (const QJsonValue &b : page.value(QLatin1String("breaks")).toArray()) breaks << b.toInt();
    const QJsonObject selection = page.value(QLatin1String("selection")).toObject();
    FSentences = TSentenceCutter::Cut(text, breaks);
    if (fromTop) {
        FIndex = FSentences.isEmpty() ? -1 : 0;
    } else if (place == FromMenuPlace && page.value(QLatin1String("menuAt")).toInt(-1) >= 0) {
        FIndex = TSentenceCutter::At(FSentences, page.value(QLatin1String("menuAt")).toInt());
    } else if (place >= 0) {
        FIndex = TSentenceCutter::At(FSentences, place);
    } else if (!selection.isEmpty()) {
        FSentences = TSentenceCutter::From(FSentences, text, selection.value(QLatin1String("start")).toInt());
        FIndex = FSentences.isEmpty() ? -1 : 0;
    } else {
        FIndex = TSentenceCutter::At(FSentences, page.value(QLatin1String("visible")).toInt());
    }
    if (FIndex < 0) {
        // A turned page with nothing to say (a picture alone) is passed by.
        if (fromTop) return Ended();
        return Fail(tr("There is nothing to read on this page."));
    }
    FPageReady = true;
    Go();
}

void TReadAloud::Go()
{
    if (FPhase == rpReading && FEngineUp && FPageReady && !FSaying) SayCurrent();
}

void TReadAloud::SayCurrent()
{
    const TSentence &s = FSentences[FIndex];
    FView.Layers().Run(TSpokenSentence::Mark(s.Start, s.End, Night && Night()));
    FSaying = true;
    FBegun = false;
    FEngine->Say(s.Spoken);
    Watch(BeginMs, tr("Reading stopped: the speech service does not answer."));
}

void TReadAloud::EngineStarted(TSpeechEngine::TFault fault, const QStringList &voices)
{
    FEngineStarting = false;
    if (fault != TSpeechEngine::efNone) {
        FEngineUp = false;
        // A start ahead of the reader's request fails quietly; the request tries again.
        if (FPhase == rpIdle) return;
        return Fail(FaultText(fault));
    }
    FEngineUp = true;
    FVoices = voices;
    FEngine->SetRate(FRate);
    FEngine->SetVoice(FVoice);
    if (FPhase == rpStarting) {
        FWatchdog.stop();
        SetPhase(rpReading);
    } else if (OnChanged) {
        OnChanged();
    }
    Go();
}

void TReadAloud::EngineState(TSpeechEngine::TState state)
{
    if (!FSaying) return;
    if (state == TSpeechEngine::esSpeaking) {
        if (FBegun) return;
        FBegun = true;
        Watch(EndMs + EndMsPerChar * int(FSentences[FIndex].Spoken.size()),
              tr("Reading stopped: the speech service does not answer."));
        if (!FMusicHeld && HoldMusic) {
            FMusicHeld = true;
            HoldMusic(true);
        }
        if (OnSentenceBegun) OnSentenceBegun(FIndex);
        return;
    }
    // The end of what was stopped before this sentence began is no end of this one.
    if (!FBegun) return;
    FSaying = false;
    FWatchdog.stop();
    Ended();
}

void TReadAloud::Ended()
{
    if (++FIndex < FSentences.size()) return SayCurrent();
    FView.Layers().Run(TSpokenSentence::Clear());
    FPageReady = false;
    FTurning = TurnPage && TurnPage();
    if (FTurning) Watch(TurnMs, QString());
    else Stop();
}

void TReadAloud::PageLoaded()
{
    if (FPhase == rpIdle) return;
    if (!FTurning) return Stop();
    FTurning = false;
    FWatchdog.stop();
    AskPage(0, true);
}

void TReadAloud::Pause()
{
    if (FPhase != rpReading) return;
    if (FSaying) FEngine->Stop();
    FSaying = false;
    FWatchdog.stop();
    SetPhase(rpPaused);
}

void TReadAloud::Resume()
{
    if (FPhase != rpPaused) return;
    SetPhase(rpReading);
    Go();
}

void TReadAloud::Stop()
{
    if (FPhase == rpIdle) return;
    Halt();
    SetPhase(rpIdle);
}

void TReadAloud::Halt()
{
    FWatchdog.stop();
    ++FAsked;
    FTurning = false;
    if (FSaying && FEngineUp) FEngine->Stop();
    FSaying = FBegun = FPageReady = false;
    FSentences.clear();
    FIndex = -1;
    FView.Layers().Run(TSpokenSentence::Clear());
    if (FMusicHeld) {
        FMusicHeld = false;
        if (HoldMusic) HoldMusic(false);
    }
}

void TReadAloud::Fail(const QString &why)
{
    Halt();
    SetPhase(rpIdle, why);
}

void TReadAloud::SetPhase(TPhase phase, const QString &note)
{
    FPhase = phase;
    FNote = note;
    if (OnChanged) OnChanged();
}

void TReadAloud::Watch(int ms, const QString &why)
{
    FWatchWhy = why;
    FWatchdog.start(ms);
}

void TReadAloud::SetRate(double rate)
{
    FRate = rate;
    if (FEngineUp) FEngine->SetRate(rate);
}

void TReadAloud::SetVoice(const QString &name)
{
    FVoice = name;
    if (FEngineUp) FEngine->SetVoice(name);
}
