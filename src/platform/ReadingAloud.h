#pragma once

#include "platform/VoicePluginInterface.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

namespace platform {

// Reading the sentences aloud, for a pupil who reads with difficulty: off
// unless turned on. The voice comes from the speech plugin, loaded only once
// reading is on, in the idle time after a paint (or by the first text, if that
// comes sooner); it opens on a thread of its own, so nothing waits for it.
// When it cannot speak (no speech server, no Italian voice) one line on
// standard error says why, trouble() says it for the screen, and the lesson
// goes on in silence; the next text tries again. Beside a screen reader it
// stays silent, and speaks again when the screen reader stops.
class ReadingAloud : public QObject {
    Q_OBJECT
public:
    // The plugin's path, with or without the platform's prefix and suffix.
    explicit ReadingAloud(QString pluginPath);
    ~ReadingAloud() override;

    bool isOn() const { return on; }
    void turnOn();
    void turnOff();
    void toggle() { on ? turnOff() : turnOn(); }

    // What one action of the pupil causes reaches the voice as one text: the
    // texts heard in one turn of the event loop are read together after it,
    // each sentence with a capital so that the voice pauses before it.
    void hear(const QString& text);
    // Stops what is being read (a screen left); what is yet to come is read.
    void hush();

    // 0, 1 or 2, each slower; unset, the user's settings file (voce.conf,
    // "lentezza = 1, 2 or 3") decides, and without it the quickest.
    void setSlowness(int slowness);

    // Why reading was asked for and cannot happen, in Italian; empty when it
    // can (or was not asked for).
    QString trouble() const { return why; }

    // A voice of the caller's instead of the plugin's (tests).
    void useVoice(std::unique_ptr<Voice> voice);
    // What the voice tells of itself (the plugin's report; tests).
    void voiceReported(VoiceState state, const QString& line);

signals:
    void troubleChanged(const QString& trouble);

private:
    void load();
    void flush();
    void end();
    void setTrouble(const QString& text);

    QString pluginPath;
    bool on = false;
    bool flushing = false;
    std::optional<int> slowness;
    std::unique_ptr<Voice> voice;
    QStringList pending;
    QPointer<QObject> watcher;
    QString why;
};

// The program's, with the plugin in the program folder's plugins/.
ReadingAloud& readingAloud();

// Each sentence of a text begins with a capital: espeak-ng runs
// "sbagliato. esatti 0" together, and pauses before "Esatti".
QString sentencesCapitalised(QString text);

} // namespace platform
