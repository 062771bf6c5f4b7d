#pragma once

#include "platform/VoicePlugin.h"

#include <QTextToSpeech>
#include <memory>

// espeak-ng's Italian voice through speech-dispatcher, a little slower than
// its default so that an eight-year-old follows.
class ItalianVoice : public platform::Voice {
public:
    // The voice, or null with why in Italian: no speech-dispatcher, no Italian
    // voice, or a screen reader running.
    static ItalianVoice* open(QString& whyNot);

    void speak(const QString& text) override;
    void stop() override;

private:
    explicit ItalianVoice(std::unique_ptr<QTextToSpeech> engine);
    std::unique_ptr<QTextToSpeech> engine;
};
