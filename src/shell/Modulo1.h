#pragma once

#include <QString>

class Lesson;
class QWidget;

// The services every screen calls: reading the catalogue, the "right" sound,
// the two program dialogs, the data files. What the lesson works on is held
// by a Lesson (shell/Lesson.h), not here.
namespace Modulo1 {

// Reads a catalogue into the lesson: lista.txt, or the file named, from the
// program folder unless the name is absolute.
void CaricaLista(Lesson& lesson, const QString& name = QStringLiteral("lista.txt"));
// The catalogue from a file's bytes; `path` names the file in a report. On an
// error the lesson stays as it was; on success it holds the catalogue's
// records and currency.
void loadCatalogue(Lesson& lesson, const QByteArray& bytes, const QString& path);

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
