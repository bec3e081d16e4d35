#include "xaudio/AudioOutput.h"
#include "xaudio/AlsaOutput.h"
#include "xaudio/PulseOutput.h"
#include "xaudio/SilentOutput.h"
#include <cstdlib>
#include <cstring>

std::unique_ptr<AudioOutput> AudioOutput::Open(long rate, int channels)
{
    const char *choice = std::getenv("XAUDIO_OUTPUT");
    const bool any = !choice || !*choice;
    if (any || std::strcmp(choice, "pulse") == 0)
        if (auto out = PulseOutput::Open(rate, channels)) return out;
    if (any || std::strcmp(choice, "alsa") == 0)
        if (auto out = AlsaOutput::Open(rate, channels)) return out;
    return std::make_unique<SilentOutput>(rate, channels);
}
