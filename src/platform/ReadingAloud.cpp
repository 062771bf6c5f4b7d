#include "platform/ReadingAloud.h"

#include "platform/Idle.h"
#include "platform/PluginLoading.h"
#include "platform/Services.h"
#include "platform/VoiceSettings.h"
#include "platform/Warning.h"

#include <QCoreApplication>
#include <QDir>
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
        warn(line);
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
    QString problem;
    if (auto* factory =
            loadPlugin<VoiceFactory>(pluginPath, QStringLiteral("il modulo della voce"), &problem,
                                     QStringLiteral(MERCANZOLA_VOICE_PACKAGES))) {
        voice.reset(factory->createVoice(
            [this](VoiceState state, const QString& line) { voiceReported(state, line); }));
        if (!slowness)
            slowness = slownessInSettings(voiceSettingsFile());
        voice->setSlowness(slowness.value_or(0));
        return;
    }
    voiceReported(VoiceState::Unavailable,
                  QStringLiteral("niente lettura ad alta voce: ") + problem);
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
