#pragma once

#include "app/CommandLine.h"
#include "platform/RecordPluginInterface.h"

#include <QString>
#include <QStringList>

// What registro.conf says: the destination of its `registro = DEST` (or
// `registro: DEST`, any letter case) line, the last one counting; lines
// starting with # are comments; every other line is told, by its number.
struct RecordConfig {
    QString destination; // empty when none
    QStringList strayLines;
};
RecordConfig readRecordConfig(const QString& text);

// The record this run keeps: the command line's, else the configuration file's.
QString recordDestination(const CommandLine& command, const QString& configFile);

// A deletion of a pupil's answers (`pupil`, any spelling of the name) or of
// those given before a day; `which` says which, in a sentence.
struct Deletion {
    QString pupil;
    QDate before;
    QString which;   // "di Anna Rossi", "date prima del 01/09/2025"
    QString nothing; // "di Anna Rossi", "data prima del 01/09/2025"
};
// Counts what it would take, says it, asks on a terminal (--sì answers for a
// script, and without a terminal it is required), then deletes. False, with
// one line on standard error or the answer "no", when nothing was deleted.
bool erase(platform::RecordFactory* factory, const CommandLine& command, const QString& destination,
           const Deletion& deletion);

// --riepilogo, --csv, --html, --cancella-alunno, answered without a window: 0
// when done, 1 with one line on standard error when the record cannot be read
// or a file written.
int runRecordCommand(const CommandLine& command, const QString& destination,
                     const QString& programFolder);
