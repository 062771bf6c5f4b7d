#include "speech/ItalianVoice.h"

#include "speech/ScreenReader.h"

#include <QTimer>
#include <QVoice>
#include <array>

using platform::VoiceState;

namespace {

// speech-dispatcher's rates as espeak-ng's module turns them into words a
// minute (80 at -1, 170 at 0): about 152, 130 and 110, so that an
// eight-year-old follows.
constexpr std::array<double, 3> Rates = {-0.2, -0.44, -0.67};

const QString NoReading = QStringLiteral("niente lettura ad alta voce: ");

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

ItalianVoice::ItalianVoice(platform::VoiceReport report) : report(std::move(report)) {}

ItalianVoice::~ItalianVoice() = default;

void ItalianVoice::start() {
    screenReader = new ScreenReaderWatch;
    screenReader->setParent(this);
    connect(screenReader, &ScreenReaderWatch::changed, this, &ItalianVoice::screenReaderChanged);
    if (screenReader->running())
        tell(VoiceState::Silent, NoReading + QStringLiteral("legge già il lettore di schermo"));
    else
        open(QString());
}

void ItalianVoice::take(const QString& text) {
    newest = text;
    if (readQueued)
        return;
    readQueued = true;
    // Behind every text already queued while the engine was opening.
    QTimer::singleShot(0, this, [this] {
        readQueued = false;
        readNewest();
    });
}

void ItalianVoice::stop() {
    newest.clear();
    if (engine)
        engine->stop();
}

void ItalianVoice::setSlowness(int level) {
    slowness = std::clamp(level, 0, int(Rates.size()) - 1);
    if (engine)
        engine->setRate(Rates[slowness]);
}

void ItalianVoice::close() {
    stop();
    engine.reset();
}

void ItalianVoice::readNewest() {
    const QString text = std::exchange(newest, QString());
    if (text.isEmpty() || (screenReader && screenReader->running()))
        return;
    if (!engine && !open(QString()))
        return;
    engine->say(text);
    // A text refused means speech-dispatcher has gone away (ended,
    // restarted): a new connection finds it again, or starts it. An error of
    // configuration is the locale's, mended already (see newEngine).
    if (engine->state() != QTextToSpeech::Error ||
        engine->errorReason() == QTextToSpeech::ErrorReason::Configuration)
        return;
    engine.reset();
    if (open(QStringLiteral("speech-dispatcher si era fermato: la lettura ad alta voce riprende")))
        engine->say(text);
}

void ItalianVoice::screenReaderChanged(bool running) {
    if (running) {
        if (engine)
            engine->stop();
        tell(VoiceState::Silent, NoReading + QStringLiteral("legge il lettore di schermo"));
    } else {
        open(QStringLiteral("il lettore di schermo si è fermato: la lettura ad alta voce "
                            "riprende"));
    }
}

bool ItalianVoice::open(const QString& lineWhenOpen) {
    if (!engine) {
        QString why;
        engine = newEngine(why);
        if (!engine) {
            tell(VoiceState::Unavailable, NoReading + why);
            return false;
        }
    }
    tell(VoiceState::Ready, lineWhenOpen);
    return true;
}

std::unique_ptr<QTextToSpeech> ItalianVoice::newEngine(QString& whyNot) const {
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
    std::optional<QVoice> voice;
    if (engine->availableLocales().contains(italy)) {
        engine->setLocale(italy);
        voice = plainItalian(engine->availableVoices());
    }
    if (!voice) {
        whyNot = QStringLiteral("manca la voce italiana di speech-dispatcher");
        return nullptr;
    }
    engine->setVoice(*voice);
    engine->setRate(Rates[slowness]);
    return engine;
}

// Each change once: a voice that stays unavailable tries again at every text
// without a line each time; every return to speaking that has a line tells it.
void ItalianVoice::tell(VoiceState state, const QString& line) {
    if (state == told && line == toldLine)
        return;
    told = state;
    toldLine = state == VoiceState::Ready ? QString() : line;
    report(state, line);
}
