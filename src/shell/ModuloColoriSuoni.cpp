#include "shell/ModuloColoriSuoni.h"

#include "platform/Services.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

namespace ModuloColoriSuoni {

quint32 ColoreCasuale() {
    return Colori[drawFrom1To(18)];
}

void SuonoErrato() {
    platform::services().sounds->play(Modulo1::dataPath(QStringLiteral("suoni/no.wav")));
}

} // namespace ModuloColoriSuoni
