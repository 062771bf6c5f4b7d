#pragma once

#include <QByteArray>
#include <QString>

// A catalogue of 500 records fits in far less; anything larger is not one.
constexpr qint64 CatalogueFileLimit = 1024 * 1024;

// The bytes of a catalogue file, read only once it is known to be a regular
// file (or a link to one) within CatalogueFileLimit. Throws ProgramError with
// the Italian report that names the file and the reason; a missing file that
// belongs in the program folder is told so.
QByteArray readCatalogueFile(const QString& path, bool inProgramFolder = true);

// The file a catalogue's messages name: the file (or the missing one) a link
// in the program folder leads to (/etc/mercanzola/lista.txt on an installed
// PC), which the teacher edits; any other path as it is.
QString catalogueLocation(const QString& path);
