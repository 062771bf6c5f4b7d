#include "speech/ItalianVoice.h"

#include "speech/ScreenReader.h"
#include "speech/StopOnSignal.h"
#include "speech/VoiceList.h"

#include <QStandardPaths>
#include <QTimer>
#include <array>
#include <csignal>
#include <cstdlib>
#include <pthread.h>

using platform::VoiceState;

namespace {

// speech-dispatcher's rates as espeak-ng's module turns them into words a
// minute (80 at -100, 170 at 0): about 152, 130 and 110, so that an
// eight-year-old follows.
constexpr std::array<int, 3> Rates = {-20, -44, -67};

const QString NoReading = QStringLiteral("niente lettura ad alta voce: ");

// What the teacher can do about a server that does not answer: the package
// when it is missing, someone who knows the PC otherwise.
QString noServer() {
    if (qEnvironmentVariableIsEmpty("SPEECHD_CMD") &&
        QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty())
        return QStringLiteral("manca il programma speech-dispatcher; chiedete al tecnico di "
                              "installare il pacchetto speech-dispatcher");
    return QStringLiteral("speech-dispatcher non risponde; chiedete al tecnico");
}

} // namespace

ItalianVoice::ItalianVoice(platform::VoiceReport report) : report(std::move(report)) {}

ItalianVoice::~ItalianVoice() {
    drop();
}

void ItalianVoice::start() {
    // A server gone mid-sentence makes the next write fail, rather than end
    // the program.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
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
    // Behind every text already queued while the connection was opening.
    QTimer::singleShot(0, this, [this] {
        readQueued = false;
        readNewest();
    });
}

// CANCEL SELF: a screen reader's words on the same server go on.
void ItalianVoice::stop() {
    newest.clear();
    if (connection && spd_cancel(connection) != 0)
        drop();
}

void ItalianVoice::setSlowness(int level) {
    slowness = std::clamp(level, 0, int(Rates.size()) - 1);
    if (connection)
        spd_set_voice_rate(connection, Rates[slowness]);
}

void ItalianVoice::close() {
    stop();
    drop();
}

void ItalianVoice::readNewest() {
    const QString text = std::exchange(newest, QString());
    if (text.isEmpty() || (screenReader && screenReader->running()))
        return;
    if (!connection && !open(QString()))
        return;
    if (say(text))
        return;
    // A text refused means speech-dispatcher has gone away (ended,
    // restarted): a new connection finds it again, or starts it.
    drop();
    if (open(QStringLiteral("speech-dispatcher si era fermato: la lettura ad alta voce riprende")))
        say(text);
}

// What is still being read of an older text stops first.
bool ItalianVoice::say(const QString& text) {
    return spd_cancel(connection) == 0 &&
           spd_say(connection, SPD_MESSAGE, text.toUtf8().constData()) >= 0;
}

void ItalianVoice::screenReaderChanged(bool running) {
    if (running) {
        if (connection)
            spd_cancel(connection);
        tell(VoiceState::Silent, NoReading + QStringLiteral("legge il lettore di schermo"));
    } else {
        open(QStringLiteral("il lettore di schermo si è fermato: la lettura ad alta voce "
                            "riprende"));
    }
}

bool ItalianVoice::open(const QString& lineWhenOpen) {
    if (!connection) {
        QString why;
        connection = newConnection(why);
        if (!connection) {
            tell(VoiceState::Unavailable, NoReading + why);
            return false;
        }
    }
    tell(VoiceState::Ready, lineWhenOpen);
    return true;
}

// At the address of SPEECHD_ADDRESS or the user's, started when not running.
SPDConnection* ItalianVoice::newConnection(QString& whyNot) const {
    char* error = nullptr;
    SPDConnection* opened =
        spd_open2("mercanzola", "voce", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
    std::free(error);
    if (!opened) {
        whyNot = noServer();
        return nullptr;
    }
    const std::optional<QString> voice = plainItalian(synthesisVoices(opened));
    if (!voice) {
        spd_close(opened);
        whyNot = QStringLiteral("manca la voce italiana; chiedete al tecnico di installare il "
                                "pacchetto speech-dispatcher-espeak-ng");
        return nullptr;
    }
    spd_set_language(opened, "it");
    spd_set_synthesis_voice(opened, voice->toUtf8().constData());
    spd_set_voice_rate(opened, Rates[slowness]);
    speechToStopOnSignals(opened);
    return opened;
}

void ItalianVoice::drop() {
    if (!connection)
        return;
    speechToStopOnSignals(nullptr);
    spd_close(std::exchange(connection, nullptr));
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
