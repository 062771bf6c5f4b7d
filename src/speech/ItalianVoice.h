#pragma once

#include "platform/VoicePlugin.h"

#include <QObject>
#include <QTextToSpeech>
#include <memory>

class ScreenReaderWatch;

// espeak-ng's Italian voice through speech-dispatcher, on the thread that
// made it: opening it lists every voice of every module (thousands) and may
// start speech-dispatcher, which takes seconds. Reopened when
// speech-dispatcher has gone away; silent while a screen reader speaks.
class ItalianVoice : public QObject {
    Q_OBJECT
public:
    // `report` is called on this object's thread.
    explicit ItalianVoice(platform::VoiceReport report);
    ~ItalianVoice() override;

    // Looks for a screen reader, then opens the engine unless one speaks.
    void start();
    // The newest text, read once the texts already queued have been taken:
    // the older ones are dropped unread.
    void take(const QString& text);
    void stop();
    void setSlowness(int slowness);
    // Stops speaking and lets speech-dispatcher go, before the thread ends.
    void close();

private:
    void readNewest();
    void screenReaderChanged(bool running);
    bool open(const QString& lineWhenOpen);
    std::unique_ptr<QTextToSpeech> newEngine(QString& whyNot) const;
    void tell(platform::VoiceState state, const QString& line);

    platform::VoiceReport report;
    std::unique_ptr<QTextToSpeech> engine;
    ScreenReaderWatch* screenReader = nullptr;
    QString newest;
    bool readQueued = false;
    int slowness = 0;
    platform::VoiceState told = platform::VoiceState::Ready;
    QString toldLine;
};
