#pragma once

#include "platform/VoicePlugin.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

namespace platform {

// Reading the sentences aloud, for a pupil who reads with difficulty: off
// unless turned on. The voice comes from the speech plugin, loaded only once
// reading is on, in the idle time after a paint (or by the first text, if that
// comes sooner). When it cannot speak (no speech server, no Italian voice, a
// screen reader already speaking) reading goes off, one line on standard
// error says why, and the lesson goes on in silence.
class ReadingAloud : public QObject {
public:
    // The plugin's path, with or without the platform's prefix and suffix.
    explicit ReadingAloud(QString pluginPath);
    ~ReadingAloud() override;

    bool isOn() const { return on; }
    void turnOn();
    void turnOff();
    void toggle() { on ? turnOff() : turnOn(); }

    // What one action of the pupil causes reaches the voice as one text: the
    // texts heard in one turn of the event loop are read together after it.
    void hear(const QString& text);

    // A voice of the caller's instead of the plugin's (tests).
    void useVoice(std::unique_ptr<Voice> voice);

private:
    void load();
    void flush();

    QString pluginPath;
    bool on = false;
    bool flushing = false;
    std::unique_ptr<Voice> voice;
    QStringList pending;
    QPointer<QObject> watcher;
};

// The program's, with the plugin in the program folder's plugins/.
ReadingAloud& readingAloud();

} // namespace platform
