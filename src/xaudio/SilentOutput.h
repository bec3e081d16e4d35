#pragma once
#include "xaudio/AudioOutput.h"
#include <chrono>

// Takes sound where no device exists: discards it at the pace a device would play
// it, so a track still takes its own length and still ends.
class SilentOutput : public AudioOutput {
public:
    SilentOutput(long rate, int channels);
    const char *Name() const override { return "silent"; }
    bool Write(const void *data, size_t size) override;
    void Flush() override;
    void Drain() override;

private:
    using Clock = std::chrono::steady_clock;
    long bytesPerSecond;
    Clock::time_point start;
    unsigned long long written = 0;
    bool running = false;
};
