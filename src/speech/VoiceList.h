#pragma once

#include <QList>
#include <QString>
#include <optional>

#include <libspeechd.h>

// One voice of speech-dispatcher's output module.
struct SynthesisVoice {
    QString name;
    QString language;
};

// The voices of the connection's output module, read from the server's reply
// in one pass: libspeechd's own list looks for each line from the first, and
// Debian's espeak-ng module has thousands.
QList<SynthesisVoice> synthesisVoices(SPDConnection* connection);

// The plain Italian voice: asking for the language alone may give one of
// espeak-ng's variants ("italian+klatt").
std::optional<QString> plainItalian(const QList<SynthesisVoice>& voices);
