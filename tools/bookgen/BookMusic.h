#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

// The five background tracks Musics/Music1.mp3 .. Music5.mp3: a short melody per
// section over a soft drone, each with its own scale, tempo and length, encoded to
// MP3 with libmp3lame (44.1 kHz stereo, 112 kbit/s).
class TBookMusic {
public:
    static constexpr int SampleRate = 44100;

    // Interleaved stereo samples of section s's track.
    static std::vector<short> Synthesize(int section);
    // MP3 bytes of interleaved stereo samples. Throws std::runtime_error.
    static QByteArray EncodeMp3(const std::vector<short> &samples);
    // Synthesizes and writes one track.
    static void WriteTrack(const QString &bookFolder, int section);
};
