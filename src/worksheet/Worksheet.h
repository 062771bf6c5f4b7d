#pragma once

#include "model/Catalogue.h"
#include "model/Problem.h"

#include <QString>
#include <cstdint>
#include <vector>

class QPagedPaintDevice;

// What a teacher asks of a sheet to print: which exercises, how many problems
// of each, with the answers on pages of their own or not, in large print.
struct WorksheetOptions {
    std::vector<Exercise> exercises; // in the order asked; all 13 by default
    int problemsEach = 4;
    bool solutions = false;
    bool largePrint = false; // sans serif, larger, 1.5 spacing, one problem per block
    std::uint64_t seed = 0;  // the same seed gives the same sheet
    int level = 0;           // the problems' level, 1 to 3; 0 none

    static WorksheetOptions everyExercise();
};

// The sheet's problems, exercise after exercise, drawn from the seed at the level.
std::vector<Problem> drawWorksheet(const Catalogue& catalogue, const WorksheetOptions& options);

// Paints the sheet on an A4 device (a PDF writer or a printer): the heading
// for the pupil, the numbered problems with blanks to fill, then, if asked,
// the answers from a new page.
void paintWorksheet(QPagedPaintDevice& device, const Catalogue& catalogue,
                    const WorksheetOptions& options);

// Writes the sheet as a PDF file; an Italian message when the file cannot be
// written, or empty.
QString writeWorksheetPdf(const QString& path, const Catalogue& catalogue,
                          const WorksheetOptions& options);
