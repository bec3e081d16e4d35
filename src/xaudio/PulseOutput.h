#pragma once
#include "xaudio/AudioOutput.h"

struct pa_simple;

// Plays through the PulseAudio server of the desktop session.
class PulseOutput : public AudioOutput {
public:
    ~PulseOutput() override;
    // Null when no server accepts the stream.
    static std::unique_ptr<PulseOutput> Open(long rate, int channels);
    const char *Name() const override { return "pulse"; }
    bool Write(const void *data, size_t size) override;
    void Flush() override;
    void Drain() override;

private:
    pa_simple *stream = nullptr;
};
