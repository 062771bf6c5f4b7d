#include "shell/Main.h"
#include "app/AllScreens.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"
#include "app/RecordCommands.h"
#include "app/WorksheetCommand.h"
#include "model/Problem.h"
#include "model/ProgramError.h"
#include "platform/LevelFiles.h"
#include "platform/ReadingAloud.h"
#include "platform/Record.h"
#include "platform/Warning.h"
#include "shell/FatalReport.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "ui/NumberPad.h"
#include "ui/Screen.h"

#include <QFileInfo>
#include <cstdio>
#include <optional>

namespace {

void print(FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

// A teacher checks an edited catalogue before the lesson: the same reading,
// and the same report, as at start-up.
int checkCatalogue(const QString& file) {
    Lesson lesson;
    try {
        Modulo1::CaricaLista(lesson, QFileInfo(file).absoluteFilePath());
    } catch (const ProgramError& error) {
        print(stderr, error.text() + u'\n');
        return 1;
    }
    const int records = lesson.NumeroArticoli().value();
    print(stdout, QStringLiteral("%1: %2 %3, valuta %4\n")
                      .arg(file)
                      .arg(records)
                      .arg(records == 1 ? QStringLiteral("articolo") : QStringLiteral("articoli"))
                      .arg(lesson.currency().name()));
    // How many articles each level draws from, and what a level short of them does.
    for (int level = LowestLevel; level <= HighestLevel; ++level) {
        const int fitting = lesson.levelArticles().fitting(level);
        QString line = QStringLiteral("  livello %1: %2 %3")
                           .arg(level)
                           .arg(fitting)
                           .arg(fitting == 1 ? QStringLiteral("articolo adatto")
                                             : QStringLiteral("articoli adatti"));
        const QString shortage = lesson.levelArticles().shortage(level);
        if (!shortage.isEmpty())
            line +=
                QStringLiteral(" (") + shortage.section(QStringLiteral("; "), 1).chopped(1) + u')';
        print(stdout, line + u'\n');
    }
    return 0;
}

// The level of each exercise: the command line's, else the user's file, else
// the school's.
std::vector<LevelChoice> chosenLevels(const CommandLine& command) {
    const LevelSettings user = platform::levelSettingsIn(platform::userLevelFile(), ExerciseCount);
    const LevelSettings school =
        platform::levelSettingsIn(platform::SchoolLevelFile, ExerciseCount);
    std::vector<LevelChoice> levels;
    for (int exercise = 1; exercise <= ExerciseCount; ++exercise)
        levels.push_back(levelFor(exercise, command.level, user, school));
    return levels;
}

void reportMistakes(const QString& error) {
    print(stderr, error + QStringLiteral("\nPer le opzioni: mercanzola --help\n"));
}

// Where no display can be had, the toolkit would end the program with its own
// English report; the teacher at a terminal is told in Italian what works there.
bool displayAvailable(const QStringList& arguments) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    for (const QString& option : {QStringLiteral("platform"), QStringLiteral("display")})
        if (arguments.contains(u'-' + option) || arguments.contains(QStringLiteral("--") + option))
            return true;
    return false;
}

// Everything the command line may ask that opens no window: answered before the
// toolkit starts, so with no display at all. Nothing when the lesson starts.
std::optional<int> answerWithoutWindows(const CommandLine& command, int argc, char* argv[]) {
    if (command.help) {
        print(stdout, commandLineHelp());
        return 0;
    }
    if (command.version) {
        print(stdout, QStringLiteral("mercanzola " MERCANZOLA_VERSION "\n"
                                     "Licenza GPL-3+: GNU GPL versione 3 o successiva.\n"));
        return 0;
    }
    if (!command.error.isEmpty()) {
        reportMistakes(command.error);
        return 2;
    }
    if (command.checkAsked)
        return checkCatalogue(command.check);
    if (command.recordCommand()) {
        // The teacher's report reads a database: no display, no toolkit.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("mercanzola"));
        return runRecordCommand(command, recordDestination(command, RecordConfigFile),
                                QCoreApplication::applicationDirPath());
    }
    // The worksheet is drawn offscreen: no display needed either.
    if (command.worksheetAsked)
        return runWorksheetCommand(command, argc, argv);
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = readCommandLine(arguments);
    if (const std::optional<int> status = answerWithoutWindows(command, argc, argv))
        return *status;
    if (!displayAvailable(arguments)) {
        platform::warn(QStringLiteral("non c'è uno schermo su cui aprire le finestre (DISPLAY "
                                      "è vuota).\nSenza schermo si usano --controlla, "
                                      "--riepilogo, --scheda, --help e --version."));
        return 1;
    }
    if (command.prepareWorksheet || command.worksheetOptions)
        return runWorksheetDialog(command, argc, argv);
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mercanzola"));
    // Docks and task bars group the windows with the launcher of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(MERCANZOLA_APP_ID));
    ui::Screen::chooseFullScreen(command.fullScreen);
    if (command.numberPad)
        ui::NumberPad::choose(*command.numberPad ? ui::NumberPad::Choice::Shown
                                                 : ui::NumberPad::Choice::Hidden);
    setUpToolkit();
    // What the pupil works on, for as long as the screens are open.
    Lesson lesson;
    lesson.chooseLevels(chosenLevels(command));
    registerAllScreens(lesson);
    const QString record = recordDestination(command, RecordConfigFile);
    if (!record.isEmpty())
        platform::startRecord(record, QApplication::applicationDirPath());
    try {
        Main(lesson, {}, command.catalogue);
        if (command.slowness)
            platform::readingAloud().setSlowness(*command.slowness);
        if (command.readAloud)
            platform::readingAloud().turnOn();
    } catch (const std::exception& error) {
        reportFatalError(&error);
        return 1;
    }
    return QApplication::exec();
}
