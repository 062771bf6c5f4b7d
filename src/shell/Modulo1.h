#pragma once

#include "model/Count.h"
#include "model/Money.h"

#include <QString>

class QWidget;

// Program-wide state and services, in memory only, zeroed at start. The
// catalogue's tables (NumeroArticoli, Articolo, PrezzoAcquisto, PrezzoVendita)
// are the lesson's: see shell/Lesson.h.
namespace Modulo1 {

extern Count NumeroEsatti;
extern Count NumeroErrati;

// Back to the zeroed state of start-up.
void clearState();

// Reads a catalogue into the lesson: lista.txt, or the file named, from the
// program folder unless the name is absolute.
void CaricaLista(const QString& name = QStringLiteral("lista.txt"));
// The catalogue from a file's bytes; `path` names the file in a report. On an
// error the lesson stays as it was; on success it holds the catalogue's
// records and currency.
void loadCatalogue(const QByteArray& bytes, const QString& path);
// The file of the catalogue in the lesson; empty before one is loaded.
QString cataloguePath();

void SuonoEsatto();
void MostraInformazioni(QWidget* over = nullptr);
// Asks whether to quit; on Yes the program ends.
void ChiediUscita(QWidget* over = nullptr);

// The path of a data file, given relative to the program folder.
QString programPath(const QString& relative);
// A file a school may give of its own (a sound "suoni/no.wav", a picture,
// classe.txt): from the first own data folder that has it, else the program
// folder's.
QString dataPath(const QString& relative);

} // namespace Modulo1
