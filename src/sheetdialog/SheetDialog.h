#pragma once

#include "worksheet/WorksheetDialogPlugin.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The teacher's choices for a sheet: the exercises, how many problems of
// each, lire or euro, the level, a title, the class, the answers, large
// print; then a PDF saved or the sheet printed. The choices are kept for next
// time, unless the command line made them.
class SheetDialog : public QDialog {
    Q_OBJECT
public:
    explicit SheetDialog(const SheetDialogStart& start);

    WorksheetOptions options() const;
    void savePdf();
    void print();
    // Closed, it keeps the choices for next time.
    void done(int result) override;

    // Where the answers go.
    enum Solutions { NoSolutions, AtTheEnd, OwnFile };

private:
    void placeChoices();
    void showStart();
    // The choices of last time, kept per user, where the command line made none.
    void recall();
    void keep() const;
    static QString lastFolder();
    static void keepFolder(const QString& folder);
    // The catalogue chosen, its warnings or why it cannot be read.
    void catalogueChosen();
    const Catalogue* catalogue() const;
    // Says so when no exercise is ticked.
    bool anyChosen(const WorksheetOptions& chosen);
    // What the teacher should know, under the buttons.
    void tell(const QStringList& lines);
    QStringList levelShortage(const WorksheetOptions& chosen) const;

    SheetDialogStart start;
    std::array<QCheckBox*, ExerciseCount> exercises;
    QComboBox* currency;
    QLabel* catalogueNote;
    QSpinBox* problemsEach;
    QComboBox* level;
    QLineEdit* title;
    QSpinBox* seed;
    QCheckBox* wholeClass;
    QComboBox* solutions;
    QCheckBox* largePrint;
    QPushButton* save;
    QPushButton* printing;
    QLabel* outcome;
};
