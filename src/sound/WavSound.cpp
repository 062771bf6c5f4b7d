#include "sound/WavSound.h"

#include <QtEndian>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

quint16 at16(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}
quint32 at32(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

snd_pcm_format_t alsaFormat(quint16 tag, quint16 bits) {
    if (tag == FormatFloat)
        return bits == 32 ? SND_PCM_FORMAT_FLOAT_LE : SND_PCM_FORMAT_UNKNOWN;
    switch (bits) {
    case 8:
        return SND_PCM_FORMAT_U8;
    case 16:
        return SND_PCM_FORMAT_S16_LE;
    case 24:
        return SND_PCM_FORMAT_S24_3LE;
    case 32:
        return SND_PCM_FORMAT_S32_LE;
    default:
        return SND_PCM_FORMAT_UNKNOWN;
    }
}

} // namespace

bool readWav(const QByteArray& file, WavSound* sound, QString* problem) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") {
        *problem = QStringLiteral("non è un file WAV");
        return false;
    }
    bool haveFormat = false;
    qsizetype offset = 12;
    // Chunks one after another, each padded to an even size; "fmt " comes
    // before "data" in every file a tool writes.
    while (offset + 8 <= file.size()) {
        const QByteArray id = file.mid(offset, 4);
        const qsizetype size = at32(file, offset + 4);
        const qsizetype body = offset + 8;
        const qsizetype available = std::min<qsizetype>(size, file.size() - body);
        if (id == "fmt " && available >= 16) {
            quint16 tag = at16(file, body);
            sound->channels = at16(file, body + 2);
            sound->rate = at32(file, body + 4);
            const quint16 blockAlign = at16(file, body + 12);
            const quint16 bits = at16(file, body + 14);
            // The extensible header names the real format in its sub-format.
            if (tag == FormatExtensible && available >= 26)
                tag = at16(file, body + 24);
            sound->format = (tag == FormatPcm || tag == FormatFloat) ? alsaFormat(tag, bits)
                                                                     : SND_PCM_FORMAT_UNKNOWN;
            sound->frameBytes = blockAlign;
            if (sound->format == SND_PCM_FORMAT_UNKNOWN || sound->channels < 1 ||
                sound->channels > 8 || sound->rate < 1000 || sound->rate > 384000 ||
                blockAlign != sound->channels * ((bits + 7) / 8)) {
                *problem = QStringLiteral("WAV in un formato che il programma non suona "
                                          "(serve PCM a 8, 16, 24 o 32 bit)");
                return false;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                break;
            // A recorder stopped short leaves a size larger than the file:
            // what is there is played.
            sound->samples = file.mid(body, available - available % sound->frameBytes);
            return true;
        }
        offset = body + size + (size & 1);
    }
    *problem = QStringLiteral("il file WAV non ha suoni");
    return false;
}
