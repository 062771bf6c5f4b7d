#include "shell/ModuloColoriSuoni.h"

#include "platform/Services.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

namespace ModuloColoriSuoni {

const std::array<quint32, 19> Colori = {0x000000, // never chosen
                                        0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
                                        0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0, 0xFFFF00,
                                        0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF};

quint32 ColoreCasuale() {
    return Colori[drawFrom1To(18)];
}

void SuonoErrato() {
    platform::services().sounds->play(Modulo1::dataPath(QStringLiteral("suoni/no.wav")));
}

} // namespace ModuloColoriSuoni
