#pragma once

#include "platform/Services.h"
#include "sound/WavSound.h"

#include <QHash>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// Plays the answer sounds through ALSA's default device (PipeWire or
// PulseAudio on a desktop, through their ALSA plugins), on a thread of its own
// so that play() returns at once. A new sound cuts short the one playing. With
// no audio device every sound stays quiet, as the program always has.
class AlsaPlayer : public platform::SoundPlayer {
public:
    AlsaPlayer();
    ~AlsaPlayer() override;
    void play(const QString& path) override;

private:
    using Sound = std::shared_ptr<const WavSound>;

    void run();
    // Plays one sound on the device, opening it if needed; leaves it open and
    // ready for the next, or closes it when it fails.
    void playOn(snd_pcm_t*& pcm, const WavSound& sound, quint64 ticket);
    bool overtaken(quint64 ticket);

    // Each file read once, on the caller's thread; a refused one as null.
    QHash<QString, Sound> sounds;

    std::mutex mutex;
    std::condition_variable wake;
    Sound next;
    quint64 asked = 0;
    bool quitting = false;
    std::thread worker;
};
