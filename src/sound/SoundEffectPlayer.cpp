#include "sound/SoundEffectPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SoundEffectPlayer::~SoundEffectPlayer() {
    qDeleteAll(effects);
}

void SoundEffectPlayer::play(const QString& path) {
    QSoundEffect* effect = effects.value(path);
    if (!effect) {
        if (!QFileInfo::exists(path))
            return;
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
        effects.insert(path, effect);
    }
    // A new sound may cut short the one playing, as the feedback comes quickly.
    effect->stop();
    effect->play();
}
