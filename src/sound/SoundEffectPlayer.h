#pragma once

#include "platform/Services.h"

#include <QHash>

class QSoundEffect;

// Plays the answer sounds through Qt Multimedia.
class SoundEffectPlayer : public platform::SoundPlayer {
public:
    ~SoundEffectPlayer() override;
    void play(const QString& path) override;

private:
    // One effect per file, made on first use and kept: loading a WAV each time
    // would delay the feedback.
    QHash<QString, QSoundEffect*> effects;
};
