#pragma once

#include <QString>

// The headings that stand above the boxes of the exercise screens; they also
// name the boxes for a screen reader.
namespace Headings {

inline QString articoloAcquistato() {
    return QStringLiteral("articolo acquistato");
}
inline QString costoUnitario() {
    return QStringLiteral("costo unitario");
}
inline QString quantita() {
    return QStringLiteral("quantità");
}
inline QString costoTotale() {
    return QStringLiteral("costo totale");
}
inline QString spesa() {
    return QStringLiteral("spesa");
}
inline QString guadagno() {
    return QStringLiteral("guadagno");
}
inline QString ricavo() {
    return QStringLiteral("ricavo");
}
inline QString perdita() {
    return QStringLiteral("perdita");
}

} // namespace Headings
