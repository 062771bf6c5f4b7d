#pragma once

#include "ui/Services.h"

#include <QtPlugin>

namespace ui {

// What the sound plugin offers. Qt Multimedia and the audio libraries under it
// live in the plugin, so the program starts without loading them.
class SoundPlayerFactory {
public:
    virtual ~SoundPlayerFactory() = default;
    // A new player, owned by the caller.
    virtual SoundPlayer* createSoundPlayer() = 0;
};

} // namespace ui

#define MERCANZOLA_SOUND_PLUGIN_IID "org.lamercanzola.SoundPlayerFactory/1"
Q_DECLARE_INTERFACE(ui::SoundPlayerFactory, MERCANZOLA_SOUND_PLUGIN_IID)
