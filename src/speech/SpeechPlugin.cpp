// The speech plugin: the program loads it only once reading aloud is on.

#include "platform/VoicePluginInterface.h"
#include "speech/ThreadedVoice.h"

#include <QObject>

class SpeechPlugin : public QObject, public platform::VoiceFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MERCANZOLA_VOICE_PLUGIN_IID)
    Q_INTERFACES(platform::VoiceFactory)
public:
    platform::Voice* createVoice(platform::VoiceReport report) override {
        return new ThreadedVoice(std::move(report));
    }
};

#include "SpeechPlugin.moc"
