#pragma once

#include "platform/VoicePluginInterface.h"

#include <QObject>
#include <optional>

#include <libspeechd.h>
class ScreenReaderWatch;

// espeak-ng's Italian voice through speech-dispatcher, on the thread that
// made it: opening it may start speech-dispatcher, which takes seconds.
// Its own connection, so that stopping it cancels its own words only, never
// a screen reader's on the same server. Reopened when speech-dispatcher has
// gone away; silent while a screen reader speaks.
class ItalianVoice : public QObject {
    Q_OBJECT
public:
    // `report` is called on this object's thread.
    explicit ItalianVoice(platform::VoiceReport report);
    ~ItalianVoice() override;

    // Looks for a screen reader, then opens the connection unless one speaks.
    void start();
    // The newest text, read once the texts already queued have been taken:
    // the older ones are dropped unread, and what is being read stops.
    void take(const QString& text);
    void stop();
    void setSlowness(int slowness);
    // Stops speaking and lets speech-dispatcher go, before the thread ends.
    void close();

private:
    void readNewest();
    bool say(const QString& text);
    void screenReaderChanged(bool running);
    bool open(const QString& lineWhenOpen);
    SPDConnection* newConnection(QString& whyNot) const;
    void drop();
    void tell(platform::VoiceState state, const QString& line);

    platform::VoiceReport report;
    SPDConnection* connection = nullptr;
    ScreenReaderWatch* screenReader = nullptr;
    QString newest;
    bool readQueued = false;
    int slowness = 0;
    platform::VoiceState told = platform::VoiceState::Ready;
    QString toldLine;
};
