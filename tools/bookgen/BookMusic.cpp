#include "BookMusic.h"
#include "BookFiles.h"
#include "BookRandom.h"
#include <lame/lame.h>
#include <algorithm>
#include <stdexcept>

namespace {
// One period of a sine in 4096 steps from a rotation recurrence (basic arithmetic only,
// so the samples are the same on every machine).
const std::vector<float> &SineTable()
{
    static const std::vector<float> table = [] {
        std::vector<float> t(4097);
        const double c1 = 0.99999882345170190993, s1 = 0.00153398018628476615;  // 2*pi/4096
        double c = 1, s = 0;
        for (int i = 0; i <= 4096; ++i) {
            t[i] = static_cast<float>(s);
            const double nc = c * c1 - s * s1;
            s = s * c1 + c * s1;
            c = nc;
        }
        return t;
    }();
    return table;
}

// Sine of a 32-bit phase (a full turn is 2^32), linearly interpolated.
inline float Sine(uint32_t phase)
{
    const auto &t = SineTable();
    const uint32_t i = phase >> 20;
    const float f = static_cast<float>(phase & 0xFFFFF) * (1.0f / 1048576.0f);
    return t[i] + (t[i + 1] - t[i]) * f;
}

struct TStyle {
    int Seconds;
    int Bpm;
    double Root;       // Hz
    int Scale[7];      // semitone steps of the mode, in cents / 100
    int Cents[7];      // extra cents per degree (neutral intervals of the Persian modes)
};

// Per section: length, tempo, root and mode.
const TStyle Styles[5] = {
    {26, 72, 220.00, {0, 2, 4, 5, 7, 9, 11}, {0, 0, 0, 0, 0, 0, 0}},        // major, calm
    {31, 88, 196.00, {0, 2, 3, 5, 7, 8, 10}, {0, 0, 0, 0, 0, 0, 0}},        // natural minor
    {23, 100, 246.94, {0, 1, 4, 5, 7, 8, 11}, {0, 50, 0, 0, 0, 0, 0}},     // a raised second, bright
    {37, 64, 174.61, {0, 2, 3, 5, 7, 9, 10}, {0, 0, 0, 0, 0, 0, 0}},       // dorian, slow
    {34, 80, 207.65, {0, 1, 3, 5, 7, 8, 10}, {0, 50, 0, 0, 0, 50, 0}},     // with neutral seconds and sixths
};

// 2^(cents/1200) by repeated multiplication with fixed constants (no pow()).
double Ratio(int cents)
{
    static const double up50 = 1.0293022366434920, up1 = 1.0005777895065548;  // 2^(50/1200), 2^(1/1200)
    double r = 1;
    while (cents >= 1200) { r *= 2; cents -= 1200; }
    while (cents < 0) { r /= 2; cents += 1200; }
    while (cents >= 50) { r *= up50; cents -= 50; }
    while (cents > 0) { r *= up1; --cents; }
    return r;
}

struct TNote {
    int Start, Length;  // samples
    double Hz;
    float Gain;
};
}

std::vector<short> TBookMusic::Synthesize(int section)
{
    const TStyle &style = Styles[section - 1];
    TBookRandom random(0xA0D10000u + static_cast<uint64_t>(section));
    const int total = style.Seconds * SampleRate;
    const int beat = SampleRate * 60 / style.Bpm;

    // Melody: a walk over the mode's degrees, two octaves, in beats and half beats,
    // phrases of eight beats ending on the root.
    std::vector<TNote> notes;
    int degree = 7;
    for (int t = beat; t < total - 2 * beat;) {
        const bool phraseEnd = (t / beat) % 8 == 7;
        const int len = phraseEnd ? 2 * beat : (random.Chance(30) ? beat / 2 : beat);
        if (phraseEnd) degree = random.Chance(50) ? 7 : 0;
        else degree = std::clamp(degree + static_cast<int>(random.Range(-2, 2)), 0, 13);
        const int cents = (degree / 7) * 1200 + style.Scale[degree % 7] * 100 + style.Cents[degree % 7];
        if (!random.Chance(8)) notes.push_back({t, len, style.Root * Ratio(cents), 0.8f + 0.2f * static_cast<float>(random.Unit())});
        t += len;
    }

    std::vector<float> left(static_cast<size_t>(total), 0.0f), right(static_cast<size_t>(total), 0.0f);
    const int attack = SampleRate / 25, release = SampleRate / 5;
    for (const TNote &n : notes) {
        const uint32_t step = static_cast<uint32_t>(n.Hz * 4294967296.0 / SampleRate);
        uint32_t phase = 0;
        const int end = std::min(total, n.Start + n.Length + release);
        for (int i = n.Start; i < end; ++i) {
            const int k = i - n.Start;
            float env = k < attack ? static_cast<float>(k) / attack : 1.0f - 0.35f * std::min(1.0f, static_cast<float>(k - attack) / n.Length);
            if (k >= n.Length) env *= 1.0f - static_cast<float>(k - n.Length) / release;
            const float v = env * n.Gain * (Sine(phase) + 0.3f * Sine(phase * 2) + 0.12f * Sine(phase * 3));
            left[i] += 0.20f * v;
            right[i] += 0.26f * v;
            phase += step;
        }
    }
    // Drone on the root and fifth an octave down, slowly breathing.
    const uint32_t rootStep = static_cast<uint32_t>(style.Root / 2 * 4294967296.0 / SampleRate);
    const uint32_t fifthStep = static_cast<uint32_t>(style.Root / 2 * Ratio(700) * 4294967296.0 / SampleRate);
    const uint32_t lfoStep = static_cast<uint32_t>(0.15 * 4294967296.0 / SampleRate);
    uint32_t a = 0, b = 0, lfo = 0;
    for (int i = 0; i < total; ++i) {
        const float breath = 0.75f + 0.25f * Sine(lfo);
        const float d = breath * (0.09f * Sine(a) + 0.06f * Sine(b));
        left[i] += d * 1.1f;
        right[i] += d * 0.9f;
        a += rootStep;
        b += fifthStep;
        lfo += lfoStep;
    }
    // Fade in over one second and out over two; scale to 16 bits.
    std::vector<short> out(static_cast<size_t>(total) * 2);
    for (int i = 0; i < total; ++i) {
        float fade = 1.0f;
        if (i < SampleRate) fade = static_cast<float>(i) / SampleRate;
        if (i > total - 2 * SampleRate) fade = std::min(fade, static_cast<float>(total - i) / (2 * SampleRate));
        out[2 * i] = static_cast<short>(std::clamp(left[i] * fade, -1.0f, 1.0f) * 30000.0f);
        out[2 * i + 1] = static_cast<short>(std::clamp(right[i] * fade, -1.0f, 1.0f) * 30000.0f);
    }
    return out;
}

QByteArray TBookMusic::EncodeMp3(const std::vector<short> &samples)
{
    lame_global_flags *lame = lame_init();
    if (!lame) throw std::runtime_error("cannot start the MP3 encoder");
    lame_set_in_samplerate(lame, SampleRate);
    lame_set_out_samplerate(lame, SampleRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_brate(lame, 112);
    lame_set_quality(lame, 7);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        throw std::runtime_error("cannot set up the MP3 encoder");
    }
    QByteArray out;
    const int frames = static_cast<int>(samples.size() / 2);
    const int chunk = 8192;
    std::vector<unsigned char> buffer(static_cast<size_t>(chunk * 5 / 4 + 7200));
    for (int f = 0; f < frames; f += chunk) {
        const int n = std::min(chunk, frames - f);
        const int bytes = lame_encode_buffer_interleaved(lame, const_cast<short *>(samples.data() + 2 * f), n,
                                                         buffer.data(), static_cast<int>(buffer.size()));
        if (bytes < 0) {
            lame_close(lame);
            throw std::runtime_error("MP3 encoding failed");
        }
        out.append(reinterpret_cast<const char *>(buffer.data()), bytes);
    }
    const int bytes = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
    if (bytes > 0) out.append(reinterpret_cast<const char *>(buffer.data()), bytes);
    // The first frame holds the stream summary; write it now that the length is known.
    std::vector<unsigned char> tag(8192);
    const size_t tagSize = lame_get_lametag_frame(lame, tag.data(), tag.size());
    if (tagSize > 0 && tagSize <= static_cast<size_t>(out.size()))
        out.replace(0, static_cast<qsizetype>(tagSize), QByteArray(reinterpret_cast<const char *>(tag.data()), static_cast<qsizetype>(tagSize)));
    lame_close(lame);
    return out;
}

void TBookMusic::WriteTrack(const QString &bookFolder, int section)
{
    TBookFiles::Write(QStringLiteral("%1/Musics/Music%2.mp3").arg(bookFolder).arg(section), EncodeMp3(Synthesize(section)));
}
