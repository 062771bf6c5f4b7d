#include "app/WorksheetCommand.h"

#include "app/AllScreens.h"
#include "app/CommandLineOptions.h"

#include "model/CatalogueEncoding.h"
#include "model/Levels.h"
#include "model/ProgramError.h"
#include "platform/CatalogueFile.h"
#include "platform/PluginLoading.h"
#include "platform/Warning.h"
#include "shell/FormAlunno.h"
#include "worksheet/SheetCode.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetDialogPlugin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>

namespace {

// Where a catalogue named on the command line is: beside the program when
// the name is bare (lista.txt, the euro one), through a link the file it
// points at.
QString catalogueAt(const QString& name) {
    return catalogueLocation(QDir::toNativeSeparators(
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name)));
}

Catalogue readCatalogueNamed(const QString& name) {
    const QString path = catalogueAt(name);
    const bool inProgramFolder =
        QDir::isRelativePath(name) &&
        path == QDir::toNativeSeparators(
                    QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name));
    return readCatalogue(readCatalogueFile(path, inProgramFolder), path, 500);
}

QString lessonCatalogueName(const CommandLine& command) {
    return command.catalogue.isEmpty() ? QStringLiteral("lista.txt") : command.catalogue;
}

QString cataloguePathOf(const CommandLine& command) {
    return catalogueAt(lessonCatalogueName(command));
}

// The catalogue the lesson would read; its warnings go to the caller.
Catalogue lessonCatalogue(const CommandLine& command) {
    return readCatalogueNamed(lessonCatalogueName(command));
}

// A small number, easy to copy from the sheet's foot.
std::uint64_t seedOf(const CommandLine& command) {
    return command.seed ? *command.seed : QRandomGenerator::global()->bounded(1, 1000000);
}

// The pupils of the class list named, or of the one the lesson would find.
QStringList pupilsOf(const CommandLine& command) {
    if (command.classList.isEmpty()) {
        const QStringList pupils = readClassList(cataloguePathOf(command));
        if (pupils.isEmpty())
            throw ProgramError(QStringLiteral(
                "Non trovo l'elenco della classe (classe.txt accanto al catalogo o nella "
                "cartella del programma): scrivi il file dopo --classe."));
        return pupils;
    }
    QFile file(command.classList);
    if (!file.open(QIODevice::ReadOnly))
        throw ProgramError(QStringLiteral("Non riesco a leggere l'elenco della classe %1: %2")
                               .arg(command.classList, file.errorString()));
    const QStringList pupils = classListFromText(decodeCatalogue(file.readAll()));
    if (pupils.isEmpty())
        throw ProgramError(
            QStringLiteral("L'elenco della classe %1 non ha nomi.").arg(command.classList));
    return pupils;
}

// The options a printed code holds, for the catalogue in use.
void fromCode(const CommandLine& command, const Catalogue& catalogue, WorksheetOptions* options) {
    const std::optional<SheetCode> code = decodeSheetCode(command.sheetCode);
    if (!code)
        throw ProgramError(QStringLiteral("%1 non è il codice di una scheda: controlla le lettere "
                                          "e le cifre (per esempio K7Q2M-8XAB3).")
                               .arg(command.sheetCode));
    const bool euro = *catalogue.currency == Currency::euro();
    const QString was = code->euro ? QStringLiteral("euro") : QStringLiteral("lire");
    if (code->euro != euro)
        throw ProgramError(QStringLiteral("La scheda %1 era in %2, il catalogo %3 no: %4")
                               .arg(command.sheetCode, was, cataloguePathOf(command),
                                    code->euro ? QStringLiteral("aggiungi --euro.")
                                               : QStringLiteral("togli --euro.")));
    if (code->catalogueCheck != catalogueCheckOf(catalogue))
        throw ProgramError(
            QStringLiteral("Il catalogo %1 è cambiato da quando è stata fatta la scheda %2: gli "
                           "stessi problemi non si possono rifare.")
                .arg(cataloguePathOf(command), command.sheetCode));
    options->exercises = code->exercises;
    options->problemsEach = code->problemsEach;
    options->level = code->level;
    options->largePrint = code->largePrint;
    options->seed = code->seed;
}

WorksheetOptions worksheetOptionsOf(const CommandLine& command, const Catalogue& catalogue) {
    WorksheetOptions options = WorksheetOptions::everyExercise();
    if (!command.worksheetExercises.empty()) {
        options.exercises.clear();
        for (int number : command.worksheetExercises)
            options.exercises.push_back(*exerciseNumbered(number)); // the command line checked it
    }
    options.problemsEach = command.problemsEach;
    options.solutions = command.solutions || !command.answersFile.isEmpty();
    options.largePrint = command.largePrint;
    options.seed = seedOf(command);
    options.title = command.sheetTitle;
    options.level = command.level ? command.level->level : 0;
    if (!command.sheetCode.isEmpty())
        fromCode(command, catalogue, &options);
    if (command.classAsked)
        options.pupils = pupilsOf(command);
    return options;
}

} // namespace

int runWorksheetCommand(const CommandLine& command, int argc, char* argv[]) {
    // A sheet needs fonts, not a screen: it is written the same on a server.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        const Catalogue catalogue = lessonCatalogue(command);
        for (const QString& warning : catalogue.warnings)
            platform::warn(cataloguePathOf(command) + QStringLiteral(": ") + warning);
        const WorksheetOptions options = worksheetOptionsOf(command, catalogue);
        const LevelArticles articles(catalogue);
        if (!articles.shortage(options.level).isEmpty())
            platform::warn(articles.shortage(options.level));
        const WriteResult result =
            writeWorksheetPdf(command.worksheet, catalogue, options, command.answersFile);
        for (const QString& warning : result.warnings)
            platform::warn(warning);
        if (!result.error.isEmpty()) {
            platform::warn(result.error);
            return 1;
        }
    } catch (const ProgramError& error) {
        platform::warn(error.text());
        return 1;
    }
    return 0;
}

namespace {

SheetCatalogue sheetCatalogue(const QString& name) {
    SheetCatalogue sheet{catalogueAt(name), std::nullopt, QString()};
    try {
        sheet.catalogue = readCatalogueNamed(name);
    } catch (const ProgramError& error) {
        sheet.error = error.text();
    }
    return sheet;
}

// Both catalogues a teacher chooses between, or the one named with --lista;
// the class list if there is one; and which choices the command line made.
SheetDialogStart dialogStart(const CommandLine& command) {
    SheetDialogStart start;
    const bool named = !command.catalogue.isEmpty() && command.catalogue != EuroCatalogue;
    if (named) {
        start.catalogues = {sheetCatalogue(command.catalogue)};
    } else {
        start.catalogues = {sheetCatalogue(QStringLiteral("lista.txt")),
                            sheetCatalogue(EuroCatalogue)};
        start.chosen = command.catalogue == EuroCatalogue ? 1 : 0;
    }
    const SheetCatalogue& chosen = start.catalogues[start.chosen];
    const Catalogue any = chosen.catalogue ? *chosen.catalogue : Catalogue{};
    CommandLine asked = command;
    asked.classAsked = false; // the dialog reads the class list below, and says why not
    try {
        start.options = worksheetOptionsOf(asked, any);
    } catch (const ProgramError& error) {
        // A code that does not fit: the dialog opens with the rest, and says so.
        asked.sheetCode.clear();
        start.options = worksheetOptionsOf(asked, any);
        start.note = error.text();
    }
    try {
        start.pupils = pupilsOf(command);
        start.classListNote =
            QStringLiteral("%1 alunni, da %2")
                .arg(start.pupils.size())
                .arg(command.classList.isEmpty() ? QStringLiteral("classe.txt")
                                                 : QDir::toNativeSeparators(command.classList));
    } catch (const ProgramError& error) {
        start.classListNote =
            command.classList.isEmpty()
                ? QStringLiteral("Nessun elenco della classe: per una scheda a ogni alunno "
                                 "scrivi i nomi, uno per riga, in classe.txt accanto al "
                                 "catalogo.")
                : error.text();
    }
    start.answersApart = !command.answersFile.isEmpty();
    start.given = {!command.worksheetExercises.empty() || !command.sheetCode.isEmpty(),
                   command.problemsAsked || !command.sheetCode.isEmpty(),
                   command.seed.has_value() || !command.sheetCode.isEmpty(),
                   command.solutions || !command.answersFile.isEmpty(),
                   command.largePrint || !command.sheetCode.isEmpty(),
                   command.level.has_value() || !command.sheetCode.isEmpty(),
                   !command.sheetTitle.isEmpty(),
                   command.classAsked,
                   !command.catalogue.isEmpty()};
    return start;
}

} // namespace

int runWorksheetDialog(const CommandLine& command, int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mercanzola"));
    // The file and print dialogs are Qt's own, in Italian like the rest.
    loadItalianTexts();
    QString why;
    auto* dialog = platform::loadPlugin<WorksheetDialogFactory>(
        QDir(QApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("plugins/mercanzola_sheetdialog")),
        QStringLiteral("il modulo della scheda"), &why);
    if (!dialog) {
        platform::warn(QStringLiteral("niente finestra per la scheda: ") + why);
        return 1;
    }
    return dialog->runDialog(dialogStart(command));
}
