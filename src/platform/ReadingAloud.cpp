#include "platform/ReadingAloud.h"

#include "platform/Idle.h"
#include "platform/Services.h"

#include <QDir>
#include <QPluginLoader>
#include <QTimer>

namespace platform {

ReadingAloud::ReadingAloud(QString pluginPath) : pluginPath(std::move(pluginPath)) {}

ReadingAloud::~ReadingAloud() {
    delete watcher;
}

void ReadingAloud::turnOn() {
    on = true;
    if (!voice && !watcher)
        watcher = afterNextPaint([this] {
            if (on)
                load();
        });
}

void ReadingAloud::turnOff() {
    on = false;
    pending.clear();
    if (voice)
        voice->stop();
}

void ReadingAloud::hear(const QString& text) {
    if (!on || text.isEmpty())
        return;
    pending << text;
    if (flushing)
        return;
    flushing = true;
    QTimer::singleShot(0, this, [this] { flush(); });
}

void ReadingAloud::useVoice(std::unique_ptr<Voice> given) {
    voice = std::move(given);
}

void ReadingAloud::flush() {
    flushing = false;
    if (!on || pending.isEmpty())
        return;
    const QString text = pending.join(u' ');
    pending.clear();
    load();
    if (voice)
        voice->speak(text);
}

void ReadingAloud::load() {
    if (voice)
        return;
    // The plugin stays loaded for the rest of the run, as its voice does.
    QPluginLoader loader(pluginPath);
    QString why;
    if (auto* factory = qobject_cast<VoiceFactory*>(loader.instance())) {
        voice.reset(factory->createVoice(why));
    } else {
        why = loader.fileName().isEmpty() ? QStringLiteral("manca il modulo %1").arg(pluginPath)
              : loader.isLoaded()
                  ? QStringLiteral("%1 non è il modulo della voce").arg(loader.fileName())
                  : loader.errorString();
    }
    if (voice)
        return;
    // Off until asked again (F6), which tries once more.
    on = false;
    pending.clear();
    qWarning().noquote()
        << QStringLiteral("la mercanzola: niente lettura ad alta voce: %1").arg(why);
}

ReadingAloud& readingAloud() {
    static auto* reading =
        new ReadingAloud(QDir(services().programFolder)
                             .absoluteFilePath(QStringLiteral("plugins/mercanzola_speech")));
    return *reading;
}

} // namespace platform
