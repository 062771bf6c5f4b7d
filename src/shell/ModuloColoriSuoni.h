#pragma once

#include <QtGlobal>
#include <array>

namespace ModuloColoriSuoni {

// Slot 0 is empty and never chosen; light magenta stands twice (14 and 15).
inline constexpr std::array<quint32, 19> Colori = {
    0x000000, // never chosen
    0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF, 0x00FFFF, 0x0040C0, 0x80FF80,
    0x00C000, 0xFFFFC0, 0xFFFF00, 0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF};

// One of the 18 table entries, each equally likely; layout 0x00BBGGRR.
quint32 ColoreCasuale();

void SuonoErrato();

} // namespace ModuloColoriSuoni
