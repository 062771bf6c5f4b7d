#pragma once

#include <QString>
#include <QtPlugin>

namespace platform {

// A voice that reads sentences aloud.
class Voice {
public:
    virtual ~Voice() = default;
    // Starts reading a text and returns at once; what was still being read
    // stops, so nothing queues behind a quick pupil.
    virtual void speak(const QString& text) = 0;
    virtual void stop() = 0;
};

// What the speech plugin offers. The text-to-speech library lives in the
// plugin, so the program starts without loading it.
class VoiceFactory {
public:
    virtual ~VoiceFactory() = default;
    // A new voice, owned by the caller; or null, with why in Italian.
    virtual Voice* createVoice(QString& whyNot) = 0;
};

} // namespace platform

#define MERCANZOLA_VOICE_PLUGIN_IID "org.lamercanzola.VoiceFactory/1"
Q_DECLARE_INTERFACE(platform::VoiceFactory, MERCANZOLA_VOICE_PLUGIN_IID)
