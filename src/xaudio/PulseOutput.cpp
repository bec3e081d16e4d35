#include "xaudio/PulseOutput.h"
#include <pulse/error.h>
#include <pulse/simple.h>

std::unique_ptr<PulseOutput> PulseOutput::Open(long rate, int channels)
{
    pa_sample_spec sampleFormat;
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = uint32_t(rate);
    sampleFormat.channels = uint8_t(channels);
    // A short buffer (a quarter second) so that stop is heard at once.
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(rate * channels * 2 / 4);
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    int error = 0;
    pa_simple *s = pa_simple_new(nullptr, "ketab", PA_STREAM_PLAYBACK, nullptr, "music", &sampleFormat, nullptr, &attr, &error);
    if (!s) return nullptr;
    auto out = std::unique_ptr<PulseOutput>(new PulseOutput);
    out->stream = s;
    return out;
}

PulseOutput::~PulseOutput()
{
    if (stream) pa_simple_free(stream);
}

bool PulseOutput::Write(const void *data, size_t size)
{
    int error = 0;
    if (pa_simple_write(stream, data, size, &error) < 0) {
        Error = pa_strerror(error);
        return false;
    }
    return true;
}

void PulseOutput::Flush()
{
    int error = 0;
    pa_simple_flush(stream, &error);
}

void PulseOutput::Drain()
{
    int error = 0;
    pa_simple_drain(stream, &error);
}
