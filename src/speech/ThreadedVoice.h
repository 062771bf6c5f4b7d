#pragma once

#include "platform/VoicePluginInterface.h"

class QObject;
class QThread;
class ItalianVoice;

// The voice as the program sees it, on its user-interface thread: every call
// is passed to the Italian voice on a thread of its own and returns at once,
// and what the voice reports comes back on this thread.
class ThreadedVoice : public platform::Voice {
public:
    explicit ThreadedVoice(platform::VoiceReport report);
    // Stops the speech before the thread ends, so that nothing goes on being
    // read after the program.
    ~ThreadedVoice() override;

    void speak(const QString& text) override;
    void stop() override;
    void setSlowness(int slowness) override;

private:
    QThread* thread;
    // Where the voice's reports land; it outlives a thread that never ends.
    QObject* inbox;
    ItalianVoice* voice;
};
