#include "SheetDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

SheetDialog::SheetDialog(const Catalogue& catalogue, std::uint64_t firstSeed)
    : catalogue(catalogue) {
    setWindowTitle(QStringLiteral("Prepara una scheda da stampare"));
    auto* layout = new QVBoxLayout(this);
    auto* chosen = new QGroupBox(QStringLiteral("Esercizi"));
    auto* grid = new QGridLayout(chosen);
    for (int n = 0; n < ExerciseCount; ++n) {
        const ExerciseInfo& row = ExerciseTable[n];
        auto* box = new QCheckBox(
            QStringLiteral("%1. %2").arg(row.number).arg(exerciseTitle(row.exercise).simplified()));
        box->setChecked(true);
        exercises[n] = box;
        grid->addWidget(box, n % 7, n / 7);
    }
    layout->addWidget(chosen);
    auto* form = new QFormLayout;
    problemsEach = new QSpinBox;
    problemsEach->setRange(1, 50);
    problemsEach->setValue(4);
    form->addRow(QStringLiteral("Problemi per esercizio:"), problemsEach);
    seed = new QSpinBox;
    seed->setRange(1, 999999);
    seed->setValue(static_cast<int>(firstSeed % 1000000));
    form->addRow(QStringLiteral("Seme (lo stesso dà la stessa scheda):"), seed);
    solutions = new QCheckBox(QStringLiteral("Con le pagine delle soluzioni"));
    largePrint = new QCheckBox(QStringLiteral("Caratteri grandi (DSA)"));
    form->addRow(solutions);
    form->addRow(largePrint);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox;
    auto* save = buttons->addButton(QStringLiteral("Salva PDF"), QDialogButtonBox::ActionRole);
    auto* printing = buttons->addButton(QStringLiteral("Stampa"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, &SheetDialog::savePdf);
    connect(printing, &QPushButton::clicked, this, &SheetDialog::print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

WorksheetOptions SheetDialog::options() const {
    WorksheetOptions chosen;
    for (int n = 0; n < ExerciseCount; ++n)
        if (exercises[n]->isChecked())
            chosen.exercises.push_back(ExerciseTable[n].exercise);
    chosen.problemsEach = problemsEach->value();
    chosen.solutions = solutions->isChecked();
    chosen.largePrint = largePrint->isChecked();
    chosen.seed = static_cast<std::uint64_t>(seed->value());
    return chosen;
}

bool SheetDialog::anyChosen(const WorksheetOptions& chosen) {
    if (chosen.exercises.empty())
        QMessageBox::information(this, QStringLiteral("La mercanzola"),
                                 QStringLiteral("Scegli almeno un esercizio."));
    return !chosen.exercises.empty();
}

void SheetDialog::savePdf() {
    const WorksheetOptions chosen = options();
    if (!anyChosen(chosen))
        return;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva la scheda"), QStringLiteral("scheda-%1.pdf").arg(chosen.seed),
        QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString error = writeWorksheetPdf(path, catalogue, chosen);
    if (!error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("La mercanzola"), error);
}

void SheetDialog::print() {
    const WorksheetOptions chosen = options();
    if (!anyChosen(chosen))
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("scheda-%1").arg(chosen.seed));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        paintWorksheet(printer, catalogue, chosen);
}
