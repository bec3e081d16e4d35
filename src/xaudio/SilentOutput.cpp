#include "xaudio/SilentOutput.h"
#include <thread>

SilentOutput::SilentOutput(long rate, int channels) : bytesPerSecond(rate * channels * 2)
{
    if (bytesPerSecond <= 0) bytesPerSecond = 44100 * 4;
}

bool SilentOutput::Write(const void *, size_t size)
{
    if (!running) {
        start = Clock::now();
        written = 0;
        running = true;
    }
    written += size;
    // Return once the device would have played everything written so far.
    const auto due = start + std::chrono::microseconds(written * 1000000ULL / (unsigned long long)bytesPerSecond);
    std::this_thread::sleep_until(due);
    return true;
}

void SilentOutput::Flush() { running = false; }

void SilentOutput::Drain() { running = false; }
