#include "platform/ReadingAloud.h"

#include "platform/Idle.h"
#include "platform/PluginLoading.h"
#include "platform/Services.h"
#include "platform/Warning.h"

#include <QDir>
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
    QString why;
    if (auto* factory =
            loadPlugin<VoiceFactory>(pluginPath, QStringLiteral("il modulo della voce"), &why))
        voice.reset(factory->createVoice(why));
    if (voice)
        return;
    // Off until asked again (F6), which tries once more.
    on = false;
    pending.clear();
    warn(QStringLiteral("niente lettura ad alta voce: %1").arg(why));
}

ReadingAloud& readingAloud() {
    static auto* reading =
        new ReadingAloud(QDir(services().programFolder)
                             .absoluteFilePath(QStringLiteral("plugins/mercanzola_speech")));
    return *reading;
}

} // namespace platform
