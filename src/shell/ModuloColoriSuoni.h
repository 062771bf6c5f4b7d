#pragma once

#include <QtGlobal>
#include <array>

namespace ModuloColoriSuoni {

// Slot 0 is empty and never chosen; light magenta stands twice (14 and 15).
extern const std::array<quint32, 19> Colori;

// One of the 18 table entries, each equally likely; layout 0x00BBGGRR.
quint32 ColoreCasuale();

void SuonoErrato();

} // namespace ModuloColoriSuoni
