#pragma once

#include "model/Catalogue.h"
#include "worksheet/Worksheet.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QSpinBox;

// The teacher's choices for a sheet: which exercises, how many problems of
// each, the answers, large print; then a PDF saved or the sheet printed.
class SheetDialog : public QDialog {
    Q_OBJECT
public:
    SheetDialog(const Catalogue& catalogue, const WorksheetOptions& preset);

    WorksheetOptions options() const;
    void savePdf();
    void print();

private:
    // Says so when no exercise is ticked.
    bool anyChosen(const WorksheetOptions& chosen);
    // What the teacher should know, under the buttons.
    void tell(const QString& text);

    const Catalogue& catalogue;
    WorksheetOptions preset;
    std::array<QCheckBox*, ExerciseCount> exercises;
    QSpinBox* problemsEach;
    QSpinBox* seed;
    QCheckBox* solutions;
    QCheckBox* largePrint;
    QLabel* outcome;
};
