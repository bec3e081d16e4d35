#include "speechengine/TTextToSpeechEngine.h"
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QString Dispatcher = QStringLiteral("speechd");

// The service's socket, found as its client library finds it: SPEECHD_ADDRESS, else the
// user's runtime folder (or the cache folder without one). Empty for a network address.
QString ServiceSocket()
{
    const QString address = qEnvironmentVariable("SPEECHD_ADDRESS");
    if (address.startsWith(QLatin1String("unix_socket:"))) return address.mid(12);
    if (!address.isEmpty() && address != QLatin1String("unix_socket")) return {};
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty()) folder = qEnvironmentVariable("XDG_CACHE_HOME");
    if (folder.isEmpty()) folder = qEnvironmentVariable("HOME") + QStringLiteral("/.cache");
    return folder + QStringLiteral("/speech-dispatcher/speechd.sock");
}
}

// The engine's half on the speech thread: the QTextToSpeech object and a watch on the
// service's socket. Qt's engine never reports a service that died while it spoke (the
// sentence simply never ends), so a connection of its own that the service never writes
// to tells: it closes when the service ends.
class TSpeaker : public QObject {
public:
    explicit TSpeaker(TTextToSpeechEngine *owner) : FOwner(owner) {}
    ~TSpeaker() override { Close(); }

    void Open(int connection)
    {
        Close();
        FConnection = connection;
        // A call to the service just after it died writes to a closed socket; the client
        // library does not guard that write, and the signal would end the program.
        std::signal(SIGPIPE, SIG_IGN);
        if (!QTextToSpeech::availableEngines().contains(Dispatcher)) return Started(TSpeechEngine::efNoPlugin);
        FSpeech = new QTextToSpeech(Dispatcher, this);
        if (FSpeech->state() == QTextToSpeech::Error) return Started(TSpeechEngine::efNoService);
        const QList<QLocale> locales = FSpeech->availableLocales();
        if (locales.isEmpty()) return Started(TSpeechEngine::efNoSynthesizer);
        const auto persian = std::find_if(locales.begin(), locales.end(),
                                          [](const QLocale &l) { return l.language() == QLocale::Persian; });
        if (persian == locales.end()) return Started(TSpeechEngine::efNoPersianVoice);
        FSpeech->setLocale(*persian);
        const QString own = FSpeech->voice().name();
        for (const QVoice &voice : FSpeech->availableVoices())
            if (voice.locale().language() == QLocale::Persian) FVoices << voice;
        if (FVoices.isEmpty()) return Started(TSpeechEngine::efNoPersianVoice);
        // The service's own choice first, the others by name.
        std::stable_sort(FVoices.begin(), FVoices.end(), [&own](const QVoice &a, const QVoice &b) {
            return (a.name() == own) != (b.name() == own) ? a.name() == own : a.name() < b.name();
        });
        SetVoice(FVoiceName);
        FSpeech->setRate(FRate);
        connect(FSpeech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Error) return LoseSoon();
            if (state == QTextToSpeech::Paused) return;
            const auto said = state == QTextToSpeech::Speaking ? TSpeechEngine::esSpeaking : TSpeechEngine::esReady;
            FOwner->Report(FConnection, [owner = FOwner, said] {
                if (owner->OnState) owner->OnState(said);
            });
        });
        WatchService();
        QStringList names;
        for (const QVoice &voice : FVoices) names << voice.name();
        Started(TSpeechEngine::efNone, names);
    }

    void Say(const QString &text)
    {
        if (FSpeech) FSpeech->say(text);
    }
    void Stop()
    {
        if (FSpeech) FSpeech->stop();
    }
    void SetRate(double rate)
    {
        FRate = rate;
        if (FSpeech) FSpeech->setRate(rate);
    }
    void SetVoice(const QString &name)
    {
        FVoiceName = name;
        if (!FSpeech || FVoices.isEmpty()) return;
        const auto voice = std::find_if(FVoices.begin(), FVoices.end(), [&name](const QVoice &v) { return v.name() == name; });
        FSpeech->setVoice(voice == FVoices.end() ? FVoices.first() : *voice);
    }

    void Close()
    {
        delete FWatchNotifier;
        FWatchNotifier = nullptr;
        if (FWatch >= 0) ::close(FWatch);
        FWatch = -1;
        if (FSpeech) FSpeech->disconnect(this);
        delete FSpeech;
        FSpeech = nullptr;
        FVoices.clear();
    }

private:
    void Started(TSpeechEngine::TFault fault, const QStringList &voices = {})
    {
        if (fault != TSpeechEngine::efNone) Close();
        FOwner->Report(FConnection, [owner = FOwner, fault, voices] {
            if (owner->OnStarted) owner->OnStarted(fault, voices);
        });
    }

    // Not inside the signal of what Close deletes.
    void LoseSoon()
    {
        QMetaObject::invokeMethod(this, [this] { Lost(); }, Qt::QueuedConnection);
    }

    void Lost()
    {
        if (!FSpeech) return;
        Close();
        FOwner->Report(FConnection, [owner = FOwner] {
            if (owner->OnFault) owner->OnFault(TSpeechEngine::efLost);
        });
    }

    void WatchService()
    {
        const QByteArray path = QFile::encodeName(ServiceSocket());
        sockaddr_un address{};
        if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path) return;
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        FWatch = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (FWatch < 0) return;
        if (::connect(FWatch, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
            ::close(FWatch);
            FWatch = -1;
            return;
        }
        FWatchNotifier = new QSocketNotifier(FWatch, QSocketNotifier::Read, this);
        connect(FWatchNotifier, &QSocketNotifier::activated, this, [this] {
            char buffer[256];
            const ssize_t got = ::recv(FWatch, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got > 0 || (got < 0 && (errno == EAGAIN || errno == EINTR))) return;
            FWatchNotifier->setEnabled(false);
            LoseSoon();
        });
    }

    TTextToSpeechEngine *const FOwner;
    QTextToSpeech *FSpeech = nullptr;
    QList<QVoice> FVoices;
    QString FVoiceName;
    double FRate = 0;
    int FConnection = 0;
    int FWatch = -1;
    QSocketNotifier *FWatchNotifier = nullptr;
};

TTextToSpeechEngine::TTextToSpeechEngine()
{
    FThread = new QThread;
    FThread->setObjectName(QStringLiteral("speech"));
    FSpeaker = new TSpeaker(this);
    FSpeaker->moveToThread(FThread);
    FThread->start();
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Close(); });
}

TTextToSpeechEngine::~TTextToSpeechEngine() { Close(); }

void TTextToSpeechEngine::Close()
{
    if (!FThread) return;
    OnSpeechThread([speaker = FSpeaker] { speaker->Close(); });
    FThread->quit();
    // A service that hangs holds the thread: it is left to the process's end.
    if (FThread->wait(CloseWaitMs)) {
        delete FSpeaker;
        delete FThread;
    }
    FThread = nullptr;
    FSpeaker = nullptr;
}

void TTextToSpeechEngine::OnSpeechThread(std::function<void()> fn)
{
    if (FSpeaker) QMetaObject::invokeMethod(FSpeaker, std::move(fn), Qt::QueuedConnection);
}

void TTextToSpeechEngine::Report(int connection, std::function<void()> fn)
{
    QMetaObject::invokeMethod(this, [this, connection, fn = std::move(fn)] {
        if (connection == FConnection) fn();
    }, Qt::QueuedConnection);
}

void TTextToSpeechEngine::Start()
{
    const int connection = ++FConnection;
    OnSpeechThread([speaker = FSpeaker, connection] { speaker->Open(connection); });
}

void TTextToSpeechEngine::Say(const QString &text)
{
    OnSpeechThread([speaker = FSpeaker, text] { speaker->Say(text); });
}

void TTextToSpeechEngine::Stop()
{
    OnSpeechThread([speaker = FSpeaker] { speaker->Stop(); });
}

void TTextToSpeechEngine::SetRate(double rate)
{
    OnSpeechThread([speaker = FSpeaker, rate] { speaker->SetRate(rate); });
}

void TTextToSpeechEngine::SetVoice(const QString &name)
{
    OnSpeechThread([speaker = FSpeaker, name] { speaker->SetVoice(name); });
}
