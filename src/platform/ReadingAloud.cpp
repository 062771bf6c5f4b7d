#include "platform/ReadingAloud.h"

#include "platform/Idle.h"
#include "platform/Services.h"
#include "platform/VoiceSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>
#include <QTimer>

namespace platform {

ReadingAloud::ReadingAloud(QString pluginPath) : pluginPath(std::move(pluginPath)) {
    // Nothing goes on being read once the program has ended.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &ReadingAloud::end);
}

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
    setTrouble(QString());
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

void ReadingAloud::hush() {
    if (voice)
        voice->stop();
}

void ReadingAloud::setSlowness(int level) {
    slowness = level;
    if (voice)
        voice->setSlowness(level);
}

void ReadingAloud::useVoice(std::unique_ptr<Voice> given) {
    voice = std::move(given);
}

void ReadingAloud::voiceReported(VoiceState state, const QString& line) {
    if (!line.isEmpty())
        qWarning().noquote() << QStringLiteral("la mercanzola: ") + line;
    setTrouble(state == VoiceState::Unavailable && on ? line : QString());
}

void ReadingAloud::setTrouble(const QString& text) {
    if (text == why)
        return;
    why = text;
    emit troubleChanged(why);
}

void ReadingAloud::flush() {
    flushing = false;
    if (!on || pending.isEmpty())
        return;
    const QString text = sentencesCapitalised(pending.join(u' '));
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
    if (auto* factory = qobject_cast<VoiceFactory*>(loader.instance())) {
        voice.reset(factory->createVoice(
            [this](VoiceState state, const QString& line) { voiceReported(state, line); }));
        if (!slowness)
            slowness = slownessInSettings(voiceSettingsFile());
        voice->setSlowness(slowness.value_or(0));
        return;
    }
    const QString missing =
        loader.fileName().isEmpty() ? QStringLiteral("manca il modulo %1").arg(pluginPath)
        : loader.isLoaded() ? QStringLiteral("%1 non è il modulo della voce").arg(loader.fileName())
                            : loader.errorString();
    voiceReported(VoiceState::Unavailable,
                  QStringLiteral("niente lettura ad alta voce: ") + missing);
    // Off until asked again (F6), which tries once more.
    on = false;
    pending.clear();
}

void ReadingAloud::end() {
    pending.clear();
    voice.reset();
}

ReadingAloud& readingAloud() {
    static auto* reading =
        new ReadingAloud(QDir(services().programFolder)
                             .absoluteFilePath(QStringLiteral("plugins/mercanzola_speech")));
    return *reading;
}

QString sentencesCapitalised(QString text) {
    bool sentenceStarts = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (sentenceStarts && c.isLetter()) {
            text[i] = c.toUpper();
            sentenceStarts = false;
        } else if (c == u'.' || c == u'?' || c == u'!') {
            // "1.500" is a number, not the end of a sentence.
            sentenceStarts = i + 1 == text.size() || text[i + 1].isSpace();
        } else if (!c.isSpace()) {
            sentenceStarts = false;
        }
    }
    return text;
}

} // namespace platform
