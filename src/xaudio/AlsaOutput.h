#pragma once
#include "xaudio/AudioOutput.h"

typedef struct _snd_pcm snd_pcm_t;

// Plays through the ALSA default device.
class AlsaOutput : public AudioOutput {
public:
    ~AlsaOutput() override;
    // Null when no device opens with this format.
    static std::unique_ptr<AlsaOutput> Open(long rate, int channels);
    const char *Name() const override { return "alsa"; }
    bool Write(const void *data, size_t size) override;
    void Flush() override;
    void Drain() override;

private:
    snd_pcm_t *pcm = nullptr;
    int frameBytes = 4;
};
