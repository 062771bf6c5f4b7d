#include "speech/ItalianVoice.h"

#include "speech/ScreenReader.h"

#include <QVoice>

namespace {

constexpr double SlowerRate = -0.2;

// Asking for the language alone may give one of espeak-ng's variants ("italian+klatt"):
// the voice named for the language is the plain one.
std::optional<QVoice> plainItalian(const QList<QVoice>& voices) {
    std::optional<QVoice> found;
    for (const QVoice& voice : voices) {
        const QString name = voice.name().toLower();
        if (name == QStringLiteral("italian") || name == QStringLiteral("it"))
            return voice;
        if (!found && !name.contains(u'+'))
            found = voice;
    }
    return found;
}

} // namespace

ItalianVoice* ItalianVoice::open(QString& whyNot) {
    if (screenReaderRunning()) {
        whyNot = QStringLiteral("legge già il lettore di schermo");
        return nullptr;
    }
    auto engine = std::make_unique<QTextToSpeech>(QStringLiteral("speechd"));
    // Under a locale none of its voices speaks (LANG=C), the engine starts in
    // an error of configuration that the Italian locale mends; any other
    // error means no server.
    if (engine->state() == QTextToSpeech::Error &&
        engine->errorReason() != QTextToSpeech::ErrorReason::Configuration) {
        whyNot = QStringLiteral("speech-dispatcher non risponde (%1)").arg(engine->errorString());
        return nullptr;
    }
    const QLocale italy(QLocale::Italian, QLocale::Italy);
    if (!engine->availableLocales().contains(italy)) {
        whyNot = QStringLiteral("manca la voce italiana di speech-dispatcher");
        return nullptr;
    }
    engine->setLocale(italy);
    const std::optional<QVoice> voice = plainItalian(engine->availableVoices());
    if (!voice) {
        whyNot = QStringLiteral("manca la voce italiana di speech-dispatcher");
        return nullptr;
    }
    engine->setVoice(*voice);
    engine->setRate(SlowerRate);
    return new ItalianVoice(std::move(engine));
}

ItalianVoice::ItalianVoice(std::unique_ptr<QTextToSpeech> engine) : engine(std::move(engine)) {}

void ItalianVoice::speak(const QString& text) {
    // Cut what is still being read: the pupil has moved on.
    engine->say(text);
}

void ItalianVoice::stop() {
    engine->stop();
}
