#pragma once

#include <QString>
#include <QtPlugin>
#include <functional>

namespace platform {

// A voice that reads sentences aloud. Every call returns at once: the voice
// opens and speaks on a thread of its own, so that the pupil never waits for it.
class Voice {
public:
    virtual ~Voice() = default;
    // Reads a text; what was still being read stops, so nothing queues behind
    // a quick pupil. Texts given before the voice is ready are not queued
    // either: only the newest is read once it is.
    virtual void speak(const QString& text) = 0;
    virtual void stop() = 0;
    // 0, 1 or 2, each slower than the one before.
    virtual void setSlowness(int slowness) = 0;
};

// What a voice tells of itself, on the thread that made it.
enum class VoiceState {
    Ready,       // speaking, or ready to
    Silent,      // a screen reader speaks: the voice leaves it the words
    Unavailable, // it cannot speak: no speech server, no Italian voice
};
// The state, and a line for the terminal when there is something to tell
// (in Italian; empty otherwise). An unavailable voice tries again at the next text.
using VoiceReport = std::function<void(VoiceState state, const QString& line)>;

// What the speech plugin offers. The text-to-speech library lives in the
// plugin, so the program starts without loading it.
class VoiceFactory {
public:
    virtual ~VoiceFactory() = default;
    // A new voice, owned by the caller, that starts opening at once and tells
    // how it fares through `report`.
    virtual Voice* createVoice(VoiceReport report) = 0;
};

} // namespace platform

#define MERCANZOLA_VOICE_PLUGIN_IID "org.lamercanzola.VoiceFactory/2"
Q_DECLARE_INTERFACE(platform::VoiceFactory, MERCANZOLA_VOICE_PLUGIN_IID)
