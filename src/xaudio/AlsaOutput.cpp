#include "xaudio/AlsaOutput.h"
#include <alsa/asoundlib.h>
#include <mutex>

namespace {
// ALSA prints its own complaints on stderr when no card exists; the player reports
// failures through its notifications instead.
void Quiet(const char *, int, const char *, int, const char *, ...) {}
}

std::unique_ptr<AlsaOutput> AlsaOutput::Open(long rate, int channels)
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(Quiet); });
    snd_pcm_t *pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return nullptr;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, unsigned(channels),
                           unsigned(rate), 1, 250000) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    auto out = std::unique_ptr<AlsaOutput>(new AlsaOutput);
    out->pcm = pcm;
    out->frameBytes = 2 * channels;
    return out;
}

AlsaOutput::~AlsaOutput()
{
    if (pcm) snd_pcm_close(pcm);
}

bool AlsaOutput::Write(const void *data, size_t size)
{
    auto *p = static_cast<const unsigned char *>(data);
    snd_pcm_uframes_t frames = size / size_t(frameBytes);
    while (frames > 0) {
        snd_pcm_sframes_t n = snd_pcm_writei(pcm, p, frames);
        if (n < 0) n = snd_pcm_recover(pcm, int(n), 1);
        if (n < 0) {
            Error = snd_strerror(int(n));
            return false;
        }
        p += size_t(n) * size_t(frameBytes);
        frames -= snd_pcm_uframes_t(n);
    }
    return true;
}

void AlsaOutput::Flush()
{
    snd_pcm_drop(pcm);
    snd_pcm_prepare(pcm);
}

void AlsaOutput::Drain()
{
    snd_pcm_drain(pcm);
    snd_pcm_prepare(pcm);
}
