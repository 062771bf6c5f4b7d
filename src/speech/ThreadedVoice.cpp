#include "speech/ThreadedVoice.h"

#include "speech/ItalianVoice.h"
#include "speech/StopOnSignal.h"

#include <QThread>

namespace {

// Long enough for speech-dispatcher to take the last "stop"; a voice still
// opening (speech-dispatcher starting) is left to the end of the process.
constexpr int EndWaitMs = 2000;

} // namespace

ThreadedVoice::ThreadedVoice(platform::VoiceReport report)
    : thread(new QThread), inbox(new QObject) {
    voice = new ItalianVoice([inbox = inbox, report = std::move(report)](platform::VoiceState state,
                                                                         const QString& line) {
        QMetaObject::invokeMethod(
            inbox, [report, state, line] { report(state, line); }, Qt::QueuedConnection);
    });
    voice->moveToThread(thread);
    QObject::connect(thread, &QThread::finished, voice, &QObject::deleteLater);
    thread->setObjectName(QStringLiteral("voce"));
    // At the program's own priority: the user-interface thread never waits
    // for the voice, but below it (SCHED_IDLE) the voice waited minutes for
    // the first problem beside any busy process.
    thread->start();
    stopSpeechOnSignals();
    QMetaObject::invokeMethod(voice, &ItalianVoice::start, Qt::QueuedConnection);
}

ThreadedVoice::~ThreadedVoice() {
    QMetaObject::invokeMethod(
        voice,
        [v = voice] {
            v->close();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (!thread->wait(EndWaitMs))
        return;
    delete thread;
    delete inbox;
}

void ThreadedVoice::speak(const QString& text) {
    QMetaObject::invokeMethod(
        voice, [v = voice, text] { v->take(text); }, Qt::QueuedConnection);
}

void ThreadedVoice::stop() {
    QMetaObject::invokeMethod(voice, &ItalianVoice::stop, Qt::QueuedConnection);
}

void ThreadedVoice::setSlowness(int slowness) {
    QMetaObject::invokeMethod(
        voice, [v = voice, slowness] { v->setSlowness(slowness); }, Qt::QueuedConnection);
}
