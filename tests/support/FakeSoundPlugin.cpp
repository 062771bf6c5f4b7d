// A sound plugin for the tests: its players only note the files asked for, in
// the plugin object's property "played".

#include "platform/SoundPluginInterface.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

class FakeSoundPlugin : public QObject, public platform::SoundPlayerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MERCANZOLA_SOUND_PLUGIN_IID)
    Q_INTERFACES(platform::SoundPlayerFactory)
public:
    platform::SoundPlayer* createSoundPlayer() override { return new Player(this); }

private:
    class Player : public platform::SoundPlayer {
    public:
        explicit Player(QObject* plugin) : plugin(plugin) {}
        void play(const QString& path) override {
            plugin->setProperty("played", plugin->property("played").toStringList() << path);
        }

    private:
        QObject* plugin;
    };
};

#include "FakeSoundPlugin.moc"
