#include "app/WorksheetCommand.h"

#include "model/ProgramError.h"
#include "platform/CatalogueFile.h"
#include "platform/PluginLoading.h"
#include "platform/Warning.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetDialogPlugin.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QRandomGenerator>

namespace {

// The catalogue the lesson would read: lista.txt, the euro one, or the file named.
Catalogue lessonCatalogue(const CommandLine& command) {
    const QString name =
        command.catalogue.isEmpty() ? QStringLiteral("lista.txt") : command.catalogue;
    const QString inFolder = QDir::toNativeSeparators(
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name));
    const QString path = catalogueLocation(inFolder);
    const bool inProgramFolder = QDir::isRelativePath(name) && path == inFolder;
    const Catalogue catalogue = readCatalogue(readCatalogueFile(path, inProgramFolder), path, 500);
    for (const QString& warning : catalogue.warnings)
        platform::warn(path + QStringLiteral(": ") + warning);
    return catalogue;
}

// A small number, easy to copy from the sheet's foot.
std::uint64_t seedOf(const CommandLine& command) {
    return command.seed ? *command.seed : QRandomGenerator::global()->bounded(1, 1000000);
}

} // namespace

int runWorksheetCommand(const CommandLine& command, int argc, char* argv[]) {
    // A sheet needs fonts, not a screen: it is written the same on a server.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    WorksheetOptions options = WorksheetOptions::everyExercise();
    if (!command.worksheetExercises.empty()) {
        options.exercises.clear();
        for (int number : command.worksheetExercises)
            options.exercises.push_back(*exerciseNumbered(number)); // the command line checked it
    }
    options.problemsEach = command.problemsEach;
    options.solutions = command.solutions;
    options.largePrint = command.largePrint;
    options.seed = seedOf(command);
    options.level = command.level ? command.level->level : 0;
    try {
        const Catalogue catalogue = lessonCatalogue(command);
        const LevelArticles articles(catalogue);
        if (!articles.shortage(options.level).isEmpty())
            platform::warn(articles.shortage(options.level));
        const QString error = writeWorksheetPdf(command.worksheet, catalogue, options);
        if (!error.isEmpty()) {
            platform::warn(error);
            return 1;
        }
    } catch (const ProgramError& error) {
        platform::warn(error.text());
        return 1;
    }
    return 0;
}

int runWorksheetDialog(const CommandLine& command, int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mercanzola"));
    try {
        const Catalogue catalogue = lessonCatalogue(command);
        QString why;
        auto* dialog = platform::loadPlugin<WorksheetDialogFactory>(
            QDir(QApplication::applicationDirPath())
                .absoluteFilePath(QStringLiteral("plugins/mercanzola_sheetdialog")),
            QStringLiteral("il modulo della scheda"), &why);
        if (!dialog) {
            platform::warn(QStringLiteral("niente finestra per la scheda: ") + why);
            return 1;
        }
        return dialog->runDialog(catalogue, seedOf(command));
    } catch (const ProgramError& error) {
        platform::warn(error.text());
        return 1;
    }
}
