#pragma once
// Writes short MP3 tracks for the music tests: a sine tone encoded with the
// LAME encoder, with its information frame filled in like any finished track.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cmath>
#include <lame/lame.h>
#include <vector>

inline QByteArray MakeMp3Track(double seconds, int rate = 44100, int channels = 2)
{
    lame_global_flags *gf = lame_init();
    lame_set_in_samplerate(gf, rate);
    lame_set_num_channels(gf, channels);
    lame_set_mode(gf, channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(gf, 128);
    lame_set_quality(gf, 7);
    lame_set_bWriteVbrTag(gf, 1);
    lame_init_params(gf);
    const int samples = int(seconds * rate);
    std::vector<short> left(samples), right(samples);
    for (int i = 0; i < samples; ++i) {
        left[i] = short(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        right[i] = short(8000 * std::sin(2 * M_PI * 660.0 * i / rate));
    }
    std::vector<unsigned char> out(size_t(1.25 * samples + 7200));
    QByteArray mp3;
    int n = lame_encode_buffer(gf, left.data(), right.data(), samples, out.data(), int(out.size()));
    if (n > 0) mp3.append(reinterpret_cast<const char *>(out.data()), n);
    n = lame_encode_flush(gf, out.data(), int(out.size()));
    if (n > 0) mp3.append(reinterpret_cast<const char *>(out.data()), n);
    // The first frame was left blank for the track information; fill it now.
    std::vector<unsigned char> tag(4096);
    const size_t tagSize = lame_get_lametag_frame(gf, tag.data(), tag.size());
    if (tagSize > 0 && tagSize <= size_t(mp3.size()))
        mp3.replace(0, int(tagSize), QByteArray(reinterpret_cast<const char *>(tag.data()), int(tagSize)));
    lame_close(gf);
    return mp3;
}

inline bool WriteFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}
