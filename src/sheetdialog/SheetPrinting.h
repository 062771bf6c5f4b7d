#pragma once

#include "model/Catalogue.h"
#include "worksheet/Worksheet.h"

class QPrinter;

// Prints one part of the sheets exactly as the PDF lays it out (same page,
// margins, resolution, breaks and fonts), only the pages the printer's range
// asks for; the copies are the printer's. Returns the pages the part has.
int printSheets(QPrinter& printer, const Catalogue& catalogue, const WorksheetOptions& options,
                SheetPart part);

// Makes the printer lay pages out as the PDF does.
void matchThePdf(QPrinter& printer);
