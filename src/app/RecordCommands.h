#pragma once

#include "app/CommandLine.h"

#include <QString>

// The destination of a `registro = DEST` line of the configuration text; the
// last such line counts, lines starting with # are comments. Empty when none.
QString recordDestinationInConfig(const QString& text);

// The record this run keeps: the command line's, else the configuration file's.
QString recordDestination(const CommandLine& command, const QString& configFile);

// --riepilogo, --csv, --html, --cancella-alunno, answered without a window: 0
// when done, 1 with one line on standard error when the record cannot be read
// or a file written.
int runRecordCommand(const CommandLine& command, const QString& destination,
                     const QString& programFolder);
