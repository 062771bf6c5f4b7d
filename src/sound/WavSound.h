#pragma once

#include <QByteArray>
#include <QString>

#include <alsa/asoundlib.h>

// A WAV file's samples as ALSA plays them: the format, the rate, the channels
// and the bytes of the data chunk.
struct WavSound {
    snd_pcm_format_t format = SND_PCM_FORMAT_UNKNOWN;
    unsigned rate = 0;
    unsigned channels = 0;
    unsigned frameBytes = 0;
    QByteArray samples;
};

// Reads a RIFF WAV file held whole: PCM of 8, 16, 24 or 32 bits or 32-bit
// float, in the plain or the extensible header. False with why in *problem
// (Italian, for the terminal) for anything else.
bool readWav(const QByteArray& file, WavSound* sound, QString* problem);
