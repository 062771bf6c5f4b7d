#include "sound/AlsaPlayer.h"

#include "platform/Warning.h"

#include <QFile>
#include <chrono>

namespace {

// ALSA prints its own lines on standard error when there is no sound card; the
// program is quiet there, as without a plugin.
void silentAlsa(const char*, int, const char*, int, const char*, ...) {}

// Short enough that a new sound cuts in at once, long enough for a busy PC.
constexpr unsigned LatencyMicroseconds = 100000;
// An idle device is given back to the other programs after a while.
constexpr auto KeptOpen = std::chrono::seconds(3);

} // namespace

AlsaPlayer::AlsaPlayer() {
    snd_lib_error_set_handler(silentAlsa);
    worker = std::thread([this] { run(); });
}

AlsaPlayer::~AlsaPlayer() {
    {
        std::lock_guard lock(mutex);
        quitting = true;
    }
    wake.notify_all();
    worker.join();
}

void AlsaPlayer::play(const QString& path) {
    auto known = sounds.constFind(path);
    if (known == sounds.constEnd()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return; // a missing sound is simply not played, and looked for again
        auto sound = std::make_shared<WavSound>();
        QString problem;
        if (!readWav(file.readAll(), sound.get(), &problem)) {
            platform::warn(QStringLiteral("suono inutilizzabile, al suo posto il silenzio: %1. %2")
                               .arg(path, problem));
            sound.reset();
        }
        known = sounds.insert(path, sound);
    }
    if (!*known)
        return;
    {
        std::lock_guard lock(mutex);
        next = *known;
        ++asked;
    }
    wake.notify_all();
}

bool AlsaPlayer::overtaken(quint64 ticket) {
    std::lock_guard lock(mutex);
    return quitting || asked != ticket;
}

void AlsaPlayer::run() {
    snd_pcm_t* pcm = nullptr;
    std::unique_lock lock(mutex);
    for (;;) {
        const auto asked_for = [this] { return quitting || next != nullptr; };
        if (!pcm)
            wake.wait(lock, asked_for);
        else if (!wake.wait_for(lock, KeptOpen, asked_for)) {
            snd_pcm_close(pcm);
            pcm = nullptr;
            continue;
        }
        if (quitting)
            break;
        const Sound sound = std::move(next);
        next.reset();
        const quint64 ticket = asked;
        lock.unlock();
        playOn(pcm, *sound, ticket);
        lock.lock();
    }
    if (pcm) {
        snd_pcm_drop(pcm);
        snd_pcm_close(pcm);
    }
}

void AlsaPlayer::playOn(snd_pcm_t*& pcm, const WavSound& sound, quint64 ticket) {
    if (!pcm && snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        pcm = nullptr;
        return;
    }
    // The same parameters again only prepare the device: cheap.
    if (snd_pcm_set_params(pcm, sound.format, SND_PCM_ACCESS_RW_INTERLEAVED, sound.channels,
                           sound.rate, 1, LatencyMicroseconds) < 0) {
        snd_pcm_close(pcm);
        pcm = nullptr;
        return;
    }
    const char* data = sound.samples.constData();
    const snd_pcm_uframes_t total = sound.samples.size() / sound.frameBytes;
    // A fiftieth of a second at a time, so that a newer sound is heard soon.
    const snd_pcm_uframes_t step = std::max(1u, sound.rate / 50);
    snd_pcm_uframes_t done = 0;
    while (done < total) {
        if (overtaken(ticket)) {
            snd_pcm_drop(pcm);
            return;
        }
        snd_pcm_sframes_t written =
            snd_pcm_writei(pcm, data + done * sound.frameBytes, std::min(step, total - done));
        if (written < 0)
            written = snd_pcm_recover(pcm, static_cast<int>(written), 1);
        if (written < 0) {
            snd_pcm_close(pcm);
            pcm = nullptr;
            return;
        }
        done += static_cast<snd_pcm_uframes_t>(written);
    }
    // What is still queued plays out unless a newer sound comes first.
    snd_pcm_sframes_t queued = 0;
    if (snd_pcm_delay(pcm, &queued) == 0 && queued > 0) {
        std::unique_lock lock(mutex);
        if (wake.wait_for(lock, std::chrono::milliseconds(queued * 1000 / sound.rate),
                          [&] { return quitting || asked != ticket; })) {
            lock.unlock();
            snd_pcm_drop(pcm);
            return;
        }
    }
    snd_pcm_drain(pcm);
}
