#include "SheetDialog.h"
#include "SheetPrinting.h"

#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QPdfWriter>
#include <algorithm>

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

SheetDialog::SheetDialog(const Catalogue& catalogue, const WorksheetOptions& preset)
    : catalogue(catalogue), preset(preset) {
    setWindowTitle(QStringLiteral("Prepara una scheda da stampare"));
    auto* layout = new QVBoxLayout(this);
    auto* chosen = new QGroupBox(QStringLiteral("Esercizi"));
    auto* grid = new QGridLayout(chosen);
    for (int n = 0; n < ExerciseCount; ++n) {
        const ExerciseInfo& row = ExerciseTable[n];
        auto* box = new QCheckBox(
            QStringLiteral("%1. %2").arg(row.number).arg(exerciseTitle(row.exercise).simplified()));
        box->setChecked(std::ranges::find(preset.exercises, row.exercise) !=
                        preset.exercises.end());
        exercises[n] = box;
        grid->addWidget(box, n % 7, n / 7);
    }
    layout->addWidget(chosen);
    auto* form = new QFormLayout;
    problemsEach = new QSpinBox;
    problemsEach->setRange(1, 50);
    problemsEach->setValue(preset.problemsEach);
    form->addRow(QStringLiteral("Problemi per esercizio:"), problemsEach);
    seed = new QSpinBox;
    seed->setRange(1, 999999);
    seed->setValue(static_cast<int>(preset.seed % 1000000));
    form->addRow(QStringLiteral("Seme (lo stesso dà la stessa scheda):"), seed);
    solutions = new QCheckBox(QStringLiteral("Con le pagine delle soluzioni"));
    largePrint = new QCheckBox(QStringLiteral("Caratteri grandi (DSA)"));
    solutions->setChecked(preset.solutions);
    largePrint->setChecked(preset.largePrint);
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
    outcome = new QLabel;
    outcome->setWordWrap(true);
    outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(outcome);
}

void SheetDialog::tell(const QString& text) {
    outcome->setText(text);
}

WorksheetOptions SheetDialog::options() const {
    WorksheetOptions chosen = preset;
    chosen.exercises.clear();
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
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva la scheda"),
                                                QStringLiteral("scheda-%1.pdf").arg(chosen.seed),
                                                QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    const WriteResult result = writeWorksheetPdf(path, catalogue, chosen);
    QStringList told = result.warnings;
    if (!result.error.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("La mercanzola"), result.error);
        told.prepend(result.error);
    } else {
        told.prepend(QStringLiteral("Scheda salvata in %1").arg(QDir::toNativeSeparators(path)));
    }
    tell(told.join(u'\n'));
}

void SheetDialog::print() {
    const WorksheetOptions chosen = options();
    if (!anyChosen(chosen))
        return;
    // The pupils' pages, counted as the PDF lays them out, for the range.
    QBuffer counted;
    counted.open(QIODevice::WriteOnly);
    QPdfWriter counting(&counted);
    counting.setPageLayout(worksheet::sheetPageLayout());
    counting.setResolution(worksheet::SheetDpi);
    QStringList warnings;
    const int pages =
        paintWorksheet(counting, catalogue, chosen, SheetPart::Questions, {}, &warnings);
    QPrinter printer(QPrinter::HighResolution);
    matchThePdf(printer);
    printer.setDocName(QStringLiteral("scheda-%1").arg(chosen.seed));
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, pages);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printSheets(printer, catalogue, chosen, SheetPart::Questions);
    QStringList told = {QStringLiteral("Schede degli alunni mandate alla stampante.")};
    // The answers are a job of their own, printed only when asked for.
    if (chosen.solutions &&
        QMessageBox::question(this, QStringLiteral("La mercanzola"),
                              QStringLiteral("Stampo anche le pagine delle soluzioni?")) ==
            QMessageBox::Yes) {
        printer.setPrintRange(QPrinter::AllPages);
        printer.setFromTo(0, 0);
        printer.setDocName(QStringLiteral("soluzioni-%1").arg(chosen.seed));
        printSheets(printer, catalogue, chosen, SheetPart::Answers);
        told << QStringLiteral("Soluzioni mandate alla stampante.");
    }
    tell((told + warnings).join(u'\n'));
}
