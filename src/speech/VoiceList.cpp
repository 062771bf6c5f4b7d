#include "speech/VoiceList.h"

#include <cstdlib>

QList<SynthesisVoice> synthesisVoices(SPDConnection* connection) {
    QList<SynthesisVoice> voices;
    char* reply = spd_send_data(connection, "LIST SYNTHESIS_VOICES\r\n", SPD_WAIT_REPLY);
    if (!reply)
        return voices;
    // "249-name\tlanguage\tvariant" a line, then "249 OK VOICE LIST SENT".
    const QByteArray text(reply);
    std::free(reply);
    for (const QByteArray& line : text.split('\n')) {
        if (!line.startsWith("249-"))
            continue;
        const QList<QByteArray> fields = line.mid(4).trimmed().split('\t');
        if (fields.size() >= 2)
            voices.append({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1])});
    }
    return voices;
}

std::optional<QString> plainItalian(const QList<SynthesisVoice>& voices) {
    std::optional<QString> found;
    for (const SynthesisVoice& voice : voices) {
        if (voice.language != QStringLiteral("it") && !voice.language.startsWith(u"it-"))
            continue;
        const QString name = voice.name.toLower();
        if (name == QStringLiteral("italian") || name == QStringLiteral("it"))
            return voice.name;
        if (!found && !name.contains(u'+'))
            found = voice.name;
    }
    return found;
}
