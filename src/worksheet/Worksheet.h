#pragma once

#include "model/Catalogue.h"
#include "model/Problem.h"
#include "worksheet/SheetLayout.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QPagedPaintDevice;

// What a teacher asks of a sheet to print: which exercises, how many problems
// of each, with the answers on pages of their own or not, in large print;
// for a class, one sheet per pupil, each another version.
struct WorksheetOptions {
    std::vector<Exercise> exercises; // in the order asked; all 13 by default
    int problemsEach = 4;
    bool solutions = false;
    bool largePrint = false; // sans serif, larger, 1.5 spacing, one problem per block
    std::uint64_t seed = 0;  // the same seed gives the same sheet
    int level = 0;           // 0: the exercises' own draws
    QString title;           // the teacher's own heading: "Verifica del 12 marzo"
    QStringList pupils;      // one sheet each, the name on "Nome"; none: one sheet

    static WorksheetOptions everyExercise();
};

// The seed of each sheet: the options' own for one sheet, another for each
// pupil, all different.
std::vector<std::uint64_t> sheetSeeds(const WorksheetOptions& options);

// The code printed on the sheet drawn from `seed`.
QString sheetCodeOf(const Catalogue& catalogue, const WorksheetOptions& options,
                    std::uint64_t seed);

// Which pages to paint: the pupils' sheets, the answers, or both one after
// the other (the answers from a new page).
enum class SheetPart { Questions, Answers, Both };

// Paints the sheets on an A4 device (a PDF writer or a printer) laid out as
// sheetPageLayout() at SheetDpi, the pages of `range` only; returns the
// document's pages, and adds to `warnings` what the teacher should know.
int paintWorksheet(QPagedPaintDevice& device, const Catalogue& catalogue,
                   const WorksheetOptions& options, SheetPart part = SheetPart::Both,
                   worksheet::PageRange range = {}, QStringList* warnings = nullptr);

// What writing came to: an Italian message when the file could not be
// written whole (an older file is then left as it was), and the warnings.
struct WriteResult {
    QString error;
    QStringList warnings;
};

// Writes the sheets as a PDF file, the answers too if asked, or into
// `answersPath` when one is given.
WriteResult writeWorksheetPdf(const QString& path, const Catalogue& catalogue,
                              const WorksheetOptions& options, const QString& answersPath = {});
