#pragma once

#include "app/CommandLine.h"

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

// --riepilogo, --csv, --html, --cancella-alunno, answered without a window: 0
// when done, 1 with one line on standard error when the record cannot be read
// or a file written.
int runRecordCommand(const CommandLine& command, const QString& destination,
                     const QString& programFolder);
