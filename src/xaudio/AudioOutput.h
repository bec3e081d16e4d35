#pragma once
// Where decoded sound goes: signed 16-bit interleaved samples at the track's rate.
#include <memory>
#include <string>

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Name reported to the player ("pulse", "alsa", "silent").
    virtual const char *Name() const = 0;
    // Plays the bytes; blocks until the device has taken them. False on a device failure.
    virtual bool Write(const void *data, size_t size) = 0;
    // Drops what is queued and not yet heard (stop).
    virtual void Flush() = 0;
    // Waits until everything written has been heard (end of track).
    virtual void Drain() = 0;
    // Last failure, for the error notification.
    std::string Error;

    // Opens the first output that works for this format: the choice of XAUDIO_OUTPUT
    // ("pulse", "alsa" or "silent") when set, else PulseAudio, then ALSA, and the
    // silent output when no sound device opens. Never returns null.
    static std::unique_ptr<AudioOutput> Open(long rate, int channels);
};
