#pragma once

#include "shell/Count.h"
#include "shell/Money.h"

#include <QString>
#include <array>

class QWidget;

// Program-wide state and services, in memory only, zeroed at start.
namespace Modulo1 {

// Catalogue slots 0 to 500; records are stored from 1, slot 0 stays empty.
constexpr int CatalogueSlots = 501;

extern Count NumeroEsatti;
extern Count NumeroErrati;
extern Count NumeroArticoli;
extern std::array<QString, CatalogueSlots> Articolo;
extern std::array<Money, CatalogueSlots> PrezzoAcquisto;
extern std::array<Money, CatalogueSlots> PrezzoVendita;
extern Money IndiceArticolo;
extern Count Quantita;

// IndiceArticolo as a table index; outside 0 to 500 it is a subscript error.
int indiceArticolo();

// Back to the zeroed state of start-up.
void clearState();

// Reads a catalogue into the catalogue tables: lista.txt, or the file named,
// from the program folder unless the name is absolute.
void CaricaLista(const QString& name = QStringLiteral("lista.txt"));
// The catalogue from a file's bytes; `path` names the file in a report. On an
// error nothing changes; on success the slots past the last record are empty
// and the current currency is the catalogue's.
void loadCatalogue(const QByteArray& bytes, const QString& path);

void SuonoEsatto();
void MostraInformazioni(QWidget* over = nullptr);
// Asks whether to quit; on Yes the program ends.
void ChiediUscita(QWidget* over = nullptr);

// The path of a data file, given relative to the program folder.
QString programPath(const QString& relative);

} // namespace Modulo1
