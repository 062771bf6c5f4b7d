#include "SheetDialog.h"
#include "SheetPrinting.h"

#include "model/Levels.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* noteLabel() {
    auto* label = new QLabel;
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// "in lire - lista.txt"; a catalogue that cannot be read by the currency it
// would have given.
QString catalogueItem(const SheetCatalogue& sheet, std::size_t index, std::size_t count) {
    const QString file = QFileInfo(sheet.path).fileName();
    if (!sheet.catalogue && count != 2)
        return file;
    const QString currency = sheet.catalogue ? sheet.catalogue->currency->name()
                             : index == 0    ? QStringLiteral("lire")
                                             : QStringLiteral("euro");
    return QStringLiteral("in %1 - %2").arg(currency, file);
}

} // namespace

SheetDialog::SheetDialog(const SheetDialogStart& start) : start(start) {
    setWindowTitle(QStringLiteral("Prepara una scheda da stampare"));
    placeChoices();
    showStart();
    recall();
    catalogueChosen();
    if (!start.note.isEmpty())
        tell({start.note});
}

void SheetDialog::placeChoices() {
    auto* layout = new QVBoxLayout(this);
    auto* chosen = new QGroupBox(QStringLiteral("Esercizi"));
    auto* grid = new QGridLayout(chosen);
    for (int n = 0; n < ExerciseCount; ++n) {
        const ExerciseInfo& row = ExerciseTable[n];
        exercises[n] = new QCheckBox(
            QStringLiteral("%1. %2").arg(row.number).arg(exerciseTitle(row.exercise).simplified()));
        grid->addWidget(exercises[n], n % 7, n / 7);
    }
    layout->addWidget(chosen);
    auto* form = new QFormLayout;
    currency = new QComboBox;
    for (std::size_t i = 0; i < start.catalogues.size(); ++i)
        currency->addItem(catalogueItem(start.catalogues[i], i, start.catalogues.size()));
    form->addRow(QStringLiteral("Valuta e catalogo:"), currency);
    catalogueNote = noteLabel();
    form->addRow(catalogueNote);
    problemsEach = new QSpinBox;
    problemsEach->setRange(1, 50);
    form->addRow(QStringLiteral("Problemi per esercizio:"), problemsEach);
    level = new QComboBox;
    level->addItems({QStringLiteral("nessuno: i problemi degli esercizi"), QStringLiteral("1"),
                     QStringLiteral("2"), QStringLiteral("3")});
    form->addRow(QStringLiteral("Livello:"), level);
    title = new QLineEdit;
    title->setMaxLength(80);
    title->setPlaceholderText(QStringLiteral("per esempio: Verifica del 12 marzo"));
    form->addRow(QStringLiteral("Titolo:"), title);
    seed = new QSpinBox;
    seed->setRange(1, 999999);
    form->addRow(QStringLiteral("Seme (lo stesso dà la stessa scheda):"), seed);
    wholeClass = new QCheckBox(QStringLiteral("Una scheda diversa per ogni alunno"));
    wholeClass->setEnabled(!start.pupils.isEmpty());
    form->addRow(wholeClass);
    auto* classNote = noteLabel();
    classNote->setText(start.classListNote);
    form->addRow(classNote);
    solutions = new QComboBox;
    solutions->addItems({QStringLiteral("nessuna"), QStringLiteral("in fondo alla scheda"),
                         QStringLiteral("in un file a parte")});
    form->addRow(QStringLiteral("Soluzioni:"), solutions);
    largePrint = new QCheckBox(QStringLiteral("Caratteri grandi (DSA)"));
    form->addRow(largePrint);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox;
    save = buttons->addButton(QStringLiteral("Salva PDF"), QDialogButtonBox::ActionRole);
    printing = buttons->addButton(QStringLiteral("Stampa"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, &SheetDialog::savePdf);
    connect(printing, &QPushButton::clicked, this, &SheetDialog::print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(currency, &QComboBox::currentIndexChanged, this, &SheetDialog::catalogueChosen);
    layout->addWidget(buttons);
    outcome = noteLabel();
    layout->addWidget(outcome);
}

// The command line's choices, or the usual ones.
void SheetDialog::showStart() {
    const WorksheetOptions& preset = start.options;
    for (int n = 0; n < ExerciseCount; ++n)
        exercises[n]->setChecked(std::ranges::find(preset.exercises, ExerciseTable[n].exercise) !=
                                 preset.exercises.end());
    currency->setCurrentIndex(static_cast<int>(start.chosen));
    problemsEach->setValue(preset.problemsEach);
    level->setCurrentIndex(std::clamp(preset.level, 0, 3));
    title->setText(preset.title);
    seed->setValue(static_cast<int>(preset.seed % 1000000));
    wholeClass->setChecked(start.given.classList && !start.pupils.isEmpty());
    solutions->setCurrentIndex(!preset.solutions    ? NoSolutions
                               : start.answersApart ? OwnFile
                                                    : AtTheEnd);
    largePrint->setChecked(preset.largePrint);
}

const Catalogue* SheetDialog::catalogue() const {
    const auto& chosen = start.catalogues.at(static_cast<std::size_t>(currency->currentIndex()));
    return chosen.catalogue ? &*chosen.catalogue : nullptr;
}

void SheetDialog::catalogueChosen() {
    const auto& chosen = start.catalogues.at(static_cast<std::size_t>(currency->currentIndex()));
    QStringList lines;
    if (chosen.catalogue) {
        lines << QStringLiteral("%1: %2 articoli")
                     .arg(QDir::toNativeSeparators(chosen.path))
                     .arg(chosen.catalogue->records.size());
        lines << chosen.catalogue->warnings;
    } else {
        lines << chosen.error;
    }
    catalogueNote->setText(lines.join(u'\n'));
    catalogueNote->setStyleSheet(chosen.catalogue ? QString() : QStringLiteral("color: #a00000"));
    save->setEnabled(chosen.catalogue.has_value());
    printing->setEnabled(chosen.catalogue.has_value());
    // A long message grows the dialog rather than being cut (a wrapped label
    // in a form gets the height of one line otherwise); 400: under the form's width
    // before it is first shown.
    const int width = catalogueNote->isVisible() ? catalogueNote->width() : 400;
    catalogueNote->setMinimumHeight(catalogueNote->heightForWidth(width) +
                                    catalogueNote->fontMetrics().lineSpacing());
    adjustSize();
}

void SheetDialog::tell(const QStringList& lines) {
    outcome->setText(lines.join(u'\n'));
}

WorksheetOptions SheetDialog::options() const {
    WorksheetOptions chosen = start.options;
    chosen.exercises.clear();
    for (int n = 0; n < ExerciseCount; ++n)
        if (exercises[n]->isChecked())
            chosen.exercises.push_back(ExerciseTable[n].exercise);
    chosen.problemsEach = problemsEach->value();
    chosen.solutions = solutions->currentIndex() != NoSolutions;
    chosen.largePrint = largePrint->isChecked();
    chosen.level = level->currentIndex();
    chosen.title = title->text().simplified();
    chosen.seed = static_cast<std::uint64_t>(seed->value());
    chosen.pupils = wholeClass->isChecked() ? start.pupils : QStringList();
    return chosen;
}

bool SheetDialog::anyChosen(const WorksheetOptions& chosen) {
    if (chosen.exercises.empty())
        QMessageBox::information(this, QStringLiteral("La mercanzola"),
                                 QStringLiteral("Scegli almeno un esercizio."));
    return !chosen.exercises.empty() && catalogue();
}

QStringList SheetDialog::levelShortage(const WorksheetOptions& chosen) const {
    const QString shortage = LevelArticles(*catalogue()).shortage(chosen.level);
    return shortage.isEmpty() ? QStringList() : QStringList{shortage};
}

void SheetDialog::savePdf() {
    const WorksheetOptions chosen = options();
    if (!anyChosen(chosen))
        return;
    const QString folder = lastFolder();
    // Qt's own dialog, in Italian: the desktop's might not be.
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva la scheda"),
        QDir(folder).filePath(QStringLiteral("scheda-%1.pdf").arg(chosen.seed)),
        QStringLiteral("PDF (*.pdf)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    const QString answers = solutions->currentIndex() == OwnFile
                                ? path.left(path.size() - 4) + QStringLiteral("-soluzioni.pdf")
                                : QString();
    const WriteResult result = writeWorksheetPdf(path, *catalogue(), chosen, answers);
    QStringList told;
    if (!result.error.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("La mercanzola"), result.error);
        told << result.error;
    } else {
        told << QStringLiteral("Scheda salvata in %1").arg(QDir::toNativeSeparators(path));
        if (!answers.isEmpty())
            told
                << QStringLiteral("Soluzioni salvate in %1").arg(QDir::toNativeSeparators(answers));
        keepFolder(QFileInfo(path).absolutePath());
        keep();
    }
    tell(told + levelShortage(chosen) + result.warnings);
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
        paintWorksheet(counting, *catalogue(), chosen, SheetPart::Questions, {}, &warnings);
    QPrinter printer(QPrinter::HighResolution);
    matchThePdf(printer);
    printer.setDocName(QStringLiteral("scheda-%1").arg(chosen.seed));
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, pages);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printSheets(printer, *catalogue(), chosen, SheetPart::Questions);
    QStringList told = {QStringLiteral("Schede degli alunni mandate alla stampante.")};
    keep();
    // The answers are a job of their own, printed only when asked for.
    if (chosen.solutions &&
        QMessageBox::question(this, QStringLiteral("La mercanzola"),
                              QStringLiteral("Stampo anche le pagine delle soluzioni?")) ==
            QMessageBox::Yes) {
        printer.setPrintRange(QPrinter::AllPages);
        printer.setFromTo(0, 0);
        printer.setDocName(QStringLiteral("soluzioni-%1").arg(chosen.seed));
        printSheets(printer, *catalogue(), chosen, SheetPart::Answers);
        told << QStringLiteral("Soluzioni mandate alla stampante.");
    }
    tell(told + levelShortage(chosen) + warnings);
}
