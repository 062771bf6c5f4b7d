// The sound plugin: the program loads it once its first window is painted.

#include "platform/SoundPluginInterface.h"
#include "sound/AlsaPlayer.h"

#include <QObject>

class SoundPlugin : public QObject, public platform::SoundPlayerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MERCANZOLA_SOUND_PLUGIN_IID)
    Q_INTERFACES(platform::SoundPlayerFactory)
public:
    platform::SoundPlayer* createSoundPlayer() override { return new AlsaPlayer; }
};

#include "SoundPlugin.moc"
