#include "xaudio/DecoderPlayer.h"
#include "xaudio/SilentOutput.h"
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mpg123.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
void InitDecoderOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

// Decoded sound is handed to the output in pieces of about a tenth of a second, so
// commands are taken between pieces without a noticeable delay.
constexpr size_t ChunkBytes = 16384;
}

DecoderPlayer::DecoderPlayer(int notifyFd) : notifyFd(notifyFd), buffer(ChunkBytes)
{
    InitDecoderOnce();
    thread = std::thread([this] { Run(); });
}

DecoderPlayer::~DecoderPlayer()
{
    {
        std::lock_guard<std::mutex> g(lock);
        quit = true;
    }
    wake.notify_all();
    thread.join();
    CloseInput();
    output.reset();
}

void DecoderPlayer::Send(int code, const std::string &text)
{
    {
        std::lock_guard<std::mutex> g(lock);
        commands.push_back({code, text});
    }
    wake.notify_all();
}

void DecoderPlayer::SetPriority(int value)
{
    std::lock_guard<std::mutex> g(lock);
    priority = value;
    ApplyPriority();
}

int DecoderPlayer::Priority() const
{
    std::lock_guard<std::mutex> g(lock);
    return priority;
}

// Priority 3 is normal; each step away from it moves the decoder thread's nice
// value by 5. Raising above normal needs a privilege the reader normally lacks,
// and is then silently left at normal.
void DecoderPlayer::ApplyPriority()
{
    if (threadId == 0) return;
    int nice = (3 - priority) * 5;
    if (nice < -20) nice = -20;
    if (nice > 19) nice = 19;
    setpriority(PRIO_PROCESS, id_t(threadId), nice);
}

bool DecoderPlayer::TakeNotification(uint64_t number, XA_Message *msg)
{
    std::lock_guard<std::mutex> g(lock);
    auto it = pending.find(number);
    if (it == pending.end()) return false;
    std::memset(msg->bytes, 0, sizeof msg->bytes);
    std::memcpy(msg->bytes, it->second.data(), it->second.size());
    pending.erase(it);
    return true;
}

void DecoderPlayer::Run()
{
    // A write to a pipe whose reader has gone must fail, not end the process.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    {
        std::lock_guard<std::mutex> g(lock);
        threadId = int(syscall(SYS_gettid));
        ApplyPriority();
    }
    Post(NotificationRecord(XA_MSG_NOTIFY_READY));
    for (;;) {
        Command c;
        {
            std::unique_lock<std::mutex> g(lock);
            if (!playing) wake.wait(g, [this] { return quit || !commands.empty(); });
            if (quit) return;
            if (commands.empty()) {
                g.unlock();
                DecodeSome();
                continue;
            }
            c = std::move(commands.front());
            commands.pop_front();
        }
        Execute(c);
    }
}

void DecoderPlayer::Execute(const Command &c)
{
    switch (c.code) {
    case XA_MSG_COMMAND_PLAY: Play(); break;
    case XA_MSG_COMMAND_PAUSE: Pause(); break;
    case XA_MSG_COMMAND_STOP: Stop(); break;
    case XA_MSG_COMMAND_INPUT_OPEN: Open(c.text); break;
    default: Post(NotificationRecord(XA_MSG_NOTIFY_NACK).U8(4, uint8_t(c.code)).U8(5, 1)); break;
    }
}

void DecoderPlayer::CloseInput()
{
    if (decoder) {
        mpg123_close(decoder);
        mpg123_delete(decoder);
        decoder = nullptr;
    }
    inputOpen = false;
    atEnd = false;
}

void DecoderPlayer::Open(const std::string &path)
{
    if (playing && output) output->Flush();
    playing = false;
    CloseInput();
    SetState(XA_PLAYER_STATE_STOPPED);

    int err = MPG123_OK;
    decoder = mpg123_new(nullptr, &err);
    if (!decoder) {
        PostError(XA_SOURCE_CODEC, err, std::string("cannot start the MP3 decoder: ") + mpg123_plain_strerror(err));
        return;
    }
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Every rate the format knows, always as signed 16-bit samples.
    mpg123_format_none(decoder);
    const long *rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);

    if (mpg123_open(decoder, path.c_str()) != MPG123_OK) {
        const int e = errno;
        PostError(XA_SOURCE_INPUT, e, "cannot open " + path + ": " + std::strerror(e));
        CloseInput();
        return;
    }
    int encoding = 0;
    if (mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0) {
        PostError(XA_SOURCE_CODEC, mpg123_errcode(decoder), "not an MP3 file: " + path);
        CloseInput();
        return;
    }

    // The track's own header tells how many frames it should have; a scan counts
    // those really present, so a cut-off file is recognised before it plays.
    const off_t announced = mpg123_framelength(decoder);
    mpg123_scan(decoder);
    const off_t present = mpg123_framelength(decoder);
    const off_t samples = mpg123_length(decoder);
    mpg123_seek(decoder, 0, SEEK_SET);
    if (present <= 0) {
        PostError(XA_SOURCE_CODEC, mpg123_errcode(decoder), "no MP3 frames in " + path);
        CloseInput();
        return;
    }
    inputOpen = true;
    if (announced > present)
        PostError(XA_SOURCE_INPUT, 0, "the file is cut short, " + std::to_string(present) + " of " +
                                          std::to_string(announced) + " frames: " + path);

    mpg123_frameinfo2 info{};
    mpg123_info2(decoder, &info);
    Post(NotificationRecord(XA_MSG_NOTIFY_INPUT_NAME).Text(4, path));
    Post(NotificationRecord(XA_MSG_NOTIFY_STREAM_PARAMETERS)
             .U32(4, uint32_t(rate))
             .U16(8, uint16_t(info.bitrate))
             .U8(10, uint8_t(channels)));
    if (samples > 0) Post(NotificationRecord(XA_MSG_NOTIFY_STREAM_DURATION).U32(4, uint32_t(samples * 1000 / rate)));
}

void DecoderPlayer::Play()
{
    if (!inputOpen) {
        Post(NotificationRecord(XA_MSG_NOTIFY_NACK).U8(4, XA_MSG_COMMAND_PLAY).U8(5, 2));
        return;
    }
    if (playing) return;
    if (atEnd) {
        mpg123_seek(decoder, 0, SEEK_SET);
        atEnd = false;
    }
    if (!output || outputRate != rate || outputChannels != channels) {
        output.reset();
        output = AudioOutput::Open(rate, channels);
        outputRate = rate;
        outputChannels = channels;
        Post(NotificationRecord(XA_MSG_NOTIFY_OUTPUT_NAME).Text(4, output->Name()));
    }
    playing = true;
    SetState(XA_PLAYER_STATE_PLAYING);
}

void DecoderPlayer::Pause()
{
    if (!playing) return;
    if (output) output->Flush();
    playing = false;
    SetState(XA_PLAYER_STATE_PAUSED);
}

void DecoderPlayer::Stop()
{
    if (playing && output) output->Flush();
    playing = false;
    if (inputOpen) {
        mpg123_seek(decoder, 0, SEEK_SET);
        atEnd = false;
    }
    SetState(XA_PLAYER_STATE_STOPPED);
}

void DecoderPlayer::DecodeSome()
{
    size_t done = 0;
    const int rc = mpg123_read(decoder, buffer.data(), buffer.size(), &done);
    if (done > 0 && !output->Write(buffer.data(), done)) {
        // The device went away: report it and go on in silence so the track still ends.
        PostError(XA_SOURCE_OUTPUT, 0, "audio output failed: " + output->Error);
        output = std::make_unique<SilentOutput>(rate, channels);
        Post(NotificationRecord(XA_MSG_NOTIFY_OUTPUT_NAME).Text(4, output->Name()));
    }
    if (rc == MPG123_OK || rc == MPG123_NEW_FORMAT) return;
    playing = false;
    if (rc == MPG123_DONE) {
        output->Drain();
        atEnd = true;
        SetState(XA_PLAYER_STATE_EOS);
    } else {
        PostError(XA_SOURCE_CODEC, mpg123_errcode(decoder), std::string("decoding failed: ") + mpg123_strerror(decoder));
        output->Flush();
        atEnd = true;
        SetState(XA_PLAYER_STATE_STOPPED);
    }
}

void DecoderPlayer::SetState(int newState)
{
    if (newState == state) return;
    state = newState;
    Post(NotificationRecord(XA_MSG_NOTIFY_PLAYER_STATE).U8(4, uint8_t(state)));
}

void DecoderPlayer::PostError(int source, int code, const std::string &text)
{
    Post(NotificationRecord(XA_MSG_NOTIFY_ERROR).U8(4, uint8_t(source)).U16(6, uint16_t(int16_t(code))).Text(8, text));
}

void DecoderPlayer::Post(const NotificationRecord &record)
{
    uint64_t number;
    {
        std::lock_guard<std::mutex> g(lock);
        number = nextNumber++;
        pending[number] = record.Bytes();
    }
    XA_PipeRecord r{XA_NOTIFICATION_MESSAGE, 0, number, uint64_t(reinterpret_cast<uintptr_t>(this))};
    ssize_t n;
    do {
        n = write(notifyFd, &r, sizeof r);
    } while (n < 0 && errno == EINTR);
    if (n != ssize_t(sizeof r)) {
        // Nobody will ask for it: the pipe is full or gone.
        std::lock_guard<std::mutex> g(lock);
        pending.erase(number);
    }
}
