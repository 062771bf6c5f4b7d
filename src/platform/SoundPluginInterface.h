#pragma once

#include "platform/Services.h"

#include <QtPlugin>

namespace platform {

// What the sound plugin offers. Qt Multimedia and the audio libraries under it
// live in the plugin, so the program starts without loading them.
class SoundPlayerFactory {
public:
    virtual ~SoundPlayerFactory() = default;
    // A new player, owned by the caller.
    virtual SoundPlayer* createSoundPlayer() = 0;
};

} // namespace platform

#define MERCANZOLA_SOUND_PLUGIN_IID "org.lamercanzola.SoundPlayerFactory/1"
Q_DECLARE_INTERFACE(platform::SoundPlayerFactory, MERCANZOLA_SOUND_PLUGIN_IID)
