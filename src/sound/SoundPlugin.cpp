// The sound plugin: the program loads it once its first window is painted.

#include "ui/SoundPlugin.h"
#include "sound/SoundEffectPlayer.h"

#include <QObject>

class SoundPlugin : public QObject, public ui::SoundPlayerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MERCANZOLA_SOUND_PLUGIN_IID)
    Q_INTERFACES(ui::SoundPlayerFactory)
public:
    ui::SoundPlayer* createSoundPlayer() override { return new SoundEffectPlayer; }
};

#include "SoundPlugin.moc"
