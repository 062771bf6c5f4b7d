#pragma once

#include "app/CommandLine.h"

// mercanzola --scheda FILE.pdf: the sheet written with no display at all.
int runWorksheetCommand(const CommandLine& command, int argc, char* argv[]);

// mercanzola --prepara-scheda: the dialog, from its plugin, with Qt's print
// dialog behind it.
int runWorksheetDialog(const CommandLine& command, int argc, char* argv[]);
